#pragma once

#include "Lumbra/LumbraMenuItem.h"

namespace lumbra
{

class PluginCreateGroupDialog;

// "&Edit\&Grouping\&Close": the selected objects of subgroups are replaced by their groups,
// selected as a whole.
class PluginMenuItemGroupClose : public LumbraMenuItem
{
public:
    PluginMenuItemGroupClose();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Grouping\&Open": groups selected as a whole are replaced by their members.
class PluginMenuItemGroupOpen : public LumbraMenuItem
{
public:
    PluginMenuItemGroupOpen();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Edit\&Grouping\&Group": shows and hides the Create Group dialog it packages.
class PluginMenuItemGroupCreate : public LumbraMenuItem
{
public:
    PluginMenuItemGroupCreate();
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    // Made when the registry asks for the packaged plugin, which then owns it; null before.
    PluginCreateGroupDialog* dialog = nullptr;
};

} // namespace lumbra
