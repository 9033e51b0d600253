#pragma once

#include "platform/DynamicLibrary.h"

namespace lumbra
{

// The module of this library: the key of its resources (dialog templates, bitmaps, cursors).
platform::ModuleHandle thisModule();

} // namespace lumbra
