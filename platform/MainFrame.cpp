#include "platform/MainFrame.h"

#include "platform/Desktop.h"
#include "platform/DialogBar.h"
#include "platform/Keyboard.h"
#include "platform/Menu.h"
#include "platform/SystemValues.h"
#include "platform/Toolbar.h"
#include "platform/qt/MenuQt.h"
#include "platform/qt/WindowState.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <map>

namespace platform
{
namespace
{

constexpr std::int32_t kFirstPaneId = 0xE900;
const char* const kIdleMessage = "Ready";

// Makes `object` the window of a widget that Qt's frame classes made, so the frame windows are
// windows like any other: handles, parents, messages and pre-translation all work for them.
bool adoptWidget(Window& object, QWidget* widget, const std::string& className, std::uint32_t style, Window* parent,
                 std::int32_t id)
{
    if (object.state() != nullptr || widget == nullptr)
        return false;
    auto* state = new WindowState;
    state->windowClass.name = className;
    state->windowClass.background = 0xFFFFFFFF;
    state->style = style & ~WS_VISIBLE;
    state->id = id;
    state->object = &object;
    state->parent = parent != nullptr ? parent->state() : nullptr;
    state->module = state->parent != nullptr ? state->parent->module : ModuleHandle::None;
    state->kind = WindowKind::Painted;
    state->widget = widget;
    state->handle = WindowRegistry::add(state);
    WindowRegistry::attach(&object, state);
    WindowRegistry::mapWidget(widget, state);
    if (state->parent != nullptr)
        state->parent->children.push_back(state);
    return true;
}

// The handle of a docked bar: two grooves across its short side, to drag the bar by.
class Gripper : public QWidget
{
public:
    explicit Gripper(QDockWidget* dock) : QWidget(dock), dock_(dock) {}
    QSize sizeHint() const override { return {7, 7}; }
    QSize minimumSizeHint() const override { return {7, 7}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool inRow = dock_->features().testFlag(QDockWidget::DockWidgetVerticalTitleBar);
        for (int groove = 0; groove < 2; ++groove)
        {
            const int at = 1 + groove * 3;
            const QRect line = inRow ? QRect(at, 2, 1, height() - 4) : QRect(2, at, width() - 4, 1);
            painter.fillRect(line, QColor(0xFF, 0xFF, 0xFF));
            painter.fillRect(line.translated(1, 1), QColor(0x80, 0x80, 0x80));
        }
    }

private:
    QDockWidget* dock_;
};

// The close button of a frame widget: the frame is asked (WM_CLOSE) and decides itself whether
// and how it closes; the toolkit does not close the widget.
void askFrameToClose(QCloseEvent* event, const Window& frame)
{
    event->ignore();
    const WindowHandle handle = frame.handle();
    guardedCall([&] { platform::sendMessage(handle, WM_CLOSE); });
}

// The main window as Qt sees it. Closing it asks the frame (WM_CLOSE) instead of closing.
class MainWindowWidget : public QMainWindow
{
public:
    explicit MainWindowWidget(MainFrame& frame) : frame_(frame) {}

protected:
    void closeEvent(QCloseEvent* event) override { askFrameToClose(event, frame_); }

private:
    MainFrame& frame_;
};

// A child frame as Qt sees it. Closing it, too, asks the frame (WM_CLOSE).
class ChildFrameWidget : public QMdiSubWindow
{
public:
    explicit ChildFrameWidget(ChildFrame& frame) : frame_(frame) { setAttribute(Qt::WA_DeleteOnClose, false); }

protected:
    void closeEvent(QCloseEvent* event) override { askFrameToClose(event, frame_); }

private:
    ChildFrame& frame_;
};

Qt::DockWidgetArea areaOfDockBar(std::uint32_t dockBarId)
{
    switch (dockBarId)
    {
    case IDW_DOCKBAR_LEFT:
        return Qt::LeftDockWidgetArea;
    case IDW_DOCKBAR_RIGHT:
        return Qt::RightDockWidgetArea;
    case IDW_DOCKBAR_BOTTOM:
        return Qt::BottomDockWidgetArea;
    default:
        return Qt::TopDockWidgetArea;
    }
}

std::uint32_t dockBarOfArea(Qt::DockWidgetArea area)
{
    switch (area)
    {
    case Qt::LeftDockWidgetArea:
        return IDW_DOCKBAR_LEFT;
    case Qt::RightDockWidgetArea:
        return IDW_DOCKBAR_RIGHT;
    case Qt::BottomDockWidgetArea:
        return IDW_DOCKBAR_BOTTOM;
    case Qt::TopDockWidgetArea:
        return IDW_DOCKBAR_TOP;
    default:
        return 0;
    }
}

Qt::DockWidgetAreas areasOfSides(std::uint32_t sides)
{
    Qt::DockWidgetAreas areas;
    if (sides & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftDockWidgetArea;
    if (sides & CBRS_ALIGN_TOP)
        areas |= Qt::TopDockWidgetArea;
    if (sides & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightDockWidgetArea;
    if (sides & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomDockWidgetArea;
    return areas;
}

std::string beforeNewline(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

bool focusIsAnEditField()
{
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QLineEdit*>(focus) != nullptr || qobject_cast<QTextEdit*>(focus) != nullptr ||
        qobject_cast<QPlainTextEdit*>(focus) != nullptr || qobject_cast<QAbstractSpinBox*>(focus) != nullptr;
}

// Keys an edit field uses itself: a frame accelerator on them must not take them away.
bool isEditingKey(std::uint32_t key, bool shift, bool control, bool alt)
{
    if (control && !alt && (key == 'Z' || key == 'X' || key == 'C' || key == 'V' || key == 'A' || key == VK_INSERT))
        return true;
    if (shift && !control && (key == VK_DELETE || key == VK_INSERT))
        return true;
    if (alt && key == VK_BACK)
        return true;
    return !control && !alt &&
        (key == VK_DELETE || key == VK_BACK || key == VK_HOME || key == VK_END || key == VK_LEFT || key == VK_RIGHT);
}

} // namespace

struct MainFrame::State
{
    MainFrame* self = nullptr;
    QPointer<MainWindowWidget> window;
    QPointer<QMdiArea> area;
    QPointer<QLabel> message;
    std::vector<std::pair<std::string, QPointer<QLabel>>> indicators; // CAP, NUM, SCRL
    std::function<LockKeyLights()> lockKeys = lockKeyLights;
    Menu* noDocumentMenu = nullptr;
    Menu* shownMenu = nullptr;
    std::vector<std::unique_ptr<ChildFrame>> children;
    std::map<QMdiSubWindow*, ChildFrame*> bySubWindow;
    ChildFrame* active = nullptr;
    std::vector<Accelerator> accelerators;
    std::function<std::string(std::uint32_t)> prompt;
    std::function<std::string(std::uint32_t)> tooltip;
    // The docks of the control bars, by the bars' windows: a bar that goes takes its dock along.
    std::map<WindowHandle, QPointer<QDockWidget>> toolbars;
    std::map<WindowHandle, QPointer<QDockWidget>> dialogBars;

    static QDockWidget* find(const std::map<WindowHandle, QPointer<QDockWidget>>& docks, const Window& bar)
    {
        auto found = docks.find(bar.handle());
        return found != docks.end() ? found->second.data() : nullptr;
    }
    int untitledCount = 0;
    std::string title; // the application's part of the frame title
    Menu* windowMenu = nullptr;
    int windowMenuEntries = 0; // entries the frame added there, separator included
    std::vector<ChildFrame*> listedChildren;

    // The window menu's list of children: a separator and one entry per child, in creation order.
    void refreshWindowMenu(const ChildFrame* leaving = nullptr)
    {
        if (windowMenu == nullptr)
            return;
        for (; windowMenuEntries > 0; --windowMenuEntries)
            windowMenu->removeEntry(windowMenu->entryCount() - 1);
        listedChildren.clear();
        for (const auto& child : children)
            if (child->exists() && child.get() != leaving)
                listedChildren.push_back(child.get());
        if (listedChildren.empty())
            return;
        windowMenu->appendSeparator();
        ++windowMenuEntries;
        for (size_t i = 0; i < listedChildren.size(); ++i)
        {
            const std::string number = i < 9 ? "&" + std::to_string(i + 1) : std::to_string(i + 1);
            windowMenu->appendItem(MainFrame::kFirstChildWindowCommand + static_cast<std::uint32_t>(i),
                                   number + " " + listedChildren[i]->title());
            windowMenu->setCheck(windowMenu->entryCount() - 1, listedChildren[i] == active ? 1 : 0);
            ++windowMenuEntries;
        }
    }

    // "<title> - <document title>" while a document is active, else the title alone.
    void showTitle(Document* document)
    {
        const std::string shown = document != nullptr ? title + " - " + document->title() : title;
        self->setWindowText(shown);
        if (window != nullptr)
            window->setWindowTitle(QString::fromStdString(shown));
    }

    void release(ChildFrame* frame)
    {
        for (auto it = bySubWindow.begin(); it != bySubWindow.end();)
            it = it->second == frame ? bySubWindow.erase(it) : std::next(it);
        auto found = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.get() == frame; });
        if (found == children.end())
            return;
        std::unique_ptr<ChildFrame> owned = std::move(*found);
        children.erase(found);
    }

    void showMenu(Menu* menu)
    {
        if (menu == shownMenu || window == nullptr)
            return;
        if (shownMenu != nullptr)
            attachMenuBar(*shownMenu, nullptr);
        shownMenu = menu;
        if (menu != nullptr)
        {
            menu->setRouter(&self->router_);
            menu->setCommandSink([frame = self](std::uint32_t id) { frame->executeCommand(id); });
            menu->setHoverListener([this](std::uint32_t id) { flyBy(id); });
            attachMenuBar(*menu, window->menuBar());
        }
    }

    void flyBy(std::uint32_t id)
    {
        const std::string text = id == 0 ? std::string() : beforeNewline(self->promptText(id));
        self->setMessageText(text.empty() ? kIdleMessage : text);
    }

    // A docked toolbar has a gripper at its start; a floating one the caption with its text.
    static void orientToolbarTitle(QDockWidget* dock, Qt::DockWidgetArea area)
    {
        const bool inRow = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
        dock->setFeatures(inRow ? dock->features() | QDockWidget::DockWidgetVerticalTitleBar
                                : dock->features() & ~QDockWidget::DockWidgetVerticalTitleBar);
        QWidget* previous = dock->titleBarWidget();
        if (dock->isFloating())
            dock->setTitleBarWidget(nullptr);
        else if (previous == nullptr)
            dock->setTitleBarWidget(new Gripper(dock));
        if (previous != nullptr && dock->titleBarWidget() != previous)
            previous->deleteLater();
    }

    // A dock for a bar's window, shown when the bar's window is visible.
    QDockWidget* makeBar(Window& bar, const std::string& title, std::uint32_t sides, Qt::DockWidgetArea fallback)
    {
        QWidget* content = bar.state()->widget;
        auto* dock = new QDockWidget(QString::fromStdString(title), window);
        dock->setObjectName(QString::fromStdString(title));
        dock->setWidget(content);
        dock->setAllowedAreas(areasOfSides(sides));
        // Fixed where it starts until it is docked or floated.
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        // It starts in the first side it may use, top first; docking moves it on.
        Qt::DockWidgetArea start = fallback;
        for (const Qt::DockWidgetArea area :
             {Qt::TopDockWidgetArea, Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea, Qt::BottomDockWidgetArea})
            if (dock->isAreaAllowed(area))
            {
                start = area;
                break;
            }
        const bool horizontal = start == Qt::TopDockWidgetArea || start == Qt::BottomDockWidgetArea;
        window->addDockWidget(start, dock, horizontal ? Qt::Horizontal : Qt::Vertical);
        content->show();
        dock->setVisible((bar.style() & WS_VISIBLE) != 0);
        QObject::connect(content, &QObject::destroyed, dock, &QObject::deleteLater);
        return dock;
    }

    void dock(QDockWidget* bar, std::uint32_t dockBarId)
    {
        if (bar == nullptr || window == nullptr)
            return;
        const Qt::DockWidgetArea area = areaOfDockBar(dockBarId);
        makeMovable(bar);
        bar->setFloating(false);
        const bool horizontal = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
        window->addDockWidget(area, bar, horizontal ? Qt::Horizontal : Qt::Vertical);
    }

    // A bar docked at the top or bottom whose row would grow wider than the frame starts a row of
    // its own below the others: a docked bar never widens the frame (Qt would grow the window to
    // the row's length, past the screen). A bar longer than the frame is cut to its width.
    void keepRowWithinFrame(QDockWidget* bar)
    {
        if (bar == nullptr || window == nullptr || bar->isFloating() || wrappingRow)
            return;
        const Qt::DockWidgetArea area = window->dockWidgetArea(bar);
        if (area != Qt::TopDockWidgetArea && area != Qt::BottomDockWidgetArea)
            return;
        const int frameWidth = window->width();
        if (QWidget* content = bar->widget(); content != nullptr && content->minimumWidth() > frameWidth)
            content->setMinimumWidth(frameWidth);
        window->layout()->invalidate();
        if (window->layout()->minimumSize().width() <= frameWidth)
            return;
        wrappingRow = true;
        window->addDockWidget(area, bar, Qt::Vertical);
        wrappingRow = false;
    }
    bool wrappingRow = false;

    static void makeMovable(QDockWidget* bar)
    {
        bar->setFeatures(bar->features() | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    }

    void floatAt(QDockWidget* bar, Point screenPoint)
    {
        if (bar == nullptr)
            return;
        makeMovable(bar);
        bar->setFloating(true);
        bar->move(screenPoint.x, screenPoint.y);
    }
};

MainFrame::MainFrame() : state_(std::make_unique<State>())
{
    state_->self = this;
    router_.setChain([this] {
        std::vector<CommandTarget*> chain{preRoute_};
        if (View* view = activeView())
        {
            chain.push_back(view);
            chain.push_back(view->document());
        }
        chain.push_back(activeChild());
        chain.push_back(this);
        chain.push_back(application_);
        return chain;
    });
    onCommand(ID_WINDOW_CASCADE, [this] { cascade(); });
    onCommand(ID_WINDOW_TILE_HORZ, [this] { tile(); });
    onCommand(ID_WINDOW_ARRANGE, [this] { arrangeIcons(); });
    onCommand(ID_VIEW_STATUS_BAR, [this] { showStatusBar(!isStatusBarVisible()); });
    onUpdate(ID_VIEW_STATUS_BAR, [this](CommandState& state) { state.SetCheck(isStatusBarVisible() ? 1 : 0); });
    onCommand(ID_WINDOW_NEW, [this] {
        if (Document* document = activeDocument(); document != nullptr && document->docTemplate() != nullptr)
            document->docTemplate()->createNewFrame(*document, *this);
    });
    onCommand(ID_FILE_NEW, [this] {
        if (!templates_.empty())
            templates_.front()->openNewDocument(*this);
    });
    onCommand(ID_FILE_CLOSE, [this] {
        if (ChildFrame* child = activeChild())
            child->close();
    });
    onCommandRange(kFirstChildWindowCommand, kFirstChildWindowCommand + 0xFF, [this](std::uint32_t id) {
        const size_t index = id - kFirstChildWindowCommand;
        if (index < state_->listedChildren.size() && state_->listedChildren[index]->exists())
            state_->listedChildren[index]->activate();
    });
    // Next and previous pane have no target here.
    onUpdate(ID_NEXT_PANE, [](CommandState& s) { s.Enable(false); });
    onUpdate(ID_PREV_PANE, [](CommandState& s) { s.Enable(false); });
}

MainFrame::~MainFrame()
{
    for (DocTemplate* docTemplate : templates_)
        docTemplate->closeAllDocuments();
    if (state_->shownMenu != nullptr)
        attachMenuBar(*state_->shownMenu, nullptr);
    destroyWindow();
}

bool MainFrame::createFrame(const std::string& title, Menu* noDocumentMenu)
{
    if (exists())
        return false;
    auto* window = new MainWindowWidget(*this);
    window->setWindowTitle(QString::fromStdString(title));
    auto* area = new QMdiArea(window);
    area->setObjectName(QStringLiteral("MdiClient"));
    window->setCentralWidget(area);
    window->setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    auto* message = new QLabel(QString::fromLatin1(kIdleMessage));
    window->statusBar()->addWidget(message, 1);
    for (const char* indicator : {"CAP", "NUM", "SCRL"})
    {
        auto* pane = new QLabel(QString::fromLatin1(indicator));
        pane->setEnabled(false);
        window->statusBar()->addPermanentWidget(pane);
        state_->indicators.emplace_back(indicator, pane);
    }
    state_->window = window;
    state_->area = area;
    state_->message = message;
    state_->title = title;
    if (!adoptWidget(*this, window, "MDIFrame", WS_OVERLAPPEDWINDOW, nullptr, 0))
    {
        delete window;
        return false;
    }
    setWindowText(title);
    QObject::connect(area, &QMdiArea::subWindowActivated, [this](QMdiSubWindow* sub) {
        guardedCall([&] {
            // Qt reports no active child while the main window is inactive (a box is up): the
            // active child stays until another one is chosen or the last one goes.
            if (sub == nullptr)
                return;
            auto found = state_->bySubWindow.find(sub);
            if (found != state_->bySubWindow.end())
                activationChanged(found->second);
        });
    });
    state_->noDocumentMenu = noDocumentMenu;
    state_->showMenu(noDocumentMenu);
    // Without a window manager nothing maximises a window: cover the available area ourselves.
    const Rect work = desktopWorkArea();
    window->setGeometry(work.left, work.top, work.width(), work.height());
    return true;
}

void MainFrame::show()
{
    if (state_->window == nullptr)
        return;
    state_->window->showMaximized();
    // The windows inside the frame (bars and their dialogs) are visible from now on.
    modifyStyle(0, WS_VISIBLE, 0);
    state_->window->raise();
    state_->window->activateWindow();
}

void MainFrame::addDocTemplate(DocTemplate* docTemplate)
{
    if (docTemplate != nullptr)
        templates_.push_back(docTemplate);
}

ChildFrame* MainFrame::addChildFrame(std::unique_ptr<ChildFrame> frame, std::unique_ptr<View> view, Document& document)
{
    if (state_->area == nullptr)
        return nullptr;
    static const bool viewClassRegistered = [] {
        WindowClass viewClass;
        viewClass.name = View::kClassName;
        viewClass.classStyle = CS_DBLCLKS;
        viewClass.background = 0xFFFFFFFF; // views paint all of their client area
        registerWindowClass(viewClass);
        return true;
    }();
    (void)viewClassRegistered;
    auto* sub = new ChildFrameWidget(*frame);
    if (!adoptWidget(*frame, sub, "MDIChild", WS_CHILD | WS_OVERLAPPEDWINDOW, this, 0))
    {
        delete sub;
        return nullptr;
    }
    frame->main_ = this;
    const std::string title =
        document.title().empty() ? "Untitled" + std::to_string(++state_->untitledCount) : document.title();
    if (document.title().empty())
        document.title_ = title;
    View* madeView = view.get();
    madeView->document_ = &document;
    madeView->frame_ = frame.get();
    frame->view_ = std::move(view);
    if (!madeView->create(View::kClassName, "", WS_CHILD | WS_VISIBLE, {0, 0, 400, 300}, frame.get(), kFirstPaneId))
    {
        frame->view_.reset();
        frame->main_ = nullptr;
        frame->destroyWindow();
        return nullptr;
    }
    document.views_.push_back(madeView);
    QWidget* viewWidget = madeView->state()->widget;
    viewWidget->setFocusPolicy(Qt::StrongFocus);
    sub->setWidget(viewWidget);
    sub->setWindowTitle(QString::fromStdString(title));
    frame->setWindowText(title);
    ChildFrame* made = frame.get();
    state_->bySubWindow[sub] = made;
    state_->children.push_back(std::move(frame));
    state_->area->addSubWindow(sub);
    madeView->onInitialUpdate();
    // The active child is shown maximised, like the first one of a run.
    sub->showMaximized();
    made->activate();
    // Offscreen, Qt may not report the activation: make sure the frame knows.
    if (state_->active != made)
        activationChanged(made);
    viewWidget->setFocus();
    return made;
}

void MainFrame::setWindowMenu(Menu* popup)
{
    state_->windowMenu = popup;
    state_->windowMenuEntries = 0;
    state_->refreshWindowMenu();
}

void MainFrame::childFrameGone(ChildFrame& frame)
{
    if (state_->active != &frame)
    {
        state_->refreshWindowMenu(&frame);
        return;
    }
    ChildFrame* next = nullptr;
    if (state_->area != nullptr)
        for (QMdiSubWindow* sub : state_->area->subWindowList(QMdiArea::ActivationHistoryOrder))
        {
            auto found = state_->bySubWindow.find(sub);
            if (found != state_->bySubWindow.end() && found->second != &frame && found->second->exists())
                next = found->second;
        }
    activationChanged(next);
    if (next != nullptr)
        next->activate();
    state_->refreshWindowMenu(&frame);
}

void MainFrame::releaseChildFrame(ChildFrame* frame)
{
    state_->release(frame);
}

void MainFrame::activationChanged(ChildFrame* activated)
{
    ChildFrame* deactivated = state_->active;
    if (activated == deactivated)
        return;
    state_->active = activated;
    // Frames first, then views: the deactivated one, then the activated one.
    if (deactivated != nullptr)
        deactivated->onMdiActivate(false, activated, deactivated);
    if (activated != nullptr)
        activated->onMdiActivate(true, activated, deactivated);
    Menu* menu = state_->noDocumentMenu;
    if (activated != nullptr && activated->document() != nullptr && activated->document()->docTemplate() != nullptr &&
        activated->document()->docTemplate()->documentMenu() != nullptr)
        menu = activated->document()->docTemplate()->documentMenu();
    state_->showMenu(menu);
    state_->showTitle(activated != nullptr ? activated->document() : nullptr);
    state_->refreshWindowMenu();
    View* oldView = deactivated != nullptr ? deactivated->view() : nullptr;
    View* newView = activated != nullptr ? activated->view() : nullptr;
    if (oldView != nullptr)
        oldView->onActivateView(false, newView, oldView);
    if (newView != nullptr)
    {
        newView->onActivateView(true, newView, oldView);
        if (newView->state() != nullptr)
            newView->state()->widget->setFocus();
    }
}

std::vector<ChildFrame*> MainFrame::childFrames() const
{
    std::vector<ChildFrame*> result;
    for (const auto& child : state_->children)
        if (child->exists())
            result.push_back(child.get());
    return result;
}

ChildFrame* MainFrame::activeChild() const
{
    return state_->active;
}

View* MainFrame::activeView() const
{
    return state_->active != nullptr ? state_->active->view() : nullptr;
}

Document* MainFrame::activeDocument() const
{
    return state_->active != nullptr ? state_->active->document() : nullptr;
}

void MainFrame::cascade()
{
    if (state_->area != nullptr)
        state_->area->cascadeSubWindows();
}

void MainFrame::tile()
{
    if (state_->area != nullptr)
        state_->area->tileSubWindows();
}

void MainFrame::arrangeIcons()
{
    if (state_->area == nullptr)
        return;
    const QRect client = state_->area->viewport()->rect();
    int x = 0;
    int rowBottom = client.height();
    int rowHeight = 0;
    for (const auto& child : state_->children)
    {
        auto* sub = child->exists() ? qobject_cast<QMdiSubWindow*>(child->state()->widget) : nullptr;
        if (sub == nullptr || !sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > client.width())
        {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        sub->move(x, rowBottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

Menu* MainFrame::currentMenu() const
{
    return state_->shownMenu;
}

void MainFrame::drawMenuBar()
{
    if (state_->window != nullptr && state_->window->menuBar() != nullptr)
        state_->window->menuBar()->update();
}

bool MainFrame::executeCommand(std::uint32_t id)
{
    bool handled = false;
    guardedCall([&] { handled = router_.execute(id); });
    return handled;
}

void MainFrame::setAccelerators(std::vector<Accelerator> accelerators)
{
    state_->accelerators = std::move(accelerators);
}

void MainFrame::setMessageText(const std::string& text)
{
    if (state_->message != nullptr)
        state_->message->setText(QString::fromStdString(text));
}

std::string MainFrame::messageText() const
{
    return state_->message != nullptr ? state_->message->text().toStdString() : std::string();
}

void MainFrame::showStatusBar(bool show)
{
    if (state_->window != nullptr)
        state_->window->statusBar()->setVisible(show);
}

bool MainFrame::isStatusBarVisible() const
{
    return state_->window != nullptr && !state_->window->statusBar()->isHidden();
}

bool MainFrame::isIndicatorOn(const std::string& pane) const
{
    for (const auto& [name, label] : state_->indicators)
        if (name == pane)
            return label != nullptr && label->isEnabled();
    return false;
}

void MainFrame::setLockKeyReader(std::function<LockKeyLights()> reader)
{
    state_->lockKeys = std::move(reader);
}

void MainFrame::setPromptProvider(std::function<std::string(std::uint32_t)> provider)
{
    state_->prompt = std::move(provider);
}

void MainFrame::setTooltipProvider(std::function<std::string(std::uint32_t)> provider)
{
    state_->tooltip = std::move(provider);
}

std::string MainFrame::promptText(std::uint32_t id) const
{
    return state_->prompt ? state_->prompt(id) : std::string();
}

std::string MainFrame::tooltipText(std::uint32_t id) const
{
    if (state_->tooltip)
        if (std::string text = state_->tooltip(id); !text.empty())
            return text;
    const std::string prompt = promptText(id);
    const size_t newline = prompt.find('\n');
    return newline == std::string::npos ? std::string() : prompt.substr(newline + 1);
}

void MainFrame::addToolbar(Toolbar& toolbar, std::uint32_t allowedSides)
{
    if (state_->window == nullptr || toolbar.state() == nullptr || State::find(state_->toolbars, toolbar) != nullptr)
        return;
    toolbar.setTooltipProvider([this](std::uint32_t id) { return tooltipText(id); });
    toolbar.setHoverListener([this](std::uint32_t id) { state_->flyBy(id); });
    toolbar.autoSize();
    QDockWidget* dock = state_->makeBar(toolbar, toolbar.windowText(), allowedSides, Qt::TopDockWidgetArea);
    state_->toolbars[toolbar.handle()] = dock;
    // A bar at a side stands upright: its buttons form a column. A floating bar wraps its buttons
    // into the rows its window allows; a docked one keeps them in one line.
    const WindowHandle handle = toolbar.handle();
    auto orient = [this, dock, handle](Qt::DockWidgetArea area) {
        State::orientToolbarTitle(dock, area);
        if (auto* bar = dynamic_cast<Toolbar*>(Window::fromHandle(handle)))
        {
            bar->setWrapable(dock->isFloating());
            bar->setVertical(!dock->isFloating() &&
                             (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea));
            bar->autoSize();
        }
        state_->keepRowWithinFrame(dock);
    };
    orient(state_->window->dockWidgetArea(dock));
    QObject::connect(dock, &QDockWidget::dockLocationChanged, dock, orient);
    QObject::connect(dock, &QDockWidget::topLevelChanged, dock,
                     [this, dock, orient](bool) { orient(state_->window->dockWidgetArea(dock)); });
}

void MainFrame::addDialogBar(DialogBar& bar, std::uint32_t allowedSides)
{
    if (state_->window == nullptr || bar.state() == nullptr || State::find(state_->dialogBars, bar) != nullptr)
        return;
    bar.rememberNaturalSize();
    QDockWidget* dock = state_->makeBar(bar, bar.windowText(), allowedSides, Qt::RightDockWidgetArea);
    state_->dialogBars[bar.handle()] = dock;
    const WindowHandle handle = bar.handle();
    auto applyLayout = [this, handle, dock] {
        guardedCall([&] {
            auto* sized = dynamic_cast<DialogBar*>(Window::fromHandle(handle));
            if (sized == nullptr || dock->widget() == nullptr)
                return;
            dock->widget()->setMinimumSize(0, 0);
            dock->widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            if (dock->isFloating())
            {
                // The floating window holds the bar under its title: the bar itself gets the size.
                const Size size = sized->calcDynamicLayout(-1, LM_MRUWIDTH);
                dock->resize(size.width, size.height);
                if (QLayout* layout = dock->layout())
                    layout->activate();
                const QSize inner = dock->widget()->size();
                dock->resize(size.width + std::max(0, size.width - inner.width()),
                             size.height + std::max(0, size.height - inner.height()));
                return;
            }
            const Qt::DockWidgetArea area = state_->window->dockWidgetArea(dock);
            const bool horizontal = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
            const Size size = sized->calcDynamicLayout(-1, horizontal ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK);
            // In a row the bar also keeps its width: the row never squeezes it under its neighbours.
            if (horizontal)
            {
                dock->widget()->setFixedHeight(size.height);
                dock->widget()->setMinimumWidth(size.width);
            }
            else
                dock->widget()->setFixedWidth(size.width);
            state_->keepRowWithinFrame(dock);
        });
    };
    QObject::connect(dock, &QDockWidget::topLevelChanged, dock, [applyLayout](bool) { applyLayout(); });
    QObject::connect(dock, &QDockWidget::dockLocationChanged, dock,
                     [applyLayout](Qt::DockWidgetArea) { applyLayout(); });
    applyLayout();
}

void MainFrame::dockToolbar(Toolbar& toolbar, std::uint32_t dockBarId)
{
    state_->dock(State::find(state_->toolbars, toolbar), dockBarId);
}

void MainFrame::dockDialogBar(DialogBar& bar, std::uint32_t dockBarId)
{
    state_->dock(State::find(state_->dialogBars, bar), dockBarId);
}

void MainFrame::floatToolbar(Toolbar& toolbar, Point screenPoint)
{
    if (QDockWidget* dock = State::find(state_->toolbars, toolbar))
    {
        toolbar.setWrapable(true);
        state_->floatAt(dock, screenPoint);
    }
}

void MainFrame::floatDialogBar(DialogBar& bar, Point screenPoint)
{
    state_->floatAt(State::find(state_->dialogBars, bar), screenPoint);
}

void MainFrame::showToolbar(Toolbar& toolbar, bool show)
{
    showControlBar(toolbar, show);
}

void MainFrame::showDialogBar(DialogBar& bar, bool show)
{
    showControlBar(bar, show);
}

bool MainFrame::showControlBar(Window& bar, bool show)
{
    QDockWidget* dock = State::find(state_->toolbars, bar);
    if (dock == nullptr)
        dock = State::find(state_->dialogBars, bar);
    if (dock == nullptr)
        return false;
    bar.showWindow(show ? SW_SHOWNA : SW_HIDE);
    dock->setVisible(show);
    return true;
}

MainFrame* MainFrame::frameOf(Window& window)
{
    for (Window* current = &window; current != nullptr; current = current->parent())
        if (auto* frame = dynamic_cast<MainFrame*>(current))
            return frame;
    return nullptr;
}

bool MainFrame::isToolbarVisible(Toolbar& toolbar) const
{
    QDockWidget* dock = State::find(state_->toolbars, toolbar);
    return dock != nullptr && !dock->isHidden();
}

bool MainFrame::isDialogBarVisible(DialogBar& bar) const
{
    QDockWidget* dock = State::find(state_->dialogBars, bar);
    return dock != nullptr && !dock->isHidden();
}

std::uint32_t MainFrame::toolbarDockBar(Toolbar& toolbar) const
{
    QDockWidget* dock = State::find(state_->toolbars, toolbar);
    if (dock == nullptr || dock->isHidden() || dock->isFloating() ||
        (dock->features() & QDockWidget::DockWidgetMovable) == 0)
        return 0;
    return dockBarOfArea(state_->window->dockWidgetArea(dock));
}

bool MainFrame::isBarFloating(Window& bar) const
{
    QDockWidget* dock = State::find(state_->toolbars, bar);
    if (dock == nullptr)
        dock = State::find(state_->dialogBars, bar);
    return dock != nullptr && dock->isFloating();
}

void MainFrame::recalcLayout()
{
    if (state_->window != nullptr && state_->window->layout() != nullptr)
        state_->window->layout()->activate();
}

void MainFrame::onIdleUpdate()
{
    if (state_->lockKeys)
    {
        const LockKeyLights lights = state_->lockKeys();
        for (auto& [name, label] : state_->indicators)
            if (label != nullptr)
                label->setEnabled(name == "CAP" ? lights.capsLock : name == "NUM" ? lights.numLock : lights.scrollLock);
    }
    for (auto& [handle, dock] : state_->toolbars)
        if (auto* toolbar = dynamic_cast<Toolbar*>(Window::fromHandle(handle));
            toolbar != nullptr && dock != nullptr && !dock->isHidden())
            toolbar->updateCommandStates(router_);
}

Rect MainFrame::desktopWorkArea()
{
    const Rect work = platform::desktopWorkArea();
    // Without a screen the frame still gets a usable size.
    return work.width() > 0 ? work : Rect{0, 0, 1024, 768};
}

void MainFrame::onClose()
{
    for (DocTemplate* docTemplate : templates_)
        docTemplate->closeAllDocuments();
    destroyWindow();
}

LResult MainFrame::windowProc(std::uint32_t message, WParam wParam, LParam lParam)
{
    if (message == WM_CLOSE)
    {
        onClose();
        return 0;
    }
    // Commands of the toolbars' buttons (and of anything else that sends them here).
    if (message == WM_COMMAND && highWord(wParam) == BN_CLICKED)
    {
        executeCommand(lowWord(wParam));
        return 0;
    }
    return defaultWindowProc(message, wParam, lParam);
}

bool MainFrame::preTranslateMessage(Message& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    // The modifiers as they were when the key went down, not as they are now.
    const bool shift = isKeyDown(VK_SHIFT);
    const bool control = isKeyDown(VK_CONTROL);
    const bool alt = isKeyDown(VK_MENU);
    const std::uint32_t key = static_cast<std::uint32_t>(message.wParam);
    for (const Accelerator& accelerator : state_->accelerators)
    {
        if (accelerator.key != key || ((accelerator.flags & accelerator_flag::Shift) != 0) != shift ||
            ((accelerator.flags & accelerator_flag::Control) != 0) != control ||
            ((accelerator.flags & accelerator_flag::Alt) != 0) != alt)
            continue;
        if (focusIsAnEditField() && isEditingKey(key, shift, control, alt))
            return false;
        // A disabled command swallows its key without running.
        struct Probe final : CommandState
        {
            using CommandState::CommandState;
            bool enabled = true;
            void Enable(bool on) override { enabled = on; }
            void SetCheck(int) override {}
            void SetRadio(bool) override {}
            void SetText(const std::string&) override {}
        } probe(accelerator.command);
        router_.update(probe);
        if (probe.enabled)
            executeCommand(accelerator.command);
        return true;
    }
    return false;
}

} // namespace platform
