#include "platform/DialogBar.h"

#include "platform/SystemValues.h"
#include "platform/qt/WindowState.h"

#include <QDockWidget>

namespace platform
{

DialogBar::DialogBar() = default;
DialogBar::~DialogBar() = default;

void DialogBar::rememberNaturalSize()
{
    if (naturalSize_.width == 0 && naturalSize_.height == 0)
        naturalSize_ = clientRect().size();
}

Size DialogBar::calcDynamicLayout(std::int32_t, std::uint32_t)
{
    rememberNaturalSize();
    return naturalSize_;
}

LResult DialogBar::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    const LResult result = Window::windowProc(message, wParam, lParam);
    // Once the frame took the bar, the bar sits in the frame's dock, which draws the caption.
    if (message == WM_SETTEXT && state() != nullptr && state()->widget != nullptr)
        if (auto* dock = qobject_cast<QDockWidget*>(state()->widget->parentWidget()))
            dock->setWindowTitle(QString::fromStdString(windowText()));
    return result;
}

} // namespace platform
