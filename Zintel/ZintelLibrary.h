#pragma once

#include "platform/DynamicLibrary.h"
#include "uikit/PluginWindowHandleImpl.h"

namespace zintel
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

// A debugging trace line made like printf (plugins/Trace.h says where it goes).
void traceFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The kit's about box, shared by the plugin libraries.
using ::showAboutBox;

} // namespace zintel
