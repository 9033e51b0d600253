#include "Lumbra/Console/CreatePage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "VornData/generalException.h"
#include "platform/ControlNotifications.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/ToolbarCustomizing.h"

#include <algorithm>
#include <cstring>

namespace lumbra
{

namespace
{

const ConsolePageTexts createPageTexts = {
    "Create Page",
    "Create Page:\nA console page supplying the interface for creating objects.",
};

VornPluginObjectCreator* creatorOf(VornPluginBase* entry)
{
    return static_cast<VornPluginObjectCreator*>(entry);
}

} // namespace

PluginMCPageCreate::PluginMCPageCreate()
    : LumbraConsolePage(createPageTexts, ConsoleDialog::CreatePage, ConsoleTabImage::CreatePage)
{
}

bool PluginMCPageCreate::activatePlugin(VornPluginBase* plugin)
{
    if (mai == nullptr)
        return false;
    for (VornPluginBase* entry = mai->pluginLists.objectCreators; entry != nullptr; entry = entry->getNext())
    {
        VornPluginObjectCreator* creator = creatorOf(entry);
        if (creator != plugin && creator->toolMenuItem != plugin)
            continue;
        auto* page = static_cast<CMCPageCreate*>(dialog());
        if (pageTool != creator->toolMenuItem && page != nullptr && page->exists())
            page->activateCreator(creator);
        return true;
    }
    return false;
}

std::unique_ptr<platform::Dialog> PluginMCPageCreate::makeDialog()
{
    return std::make_unique<CMCPageCreate>(nullptr, this);
}

CMCPageCreate::CMCPageCreate(platform::Window* parent, VornPluginWindowed* owner)
    : Dialog(ConsoleDialog::CreatePage), owner(dynamic_cast<PluginMCPageCreate*>(owner))
{
}

VornPluginBase* CMCPageCreate::creators() const
{
    return owner != nullptr && owner->mai != nullptr ? owner->mai->pluginLists.objectCreators : nullptr;
}

bool CMCPageCreate::onInitDialog()
{
    Dialog::onInitDialog();
    const char* thrower = "CMCPageCreate::OnInitDialog()";
    if (owner == nullptr)
        throw Exc_InternalError(thrower);
    pagettes.build(*this, *owner, ConsoleControl::CreatePlaceholder, {0, 30, 100, 130}, thrower);
    // The first layout replaces these.
    pagettes.stack.bar.page = 50;
    pagettes.stack.bar.total = 200;

    toolbar.create(platform::WS_VISIBLE | platform::TBSTYLE_WRAPABLE | platform::CCS_NODIVIDER |
                       platform::CCS_ADJUSTABLE | platform::CCS_TOP,
                   {}, this, ConsoleControl::CreateToolbar);
    toolbarImages = std::make_unique<platform::ImageList>(platform::Size{16, 16});
    toolbar.setImageList(toolbarImages.get());

    platform::ToolbarButton separator;
    separator.imageIndex = 0;
    separator.state = platform::TBSTATE_ENABLED;
    separator.style = platform::TBSTYLE_SEP;
    toolbar.addButtons(&separator, 1);

    nextCommandId = firstCommandId;
    for (VornPluginBase* entry = creators(); entry != nullptr; entry = entry->getNext())
    {
        VornPluginObjectCreator* creator = creatorOf(entry);
        const int32_t bitmapId = creator->getBitmapID();
        const int32_t image = bitmapId != 0 ? addBitmapImage(creator->module, bitmapId, *toolbarImages) : -1;
        // A creator whose picture cannot be shown gets no button, and the customise dialog does
        // not offer it: its record stays as it was.
        platform::ToolbarButton* button = creator->getButton();
        if (image >= 0 && button != nullptr)
        {
            button->imageIndex = image;
            button->commandId = nextCommandId++;
            button->state = platform::TBSTATE_ENABLED;
            button->style = platform::TBSTYLE_BUTTON;
            button->data = reinterpret_cast<std::uintptr_t>(creator);
            button->stringIndex = 0;
            toolbar.addButtons(button, 1);
            creatorsWithButtons.push_back(creator);
        }
        creator->createCreatePagetteWindows(pagettes.pagetteParent());
        // Pagettes take part in the page's Tab order one group each; they start hidden.
        creator->modifyCreatePagetteStyle(platform::WS_VISIBLE, platform::WS_GROUP, 0);
    }

    fitToolbar(clientRect().width());
    pagettes.stack.bar.moveWindow(
        platform::Rect::fromPointAndSize({toolbar.clientRect().width() - 10, toolbarHeight}, {10, 100}), false);
    toolbar.showWindow(platform::SW_SHOW);
    return true;
}

void CMCPageCreate::fitToolbar(int32_t width)
{
    // The bar spans the page's top and wraps its buttons within it.
    toolbar.moveWindow({0, 0, width, std::max(toolbar.clientRect().height(), 1)}, false);
    const platform::Size buttons = toolbar.autoSize();
    toolbar.moveWindow({0, 0, width, buttons.height}, false);
    toolbarHeight = toolbar.clientRect().height();
}

platform::LResult CMCPageCreate::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (platform::NotifyToolbar* notification =
            toolbarNotification(message, lParam, static_cast<int32_t>(ConsoleControl::CreateToolbar)))
        return onToolbarNotify(*notification);
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

platform::LResult CMCPageCreate::onToolbarNotify(platform::NotifyToolbar& notification)
{
    const auto offered = [this](size_t index) {
        VornPluginObjectCreator* creator = creatorsWithButtons[index];
        return OfferedButton{creator->getButton(), creator->getObjectTypeName()};
    };
    if (const auto answer =
            answerCustomizing(notification, creatorsWithButtons.size(), offered, [this] { onToolbarChange(); }))
        return *answer;
    if (notification.header.code == platform::NM_CLICK)
        for (VornPluginObjectCreator* creator : creatorsWithButtons)
            if (creator->getButton()->commandId == notification.item)
            {
                activateCreator(creator);
                return 1;
            }
    return 0;
}

void CMCPageCreate::onToolbarChange()
{
    const int32_t before = toolbarHeight;
    const platform::Rect client = clientRect();
    fitToolbar(client.width());
    if (toolbarHeight == before)
        return;
    layout(client.width(), client.height());
    pagettes.stack.layout(true);
    pagettes.stack.bar.repaintNow();
}

void CMCPageCreate::layout(int32_t width, int32_t height)
{
    if (!pagettes.scrollBarExists())
        return;
    fitToolbar(width);
    const int32_t scrollLeft = toolbar.clientRect().width() - 10;
    pagettes.place({scrollLeft, toolbarHeight, width - 1, height - 1}, {9, toolbarHeight, scrollLeft - 1, height - 1});
}

void CMCPageCreate::activateCreator(VornPluginObjectCreator* creator)
{
    if (creator == nullptr || owner == nullptr)
        return;
    MAI* mai = owner->mai;
    if (creator->toolMenuItem != nullptr && mai != nullptr && mai->activeDocument != nullptr)
        mai->activeDocument->setActiveMenuItem(creator->toolMenuItem);
    owner->pageTool = creator->toolMenuItem;

    pagettes.rearrange([&] {
        for (VornPluginBase* entry = creators(); entry != nullptr; entry = entry->getNext())
        {
            VornPluginObjectCreator* other = creatorOf(entry);
            if (other == creator)
                other->modifyCreatePagetteStyle(0, platform::WS_VISIBLE, 0);
            else
                other->modifyCreatePagetteStyle(platform::WS_VISIBLE, 0, 0);
        }
    });

    const bool hasButton =
        std::find(creatorsWithButtons.begin(), creatorsWithButtons.end(), creator) != creatorsWithButtons.end();
    const int32_t checkedId = hasButton ? creator->getButton()->commandId : 0;
    for (int32_t id = firstCommandId; id < nextCommandId; ++id)
    {
        const uint32_t commandId = static_cast<uint32_t>(id);
        const uint8_t state = toolbar.buttonState(commandId);
        toolbar.setButtonState(
            commandId, id == checkedId ? state | platform::TBSTATE_CHECKED : state & ~platform::TBSTATE_CHECKED);
    }
}

} // namespace lumbra
