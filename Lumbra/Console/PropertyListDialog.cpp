#include "Lumbra/Console/PropertyListDialog.h"

#include "Lumbra/Console/PropertyListTabs.h"
#include "Lumbra/EditMenuItems.h"
#include "VornData/VornSelection.h"
#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/ControlNotifications.h"
#include "platform/DrawingObjects.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "uikit/PropertyColumns.h"
#include "uikit/PropertyListTracer.h"

#include <new>

namespace lumbra
{

namespace
{

const DialogPluginTexts propertyListTexts = {
    "PropertyList Dialog",
    "PropertyList Dialog:\nLists properties of indicated objects.",
    "PropertyList Dialog",
    "PropertyList Dialog, 2002",
    "Property List",
    "&Tools\\&Property List\\&Show",
    "PluginDialogPropertyList::GetPackagedPlugin",
};

} // namespace

void PropertyListRefreshListener::notify(void*)
{
    if (CDialogPropertyList* window = plugin.window(); window != nullptr && window->exists())
        window->refresh();
}

PluginDialogPropertyList::PluginDialogPropertyList() : LumbraDialogPlugin(propertyListTexts, dialogId) {}

const char* PluginDialogPropertyList::getName()
{
    if (listChanged == nullptr && mai != nullptr)
    {
        listChanged = std::make_unique<PropertyListRefreshListener>(*this);
        documentChanged = std::make_unique<PropertyListRefreshListener>(*this);
        mai->notifierRegistry.addListener(Channel::PropertyListChanged, listChanged.get());
        mai->notifierRegistry.addListener(Channel::ActiveDocumentChanged, documentChanged.get());
    }
    return LumbraDialogPlugin::getName();
}

VornPluginBase* PluginDialogPropertyList::GetPackagedPlugin(uint32_t index)
{
    if (index != 1)
        return LumbraDialogPlugin::GetPackagedPlugin(index);
    auto* item = new (std::nothrow) PluginMenuItemAddToPropList(this);
    if (item == nullptr)
        throw Exc_OutOfMemory(texts.packagingThrower);
    return package(item);
}

int32_t PluginDialogPropertyList::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xA000; // top or bottom
    case DockInfo::StartHidden:
        return 1;
    case DockInfo::BarParameter:
        return 8;
    case DockInfo::MinimumSize:
        return 0x5000C0; // 192 x 80
    default:
        return 0;
    }
}

CDialogPropertyList* PluginDialogPropertyList::window() const
{
    return static_cast<CDialogPropertyList*>(dialog());
}

std::unique_ptr<platform::Dialog> PluginDialogPropertyList::makeDialog()
{
    return std::make_unique<CDialogPropertyList>(nullptr, this);
}

CDialogPropertyList::CDialogPropertyList(platform::Window*, PluginDialogPropertyList* owner)
    : Dialog(PluginDialogPropertyList::dialogId), owner(owner)
{
    const platform::Font font = platform::Font::stock(platform::ANSI_VAR_FONT);
    fontHeight = font.height < 0 ? -font.height : font.height;
}

bool CDialogPropertyList::onInitDialog()
{
    list.subclassDlgItem(listId, this);
    header.subclassDlgItem(headerId, this);
    tabs.subclassDlgItem(tabsId, this);
    Dialog::onInitDialog();
    const platform::Rect client = clientRect();
    layout(client.width(), client.height());
    setTimer(repaintTimer, 3000);
    return true;
}

platform::LResult CDialogPropertyList::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    switch (message)
    {
    case platform::WM_TIMER:
        if (static_cast<uint32_t>(wParam) != repaintTimer)
            break;
        // Values that change without a notice (a running calculation's) are repainted.
        if (isVisible())
            list.invalidate(false);
        return 0;
    case platform::WM_DESTROY:
        killTimer(repaintTimer);
        break;
    case platform::WM_NOTIFY:
        if (static_cast<int32_t>(wParam) == tabsId &&
            reinterpret_cast<const platform::NotifyHeader*>(lParam)->code == platform::TCN_SELCHANGE)
        {
            tabChanged();
            return 0;
        }
        break;
    default:
        break;
    }
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE && tabs.exists())
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

void CDialogPropertyList::layout(int32_t width, int32_t height)
{
    const uint32_t flags = platform::SWP_NOZORDER;
    header.setWindowPos(nullptr, 2, 30, width - 2, fontHeight + 5, flags);
    list.setWindowPos(nullptr, 2, fontHeight + 35, width - 2, height - (fontHeight + 40), flags);
    tabs.setWindowPos(nullptr, 2, 2, width - 2, 27, flags);
}

void CDialogPropertyList::tabChanged()
{
    const int tab = tabs.curSel();
    const int32_t type = tab >= 0 ? static_cast<int32_t>(tabs.itemData(tab)) : -1;
    if (type == currentProplistType)
        return;
    currentProplistType = type;
    rebuildRows();
    header.invalidate(false);
}

void CDialogPropertyList::rebuildRows()
{
    list.resetContent();
    PropertyListTracer& tracer = PropertyListTracer::instanciate();
    tracer.clearTracedItems();
    MAI* mai = owner->mai;
    if (currentProplistType == -1 || mai == nullptr || mai->activeDocument == nullptr)
        return;
    VornSelection* listed = mai->activeDocument->document.getPropertyListSelection();
    for (knot* link = listed->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (!object->isKindOf(currentProplistType))
            continue;
        const int32_t index = tracer.addTracedItem(object);
        if (index == -1)
            break;
        list.setItemData(list.addString(" "), index);
    }
}

void CDialogPropertyList::refresh()
{
    MAI* mai = owner->mai;
    if (mai == nullptr || mai->activeDocument == nullptr || !exists())
        return;
    initProplistTypeArray();
    std::vector<int32_t> listedTypes;
    VornSelection* listed = mai->activeDocument->document.getPropertyListSelection();
    for (knot* link = listed->objects.getFirst(); link != nullptr; link = link->getNext())
        listedTypes.push_back(VornSelection::objectOf(link)->getTypeID());
    const VornTypeIDManager& types = *getTypeIDManager();
    tabs.deleteAllItems();
    int32_t shown = -1;
    for (int32_t type : propertyListTabTypes(types, listedTypes))
    {
        const int tab = tabs.insertItem(tabs.itemCount(), types.getName(type), -1, type);
        if (type == currentProplistType)
        {
            tabs.setCurSel(tab);
            shown = type;
        }
    }
    if (shown == -1 && tabs.itemCount() > 0)
        shown = static_cast<int32_t>(tabs.itemData(0));
    if (shown != currentProplistType)
    {
        currentProplistType = shown;
        header.invalidate(false);
    }
    rebuildRows();
}

VornPlugin* makePropertyListDialog()
{
    return new PluginDialogPropertyList;
}

platform::DialogTemplate propertyListTemplate()
{
    using namespace platform;
    return dialogTemplateOf(
        {0, 0, 401, 76}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
        {controlItem(TabControl::kClassName, CDialogPropertyList::tabsId, {1, 1, 399, 16}, WS_TABSTOP),
         controlItem("Button", CDialogPropertyList::headerId, {1, 18, 399, 10}, BS_OWNERDRAW),
         controlItem("ListBox", CDialogPropertyList::listId, {1, 29, 399, 46},
                     LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP)});
}

} // namespace lumbra
