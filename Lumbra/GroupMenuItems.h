#pragma once

#include "Lumbra/LumbraMenuItem.h"

class PluginCreateGroupDialog;

// "&Edit\&Grouping\&Close": the selected objects of subgroups are replaced by their groups,
// selected as a whole.
class PluginMenuItemGroupClose : public lumbra::LumbraMenuItem
{
public:
    PluginMenuItemGroupClose();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Grouping\&Open": groups selected as a whole are replaced by their members.
class PluginMenuItemGroupOpen : public lumbra::LumbraMenuItem
{
public:
    PluginMenuItemGroupOpen();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Grouping\&Group": shows and hides the Create Group dialog it packages.
class PluginMenuItemGroupCreate : public lumbra::LumbraMenuItem
{
public:
    PluginMenuItemGroupCreate();
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    // Made when the registry asks for the packaged plugin, which then owns it; null before.
    PluginCreateGroupDialog* dialog = nullptr;
};
