#include "VornInterface/PluginConfiguration.h"

#include "VornInterface/StartupStatus.h"
#include "platform/Files.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPlugin.h"

#include <chrono>
#include <filesystem>
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
const char* const keptNote = " - kept as \"plugin.cfg.bak\"";
// Some editors put one before the first line.
const char* const byteOrderMark = "\xEF\xBB\xBF";

void fail(PluginConfigurationContent& content, const char* message)
{
    content.ok = false;
    content.message = message;
}

} // namespace

PluginConfigurationContent parsePluginConfiguration(const std::vector<std::string>& lines)
{
    PluginConfigurationContent content;
    content.opened = true;
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
    else if (line != headerLine && line != std::string(byteOrderMark) + headerLine)
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
    platform::TextFileReader reader;
    std::vector<std::string> lines;
    if (reader.open(path))
    {
        std::string line;
        while (reader.readLine(line))
            lines.push_back(line);
    }
    if (!reader.isOpen() || reader.error() != platform::FileErrorCause::None)
    {
        PluginConfigurationContent content;
        fail(content, readError);
        return content;
    }
    return parsePluginConfiguration(lines);
}

int writePluginConfiguration(const std::string& path, const std::vector<PluginConfigurationEntry>& entries)
{
    platform::FileWriter writer;
    if (writer.open(path))
    {
        writer.writeLine(headerLine);
        writer.writeLine(versionLine);
        for (const PluginConfigurationEntry& entry : entries)
        {
            writer.writeLine(entry.typeName);
            writer.writeLine(entry.pluginName);
            writer.writeLine(entry.state);
        }
        writer.close();
    }
    return static_cast<int>(writer.error());
}

std::vector<PluginConfigurationEntry> applyPluginConfiguration(const PluginConfigurationContent& content,
                                                               PluginManager& registry, StartupStatus& status)
{
    std::vector<PluginConfigurationEntry> absent;
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
        {
            absent.push_back(entry);
            continue;
        }
        if (entry.state == disabledState)
            plugin->setEnabled(false);
        else if (entry.state == defaultState)
            plugin->setDefault(true);
        status.showStatus("Plugin \"" + name + "\"of type\"" + type + "\" set to" + entry.state);
    }
    return absent;
}

std::vector<PluginConfigurationEntry> loadPluginConfiguration(PluginManager& registry, StartupStatus& status)
{
    status.showStatus("Loading Plugin Configuration");
    PluginConfigurationContent content = readPluginConfiguration(pluginConfigurationPath);
    if (content.opened)
        status.showStatus(content.headerStatus);
    std::vector<PluginConfigurationEntry> absent = applyPluginConfiguration(content, registry, status);
    if (!content.ok)
    {
        // The file is rewritten at close: a file we could not read keeps what the user had.
        std::error_code error;
        const bool there = std::filesystem::exists(pluginConfigurationPath, error);
        std::filesystem::rename(pluginConfigurationPath, refusedPluginConfigurationPath, error);
        status.showStatus(there && !error ? content.message + keptNote : content.message);
        std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    }
    return absent;
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
                    entries.push_back(
                        {type->getName(), plugin->getName(), plugin->isEnabled() ? defaultState : disabledState});
            }
        };
        collect(*type->getListHead());
        collect(type->getFirstDisabled());
    }
    return entries;
}

int savePluginConfiguration(const PluginManager& registry, const std::vector<PluginConfigurationEntry>& carried)
{
    std::vector<PluginConfigurationEntry> entries = carried;
    for (PluginConfigurationEntry& entry : collectPluginConfiguration(registry))
        entries.push_back(std::move(entry));
    return writePluginConfiguration(pluginConfigurationPath, entries);
}
