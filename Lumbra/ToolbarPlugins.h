#pragma once

#include "plugins/VornPluginMenuItem.h"

#include <cstdint>

namespace lumbra
{

// The fixed answers of one of the library's toolbars.
struct ToolbarTexts
{
    const char* name; // also the button text, which items name in getToolbarName
    const char* menuPath;
    const char* description;
    uint32_t startDockBar; // where the host docks the bar at start
    bool visibleByDefault;
};

// A docked toolbar that the host fills with the buttons of the menu items naming it. Its command,
// under "&Tools\&Toolbars", shows and hides the bar and is checked while the bar shows.
class LumbraToolbar : public VornPluginToolbar
{
public:
    explicit LumbraToolbar(const ToolbarTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override { return texts.menuPath; }
    const char* getButtonText() override { return texts.name; }
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
    int32_t getDockAlignment() override;
    // The position at start only; docking the bar elsewhere does not change it.
    int32_t getDockBarID() override { return static_cast<int32_t>(texts.startDockBar); }
    bool isVisibleByDefault() override { return texts.visibleByDefault; }

private:
    const ToolbarTexts texts;
};

// Every item without a toolbar name of its own.
class PluginToolbarMainOptions : public LumbraToolbar
{
public:
    PluginToolbarMainOptions();
};

// The snap objects of the views.
class PluginToolbarSnapOptions : public LumbraToolbar
{
public:
    PluginToolbarSnapOptions();
};

// The zoom-all and zoom-selected items of the OpenGL view; hidden by default.
class PluginToolbarZoomOptions : public LumbraToolbar
{
public:
    PluginToolbarZoomOptions();
};

// The pan, rotate and zoom tools of the views.
class PluginToolbarViewOptions : public LumbraToolbar
{
public:
    PluginToolbarViewOptions();
};

// The joint property toggles.
class PluginToolbarJointProperties : public LumbraToolbar
{
public:
    PluginToolbarJointProperties();
};

} // namespace lumbra
