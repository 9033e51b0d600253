#include "platform/Cursor.h"
#include "platform/Resources.h"
#include "platform/qt/InputState.h"
#include "platform/qt/WindowState.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <map>

namespace platform
{

class Cursor
{
public:
    explicit Cursor(const QCursor& shape) : shape(shape) {}
    QCursor shape;
};

namespace
{

Cursor* shownCursor = nullptr;

} // namespace

void setWidgetCursor(QWidget* widget, Cursor* cursor)
{
    if (widget != nullptr)
        widget->setCursor(cursor != nullptr ? cursor->shape : QCursor(Qt::ArrowCursor));
}

Cursor* loadStandardCursor(int32_t id)
{
    // Kept for the run, like the system's shared cursors (and never torn down after the toolkit).
    static auto& cursors = *new std::map<int32_t, Cursor*>;
    auto found = cursors.find(id);
    if (found != cursors.end())
        return found->second;
    Qt::CursorShape shape;
    switch (id)
    {
    case IDC_ARROW:
        shape = Qt::ArrowCursor;
        break;
    case IDC_IBEAM:
        shape = Qt::IBeamCursor;
        break;
    case IDC_WAIT:
        shape = Qt::WaitCursor;
        break;
    case IDC_CROSS:
        shape = Qt::CrossCursor;
        break;
    case IDC_UPARROW:
        shape = Qt::UpArrowCursor;
        break;
    case IDC_SIZENWSE:
        shape = Qt::SizeFDiagCursor;
        break;
    case IDC_SIZENESW:
        shape = Qt::SizeBDiagCursor;
        break;
    case IDC_SIZEWE:
        shape = Qt::SizeHorCursor;
        break;
    case IDC_SIZENS:
        shape = Qt::SizeVerCursor;
        break;
    case IDC_SIZEALL:
        shape = Qt::SizeAllCursor;
        break;
    case IDC_NO:
        shape = Qt::ForbiddenCursor;
        break;
    case IDC_HAND:
        shape = Qt::PointingHandCursor;
        break;
    default:
        return nullptr;
    }
    Cursor* cursor = new Cursor(QCursor(shape));
    cursors[id] = cursor;
    return cursor;
}

Cursor* loadCursor(ModuleHandle module, int32_t id)
{
    const CursorResource* resource = findCursorResource(module, id);
    if (resource == nullptr)
        return nullptr;
    static auto& cursors = *new std::map<std::pair<ModuleHandle, int32_t>, Cursor*>;
    auto found = cursors.find({module, id});
    if (found != cursors.end())
        return found->second;
    QImage image(resource->width, resource->height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < resource->height; ++y)
        for (int32_t x = 0; x < resource->width; ++x)
        {
            const uint32_t colour = resource->pixels[static_cast<size_t>(y) * resource->width + x];
            image.setPixel(x, y,
                           colour == resource->transparentColour
                               ? qRgba(0, 0, 0, 0)
                               : qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
        }
    Cursor* cursor = new Cursor(QCursor(QPixmap::fromImage(image), resource->hotspotX, resource->hotspotY));
    cursors[{module, id}] = cursor;
    return cursor;
}

Cursor* setCursor(Cursor* cursor)
{
    Cursor* previous = shownCursor;
    shownCursor = cursor;
    QWidget* widget = pointerWidget;
    if (WindowState* captured = captureState())
        widget = captured->widget;
    setWidgetCursor(widget, cursor);
    return previous;
}

Cursor* currentCursor()
{
    return shownCursor;
}

Point cursorPosition()
{
    const QPoint position = anyPointerEvent ? lastGlobalPosition : QCursor::pos();
    return {position.x(), position.y()};
}

} // namespace platform
