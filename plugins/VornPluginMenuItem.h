#pragma once

#include "platform/ToolbarButton.h"
#include "plugins/VornPlugin.h"

class MAI_View;

// A command of the menus, toolbars and key bindings, and a tool that becomes a document's active
// tool ("Standard MenuItem").
class VornPluginMenuItem : public VornPlugin
{
public:
    const char* getTypeName() override;
    // Backslash-separated menu captions, "&" before the access key ("&Tools\&Toolbars\Main &Options").
    virtual const char* getMenuPath();
    // The part of the menu path after its last backslash; null without a path.
    virtual const char* getMenuText();
    virtual const char* getAuxiliaryText();
    virtual const char* getButtonText();
    virtual const char* getToolTipText();
    // Null means the arrow.
    virtual platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags);
    // 0: no toolbar button.
    virtual int32_t getBitmapID();
    virtual platform::ToolbarButton* getButton();
    // Null: the host puts the button on "Main Options".
    virtual const char* getToolbarName();
    // Runs the command on the document of the given active view; nothing without one.
    virtual void execute(MAI_View* activeView) = 0;
    virtual void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) = 0;
    // The item became (true) or stopped being (false) its document's active tool.
    virtual void activate(bool active);
    // Mouse input of the active tool (InputEvent flags). Asked with (0, 0, 0, InputEvent::Probe)
    // whether it takes mouse input at all; told (-1, -1, -1, InputEvent::Leave) when the mouse
    // moves to a view of another document.
    virtual bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags);

    uint32_t commandId = 0; // given by the host
    VornPluginMenuItem* prevItem = nullptr; // the host's chain of menu items
    VornPluginMenuItem* nextItem = nullptr;
    uint8_t editState = 0; // the document's edit state while this is its tool
    uint8_t hotKeyTextChanged = 0; // the menu entry must be rebuilt
    char hotKeyText[30] = {}; // written by the host from the key bindings
    platform::ToolbarButton button;
};

// A menu item whose command shows and hides a docked toolbar ("Toolbar").
class VornPluginToolbar : public VornPluginMenuItem
{
public:
    const char* getTypeName() override;
    // Framework CBRS_ALIGN_* bits.
    virtual int32_t getDockAlignment();
    // Framework dock bar id.
    virtual int32_t getDockBarID();
    virtual bool isVisibleByDefault();

    // The toolbar window; null until the host made it.
    PluginWindowHandle* barHandle = nullptr;
};
