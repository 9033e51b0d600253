#include "platform/TabControl.h"

#include "platform/ControlNotifications.h"
#include "platform/ImageListQt.h"
#include "platform/RichControlsQt.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>

namespace platform
{
namespace
{

struct TabItem
{
    int image = -1;
    std::intptr_t data = 0;
};

// Changes the tab only through the control's notifying path when the user asks for it.
class TabStrip : public QTabBar
{
public:
    explicit TabStrip(TabControl::State& state) : state_(state)
    {
        setExpanding(false);
        setDrawBase(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent*) override {}

private:
    TabControl::State& state_;
};

} // namespace

struct TabControl::State
{
    QPointer<TabStrip> strip;
    const ImageList* images = nullptr;
    std::function<std::intptr_t(std::int32_t)> notify;

    TabItem item(int index) const { return strip->tabData(index).value<TabItem>(); }

    void userSelect(int index)
    {
        if (index < 0 || index >= strip->count() || index == strip->currentIndex())
            return;
        if (notify && notify(notify_code::TabSelectionChanging) != 0)
            return;
        strip->setCurrentIndex(index);
        if (notify)
            notify(notify_code::TabSelectionChange);
    }
};

} // namespace platform

Q_DECLARE_METATYPE(platform::TabItem)

namespace platform
{
namespace
{

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        guardedToolkitCall([&] { state_.userSelect(tabAt(event->position().toPoint())); });
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0)
    {
        QTabBar::keyPressEvent(event);
        return;
    }
    guardedToolkitCall([&] { state_.userSelect(currentIndex() + step); });
}

} // namespace

TabControl::TabControl() : state_(std::make_unique<State>())
{
    state_->strip = new TabStrip(*state_);
}

TabControl::~TabControl()
{
    delete state_->strip.data();
}

void TabControl::setImageList(const ImageList* images)
{
    state_->images = images;
    for (int i = 0; i < itemCount(); ++i)
        state_->strip->setTabIcon(i, images ? QIcon(pixmapOf(*images, itemImage(i))) : QIcon());
    if (images)
        state_->strip->setIconSize(QSize(images->imageSize().width, images->imageSize().height));
}

void TabControl::setPadding(Size padding)
{
    state_->strip->setStyleSheet(QStringLiteral("QTabBar::tab { padding: %1px %2px; }").arg(padding.height).arg(padding.width));
}

int TabControl::insertItem(int index, const std::string& text, int image, std::intptr_t data)
{
    if (index < 0 || index > itemCount())
        index = itemCount();
    // Inserting the first tab makes it current in Qt as in the system; that is not a user change.
    const int at = state_->strip->insertTab(index, QString::fromStdString(text));
    state_->strip->setTabData(at, QVariant::fromValue(TabItem{image, data}));
    if (state_->images && image >= 0)
        state_->strip->setTabIcon(at, QIcon(pixmapOf(*state_->images, image)));
    return at;
}

bool TabControl::deleteItem(int index)
{
    if (index < 0 || index >= itemCount())
        return false;
    state_->strip->removeTab(index);
    return true;
}

void TabControl::deleteAllItems()
{
    while (itemCount() > 0)
        state_->strip->removeTab(0);
}

int TabControl::itemCount() const
{
    return state_->strip->count();
}

std::string TabControl::itemText(int index) const
{
    return state_->strip->tabText(index).toStdString();
}

int TabControl::itemImage(int index) const
{
    return index >= 0 && index < itemCount() ? state_->item(index).image : -1;
}

std::intptr_t TabControl::itemData(int index) const
{
    return index >= 0 && index < itemCount() ? state_->item(index).data : 0;
}

int TabControl::curSel() const
{
    return state_->strip->currentIndex();
}

int TabControl::setCurSel(int index)
{
    if (index < 0 || index >= itemCount())
        return -1;
    const int previous = curSel();
    state_->strip->setCurrentIndex(index);
    return previous;
}

void TabControl::setNotificationHandler(std::function<std::intptr_t(std::int32_t)> handler)
{
    state_->notify = std::move(handler);
}

QWidget* qtWidgetOf(TabControl& control)
{
    return control.state().strip.data();
}

} // namespace platform
