#pragma once

#include <string>

namespace platform
{
class ImageList;
class Menu;
class Toolbar;
class Window;
} // namespace platform

class VornPluginToolbar;

// What the application interface needs of the main frame: its menu, the toolbars it made for the
// "Toolbar" plugins with their shared button images, and its window. The main frame implements
// it; tests use a small stand-in.
class HostFrame
{
public:
    // The menu the main window shows now; null when it has none.
    virtual platform::Menu* currentMenu() = 0;
    virtual void redrawMenuBar() = 0;
    // The toolbar made for the plugin; null when it has none.
    virtual platform::Toolbar* pluginToolbar(VornPluginToolbar* plugin) = 0;
    // The image list all plugin toolbars share.
    virtual platform::ImageList& buttonImages() = 0;
    // The bar changed its buttons: size it and show it.
    virtual void toolbarChanged(platform::Toolbar& toolbar) = 0;
    // Lays the bars out again and redraws the floating plugin toolbars.
    virtual void redrawToolbars() = 0;
    virtual platform::Window* window() = 0;

protected:
    ~HostFrame() = default;
};
