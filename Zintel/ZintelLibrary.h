#pragma once

#include "platform/DynamicLibrary.h"

#include <string>

class PluginWindowHandle;

namespace zintel
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// A plugin's about box: OK only, owned by the parent's window (none without one).
void showAboutBox(PluginWindowHandle* parent, const char* caption, const std::string& text);

} // namespace zintel
