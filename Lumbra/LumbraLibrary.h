#pragma once

#include "platform/DynamicLibrary.h"

#include <string>

class PluginWindowHandle;

namespace lumbra
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// A new handle for a window this library makes.
PluginWindowHandle* makeWindowHandle();

// A plugin's about box: OK only, owned by the parent's window (none without one).
void showAboutBox(PluginWindowHandle* parent, const char* caption, const std::string& text);

} // namespace lumbra
