#pragma once

#include "plugins/PluginTable.h"
#include "plugins/PluginWindowFactory.h"

#include <array>
#include <cstdint>

class PluginLibraryApplication;

namespace lumbra
{

// The library's top-level plugins, in the order GetPluginObject hands them out.
extern const std::array<PluginTableEntry, 48> pluginTable;
// The dialogs the library's window factory makes.
extern const std::array<PluginWindowTableEntry, 34> windowTable;

// The plugin of a table index. Scale, Rotate and Move share their pagettes: Scale is kept when it
// is made, and Rotate and Move made after it join its ring.
VornPlugin* createPlugin(uint32_t index);

PluginLibraryApplication& application();

} // namespace lumbra
