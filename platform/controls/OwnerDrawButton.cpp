// The owner-drawn button (BS_OWNERDRAW): the parent paints it through WM_DRAWITEM; pressing,
// tracking and releasing are ours.

#include "platform/qt/ControlKinds.h"

namespace platform
{

namespace
{

void redrawNow(WindowState* state)
{
    if (state->object == nullptr)
        return;
    state->object->invalidate(false);
    state->object->updateWindow();
}

void paintOwnerDrawButton(WindowState* state)
{
    std::shared_ptr<DeviceContext> dc = makeWindowDC(state);
    const WindowState::ButtonState& button = state->button;
    DrawItemRecord record;
    record.controlType = ODT_BUTTON;
    record.controlId = static_cast<uint32_t>(state->id);
    record.itemAction = ODA_DRAWENTIRE;
    record.itemState = (button.pushed && button.pressInside ? ODS_SELECTED : 0) |
        (Window::focus() == state->object ? ODS_FOCUS : 0) | ((state->style & WS_DISABLED) != 0 ? ODS_DISABLED : 0);
    record.window = state->handle;
    record.dc = dc.get();
    record.itemRect = {0, 0, state->widget->width(), state->widget->height()};
    sendDrawItem(state->handle, record);
}

// Press, track, release and the keyboard.
LResult ownerDrawButtonMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    Window* object = state->object;
    WindowState::ButtonState& button = state->button;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        object->setFocus();
        object->setCapture();
        button.pushed = true;
        button.pressInside = true;
        redrawNow(state);
        return 0;
    case WM_LBUTTONDBLCLK:
        object->notifyParent(BN_DOUBLECLICKED);
        return 0;
    case WM_MOUSEMOVE:
        if (button.pushed && Window::capture() == object)
        {
            const bool inside = object->clientRect().contains(pointFromLParam(lParam));
            if (inside != button.pressInside)
            {
                button.pressInside = inside;
                redrawNow(state);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!button.pushed)
            return 0;
        const bool inside = object->clientRect().contains(pointFromLParam(lParam));
        const WindowHandle handle = state->handle;
        button.pushed = false;
        Window::releaseCapture();
        if (WindowState::of(handle) == nullptr)
            return 0;
        redrawNow(state);
        if (inside)
            object->notifyParent(BN_CLICKED);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (button.pushed)
        {
            button.pushed = false;
            redrawNow(state);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !button.pushed)
        {
            button.pushed = true;
            button.pressInside = true;
            redrawNow(state);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && button.pushed)
        {
            button.pushed = false;
            redrawNow(state);
            object->notifyParent(BN_CLICKED);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        object->invalidate(false);
        return 0;
    case BM_GETSTATE:
        return (button.pushed ? BST_PUSHED : 0) | (Window::focus() == object ? BST_FOCUS : 0);
    case BM_SETSTATE:
        button.pushed = wParam != 0;
        button.pressInside = button.pushed;
        redrawNow(state);
        return 0;
    case BM_GETCHECK:
        return BST_UNCHECKED;
    case BM_CLICK:
        object->notifyParent(BN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_ERASEBKGND:
        return 1; // the owner paints every pixel
    default:
        handled = false;
        return 0;
    }
}

} // namespace

const ControlKindBehaviour ownerDrawButtonBehaviour{.message = ownerDrawButtonMessage, .paint = paintOwnerDrawButton};

} // namespace platform
