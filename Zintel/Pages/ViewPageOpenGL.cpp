#include "Zintel/Pages/ViewPageOpenGL.h"

#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "uikit/BitmapImages.h"

#include <new>
#include <string>

namespace zintel
{

CViewPageOpenGL::CViewPageOpenGL(PluginViewOpenGL* viewType) : platform::Dialog(templateId), viewType(viewType)
{
}

CViewPageOpenGL::~CViewPageOpenGL() = default;

bool CViewPageOpenGL::onInitDialog()
{
    using namespace platform;
    Dialog::onInitDialog();
    stack.bar.subclassDlgItem(scrollBarId, this);
    holderHandle.reset(new (std::nothrow) PluginWindowHandleImpl);
    if (!holderHandle)
        throw Exc_OutOfMemory("CMCPageCreate::OnInitDialog()");
    holderHandle->parent = viewType->windowHandle;
    if (!holder.createHolder(this, thisModule(), &stack, holderHandle.get(), {0, 30, 100, 130}))
        throw Exc_InternalError("CMCPageCreate::OnInitDialog()");
    stack.bar.page = 50;
    stack.bar.total = 200;

    toolbar.create(WS_CHILD | TBSTYLE_WRAPABLE | CCS_ADJUSTABLE | CCS_NODIVIDER | CCS_TOP, {0, 0, 0, 0}, this,
                   toolbarId);
    toolbar.setImageList(&images);
    ToolbarButton separator;
    separator.imageIndex = 0;
    separator.state = TBSTATE_ENABLED;
    separator.style = TBSTYLE_SEP;
    toolbar.addButtons(&separator, 1);
    nextCommandId = firstCommandId;
    for (VornPluginBase* plugin = viewType->menuItems; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* item = dynamic_cast<PluginVOMenuItem*>(plugin);
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

    for (VornPluginBase* plugin = viewType->pages; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* page = dynamic_cast<PluginVOPage*>(plugin);
        if (page == nullptr || viewType->mai == nullptr)
            continue;
        page->windowHandle = viewType->mai->createPluginWindow(page->getWindowRequest(), holderHandle.get());
        if (page->windowHandle != nullptr)
            page->windowHandle->showWindow(SW_SHOW);
    }
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
    const platform::LResult result = platform::Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

bool CViewPageOpenGL::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id >= static_cast<uint32_t>(firstCommandId) && id < static_cast<uint32_t>(nextCommandId))
        for (VornPluginBase* plugin = viewType->menuItems; plugin != nullptr; plugin = plugin->getNext())
        {
            auto* item = dynamic_cast<PluginVOMenuItem*>(plugin);
            if (item == nullptr || static_cast<uint32_t>(item->pageButton.commandId) != id)
                continue;
            selectToolItem(item);
            if (viewType->mai != nullptr)
                viewType->mai->pluginLists.activateInDialogs(item);
            return true;
        }
    return platform::Dialog::onCommand(id, code, control);
}

void CViewPageOpenGL::selectToolItem(VornPluginMenuItem* item)
{
    const auto* tool = dynamic_cast<PluginVOMenuItem*>(item);
    const int32_t checked = tool != nullptr ? tool->pageButton.commandId : 0;
    for (int32_t id = firstCommandId; id < nextCommandId; ++id)
        toolbar.setButtonState(static_cast<uint32_t>(id),
                               platform::TBSTATE_ENABLED | (id == checked ? platform::TBSTATE_CHECKED : 0));
    viewType->currentTool = item;
    if (viewType->mai != nullptr && viewType->mai->activeDocument != nullptr)
        viewType->mai->activeDocument->setActiveMenuItem(item);
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
