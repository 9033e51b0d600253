#include "platform/Window.h"

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/qt/ScrollBars.h"
#include "platform/qt/StaticEdge.h"
#include "platform/qt/SurfaceImage.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace platform
{

// ---- Window classes ------------------------------------------------------------------------

namespace
{

constexpr uint32_t noBackground = 0xFFFFFFFF;
constexpr uint32_t classicWindowColour = 0xFFFFFF;
constexpr uint32_t classicButtonFace = 0xC0C0C0;

std::map<std::string, WindowClass>& windowClasses()
{
    static std::map<std::string, WindowClass> classes = [] {
        std::map<std::string, WindowClass> builtIn;
        auto add = [&](const char* name, uint32_t classStyle, uint32_t background) {
            WindowClass windowClass;
            windowClass.name = name;
            windowClass.classStyle = classStyle;
            windowClass.background = background;
            builtIn[name] = windowClass;
        };
        add("Window", 0, classicWindowColour);
        add("#32770", 0, classicButtonFace);
        add("Button", CS_DBLCLKS, classicButtonFace);
        add("Edit", CS_DBLCLKS, classicWindowColour);
        add("Static", 0, classicButtonFace);
        add("ListBox", CS_DBLCLKS, classicWindowColour);
        add("ScrollBar", CS_DBLCLKS, classicButtonFace);
        return builtIn;
    }();
    return classes;
}

struct Slot
{
    WindowState* state = nullptr;
    uint32_t generation = 1;
};

std::vector<Slot>& handleSlots()
{
    static std::vector<Slot> table;
    return table;
}

std::vector<uint32_t>& freeSlots()
{
    static std::vector<uint32_t> list;
    return list;
}

QHash<const QWidget*, WindowState*>& widgetMap()
{
    static QHash<const QWidget*, WindowState*> map;
    return map;
}

WindowState* focusedState = nullptr;

QRect toQRect(const Rect& rect)
{
    return QRect(rect.left, rect.top, std::max(0, rect.width()), std::max(0, rect.height()));
}

// The geometry a window's widget takes for the rectangle the program asked for.
QRect widgetGeometryFor(WindowState* state, const QRect& requested)
{
    if (state->kind == WindowKind::RegisteredControl)
        if (const ControlWidgetHooks* hooks = controlWidgetHooks(state->windowClass.name); hooks && hooks->placeWidget)
            return hooks->placeWidget(state, requested);
    return requested;
}

void sendGeometryMessages(WindowState* state, const QRect& before)
{
    const QRect after = state->widget->geometry();
    if (after.size() != before.size())
    {
        if (state->surface)
        {
            state->surface->resize(after.width(), after.height(),
                                   state->windowClass.background == noBackground ? classicWindowColour
                                                                                 : state->windowClass.background);
            state->invalid = {0, 0, after.width(), after.height()};
            state->eraseNeeded = true;
        }
        layoutScrollBars(state);
        const QSize client = clientSize(state);
        dispatchToWindow(state, WM_SIZE, 0, makeLParam(client.width(), client.height()));
    }
    if (state->handle != WindowHandle::None && after.topLeft() != before.topLeft())
        dispatchToWindow(state, WM_MOVE, 0, makeLParam(after.x(), after.y()));
}

} // namespace

void registerWindowClass(const WindowClass& windowClass)
{
    windowClasses()[windowClass.name] = windowClass;
}

// ---- Registry --------------------------------------------------------------------------------

WindowHandle WindowRegistry::add(WindowState* state)
{
    uint32_t index;
    if (!freeSlots().empty())
    {
        index = freeSlots().back();
        freeSlots().pop_back();
    }
    else
    {
        index = static_cast<uint32_t>(handleSlots().size());
        handleSlots().push_back({});
    }
    handleSlots()[index].state = state;
    return static_cast<WindowHandle>((static_cast<uint64_t>(handleSlots()[index].generation) << 32) | (index + 1));
}

void WindowRegistry::remove(WindowHandle handle)
{
    const uint64_t value = static_cast<uint64_t>(handle);
    const uint32_t index = static_cast<uint32_t>(value & 0xFFFFFFFFu) - 1;
    if (index >= handleSlots().size())
        return;
    handleSlots()[index].state = nullptr;
    ++handleSlots()[index].generation;
    freeSlots().push_back(index);
}

WindowState* WindowRegistry::find(WindowHandle handle)
{
    const uint64_t value = static_cast<uint64_t>(handle);
    const uint32_t low = static_cast<uint32_t>(value & 0xFFFFFFFFu);
    if (low == 0 || low > handleSlots().size())
        return nullptr;
    const Slot& slot = handleSlots()[low - 1];
    return slot.generation == static_cast<uint32_t>(value >> 32) ? slot.state : nullptr;
}

void WindowRegistry::mapWidget(const QWidget* widget, WindowState* state)
{
    widgetMap().insert(widget, state);
}

void WindowRegistry::unmapWidget(const QWidget* widget)
{
    widgetMap().remove(widget);
}

WindowState* WindowRegistry::findWidget(const QWidget* widget)
{
    for (const QWidget* current = widget; current != nullptr; current = current->parentWidget())
    {
        auto found = widgetMap().constFind(current);
        if (found != widgetMap().constEnd())
            return found.value();
        if (current->isWindow())
            break;
    }
    return nullptr;
}

WindowState* WindowState::of(WindowHandle handle)
{
    return WindowRegistry::find(handle);
}

WindowState* WindowState::of(const QWidget* widget)
{
    return WindowRegistry::findWidget(widget);
}

// ---- The painted widget ------------------------------------------------------------------------

PaintedWidget::PaintedWidget(WindowState* state, QWidget* parent) : QWidget(parent), state_(state)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
}

void PaintedWidget::paintEvent(QPaintEvent* event)
{
    guardedCall([&] {
        if (state_ == nullptr || !state_->surface)
            return;
        paintNow(state_);
        if (state_ == nullptr || !state_->surface)
            return;
        QPainter painter(this);
        painter.drawImage(event->rect(), surfaceImage(*state_->surface), event->rect());
    });
}

void PaintedWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guardedCall([&] {
        // Size changes made by the window system (a top-level window resized by the user).
        if (state_ != nullptr && !state_->movingByProgram && state_->surface &&
            state_->surface->size() != Size{width(), height()})
        {
            const QRect before(pos(), QSize(state_->surface->width(), state_->surface->height()));
            sendGeometryMessages(state_, before);
        }
    });
}

// ---- Painting helpers ------------------------------------------------------------------------------

void paintNow(WindowState* state)
{
    if (state == nullptr || state->inPaint || state->invalid.isEmpty() || !state->surface)
        return;
    // However the handler ends (also by throwing), the paint is over: a handler that did not
    // validate would otherwise be asked again and again.
    class PaintScope
    {
    public:
        explicit PaintScope(WindowHandle handle) : handle_(handle) {}
        ~PaintScope()
        {
            if (WindowState* state = WindowState::of(handle_))
            {
                state->inPaint = false;
                state->invalid = {};
                state->eraseNeeded = false;
            }
        }

    private:
        WindowHandle handle_;
    } scope(state->handle);
    state->inPaint = true;
    noteMessageActivity();
    dispatchToWindow(state, WM_PAINT, 0, 0);
}

void presentSurface(WindowState* state)
{
    if (state != nullptr && state->widget != nullptr)
        state->widget->update();
}

bool isWindowVisible(const WindowState* state)
{
    for (const WindowState* current = state; current != nullptr; current = current->parent)
        if ((current->style & WS_VISIBLE) == 0)
            return false;
    return state != nullptr;
}

void setVisibleBit(WindowState* state, bool visible)
{
    if (visible)
        state->style |= WS_VISIBLE;
    else
        state->style &= ~WS_VISIBLE;
    if (state->widget->isVisible() == visible && !state->widget->isHidden() == visible)
        return;
    if (!visible && captureState() == state)
        captureLost(state);
    state->widget->setVisible(visible);
}

void destroyWindowState(WindowState* state)
{
    if (state == nullptr || state->destroying)
        return;
    state->destroying = true;
    const WindowHandle handle = state->handle;
    dispatchToWindow(state, WM_DESTROY, 0, 0);
    // Children go first, the last made first.
    while (!state->children.empty())
    {
        WindowState* child = state->children.back();
        if (child->destroying)
        {
            state->children.pop_back();
            continue;
        }
        destroyWindowState(child);
    }
    if (captureState() == state)
        captureLost(state);
    if (focusedState == state)
        focusedState = nullptr;
    state->timers.clear();
    dispatchToWindow(state, WM_NCDESTROY, 0, 0);

    if (state->parent != nullptr)
    {
        auto& siblings = state->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), state), siblings.end());
    }
    WindowRegistry::remove(handle);
    QWidget* widget = state->widget;
    WindowRegistry::unmapWidget(widget);
    for (QWidget* inner : widget->findChildren<QWidget*>())
        WindowRegistry::unmapWidget(inner);
    if (auto* painted = dynamic_cast<PaintedWidget*>(widget))
        painted->forget();
    widget->hide();
    // The widget may be the one whose event is being handled right now.
    widget->deleteLater();

    Window* object = state->object;
    const bool platformOwned = state->platformOwned;
    if (object != nullptr)
        WindowRegistry::detach(object);
    delete state;
    if (object != nullptr)
    {
        object->postNcDestroy();
        if (platformOwned)
            delete object;
    }
    if (Application* application = Application::instance())
        application->windowDestroyed(handle);
}

// ---- Window ----------------------------------------------------------------------------------------

Window::Window() = default;

Window::~Window()
{
    if (state_ != nullptr)
    {
        // The object goes: its window goes with it, and postNcDestroy must not delete it again.
        state_->platformOwned = false;
        WindowState* state = state_;
        destroyWindowState(state);
    }
}

bool Window::create(const std::string& className, const std::string& text, uint32_t style, const Rect& rect,
                    Window* parent, int32_t id, uint32_t exStyle)
{
    if (state_ != nullptr)
        return false;
    auto found = windowClasses().find(className);
    if (found == windowClasses().end())
        return false;
    WindowState* parentState = parent != nullptr ? parent->state_ : nullptr;
    if (parent != nullptr && parentState == nullptr)
        return false;
    const bool child = (style & WS_CHILD) != 0 && parentState != nullptr;

    auto* state = new WindowState;
    state->windowClass = found->second;
    state->style = style & ~WS_VISIBLE;
    state->exStyle = exStyle;
    state->id = id;
    state->object = this;
    state->parent = child ? parentState : nullptr;
    state->module = parentState != nullptr ? parentState->module : ModuleHandle::None;
    state->kind = controlKindFor(className, style);
    state->handle = WindowRegistry::add(state);
    WindowRegistry::attach(this, state);

    QWidget* parentWidget = parentState != nullptr ? parentState->widget : nullptr;
    if (!child && parentWidget != nullptr)
        parentWidget = parentWidget->window();
    if (state->isNativeControl())
        state->widget = createControlWidget(state, child ? parentWidget : nullptr);
    else
        state->widget = new PaintedWidget(state, child ? parentWidget : nullptr);
    if (!child)
    {
        state->widget->setParent(parentWidget, Qt::Window);
        if ((style & WS_CAPTION) != WS_CAPTION)
            state->widget->setWindowFlag(Qt::FramelessWindowHint, true);
    }
    state->widget->setAttribute(Qt::WA_NoMousePropagation);
    // Every window hears the pointer move over it (WM_SETCURSOR, WM_MOUSEMOVE), not only while
    // a button is held.
    state->widget->setMouseTracking(true);
    WindowRegistry::mapWidget(state->widget, state);
    state->widget->setGeometry(widgetGeometryFor(state, toQRect(rect)));
    state->widget->setEnabled((style & WS_DISABLED) == 0);
    followStaticEdge(state);
    layoutScrollBars(state);
    if (state->kind == WindowKind::Painted || state->kind == WindowKind::OwnerDrawButton ||
        state->kind == WindowKind::OwnerDrawListBox)
    {
        const uint32_t background =
            state->windowClass.background == noBackground ? classicWindowColour : state->windowClass.background;
        state->surface = std::make_shared<Surface>(rect.width(), rect.height(), background);
        const WindowHandle handle = state->handle;
        state->surface->setChangeCallback([handle](const Rect& changed) {
            WindowState* target = WindowState::of(handle);
            if (target != nullptr && !target->inPaint)
                target->widget->update(toQRect(changed));
        });
        state->invalid = clientRect();
        state->eraseNeeded = true;
    }
    if (!child && (style & WS_CAPTION) == WS_CAPTION)
        state->widget->setWindowTitle(QString::fromStdString(text));
    setControlText(state, text);
    if (child)
        parentState->children.push_back(state);

    const WindowHandle handle = state->handle;
    if (dispatchToWindow(state, WM_CREATE, 0, 0) == -1)
    {
        if (WindowState::of(handle) != nullptr)
            destroyWindowState(state);
        return false;
    }
    if (WindowState::of(handle) == nullptr)
        return false;
    if (state->kind == WindowKind::OwnerDrawListBox && child)
    {
        // The owner tells the height of the rows once, as the list box is made.
        MeasureItemRecord record;
        record.controlType = ODT_LISTBOX;
        record.controlId = static_cast<uint32_t>(id);
        record.itemWidth = static_cast<uint32_t>(std::max(0, rect.width()));
        record.itemHeight = static_cast<uint32_t>(state->listBox.itemHeight);
        dispatchToWindow(parentState, WM_MEASUREITEM, static_cast<WParam>(id), reinterpret_cast<LParam>(&record));
        if (WindowState::of(handle) == nullptr)
            return false;
        if (record.itemHeight > 0)
            state->listBox.itemHeight = static_cast<int32_t>(record.itemHeight);
    }
    if ((style & WS_VISIBLE) != 0)
        setVisibleBit(state, true);
    return true;
}

bool Window::destroyWindow()
{
    if (state_ == nullptr)
        return false;
    destroyWindowState(state_);
    return true;
}

WindowHandle Window::handle() const
{
    return state_ != nullptr ? state_->handle : WindowHandle::None;
}

Window* Window::fromHandle(WindowHandle handle)
{
    WindowState* state = WindowState::of(handle);
    return state != nullptr ? state->object : nullptr;
}

bool Window::subclassWindow(WindowHandle window)
{
    WindowState* state = WindowState::of(window);
    if (state_ != nullptr || state == nullptr || !state->platformOwned)
        return false;
    Window* previous = state->object;
    WindowRegistry::detach(previous);
    state->object = this;
    state->platformOwned = false;
    WindowRegistry::attach(this, state);
    delete previous;
    return true;
}

bool Window::subclassDlgItem(int32_t id, Window* parent)
{
    Window* item = parent != nullptr ? parent->dlgItem(id) : nullptr;
    return item != nullptr && subclassWindow(item->handle());
}

std::string Window::className() const
{
    return state_ != nullptr ? state_->windowClass.name : std::string();
}

int32_t Window::dlgCtrlId() const
{
    return state_ != nullptr ? state_->id : 0;
}

Window* Window::parent() const
{
    return state_ != nullptr && state_->parent != nullptr ? state_->parent->object : nullptr;
}

std::vector<Window*> Window::children() const
{
    std::vector<Window*> result;
    if (state_ != nullptr)
        for (WindowState* child : state_->children)
            result.push_back(child->object);
    return result;
}

Window* Window::dlgItem(int32_t id) const
{
    if (state_ != nullptr)
        for (WindowState* child : state_->children)
            if (child->id == id)
                return child->object;
    return nullptr;
}

Window* Window::topLevelParent() const
{
    WindowState* current = state_;
    while (current != nullptr && current->parent != nullptr)
        current = current->parent;
    return current != nullptr ? current->object : nullptr;
}

ModuleHandle Window::module() const
{
    return state_ != nullptr ? state_->module : ModuleHandle::None;
}

void Window::setModule(ModuleHandle module)
{
    if (state_ != nullptr)
        state_->module = module;
}

uint32_t Window::style() const
{
    return state_ != nullptr ? state_->style : 0;
}

uint32_t Window::exStyle() const
{
    return state_ != nullptr ? state_->exStyle : 0;
}

bool Window::modifyStyle(uint32_t remove, uint32_t add, uint32_t swpFlags)
{
    if (state_ == nullptr)
        return false;
    const uint32_t before = state_->style;
    const uint32_t after = (before & ~remove) | add;
    if (after == before)
        return false;
    state_->style = after;
    if ((after & WS_VISIBLE) != (before & WS_VISIBLE))
        setVisibleBit(state_, (after & WS_VISIBLE) != 0);
    if ((after & WS_DISABLED) != (before & WS_DISABLED))
        state_->widget->setEnabled((after & WS_DISABLED) == 0);
    if (swpFlags != 0)
        setWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool Window::modifyStyleEx(uint32_t remove, uint32_t add, uint32_t swpFlags)
{
    if (state_ == nullptr)
        return false;
    const uint32_t before = state_->exStyle;
    state_->exStyle = (before & ~remove) | add;
    if (((before ^ state_->exStyle) & WS_EX_STATICEDGE) != 0)
        followStaticEdge(state_);
    if (swpFlags != 0)
        setWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return state_->exStyle != before;
}

bool Window::isVisible() const
{
    return isWindowVisible(state_);
}

bool Window::showWindow(int32_t command)
{
    if (state_ == nullptr)
        return false;
    const bool wasVisible = (state_->style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    if (show != wasVisible)
        dispatchToWindow(state_, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (state_ == nullptr)
        return wasVisible;
    if (show && (command == SW_SHOWNA || command == SW_SHOWNOACTIVATE))
        state_->widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (show && command == SW_SHOWMAXIMIZED && state_->parent == nullptr)
    {
        // Without a window manager (Xvfb) maximising does nothing: cover the work area first.
        const QRect before = state_->widget->geometry();
        if (QScreen* screen = QApplication::primaryScreen())
            state_->widget->setGeometry(screen->availableGeometry());
        state_->style |= WS_VISIBLE | WS_MAXIMIZE;
        state_->widget->showMaximized();
        sendGeometryMessages(state_, before);
        return wasVisible;
    }
    setVisibleBit(state_, show);
    if (state_ != nullptr && show && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && state_->parent == nullptr)
        state_->widget->activateWindow();
    return wasVisible;
}

bool Window::enableWindow(bool enable)
{
    if (state_ == nullptr)
        return false;
    const bool wasDisabled = (state_->style & WS_DISABLED) != 0;
    if (enable == wasDisabled)
    {
        if (enable)
            state_->style &= ~WS_DISABLED;
        else
            state_->style |= WS_DISABLED;
        state_->widget->setEnabled(enable);
        dispatchToWindow(state_, WM_ENABLE, enable ? 1 : 0, 0);
        if (state_ != nullptr && state_->surface)
            invalidate(true);
    }
    return wasDisabled;
}

bool Window::isEnabled() const
{
    return state_ != nullptr && (state_->style & WS_DISABLED) == 0;
}

Rect Window::windowRect() const
{
    if (state_ == nullptr)
        return {};
    const QPoint origin = state_->widget->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y(), origin.x() + state_->widget->width(), origin.y() + state_->widget->height()};
}

Rect Window::clientRect() const
{
    if (state_ == nullptr)
        return {};
    const QSize size = clientSize(state_);
    return {0, 0, size.width(), size.height()};
}

Point Window::clientToScreen(Point point) const
{
    if (state_ == nullptr)
        return point;
    const QPoint global = state_->widget->mapToGlobal(QPoint(point.x, point.y));
    return {global.x(), global.y()};
}

Point Window::screenToClient(Point point) const
{
    if (state_ == nullptr)
        return point;
    const QPoint local = state_->widget->mapFromGlobal(QPoint(point.x, point.y));
    return {local.x(), local.y()};
}

Rect Window::clientToScreen(const Rect& rect) const
{
    const Point topLeft = clientToScreen(rect.topLeft());
    return rect.translated(topLeft.x - rect.left, topLeft.y - rect.top);
}

Rect Window::screenToClient(const Rect& rect) const
{
    const Point topLeft = screenToClient(rect.topLeft());
    return rect.translated(topLeft.x - rect.left, topLeft.y - rect.top);
}

bool Window::moveWindow(const Rect& rect, bool repaint)
{
    return setWindowPos(nullptr, rect.left, rect.top, rect.width(), rect.height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool Window::setWindowPos(const Window* insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                          uint32_t flags)
{
    if (state_ == nullptr)
        return false;
    WindowState* state = state_;
    const QRect before = state->widget->geometry();
    QRect target = before;
    if ((flags & SWP_NOMOVE) == 0)
        target.moveTopLeft(QPoint(x, y));
    if ((flags & SWP_NOSIZE) == 0)
    {
        target.setSize(QSize(std::max(0, width), std::max(0, height)));
        target = widgetGeometryFor(state, target);
    }
    if (target != before)
    {
        state->movingByProgram = true;
        state->widget->setGeometry(target);
        state->movingByProgram = false;
    }
    if ((flags & SWP_NOZORDER) == 0 && state->parent != nullptr)
    {
        auto& siblings = state->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), state), siblings.end());
        WindowState* after = insertAfter != nullptr ? insertAfter->state_ : nullptr;
        auto position = std::find(siblings.begin(), siblings.end(), after);
        if (after == nullptr || position == siblings.end())
        {
            siblings.push_back(state); // the top of the z-order
            state->widget->raise();
        }
        else
        {
            // Below `insertAfter`: just before it in bottom-first order.
            siblings.insert(position, state);
            state->widget->stackUnder(after->widget);
        }
    }
    sendGeometryMessages(state, before);
    if (WindowState::of(state->handle) == nullptr)
        return true;
    if ((flags & SWP_SHOWWINDOW) != 0)
        setVisibleBit(state, true);
    if ((flags & SWP_HIDEWINDOW) != 0)
        setVisibleBit(state, false);
    if ((flags & SWP_NOREDRAW) == 0 && target.size() != before.size())
        invalidate(true);
    return true;
}

bool Window::bringWindowToTop()
{
    if (state_ == nullptr)
        return false;
    if (state_->parent == nullptr)
    {
        state_->widget->raise();
        return true;
    }
    return setWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Window::setWindowText(const std::string& text)
{
    if (state_ != nullptr)
        sendMessage(WM_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str()));
}

std::string Window::windowText() const
{
    if (state_ == nullptr)
        return {};
    return controlText(state_);
}

Surface* Window::surface() const
{
    return state_ != nullptr ? state_->surface.get() : nullptr;
}

void Window::invalidateRect(const Rect* rect, bool erase)
{
    if (state_ == nullptr)
        return;
    const Rect area = rect != nullptr ? rect->intersected(clientRect()) : clientRect();
    if (!state_->surface)
    {
        state_->widget->update(toQRect(area));
        return;
    }
    if (area.isEmpty())
        return;
    state_->invalid = state_->invalid.united(area);
    state_->eraseNeeded = state_->eraseNeeded || erase;
    state_->widget->update(toQRect(area));
}

void Window::validateRect(const Rect* rect)
{
    if (state_ == nullptr)
        return;
    // The waiting area is kept as one rectangle: it goes when the validated part covers it.
    if (rect == nullptr || rect->intersected(state_->invalid) == state_->invalid)
    {
        state_->invalid = {};
        state_->eraseNeeded = false;
    }
}

Rect Window::updateRect() const
{
    return state_ != nullptr ? state_->invalid : Rect{};
}

bool Window::lockWindowUpdate()
{
    if (state_ == nullptr)
        return false;
    state_->widget->setUpdatesEnabled(false);
    return true;
}

void Window::unlockWindowUpdate()
{
    if (state_ != nullptr)
        state_->widget->setUpdatesEnabled(true);
}

void Window::updateWindow()
{
    if (state_ == nullptr)
        return;
    if (!state_->surface)
    {
        // A control the toolkit paints: at once too (the splash's status line while start-up
        // blocks the loop).
        if (state_->widget->isVisible())
            state_->widget->repaint();
        return;
    }
    const bool waiting = !state_->invalid.isEmpty();
    paintNow(state_);
    if (waiting && state_ != nullptr && state_->widget->isVisible())
        state_->widget->repaint();
}

bool Window::redrawWindow(const Rect* update, uint32_t flags)
{
    if (state_ == nullptr)
        return false;
    const bool children = (flags & RDW_ALLCHILDREN) != 0 && (flags & RDW_NOCHILDREN) == 0;
    if ((flags & RDW_INVALIDATE) != 0)
        invalidateRect(update, (flags & RDW_ERASE) != 0);
    if ((flags & RDW_VALIDATE) != 0)
        validateRect(update);
    if (children)
        for (Window* child : this->children())
            if (child != nullptr)
                child->redrawWindow(nullptr, flags & ~RDW_UPDATENOW & ~RDW_ERASENOW);
    if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0)
    {
        std::vector<WindowHandle> pending{handle()};
        for (size_t index = 0; index < pending.size(); ++index)
        {
            Window* window = fromHandle(pending[index]);
            if (window == nullptr)
                continue;
            window->updateWindow();
            if ((flags & RDW_NOCHILDREN) == 0)
                for (Window* child : window->children())
                    if (child != nullptr)
                        pending.push_back(child->handle());
        }
    }
    return true;
}

bool Window::scrollWindow(int32_t dx, int32_t dy, const Rect* scrollArea, const Rect* clip)
{
    if (state_ == nullptr)
        return false;
    if (scrollArea == nullptr)
    {
        // By handle: a child's WM_MOVE handler may destroy a sibling.
        std::vector<WindowHandle> handles;
        for (WindowState* child : state_->children)
            handles.push_back(child->handle);
        for (WindowHandle handle : handles)
        {
            Window* child = fromHandle(handle);
            if (child == nullptr)
                continue;
            const QRect geometry = child->state_->widget->geometry();
            child->setWindowPos(nullptr, geometry.x() + dx, geometry.y() + dy, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (state_ == nullptr)
            return true;
    }
    // The scrolled area is painted again as a whole: simpler than moving pixels, same picture.
    Rect area = scrollArea != nullptr ? *scrollArea : clientRect();
    if (clip != nullptr)
        area = area.intersected(*clip);
    invalidateRect(&area, true);
    return true;
}

namespace
{

// Moves the focus to `state`: the window losing it hears of it first, then the one gaining it;
// then the push buttons around both show which one Enter clicks now. Answers the window that had
// the focus, while it exists.
WindowState* moveFocus(WindowState* state)
{
    WindowState* previous = focusedState;
    if (previous == state)
        return previous;
    const WindowHandle previousHandle = previous != nullptr ? previous->handle : WindowHandle::None;
    const WindowHandle handle = state->handle;
    const WindowHandle previousParent =
        previous != nullptr && previous->parent != nullptr ? previous->parent->handle : WindowHandle::None;
    const WindowHandle parent = state->parent != nullptr ? state->parent->handle : WindowHandle::None;
    focusedState = state;
    if (previous != nullptr)
        dispatchToWindow(previous, WM_KILLFOCUS, static_cast<WParam>(handle), 0);
    if (WindowState* current = WindowState::of(handle))
        dispatchToWindow(current, WM_SETFOCUS, static_cast<WParam>(previousHandle), 0);
    showDefaultPushButton(WindowState::of(previousParent));
    if (parent != previousParent)
        showDefaultPushButton(WindowState::of(parent));
    return WindowState::of(previousHandle);
}

} // namespace

Window* Window::setFocus()
{
    if (state_ == nullptr)
        return nullptr;
    WindowState* previous = moveFocus(state_);
    if (state_ != nullptr)
        state_->widget->setFocus(Qt::OtherFocusReason);
    return previous != nullptr ? previous->object : nullptr;
}

Window* Window::focus()
{
    return focusedState != nullptr ? focusedState->object : nullptr;
}

// Focus moved by the toolkit (a click, the window system): the same messages as setFocus.
void noteToolkitFocus(WindowState* state)
{
    if (state != nullptr)
        moveFocus(state);
}

Window* Window::setCapture()
{
    if (state_ == nullptr)
        return nullptr;
    WindowState* previous = captureState();
    Window* previousObject = previous != nullptr ? previous->object : nullptr;
    if (previous != state_)
    {
        if (previous != nullptr)
            captureLost(previous);
        setCaptureState(state_);
    }
    return previousObject;
}

bool Window::releaseCapture()
{
    WindowState* state = captureState();
    if (state == nullptr)
        return false;
    setCaptureState(nullptr);
    dispatchToWindow(state, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Window* Window::capture()
{
    WindowState* state = captureState();
    return state != nullptr ? state->object : nullptr;
}

bool Window::setTimer(uint32_t id, uint32_t milliseconds)
{
    if (state_ == nullptr)
        return false;
    auto& timer = state_->timers[id];
    if (!timer)
    {
        timer = std::make_unique<QTimer>();
        const WindowHandle handle = state_->handle;
        QObject::connect(timer.get(), &QTimer::timeout, [handle, id] {
            guardedCall([&] {
                Message message;
                message.window = handle;
                message.message = WM_TIMER;
                message.wParam = id;
                routeQueuedMessage(message);
            });
        });
    }
    // The system's shortest period is 10 ms; 0 would spin.
    timer->start(static_cast<int>(std::max<uint32_t>(milliseconds, 10)));
    return true;
}

bool Window::killTimer(uint32_t id)
{
    if (state_ == nullptr)
        return false;
    return state_->timers.erase(id) != 0;
}

void Window::setWindowCursor(Cursor* cursor)
{
    if (state_ != nullptr)
        state_->cursor = cursor;
}

LResult Window::sendMessage(uint32_t message, WParam wParam, LParam lParam)
{
    return dispatchToWindow(state_, message, wParam, lParam);
}

bool Window::postMessage(uint32_t message, WParam wParam, LParam lParam)
{
    return platform::postMessage(handle(), message, wParam, lParam);
}

void Window::notifyParent(uint32_t code)
{
    if (state_ == nullptr || state_->parent == nullptr)
        return;
    dispatchToWindow(state_->parent, WM_COMMAND, makeWParam(static_cast<uint32_t>(state_->id), code),
                     handleToLParam(state_->handle));
}

LResult Window::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    return defaultWindowProc(message, wParam, lParam);
}

bool Window::preTranslateMessage(Message&)
{
    return false;
}

void Window::drawItem(DrawItemRecord&)
{
}

void Window::measureItem(MeasureItemRecord&)
{
}

ColorRef Window::controlTextColour(Window&)
{
    return CLR_DEFAULT;
}

void Window::postNcDestroy()
{
}

LResult sendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return dispatchToWindow(WindowState::of(window), message, wParam, lParam);
}

bool isWindow(WindowHandle window)
{
    return WindowState::of(window) != nullptr;
}

// ---- Default handling ----------------------------------------------------------------------------

Window::PaintInfo Window::beginPaint()
{
    PaintInfo info;
    if (state_ == nullptr)
        return info;
    info.paintRect = state_->invalid.isEmpty() ? clientRect() : state_->invalid;
    info.erase = state_->eraseNeeded;
    state_->invalid = {};
    state_->eraseNeeded = false;
    if (info.erase)
    {
        state_->invalid = info.paintRect; // WM_ERASEBKGND erases the area being painted
        info.erase = sendMessage(WM_ERASEBKGND) == 0;
        if (state_ != nullptr)
            state_->invalid = {};
    }
    return info;
}

void Window::endPaint()
{
}

LResult Window::defaultWindowProc(uint32_t message, WParam wParam, LParam lParam)
{
    WindowState* state = state_;
    if (state == nullptr)
        return 0;
    if (state->isNativeControl() && requestToolkitDefault(state, message))
    {
        // The toolkit handles the event itself; only the notifications that go with it are ours.
        if (message == WM_LBUTTONDBLCLK && state->kind == WindowKind::ListBox && (state->style & LBS_NOTIFY) != 0)
            notifyParent(LBN_DBLCLK);
        return 0;
    }
    if (state->isNativeControl() && (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR))
    {
        deliverSentKeyToToolkit(state, message, wParam);
        return 0;
    }
    bool handled = false;
    const LResult result = controlDefault(state, message, wParam, lParam, handled);
    if (handled || state_ == nullptr)
        return result;

    switch (message)
    {
    case WM_PAINT:
        if (state->surface)
        {
            const WindowHandle self = state->handle;
            beginPaint();
            if (WindowState::of(self) == nullptr)
                return 0;
            paintOwnerDrawnControl(state);
            endPaint();
        }
        return 0;
    case WM_ERASEBKGND:
        if (state->surface && state->windowClass.background != 0xFFFFFFFF)
        {
            const Rect area = state->invalid.isEmpty() ? clientRect() : state->invalid;
            state->surface->fillRect(area, state->windowClass.background);
            return 1;
        }
        return 0;
    case WM_SETTEXT:
        setControlText(state, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        if (state->surface)
            invalidate(true);
        return 1;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        const std::string text = controlText(state);
        const size_t length = std::min<size_t>(text.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        return static_cast<LResult>(length);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(controlText(state).size());
    case WM_SETCURSOR: {
        const WindowHandle self = state->handle;
        if (state->parent != nullptr && dispatchToWindow(state->parent, WM_SETCURSOR, wParam, lParam) != 0)
            return 1;
        state = WindowState::of(self);
        if (state == nullptr || handleFromParam(wParam) != self || state->isNativeControl())
            return 0;
        setCursor(state->cursor != nullptr ? state->cursor : state->windowClass.cursor);
        return 1;
    }
    case WM_DRAWITEM: {
        auto* record = reinterpret_cast<DrawItemRecord*>(lParam);
        Window* item = record != nullptr ? fromHandle(record->window) : nullptr;
        if (item == nullptr || item == this)
            return 0;
        item->drawItem(*record);
        return 1;
    }
    case WM_CTLCOLOREDIT: {
        Window* control = fromHandle(handleFromParam(static_cast<uint64_t>(lParam)));
        if (control == nullptr || control->parent() != this)
            return static_cast<LResult>(CLR_DEFAULT);
        return static_cast<LResult>(controlTextColour(*control));
    }
    case WM_MEASUREITEM: {
        auto* record = reinterpret_cast<MeasureItemRecord*>(lParam);
        Window* item = record != nullptr ? dlgItem(static_cast<int32_t>(record->controlId)) : nullptr;
        if (item == nullptr)
            return 0;
        item->measureItem(*record);
        return 1;
    }
    case WM_CLOSE:
        destroyWindow();
        return 0;
    case WM_SETREDRAW:
        state->widget->setUpdatesEnabled(wParam != 0);
        if (wParam != 0)
            invalidate(true);
        return 0;
    case WM_MOUSEWHEEL:
        if (state->parent != nullptr)
            return dispatchToWindow(state->parent, message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace platform
