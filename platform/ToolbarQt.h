#pragma once

// Private to the platform library (and its tests): the Qt widget of a toolbar.

#include "platform/Toolbar.h"

class QWidget;

namespace platform
{

PLATFORM_API QWidget* qtWidgetOf(Toolbar& toolbar);

} // namespace platform
