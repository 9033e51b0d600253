#pragma once

// Private to the platform library: what the platform keeps per window, the handle registry and
// the message routing shared by the window, control and dialog code. Public headers never
// include this file.

#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QScrollBar;
class QTimer;

namespace platform
{

// How a window behaves by default; decided by its class and style at creation.
enum class WindowKind
{
    Painted, // plain window or dialog: we paint it into its surface
    OwnerDrawButton, // painted through WM_DRAWITEM by the parent
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    StaticText,
    StaticBitmap,
    ListBox,
    OwnerDrawListBox,
    ScrollBar,
    RegisteredControl // made by the factory registered for its class (the rich controls)
};

struct ListBoxItem
{
    std::string text;
    intptr_t data = 0;
};

struct WindowState
{
    WindowHandle handle = WindowHandle::None;
    Window* object = nullptr;
    bool platformOwned = false; // the object is ours (a template control nobody subclassed)
    WindowClass windowClass;
    WindowKind kind = WindowKind::Painted;
    QWidget* widget = nullptr;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int32_t id = 0;
    WindowState* parent = nullptr;
    std::vector<WindowState*> children; // z-order, bottom first
    ModuleHandle module = ModuleHandle::None;
    std::string text; // painted windows keep their text here; controls keep it in the widget
    Cursor* cursor = nullptr;
    bool destroying = false;
    bool movingByProgram = false; // setWindowPos sends WM_MOVE/WM_SIZE itself

    // Painting.
    std::shared_ptr<Surface> surface;
    Rect invalid; // waiting for WM_PAINT
    bool eraseNeeded = false;
    bool inPaint = false;

    std::map<uint32_t, std::unique_ptr<QTimer>> timers;

    // Buttons.
    struct ButtonState
    {
        bool pushed = false; // owner-drawn button held down
        bool pressInside = false; // the pointer is over the held-down button
    };
    ButtonState button;

    // List boxes (owner-drawn ones keep their rows here; the others in the widget).
    struct ListBoxState
    {
        std::vector<ListBoxItem> items;
        int32_t itemHeight = 16;
        int32_t topIndex = 0;
        int32_t selection = -1;
    };
    ListBoxState listBox;

    // A number the program shows in an edit or static text (Window::setNumberText): its value, its
    // own text and the text fitted into the control. Forgotten when the program sets another text.
    struct ShownNumber
    {
        double value = 0.0;
        std::string text;
        int digits = 15;
        std::string inView;
    };
    std::optional<ShownNumber> number;

    // Scroll bars (SB_HORZ, SB_VERT of a painted window; SB_CTL of a scroll bar control): what
    // the program set. A click does not move the thumb: the program answers with a position.
    struct ScrollState
    {
        ScrollInfo info;
        QScrollBar* bar = nullptr;
    };
    ScrollState scroll[3];

    // Double clicks (only for classes with CS_DBLCLKS).
    bool wantsDoubleClicks() const { return (windowClass.classStyle & CS_DBLCLKS) != 0; }
    bool isNativeControl() const
    {
        return kind != WindowKind::Painted && kind != WindowKind::OwnerDrawButton &&
            kind != WindowKind::OwnerDrawListBox;
    }
    static WindowState* of(WindowHandle handle);
    static WindowState* of(const QWidget* widget); // the window of a widget or of its nearest ancestor
};

// The handle table: slots with generations, so a handle of a dead window never names another.
class WindowRegistry
{
public:
    static WindowHandle add(WindowState* state);
    static void remove(WindowHandle handle);
    static WindowState* find(WindowHandle handle);
    static void attach(Window* object, WindowState* state) { object->state_ = state; }
    static void detach(Window* object) { object->state_ = nullptr; }
    static void mapWidget(const QWidget* widget, WindowState* state);
    static void unmapWidget(const QWidget* widget);
    static WindowState* findWidget(const QWidget* widget);
};

// The widget of a painted window: shows the window's surface and asks for WM_PAINT.
class PaintedWidget : public QWidget
{
public:
    PaintedWidget(WindowState* state, QWidget* parent);
    void forget() { state_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    WindowState* state_;
};

// ---- Message routing (Application.cpp) ----

// Runs `body`; whatever it throws is reported in a box and stops there. Every call from the
// toolkit into our code goes through it.
void guardedCall(const std::function<void()>& body);
// Dispatches to the window's windowProc (no hooks). Null target: 0.
LResult dispatchToWindow(WindowState* target, uint32_t message, WParam wParam, LParam lParam);
// The path of a queued message: host hook, window walk, library filters, dispatch. Answers
// whether the message was consumed before dispatch.
bool routeQueuedMessage(Message& message);
// Input from the toolkit: routes `message` as a queued message on behalf of the native event and
// answers whether the toolkit should still handle that event (the default handling asked for it).
// `consumed` (when given) tells whether a hook consumed the message before dispatch.
bool routeNativeEvent(WindowState* target, Message& message, bool* consumed = nullptr);
// Within defaultWindowProc: true when the message is the one the toolkit event in flight was
// translated to, i.e. the default handling is the toolkit's own (and it is now requested).
bool requestToolkitDefault(WindowState* target, uint32_t message);
// Marks that a message was handled, so the idle phase runs when the queue empties.
void noteMessageActivity();
uint32_t currentMessageTime();
// The main window's widget (owner of boxes), or null.
QWidget* mainWindowWidget();

// ---- Windows (Window.cpp) ----
void destroyWindowState(WindowState* state);
void paintNow(WindowState* state); // WM_PAINT when something is invalid
void presentSurface(WindowState* state); // shows the surface's current image
void setVisibleBit(WindowState* state, bool visible);
bool isWindowVisible(const WindowState* state);
void noteToolkitFocus(WindowState* state);

// ---- Controls (Controls.cpp; each kind's own handling in controls/) ----
// Controls whose widgets are made elsewhere in the platform (tab, tree, combo, toolbar), by class,
// with how their window text is set and read when the widget shows it (null: kept in the state).
using ControlWidgetFactory = QWidget* (*)(WindowState* state, QWidget* parentWidget);
using ControlTextSetter = void (*)(WindowState* state, const std::string& text);
using ControlTextGetter = std::string (*)(const WindowState* state);
// The widget's geometry for the rectangle the program gives the window (a combo box keeps its
// field's height and takes the rest for its list); null: the rectangle itself.
using ControlGeometry = QRect (*)(WindowState* state, const QRect& requested);
struct ControlWidgetHooks
{
    ControlWidgetFactory create = nullptr;
    ControlTextSetter setText = nullptr;
    ControlTextGetter getText = nullptr;
    ControlGeometry placeWidget = nullptr;
};
void registerControlWidgetHooks(const std::string& className, const ControlWidgetHooks& hooks);
const ControlWidgetHooks* controlWidgetHooks(const std::string& className);
QWidget* createControlWidget(WindowState* state, QWidget* parentWidget);
WindowKind controlKindFor(const std::string& className, uint32_t style);
// Default handling of a control's messages that are not the toolkit's own. `handled` false:
// nothing class-specific, fall back to the common handling.
LResult controlDefault(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled);
void setControlText(WindowState* state, const std::string& text);
void replaceControlWidget(WindowState* state);
// Draws as the default the push button among `container`'s children that Enter clicks: the one
// with the focus while a push button (of any kind) there has it, else the BS_DEFPUSHBUTTON one.
void showDefaultPushButton(WindowState* container);
// Paints an owner-drawn control through WM_DRAWITEM records to its parent; other kinds: nothing.
void paintOwnerDrawnControl(WindowState* state);
// A device context over the window's surface; null for windows the toolkit paints.
std::shared_ptr<DeviceContext> makeWindowDC(WindowState* state);
std::string controlText(const WindowState* state);

// ---- Input (Input.cpp) ----
bool translateInputEvent(WindowState* target, QWidget* receiver, QEvent* event, bool& passToToolkit);
void captureLost(WindowState* state);
// A WM_KEYDOWN, WM_KEYUP or WM_CHAR the program sent to a control: the toolkit handles it as it
// would the key (an edit inserts the character, Enter ends an in-place edit).
void deliverSentKeyToToolkit(WindowState* state, uint32_t message, WParam wParam);
WindowState* captureState();
void setCaptureState(WindowState* state);

// ---- Cursors (Cursor.cpp) ----
// The toolkit cursor shape for a cursor handle.
void setWidgetCursor(QWidget* widget, Cursor* cursor);

} // namespace platform
