#pragma once

#include <cstdint>
#include <span>

class VornPlugin;

// One top-level plugin a library hands out: its type and name, and how to make it. `create` is
// null while the plugin is not part of the library yet; its index then answers null, which the
// host skips.
struct PluginTableEntry
{
    const char* typeName;
    const char* name;
    VornPlugin* (*create)();
};

// The `create` of an entry whose plugin class is made without arguments.
template <class Plugin>
VornPlugin* makeTablePlugin()
{
    return new Plugin;
}

// A new plugin of the entry; null past the end of the table, for an entry without a plugin, and
// when memory runs out.
VornPlugin* createTablePlugin(std::span<const PluginTableEntry> table, uint32_t index);
