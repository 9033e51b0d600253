// Static controls: a text label, or a bitmap or icon from the module's resources.

#include "platform/DrawingConstants.h"
#include "platform/Resources.h"
#include "platform/qt/ColourQt.h"
#include "platform/qt/ControlKinds.h"

#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include <cstdlib>

namespace platform
{

namespace
{

Qt::Alignment staticAlignment(uint32_t style)
{
    const uint32_t type = style & SS_TYPEMASK;
    if (type == SS_RIGHT)
        return Qt::AlignRight | Qt::AlignTop;
    if (type == SS_CENTER)
        return Qt::AlignHCenter | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

// "&Name" shows as "Name" (the mnemonic marker), "&&" as "&".
QString withoutMnemonics(const std::string& text)
{
    QString shown;
    for (size_t index = 0; index < text.size(); ++index)
    {
        if (text[index] == '&')
        {
            if (index + 1 < text.size() && text[index + 1] == '&')
                ++index;
            else
                continue;
        }
        shown += QChar(static_cast<uchar>(text[index]));
    }
    return QString::fromUtf8(shown.toLatin1());
}

QPixmap bitmapPixmap(const BitmapResource& bitmap)
{
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < bitmap.height; ++y)
        for (int32_t x = 0; x < bitmap.width; ++x)
        {
            const uint32_t colour = bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x];
            image.setPixel(x, y,
                           colour == bitmap.transparentColour
                               ? qRgba(0, 0, 0, 0)
                               : qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
        }
    return QPixmap::fromImage(image);
}

QWidget* createStatic(WindowState* state, QWidget* parentWidget)
{
    const uint32_t style = state->style;
    auto* label = new QLabel(parentWidget);
    label->setAlignment(staticAlignment(style));
    label->setWordWrap((style & SS_TYPEMASK) == SS_LEFT || (style & SS_TYPEMASK) == SS_CENTER);
    if ((style & SS_SUNKEN) != 0 || (state->exStyle & WS_EX_STATICEDGE) != 0)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if ((style & SS_TYPEMASK) == SS_ETCHEDHORZ || (style & SS_TYPEMASK) == SS_ETCHEDFRAME)
        label->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    if ((style & SS_TYPEMASK) == SS_GRAYFRAME)
    {
        // A one-pixel frame in the shadow grey around an empty inside.
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, qtColour(getSysColor(COLOR_BTNSHADOW)));
        label->setPalette(palette);
    }
    if ((style & SS_NOTIFY) == 0)
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void setStaticText(WindowState* state, const std::string& text)
{
    static_cast<QLabel*>(state->widget)
        ->setText((state->style & SS_NOPREFIX) != 0 ? QString::fromStdString(text) : withoutMnemonics(text));
}

// A static bitmap or icon names its resource as "#<id>" in its text.
void showStaticImage(WindowState* state, const std::string& text)
{
    auto* label = static_cast<QLabel*>(state->widget);
    if (text.size() < 2 || text[0] != '#' || state->module == ModuleHandle::None)
    {
        label->clear();
        return;
    }
    const int32_t id = std::atoi(text.c_str() + 1);
    const BitmapResource* image = (state->style & SS_TYPEMASK) == SS_ICON ? findIconResource(state->module, id)
                                                                          : findBitmapResource(state->module, id);
    if (image == nullptr)
        label->clear();
    else
        label->setPixmap(bitmapPixmap(*image));
}

LResult staticMessage(WindowState* state, uint32_t message, WParam, LParam, bool& handled)
{
    handled = message == WM_GETDLGCODE;
    if (handled)
        return DLGC_STATIC;
    if (message == WM_LBUTTONUP && (state->style & SS_NOTIFY) != 0)
        state->object->notifyParent(STN_CLICKED);
    return 0;
}

} // namespace

const ControlKindBehaviour staticTextBehaviour{
    .create = createStatic, .setText = setStaticText, .message = staticMessage};
const ControlKindBehaviour staticBitmapBehaviour{
    .create = createStatic, .setText = showStaticImage, .message = staticMessage};

} // namespace platform
