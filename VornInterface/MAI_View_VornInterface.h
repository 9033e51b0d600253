#pragma once

#include "plugins/MAI.h"
#include "platform/Message.h"

namespace platform
{
class Window;
}

// The host's view interface: the view window's repaint, client rectangle, capture, device
// context and handle, and the view type's activation.
class MAI_View_VornInterface : public MAI_View
{
public:
    MAI_View_VornInterface(MAI_Doc* document, platform::Window* viewWindow);

    void invalidate(bool erase) override;
    void getClientRect(platform::Rect& rect) override;
    // The shown view type hears that the view is left for `next`.
    void deactivate(MAI_View* next) override;
    // The shown view type hears that the view became active after `previous`.
    void activate(MAI_View* previous) override;
    void setCapture(bool capture) override;
    platform::DeviceContext* getDC() override;
    void releaseDC(platform::DeviceContext* context) override;
    platform::WindowHandle getWindowHandle() override { return window_; }
    // The view asks for its cursor again, as it does when the mouse moves over it.
    void refreshCursor() override;

    // The view type shown now; null when the view shows none.
    VornPluginViewBase* shownViewType() const;

private:
    platform::Window* window() const;

    platform::WindowHandle window_;
};

// The active view and the view under the mouse, kept in the application interface.

// A view became active: the previous one is left (a view of another document takes that
// document's tool away), the dialogs bring the new document's tool and view type forward, and
// "DOCCH" tells everybody when the active document changed.
void viewActivated(MAI& mai, MAI_View* view);
// The last view went away: no active view and no active document any more.
void lastViewDeactivated(MAI& mai);
// The mouse came over the view (the one it was over hears that it left).
void viewHovered(MAI& mai, MAI_View* view);
// The mouse left every view (it is over the frame).
void viewsLeft(MAI& mai);
// A view that goes away is forgotten as active and hovered view.
void viewDestroyed(MAI& mai, MAI_View* view);
