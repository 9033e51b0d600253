#include "Lumbra/Console/SectionListPage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/Console/SelectionLinks.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "Lumbra/SectionPages/CrossSectionPages.h"
#include "Lumbra/SectionPages/MaterialPages.h"
#include "Lumbra/SectionPages/PageSupport.h"
#include "VornData/ObjectChangeNotice.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/ControlNotifications.h"
#include "platform/DialogTemplate.h"
#include "platform/Message.h"
#include "platform/Random.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/NameNumbering.h"

#include <chrono>
#include <cstring>
#include <new>
#include <string>

namespace lumbra
{

namespace
{

using platform::TreeItem;

const SectionListKind crossSectionKind = {
    {"CrossSections Page", "CrossSections Page:\nSupplies the interface for Cross-section type maintenance."},
    148,
    150,
    151,
    "VornCrossSection",
    Channel::CrossSectionsChanged,
    "CrossSection Pagette",
    "New Cross-section",
    "PluginMCPageCrossSections::GetPackagedPlugin",
    "CMCPageCrossSections::OnInitDialog()",
    1116,
    1117,
    1118,
    1119,
    1120,
    1121,
};

// The Materials page names the Edit page's initialisation in its exceptions, as it always has.
const SectionListKind materialKind = {
    {"Materials Page", "Materials Page:\nSupplies the interface for material type maintenance."},
    109,
    106,
    140,
    "VornMaterial",
    Channel::MaterialsChanged,
    "Material Pagette",
    "New Material",
    "PluginMCPageMaterials::GetPackagedPlugin",
    "CMCPageEdit::OnInitDialog()",
    1092,
    1095,
    1093,
    1090,
    1094,
    1088,
};

const char* nameOf(const VornBaseObject* element)
{
    const char* text = element->name.getText();
    return text != nullptr ? text : "";
}

void refreshPagette(PluginCrossSectionPage* pagette, VornCrossSection* element)
{
    pagette->updateObject(element);
}

void refreshPagette(PluginMaterialPage* pagette, VornMaterial* element)
{
    pagette->updateObject(element);
}

// A new cross-section takes the shape of the first "Shape" plugin; materials have no shape.
void applyFirstShape(MAI* mai, VornCrossSection* element)
{
    if (mai != nullptr && mai->pluginLists.shapes != nullptr)
        static_cast<VornPluginShape*>(mai->pluginLists.shapes)->applyToCrossSection(element);
}

void applyFirstShape(MAI*, VornMaterial*) {}

std::intptr_t dataOf(const VornBaseObject* element)
{
    return reinterpret_cast<std::intptr_t>(element);
}

} // namespace

const SectionListKind& crossSectionListKind()
{
    return crossSectionKind;
}

const SectionListKind& materialListKind()
{
    return materialKind;
}

uint32_t makeRandomColor(const std::function<int32_t()>& draw)
{
    const uint32_t r = static_cast<uint32_t>(draw());
    const uint32_t v = r & 0x7F;
    const uint32_t a = 0x60 + v;
    const uint32_t b = 0xE0 - v;
    uint32_t red = 0x40;
    uint32_t green = 0x40;
    uint32_t blue = 0x40;
    switch ((r >> 8) & 3)
    {
    case 0:
        red = a;
        green = b;
        break;
    case 1:
        green = a;
        blue = b;
        break;
    default:
        blue = a;
        red = b;
        break;
    }
    return red + green * 0x100 + blue * 0x10000;
}

uint32_t makeRandomColor()
{
    static const bool seeded = [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        platform::seedRandom(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
        return true;
    }();
    (void)seeded;
    return makeRandomColor(platform::randomNumber);
}

void KeyForwardListener::notify(void* payload)
{
    const auto* message = static_cast<const platform::Message*>(payload);
    if (window == nullptr || message == nullptr || message->message != platform::WM_KEYDOWN)
        return;
    window->sendMessage(platform::WM_KEYDOWN, message->wParam, message->lParam);
}

// ---- listeners ----

template <class Element, class Pagette>
void SectionListListener<Element, Pagette>::notify(void* payload)
{
    MAI* mai = page.mai;
    if (sendingOwn || mai == nullptr || mai->activeDocument == nullptr)
        return;
    if (payload != nullptr)
    {
        BlockList<Element>* list = page.list();
        if (list != nullptr && list->current != nullptr &&
            static_cast<VornBaseObject*>(list->current) == static_cast<ObjectChangeNotice*>(payload)->object)
            page.refreshPagettes(list->current);
        return;
    }
    if (auto* window = page.window(); window != nullptr && window->exists())
        window->rebuildTree();
}

template <class Element, class Pagette>
void SectionSelectionListener<Element, Pagette>::notify(void*)
{
    canTake = false;
    MAI* mai = page.mai;
    VornSelection* selection =
        mai != nullptr && mai->activeDocument != nullptr ? mai->activeDocument->document.getSelection() : nullptr;
    // An empty selection keeps the element shown as common.
    if (selection != nullptr && !selection->isEmpty())
    {
        const SharedLink<Element> shared = sharedLinkOf<Element>(selection);
        canTake = shared.canTake;
        commonElement = shared.common;
    }
    if (auto* window = page.window(); window != nullptr && window->exists())
        window->updateApplyButton();
}

template <class Element, class Pagette>
void SectionApplyListener<Element, Pagette>::notify(void* payload)
{
    auto* object = static_cast<VornBaseObject*>(payload);
    auto* window = page.window();
    if (object == nullptr || !object->isKindOf(Element::staticTypeID()) || window == nullptr || !window->exists())
        return;
    page.selectionListener->commonElement = static_cast<Element*>(object);
    window->updateApplyButton();
}

// ---- page plugin ----

template <class Element, class Pagette>
SectionListPage<Element, Pagette>::SectionListPage(const SectionListKind& kind, Pagette* (*makePagette)(uint32_t))
    : LumbraConsolePage(kind.texts, kind.dialogId, kind.tabBitmapId), kind(kind), makePagette(makePagette)
{
}

template <class Element, class Pagette>
const char* SectionListPage<Element, Pagette>::getName()
{
    if (listListener == nullptr && mai != nullptr)
    {
        listListener = std::make_unique<SectionListListener<Element, Pagette>>(*this);
        documentListener = std::make_unique<SectionListListener<Element, Pagette>>(*this);
        selectionListener = std::make_unique<SectionSelectionListener<Element, Pagette>>(*this);
        applyListener = std::make_unique<SectionApplyListener<Element, Pagette>>(*this);
        mai->notifierRegistry.addListener(kind.channel, listListener.get());
        mai->notifierRegistry.addListener(Channel::ActiveDocumentChanged, documentListener.get());
        mai->notifierRegistry.addListener(Channel::SelectionChanged, selectionListener.get());
        mai->notifierRegistry.addListener(Channel::AppliedToSelection, applyListener.get());
    }
    return LumbraConsolePage::getName();
}

template <class Element, class Pagette>
void SectionListPage<Element, Pagette>::registerPluginTypes(PluginManager* registry)
{
    pagettes = nullptr;
    registry->addPluginType(&pagettes, kind.pagetteType, this);
}

template <class Element, class Pagette>
VornPluginBase* SectionListPage<Element, Pagette>::GetPackagedPlugin(uint32_t index)
{
    try
    {
        Pagette* pagette = makePagette(index);
        return pagette != nullptr ? package(pagette) : nullptr;
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory(kind.packagingThrower);
    }
}

template <class Element, class Pagette>
BlockList<Element>* SectionListPage<Element, Pagette>::list() const
{
    if (mai == nullptr || mai->activeDocument == nullptr)
        return nullptr;
    return dynamic_cast<BlockList<Element>*>(mai->activeDocument->document.getBlockList(kind.listName));
}

template <class Element, class Pagette>
typename SectionListPage<Element, Pagette>::Window* SectionListPage<Element, Pagette>::window() const
{
    return static_cast<Window*>(dialog());
}

template <class Element, class Pagette>
void SectionListPage<Element, Pagette>::refreshPagettes(Element* element)
{
    for (VornPluginBase* entry = pagettes; entry != nullptr; entry = entry->getNext())
        refreshPagette(static_cast<Pagette*>(entry), element);
}

template <class Element, class Pagette>
void SectionListPage<Element, Pagette>::sendOwn(void* payload)
{
    const bool wasSending = listListener != nullptr && listListener->sendingOwn;
    if (listListener != nullptr)
        listListener->sendingOwn = true;
    notify(mai, kind.channel, payload);
    if (listListener != nullptr && !wasSending)
        listListener->sendingOwn = false;
}

template <class Element, class Pagette>
DocumentChangeLock SectionListPage<Element, Pagette>::lockForChange(const char* operation) const
{
    return DocumentChangeLock(mai != nullptr ? mai->activeDocument : nullptr,
                              documentLockWaitingText(operation).c_str(), lockTimeout);
}

template <class Element, class Pagette>
std::unique_ptr<platform::Dialog> SectionListPage<Element, Pagette>::makeDialog()
{
    return std::make_unique<Window>(nullptr, this);
}

// ---- page window ----

template <class Element, class Pagette>
SectionListWindow<Element, Pagette>::SectionListWindow(platform::Window*, SectionListPage<Element, Pagette>* owner)
    : Dialog(owner->kind.dialogId), owner(owner)
{
}

template <class Element, class Pagette>
bool SectionListWindow<Element, Pagette>::onInitDialog()
{
    Dialog::onInitDialog();
    const SectionListKind& kind = owner->kind;
    pagetteHost.stack.topMargin = 3;
    pagetteHost.build(*this, *owner, kind.placeholderId, {0, 1, 300, 301}, kind.initThrower);
    pagetteHost.holder->showWindow(platform::SW_SHOWNOACTIVATE);
    tree.subclassDlgItem(SectionListControl::Tree, this);
    if (MAI* mai = owner->mai)
        for (VornPluginBase* entry = owner->pagettes; entry != nullptr; entry = entry->getNext())
        {
            auto* pagette = static_cast<Pagette*>(entry);
            pagette->windowHandle = mai->createPluginWindow(pagette->getWindowRequest(), pagetteHost.pagetteParent());
            if (pagette->windowHandle != nullptr && pagette->windowHandle->getWnd() != nullptr)
            {
                refreshPagette(pagette, nullptr);
                pagette->windowHandle->showWindow(platform::SW_SHOW);
            }
        }
    treeImages = std::make_unique<platform::ImageList>(platform::Size{16, 16});
    addBitmapImage(owner->module, kind.treeBitmapId, *treeImages);
    tree.setImageList(treeImages.get());
    return true;
}

template <class Element, class Pagette>
bool SectionListWindow<Element, Pagette>::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code == platform::BN_CLICKED)
    {
        const int32_t button = static_cast<int32_t>(id);
        if (button == SectionListControl::New)
            return onNew(), true;
        if (button == owner->kind.deleteId)
            return onDelete(), true;
        if (button == owner->kind.renameId)
            return onRename(), true;
        if (button == owner->kind.applyId)
            return onApplyToSelection(), true;
    }
    return Dialog::onCommand(id, code, control);
}

template <class Element, class Pagette>
platform::LResult SectionListWindow<Element, Pagette>::windowProc(uint32_t message, platform::WParam wParam,
                                                                  platform::LParam lParam)
{
    if (message == platform::WM_NOTIFY && static_cast<int32_t>(wParam) == SectionListControl::Tree)
    {
        const auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        switch (header->code)
        {
        case platform::TVN_SELCHANGING:
            return 0;
        case platform::TVN_SELCHANGED:
            onSelchangedTree();
            return 0;
        case platform::TVN_BEGINLABELEDIT:
            if (MAI* mai = owner->mai)
            {
                enterForwarder.window = tree.editControl();
                escapeForwarder.window = tree.editControl();
                mai->notifierRegistry.addListener(Channel::EnterKey, &enterForwarder);
                mai->notifierRegistry.addListener(Channel::EscapeKey, &escapeForwarder);
            }
            return 0;
        case platform::TVN_ENDLABELEDIT:
        {
            const auto* label = reinterpret_cast<const platform::NotifyTreeLabel*>(lParam);
            onEndLabelEdit(label->item.item, label->item.text);
            return 1;
        }
        default:
            break;
        }
    }
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::layout(int32_t width, int32_t height)
{
    if (!pagetteHost.scrollBarExists())
        return;
    if (platform::Window* frame = dlgItem(SectionListControl::Frame))
        frame->moveWindow({2, 168, width - 2, height - 2}, false);
    pagetteHost.place({width - 11, 169, width - 3, height - 3}, {13, 169, width - 12, height - 3});
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::enableButton(int32_t id, bool enable)
{
    if (platform::Window* button = dlgItem(id))
        button->enableWindow(enable);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::rebuildTree()
{
    BlockList<Element>* list = owner->list();
    const bool locked = tree.lockWindowUpdate();
    tree.selectItem(TreeItem::None);
    tree.deleteAllItems();
    if (list != nullptr)
    {
        TreeItem currentItem = TreeItem::None;
        for (uint32_t index = list->getCount(); index-- > 0;)
        {
            Element* element = &(*list)[index];
            const TreeItem item = tree.insertItem(nameOf(element), 0, 0, TreeItem::None, TreeItem::Last, dataOf(element));
            if (element == list->current)
                currentItem = item;
        }
        tree.sortChildren(TreeItem::None);
        if (currentItem != TreeItem::None)
        {
            tree.selectItem(currentItem);
            tree.ensureVisible(currentItem);
        }
        else
            list->current = nullptr;
    }
    if (locked)
        tree.unlockWindowUpdate();
    if (list != nullptr)
        owner->refreshPagettes(list->current);
    if (owner->selectionListener != nullptr)
        owner->selectionListener->notify(nullptr);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onSelchangedTree()
{
    if (owner->mai == nullptr || owner->mai->activeDocument == nullptr)
        return;
    BlockList<Element>* list = owner->list();
    const TreeItem item = tree.selectedItem();
    if (item != TreeItem::None && list != nullptr)
        list->current = reinterpret_cast<Element*>(tree.itemData(item));
    enableButton(owner->kind.renameId, item != TreeItem::None);
    enableButton(owner->kind.deleteId, item != TreeItem::None);
    updateApplyButton();
    if (list != nullptr)
        owner->refreshPagettes(list->current);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::updateApplyButton()
{
    // Enabled exactly when applying would change something: the chosen element differs from the
    // one every object that can take it already has.
    const auto* selection = owner->selectionListener.get();
    BlockList<Element>* list = owner->list();
    const bool chosen = tree.selectedItem() != TreeItem::None && list != nullptr && list->current != nullptr;
    enableButton(owner->kind.applyId,
                 chosen && selection != nullptr && selection->canTake && selection->commonElement != list->current);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onNew()
{
    MAI* mai = owner->mai;
    BlockList<Element>* list = owner->list();
    if (mai == nullptr || mai->activeDocument == nullptr || list == nullptr)
        return;
    std::string name = owner->kind.firstNewName;
    for (bool taken = true; taken;)
    {
        taken = false;
        for (uint32_t index = list->getCount(); index-- > 0;)
            if (name == nameOf(&(*list)[index]))
            {
                taken = true;
                makeNextName(name);
                break;
            }
    }
    Element* element = nullptr;
    {
        DocumentChangeLock lock = owner->lockForChange("New");
        if (!lock)
            return;
        element = list->add();
        applyFirstShape(mai, element);
        element->name.set(&mai->activeDocument->document.getStringStorage(), name.c_str());
        element->colorAndFlags = makeRandomColor();
    }
    const TreeItem item = tree.insertItem(name, 0, 0, TreeItem::None, TreeItem::Last, dataOf(element));
    tree.sortChildren(TreeItem::None);
    tree.selectItem(item);
    owner->sendOwn(nullptr);
    tree.editLabel(item);
    list->current = element;
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onRename()
{
    if (owner->list() == nullptr)
        return;
    const TreeItem item = tree.selectedItem();
    if (item != TreeItem::None)
        tree.editLabel(item);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onEndLabelEdit(TreeItem item, const char* text)
{
    MAI* mai = owner->mai;
    if (text != nullptr)
    {
        tree.setItemText(item, text);
        tree.sortChildren(tree.parentItem(item));
        tree.ensureVisible(item);
        auto* element = reinterpret_cast<Element*>(tree.itemData(item));
        if (element != nullptr && mai != nullptr && mai->activeDocument != nullptr)
        {
            element->name.set(&mai->activeDocument->document.getStringStorage(), text);
            sendObjectChange(mai, owner->kind.channel, element, &element->name);
        }
    }
    enterForwarder.unlink();
    escapeForwarder.unlink();
    enterForwarder.window = nullptr;
    escapeForwarder.window = nullptr;
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onDelete()
{
    MAI* mai = owner->mai;
    BlockList<Element>* list = owner->list();
    const TreeItem item = tree.selectedItem();
    if (list == nullptr || item == TreeItem::None || list->current == nullptr ||
        dataOf(list->current) != tree.itemData(item))
        return;
    TreeItem next = tree.nextSibling(item);
    if (next == TreeItem::None)
        next = tree.previousSibling(item);
    if (next == TreeItem::None)
        next = tree.parentItem(item);
    {
        DocumentChangeLock lock = owner->lockForChange("Delete");
        if (!lock)
            return;
        Element* removed = list->current;
        if (next != TreeItem::None)
            list->current = reinterpret_cast<Element*>(tree.itemData(next));
        // The removal moves the last element into the hole; the current element follows it.
        list->remove(removed);
    }
    notify(mai, owner->kind.channel, nullptr);
}

template <class Element, class Pagette>
void SectionListWindow<Element, Pagette>::onApplyToSelection()
{
    MAI* mai = owner->mai;
    if (mai == nullptr || mai->activeDocument == nullptr)
        return;
    VornSelection* selection = mai->activeDocument->document.getSelection();
    if (selection == nullptr || selection->isEmpty())
        return;
    BlockList<Element>* list = owner->list();
    if (list == nullptr)
        return;
    Element* element = list->current;
    {
        DocumentChangeLock lock = owner->lockForChange("Apply to Selection");
        if (!lock)
            return;
        for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
            VornSelection::objectOf(link)->link(element);
    }
    notify(mai, Channel::AppliedToSelection, element);
    if (owner->selectionListener != nullptr)
        owner->selectionListener->commonElement = element;
    enableButton(owner->kind.applyId, false);
}

template class SectionListPage<VornCrossSection, PluginCrossSectionPage>;
template class SectionListPage<VornMaterial, PluginMaterialPage>;
template class SectionListWindow<VornCrossSection, PluginCrossSectionPage>;
template class SectionListWindow<VornMaterial, PluginMaterialPage>;

VornPlugin* makeCrossSectionsPage()
{
    return new PluginMCPageCrossSections(crossSectionKind, makeCrossSectionPagette);
}

VornPlugin* makeMaterialsPage()
{
    return new PluginMCPageMaterials(materialKind, makeMaterialPagette);
}

platform::DialogTemplate sectionListTemplate(const SectionListKind& kind)
{
    using namespace platform;
    const uint32_t pushLike = BS_CHECKBOX | BS_PUSHLIKE;
    auto button = [&](int32_t id, DialogUnitRect rect, const char* text, uint32_t extra) {
        return controlItem("Button", id, rect, pushLike | extra, text);
    };
    return consolePageTemplate(
        {0, 0, 149, 226},
        {button(SectionListControl::New, {3, 2, 29, 10}, "New", 0),
         button(kind.deleteId, {35, 2, 29, 10}, "Delete", WS_DISABLED),
         button(kind.renameId, {67, 2, 30, 10}, "Rename", WS_DISABLED),
         button(kind.folderId, {100, 2, 29, 10}, "Folder", WS_DISABLED),
         controlItem(TreeControl::kClassName, SectionListControl::Tree, {3, 14, 126, 75},
                     TVS_EDITLABELS | WS_BORDER | WS_TABSTOP),
         button(kind.applyId, {3, 91, 64, 10}, "Apply to Selection", WS_DISABLED | WS_TABSTOP),
         button(kind.paintId, {72, 91, 57, 10}, "Paint", WS_DISABLED | WS_TABSTOP),
         controlItem("Static", SectionListControl::Frame, {1, 107, 131, 112}, SS_SUNKEN),
         pagetteScrollBarPlaceholder(kind.placeholderId, {121, 112, 7, 112})});
}

} // namespace lumbra
