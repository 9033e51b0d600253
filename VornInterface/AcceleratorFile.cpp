#include "VornInterface/AcceleratorFile.h"

#include "VornInterface/KeyNames.h"
#include "platform/Files.h"
#include "platform/Services.h"
#include "plugins/AcceleratorTable.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginMenuItem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <new>

namespace
{

constexpr const char* loadErrorCaption = "Error loading accelerators";
constexpr const char* fileHeader = "ACCELERATORS";
constexpr const char* fileVersion = "version 1";
constexpr const char* eventPrefix = "Event: ";

std::string inQuotes(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

// The number at the start of the text as atoi reads it (blanks, a sign, digits), saturated far
// outside the table so that long digit strings cannot overflow.
long long leadingInteger(const std::string& text)
{
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index])))
        ++index;
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-'))
        negative = text[index++] == '-';
    long long value = 0;
    for (; index < text.size() && std::isdigit(static_cast<unsigned char>(text[index])); ++index)
        value = std::min(value * 10 + (text[index] - '0'), 1000000000LL);
    return negative ? -value : value;
}

// The first plugin of that name among the enabled, then the disabled plugins of the type; only
// menu items can be bound.
VornPluginMenuItem* findMenuItem(const PluginManager& registry, const std::string& typeName, const std::string& name)
{
    for (VornPluginBase* first :
         {registry.getFirstPlugin(typeName.c_str()), registry.getFirstDisabledPlugin(typeName.c_str())})
        for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
            if (name == plugin->getName())
                return dynamic_cast<VornPluginMenuItem*>(plugin);
    return nullptr;
}

class AcceleratorFileLoader
{
public:
    AcceleratorFileLoader(const std::string& path, AcceleratorTable& table, const PluginManager& registry,
                          platform::WindowHandle owner)
        : path(path), table(table), registry(registry), owner(owner)
    {
    }

    bool load()
    {
        if (!reader.open(path))
            return fileFailure();
        std::string line;
        if (!reader.readLine(line))
            return reader.error() != platform::FileErrorCause::None ? fileFailure() : invalidFile();
        if (line != fileHeader)
            return invalidFile();
        line.clear();
        if (!reader.readLine(line) && reader.error() != platform::FileErrorCause::None)
            return fileFailure();
        if (line != fileVersion)
            return unsupported(line);
        for (;;)
        {
            if (!readEventLine(line))
                return reader.error() == platform::FileErrorCause::None || fileFailure();
            if (!loadBinding(line))
                return false;
        }
    }

private:
    // The next line that is not blank, trimmed; false at the end of the file.
    bool readEventLine(std::string& line)
    {
        do
        {
            if (!reader.readLine(line))
                return false;
            line = trimmed(line);
        } while (line.empty());
        return true;
    }

    bool loadBinding(const std::string& line)
    {
        if (line.compare(0, std::strlen(eventPrefix), eventPrefix) != 0)
            return unsupported(line);
        const long long code = leadingInteger(line.substr(std::strlen(eventPrefix)));
        if (code == 0)
            return failure("Unable to process \"" + line + "\nin file " + inQuotes(path));
        if (code < 0 || code >= AcceleratorCode::Count)
            return failure("The event code of " + inQuotes(line) + "\nin file " + inQuotes(path) +
                           "\nis not between 1 and " + std::to_string(AcceleratorCode::Count - 1) + ".");
        std::string typeName;
        std::string name;
        if (!reader.readLine(typeName) || !reader.readLine(name))
            return reader.error() != platform::FileErrorCause::None
                ? fileFailure()
                : failure("Unexpected end of file " + inQuotes(path));
        for (;;)
        {
            if (VornPluginMenuItem* plugin = findMenuItem(registry, typeName, name))
                return table.addBinding(static_cast<uint32_t>(code), plugin) != nullptr ||
                    failure("Out of memory: Can not create accelerator");
            const int32_t answer = platform::messageBox(
                owner, "Plugin \"" + name + "\nof Type \"" + typeName + "\"\nis NOT present in system",
                loadErrorCaption, platform::MB_ABORTRETRYIGNORE | platform::MB_ICONEXCLAMATION);
            if (answer == platform::IDIGNORE)
                return true;
            if (answer != platform::IDRETRY)
                return false;
        }
    }

    bool failure(const std::string& text)
    {
        platform::messageBox(owner, text, loadErrorCaption, platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return false;
    }
    bool invalidFile() { return failure("File " + inQuotes(path) + "\nis NOT a valid accelerator file."); }
    bool unsupported(const std::string& line)
    {
        return failure("Version of file " + inQuotes(path) + ":\n" + inQuotes(line) + "\nis NOT supported.");
    }
    bool fileFailure()
    {
        platform::messageBox(
            owner, "Could not load accelerators\nErrorCode:  " + std::to_string(static_cast<int32_t>(reader.error())),
            "FileException", platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return false;
    }

    std::string path;
    AcceleratorTable& table;
    const PluginManager& registry;
    platform::WindowHandle owner;
    platform::TextFileReader reader;
};

// Writes the text through a temporary file that replaces the old one; answers 0 or the cause.
int32_t writeTextFile(const std::string& path, const std::string& text)
{
    platform::FileWriter writer;
    if (writer.open(path) && writer.writeText(text) && writer.close())
        return 0;
    return std::max(static_cast<int32_t>(writer.error()), static_cast<int32_t>(platform::FileErrorCause::Generic));
}

} // namespace

bool loadAcceleratorFile(const char* path, AcceleratorTable& table, const PluginManager& registry,
                         platform::WindowHandle owner)
{
    if (path == nullptr)
        return false;
    try
    {
        return AcceleratorFileLoader(path, table, registry, owner).load();
    }
    catch (const std::bad_alloc&)
    {
        platform::messageBox(owner, "Out of memory", "MemoryException", platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return false;
    }
}

std::string formatAcceleratorFile(const AcceleratorTable& table)
{
    std::string text = std::string(fileHeader) + "\r\n" + fileVersion + "\r\n";
    for (uint32_t code = 0; code < AcceleratorCode::Count; ++code)
        for (const AcceleratorBinding* binding = table.getBindings(code); binding != nullptr; binding = binding->next)
        {
            text += eventPrefix + std::to_string(code) + "\r\n";
            text += std::string(binding->plugin->getTypeName()) + "\r\n";
            text += std::string(binding->plugin->getName()) + "\r\n";
        }
    return text;
}

bool saveAcceleratorFile(const char* path, const AcceleratorTable& table, platform::WindowHandle owner)
{
    if (path == nullptr)
        return false;
    const int32_t cause = writeTextFile(path, formatAcceleratorFile(table));
    if (cause == 0)
        return true;
    platform::messageBox(owner, "Could not save accelerators\nErrorCode:  " + std::to_string(cause), "FileError",
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return false;
}

bool loadDefaultAccelerators(AcceleratorTable& table, const PluginManager& registry, platform::WindowHandle owner)
{
    std::error_code error;
    if (!std::filesystem::exists(defaultAcceleratorFilePath, error) && !error)
        return writeTextFile(defaultAcceleratorFilePath, formatAcceleratorFile(table)) == 0;
    return loadAcceleratorFile(defaultAcceleratorFilePath, table, registry, owner);
}

std::string hotKeyTextOfCode(uint32_t code)
{
    if (code < AcceleratorCode::FirstKey || code >= AcceleratorCode::Count)
        return {};
    struct Modifiers
    {
        const char* prefix;
        std::size_t longestName;
    };
    // The prefixed names are cut so that the whole text fits the menu item's 29 characters.
    static constexpr Modifiers modifiers[] = {{"", 29}, {"Shift+", 23}, {"Ctrl+", 24}, {"Shift+Ctrl+", 18}};
    const uint32_t keyCode = code - AcceleratorCode::FirstKey;
    const uint32_t virtualKey = keyCode % AcceleratorCode::KeyShift;
    const Modifiers& modifier = modifiers[keyCode / AcceleratorCode::KeyShift];
    constexpr uint32_t deleteKey = 0x2E;
    if (keyCode == deleteKey)
        return "Del";
    const std::string name = keyName(virtualKey).substr(0, modifier.longestName);
    if (name.empty())
        return {};
    return keyCode < AcceleratorCode::KeyShift ? capitalizedKeyName(name) : modifier.prefix + name;
}

bool updateMenuItemHotkeyTexts(MAI& mai)
{
    for (MenuItemTypeNode* node = mai.menuItemTypes; node != nullptr; node = node->next)
        for (VornPluginBase* first : {*node->type->getListHead(), node->type->getFirstDisabled()})
            for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
            {
                auto* item = dynamic_cast<VornPluginMenuItem*>(plugin);
                if (item != nullptr && item->hotKeyText[0] != '\0')
                {
                    item->hotKeyText[0] = '\0';
                    item->hotKeyTextChanged = 1;
                }
            }
    for (uint32_t code = AcceleratorCode::FirstKey; code < AcceleratorCode::Count; ++code)
    {
        const AcceleratorBinding* first = mai.accelerators.getBindings(code);
        if (first == nullptr || first->plugin == nullptr || first->plugin->hotKeyText[0] != '\0')
            continue;
        VornPluginMenuItem& item = *first->plugin;
        item.hotKeyTextChanged = 1;
        const std::string text = hotKeyTextOfCode(code);
        if (text.empty())
            platform::messageBox(platform::WindowHandle::None, item.getName(),
                                 "Can't create hotkey text for menuitem:", platform::MB_OK);
        const std::size_t length = std::min(text.size(), sizeof item.hotKeyText - 1);
        text.copy(item.hotKeyText, length);
        item.hotKeyText[length] = '\0';
    }
    return true;
}
