#include "Lumbra/Modifiers/HistoryPagette.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/Console/EditPage.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/MenuItemImages.h"
#include "Lumbra/Modifiers/HistoryCommands.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornGroup.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/MAI.h"
#include "platform/ControlNotifications.h"
#include "platform/Cursor.h"
#include "platform/DialogTemplate.h"
#include "platform/Menu.h"
#include "platform/Message.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"

#include <new>

namespace lumbra
{

namespace
{

constexpr int32_t treeMargin = 10;
constexpr int32_t treeTopAndBottom = 31;
constexpr const char* rebuildThrower = "PluginEditStaticPageHistoryListener";

VornSelectable* firstObjectOf(VornSelection* selection)
{
    knot* first = selection != nullptr ? selection->objects.getFirst() : nullptr;
    return first != nullptr ? VornSelection::objectOf(first) : nullptr;
}

// The first creator of the application that makes objects of the type.
VornPluginObjectCreator* creatorOf(MAI* mai, int32_t typeId)
{
    for (VornPluginBase* entry = mai != nullptr ? mai->pluginLists.objectCreators : nullptr; entry != nullptr;
         entry = entry->getNext())
        if (auto* creator = dynamic_cast<VornPluginObjectCreator*>(entry);
            creator != nullptr && creator->getObjectTypeID() == typeId)
            return creator;
    return nullptr;
}

VornPluginObjectModifier* pluginOf(VornModifier* record)
{
    return record != nullptr ? dynamic_cast<VornPluginObjectModifier*>(record->modifierPlugin) : nullptr;
}

} // namespace

// ---- context menu ----

void buildHistoryMenu(platform::Menu& menu, const HistoryMenuContext& context)
{
    using Target = HistoryMenuContext::Target;
    namespace Command = HistoryCommand;
    const bool enabled = context.historyEnabled;
    auto addPastes = [&menu] {
        menu.appendItem(Command::PasteModifier, "&Paste Modifier");
        menu.setEnabled(menu.entryCount() - 1, false);
        menu.appendItem(Command::PasteModifierInstance, "Paste Modifier &Instance");
        menu.setEnabled(menu.entryCount() - 1, false);
    };
    if (!enabled)
    {
        menu.appendItem(Command::ToggleHistory, "&Enable History");
        menu.appendSeparator();
    }
    switch (context.target)
    {
    case Target::SingleCreation:
    case Target::GroupedCreation:
        if (context.target == Target::GroupedCreation)
            menu.appendItem(Command::SelectObjects, "&Select Objects");
        if (enabled)
        {
            menu.appendSeparator();
            addPastes();
        }
        break;
    case Target::Record:
        menu.appendItem(Command::SelectAllModifiedObjects, "&Select All Modified Objects");
        menu.appendItem(Command::SelectOriginalSelection, "Select &Original Selection");
        if (enabled)
        {
            menu.appendSeparator();
            if (context.recordDisabled)
            {
                menu.appendItem(Command::DisableModifier, "Modifier Dis&abled");
                menu.setCheck(menu.entryCount() - 1, 1);
            }
            else
                menu.appendItem(Command::DisableModifier, "Dis&able Modifier");
            menu.appendItem(Command::DetachModifier, "De&tach Modifier");
            menu.appendItem(Command::DeleteModifier, "&Delete Modifier");
            menu.appendSeparator();
            menu.appendItem(Command::CutModifier, "Cu&t Modifier");
            menu.appendItem(Command::CopyModifier, "&Copy Modifier");
            addPastes();
        }
        break;
    case Target::Nothing:
        if (enabled)
            addPastes();
        break;
    }
    menu.appendSeparator();
    if (enabled)
        menu.appendItem(Command::DeleteHistory, "&Delete History");
    platform::Menu* options = menu.appendPopup("History &Options");
    options->appendItem(Command::AutoSelectModifier, "&Auto-Select Modifier");
    options->setCheck(0, context.autoSelectModifier ? 1 : 0);
    options->appendItem(Command::DisplayModifierOptions, "Display Modifier &Options");
    options->setCheck(1, context.displayModifierOptions ? 1 : 0);
    if (enabled)
    {
        options->appendSeparator();
        options->appendItem(Command::ToggleHistory, "&Disable History");
    }
}

// ---- window ----

CPageEditStaticHistory::CPageEditStaticHistory(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), owner(dynamic_cast<PluginEditStaticPageHistory*>(plugin))
{
    frame.resizable = true;
    frame.openHeight = -1;
}

bool CPageEditStaticHistory::onInitDialog()
{
    Dialog::onInitDialog();
    frame.subclassDlgItem(frameId, this);
    const platform::Rect client = clientRect();
    frame.openHeight = client.height();
    frame.minOpenHeight = client.height();
    frame.bottomMargin = 10;
    frame.eraseLimit = 22;
    frame.moveWindow(client, false);
    tree.subclassDlgItem(treeId, this);

    images = std::make_unique<platform::ImageList>(platform::Size{16, 16});
    const platform::ModuleHandle module = owner != nullptr ? owner->module : thisModule();
    for (int32_t id :
         {HistoryImage::Image0, HistoryImage::Image1, HistoryImage::CreationGroup, HistoryImage::NotShared})
        addBitmapImage(module, id, *images);
    if (owner != nullptr)
    {
        const std::pair<int32_t, int32_t> typeBitmaps[] = {
            {VornGroup::staticTypeID(), HistoryImage::Group},
            {VornJoint::staticTypeID(), HistoryImage::Joint},
            {VornMember::staticTypeID(), HistoryImage::Member},
            {VornForceInstance::staticTypeID(), HistoryImage::Force},
        };
        for (const auto& [type, bitmap] : typeBitmaps)
        {
            const int32_t image = addBitmapImage(module, bitmap, *images);
            if (type >= 0 && static_cast<size_t>(type) < owner->typeImages.size() && image >= 0)
                owner->typeImages[static_cast<size_t>(type)] = image;
        }
    }
    tree.setImageList(images.get());
    return true;
}

platform::LResult CPageEditStaticHistory::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_NOTIFY && static_cast<int32_t>(wParam) == treeId)
    {
        const auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        if (header->code == platform::TVN_SELCHANGED)
        {
            picked();
            return 0;
        }
        if (header->code == platform::NM_RCLICK)
        {
            openMenuAt(tree.screenToClient(platform::cursorPosition()));
            return 1;
        }
    }
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE && frame.openHeight != -1 && tree.exists())
    {
        const int32_t width = static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam)));
        const int32_t height = static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam)));
        const platform::Rect place = tree.windowRect();
        const platform::Rect inDialog = screenToClient(place);
        tree.moveWindow(
            {inDialog.left, inDialog.top, inDialog.left + width - treeMargin, inDialog.top + height - treeTopAndBottom},
            false);
    }
    return result;
}

CMCPageEdit* CPageEditStaticHistory::editPage() const
{
    for (platform::Window* window = parent(); window != nullptr; window = window->parent())
        if (auto* page = dynamic_cast<CMCPageEdit*>(window))
            return page;
    return nullptr;
}

int32_t CPageEditStaticHistory::recordImage(VornModifier* record)
{
    VornPluginObjectModifier* plugin = pluginOf(record);
    if (plugin == nullptr || images == nullptr)
        return 0;
    if (plugin->getImageIndex() == -1)
    {
        platform::ResourceModuleScope scope(plugin->module);
        const int32_t image = addBitmapImage(plugin->module, plugin->getSecondBitmapID(), *images);
        if (image >= 0)
            plugin->setImageIndex(image);
    }
    return plugin->getImageIndex() >= 0 ? plugin->getImageIndex() : 0;
}

int32_t CPageEditStaticHistory::typeImage(int32_t typeId) const
{
    if (owner == nullptr || typeId < 0 || static_cast<size_t>(typeId) >= owner->typeImages.size())
        return 0;
    return owner->typeImages[static_cast<size_t>(typeId)];
}

VornModifier* CPageEditStaticHistory::liveRecord(MAI_Doc* document, intptr_t data) const
{
    auto* list = document != nullptr
        ? dynamic_cast<BlockList<VornModifier>*>(document->document.getBlockList("VornModifier"))
        : nullptr;
    if (list == nullptr || data == 0 || data == historySingleCreationData)
        return nullptr;
    for (uint32_t index = 0; index < list->getCount(); ++index)
        if (reinterpret_cast<intptr_t>(&(*list)[index]) == data)
            return &(*list)[index];
    return nullptr;
}

void CPageEditStaticHistory::rebuild()
{
    if (!exists())
        return;
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    HistoryInput input;
    if (document != nullptr)
    {
        input.selection = document->document.findSelection();
        input.activeRecord = document->getActiveModifier();
        VornPluginObjectModifier* activePlugin = pluginOf(input.activeRecord);
        input.activeRecordToolActive = activePlugin != nullptr && activePlugin->menuItem != nullptr &&
            activePlugin->menuItem == document->getActiveMenuItem();
    }
    input.autoSelectModifier = mai != nullptr && mai->autoSelectModifier;
    // The type table grows with the largest type id in use.
    if (owner != nullptr)
        if (VornSelectable* first = firstObjectOf(input.selection))
            if (const int32_t type = first->getTypeID();
                type >= 0 && static_cast<size_t>(type) >= owner->typeImages.size())
                owner->typeImages.resize((static_cast<size_t>(type) / 256 + 1) * 256, 0);

    const HistoryTree built = buildHistoryTree(input);
    tree.deleteAllItems();
    CMCPageEdit* page = editPage();
    if (built.entries.size() == 1 && built.entries.front().kind == HistoryEntryKind::NoObjectsSelected)
    {
        tree.enableWindow(false);
        tree.insertItem(built.entries.front().text, -1, -1);
        if (page != nullptr)
            page->showCreatorPagettes(nullptr, nullptr, nullptr);
        return;
    }
    tree.enableWindow(true);
    std::vector<platform::TreeItem> items;
    platform::TreeItem group = platform::TreeItem::None;
    for (const HistoryEntry& entry : built.entries)
    {
        platform::TreeItem item = platform::TreeItem::None;
        switch (entry.kind)
        {
        case HistoryEntryKind::Record: {
            const int32_t image = recordImage(entry.record);
            item = tree.insertItem(entry.text, image, image, platform::TreeItem::None, platform::TreeItem::Last,
                                   reinterpret_cast<intptr_t>(entry.record));
            break;
        }
        case HistoryEntryKind::NotShared:
            item = tree.insertItem(entry.text, 3, 3);
            break;
        case HistoryEntryKind::SingleCreation:
            item = tree.insertItem(entry.text, typeImage(entry.typeId), typeImage(entry.typeId),
                                   platform::TreeItem::None, platform::TreeItem::Last, historySingleCreationData);
            break;
        case HistoryEntryKind::CreationGroup:
            item = group = tree.insertItem(entry.text, 2, 2);
            break;
        case HistoryEntryKind::GroupedCreation:
            item = tree.insertItem(entry.text, typeImage(entry.typeId), typeImage(entry.typeId), group,
                                   platform::TreeItem::Last, entry.typeId);
            break;
        case HistoryEntryKind::NoObjectsSelected:
            item = tree.insertItem(entry.text, -1, -1);
            break;
        }
        if (item == platform::TreeItem::None)
            throw Exc_OutOfMemory(rebuildThrower);
        items.push_back(item);
    }
    if (group != platform::TreeItem::None)
        tree.expand(group, platform::TreeExpand::Expand);
    if (built.deactivateActive && document != nullptr)
        if (VornPluginObjectModifier* plugin = pluginOf(input.activeRecord))
            plugin->deactivate(document);
    if (built.selected >= 0 && static_cast<size_t>(built.selected) < items.size())
        tree.selectItem(items[static_cast<size_t>(built.selected)]);
    if (built.showNothing && page != nullptr)
        page->showCreatorPagettes(nullptr, nullptr, nullptr);
}

void CPageEditStaticHistory::picked()
{
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return;
    VornSelection* selection = document->document.findSelection();
    CMCPageEdit* page = editPage();
    const platform::TreeItem item = tree.selectedItem();
    const intptr_t data = item != platform::TreeItem::None ? tree.itemData(item) : 0;
    const platform::TreeItem parentItem =
        item != platform::TreeItem::None ? tree.parentItem(item) : platform::TreeItem::None;
    const bool grouped = parentItem != platform::TreeItem::None && tree.itemImage(parentItem) == 2;
    if (data == 0 || data == historySingleCreationData || grouped)
    {
        document->setActiveModifier(nullptr);
        VornPluginObjectCreator* creator = nullptr;
        if (data == historySingleCreationData)
        {
            if (VornSelectable* first = firstObjectOf(selection))
                creator = creatorOf(mai, first->getTypeID());
        }
        else if (grouped)
            creator = creatorOf(mai, static_cast<int32_t>(data));
        if (page != nullptr)
            page->showCreatorPagettes(document, selection, creator);
        return;
    }
    VornModifier* record = liveRecord(document, data);
    if (record == nullptr)
        return;
    if (page != nullptr)
        page->showModifierPagettes(document, record, pluginOf(record));
    document->setActiveModifier(record);
}

void CPageEditStaticHistory::openMenuAt(platform::Point treePoint)
{
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    HistoryMenuContext context;
    context.historyEnabled = document == nullptr || document->historyEnabled;
    context.autoSelectModifier = mai != nullptr && mai->autoSelectModifier;
    context.displayModifierOptions = mai == nullptr || mai->displayModifierOptions;
    clickedType = 0;
    clickedRecord = nullptr;
    const platform::TreeItem item = tree.hitTest(treePoint);
    if (item != platform::TreeItem::None)
    {
        const intptr_t data = tree.itemData(item);
        const platform::TreeItem parentItem = tree.parentItem(item);
        if (parentItem != platform::TreeItem::None && tree.itemImage(parentItem) == 2)
        {
            context.target = HistoryMenuContext::Target::GroupedCreation;
            clickedType = static_cast<int32_t>(data);
        }
        else if (data == historySingleCreationData)
        {
            context.target = HistoryMenuContext::Target::SingleCreation;
            clickedType = -1;
        }
        else if (VornModifier* record = liveRecord(document, data))
        {
            context.target = HistoryMenuContext::Target::Record;
            context.recordDisabled = record->isDisabled();
            clickedRecord = record;
        }
    }
    platform::Menu menu;
    buildHistoryMenu(menu, context);
    menu.trackPopup(platform::cursorPosition(), true, handle());
}

bool CPageEditStaticHistory::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (runCommand(id))
        return true;
    return Dialog::onCommand(id, code, control);
}

bool CPageEditStaticHistory::runCommand(uint32_t id)
{
    namespace Command = HistoryCommand;
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    // The record may have left its place since the click.
    VornModifier* record = liveRecord(document, reinterpret_cast<intptr_t>(clickedRecord));
    switch (id)
    {
    case Command::AutoSelectModifier:
        if (mai != nullptr)
            mai->autoSelectModifier = !mai->autoSelectModifier;
        return true;
    case Command::DisplayModifierOptions:
        if (mai != nullptr)
            mai->displayModifierOptions = !mai->displayModifierOptions;
        return true;
    case Command::DeleteHistory:
        if (document != nullptr)
            deleteHistory(*document);
        return true;
    case Command::ToggleHistory:
        if (document != nullptr)
            toggleHistory(*document);
        return true;
    case Command::DisableModifier:
        if (document != nullptr)
            disableModifier(*document, record);
        return true;
    case Command::DeleteModifier:
        if (document != nullptr)
            deleteModifier(*document, record);
        return true;
    case Command::DetachModifier:
        if (document != nullptr)
            detachModifier(*document, record);
        return true;
    case Command::SelectAllModifiedObjects:
    case Command::SelectOriginalSelection:
        if (document != nullptr)
            selectRecordObjects(*document, record, id == Command::SelectAllModifiedObjects);
        return true;
    case Command::SelectObjects:
        if (document != nullptr && clickedType > 0)
            selectObjectsOfType(*document, clickedType);
        return true;
    default:
        return false;
    }
}

// ---- plugin ----

PluginEditStaticPageHistory::PluginEditStaticPageHistory() : typeImages(256, 0)
{
}

const char* PluginEditStaticPageHistory::getDescription()
{
    return "History Pagette:\nEdit the History of the Selected.";
}

void PluginEditStaticPageHistory::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "History", "History Pagette\n2000");
}

void PluginEditStaticPageHistory::registerListeners()
{
    if (mai == nullptr)
        return;
    if (!selectionListener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::SelectionChanged, &selectionListener);
    if (!historyListener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::ModifierHistoryChanged, &historyListener);
}

PluginWindowRequest* PluginEditStaticPageHistory::getWindowRequest()
{
    if (page == nullptr)
    {
        page = std::make_unique<CPageEditStaticHistory>(nullptr, this);
        dialogObject = page.get();
    }
    return requestWindow(CPageEditStaticHistory::dialogId);
}

void PluginEditStaticPageHistory::Listener::notify(void*)
{
    if (CPageEditStaticHistory* window = pagette.window())
        window->rebuild();
}

VornPlugin* makeHistoryPagette()
{
    return new PluginEditStaticPageHistory;
}

// ---- resources ----

// clang-format off
void registerHistoryPagetteResources()
{
    using namespace platform;
    using Page = CPageEditStaticHistory;
    DialogItemTemplate treeItem = controlItem(TreeControl::kClassName, Page::treeId, {3, 13, 113, 28},
                                              WS_BORDER | WS_TABSTOP | WS_DISABLED);
    treeItem.exStyle = WS_EX_CLIENTEDGE;
    registerDialogTemplate(thisModule(), Page::dialogId,
                           dialogTemplateOf({0, 0, 120, 47}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
                                            {controlItem("Button", Page::frameId, {0, 0, 120, 47}, BS_OWNERDRAW, "History"),
                                             treeItem}));
    // A page (unused), a page with a corner (unused), a stack of pages, a split arrow.
    registerMenuItemImage(HistoryImage::Image0, {
        "................", "...kkkkkkkk.....", "...kwwwwwwk.....", "...kwwwwwwk.....",
        "...kwwwwwwk.....", "...kwwwwwwk.....", "...kwwwwwwk.....", "...kwwwwwwk.....",
        "...kwwwwwwk.....", "...kwwwwwwk.....", "...kwwwwwwk.....", "...kwwwwwwk.....",
        "...kkkkkkkk.....", "................", "................", "................",
    });
    registerMenuItemImage(HistoryImage::Image1, {
        "................", "...kkkkkk.......", "...kwwwwkk......", "...kwwwwkwk.....",
        "...kwwwwkkkk....", "...kwwwwwwwk....", "...kwwwwwwwk....", "...kwwwwwwwk....",
        "...kwwwwwwwk....", "...kwwwwwwwk....", "...kwwwwwwwk....", "...kwwwwwwwk....",
        "...kkkkkkkkk....", "................", "................", "................",
    });
    registerMenuItemImage(HistoryImage::CreationGroup, {
        "................", ".....kkkkkkkk...", ".....kyyyyyyk...", "...kkkkkkkkyk...",
        "...kyyyyyyk.k...", ".kkkkkkkkyk.k...", ".kyyyyyyk.k.k...", ".kyyyyyyk.k.k...",
        ".kyyyyyyk.k.k...", ".kyyyyyyk.k.kkk.", ".kyyyyyyk.k.....", ".kyyyyyyk.kkk...",
        ".kyyyyyyk.......", ".kkkkkkkk.......", "................", "................",
    });
    registerMenuItemImage(HistoryImage::NotShared, {
        "................", "..rr........rr..", "..rrr......rrr..", "...rrr....rrr...",
        "....rrr..rrr....", ".....rrrrrr.....", "......rrrr......", "......rrrr......",
        ".....rrrrrr.....", "....rrr..rrr....", "...rrr....rrr...", "..rrr......rrr..",
        "..rr........rr..", "................", "................", "................",
    });
    registerMenuItemImage(HistoryImage::Group, {
        "................", ".kkkkkkkkkkkkkk.", ".k............k.", ".k..G......G..k.",
        ".k..GGGGGGGG..k.", ".k..G......G..k.", ".k..G......G..k.", ".k..G......G..k.",
        ".k..G......G..k.", ".k..G......G..k.", ".k..GGGGGGGG..k.", ".k..G......G..k.",
        ".k............k.", ".kkkkkkkkkkkkkk.", "................", "................",
    });
    registerMenuItemImage(HistoryImage::Force, {
        "................", ".......rr.......", ".......rr.......", ".......rr.......",
        ".......rr.......", ".......rr.......", ".......rr.......", ".......rr.......",
        "....rrrrrrrr....", ".....rrrrrr.....", "......rrrr......", ".......rr.......",
        "................", "................", "................", "................",
    });
}
// clang-format on

} // namespace lumbra
