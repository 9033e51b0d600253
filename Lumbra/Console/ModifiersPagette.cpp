#include "Lumbra/Console/ModifiersPagette.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginMenuItem.h"
#include "uikit/ToolbarCustomizing.h"

#include <algorithm>
#include <cstring>

namespace lumbra
{

namespace
{

const PagetteTexts modifiersTexts = {
    "Modifiers Pagette",
    "Modifiers Pagette:\nCreate/Select the current Modifiers.",
    "Modifiers",
    "Modifiers Pagette\n1999",
};

// Room between the pagette's frame and its toolbar, in pixels.
constexpr int32_t toolbarLeft = 7;
constexpr int32_t toolbarTop = 21;
constexpr int32_t toolbarRightMargin = 7;
constexpr int32_t toolbarBottomMargin = 4;
// The frame's open height is the toolbar's height and this.
constexpr int32_t frameAroundToolbar = 25;

} // namespace

int32_t modifierToolbarHeight(int32_t rows)
{
    return std::max(27 * ((rows + 1) / 2), 8);
}

CPageEditStaticModifiers::CPageEditStaticModifiers(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
}

bool CPageEditStaticModifiers::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    const platform::Rect client = clientRect();
    toolbar.create(
        platform::WS_VISIBLE | platform::TBSTYLE_WRAPABLE | platform::CCS_NODIVIDER | platform::CCS_ADJUSTABLE |
            platform::CCS_NOPARENTALIGN | platform::CCS_NORESIZE,
        {toolbarLeft, toolbarTop, client.width() - toolbarRightMargin, client.height() - toolbarBottomMargin}, this,
        toolbarId);
    images = std::make_unique<platform::ImageList>(platform::Size{16, 16});
    toolbar.setImageList(images.get());
    toolbar.modifyStyleEx(0, platform::WS_EX_TRANSPARENT);

    MAI* mai = plugin != nullptr ? plugin->mai : nullptr;
    for (VornPluginBase* entry = mai != nullptr ? mai->pluginLists.objectModifiers : nullptr; entry != nullptr;
         entry = entry->getNext())
    {
        auto* modifier = static_cast<VornPluginObjectModifier*>(entry);
        const int32_t bitmapId = modifier->getBitmapID();
        const int32_t image = bitmapId != 0 ? addBitmapImage(modifier->module, bitmapId, *images) : -1;
        platform::ToolbarButton* button = modifier->getButton();
        // A modifier whose picture cannot be shown gets no button and is not offered for one.
        if (image < 0 || button == nullptr)
            continue;
        button->imageIndex = image;
        button->commandId = nextCommandId++;
        button->state = platform::TBSTATE_ENABLED;
        button->style = platform::TBSTYLE_GROUP;
        button->data = reinterpret_cast<std::uintptr_t>(modifier);
        button->stringIndex = 0;
        toolbar.addButtons(button, 1);
        modifiersWithButtons.push_back(modifier);
    }
    toolbar.showWindow(platform::SW_SHOW);
    return false; // the pagette takes no focus of its own
}

platform::LResult CPageEditStaticModifiers::windowProc(uint32_t message, platform::WParam wParam,
                                                       platform::LParam lParam)
{
    if (platform::NotifyToolbar* notification = toolbarNotification(message, lParam, toolbarId))
        return onToolbarNotify(*notification);
    return Dialog::windowProc(message, wParam, lParam);
}

platform::LResult CPageEditStaticModifiers::onToolbarNotify(platform::NotifyToolbar& notification)
{
    const auto offered = [this](size_t index) {
        VornPluginObjectModifier* modifier = modifiersWithButtons[index];
        return OfferedButton{modifier->getButton(), modifier->getName()};
    };
    if (const auto answer =
            answerCustomizing(notification, modifiersWithButtons.size(), offered, [this] { onToolbarChange(); }))
        return *answer;
    if (notification.header.code != platform::NM_CLICK)
        return 0;
    onClick(notification.item);
    return 1;
}

void CPageEditStaticModifiers::onToolbarChange()
{
    const int32_t width = toolbar.clientRect().width();
    toolbar.layoutForWidth(width);
    const int32_t height = modifierToolbarHeight(toolbar.rowCount());
    if (toolbar.clientRect().height() == height)
        return;
    toolbar.moveWindow({toolbarLeft, toolbarTop, width + toolbarLeft, height + toolbarTop}, true);
    frame.openHeight = height + frameAroundToolbar;
    frame.setFolded(true);
}

void CPageEditStaticModifiers::onClick(int32_t commandId)
{
    MAI* mai = plugin != nullptr ? plugin->mai : nullptr;
    for (VornPluginObjectModifier* modifier : modifiersWithButtons)
        if (modifier->getButton()->commandId == commandId)
        {
            if (mai != nullptr && modifier->menuItem != nullptr)
                mai->postCommand(modifier->menuItem->commandId);
            return;
        }
}

bool CPageEditStaticModifiers::showActiveTool(VornPluginBase* tool)
{
    bool matched = false;
    for (VornPluginObjectModifier* modifier : modifiersWithButtons)
    {
        const bool active = tool != nullptr && modifier->menuItem == tool;
        matched = matched || active;
        const uint32_t commandId = static_cast<uint32_t>(modifier->getButton()->commandId);
        const uint8_t state = toolbar.buttonState(commandId);
        toolbar.setButtonState(commandId,
                               active ? uint8_t(state | platform::TBSTATE_CHECKED)
                                      : uint8_t(state & ~platform::TBSTATE_CHECKED));
    }
    return matched;
}

// ---- plugin ----

PluginEditStaticPageModifiers::PluginEditStaticPageModifiers() : WindowedPagette(modifiersTexts)
{
}

bool PluginEditStaticPageModifiers::activatePlugin(VornPluginBase* plugin)
{
    CPageEditStaticModifiers* page = window();
    return page != nullptr && page->exists() && page->showActiveTool(plugin);
}

platform::DialogTemplate modifiersPagetteTemplate()
{
    using namespace platform;
    using Page = CPageEditStaticModifiers;
    return dialogTemplateOf({0, 0, 120, 31}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
                            {controlItem("Button", Page::frameId, {0, 0, 119, 31}, BS_OWNERDRAW, "Modifiers")});
}

} // namespace lumbra
