#pragma once

#include "plugins/PlatformTypes.h"

#include <cstdint>

class PluginWindowHandle;
class VornPluginWindowed;

// Which dialog of its own library a plugin wants as its window, and where the handle of the made
// window goes. The module that makes the window writes the handle through `handleField` (when it
// is not null) before the window exists, so a window can find its plugin's handle while it
// initialises. A request crosses modules and may be reused by its plugin at the next call, so the
// host copies it on entry.
struct PluginWindowRequest
{
    int32_t dialogId = 0;
    VornPluginWindowed* plugin = nullptr;
    PluginWindowHandle** handleField = nullptr;
};

// Drives a window that another module made, through nothing but the window itself. Every module
// that makes plugin windows has its own implementation. A handle whose window is gone or was never
// made answers harmlessly: rectangles untouched, style 0, not visible, no move, no redraw.
class PluginWindowHandle
{
public:
    PluginWindowHandle() = default;
    PluginWindowHandle(const PluginWindowHandle&) = delete;
    PluginWindowHandle& operator=(const PluginWindowHandle&) = delete;

    virtual void attach(platform::Window* window) = 0;
    virtual platform::Window* getWnd() = 0;
    // The window rectangle in screen coordinates.
    virtual void getWindowRect(platform::Rect& rect) = 0;
    virtual void getClientRect(platform::Rect& rect) = 0;
    virtual bool moveWindow(const platform::Rect& rect, bool repaint) = 0;
    virtual uint32_t getStyle() = 0;
    virtual bool isVisible() = 0;
    // `command` is a show command with the system's numbers (SW_HIDE 0, SW_SHOW 5, ...).
    virtual void showWindow(int32_t command) = 0;
    // `flags` are window-position flags with the system's numbers; with 0 only the style changes.
    virtual bool modifyStyle(uint32_t remove, uint32_t add, uint32_t flags) = 0;
    // Invalidates, erases and repaints at once; a null rectangle means the whole window.
    virtual bool redraw(const platform::Rect* updateRect) = 0;

    // Handles are kept for their plugin's life; the destructor serves the module that made one
    // and could not make its window.
    virtual ~PluginWindowHandle() = default;

    // The handle under which the window was made; written by whoever makes the window.
    PluginWindowHandle* parent = nullptr;
};
