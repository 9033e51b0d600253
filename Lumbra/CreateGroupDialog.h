#pragma once

#include "plugins/VornPluginDialog.h"

class PluginMenuItemGroupCreate;

// The docking bar in which the user names and colours a new group made of the current selection.
// The Create Group menu item packages it and shows and hides its bar.
class PluginCreateGroupDialog : public VornPluginDialog
{
public:
    static constexpr int32_t dialogId = 137;

    explicit PluginCreateGroupDialog(PluginMenuItemGroupCreate* owner) : owner(owner) {}

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override;
    const char* getWindowTitle() override;
    int32_t getDockInfo(uint32_t key) override;

    PluginMenuItemGroupCreate* const owner;
};
