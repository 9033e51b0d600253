#pragma once

// Private to the platform library (and its tests): the Qt widgets of the rich controls.

#include "platform/PlatformApi.h"

#include <exception>
#include <functional>

class QWidget;

namespace platform
{

class TabControl;
class TreeControl;
class ComboBox;

PLATFORM_API QWidget* qtWidgetOf(TabControl& control);
PLATFORM_API QWidget* qtWidgetOf(TreeControl& control);
PLATFORM_API QWidget* qtWidgetOf(ComboBox& control);

// Runs code called from the toolkit; nothing it throws escapes into Qt.
inline void guardedToolkitCall(const std::function<void()>& body)
{
    try
    {
        body();
    }
    catch (...)
    {
    }
}

} // namespace platform
