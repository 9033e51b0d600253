#include "Lumbra/Perspective/PerspectiveViewPage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"

namespace lumbra
{

CViewPagePerspective::CViewPagePerspective(PluginViewPerspective* viewType)
    : platform::Dialog(templateId), viewType(viewType)
{
}

CViewPagePerspective::~CViewPagePerspective() = default;

bool CViewPagePerspective::onInitDialog()
{
    using namespace platform;
    stack.bar.subclassDlgItem(scrollBarId, this);
    holderHandle.reset(makeWindowHandle());
    if (!holder.createHolder(this, thisModule(), &stack, holderHandle.get(), {0, 30, 100, 130}))
        throw Exc_InternalError("CMCPageCreate::OnInitDialog()");
    toolbar.create(WS_CHILD | TBSTYLE_WRAPABLE | TBSTYLE_FLAT | CCS_ADJUSTABLE | CCS_NODIVIDER | CCS_TOP, {0, 0, 0, 0},
                   this, toolbarId);
    toolbar.setImageList(&images);
    ToolbarButton separator;
    separator.style = TBSTYLE_SEP;
    toolbar.addButtons(&separator, 1);
    for (VornPluginBase* plugin = viewType->menuItemPlugins; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* item = dynamic_cast<PluginVPMenuItem*>(plugin);
        if (item == nullptr || item->getBitmapID() == 0)
            continue;
        const int image = addBitmapImage(item->module, item->getBitmapID(), images);
        if (image < 0)
            continue;
        item->pageButton.imageIndex = image;
        item->pageButton.commandId = nextCommandId++;
        item->pageButton.state = TBSTATE_ENABLED;
        item->pageButton.style = TBSTYLE_BUTTON;
        item->pageButton.data = reinterpret_cast<std::uintptr_t>(item);
        toolbar.addButtons(&item->pageButton, 1);
    }
    toolbarHeight = toolbar.autoSize().height;
    for (VornPluginBase* plugin = viewType->pagePlugins; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* page = dynamic_cast<VornPluginWindowed*>(plugin);
        if (page == nullptr || viewType->mai == nullptr)
            continue;
        if (PluginWindowHandle* window =
                viewType->mai->createPluginWindow(page->getWindowRequest(), holderHandle.get()))
            window->showWindow(SW_SHOW);
    }
    stack.bar.moveWindow({clientRect().right - 10, toolbarHeight, clientRect().right, toolbarHeight + 100}, false);
    toolbar.showWindow(SW_SHOW);
    layout(clientRect().width(), clientRect().height());
    return true;
}

void CViewPagePerspective::layout(int32_t width, int32_t height)
{
    if (!toolbar.exists())
        return;
    toolbar.moveWindow({0, 0, width, toolbar.autoSize().height}, false);
    toolbarHeight = toolbar.autoSize().height;
    const int32_t barLeft = width - 10;
    stack.bar.moveWindow({barLeft, toolbarHeight, width, height}, false);
    holder.moveWindow({9, toolbarHeight, barLeft, height}, false);
    stack.layout(true);
}

platform::LResult CViewPagePerspective::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return platform::Dialog::windowProc(message, wParam, lParam);
}

bool CViewPagePerspective::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (VornPluginBase* plugin = viewType->menuItemPlugins; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* item = dynamic_cast<PluginVPMenuItem*>(plugin);
        if (item == nullptr || item->pageButton.commandId == 0 ||
            static_cast<uint32_t>(item->pageButton.commandId) != id)
            continue;
        selectTool(item);
        if (viewType->mai != nullptr)
            viewType->mai->pluginLists.activateInDialogs(item);
        return true;
    }
    return platform::Dialog::onCommand(id, code, control);
}

void CViewPagePerspective::selectTool(VornPluginMenuItem* item)
{
    const auto* tool = dynamic_cast<PluginVPMenuItem*>(item);
    const int32_t pressed = tool != nullptr ? tool->pageButton.commandId : 0;
    for (int32_t id = firstCommandId; id < nextCommandId; ++id)
        toolbar.setButtonState(static_cast<uint32_t>(id),
                               platform::TBSTATE_ENABLED | (id == pressed ? platform::TBSTATE_CHECKED : 0));
    viewType->currentTool = item;
    if (viewType->mai != nullptr && viewType->mai->activeDocument != nullptr)
        viewType->mai->activeDocument->setActiveMenuItem(item);
}

void registerPerspectiveViewPageTemplate()
{
    using namespace platform;
    platform::registerDialogTemplate(
        thisModule(), CViewPagePerspective::templateId,
        dialogTemplateOf({0, 0, 150, 175}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
                         {controlItem("Button", CViewPagePerspective::scrollBarId, {140, 30, 8, 140}, BS_OWNERDRAW)}));
}

} // namespace lumbra
