#include "VornInterface/InputCodes.h"

namespace
{

// The system's mouse messages and mouse key flags.
constexpr std::uint32_t mouseMoveMessage = 0x0200;
constexpr std::uint32_t middleDoubleClickMessage = 0x0209;
constexpr std::uint32_t keyLeftButton = 0x0001;
constexpr std::uint32_t keyRightButton = 0x0002;
constexpr std::uint32_t keyShift = 0x0004;
constexpr std::uint32_t keyControl = 0x0008;
constexpr std::uint32_t keyMiddleButton = 0x0010;

// Event kind per message, in the order of the messages from mouse move to middle double click.
constexpr std::uint32_t eventKinds[] = {
    0x000, // move
    0x100, // left down
    0x200, // left up
    0x700, // left double click
    0x300, // right down
    0x400, // right up
    0x800, // right double click
    0x500, // middle down
    0x600, // middle up
    0x900, // middle double click
};

} // namespace

std::optional<std::uint32_t> mouseEventValue(std::uint32_t message, std::uint32_t keyFlags)
{
    if (message < mouseMoveMessage || message > middleDoubleClickMessage)
        return std::nullopt;
    std::uint32_t flags = 0;
    if (keyFlags & keyLeftButton)
        flags |= 0x01;
    if (keyFlags & keyRightButton)
        flags |= 0x02;
    if (keyFlags & keyMiddleButton)
        flags |= 0x04;
    if (keyFlags & keyShift)
        flags |= 0x08;
    if (keyFlags & keyControl)
        flags |= 0x10;
    return flags | eventKinds[message - mouseMoveMessage];
}

std::optional<std::uint32_t> keyReleaseCode(std::uint32_t virtualKey, bool shiftHeld, bool controlHeld)
{
    if (virtualKey > 0xFF)
        return std::nullopt;
    return 72 + virtualKey + (shiftHeld ? 256u : 0u) + (controlHeld ? 512u : 0u);
}
