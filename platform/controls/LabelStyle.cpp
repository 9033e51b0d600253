// The look of the controls' labels: a disabled label is etched, dark grey text over a white copy
// one pixel down and right, so it stays readable on the grey face.

#include "platform/qt/ControlKinds.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

namespace platform
{

namespace
{

class LabelStyle : public QProxyStyle
{
public:
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole) const override
    {
        if (enabled || text.isEmpty())
        {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
            return;
        }
        const QPen pen = painter->pen();
        painter->setPen(QColor(disabledTextEmboss));
        painter->drawText(rect.translated(1, 1), flags, text);
        painter->setPen(QColor(disabledTextColour));
        painter->drawText(rect, flags, text);
        painter->setPen(pen);
    }
};

} // namespace

void useLabelStyle(QWidget* widget)
{
    // One style for the running application, which owns it (a test may make several).
    static QPointer<QStyle> style;
    if (style == nullptr)
    {
        style = new LabelStyle;
        style->setParent(QCoreApplication::instance());
    }
    widget->setStyle(style);
}

} // namespace platform
