#pragma once

// Private to the platform library: what the rich controls (tab, tree, combo, toolbar) share.

#include "platform/ControlNotifications.h"
#include "platform/Window.h"
#include "platform/qt/WindowState.h"

#include <QWidget>

#include <cstdint>

namespace platform
{

// Sends WM_NOTIFY from the control to its parent with `record` (its header filled in here) and
// answers the parent's result; 0 when the control or its parent is gone.
LResult sendNotify(WindowHandle control, std::int32_t code, NotifyHeader& record);
// Sends WM_COMMAND with the control's id and `code` to its parent.
void sendCommandNotify(WindowHandle control, std::uint32_t code);
// Registers a window class whose windows get their widget (and maybe their text) from `hooks`.
void registerRichControlClass(const char* className, std::uint32_t classStyle, const ControlWidgetHooks& hooks);

// The widget of a control window when it is of type W; null for no window or another kind.
template <typename W>
W* controlWidget(const Window& window)
{
    WindowState* state = window.state();
    return state != nullptr ? dynamic_cast<W*>(state->widget) : nullptr;
}

} // namespace platform
