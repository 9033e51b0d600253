#pragma once

#include <string>
#include <vector>

// The plugin configuration file "system/plugin.cfg": which plugin of a type is the default one and
// which plugins are disabled. Read once at start-up, written when the main frame closes.

inline constexpr const char* pluginConfigurationPath = "system/plugin.cfg";

// One entry of the file: a plugin type name, a plugin name and the state "Default" or "Disabled".
struct PluginConfigurationEntry
{
    std::string typeName;
    std::string pluginName;
    std::string state;

    bool operator==(const PluginConfigurationEntry&) const = default;
};

// What reading the file gave. The entries read before an error keep their effect; after an error
// nothing more is read.
struct PluginConfigurationContent
{
    bool opened = false; // false: the file could not be read at all
    std::string headerStatus; // "All OK" or the header's error; empty when not opened
    std::vector<PluginConfigurationEntry> entries;
    bool ok = true;
    std::string message = "All OK"; // the error when !ok
};

// Checks the header and reads the entries of the file's lines.
PluginConfigurationContent parsePluginConfiguration(const std::vector<std::string>& lines);

// Reads the file at `path`; a file that cannot be read gives opened = false and the read error.
PluginConfigurationContent readPluginConfiguration(const std::string& path);

// Writes the file safely (a failure leaves the old file): header, then three lines per entry.
// Answers 0 or the file-error cause.
int writePluginConfiguration(const std::string& path, const std::vector<PluginConfigurationEntry>& entries);

class PluginManager;
class StartupStatus;

// Applies the entries to the registered plugins: "Disabled" clears a plugin's enabled flag,
// "Default" makes it its list's default; other states, unknown types and unknown plugins change
// nothing. Progress goes to `status` as the start-up shows it. Answers the entries that name no
// registered plugin.
std::vector<PluginConfigurationEntry> applyPluginConfiguration(const PluginConfigurationContent& content,
                                                               PluginManager& registry, StartupStatus& status);

// Where a file refused at start-up is kept, so that writing at close does not lose its entries.
inline constexpr const char* refusedPluginConfigurationPath = "system/plugin.cfg.bak";

// Reads "system/plugin.cfg" during start-up and applies it, showing progress and errors on the
// start-up status; after an error the status stays readable for two seconds. A file that is there
// but refused is renamed to "system/plugin.cfg.bak" (the last status says so). Answers the
// entries of plugins not registered in this run (their library did not load), to be written back
// unchanged at close.
std::vector<PluginConfigurationEntry> loadPluginConfiguration(PluginManager& registry, StartupStatus& status);

// One entry per plugin that is disabled or the default of its type, types in registration order.
std::vector<PluginConfigurationEntry> collectPluginConfiguration(const PluginManager& registry);

// Writes the configuration of the registered plugins to "system/plugin.cfg" below the current
// folder, after the `carried` entries of absent plugins (so that this run's defaults win when
// both load again); answers 0 or the file-error cause.
int savePluginConfiguration(const PluginManager& registry, const std::vector<PluginConfigurationEntry>& carried = {});
