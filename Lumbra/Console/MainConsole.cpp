#include "Lumbra/Console/MainConsole.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "platform/ControlNotifications.h"
#include "platform/Desktop.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"

namespace lumbra
{

namespace
{

const DialogPluginTexts consoleTexts = {
    "Main Console",
    "Main Console:\nThe tabbed interface to create and modify the data.",
    "Main Console",
    "Main Console Dialog",
    "Main Console",
    "&Tools\\&Toolbars\\Main &Console",
    "PluginMainConsoleDialog::GetPackagedPlugin",
};

// A plugin of the page list; null for one that only names the type without being a page (any
// library may add to the list).
VornPluginMainConsolePage* consolePageOf(VornPluginBase* entry)
{
    return dynamic_cast<VornPluginMainConsolePage*>(entry);
}

// The console is this much shorter than the bottom of the desktop's work area.
constexpr int32_t heightBelowWorkArea = 87;

} // namespace

VornPluginBase*& mainConsolePages()
{
    static VornPluginBase* head = nullptr;
    return head;
}

PluginMainConsoleDialog::PluginMainConsoleDialog() : LumbraDialogPlugin(consoleTexts, ConsoleDialog::Console)
{
}

void PluginMainConsoleDialog::registerPluginTypes(PluginManager* registry)
{
    mainConsolePages() = nullptr;
    registry->addPluginType(&mainConsolePages(), "Main Console Page", this);
}

bool PluginMainConsoleDialog::activatePlugin(VornPluginBase* plugin)
{
    auto* console = static_cast<CMainConsole*>(dialog());
    bool taken = false;
    for (VornPluginBase* entry = mainConsolePages(); entry != nullptr; entry = entry->getNext())
    {
        VornPluginMainConsolePage* page = consolePageOf(entry);
        if (page != nullptr && (page == plugin || page->activatePlugin(plugin)))
        {
            taken = true;
            if (console != nullptr)
                console->selectTab(page->tabIndex);
        }
    }
    return taken;
}

int32_t PluginMainConsoleDialog::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0x5000; // left or right
    case DockInfo::InitialDockBar:
        return 0xE81D; // the right dock bar
    case DockInfo::BarParameter:
        return 10; // fixed width, the child resized with the bar
    case DockInfo::FullHeight:
        return 1;
    default:
        return 0;
    }
}

std::unique_ptr<platform::Dialog> PluginMainConsoleDialog::makeDialog()
{
    return std::make_unique<CMainConsole>(nullptr, this);
}

CMainConsole::CMainConsole(platform::Window* parent, VornPluginWindowed* owner)
    : Dialog(ConsoleDialog::Console), owner(dynamic_cast<PluginMainConsoleDialog*>(owner))
{
}

bool CMainConsole::onInitDialog()
{
    Dialog::onInitDialog();
    const int32_t height = platform::desktopWorkArea().bottom - heightBelowWorkArea;
    tabs.subclassDlgItem(ConsoleControl::Tabs, this);
    tabImages = std::make_unique<platform::ImageList>(platform::Size{32, 24});
    tabs.setPadding({2, 4});
    tabs.setImageList(tabImages.get());
    const platform::Rect pages = pageRect();

    // The plugin's handle is filled before the console exists and attached only after its
    // initialisation; the tab handle names it as parent now.
    PluginWindowHandle* consoleHandle = owner != nullptr ? owner->windowHandle : nullptr;
    if (consoleHandle != nullptr)
        consoleHandle->attach(this);
    tabHandle = std::make_unique<PluginWindowHandleImpl>(&tabs);
    tabHandle->parent = consoleHandle;

    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    int tab = 0;
    for (VornPluginBase* entry = mainConsolePages(); entry != nullptr && mai != nullptr; entry = entry->getNext())
    {
        VornPluginMainConsolePage* page = consolePageOf(entry);
        if (page == nullptr)
            continue;
        page->windowHandle = mai->createPluginWindow(page->getWindowRequest(), tabHandle.get());
        if (page->windowHandle == nullptr || page->windowHandle->getWnd() == nullptr)
            continue; // a page without a window gets no tab
        page->windowHandle->moveWindow(pages, true);
        page->windowHandle->showWindow(tab == 0 ? platform::SW_SHOW : platform::SW_HIDE);
        page->addTabImage(tabImages.get());
        page->tabIndex = tab;
        tabs.insertItem(tab, "", page->tabImageIndex, reinterpret_cast<std::intptr_t>(page));
        ++tab;
    }
    setWindowPos(nullptr, 0, 0, clientRect().width(), height,
                 platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOREDRAW);
    return true;
}

platform::LResult CMainConsole::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_NOTIFY)
    {
        const auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        if (header != nullptr && header->idFrom == static_cast<std::uintptr_t>(ConsoleControl::Tabs))
        {
            if (header->code == platform::TCN_SELCHANGING)
            {
                onSelchangingTab();
                return 0;
            }
            if (header->code == platform::TCN_SELCHANGE)
            {
                onSelchangeTab();
                return 0;
            }
        }
    }
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        onSize(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

int CMainConsole::selectTab(int index)
{
    const int current = tabs.curSel();
    if (index == current || index < 0 || index >= tabs.itemCount())
        return current;
    onSelchangingTab();
    tabs.setCurSel(index);
    onSelchangeTab();
    return current;
}

VornPluginMainConsolePage* CMainConsole::pageOfTab(int index) const
{
    if (index < 0 || index >= tabs.itemCount())
        return nullptr;
    return reinterpret_cast<VornPluginMainConsolePage*>(tabs.itemData(index));
}

void CMainConsole::onSelchangingTab()
{
    VornPluginMainConsolePage* page = pageOfTab(tabs.curSel());
    if (page != nullptr && page->windowHandle != nullptr)
        page->windowHandle->showWindow(platform::SW_HIDE);
}

void CMainConsole::onSelchangeTab()
{
    VornPluginMainConsolePage* page = pageOfTab(tabs.curSel());
    if (page == nullptr)
        return;
    if (page->windowHandle != nullptr)
        page->windowHandle->showWindow(platform::SW_SHOW);
    // Choosing a page without a tool ends the active tool.
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    if (mai != nullptr && mai->activeDocument != nullptr)
        mai->activeDocument->setActiveMenuItem(page->pageTool);
}

platform::Rect CMainConsole::pageRect() const
{
    const platform::Rect client = tabs.clientRect();
    return platform::Rect{client.left + 3, client.top + 35, client.right - 2, client.bottom - 2};
}

void CMainConsole::onSize(int32_t width, int32_t height)
{
    if (!tabs.exists())
        return;
    const platform::Rect tabsOnScreen = tabs.windowRect();
    const platform::Rect consoleOnScreen = windowRect();
    const int32_t left = tabsOnScreen.left - consoleOnScreen.left;
    const int32_t top = tabsOnScreen.top - consoleOnScreen.top;
    tabs.moveWindow(platform::Rect{left, top, width - 1, height - 1}, false);
    const platform::Rect pages = pageRect();
    for (VornPluginBase* entry = mainConsolePages(); entry != nullptr; entry = entry->getNext())
    {
        VornPluginMainConsolePage* page = consolePageOf(entry);
        if (page != nullptr && page->windowHandle != nullptr && page->windowHandle->getWnd() != nullptr)
            page->windowHandle->moveWindow(pages, true);
    }
}

} // namespace lumbra
