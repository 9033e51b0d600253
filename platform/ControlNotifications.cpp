#include "platform/ControlNotifications.h"

#include <algorithm>
#include <cstring>

#include "platform/SystemValues.h"
#include "platform/qt/RichControlsQt.h"

namespace platform
{

LResult sendNotify(WindowHandle control, std::int32_t code, NotifyHeader& record)
{
    WindowState* state = WindowState::of(control);
    if (state == nullptr || state->parent == nullptr)
        return 0;
    record.from = control;
    record.idFrom = static_cast<std::uintptr_t>(state->id);
    record.code = code;
    return platform::sendMessage(state->parent->handle, WM_NOTIFY, static_cast<WParam>(state->id),
                                 reinterpret_cast<LParam>(&record));
}

void sendCommandNotify(WindowHandle control, std::uint32_t code)
{
    WindowState* state = WindowState::of(control);
    if (state == nullptr || state->parent == nullptr)
        return;
    platform::sendMessage(state->parent->handle, WM_COMMAND, makeWParam(static_cast<std::uint32_t>(state->id), code),
                          handleToLParam(control));
}

void registerRichControlClass(const char* className, std::uint32_t classStyle, const ControlWidgetHooks& hooks)
{
    WindowClass windowClass;
    windowClass.name = className;
    windowClass.classStyle = classStyle;
    registerWindowClass(windowClass);
    registerControlWidgetHooks(className, hooks);
}

void NotifyToolbar::answer(const ToolbarButton& record, const char* name)
{
    button = record;
    if (text == nullptr || textLimit <= 0)
        return;
    const size_t length = std::min(name != nullptr ? std::strlen(name) : 0, static_cast<size_t>(textLimit - 1));
    if (length > 0)
        std::memcpy(text, name, length);
    text[length] = '\0';
}

} // namespace platform
