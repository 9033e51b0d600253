#include "Lumbra/Creators/MemberEditPages.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/MAI.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"

#include <string>

namespace lumbra
{

namespace
{

// The spin buttons of the member pages add or take 1 per click and per pixel dragged.
constexpr double memberSpinStep = 1.0;

constexpr uint32_t pageStyle = platform::WS_CHILD | platform::WS_VISIBLE | platform::DS_CONTROL | platform::DS_SETFONT;

bool isShown(const platform::Dialog* page)
{
    return page != nullptr && page->exists() && page->isVisible();
}

template <class Element>
Element* elementOf(void* payload)
{
    auto* object = static_cast<VornBaseObject*>(payload);
    return object != nullptr && object->isKindOf(Element::staticTypeID()) ? static_cast<Element*>(object) : nullptr;
}

} // namespace

const char* PluginCreatorMemberEditPage::getTypeName()
{
    return "Edit Member Pagette";
}

VornSelection* PluginCreatorMemberEditPage::currentSelection() const
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    return document != nullptr ? document->document.getSelection() : nullptr;
}

bool PluginCreatorMemberEditPage::changeSelection(const char* operation,
                                                  const std::function<void(VornSelection&)>& change)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    VornSelection* selection = currentSelection();
    if (document == nullptr || selection == nullptr)
        return false;
    {
        DocumentChangeLock lock(document, documentLockWaitingText(operation).c_str(), lockTimeout);
        if (!lock)
            return false;
        change(*selection);
    }
    document->invalidateViews();
    return true;
}

// ---- cross-section ----

PluginCreatorMemberEditPageCrossSection::PluginCreatorMemberEditPageCrossSection()
    : WindowedPagette({"CrossSection Pagette",
                       "CrossSection Pagette [Member Creator]:\nView/Change the Member Cross-Section Properties.",
                       "CrossSection", "CrossSection Pagette"})
{
}

PluginCreatorMemberEditPageCrossSection::~PluginCreatorMemberEditPageCrossSection()
{
    model.crossSection.changed = nullptr;
    model.angle.changed = nullptr;
}

void PluginCreatorMemberEditPageCrossSection::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::AppliedToSelection, &listener);
}

bool PluginCreatorMemberEditPageCrossSection::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    model.angle.fill(*selection);
    model.crossSection.fill(*selection);
    return window() == nullptr || !window()->exists();
}

void PluginCreatorMemberEditPageCrossSection::spinAngle(double angle)
{
    // A refused lock leaves the members as they were: the page shows them again.
    if (!changeSelection("Member Angle", [this, angle](VornSelection& selection) {
            model.angle.applySpin(selection, angle);
        }))
        if (VornSelection* selection = currentSelection())
            model.angle.fill(*selection);
}

void PluginCreatorMemberEditPageCrossSection::clickAbsolute()
{
    changeSelection("Member Angle", [this](VornSelection& selection) { model.angle.makeAbsolute(selection); });
}

void PluginCreatorMemberEditPageCrossSection::typedAngle(double angle)
{
    if (!model.angle.absoluteAngle)
        return;
    changeSelection("Member Angle",
                    [this, angle](VornSelection& selection) { model.angle.applyTyped(selection, angle); });
}

void PluginCreatorMemberEditPageCrossSection::listAll()
{
    model.crossSection.listAll(mai != nullptr ? mai->activeDocument : nullptr, "VornCrossSection");
}

void PluginCreatorMemberEditPageCrossSection::choose(size_t entry)
{
    VornSelection* selection = currentSelection();
    if (selection == nullptr || selection->isEmpty() || entry >= model.crossSection.entries.size())
        return;
    VornCrossSection* chosen = model.crossSection.entries[entry].element;
    if (!changeSelection("Member CrossSection", [chosen](VornSelection& members) {
            for (knot* link = members.objects.getFirst(); link != nullptr; link = link->getNext())
                VornSelection::objectOf(link)->link(chosen);
        }))
        return;
    model.crossSection.chosen = static_cast<int32_t>(entry);
    notify(mai, Channel::AppliedToSelection, chosen);
}

void PluginCreatorMemberEditPageCrossSection::Listener::notify(void* payload)
{
    if (VornCrossSection* applied = elementOf<VornCrossSection>(payload); applied != nullptr && isShown(page.window()))
        page.model.crossSection.showOnly(applied);
}

// ---- material ----

PluginCreatorMemberEditPageMaterial::PluginCreatorMemberEditPageMaterial()
    : WindowedPagette({"Material Pagette",
                       "Material Pagette [Member Creator]:\nView/Change the Member Cross-Section Properties.",
                       "Material", "Material Pagette"})
{
}

PluginCreatorMemberEditPageMaterial::~PluginCreatorMemberEditPageMaterial()
{
    model.changed = nullptr;
}

void PluginCreatorMemberEditPageMaterial::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::AppliedToSelection, &listener);
}

bool PluginCreatorMemberEditPageMaterial::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    model.fill(*selection);
    return window() == nullptr || !window()->exists();
}

void PluginCreatorMemberEditPageMaterial::listAll()
{
    model.listAll(mai != nullptr ? mai->activeDocument : nullptr, "VornMaterial");
}

void PluginCreatorMemberEditPageMaterial::choose(size_t entry)
{
    VornSelection* selection = currentSelection();
    if (selection == nullptr || selection->isEmpty() || entry >= model.entries.size())
        return;
    VornMaterial* chosen = model.entries[entry].element;
    if (!changeSelection("Member Material", [chosen](VornSelection& members) {
            for (knot* link = members.objects.getFirst(); link != nullptr; link = link->getNext())
                VornSelection::objectOf(link)->link(chosen);
        }))
        return;
    model.chosen = static_cast<int32_t>(entry);
    notify(mai, Channel::AppliedToSelection, chosen);
}

void PluginCreatorMemberEditPageMaterial::Listener::notify(void* payload)
{
    if (VornMaterial* applied = elementOf<VornMaterial>(payload); applied != nullptr && isShown(page.window()))
        page.model.showOnly(applied);
}

// ---- length ----

PluginCreatorMemberEditPageLength::PluginCreatorMemberEditPageLength()
    : WindowedPagette({"Length Pagette", "Length Pagette [Member Creator]:\nView/Change the Member Length.", "Length",
                       "Length Pagette"})
{
}

PluginCreatorMemberEditPageLength::~PluginCreatorMemberEditPageLength()
{
    model.changed = nullptr;
}

bool PluginCreatorMemberEditPageLength::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    model.fill(*selection);
    return window() == nullptr || !window()->exists();
}

void PluginCreatorMemberEditPageLength::clickAutomatic()
{
    if (!changeSelection("Member Length", [this](VornSelection& selection) { model.clickAutomatic(selection); }))
        if (VornSelection* selection = currentSelection())
            model.fill(*selection);
}

void PluginCreatorMemberEditPageLength::applyLength(double length)
{
    if (!changeSelection("Member Length",
                         [this, length](VornSelection& selection) { model.applyLength(selection, length); }))
        if (VornSelection* selection = currentSelection())
            model.fill(*selection);
}

// ---- joints ----

PluginCreatorMemberEditPageJoints::PluginCreatorMemberEditPageJoints()
    : WindowedPagette({"Joints Pagette", "Joints Pagette [Member Creator]:\nView/Change the Start- and End-joints.",
                       "Joints", "Joints Pagette"})
{
}

// ---- windows ----

namespace
{

// The entries of a page's property model in its combo, the chosen one selected.
template <class Element>
void showPropertyCombo(platform::ComboBox& combo, const MemberPropertyModel<Element>& model)
{
    if (!combo.exists())
        return;
    combo.resetContent();
    for (size_t index = 0; index < model.entries.size(); ++index)
        combo.setItemData(combo.addString(model.entries[index].name), static_cast<std::intptr_t>(index));
    // A sorted combo moves items as it adds them: the chosen one is found by its entry.
    int chosenItem = -1;
    for (int item = 0; item < combo.count() && model.chosen >= 0; ++item)
        if (combo.itemData(item) == model.chosen)
            chosenItem = item;
    combo.setCurSel(chosenItem);
}

// The entry of the combo's chosen item; false when none is chosen.
bool chosenEntry(const platform::ComboBox& combo, size_t& entry)
{
    const int item = combo.curSel();
    if (item < 0)
        return false;
    entry = static_cast<size_t>(combo.itemData(item));
    return true;
}

void showNumber(platform::Dialog& page, int32_t id, double value)
{
    showNumberField(page.dlgItem(id), value, platform::formatDouble(value));
}

} // namespace

CPageEditMemberCrossSection::CPageEditMemberCrossSection(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId),
      plugin(plugin),
      model(modelOfPagette<MemberCrossSectionModel>(plugin)),
      link(*this, 0, &spinValue, 0.0),
      spinner(&link, 0)
{
    link.step = memberSpinStep;
    link.dragFactor = memberSpinStep;
    model.crossSection.changed = [this] { showModel(); };
    model.angle.changed = [this] { showModel(); };
}

CPageEditMemberCrossSection::~CPageEditMemberCrossSection()
{
    model.crossSection.changed = nullptr;
    model.angle.changed = nullptr;
}

bool CPageEditMemberCrossSection::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    combo.subclassDlgItem(comboId, this);
    spinner.subclassDlgItem(spinnerId, this);
    showModel();
    return true;
}

bool CPageEditMemberCrossSection::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    auto* page = dynamic_cast<PluginCreatorMemberEditPageCrossSection*>(plugin);
    if (page == nullptr)
        return Dialog::onCommand(id, code, control);
    switch (static_cast<int32_t>(id))
    {
    case comboId:
        if (code == platform::CBN_DROPDOWN)
            page->listAll();
        else if (size_t entry = 0; code == platform::CBN_SELCHANGE && chosenEntry(combo, entry))
            page->choose(entry);
        return true;
    case absoluteId:
        if (code == platform::BN_CLICKED)
            page->clickAbsolute();
        return true;
    case angleId:
        if (double angle = 0.0; code == platform::EN_CHANGE && !showing && getDlgItemDouble(this, angleId, &angle))
            page->typedAngle(angle);
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageEditMemberCrossSection::showModel()
{
    if (!exists())
        return;
    showing = true;
    showPropertyCombo(combo, model.crossSection);
    showNumber(*this, angleId, model.angle.angle);
    if (platform::Window* edit = dlgItem(angleId))
        edit->sendMessage(platform::EM_SETREADONLY, model.angle.readOnly ? 1 : 0);
    checkDlgButton(absoluteId, platform::BST_UNCHECKED);
    if (platform::Window* button = dlgItem(absoluteId))
        button->showWindow(model.angle.absoluteShown ? platform::SW_SHOWNOACTIVATE : platform::SW_HIDE);
    showing = false;
}

void CPageEditMemberCrossSection::beginSpin(int32_t)
{
    spinValue = model.angle.angle;
}

void CPageEditMemberCrossSection::spun(int32_t)
{
    if (auto* page = dynamic_cast<PluginCreatorMemberEditPageCrossSection*>(plugin))
        page->spinAngle(spinValue);
}

CPageEditMemberMaterial::CPageEditMemberMaterial(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin), model(modelOfPagette<MemberPropertyModel<VornMaterial>>(plugin))
{
    model.changed = [this] { showModel(); };
}

CPageEditMemberMaterial::~CPageEditMemberMaterial()
{
    model.changed = nullptr;
}

bool CPageEditMemberMaterial::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    combo.subclassDlgItem(comboId, this);
    showModel();
    return true;
}

bool CPageEditMemberMaterial::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    auto* page = dynamic_cast<PluginCreatorMemberEditPageMaterial*>(plugin);
    if (page == nullptr || id != static_cast<uint32_t>(comboId))
        return Dialog::onCommand(id, code, control);
    if (code == platform::CBN_DROPDOWN)
        page->listAll();
    else if (size_t entry = 0; code == platform::CBN_SELCHANGE && chosenEntry(combo, entry))
        page->choose(entry);
    return true;
}

void CPageEditMemberMaterial::showModel()
{
    if (exists())
        showPropertyCombo(combo, model);
}

CPageEditMemberLength::CPageEditMemberLength(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId),
      plugin(plugin),
      model(modelOfPagette<MemberLengthModel>(plugin)),
      link(*this, 0, &spinValue, 0.0),
      spinner(&link, 0)
{
    link.step = memberSpinStep;
    link.dragFactor = memberSpinStep;
    model.changed = [this] { showModel(); };
}

CPageEditMemberLength::~CPageEditMemberLength()
{
    model.changed = nullptr;
}

bool CPageEditMemberLength::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    spinner.subclassDlgItem(spinnerId, this);
    frame.setFolded(false);
    showModel();
    return true;
}

bool CPageEditMemberLength::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    auto* page = dynamic_cast<PluginCreatorMemberEditPageLength*>(plugin);
    if (page == nullptr)
        return Dialog::onCommand(id, code, control);
    switch (static_cast<int32_t>(id))
    {
    case automaticId:
        if (code == platform::BN_CLICKED)
            page->clickAutomatic();
        return true;
    case editButtonId:
        return true; // the button only marks a mixed selection
    case lengthId:
        if (double length = 0.0; code == platform::EN_CHANGE && !showing && getDlgItemDouble(this, lengthId, &length))
            page->applyLength(length);
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageEditMemberLength::showModel()
{
    if (!exists())
        return;
    showing = true;
    checkDlgButton(automaticId, model.automatic == MemberLengthModel::FromJoints ? platform::BST_CHECKED
                                : model.automatic == MemberLengthModel::Fixed    ? platform::BST_UNCHECKED
                                                                                 : platform::BST_INDETERMINATE);
    showNumber(*this, lengthId, model.length);
    if (platform::Window* edit = dlgItem(lengthId))
    {
        edit->enableWindow(model.lengthEnabled);
        edit->sendMessage(platform::EM_SETREADONLY, model.lengthReadOnly ? 1 : 0);
    }
    spinner.enableWindow(model.spinEnabled);
    checkDlgButton(editButtonId, platform::BST_UNCHECKED);
    if (platform::Window* button = dlgItem(editButtonId))
    {
        button->enableWindow(model.editEnabled);
        button->showWindow(model.editShown ? platform::SW_SHOWNOACTIVATE : platform::SW_HIDE);
    }
    showing = false;
}

void CPageEditMemberLength::beginSpin(int32_t)
{
    spinValue = model.length;
}

void CPageEditMemberLength::spun(int32_t)
{
    if (auto* page = dynamic_cast<PluginCreatorMemberEditPageLength*>(plugin))
        page->applyLength(spinValue);
}

CPageEditMemberJoints::CPageEditMemberJoints(platform::Window*, VornPluginWindowed*) : Dialog(dialogId) {}

bool CPageEditMemberJoints::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.setFolded(false);
    return true;
}

// ---- resources ----

namespace
{

platform::DialogTemplate crossSectionTemplate()
{
    using namespace platform;
    using Page = CPageEditMemberCrossSection;
    return dialogTemplateOf(
        {0, 0, 120, 49}, pageStyle, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 120, 49}, BS_OWNERDRAW, "Member Cross-Section"),
            controlItem("Static", IDC_STATIC, {4, 15, 11, 10}, SS_BITMAP, "#" + std::to_string(Page::pictureBitmapId)),
            controlItem("ComboBox", Page::comboId, {18, 13, 98, 80},
                        CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
            controlItem("Button", Page::absoluteId, {4, 31, 24, 12}, BS_CHECKBOX | BS_PUSHLIKE | WS_TABSTOP, "Abs:"),
            controlItem("Static", IDC_STATIC, {30, 33, 22, 8}, SS_LEFT, "Angle"),
            controlItem("Edit", Page::angleId, {54, 31, 52, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            controlItem("Button", Page::spinnerId, {108, 31, 9, 12}, BS_OWNERDRAW, "sA"),
        });
}

platform::DialogTemplate materialTemplate()
{
    using namespace platform;
    using Page = CPageEditMemberMaterial;
    return dialogTemplateOf(
        {0, 0, 120, 33}, pageStyle, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 120, 33}, BS_OWNERDRAW, "Member Material"),
            controlItem("Static", IDC_STATIC, {4, 15, 11, 10}, SS_BITMAP, "#" + std::to_string(Page::pictureBitmapId)),
            controlItem("ComboBox", Page::comboId, {18, 13, 98, 80},
                        CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
        });
}

platform::DialogTemplate lengthTemplate()
{
    using namespace platform;
    using Page = CPageEditMemberLength;
    return dialogTemplateOf(
        {0, 0, 120, 46}, pageStyle, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 120, 46}, BS_OWNERDRAW, "Member Length"),
            controlItem("Button", Page::automaticId, {6, 14, 60, 10}, BS_3STATE | WS_TABSTOP, "Automatic"),
            controlItem("Button", Page::editButtonId, {4, 28, 24, 12}, BS_CHECKBOX | BS_PUSHLIKE | WS_TABSTOP,
                        "Edit:"),
            controlItem("Edit", Page::lengthId, {30, 28, 76, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            controlItem("Button", Page::spinnerId, {108, 28, 9, 12}, BS_OWNERDRAW, "sL"),
        });
}

platform::DialogTemplate jointsTemplate()
{
    using namespace platform;
    using Page = CPageEditMemberJoints;
    return dialogTemplateOf(
        {0, 0, 120, 46}, pageStyle, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 120, 46}, BS_OWNERDRAW, "Member Start Joint & End Joint"),
            controlItem("Static", IDC_STATIC, {6, 16, 20, 8}, SS_LEFT, "Start:"),
            controlItem("Edit", 1067, {28, 14, 72, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            controlItem("Button", 1068, {102, 14, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"),
            controlItem("Static", IDC_STATIC, {6, 30, 20, 8}, SS_LEFT, "End:"),
            controlItem("Edit", 1069, {28, 28, 72, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            controlItem("Button", 1070, {102, 28, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"),
        });
}

} // namespace

void registerMemberEditPageResources()
{
    // The pictures 149 and 153 are the material and cross-section pictures the Select bars
    // register as their titles.
    const platform::ModuleHandle module = thisModule();
    platform::registerDialogTemplate(module, CPageEditMemberCrossSection::dialogId, crossSectionTemplate());
    platform::registerDialogTemplate(module, CPageEditMemberMaterial::dialogId, materialTemplate());
    platform::registerDialogTemplate(module, CPageEditMemberLength::dialogId, lengthTemplate());
    platform::registerDialogTemplate(module, CPageEditMemberJoints::dialogId, jointsTemplate());
}

} // namespace lumbra
