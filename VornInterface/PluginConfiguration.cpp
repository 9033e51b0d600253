#include "VornInterface/PluginConfiguration.h"

#include "VornInterface/SafeFile.h"
#include "VornInterface/StartupStatus.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPlugin.h"

#include <chrono>
#include <set>
#include <thread>

namespace
{

const char* const headerLine = "PLUGINCONFIG";
const char* const versionLine = "version 1";
const char* const versionPrefix = "version ";
const char* const defaultState = "Default";
const char* const disabledState = "Disabled";

const char* const readError = "Errors during reading of file \"plugin.cfg\"";
const char* const endOfFileError = "Unexpected end of file \"plugin.cfg\"";
const char* const corruptedError = "file \"plugin.cfg\" is corrupted";
const char* const versionError = "wrong version of file \"plugin.cfg\"";

void fail(PluginConfigurationContent& content, const char* message)
{
    content.ok = false;
    content.message = message;
}

} // namespace

std::vector<std::string> splitTextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = next;
    }
    return lines;
}

PluginConfigurationContent parsePluginConfiguration(const std::string& text)
{
    PluginConfigurationContent content;
    content.opened = true;
    const std::vector<std::string> lines = splitTextLines(text);
    std::size_t next = 0;
    auto readLine = [&](std::string& line) {
        if (next >= lines.size())
            return false;
        line = lines[next++];
        return true;
    };

    std::string line;
    if (!readLine(line))
        fail(content, endOfFileError);
    else if (line != headerLine)
        fail(content, corruptedError);
    if (content.ok)
    {
        if (!readLine(line))
            fail(content, endOfFileError);
        else if (line.compare(0, 8, versionPrefix) != 0 || line.size() < 8)
            fail(content, corruptedError);
        else if (line != versionLine)
            fail(content, versionError);
    }
    content.headerStatus = content.message;

    while (content.ok)
    {
        PluginConfigurationEntry entry;
        if (!readLine(entry.typeName) || entry.typeName.empty())
            break;
        if (!readLine(entry.pluginName) || !readLine(entry.state))
        {
            fail(content, endOfFileError);
            break;
        }
        content.entries.push_back(std::move(entry));
    }
    return content;
}

PluginConfigurationContent readPluginConfiguration(const std::string& path)
{
    std::string text;
    if (!readWholeFile(path, text))
    {
        PluginConfigurationContent content;
        fail(content, readError);
        return content;
    }
    return parsePluginConfiguration(text);
}

std::string formatPluginConfiguration(const std::vector<PluginConfigurationEntry>& entries)
{
    std::string text;
    auto writeLine = [&text](const std::string& line) {
        text += line;
        text += "\r\n";
    };
    writeLine(headerLine);
    writeLine(versionLine);
    for (const PluginConfigurationEntry& entry : entries)
    {
        writeLine(entry.typeName);
        writeLine(entry.pluginName);
        writeLine(entry.state);
    }
    return text;
}

void applyPluginConfiguration(const PluginConfigurationContent& content, PluginManager& registry, StartupStatus& status)
{
    for (const PluginConfigurationEntry& entry : content.entries)
    {
        const std::string& type = entry.typeName;
        const std::string& name = entry.pluginName;
        status.showStatus("Searching for type \"" + type + "\"");
        VornPluginBase* plugin = registry.getFirstPlugin(type.c_str());
        if (plugin != nullptr)
            status.showStatus("Searching for plugin \"" + name + "\"of type\"" + type + "\"");
        while (plugin != nullptr && name != plugin->getName())
            plugin = plugin->getNext();
        if (plugin == nullptr)
            continue;
        if (entry.state == disabledState)
            plugin->setEnabled(false);
        else if (entry.state == defaultState)
            plugin->setDefault(true);
        status.showStatus("Plugin \"" + name + "\"of type\"" + type + "\" set to" + entry.state);
    }
}

void loadPluginConfiguration(PluginManager& registry, StartupStatus& status)
{
    status.showStatus("Loading Plugin Configuration");
    PluginConfigurationContent content = readPluginConfiguration(pluginConfigurationPath);
    if (content.opened)
        status.showStatus(content.headerStatus);
    applyPluginConfiguration(content, registry, status);
    if (!content.ok)
    {
        status.showStatus(content.message);
        std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    }
}

std::vector<PluginConfigurationEntry> collectPluginConfiguration(const PluginManager& registry)
{
    std::vector<PluginConfigurationEntry> entries;
    std::set<VornPluginBase**> walkedLists; // a name registered twice may share one list
    for (const PluginType* type = registry.getFirstType(); type != nullptr; type = type->getNewer())
    {
        if (!walkedLists.insert(type->getListHead()).second)
            continue;
        auto collect = [&](VornPluginBase* plugin) {
            for (; plugin != nullptr; plugin = plugin->getNext())
            {
                if (plugin->isDefault() || !plugin->isEnabled())
                    entries.push_back({type->getName(), plugin->getName(),
                                       plugin->isEnabled() ? defaultState : disabledState});
            }
        };
        collect(*type->getListHead());
        collect(type->getFirstDisabled());
    }
    return entries;
}

int savePluginConfiguration(const PluginManager& registry)
{
    return writeFileReplacing(pluginConfigurationPath, formatPluginConfiguration(collectPluginConfiguration(registry)));
}
