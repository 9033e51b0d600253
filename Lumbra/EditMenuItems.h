#pragma once

#include "Lumbra/LumbraMenuItem.h"

class VornPluginDialog;
class VornPluginWindowed;

namespace lumbra
{

// "&Edit\&Delete": removes the selected objects and everything that depends on them, under the
// document lock.
class PluginMenuItemDelete : public LumbraMenuItem
{
public:
    PluginMenuItemDelete();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Freeze": not available yet; says so.
class PluginMenuItemFreeze : public LumbraMenuItem
{
public:
    PluginMenuItemFreeze();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Hide": not available yet; says so.
class PluginMenuItemHide : public LumbraMenuItem
{
public:
    PluginMenuItemHide();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Select": the selection tool. As the document's active tool it hands the mouse to the
// view type's own selection handler. The Selection pagette packages it and shows its state on the
// first button of its toolbar.
class PluginMenuItemSelect : public LumbraMenuItem
{
public:
    PluginMenuItemSelect();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
    void activate(bool active) override;
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags) override;

    // The pagette that packages the item; null until it sets itself.
    VornPluginWindowed* owner = nullptr;
};

// "&Tools\&Property List\&Add Selected": adds the selected objects to the document's property
// list and shows the property list dialog that packages the item.
class PluginMenuItemAddToPropList : public LumbraMenuItem
{
public:
    explicit PluginMenuItemAddToPropList(VornPluginDialog* propertyListDialog);
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    VornPluginDialog* const propertyListDialog;
};

// Deactivates and reactivates the document's active tool, which resets its state. It has no menu
// entry; it is reached through key and mouse bindings.
class PluginMenuItemResetActive : public LumbraMenuItem
{
public:
    PluginMenuItemResetActive();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

} // namespace lumbra
