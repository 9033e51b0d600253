#pragma once

#include "platform/DynamicLibrary.h"
#include "uikit/PluginWindowHandleImpl.h"

namespace zintel
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// The kit's about box, shared by the plugin libraries.
using ::showAboutBox;

} // namespace zintel
