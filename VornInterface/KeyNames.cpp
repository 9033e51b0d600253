#include "VornInterface/KeyNames.h"

#include <cctype>

namespace
{

struct NamedKey
{
    uint32_t virtualKey;
    const char* name;
};

constexpr NamedKey namedKeys[] = {
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0C, "Clear"},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2C, "Print Screen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, "Left Windows"},
    {0x5C, "Right Windows"},
    {0x5D, "Application"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x6E, "Num ."},
    {0x6F, "Num /"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "Shift"},
    {0xA1, "Right Shift"},
    {0xA2, "Ctrl"},
    {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

} // namespace

std::string keyName(uint32_t virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return "Num " + std::to_string(virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return "F" + std::to_string(virtualKey - 0x70 + 1);
    for (const NamedKey& key : namedKeys)
        if (key.virtualKey == virtualKey)
            return key.name;
    return {};
}

std::string capitalizedKeyName(const std::string& name)
{
    std::string text = name;
    for (std::size_t index = 0; index < text.size(); ++index)
    {
        auto character = static_cast<unsigned char>(text[index]);
        text[index] = static_cast<char>(index == 0 ? std::toupper(character) : std::tolower(character));
    }
    return text;
}
