#pragma once

#include "Lumbra/LumbraMenuItem.h"

#include <chrono>

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

    // How long the command waits for the document lock before it asks the user.
    std::chrono::milliseconds lockTimeout;
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
