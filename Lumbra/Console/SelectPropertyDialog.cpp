#include "Lumbra/Console/SelectPropertyDialog.h"

#include "BlockLists/BlockList.h"
#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/Console/SelectionLinks.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/ObjectChangeNotice.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"

namespace lumbra
{

namespace
{

const SelectDialogKind materialKind = {
    {
        "Select Material Dialog",
        "Select Material Dialog:\nEnables the user to select/see the material for selected objects.",
        "Select Material Dialog",
        "Select Material Dialog, 2002",
        "Select Material",
        "&Tools\\&Toolbars\\&Properties\\&Material",
        "PluginDialogSelectMaterial::GetPackagedPlugin",
    },
    147,
    Channel::MaterialsChanged,
    "VornMaterial",
    &MAI_Doc::creationMaterial,
    149,
};

const SelectDialogKind crossSectionKind = {
    {
        "Select CrossSection Dialog",
        "Select CrossSection Dialog:\nEnables the user to select/see the crosssection for selected objects.",
        "Select CrossSection Dialog",
        "Select CrossSection Dialog, 2002",
        "Select CrossSection",
        "&Tools\\&Toolbars\\&Properties\\&Cross-section",
        "PluginDialogSelectCrossSection::GetPackagedPlugin",
    },
    150,
    Channel::CrossSectionsChanged,
    "VornCrossSection",
    &MAI_Doc::creationCrossSection,
    153,
};

const char* nameOf(const VornBaseObject* object)
{
    const char* text = object->name.getText();
    return text != nullptr ? text : "";
}

std::intptr_t dataOf(const VornBaseObject* object)
{
    return reinterpret_cast<std::intptr_t>(object);
}

template <class Element>
BlockList<Element>* listOf(MAI_Doc* document, const char* name)
{
    return document != nullptr ? dynamic_cast<BlockList<Element>*>(document->document.getBlockList(name)) : nullptr;
}

} // namespace

const SelectDialogKind& selectMaterialKind()
{
    return materialKind;
}

const SelectDialogKind& selectCrossSectionKind()
{
    return crossSectionKind;
}

// ---- listeners ----

template <class Element>
void SelectListListener<Element>::notify(void* payload)
{
    auto* window = plugin.window();
    if (window == nullptr || !window->exists())
        return;
    SelectSelectionListener<Element>& shown = plugin.shown();
    if (payload == nullptr)
    {
        refill = true;
        if (shown.applies)
            shown.notify(nullptr);
        return;
    }
    const auto* notice = static_cast<const ObjectChangeNotice*>(payload);
    if (notice->object == nullptr || notice->changedValue != &notice->object->name)
        return;
    if (refill)
    {
        if (shown.applies)
            shown.notify(nullptr);
        return;
    }
    // A rename: the item goes and comes back with the new name at its sorted place.
    platform::ComboBox& combo = window->combo;
    const int item = window->itemOf(notice->object);
    if (item < 0)
        return;
    const bool wasCurrent = combo.curSel() == item;
    combo.deleteString(item);
    const int added = combo.addString(nameOf(notice->object));
    combo.setItemData(added, dataOf(notice->object));
    if (wasCurrent)
        combo.setCurSel(added);
}

template <class Element>
void SelectSelectionListener<Element>::notify(void*)
{
    auto* window = plugin.window();
    if (window == nullptr || !window->exists())
        return;
    MAI_Doc* document = plugin.document();
    SelectListListener<Element>& list = *plugin.listListener;
    if (document != plugin.shown().lastDocument)
    {
        list.refill = true;
        plugin.shown().lastDocument = document;
    }
    platform::ComboBox& combo = window->combo;
    if (document == nullptr)
    {
        combo.resetContent();
        return;
    }
    if (document->getEditState() != 0)
    {
        auto* edited = dynamic_cast<Element*>((document->*plugin.kind.editReference).get());
        window->showObject(edited, edited != nullptr && list.refill);
        combo.enableWindow(true);
        return;
    }
    SelectSelectionListener<Element>& state = plugin.shown();
    const SharedLink<Element> shared = sharedLinkOf<Element>(document->document.getSelection());
    state.applies = shared.canTake;
    state.common = shared.common;
    BlockList<Element>* elements = listOf<Element>(document, plugin.kind.listName);
    if (state.applies && elements != nullptr && elements->getCount() > 0)
    {
        combo.enableWindow(true);
        window->showObject(state.common, state.common != nullptr && list.refill);
        return;
    }
    combo.setCurSel(-1);
    combo.enableWindow(false);
}

template <class Element>
void SelectAppliedListener<Element>::notify(void* payload)
{
    auto* object = static_cast<VornBaseObject*>(payload);
    auto* window = plugin.window();
    MAI_Doc* document = plugin.document();
    if (window == nullptr || !window->exists() || object == nullptr || !object->isKindOf(Element::staticTypeID()) ||
        document == nullptr || document->getEditState() != 0 || !plugin.shown().applies)
        return;
    if (!window->combo.isEnabled())
        window->combo.enableWindow(true);
    window->showObject(static_cast<Element*>(object), plugin.listListener->refill);
    plugin.shown().common = static_cast<Element*>(object);
}

// ---- plugin ----

template <class Element>
SelectPropertyDialog<Element>::SelectPropertyDialog(const SelectDialogKind& kind)
    : LumbraDialogPlugin(kind.texts, kind.dialogId), kind(kind)
{
}

template <class Element>
const char* SelectPropertyDialog<Element>::getName()
{
    if (listListener == nullptr && mai != nullptr)
    {
        listListener = std::make_unique<SelectListListener<Element>>(*this);
        mai->notifierRegistry.addListener(kind.listChannel, listListener.get());
        const char* channels[] = {Channel::SelectionChanged, Channel::ActiveDocumentChanged, Channel::EditStateChanged};
        for (size_t index = 0; index < selectionListeners.size(); ++index)
        {
            selectionListeners[index] = std::make_unique<SelectSelectionListener<Element>>(*this);
            mai->notifierRegistry.addListener(channels[index], selectionListeners[index].get());
        }
        appliedListener = std::make_unique<SelectAppliedListener<Element>>(*this);
        mai->notifierRegistry.addListener(Channel::AppliedToSelection, appliedListener.get());
    }
    return LumbraDialogPlugin::getName();
}

template <class Element>
int32_t SelectPropertyDialog<Element>::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xF000;
    case DockInfo::InitialDockBar:
        return 0xE81B;
    case DockInfo::HorizontalSize:
    case DockInfo::VerticalSize:
        return 0x1D0098;
    case DockInfo::BarParameter:
        return 11;
    case DockInfo::TitleBitmap:
        return kind.titleBitmapId;
    default:
        return 0;
    }
}

template <class Element>
SelectPropertyWindow<Element>* SelectPropertyDialog<Element>::window() const
{
    return static_cast<SelectPropertyWindow<Element>*>(dialog());
}

template <class Element>
MAI_Doc* SelectPropertyDialog<Element>::document() const
{
    return mai != nullptr ? mai->activeDocument : nullptr;
}

template <class Element>
std::unique_ptr<platform::Dialog> SelectPropertyDialog<Element>::makeDialog()
{
    return std::make_unique<SelectPropertyWindow<Element>>(nullptr, this);
}

// ---- window ----

template <class Element>
SelectPropertyWindow<Element>::SelectPropertyWindow(platform::Window*, SelectPropertyDialog<Element>* owner)
    : Dialog(owner->kind.dialogId), owner(owner)
{
}

template <class Element>
bool SelectPropertyWindow<Element>::onInitDialog()
{
    Dialog::onInitDialog();
    combo.subclassDlgItem(selectComboId, this);
    return true;
}

template <class Element>
bool SelectPropertyWindow<Element>::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (static_cast<int32_t>(id) == selectComboId)
    {
        if (code == platform::CBN_DROPDOWN)
            onDropDown();
        else if (code == platform::CBN_SELCHANGE)
            onSelectionChange();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

template <class Element>
int SelectPropertyWindow<Element>::itemOf(const VornBaseObject* object) const
{
    for (int item = combo.count(); item-- > 0;)
        if (combo.itemData(item) == dataOf(object))
            return item;
    return -1;
}

template <class Element>
void SelectPropertyWindow<Element>::showObject(Element* object, bool alone)
{
    if (alone)
    {
        combo.resetContent();
        combo.setItemData(combo.addString(nameOf(object)), dataOf(object));
    }
    // By the item's object, not its name: two objects may have the same name.
    combo.setCurSel(object != nullptr ? itemOf(object) : -1);
}

template <class Element>
void SelectPropertyWindow<Element>::onDropDown()
{
    SelectListListener<Element>& list = *owner->listListener;
    if (!list.refill)
        return;
    combo.resetContent();
    BlockList<Element>* elements = listOf<Element>(owner->document(), owner->kind.listName);
    if (owner->document() == nullptr)
        return;
    Element* shown = owner->document()->getEditState() != 0
                         ? dynamic_cast<Element*>((owner->document()->*owner->kind.editReference).get())
                         : owner->shown().common;
    if (elements != nullptr)
        for (uint32_t index = elements->getCount(); index-- > 0;)
        {
            Element* element = &(*elements)[index];
            combo.setItemData(combo.addString(nameOf(element)), dataOf(element));
        }
    combo.setCurSel(shown != nullptr ? itemOf(shown) : -1);
    list.refill = false;
}

template <class Element>
void SelectPropertyWindow<Element>::onSelectionChange()
{
    MAI_Doc* document = owner->document();
    const int item = combo.curSel();
    if (document == nullptr || item < 0)
        return;
    auto* chosen = reinterpret_cast<Element*>(combo.itemData(item));
    if (document->getEditState() != 0)
    {
        (document->*owner->kind.editReference).set(chosen);
        return;
    }
    VornSelection* selection = document->document.getSelection();
    if (selection == nullptr || selection->isEmpty())
        return;
    {
        DocumentChangeLock lock(document, documentLockWaitingText(owner->kind.texts.windowTitle).c_str(), owner->lockTimeout);
        if (!lock)
        {
            showObject(owner->shown().common, false);
            return;
        }
        for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
            VornSelection::objectOf(link)->link(chosen);
    }
    notify(owner->mai, Channel::AppliedToSelection, chosen);
    owner->shown().common = chosen;
}

template class SelectPropertyDialog<VornMaterial>;
template class SelectPropertyDialog<VornCrossSection>;
template class SelectPropertyWindow<VornMaterial>;
template class SelectPropertyWindow<VornCrossSection>;

VornPlugin* makeSelectMaterialDialog()
{
    return new PluginDialogSelectMaterial(materialKind);
}

VornPlugin* makeSelectCrossSectionDialog()
{
    return new PluginDialogSelectCrossSection(crossSectionKind);
}

platform::DialogTemplate selectPropertyTemplate()
{
    using namespace platform;
    return dialogTemplateOf({0, 0, 82, 15}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
                            {controlItem("ComboBox", selectComboId, {1, 1, 80, 63},
                                         CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP | WS_DISABLED)});
}

void registerSelectPropertyTemplates()
{
    for (const SelectDialogKind* kind : {&materialKind, &crossSectionKind})
        registerDialogTemplate(thisModule(), kind->dialogId, selectPropertyTemplate());
    registerPixelArtBitmap(materialKind.titleBitmapId, materialPicture());
    registerPixelArtBitmap(crossSectionKind.titleBitmapId, crossSectionPicture());
}

} // namespace lumbra
