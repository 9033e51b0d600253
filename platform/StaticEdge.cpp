#include "platform/qt/StaticEdge.h"

#include "platform/qt/ApplicationObject.h"
#include "platform/qt/ColourQt.h"

#include <QPainter>
#include <QPaintEvent>

namespace platform
{

namespace
{

bool asksForStaticEdge(const QWidget* widget)
{
    const WindowState* state = WindowState::of(widget);
    return state != nullptr && state->widget == widget && (state->exStyle & WS_EX_STATICEDGE) != 0;
}

// Shadow on the top and left, highlight on the bottom and right over them, so that only the
// top-left corner keeps the shadow: the sunken outer border of an edge.
void paintStaticEdge(QWidget* widget)
{
    const int width = widget->width();
    const int height = widget->height();
    if (width <= 0 || height <= 0)
        return;
    QPainter painter(widget);
    const QColor shadow = qtColour(getSysColor(COLOR_BTNSHADOW));
    const QColor highlight = qtColour(getSysColor(COLOR_BTNHIGHLIGHT));
    painter.fillRect(0, 0, width, 1, shadow);
    painter.fillRect(0, 0, 1, height, shadow);
    painter.fillRect(0, height - 1, width, 1, highlight);
    painter.fillRect(width - 1, 0, 1, height, highlight);
}

// Lets the widget paint itself first (whatever its kind), then draws the edge over it.
class StaticEdgePainter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!asksForStaticEdge(widget))
            return false;
        // The widget's own handling, called directly: it does not pass this filter again.
        static_cast<QObject*>(widget)->event(event);
        guardedCall([&] { paintStaticEdge(widget); });
        return true;
    }
};

} // namespace

void followStaticEdge(WindowState* state)
{
    if (state == nullptr || state->widget == nullptr)
        return;
    if ((state->exStyle & WS_EX_STATICEDGE) != 0)
        state->widget->installEventFilter(applicationObject<StaticEdgePainter>());
    state->widget->update();
}

} // namespace platform
