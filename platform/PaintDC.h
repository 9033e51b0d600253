#pragma once

// The device context of a WM_PAINT handler.

#include "platform/DeviceContext.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

namespace platform
{

// Begins painting the window (the waiting area becomes valid, WM_ERASEBKGND first when an erase
// was asked for) and draws into its image; the window shows the result when the paint ends.
class PLATFORM_API PaintDC : public DeviceContext
{
public:
    explicit PaintDC(Window& window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    // The area being painted and whether the background still needs erasing.
    const Rect& paintRect() const { return info_.paintRect; }
    bool erase() const { return info_.erase; }

private:
    WindowHandle window_;
    Window::PaintInfo info_;
};

} // namespace platform
