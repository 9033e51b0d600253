#include "Lumbra/Calculators/CalculationSetupDialog.h"

#include "Lumbra/Calculators/CalculatorSetupPages.h"
#include "Lumbra/Console/DialogPlugin.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginCalculator.h"

#include <algorithm>
#include <new>
#include <string>

namespace lumbra
{

namespace
{

// Every page in the dialog's list; the list holds only pages.
template <class Visit>
void forEachPage(VornPluginBase* first, Visit visit)
{
    for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
        if (auto* page = dynamic_cast<CalculatorSetupPage*>(plugin))
            visit(*page);
}

} // namespace

void CalculationSetupListener::notify(void*)
{
    dialog.showActivePage();
}

PluginCalculationSetupDialog::PluginCalculationSetupDialog() = default;
PluginCalculationSetupDialog::~PluginCalculationSetupDialog() = default;

const char* PluginCalculationSetupDialog::getName()
{
    subscribeListeners();
    return "Calculation Setup Dialog";
}

const char* PluginCalculationSetupDialog::getDescription()
{
    return "Calculation Setup Dialog:\nEnables the user to alter/view calculation settings.";
}

void PluginCalculationSetupDialog::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "Calculation Setup Dialog", "Calculation Setup Dialog\n2000");
}

void PluginCalculationSetupDialog::registerPluginTypes(PluginManager* registry)
{
    if (registry != nullptr)
        registry->addPluginType(&pages, "Calculation Setup Page", this);
}

void PluginCalculationSetupDialog::registerListeners()
{
    subscribeListeners();
}

void PluginCalculationSetupDialog::subscribeListeners()
{
    // Until the host has written the application interface there is no registry to join.
    if (mai == nullptr || calculatorListener != nullptr)
        return;
    calculatorListener = std::make_unique<CalculationSetupListener>(*this);
    mai->notifierRegistry.addListener(Channel::ActiveCalculatorChanged, calculatorListener.get());
    documentListener = std::make_unique<CalculationSetupListener>(*this);
    mai->notifierRegistry.addListener(Channel::ActiveDocumentChanged, documentListener.get());
}

VornPluginBase* PluginCalculationSetupDialog::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginDialogMenuItem(this, "C&alculate\\&Setup...");
    if (item == nullptr)
        throw Exc_OutOfMemory("PluginCalculationSetupDialog::GetPackagedPlugin");
    return package(item);
}

PluginWindowRequest* PluginCalculationSetupDialog::getWindowRequest()
{
    if (dialog == nullptr)
    {
        dialog = std::make_unique<CDialogCalculationSetup>(nullptr, this);
        dialogObject = dialog.get();
    }
    return requestWindow(dialogId);
}

const char* PluginCalculationSetupDialog::getWindowTitle()
{
    return "Setup Calculation";
}

int32_t PluginCalculationSetupDialog::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xF000; // any side
    case DockInfo::StartHidden:
        return 1;
    case DockInfo::BarParameter:
        return 10;
    case DockInfo::MinimumSize:
        return 0x005000C0; // 192 x 80
    default:
        return 0;
    }
}

void PluginCalculationSetupDialog::showActivePage()
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    VornPluginCalculator* calculator = document != nullptr ? document->getActiveCalculator() : nullptr;
    if (calculator == nullptr)
        return;
    // The bar's own caption: in a frame that docks bars the bar's parent is the main window, whose
    // title must stay the program's.
    if (barHandle != nullptr)
        if (platform::Window* bar = barHandle->getWnd())
            bar->setWindowText(std::string("Setup ") + calculator->getName());
    forEachPage(pages, [calculator](CalculatorSetupPage& page) {
        PluginWindowHandle* window = page.windowHandle;
        if (window == nullptr)
            return;
        if (page.calculator != calculator)
        {
            if (window->isVisible())
                window->showWindow(platform::SW_HIDE);
            return;
        }
        if (!window->isVisible())
            window->showWindow(platform::SW_SHOWNA);
        page.updateSetupPage();
    });
}

CDialogCalculationSetup::CDialogCalculationSetup(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(PluginCalculationSetupDialog::dialogId), plugin(dynamic_cast<PluginCalculationSetupDialog*>(plugin))
{
}

bool CDialogCalculationSetup::onInitDialog()
{
    Dialog::onInitDialog();
    if (plugin == nullptr || plugin->windowHandle == nullptr)
        return true;
    // The pages are made as children of the dialog's handle, which must know its window by now.
    plugin->windowHandle->attach(this);
    platform::Size needed = clientRect().size();
    forEachPage(plugin->firstPage(), [&](CalculatorSetupPage& page) {
        if (page.mai == nullptr)
            return;
        page.windowHandle = page.mai->createPluginWindow(page.getWindowRequest(), plugin->windowHandle);
        if (page.windowHandle == nullptr)
            return;
        // Hidden for good: a page made hidden inside a dialog that is not shown yet would
        // otherwise appear with the dialog, all pages on top of each other.
        page.windowHandle->showWindow(platform::SW_HIDE);
        platform::Rect pageArea;
        page.windowHandle->getClientRect(pageArea);
        needed.width = std::max(needed.width, pageArea.width());
        needed.height = std::max(needed.height, pageArea.height());
    });
    // The pages are taller than the dialog's template: the dialog grows to the largest, so that the
    // bar made around it shows every page whole.
    setWindowPos(nullptr, 0, 0, needed.width, needed.height,
                 platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
    layPages();
    // A dialog made after the last notification starts with the right page.
    plugin->showActivePage();
    return true;
}

platform::LResult CDialogCalculationSetup::windowProc(uint32_t message, platform::WParam wParam,
                                                      platform::LParam lParam)
{
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layPages();
    return result;
}

void CDialogCalculationSetup::layPages()
{
    if (plugin == nullptr)
        return;
    const platform::Rect client = clientRect();
    forEachPage(plugin->firstPage(), [&](CalculatorSetupPage& page) {
        if (page.windowHandle != nullptr)
            page.windowHandle->moveWindow(client, true);
    });
}

platform::DialogTemplate calculationSetupDialogTemplate()
{
    using namespace platform;
    return dialogTemplateOf({0, 0, 137, 96}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
                            {controlItem("Static", -1, {7, 7, 123, 8}, SS_LEFT, "No Properties...")});
}

void registerCalculationSetupTemplates()
{
    platform::registerDialogTemplate(thisModule(), PluginCalculationSetupDialog::dialogId,
                                     calculationSetupDialogTemplate());
    registerCalculatorSetupPageTemplates();
}

} // namespace lumbra
