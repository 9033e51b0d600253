#include "platform/Toolbar.h"

#include "platform/CommandRouting.h"
#include "platform/DeviceContext.h"
#include "platform/ImageList.h"
#include "platform/Surface.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/qt/RichControlsQt.h"
#include "platform/qt/SurfaceImage.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
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

} // namespace

struct ToolbarState
{
    Toolbar* owner = nullptr;
    const ImageList* images = nullptr;
    std::vector<ToolbarButton> buttons;
    std::vector<Rect> rects;
    int rows = 1;
    Rect borders; // room around the buttons: left, top, right and bottom
    bool wrapable = false;
    bool vertical = false; // docked at a side: one button under the other
    bool changedWhileCustomizing = false;
    std::function<std::string(std::uint32_t)> tooltip;
    std::function<void(std::uint32_t)> hover;
    int pressed = -1;
    int hovered = -1;
    QPointer<QWidget> widget; // the window's widget while there is one

    bool valid(int index) const { return index >= 0 && index < static_cast<int>(buttons.size()); }

    bool ask(NotifyToolbar& notification, std::int32_t code) const
    {
        return sendNotify(owner->handle(), code, notification.header) != 0;
    }

    static int widthOf(const ToolbarButton& button)
    {
        if (button.state & TBSTATE_HIDDEN)
            return 0;
        return (button.style & TBSTYLE_SEP) ? Toolbar::kSeparatorWidth : Toolbar::kButtonSize.width;
    }

    // Places the buttons left to right, starting a new row where one would pass `width`; a
    // vertical bar puts every button in a row of its own and turns separators into gaps.
    Size layout(int width)
    {
        if (vertical)
            return layoutColumn();
        rects.assign(buttons.size(), Rect{});
        const int startX = borders.left;
        const int rowEnd = width - borders.right;
        int x = startX;
        int y = borders.top;
        int widest = startX;
        rows = 1;
        for (size_t i = 0; i < buttons.size(); ++i)
        {
            ToolbarButton& button = buttons[i];
            button.state &= static_cast<std::uint8_t>(~TBSTATE_WRAP);
            const int w = widthOf(button);
            if (w == 0)
                continue;
            if (wrapable && x > startX && x + w > rowEnd)
            {
                if (i > 0)
                    buttons[i - 1].state |= TBSTATE_WRAP;
                x = startX;
                y += Toolbar::kButtonSize.height;
                ++rows;
            }
            rects[i] = {x, y, x + w, y + Toolbar::kButtonSize.height};
            x += w;
            widest = std::max(widest, x);
        }
        return {widest + borders.right, y + Toolbar::kButtonSize.height + borders.bottom};
    }

    Size layoutColumn()
    {
        rects.assign(buttons.size(), Rect{});
        const int x = borders.left;
        int y = borders.top;
        rows = 0;
        for (size_t i = 0; i < buttons.size(); ++i)
        {
            ToolbarButton& button = buttons[i];
            button.state &= static_cast<std::uint8_t>(~TBSTATE_WRAP);
            if (widthOf(button) == 0)
                continue;
            const int h = (button.style & TBSTYLE_SEP) ? Toolbar::kSeparatorWidth : Toolbar::kButtonSize.height;
            rects[i] = {x, y, x + Toolbar::kButtonSize.width, y + h};
            y += h;
            button.state |= TBSTATE_WRAP;
            ++rows;
        }
        return {x + Toolbar::kButtonSize.width + borders.right, y + borders.bottom};
    }

    int buttonAt(Point point) const
    {
        for (size_t i = 0; i < rects.size(); ++i)
            if (rects[i].contains(point) && !(buttons[i].style & TBSTYLE_SEP))
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
    bool flat() const { return owner != nullptr && (owner->style() & TBSTYLE_FLAT) != 0; }
    void click(int index);
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

// The window's widget draws and clicks through the buttons its Toolbar object keeps.
class ToolbarWidget : public QWidget
{
public:
    ToolbarWidget(ToolbarState& state, QWidget* parent) : QWidget(parent), state_(&state)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // The object is going: its widget, deleted later, shows an empty bar until then.
    void forget() { state_ = nullptr; }

    QSize sizeHint() const override
    {
        if (state_ == nullptr)
            return {1, Toolbar::kButtonSize.height};
        const Size size = state_->layout(state_->wrapable && width() > 0 ? width() : 1 << 20);
        return {std::max(size.width, 1), size.height};
    }
    bool hasHeightForWidth() const override { return state_ != nullptr && state_->wrapable; }
    int heightForWidth(int width) const override { return state_ != nullptr ? state_->layout(width).height : 0; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        Surface surface(width(), height(), kButtonFace);
        if (state_ != nullptr && state_->owner != nullptr)
        {
            // The frame around the buttons first; the buttons lie inside it.
            DeviceContext context(surface);
            Toolbar* owner = state_->owner;
            guardedCall([&] { owner->paintNonClient(context, {width(), height()}); });
        }
        if (state_ != nullptr)
            state_->paint(surface);
        QPainter painter(this);
        painter.drawImage(0, 0, surfaceImage(surface));
    }
    void resizeEvent(QResizeEvent*) override
    {
        if (state_ != nullptr)
            state_->relayout();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (state_ == nullptr || event->button() != Qt::LeftButton)
            return;
        state_->pressed = state_->buttonAt(pointOf(event));
        update();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (state_ == nullptr || event->button() != Qt::LeftButton)
            return;
        const int pressed = std::exchange(state_->pressed, -1);
        const int released = state_->buttonAt(pointOf(event));
        update();
        if (pressed >= 0 && pressed == released)
            guardedCall([&] { state_->click(released); });
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (state_ == nullptr)
            return;
        const int over = state_->buttonAt(pointOf(event));
        if (over == state_->hovered)
            return;
        state_->hovered = over;
        update();
        if (state_->hover)
            guardedCall(
                [&] { state_->hover(over >= 0 ? static_cast<std::uint32_t>(state_->buttons[over].commandId) : 0u); });
    }
    void leaveEvent(QEvent*) override
    {
        if (state_ == nullptr)
            return;
        if (state_->hovered >= 0 && state_->hover)
            guardedCall([&] { state_->hover(0); });
        state_->hovered = -1;
        update();
    }
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || state_ == nullptr)
            return QWidget::event(event);
        auto* help = static_cast<QHelpEvent*>(event);
        const int over = state_->buttonAt({help->pos().x(), help->pos().y()});
        std::string text;
        if (over >= 0 && state_->tooltip)
            guardedCall([&] { text = state_->tooltip(static_cast<std::uint32_t>(state_->buttons[over].commandId)); });
        if (text.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), QString::fromStdString(text), this);
        return true;
    }

private:
    static Point pointOf(QMouseEvent* event)
    {
        const QPoint at = event->position().toPoint();
        return {at.x(), at.y()};
    }

    ToolbarState* state_;
};

// Toolbars are made only by their objects (Toolbar::create): the widget binds to the object's buttons.
QWidget* makeToolbarWidget(WindowState* window, QWidget* parent)
{
    auto* toolbar = dynamic_cast<Toolbar*>(window->object);
    if (toolbar == nullptr)
        return new QWidget(parent);
    ToolbarState& state = toolbarStateOf(*toolbar);
    if ((window->style & TBSTYLE_WRAPABLE) != 0)
        state.wrapable = true;
    auto* widget = new ToolbarWidget(state, parent);
    state.widget = widget;
    return widget;
}

const bool toolbarClassRegistered = [] {
    registerRichControlClass(Toolbar::kClassName, CS_DBLCLKS, {&makeToolbarWidget, nullptr, nullptr});
    return true;
}();

} // namespace

void ToolbarState::paint(Surface& surface) const
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const ToolbarButton& button = buttons[i];
        const Rect& r = rects[i];
        if (r.isEmpty())
            continue;
        surface.fillRect(r, kButtonFace); // over whatever frame lies beneath
        if (button.style & TBSTYLE_SEP)
        {
            const int x = r.left + r.width() / 2 - 1;
            surface.fillRect({x, r.top + 2, x + 1, r.bottom - 2}, kShadow);
            surface.fillRect({x + 1, r.top + 2, x + 2, r.bottom - 2}, kHighlight);
            continue;
        }
        const bool enabled = (button.state & TBSTATE_ENABLED) != 0;
        const bool down = (button.state & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0 || static_cast<int>(i) == pressed;
        if (button.state & TBSTATE_INDETERMINATE)
            for (int y = r.top + 1; y < r.bottom - 1; ++y)
                for (int x = r.left + 1 + (y & 1); x < r.right - 1; x += 2)
                    surface.setPixel(x, y, kHighlight);
        else if (button.state & TBSTATE_CHECKED)
            surface.fillRect(r.inflated(-1, -1), 0xE0E0E0);
        // A flat bar raises a button only under the mouse.
        if (down)
            drawEdge(surface, r, kDarkShadow, kHighlight);
        else if (!flat() || (static_cast<int>(i) == hovered && enabled))
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
    void Enable(bool enabled) override { change(TBSTATE_ENABLED, enabled); }
    void SetCheck(int check) override
    {
        change(TBSTATE_CHECKED, check == 1);
        change(TBSTATE_INDETERMINATE, check == 2);
    }
    void SetRadio(bool on) override { change(TBSTATE_CHECKED, on); }
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

void ToolbarState::click(int index)
{
    if (!valid(index))
        return;
    ToolbarButton& pressedButton = buttons[index];
    if ((pressedButton.style & TBSTYLE_SEP) || !(pressedButton.state & TBSTATE_ENABLED) ||
        (pressedButton.state & TBSTATE_HIDDEN))
        return;
    if (pressedButton.style & TBSTYLE_CHECK)
    {
        if (pressedButton.style & TBSTYLE_GROUP)
        {
            // The clicked button of a group is checked and its neighbours of the group are not.
            auto isGroupMember = [&](int i) {
                return valid(i) && (buttons[i].style & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP;
            };
            for (int i = index - 1; isGroupMember(i); --i)
                buttons[i].state &= static_cast<std::uint8_t>(~TBSTATE_CHECKED);
            for (int i = index + 1; isGroupMember(i); ++i)
                buttons[i].state &= static_cast<std::uint8_t>(~TBSTATE_CHECKED);
            pressedButton.state |= TBSTATE_CHECKED;
        }
        else
        {
            pressedButton.state ^= TBSTATE_CHECKED;
        }
        changed();
    }
    const ToolbarButton clicked = pressedButton;
    const WindowHandle self = owner->handle();
    WindowState* window = WindowState::of(self);
    if (window == nullptr || window->parent == nullptr)
        return;
    platform::sendMessage(window->parent->handle, WM_COMMAND,
                          makeWParam(static_cast<std::uint32_t>(clicked.commandId), BN_CLICKED), handleToLParam(self));
    NotifyToolbar notification;
    notification.item = clicked.commandId;
    notification.button = clicked;
    sendNotify(self, NM_CLICK, notification.header);
}

ToolbarState& toolbarStateOf(Toolbar& toolbar)
{
    return *toolbar.buttons_;
}

Toolbar::Toolbar() : buttons_(std::make_unique<ToolbarState>())
{
    buttons_->owner = this;
}

Toolbar::~Toolbar()
{
    if (auto* widget = dynamic_cast<ToolbarWidget*>(buttons_->widget.data()))
        widget->forget();
    destroyWindow();
}

bool Toolbar::create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id)
{
    return Window::create(kClassName, "", style | WS_CHILD, rect, parent, id);
}

void Toolbar::setImageList(const ImageList* images)
{
    if (ToolbarState* s = buttons_.get())
    {
        s->images = images;
        s->changed();
    }
}

const ImageList* Toolbar::imageList() const
{
    ToolbarState* s = buttons_.get();
    return s != nullptr ? s->images : nullptr;
}

bool Toolbar::addButtons(const ToolbarButton* buttons, int count)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || buttons == nullptr || count < 0)
        return false;
    s->buttons.insert(s->buttons.end(), buttons, buttons + count);
    s->relayout();
    return true;
}

bool Toolbar::insertButton(int index, const ToolbarButton& button)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return false;
    if (index < 0 || index > static_cast<int>(s->buttons.size()))
        index = static_cast<int>(s->buttons.size());
    s->buttons.insert(s->buttons.begin() + index, button);
    s->relayout();
    return true;
}

bool Toolbar::deleteButton(int index)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || !s->valid(index))
        return false;
    s->buttons.erase(s->buttons.begin() + index);
    s->pressed = -1;
    s->hovered = -1;
    s->relayout();
    return true;
}

int Toolbar::buttonCount() const
{
    ToolbarState* s = buttons_.get();
    return s != nullptr ? static_cast<int>(s->buttons.size()) : 0;
}

ToolbarButton Toolbar::button(int index) const
{
    ToolbarState* s = buttons_.get();
    return s != nullptr && s->valid(index) ? s->buttons[index] : ToolbarButton{};
}

int Toolbar::commandToIndex(std::uint32_t id) const
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return -1;
    for (int i = 0; i < static_cast<int>(s->buttons.size()); ++i)
        if (!(s->buttons[i].style & TBSTYLE_SEP) && static_cast<std::uint32_t>(s->buttons[i].commandId) == id)
            return i;
    return -1;
}

bool Toolbar::setButtonState(std::uint32_t id, std::uint8_t newState)
{
    const int index = commandToIndex(id);
    if (index < 0)
        return false;
    ToolbarState* s = buttons_.get();
    ToolbarButton& button = s->buttons[index];
    if (button.state == newState)
        return true;
    const bool hiddenChanged = ((button.state ^ newState) & TBSTATE_HIDDEN) != 0;
    button.state = newState;
    if (hiddenChanged)
        s->relayout();
    else
        s->changed();
    return true;
}

std::uint8_t Toolbar::buttonState(std::uint32_t id) const
{
    const int index = commandToIndex(id);
    return index < 0 ? 0 : buttons_->buttons[index].state;
}

void Toolbar::setBorders(int left, int top, int right, int bottom)
{
    if (ToolbarState* s = buttons_.get())
    {
        s->borders = {left, top, right, bottom};
        s->relayout();
    }
}

void Toolbar::paintNonClient(DeviceContext&, Size)
{
}

void Toolbar::setWrapable(bool wrapable)
{
    if (ToolbarState* s = buttons_.get())
    {
        s->wrapable = wrapable;
        s->relayout();
    }
}

void Toolbar::setVertical(bool vertical)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || s->vertical == vertical)
        return;
    s->vertical = vertical;
    autoSize();
    s->changed();
}

bool Toolbar::isVertical() const
{
    return buttons_ != nullptr && buttons_->vertical;
}

Size Toolbar::layoutForWidth(int width)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return {};
    const Size size = s->layout(s->wrapable ? width : 1 << 20);
    s->changed();
    return size;
}

Size Toolbar::autoSize()
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return {};
    const int width = s->widget->width();
    const Size size = s->layout(s->wrapable && width > 0 ? width : 1 << 20);
    s->widget->resize(std::max(size.width, 1), size.height);
    // A bar in one line is as long as its buttons: the frame neither squeezes buttons away nor
    // spreads a few of them over an empty stretch; the bars beside it get the room it does not need.
    s->widget->setMinimumSize(0, 0);
    s->widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!s->wrapable && s->vertical)
        s->widget->setFixedHeight(std::max(size.height, 1));
    else if (!s->wrapable)
        s->widget->setFixedWidth(std::max(size.width, 1));
    s->widget->updateGeometry();
    return size;
}

int Toolbar::rowCount() const
{
    ToolbarState* s = buttons_.get();
    return s != nullptr ? s->rows : 0;
}

Rect Toolbar::buttonRect(int index) const
{
    ToolbarState* s = buttons_.get();
    return s != nullptr && s->valid(index) && index < static_cast<int>(s->rects.size()) ? s->rects[index] : Rect{};
}

void Toolbar::setTooltipProvider(std::function<std::string(std::uint32_t)> provider)
{
    if (ToolbarState* s = buttons_.get())
        s->tooltip = std::move(provider);
}

void Toolbar::setHoverListener(std::function<void(std::uint32_t)> listener)
{
    if (ToolbarState* s = buttons_.get())
        s->hover = std::move(listener);
}

void Toolbar::updateCommandStates(const CommandRouter& router)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return;
    // Ids are collected first: an update handler may change the buttons.
    std::vector<std::uint32_t> ids;
    for (const ToolbarButton& button : s->buttons)
        if (!(button.style & TBSTYLE_SEP))
            ids.push_back(static_cast<std::uint32_t>(button.commandId));
    for (std::uint32_t id : ids)
    {
        ToolbarButtonCommandState commandState(*this, id);
        router.update(commandState);
    }
}

void Toolbar::click(int index)
{
    if (ToolbarState* s = buttons_.get())
        s->click(index);
}

std::vector<AvailableButton> Toolbar::availableButtons()
{
    std::vector<AvailableButton> available;
    ToolbarState* s = buttons_.get();
    if (s == nullptr)
        return available;
    // A parent that never says no would list forever; a customise list this long is its fault.
    constexpr int kMostButtons = 4096;
    for (int index = 0; index < kMostButtons; ++index)
    {
        char text[kButtonTextLimit] = {};
        NotifyToolbar info;
        info.item = index;
        info.textLimit = kButtonTextLimit;
        info.text = text;
        if (!s->ask(info, TBN_GETBUTTONINFO))
            break;
        text[kButtonTextLimit - 1] = '\0';
        available.push_back({info.button, text});
    }
    return available;
}

bool Toolbar::customizeRemove(int index)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || !s->valid(index))
        return false;
    NotifyToolbar query;
    query.item = index;
    query.button = s->buttons[index];
    if (!s->ask(query, TBN_QUERYDELETE))
        return false;
    deleteButton(index);
    s->changedWhileCustomizing = true;
    return true;
}

bool Toolbar::customizeInsert(int index, int availableIndex)
{
    if (index < 0 || index > buttonCount())
        return false;
    const std::vector<AvailableButton> available = availableButtons();
    if (availableIndex < 0 || availableIndex >= static_cast<int>(available.size()))
        return false;
    ToolbarState* s = buttons_.get();
    NotifyToolbar query;
    query.item = index;
    if (s == nullptr || !s->ask(query, TBN_QUERYINSERT))
        return false;
    insertButton(index, available[availableIndex].button);
    s->changedWhileCustomizing = true;
    return true;
}

bool Toolbar::customizeMove(int from, int to)
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || !s->valid(from) || !s->valid(to) || from == to)
        return false;
    NotifyToolbar queryDelete;
    queryDelete.item = from;
    queryDelete.button = s->buttons[from];
    if (!s->ask(queryDelete, TBN_QUERYDELETE))
        return false;
    NotifyToolbar queryInsert;
    queryInsert.item = to;
    if (!s->ask(queryInsert, TBN_QUERYINSERT) || !s->valid(from) || !s->valid(to))
        return false;
    const ToolbarButton moved = s->buttons[from];
    s->buttons.erase(s->buttons.begin() + from);
    s->buttons.insert(s->buttons.begin() + to, moved);
    s->relayout();
    s->changedWhileCustomizing = true;
    return true;
}

void Toolbar::endCustomize()
{
    ToolbarState* s = buttons_.get();
    if (s == nullptr || !std::exchange(s->changedWhileCustomizing, false))
        return;
    NotifyToolbar change;
    s->ask(change, TBN_TOOLBARCHANGE);
}

std::string Toolbar::buttonName(int index)
{
    return buttonName(index, availableButtons());
}

std::string Toolbar::buttonName(int index, const std::vector<AvailableButton>& offered)
{
    const ToolbarButton record = button(index);
    if ((record.style & TBSTYLE_SEP) != 0)
        return "Separator";
    const auto id = static_cast<std::uint32_t>(record.commandId);
    std::string name;
    if (buttons_->tooltip)
        guardedCall([&] { name = buttons_->tooltip(id); });
    if (!name.empty())
        return name;
    for (const AvailableButton& candidate : offered)
        if (candidate.button.commandId == record.commandId && !candidate.text.empty())
            return candidate.text;
    return "Command " + std::to_string(id);
}

LResult Toolbar::windowProc(std::uint32_t message, WParam wParam, LParam lParam)
{
    // A double click on an adjustable bar opens its customise dialog.
    if (message == WM_LBUTTONDBLCLK && (style() & CCS_ADJUSTABLE) != 0)
    {
        customize();
        return 0;
    }
    return Window::windowProc(message, wParam, lParam);
}

void Toolbar::customize()
{
    if (!exists())
        return;
    interactionService().customizeToolbar(*this);
    endCustomize();
}

} // namespace platform
