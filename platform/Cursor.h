#pragma once

// Mouse cursors: the standard ones and those of a module's resources.

#include "platform/DynamicLibrary.h"
#include "platform/Geometry.h"
#include "platform/PlatformApi.h"

#include <cstdint>

namespace platform
{

// A cursor, made by the platform and never destroyed, so pointers to it stay valid for the run.
// The null cursor means the standard arrow.
class Cursor;

// IDC_ARROW, IDC_SIZENS, IDC_SIZEWE, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW, IDC_IBEAM, IDC_WAIT,
// IDC_CROSS, IDC_UPARROW, IDC_NO, IDC_HAND; null for any other id.
PLATFORM_API Cursor* loadStandardCursor(int32_t id);
// The cursor resource `id` of `module`; the same cursor on every call; null when the module has
// no such cursor. Throws ResourceError for a null or unknown module.
PLATFORM_API Cursor* loadCursor(ModuleHandle module, int32_t id);
// Shows `cursor` over the window the pointer is over now; answers the previous one.
PLATFORM_API Cursor* setCursor(Cursor* cursor);
// The cursor set last (null: the arrow).
PLATFORM_API Cursor* currentCursor();
// The pointer's position in screen coordinates.
PLATFORM_API Point cursorPosition();

} // namespace platform
