#include "uikit/DockedDialog.h"

#include "platform/CommandRouting.h"
#include "platform/DialogBar.h"
#include "platform/MainFrame.h"
#include "uikit/PluginWindowHandleImpl.h"

namespace
{

// The dialog's bar and the frame that shows it; both null while the bar or its frame is missing.
struct DockedBar
{
    platform::DialogBar* bar = nullptr;
    platform::MainFrame* frame = nullptr;
};

DockedBar dockedBarOf(VornPluginDialog* dialog)
{
    if (dialog == nullptr || dialog->barHandle == nullptr)
        return {};
    auto* bar = dynamic_cast<platform::DialogBar*>(dialog->barHandle->getWnd());
    auto* frame = bar != nullptr ? dynamic_cast<platform::MainFrame*>(bar->parent()) : nullptr;
    if (frame == nullptr)
        return {};
    return {bar, frame};
}

} // namespace

PluginDialogMenuItem::PluginDialogMenuItem(VornPluginDialog* dialog, const char* menuPath)
    : dialog(dialog), menuPath(menuPath)
{
}

const char* PluginDialogMenuItem::getName()
{
    return menuPath;
}

const char* PluginDialogMenuItem::getDescription()
{
    return menuPath;
}

const char* PluginDialogMenuItem::getMenuPath()
{
    return menuPath;
}

void PluginDialogMenuItem::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, menuPath, "Dialog Menu Item\n1999");
}

void PluginDialogMenuItem::execute(MAI_View* activeView)
{
    const DockedBar docked = dockedBarOf(dialog);
    if (docked.frame == nullptr)
        return;
    docked.frame->showDialogBar(*docked.bar, !docked.frame->isDialogBarVisible(*docked.bar));
    docked.frame->recalcLayout();
}

void PluginDialogMenuItem::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (dialog == nullptr)
    {
        commandUI->Enable(false);
        return;
    }
    commandUI->Enable(true);
    const DockedBar docked = dockedBarOf(dialog);
    commandUI->SetCheck(docked.frame != nullptr && docked.frame->isDialogBarVisible(*docked.bar) ? 1 : 0);
}
