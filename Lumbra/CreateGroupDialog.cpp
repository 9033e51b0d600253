#include "Lumbra/CreateGroupDialog.h"

#include "Lumbra/LumbraLibrary.h"

const char* PluginCreateGroupDialog::getName()
{
    return "Create Group Dialog";
}

const char* PluginCreateGroupDialog::getDescription()
{
    return "Create Group Dialog:\nEnables the user to supply a name\nand color to a new group.";
}

void PluginCreateGroupDialog::about(PluginWindowHandle* parent)
{
    lumbra::showAboutBox(parent, getName(), "Create Group Dialog");
}

PluginWindowRequest* PluginCreateGroupDialog::getWindowRequest()
{
    return requestWindow(dialogId);
}

const char* PluginCreateGroupDialog::getWindowTitle()
{
    return "Create Group";
}

int32_t PluginCreateGroupDialog::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xF000; // any side
    case DockInfo::StartHidden:
        return 1;
    case DockInfo::HorizontalSize:
        return 0x001D00C0; // 192 x 29
    case DockInfo::VerticalSize:
        return 0x004D00B8; // 184 x 77
    case DockInfo::BarParameter:
        return 15;
    default:
        return 0;
    }
}
