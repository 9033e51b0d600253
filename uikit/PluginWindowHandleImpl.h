#pragma once

#include "platform/Message.h"
#include "plugins/PluginWindow.h"

#include <string>

// The handle of a window that a library or the host made. It keeps only the window's system handle and
// finds the window again at every call, so it is safe to hold after the window is gone. Every
// operation but moveWindow runs in the resource context of the module that holds this code (each
// library and the host compile their own copy of the kit).
class PluginWindowHandleImpl : public PluginWindowHandle
{
public:
    explicit PluginWindowHandleImpl(platform::WindowHandle window = platform::WindowHandle::None);
    // The handle of a window object; a null window gives a handle with no window.
    explicit PluginWindowHandleImpl(platform::Window* window);

    void attach(platform::Window* window) override;
    platform::Window* getWnd() override;
    void getWindowRect(platform::Rect& rect) override;
    void getClientRect(platform::Rect& rect) override;
    bool moveWindow(const platform::Rect& rect, bool repaint) override;
    uint32_t getStyle() override;
    bool isVisible() override;
    void showWindow(int32_t command) override;
    bool modifyStyle(uint32_t remove, uint32_t add, uint32_t flags) override;
    bool redraw(const platform::Rect* updateRect) override;

    platform::WindowHandle getWindowHandle() const { return window; }

private:
    platform::WindowHandle window;
};

// A plugin's about box: OK only, owned by the parent's window (none without one).
void showAboutBox(PluginWindowHandle* parent, const char* caption, const std::string& text);
