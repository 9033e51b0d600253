#include "platform/Toolbar.h"

#include "platform/CommandRouting.h"
#include "platform/ImageList.h"
#include "platform/Surface.h"
#include "platform/SurfaceImage.h"
#include "platform/ToolbarQt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace platform
{
namespace
{

constexpr std::uint32_t kButtonFace = 0xC0C0C0;
constexpr std::uint32_t kHighlight = 0xFFFFFF;
constexpr std::uint32_t kShadow = 0x808080;
constexpr std::uint32_t kDarkShadow = 0x000000;

class ToolbarWidget;

} // namespace

struct Toolbar::State
{
    Toolbar* self = nullptr;
    const ImageList* images = nullptr;
    std::vector<ToolbarButton> buttons;
    std::vector<Rect> rects;
    int rows = 1;
    bool wrapable = false;
    bool changedWhileCustomizing = false;
    std::string windowText;
    std::function<void(std::uint32_t)> sink;
    std::function<bool(ToolbarNotification&)> notify;
    std::function<std::string(std::uint32_t)> tooltip;
    std::function<void(std::uint32_t)> hover;
    int pressed = -1;
    int hovered = -1;
    // Owned by the toolbar until a frame's bar takes it as a child; then the bar may delete it first.
    QPointer<QWidget> widget;

    bool valid(int index) const { return index >= 0 && index < static_cast<int>(buttons.size()); }

    bool ask(ToolbarNotification& notification) const { return notify && notify(notification); }

    static int widthOf(const ToolbarButton& button)
    {
        if (button.state & toolbar_state::Hidden)
            return 0;
        return (button.style & toolbar_style::Separator) ? kSeparatorWidth : kButtonSize.width;
    }

    // Places the buttons left to right, starting a new row where one would pass `width`.
    Size layout(int width)
    {
        rects.assign(buttons.size(), Rect{});
        int x = 0;
        int y = 0;
        int widest = 0;
        rows = 1;
        for (size_t i = 0; i < buttons.size(); ++i)
        {
            ToolbarButton& button = buttons[i];
            button.state &= static_cast<std::uint8_t>(~toolbar_state::Wrap);
            const int w = widthOf(button);
            if (w == 0)
                continue;
            if (wrapable && x > 0 && x + w > width)
            {
                if (i > 0)
                    buttons[i - 1].state |= toolbar_state::Wrap;
                x = 0;
                y += kButtonSize.height;
                ++rows;
            }
            rects[i] = {x, y, x + w, y + kButtonSize.height};
            x += w;
            widest = std::max(widest, x);
        }
        return {widest, y + kButtonSize.height};
    }

    int buttonAt(Point point) const
    {
        for (size_t i = 0; i < rects.size(); ++i)
            if (rects[i].contains(point) && !(buttons[i].style & toolbar_style::Separator))
                return static_cast<int>(i);
        return -1;
    }

    void changed()
    {
        if (widget != nullptr)
            widget->update();
    }

    void relayout()
    {
        const int width = widget != nullptr ? widget->width() : 0;
        layout(wrapable && width > 0 ? width : 1 << 20);
        changed();
    }

    void paint(Surface& surface) const;
};

namespace
{

void drawEdge(Surface& surface, const Rect& r, std::uint32_t topLeft, std::uint32_t bottomRight)
{
    surface.fillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
    surface.fillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    surface.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    surface.fillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

class ToolbarWidget : public QWidget
{
public:
    explicit ToolbarWidget(Toolbar::State& state) : state_(state)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QSize sizeHint() const override
    {
        Size size = const_cast<Toolbar::State&>(state_).layout(state_.wrapable && width() > 0 ? width() : 1 << 20);
        return {std::max(size.width, 1), size.height};
    }
    bool hasHeightForWidth() const override { return state_.wrapable; }
    int heightForWidth(int width) const override { return const_cast<Toolbar::State&>(state_).layout(width).height; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        Surface surface(width(), height(), kButtonFace);
        state_.paint(surface);
        QPainter painter(this);
        painter.drawImage(0, 0, surfaceImage(surface));
    }
    void resizeEvent(QResizeEvent*) override { state_.relayout(); }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        state_.pressed = state_.buttonAt({event->position().toPoint().x(), event->position().toPoint().y()});
        update();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        const int pressed = std::exchange(state_.pressed, -1);
        const int released = state_.buttonAt({event->position().toPoint().x(), event->position().toPoint().y()});
        update();
        if (pressed >= 0 && pressed == released)
            state_.self->click(released);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const int over = state_.buttonAt({event->position().toPoint().x(), event->position().toPoint().y()});
        if (over != state_.hovered)
        {
            state_.hovered = over;
            if (state_.hover)
                state_.hover(over >= 0 ? static_cast<std::uint32_t>(state_.buttons[over].commandId) : 0u);
        }
    }
    void leaveEvent(QEvent*) override
    {
        if (state_.hovered >= 0 && state_.hover)
            state_.hover(0);
        state_.hovered = -1;
    }
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip)
        {
            auto* help = static_cast<QHelpEvent*>(event);
            const int over = state_.buttonAt({help->pos().x(), help->pos().y()});
            std::string text;
            if (over >= 0 && state_.tooltip)
                text = state_.tooltip(static_cast<std::uint32_t>(state_.buttons[over].commandId));
            if (text.empty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), QString::fromStdString(text), this);
            return true;
        }
        return QWidget::event(event);
    }

private:
    Toolbar::State& state_;
};

} // namespace

void Toolbar::State::paint(Surface& surface) const
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const ToolbarButton& button = buttons[i];
        const Rect& r = rects[i];
        if (r.isEmpty())
            continue;
        if (button.style & toolbar_style::Separator)
        {
            const int x = r.left + r.width() / 2 - 1;
            surface.fillRect({x, r.top + 2, x + 1, r.bottom - 2}, kShadow);
            surface.fillRect({x + 1, r.top + 2, x + 2, r.bottom - 2}, kHighlight);
            continue;
        }
        const bool enabled = (button.state & toolbar_state::Enabled) != 0;
        const bool down = (button.state & (toolbar_state::Checked | toolbar_state::Pressed)) != 0 ||
                          static_cast<int>(i) == pressed;
        if (button.state & toolbar_state::Indeterminate)
            for (int y = r.top + 1; y < r.bottom - 1; ++y)
                for (int x = r.left + 1 + (y & 1); x < r.right - 1; x += 2)
                    surface.setPixel(x, y, kHighlight);
        else if (button.state & toolbar_state::Checked)
            surface.fillRect(r.inflated(-1, -1), 0xE0E0E0);
        if (down)
            drawEdge(surface, r, kDarkShadow, kHighlight);
        else
            drawEdge(surface, r, kHighlight, kShadow);
        if (images != nullptr)
        {
            const Size image = images->imageSize();
            const Point at{r.left + (r.width() - image.width) / 2 + (down ? 1 : 0),
                           r.top + (r.height() - image.height) / 2 + (down ? 1 : 0)};
            images->draw(button.imageIndex, surface, at, !enabled);
        }
    }
}

// Writes an update handler's answers into a button's state.
class ToolbarButtonCommandState final : public CommandState
{
public:
    ToolbarButtonCommandState(Toolbar& toolbar, std::uint32_t id) : CommandState(id), toolbar_(toolbar) {}
    void Enable(bool enabled) override { change(toolbar_state::Enabled, enabled); }
    void SetCheck(int check) override
    {
        change(toolbar_state::Checked, check == 1);
        change(toolbar_state::Indeterminate, check == 2);
    }
    void SetRadio(bool on) override { change(toolbar_state::Checked, on); }
    void SetText(const std::string&) override {}

private:
    void change(std::uint8_t bit, bool on)
    {
        std::uint8_t state = toolbar_.buttonState(id());
        state = on ? static_cast<std::uint8_t>(state | bit) : static_cast<std::uint8_t>(state & ~bit);
        toolbar_.setButtonState(id(), state);
    }
    Toolbar& toolbar_;
};

Toolbar::Toolbar() : state_(std::make_unique<State>())
{
    state_->self = this;
    state_->widget = new ToolbarWidget(*state_);
}

Toolbar::~Toolbar()
{
    // The widget goes first, while the state it reads still exists.
    delete state_->widget.data();
}

void Toolbar::setImageList(const ImageList* images)
{
    state_->images = images;
    state_->changed();
}

const ImageList* Toolbar::imageList() const
{
    return state_->images;
}

bool Toolbar::addButtons(const ToolbarButton* buttons, int count)
{
    if (buttons == nullptr || count < 0)
        return false;
    state_->buttons.insert(state_->buttons.end(), buttons, buttons + count);
    state_->relayout();
    return true;
}

bool Toolbar::insertButton(int index, const ToolbarButton& button)
{
    if (index < 0 || index > buttonCount())
        index = buttonCount();
    state_->buttons.insert(state_->buttons.begin() + index, button);
    state_->relayout();
    return true;
}

bool Toolbar::deleteButton(int index)
{
    if (!state_->valid(index))
        return false;
    state_->buttons.erase(state_->buttons.begin() + index);
    state_->pressed = -1;
    state_->hovered = -1;
    state_->relayout();
    return true;
}

int Toolbar::buttonCount() const
{
    return static_cast<int>(state_->buttons.size());
}

ToolbarButton Toolbar::button(int index) const
{
    return state_->valid(index) ? state_->buttons[index] : ToolbarButton{};
}

int Toolbar::commandToIndex(std::uint32_t id) const
{
    for (int i = 0; i < buttonCount(); ++i)
        if (!(state_->buttons[i].style & toolbar_style::Separator) &&
            static_cast<std::uint32_t>(state_->buttons[i].commandId) == id)
            return i;
    return -1;
}

bool Toolbar::setButtonState(std::uint32_t id, std::uint8_t newState)
{
    const int index = commandToIndex(id);
    if (index < 0)
        return false;
    ToolbarButton& button = state_->buttons[index];
    if (button.state == newState)
        return true;
    const bool hiddenChanged = ((button.state ^ newState) & toolbar_state::Hidden) != 0;
    button.state = newState;
    if (hiddenChanged)
        state_->relayout();
    else
        state_->changed();
    return true;
}

std::uint8_t Toolbar::buttonState(std::uint32_t id) const
{
    const int index = commandToIndex(id);
    return index < 0 ? 0 : state_->buttons[index].state;
}

void Toolbar::setWindowText(const std::string& text)
{
    state_->windowText = text;
    if (state_->widget != nullptr)
        state_->widget->setWindowTitle(QString::fromStdString(text));
}

std::string Toolbar::windowText() const
{
    return state_->windowText;
}

void Toolbar::setWrapable(bool wrapable)
{
    state_->wrapable = wrapable;
    state_->relayout();
}

Size Toolbar::layoutForWidth(int width)
{
    const Size size = state_->layout(state_->wrapable ? width : 1 << 20);
    state_->changed();
    return size;
}

Size Toolbar::autoSize()
{
    QWidget* widget = state_->widget.data();
    const int width = widget != nullptr ? widget->width() : 0;
    const Size size = state_->layout(state_->wrapable && width > 0 ? width : 1 << 20);
    if (widget != nullptr)
    {
        widget->resize(std::max(size.width, 1), size.height);
        widget->updateGeometry();
    }
    return size;
}

int Toolbar::rowCount() const
{
    return state_->rows;
}

Rect Toolbar::buttonRect(int index) const
{
    return state_->valid(index) && index < static_cast<int>(state_->rects.size()) ? state_->rects[index] : Rect{};
}

void Toolbar::setCommandSink(std::function<void(std::uint32_t)> sink)
{
    state_->sink = std::move(sink);
}

void Toolbar::setNotificationHandler(std::function<bool(ToolbarNotification&)> handler)
{
    state_->notify = std::move(handler);
}

void Toolbar::setTooltipProvider(std::function<std::string(std::uint32_t)> provider)
{
    state_->tooltip = std::move(provider);
}

void Toolbar::setHoverListener(std::function<void(std::uint32_t)> listener)
{
    state_->hover = std::move(listener);
}

void Toolbar::updateCommandStates(const CommandRouter& router)
{
    // Ids are collected first: an update handler may change the buttons.
    std::vector<std::uint32_t> ids;
    for (const ToolbarButton& button : state_->buttons)
        if (!(button.style & toolbar_style::Separator))
            ids.push_back(static_cast<std::uint32_t>(button.commandId));
    for (std::uint32_t id : ids)
    {
        ToolbarButtonCommandState commandState(*this, id);
        router.update(commandState);
    }
}

void Toolbar::click(int index)
{
    if (!state_->valid(index))
        return;
    ToolbarButton& button = state_->buttons[index];
    if ((button.style & toolbar_style::Separator) || !(button.state & toolbar_state::Enabled) ||
        (button.state & toolbar_state::Hidden))
        return;
    if (button.style & toolbar_style::Check)
    {
        if (button.style & toolbar_style::Group)
        {
            // The clicked button of a group is checked and its neighbours of the group are not.
            auto isGroupMember = [&](int i) {
                return state_->valid(i) && (state_->buttons[i].style & toolbar_style::CheckGroup) == toolbar_style::CheckGroup;
            };
            for (int i = index - 1; isGroupMember(i); --i)
                state_->buttons[i].state &= static_cast<std::uint8_t>(~toolbar_state::Checked);
            for (int i = index + 1; isGroupMember(i); ++i)
                state_->buttons[i].state &= static_cast<std::uint8_t>(~toolbar_state::Checked);
            button.state |= toolbar_state::Checked;
        }
        else
        {
            button.state ^= toolbar_state::Checked;
        }
        state_->changed();
    }
    const std::uint32_t id = static_cast<std::uint32_t>(button.commandId);
    if (state_->sink)
        state_->sink(id);
    ToolbarNotification clickNotification;
    clickNotification.code = toolbar_notification::Click;
    clickNotification.index = index;
    clickNotification.button = this->button(index);
    state_->ask(clickNotification);
}

std::vector<ToolbarNotification> Toolbar::availableButtons()
{
    std::vector<ToolbarNotification> available;
    // An owner that never says no would list forever; a customise list this long is an owner's fault.
    constexpr int kMostButtons = 4096;
    for (int index = 0; index < kMostButtons; ++index)
    {
        ToolbarNotification info;
        info.code = toolbar_notification::GetButtonInfo;
        info.index = index;
        if (!state_->ask(info))
            break;
        if (info.textLimit > 0 && info.text.size() > info.textLimit - 1)
            info.text.resize(info.textLimit - 1);
        available.push_back(std::move(info));
    }
    return available;
}

bool Toolbar::customizeRemove(int index)
{
    if (!state_->valid(index))
        return false;
    ToolbarNotification query;
    query.code = toolbar_notification::QueryDelete;
    query.index = index;
    query.button = button(index);
    if (!state_->ask(query))
        return false;
    deleteButton(index);
    state_->changedWhileCustomizing = true;
    return true;
}

bool Toolbar::customizeInsert(int index, int availableIndex)
{
    if (index < 0 || index > buttonCount())
        return false;
    const std::vector<ToolbarNotification> available = availableButtons();
    if (availableIndex < 0 || availableIndex >= static_cast<int>(available.size()))
        return false;
    ToolbarNotification query;
    query.code = toolbar_notification::QueryInsert;
    query.index = index;
    if (!state_->ask(query))
        return false;
    insertButton(index, available[availableIndex].button);
    state_->changedWhileCustomizing = true;
    return true;
}

bool Toolbar::customizeMove(int from, int to)
{
    if (!state_->valid(from) || to < 0 || to >= buttonCount() || from == to)
        return false;
    ToolbarNotification queryDelete;
    queryDelete.code = toolbar_notification::QueryDelete;
    queryDelete.index = from;
    queryDelete.button = button(from);
    if (!state_->ask(queryDelete))
        return false;
    ToolbarNotification queryInsert;
    queryInsert.code = toolbar_notification::QueryInsert;
    queryInsert.index = to;
    if (!state_->ask(queryInsert))
        return false;
    const ToolbarButton moved = button(from);
    state_->buttons.erase(state_->buttons.begin() + from);
    state_->buttons.insert(state_->buttons.begin() + to, moved);
    state_->relayout();
    state_->changedWhileCustomizing = true;
    return true;
}

void Toolbar::endCustomize()
{
    if (!std::exchange(state_->changedWhileCustomizing, false))
        return;
    ToolbarNotification change;
    change.code = toolbar_notification::ToolbarChange;
    state_->ask(change);
}

void Toolbar::customize()
{
    QDialog dialog(state_->widget != nullptr ? state_->widget->window() : nullptr);
    dialog.setWindowTitle(QStringLiteral("Customize Toolbar"));
    auto* available = new QListWidget(&dialog);
    auto* current = new QListWidget(&dialog);
    auto* add = new QPushButton(QStringLiteral("&Add ->"), &dialog);
    auto* remove = new QPushButton(QStringLiteral("<- &Remove"), &dialog);
    auto* up = new QPushButton(QStringLiteral("Move &Up"), &dialog);
    auto* down = new QPushButton(QStringLiteral("Move &Down"), &dialog);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    auto* middle = new QVBoxLayout;
    for (QPushButton* b : {add, remove, up, down})
        middle->addWidget(b);
    middle->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(available);
    row->addLayout(middle);
    row->addWidget(current);
    auto* outer = new QVBoxLayout(&dialog);
    outer->addLayout(row);
    outer->addWidget(close);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto fill = [&] {
        available->clear();
        for (const ToolbarNotification& info : availableButtons())
            available->addItem(QString::fromStdString(info.text));
        const int selected = current->currentRow();
        current->clear();
        for (int i = 0; i < buttonCount(); ++i)
        {
            const ToolbarButton b = button(i);
            current->addItem((b.style & toolbar_style::Separator) ? QStringLiteral("Separator")
                                                                  : QStringLiteral("Command %1").arg(b.commandId));
        }
        current->setCurrentRow(std::min(selected, current->count() - 1));
    };
    QObject::connect(add, &QPushButton::clicked, [&] {
        const int at = current->currentRow() < 0 ? buttonCount() : current->currentRow();
        if (customizeInsert(at, available->currentRow()))
            fill();
    });
    QObject::connect(remove, &QPushButton::clicked, [&] {
        if (customizeRemove(current->currentRow()))
            fill();
    });
    QObject::connect(up, &QPushButton::clicked, [&] {
        const int at = current->currentRow();
        if (customizeMove(at, at - 1))
        {
            fill();
            current->setCurrentRow(at - 1);
        }
    });
    QObject::connect(down, &QPushButton::clicked, [&] {
        const int at = current->currentRow();
        if (customizeMove(at, at + 1))
        {
            fill();
            current->setCurrentRow(at + 1);
        }
    });
    fill();
    dialog.exec();
    endCustomize();
}

QWidget* qtWidgetOf(Toolbar& toolbar)
{
    return toolbar.state().widget.data();
}

} // namespace platform
