#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace platform
{

namespace
{

// QRect's right() and bottom() are inclusive; ours are not.
Rect rectFromQRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

} // namespace

Rect desktopWorkArea()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    const QRect area = screen->availableGeometry();
    return rectFromQRect(area);
}

} // namespace platform
