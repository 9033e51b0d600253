#pragma once

#include "plugins/PluginTable.h"

#include <array>
#include <cstdint>

class PluginLibraryApplication;
class VornPluginViewBase;

namespace zintel
{

// The library's two top-level plugins; everything else comes packaged in the view type.
extern const std::array<PluginTableEntry, 2> pluginTable;

// The plugin of a table index; the view type made last is kept as the library's view type.
VornPlugin* createPlugin(uint32_t index);

// The OpenGL view type made last; null before.
VornPluginViewBase* openGLViewType();

PluginLibraryApplication& application();

} // namespace zintel
