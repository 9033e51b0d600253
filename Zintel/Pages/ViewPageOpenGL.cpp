#include "Zintel/Pages/ViewPageOpenGL.h"

#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ViewTools.h"
#include "Zintel/ZintelLibrary.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"

#include <string>

namespace zintel
{

CViewPageOpenGL::CViewPageOpenGL(PluginViewOpenGL* viewType) : ViewTypePage(templateId, viewType), openGL(viewType)
{
}

platform::ToolbarButton* CViewPageOpenGL::pageButtonOf(VornPluginBase* plugin)
{
    auto* item = dynamic_cast<PluginVOMenuItem*>(plugin);
    return item != nullptr ? &item->pageButton : nullptr;
}

bool CViewPageOpenGL::isOneShotCommand(VornPluginMenuItem* item)
{
    return dynamic_cast<PluginVOMIZoomFit*>(item) != nullptr;
}

bool CViewPageOpenGL::onInitDialog()
{
    using namespace platform;
    Dialog::onInitDialog();
    stack.bar.subclassDlgItem(scrollBarId, this);
    createHolder(thisModule(), {0, 30, 100, 130});
    stack.bar.page = 50;
    stack.bar.total = 200;
    createToolbar(WS_CHILD | TBSTYLE_WRAPABLE | CCS_ADJUSTABLE | CCS_NODIVIDER | CCS_TOP, openGL->menuItems);
    createPagettes(openGL->pages);
    const int32_t right = toolbar.clientRect().right;
    stack.bar.moveWindow({right - 10, toolbarHeight, right, toolbarHeight + 100}, false);
    toolbar.showWindow(SW_SHOW);
    layout(clientRect().width(), clientRect().height());
    return true;
}

void CViewPageOpenGL::layout(int32_t width, int32_t height)
{
    if (!stack.bar.exists() || !toolbar.exists())
        return;
    // The tool bar spans the page, its buttons wrapping into as many rows as they need.
    toolbarHeight = toolbar.layoutForWidth(width).height;
    toolbar.moveWindow({0, 0, width, toolbarHeight}, false);
    const int32_t barLeft = toolbar.clientRect().right - 10;
    stack.bar.moveWindow({barLeft, toolbarHeight, width - 1, height - 1}, false);
    if (holder.exists())
        holder.moveWindow({9, toolbarHeight, barLeft - 1, height - 1}, false);
    stack.layout(false);
}

platform::LResult CViewPageOpenGL::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::LResult result = ViewTypePage::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

void showPageAbout(PluginWindowHandle* parent, const char* name, const char* caption)
{
    showAboutBox(parent, caption, std::string(name) + "\n2000");
}

PluginVOPageAdvancedSettings::PluginVOPageAdvancedSettings()
    : OpenGLPage({"Advanced Settings Page", "Advanced Settings Page:\nView/Modify the perspective's view.",
                  "PluginVPPageAdvancedSettings"})
{
}

PluginVOPageColors::PluginVOPageColors()
    : OpenGLPage({"View Colors Page", "View Colors Page:\nView/Modify the perspective's view.", "PluginVPPageColors"})
{
}

PluginVOPageGrid::PluginVOPageGrid()
    : OpenGLPage({"View Grid Page", "View Grid Page:\nView/Modify the perspective's view.", "PluginVPPageColors"})
{
}

PluginVOPageStress::PluginVOPageStress()
    : OpenGLPage({"View Stress Page", "View Stress Page:\nView/Modify the perspective's view.", "PluginVPPageColors"})
{
}

} // namespace zintel
