// The look of the controls' labels: a disabled label is etched, dark grey text over a white copy
// one pixel down and right, so it stays readable on the grey face.

#include "platform/qt/ApplicationObject.h"
#include "platform/qt/ControlKinds.h"

#include <QPainter>
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
    widget->setStyle(applicationObject<LabelStyle>());
}

} // namespace platform
