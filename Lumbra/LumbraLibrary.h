#pragma once

#include "platform/DynamicLibrary.h"
#include "uikit/PluginWindowHandleImpl.h"

namespace lumbra
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// A new handle for a window this library makes.
PluginWindowHandle* makeWindowHandle();

// The kit's about box, shared by the plugin libraries.
using ::showAboutBox;

} // namespace lumbra
