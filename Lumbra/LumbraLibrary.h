#pragma once

#include "platform/DynamicLibrary.h"

class PluginWindowHandle;

namespace lumbra
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// A new handle for a window this library makes.
PluginWindowHandle* makeWindowHandle();

} // namespace lumbra
