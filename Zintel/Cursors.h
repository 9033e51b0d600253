#pragma once

#include "plugins/PlatformTypes.h"

namespace zintel
{

// The library's cursors, each loaded from the library's resources at its first request and kept;
// null when it cannot be loaded (tried again at the next request).
platform::CursorHandle getCursorSelect();
platform::CursorHandle getCursorSelectAdd();
platform::CursorHandle getCursorSelectRemove();
platform::CursorHandle getCursorSelectToggle();
platform::CursorHandle getCursorZoom();
platform::CursorHandle getCursorRotate();
platform::CursorHandle getCursorPan();
platform::CursorHandle getCursorHandleX();
platform::CursorHandle getCursorHandleY();
platform::CursorHandle getCursorHandleZ();
platform::CursorHandle getCursorHandleXY();
platform::CursorHandle getCursorHandleXZ();
platform::CursorHandle getCursorHandleYZ();
platform::CursorHandle getCursorHandleXYZ();

// Registers the cursor pictures under the library's module (done once, before the first load).
void registerCursorResources();

} // namespace zintel
