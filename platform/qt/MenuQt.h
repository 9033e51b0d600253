#pragma once

// Private to the platform library (and its tests): how frames put a Menu into Qt.

#include "platform/Menu.h"

class QMenu;
class QMenuBar;

namespace platform
{

// The popup's Qt menu, kept in step with the entries.
PLATFORM_API QMenu* qtMenuOf(Menu& popup);
// Shows the bar's entries in a Qt menu bar (null detaches it).
PLATFORM_API void attachMenuBar(Menu& bar, QMenuBar* menuBar);

} // namespace platform
