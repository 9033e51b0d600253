#include "Lumbra/Perspective/PerspectiveViewPage.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"

namespace lumbra
{

CViewPagePerspective::CViewPagePerspective(PluginViewPerspective* viewType)
    : ViewTypePage(templateId, viewType), perspective(viewType)
{
}

platform::ToolbarButton* CViewPagePerspective::pageButtonOf(VornPluginBase* plugin)
{
    auto* item = dynamic_cast<PluginVPMenuItem*>(plugin);
    return item != nullptr ? &item->pageButton : nullptr;
}

bool CViewPagePerspective::onInitDialog()
{
    using namespace platform;
    stack.bar.subclassDlgItem(scrollBarId, this);
    createHolder(thisModule(), {0, 30, 100, 130});
    createToolbar(WS_CHILD | TBSTYLE_WRAPABLE | TBSTYLE_FLAT | CCS_ADJUSTABLE | CCS_NODIVIDER | CCS_TOP,
                  perspective->menuItemPlugins);
    createPagettes(perspective->pagePlugins);
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
    return ViewTypePage::windowProc(message, wParam, lParam);
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
