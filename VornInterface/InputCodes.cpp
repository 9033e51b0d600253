#include "VornInterface/InputCodes.h"

#include "platform/SystemValues.h"
#include "plugins/AcceleratorTable.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginMenuItem.h"
#include "platform/Keyboard.h"
#include "platform/Message.h"

namespace
{

// Event kind per message, in the order of the messages from mouse move to middle double click.
constexpr std::uint32_t eventKinds[] = {
    InputEvent::Move,      InputEvent::LeftDown,          InputEvent::LeftUp,           InputEvent::LeftDoubleClick,
    InputEvent::RightDown, InputEvent::RightUp,           InputEvent::RightDoubleClick, InputEvent::MiddleDown,
    InputEvent::MiddleUp,  InputEvent::MiddleDoubleClick,
};
static_assert(sizeof eventKinds / sizeof eventKinds[0] == platform::WM_MBUTTONDBLCLK - platform::WM_MOUSEMOVE + 1);

} // namespace

std::optional<std::uint32_t> mouseEventValue(std::uint32_t message, std::uint32_t keyFlags)
{
    if (message < platform::WM_MOUSEMOVE || message > platform::WM_MBUTTONDBLCLK)
        return std::nullopt;
    std::uint32_t flags = 0;
    if (keyFlags & platform::MK_LBUTTON)
        flags |= InputEvent::LeftHeld;
    if (keyFlags & platform::MK_RBUTTON)
        flags |= InputEvent::RightHeld;
    if (keyFlags & platform::MK_MBUTTON)
        flags |= InputEvent::MiddleHeld;
    if (keyFlags & platform::MK_SHIFT)
        flags |= InputEvent::Shift;
    if (keyFlags & platform::MK_CONTROL)
        flags |= InputEvent::Ctrl;
    return flags | eventKinds[message - platform::WM_MOUSEMOVE];
}

std::optional<std::uint32_t> keyReleaseCode(std::uint32_t virtualKey, bool shiftHeld, bool controlHeld)
{
    if (virtualKey > 0xFF)
        return std::nullopt;
    return AcceleratorCode::key(virtualKey, shiftHeld, controlHeld);
}

bool routeViewInput(MAI_View& view, MAI& mai, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (std::optional<std::uint32_t> event = mouseEventValue(message, static_cast<std::uint32_t>(wParam)))
    {
        const platform::Point point = platform::pointFromLParam(lParam);
        view.onMouseEvent(point.x, point.y, *event);
        return true;
    }
    const auto key = static_cast<std::uint32_t>(wParam);
    switch (message)
    {
    case platform::WM_MOUSEWHEEL:
        mai.beep();
        return true;
    case platform::WM_KEYDOWN:
        if (key == platform::VK_SHIFT)
            view.onKeyState(InputEvent::ShiftDown);
        else if (key == platform::VK_CONTROL)
            view.onKeyState(InputEvent::CtrlDown);
        return true;
    case platform::WM_KEYUP: {
        if (key == platform::VK_SHIFT)
            view.onKeyState(InputEvent::ShiftUp);
        else if (key == platform::VK_CONTROL)
            view.onKeyState(InputEvent::CtrlUp);
        std::optional<std::uint32_t> code =
            keyReleaseCode(key, platform::isKeyDown(platform::VK_SHIFT), platform::isKeyDown(platform::VK_CONTROL));
        if (code)
        {
            for (AcceleratorBinding* binding = mai.accelerators.getBindings(*code); binding != nullptr;)
            {
                AcceleratorBinding* next = binding->next; // a command may change the bindings
                binding->plugin->execute(&view);
                binding = next;
            }
        }
        return true;
    }
    default:
        return false;
    }
}
