#include "platform/TabControl.h"

#include "platform/ImageList.h"
#include "platform/SystemValues.h"
#include "platform/qt/ImageListQt.h"
#include "platform/qt/RichControlsQt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QTabBar>

#include <algorithm>
#include <map>
#include <utility>

namespace platform
{
namespace
{

struct TabItem
{
    int image = -1;
    std::intptr_t data = 0;
};

} // namespace
} // namespace platform

Q_DECLARE_METATYPE(platform::TabItem)

namespace platform
{
namespace
{

// The tab strip changes tabs for the user only through the notifying path.
class TabStrip : public QTabBar
{
public:
    TabStrip(WindowHandle handle, QWidget* parent) : QTabBar(parent), handle_(handle)
    {
        setExpanding(false);
        setDrawBase(true);
        // Tabs that do not fit share the width instead of scrolling: a strip laid out before
        // its window had a width would otherwise stay scrolled past every tab.
        setUsesScrollButtons(false);
    }

    const ImageList* images = nullptr;

    TabItem item(int index) const { return tabData(index).value<TabItem>(); }

    void userSelect(int index)
    {
        if (index < 0 || index >= count() || index == currentIndex())
            return;
        NotifyHeader changing;
        if (sendNotify(handle_, TCN_SELCHANGING, changing) != 0)
            return;
        setCurrentIndex(index);
        NotifyHeader changed;
        sendNotify(handle_, TCN_SELCHANGE, changed);
    }

protected:
    // Tabs wider than their share of the strip shrink to it, so that every tab stays visible and
    // clickable however narrow the strip is (icons are clipped rather than tabs lost).
    QSize tabSizeHint(int index) const override
    {
        QSize hint = QTabBar::tabSizeHint(index);
        const int tabs = count();
        if (tabs > 0 && width() > 0 && hint.width() * tabs > width())
            hint.setWidth(std::max(1, width() / tabs));
        return hint;
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QTabBar::resizeEvent(event);
        // The tabs' widths depend on the strip's width: lay them out again.
        updateGeometry();
        update();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            guardedCall([&] { userSelect(tabAt(event->position().toPoint())); });
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
        if (step == 0)
            QTabBar::keyPressEvent(event);
        else
            guardedCall([&] { userSelect(currentIndex() + step); });
    }
    void wheelEvent(QWheelEvent*) override {}

private:
    WindowHandle handle_;
};

// Room around each tab's image and text. A style, not a style sheet: a style sheet would pass on
// to the pages the strip holds and take the dialog font from their controls.
class TabPaddingStyle : public QProxyStyle
{
public:
    explicit TabPaddingStyle(Size padding) : padding_(padding) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 2 * padding_.width;
        if (metric == PM_TabBarTabVSpace)
            return 2 * padding_.height;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    Size padding_;
};

// One style per padding for the running application, which owns them (a test may make several).
QStyle* tabPaddingStyle(Size padding)
{
    static std::map<std::pair<int32_t, int32_t>, QPointer<QStyle>> styles;
    QPointer<QStyle>& style = styles[{padding.width, padding.height}];
    if (style.isNull())
    {
        style = new TabPaddingStyle(padding);
        style->setParent(QApplication::instance());
    }
    return style.data();
}

QWidget* makeTabStrip(WindowState* state, QWidget* parent)
{
    return new TabStrip(state->handle, parent);
}

const bool tabClassRegistered = [] {
    registerRichControlClass(TabControl::kClassName, 0, {&makeTabStrip, nullptr, nullptr});
    return true;
}();

} // namespace

bool TabControl::create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id)
{
    return Window::create(kClassName, "", style | WS_CHILD, rect, parent, id);
}

void TabControl::setImageList(const ImageList* images)
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    if (strip == nullptr)
        return;
    strip->images = images;
    for (int i = 0; i < strip->count(); ++i)
        strip->setTabIcon(i, images ? QIcon(pixmapOf(*images, strip->item(i).image)) : QIcon());
    if (images)
        strip->setIconSize(QSize(images->imageSize().width, images->imageSize().height));
}

void TabControl::setPadding(Size padding)
{
    if (TabStrip* strip = controlWidget<TabStrip>(*this))
        strip->setStyle(tabPaddingStyle(padding));
}

int TabControl::insertItem(int index, const std::string& text, int image, std::intptr_t data)
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    if (strip == nullptr)
        return -1;
    if (index < 0 || index > strip->count())
        index = strip->count();
    // The first tab becomes current, in Qt as in the system; that is no user change.
    const int at = strip->insertTab(index, QString::fromStdString(text));
    strip->setTabData(at, QVariant::fromValue(TabItem{image, data}));
    if (strip->images && image >= 0)
        strip->setTabIcon(at, QIcon(pixmapOf(*strip->images, image)));
    return at;
}

bool TabControl::deleteItem(int index)
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    if (strip == nullptr || index < 0 || index >= strip->count())
        return false;
    strip->removeTab(index);
    return true;
}

void TabControl::deleteAllItems()
{
    if (TabStrip* strip = controlWidget<TabStrip>(*this))
        while (strip->count() > 0)
            strip->removeTab(0);
}

int TabControl::itemCount() const
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    return strip != nullptr ? strip->count() : 0;
}

std::string TabControl::itemText(int index) const
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    return strip != nullptr ? strip->tabText(index).toStdString() : std::string();
}

int TabControl::itemImage(int index) const
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    return strip != nullptr && index >= 0 && index < strip->count() ? strip->item(index).image : -1;
}

std::intptr_t TabControl::itemData(int index) const
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    return strip != nullptr && index >= 0 && index < strip->count() ? strip->item(index).data : 0;
}

int TabControl::curSel() const
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    return strip != nullptr ? strip->currentIndex() : -1;
}

int TabControl::setCurSel(int index)
{
    TabStrip* strip = controlWidget<TabStrip>(*this);
    if (strip == nullptr || index < 0 || index >= strip->count())
        return -1;
    const int previous = strip->currentIndex();
    strip->setCurrentIndex(index);
    return previous;
}

} // namespace platform
