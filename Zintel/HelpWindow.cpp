#include "Zintel/HelpWindow.h"

#include "Zintel/ZintelLibrary.h"
#include "VornData/generalException.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"

#include <new>

namespace zintel
{

platform::DialogTemplate helpWindowTemplate()
{
    using namespace platform;
    DialogTemplate window = dialogTemplateOf({0, 0, 116, 128}, WS_CHILD | WS_VISIBLE | DS_SETFONT, "",
                                             {pushButtonItem(CMainConsole::contentsId, {7, 107, 50, 14}, "&Contents"),
                                              pushButtonItem(CMainConsole::searchId, {59, 107, 50, 14}, "&Search")});
    window.exStyle = WS_EX_CONTROLPARENT | WS_EX_TRANSPARENT;
    return window;
}

CMainConsole::CMainConsole(PluginHelpWindow* owner) : platform::Dialog(templateId), owner(owner)
{
}

PluginHelpWindow::PluginHelpWindow() : WithOwnDialog(CMainConsole::templateId)
{
}

const char* PluginHelpWindow::getName()
{
    return "Help Window";
}

VornPluginBase* PluginHelpWindow::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginDialogMenuItem(this, "&Help\\&Contents");
    if (item == nullptr)
        throw Exc_OutOfMemory("Help: PluginMainConsoleDialog::GetPackagedPlugin");
    return package(item);
}

const char* PluginHelpWindow::getDescription()
{
    return "Help Window:\nThe HTML-based information window automaticly linked to the Help-Pages.";
}

void PluginHelpWindow::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "Help Window", "Help Window\n1999");
}

PluginWindowRequest* PluginHelpWindow::getWindowRequest()
{
    static const bool registered = [] {
        platform::registerDialogTemplate(thisModule(), CMainConsole::templateId, helpWindowTemplate());
        return true;
    }();
    (void)registered;
    return WithOwnDialog::getWindowRequest();
}

const char* PluginHelpWindow::getWindowTitle()
{
    return "Help";
}

int32_t PluginHelpWindow::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0x5000;
    case DockInfo::BarParameter:
        return 8;
    default:
        return 0;
    }
}

std::unique_ptr<platform::Dialog> PluginHelpWindow::makeDialog()
{
    return std::make_unique<CMainConsole>(this);
}

} // namespace zintel
