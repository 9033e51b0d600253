#pragma once

// Windows: one Window object per window, driven by Win32-numbered messages.

#include "platform/Cursor.h"
#include "platform/DrawingConstants.h"
#include "platform/DynamicLibrary.h"
#include "platform/Geometry.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class Surface;
class DeviceContext;
struct DrawItemRecord;
struct MeasureItemRecord;
struct WindowState;

// A window class: the behaviour every window created under its name shares. The built-in
// classes are "Button", "Edit", "Static", "ListBox", "ScrollBar" (the controls), "#32770"
// (dialogs) and "Window" (a plain painted window). Programs register their own painted classes.
struct WindowClass
{
    std::string name;
    uint32_t classStyle = 0; // CS_DBLCLKS: presses are turned into double clicks
    Cursor* cursor = nullptr; // null: the arrow
    uint32_t background = 0xFFFFFFFF; // erase colour (0x00BBGGRR); 0xFFFFFFFF: no erase
};
PLATFORM_API void registerWindowClass(const WindowClass& windowClass);

// A scroll bar's range, page and thumb position. With a page the thumb goes up to
// maximum - page + 1.
struct ScrollInfo
{
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t page = 0;
    int32_t position = 0;
};

// One window. The object may exist before and after its window (handle() is None then); the
// window is destroyed with the object at the latest. Every operation on an object without a
// window does nothing and answers 0, false or null.
//
// Messages arrive at windowProc; a class of ours overrides it, handles what it wants and passes
// the rest to Window::windowProc, which does the class's default handling (for the controls the
// toolkit's own behaviour).
class PLATFORM_API Window
{
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // ---- Life ----
    // Creates the window. `rect` is in the parent's client coordinates (screen coordinates for a
    // window without parent). False when the class is unknown or the object has a window already.
    bool create(const std::string& className, const std::string& text, uint32_t style, const Rect& rect, Window* parent,
                int32_t id = 0, uint32_t exStyle = 0);
    // Destroys the window and its children (WM_DESTROY, then WM_NCDESTROY, then postNcDestroy).
    bool destroyWindow();
    WindowHandle handle() const;
    bool exists() const { return handle() != WindowHandle::None; }
    // The object of a living window, or null.
    static Window* fromHandle(WindowHandle handle);

    // Takes over an existing window (a control made from a dialog template): this object sees
    // every message of it first from now on; id, rectangle, style and text stay.
    bool subclassWindow(WindowHandle window);
    bool subclassDlgItem(int32_t id, Window* parent);

    // ---- Identity and hierarchy ----
    std::string className() const;
    int32_t dlgCtrlId() const;
    Window* parent() const;
    // Children in z-order, which is creation order unless one was brought to the top.
    std::vector<Window*> children() const;
    Window* dlgItem(int32_t id) const;
    // The child with that id as a control class (Button, Edit, ListBox, ScrollBar or a class
    // that subclassed it); null when there is none of that class.
    template <typename Control>
    Control* dlgItemAs(int32_t id) const
    {
        return dynamic_cast<Control*>(dlgItem(id));
    }
    // The window without a parent that this window lives in (itself when it has no parent).
    Window* topLevelParent() const;
    // The module whose resources this window uses (set by whoever creates it for a library).
    ModuleHandle module() const;
    void setModule(ModuleHandle module);

    // ---- Styles and visibility ----
    uint32_t style() const;
    uint32_t exStyle() const;
    // Removes, then adds style bits. Only when `swpFlags` is not 0 does it also call
    // setWindowPos(.., swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE).
    // Changing WS_VISIBLE shows or hides the window but repaints nothing by itself.
    bool modifyStyle(uint32_t remove, uint32_t add, uint32_t swpFlags = 0);
    bool modifyStyleEx(uint32_t remove, uint32_t add, uint32_t swpFlags = 0);
    // True when this window and all its ancestors have WS_VISIBLE.
    bool isVisible() const;
    // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_SHOW, SW_SHOWNA, SW_RESTORE.
    // Answers whether the window was visible before.
    bool showWindow(int32_t command);
    bool enableWindow(bool enable);
    bool isEnabled() const;

    // ---- Geometry ----
    Rect windowRect() const; // screen coordinates
    Rect clientRect() const; // origin (0, 0)
    Point clientToScreen(Point point) const;
    Point screenToClient(Point point) const;
    Rect clientToScreen(const Rect& rect) const;
    Rect screenToClient(const Rect& rect) const;
    // `rect` in the parent's client coordinates (screen for a top-level window).
    bool moveWindow(const Rect& rect, bool repaint = true);
    // insertAfter: a sibling, or null with SWP_NOZORDER unset for the top of the z-order.
    bool setWindowPos(const Window* insertAfter, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags);
    bool bringWindowToTop();

    // ---- Text ----
    void setWindowText(const std::string& text);
    std::string windowText() const;
    // Shows a number in an edit or static text (other windows take `text` as their text): `text`,
    // the number in the field's own format, while it fits the control and shows at least three
    // significant digits of `value`; otherwise the value with sign, leading digits and exponent,
    // as many digits as fit and at most `digits` (fitNumberText). It is fitted again whenever the
    // control is resized. Until the person changes the field, windowText gives `text` and
    // shownNumber the exact value, so reading the field back changes nothing.
    void setNumberText(double value, const std::string& text, int digits = 15);
    // The value setNumberText shows, while the field still shows it unchanged.
    bool shownNumber(double& value) const;
    // The text as the control shows it: for a fitted number its fitted text.
    std::string textInView() const;

    // ---- Painting ----
    // The image the window is painted into; null for windows the toolkit paints (controls).
    Surface* surface() const;
    // A device context over the window's image (include platform/DeviceContext.h to use it).
    // It may draw outside WM_PAINT too: the window then shows what was drawn soon after.
    std::unique_ptr<DeviceContext> getDC();
    // Painting inside WM_PAINT: beginPaint takes the waiting area (it becomes valid) and sends
    // WM_ERASEBKGND first when an erase was asked for.
    struct PaintInfo
    {
        Rect paintRect;
        bool erase = false;
    };
    PaintInfo beginPaint();
    void endPaint();
    // Adds to the area waiting for WM_PAINT (whole client area for null).
    void invalidateRect(const Rect* rect, bool erase = true);
    void invalidate(bool erase = true) { invalidateRect(nullptr, erase); }
    void validateRect(const Rect* rect);
    // The area waiting for WM_PAINT; empty when none.
    Rect updateRect() const;
    // Sends WM_PAINT now when part of the window waits for it.
    void updateWindow();
    // RDW_* flags: INVALIDATE, ERASE, VALIDATE, ALLCHILDREN, NOCHILDREN, UPDATENOW, ERASENOW.
    bool redrawWindow(const Rect* update, uint32_t flags);
    // Shows no drawing of the window until unlocked (a tree rebuilt item by item). WM_SETREDRAW
    // does the same for one window.
    bool lockWindowUpdate();
    void unlockWindowUpdate();
    // Scrolls the contents by (dx, dy) and invalidates what was uncovered. Children move along
    // only when the whole client area scrolls (scrollArea null).
    bool scrollWindow(int32_t dx, int32_t dy, const Rect* scrollArea = nullptr, const Rect* clip = nullptr);

    // ---- Scroll bars ----
    // `bar`: SB_HORZ or SB_VERT (the window's own, present with WS_HSCROLL / WS_VSCROLL), or
    // SB_CTL for a scroll bar control. Setting from code sends no WM_HSCROLL / WM_VSCROLL.
    bool setScrollInfo(int32_t bar, const ScrollInfo& info, bool redraw = true);
    ScrollInfo getScrollInfo(int32_t bar) const;
    int32_t setScrollPos(int32_t bar, int32_t position, bool redraw = true); // answers the previous
    int32_t getScrollPos(int32_t bar) const;
    bool setScrollRange(int32_t bar, int32_t minimum, int32_t maximum, bool redraw = true);
    // Shows or hides the window's own bar (adds or removes WS_HSCROLL / WS_VSCROLL).
    bool showScrollBar(int32_t bar, bool show);

    // ---- Focus, capture, timers ----
    Window* setFocus(); // answers the window that had the focus
    static Window* focus();
    Window* setCapture(); // answers the previous capture window
    static bool releaseCapture();
    static Window* capture();
    bool setTimer(uint32_t id, uint32_t milliseconds);
    bool killTimer(uint32_t id);

    // ---- Cursor ----
    // The cursor the default WM_SETCURSOR handling shows over this window (null: the class's).
    void setWindowCursor(Cursor* cursor);

    // ---- Messages ----
    LResult sendMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);
    bool postMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);
    // Sends WM_COMMAND with the notification code and this control's id and handle to the parent.
    void notifyParent(uint32_t code);

    // Every message of the window. The default does the class's handling.
    virtual LResult windowProc(uint32_t message, WParam wParam, LParam lParam);
    // The class's handling of a message, for overrides to call.
    LResult defaultWindowProc(uint32_t message, WParam wParam, LParam lParam);
    // Offered each queued message for this window or a descendant before it is dispatched,
    // innermost window first; true consumes it.
    virtual bool preTranslateMessage(Message& message);
    // Owner drawing, reflected from the parent's default WM_DRAWITEM/WM_MEASUREITEM handling.
    virtual void drawItem(DrawItemRecord& record);
    virtual void measureItem(MeasureItemRecord& record);
    // The colour of a child control's text, asked each time the control paints while it is
    // enabled (edits and the edit field of combo boxes; WM_CTLCOLOREDIT, lParam the control's
    // handle, whose default handling asks this). CLR_DEFAULT: the control's own colour. When the
    // answer changes, the window redraws the control (invalidate).
    virtual ColorRef controlTextColour(Window& control);
    // Called after the window is gone (after WM_NCDESTROY). Objects the platform made for
    // template controls delete themselves here.
    virtual void postNcDestroy();

    // Internal: the platform's state of the window.
    WindowState* state() const { return state_; }

private:
    friend struct WindowState;
    friend class WindowRegistry;
    WindowState* state_ = nullptr;
};

// Operations on handles that name nothing do nothing and answer 0.
PLATFORM_API LResult sendMessage(WindowHandle window, uint32_t message, WParam wParam = 0, LParam lParam = 0);
// Safe from any thread; a message for a window that is gone by then is dropped.
PLATFORM_API bool postMessage(WindowHandle window, uint32_t message, WParam wParam = 0, LParam lParam = 0);
PLATFORM_API bool isWindow(WindowHandle window);

} // namespace platform
