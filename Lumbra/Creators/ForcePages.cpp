#include "Lumbra/Creators/ForcePages.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/InputEvent.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"
#include "uikit/NameNumbering.h"
#include "uikit/TextEntry.h"

#include <algorithm>
#include <cmath>
#include <strings.h>

namespace lumbra
{

namespace
{

constexpr const char* definitionListName = "VornForceDefinition";
constexpr const char* forceListName = "VornForceInstance";
constexpr const char* noDocumentText = "No Document";
constexpr const char* applyPrefix = "Apply to Joint: \"";
constexpr const char* createApplyPrefix = "Create And Apply to Joint: \"";
// Names longer than this are cut in the already-applied caption.
constexpr size_t captionNameLength = 20;
// The longest joint caption.
constexpr size_t captionLength = 511;

const std::string createLockText = documentLockWaitingText("Create Force");
const std::string editLockText = documentLockWaitingText("Force Definition");

bool sameIgnoringCase(const std::string& a, const char* b)
{
    return b != nullptr && strcasecmp(a.c_str(), b) == 0;
}

// Whether one of the joint's forces has that definition.
bool carries(const VornJoint& joint, const VornForceDefinition* definition)
{
    for (knot* link = joint.forces.getFirst(); link != nullptr; link = link->getNext())
    {
        const auto* force = static_cast<const VornForceInstance*>(static_cast<VornBaseObject*>(link->getObject()));
        if (force->getForceDefinition() == definition)
            return true;
    }
    return false;
}

std::string cutName(const char* name)
{
    std::string text = name != nullptr ? name : "";
    if (text.size() > captionNameLength)
        text = text.substr(0, captionNameLength) + "...";
    return text;
}

// A name as typed into a name field: at most 255 characters, without blanks and tabs at either end.
std::string typedName(std::string text)
{
    if (text.size() > 255)
        text.resize(255);
    std::string trimmed(skipBlanks(std::string_view(text)));
    trimTrailingBlanks(trimmed);
    return trimmed;
}

std::string nameOf(const VornBaseObject* object)
{
    const char* name = object != nullptr ? object->name.getString() : nullptr;
    return name != nullptr ? name : "";
}

// A page's pagettes are shown by the page that holds them.
constexpr uint32_t pageStyle = platform::WS_CHILD | platform::WS_VISIBLE | platform::DS_CONTROL | platform::DS_SETFONT;

} // namespace

// ---- shared pieces ----

const char* PluginCreatorForcePage::getTypeName()
{
    return "Creator Force Pagette";
}

const char* PluginCreatorForceEditPage::getTypeName()
{
    return "Edit Force Pagette";
}

std::vector<VornForceDefinition*> definitionsOfSelectedForces(VornSelection& selection, size_t limit)
{
    std::vector<VornForceDefinition*> found;
    for (knot* link = selection.objects.getFirst(); link != nullptr && found.size() < limit; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->getTypeID() != VornForceInstance::staticTypeID())
            continue;
        VornForceDefinition* definition = static_cast<VornForceInstance*>(object)->getForceDefinition();
        if (definition != nullptr && std::find(found.begin(), found.end(), definition) == found.end())
            found.push_back(definition);
    }
    return found;
}

VornForceDefinition* findDefinitionNamed(BlockList<VornForceDefinition>& definitions, const std::string& name,
                                         const VornForceDefinition* except)
{
    for (uint32_t index = definitions.getCount(); index-- > 0;)
    {
        VornForceDefinition& definition = definitions[index];
        if (&definition != except && sameIgnoringCase(name, definition.name.getString()))
            return &definition;
    }
    return nullptr;
}

void makeDefinitionNameUnique(BlockList<VornForceDefinition>& definitions, std::string& name,
                              const VornForceDefinition* except)
{
    while (findDefinitionNamed(definitions, name, except) != nullptr)
        incrementNameNumber(name);
}

void ForceVectorRows::attach(platform::Dialog& page)
{
    for (size_t row = 0; row < spinners.size(); ++row)
        spinners[row]->subclassDlgItem(ForceSettingsIds::spinnerIds[row], &page);
}

void ForceVectorRows::beginSpin(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    model.takeTextQuietly(index);
    const double value = std::fabs(model.value(index));
    const double step = value == 0.0 ? 1.0 : std::pow(10.0, std::floor(std::log10(value)) - 1.0);
    links[index]->step = step;
    links[index]->dragFactor = step;
}

void ForceVectorRows::show(platform::Dialog& page)
{
    // An edit keeps what the user typed until the program gives the row another value.
    for (size_t row = 0; row < 3; ++row)
        showNumberField(page.dlgItem(ForceSettingsIds::editIds[row]), model.value(row), model.text(row));
}

void ForceVectorRows::spun(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    model.show(index, model.value(index));
}

void ForceVectorRows::typed(platform::Dialog& page, size_t row)
{
    model.type(row, page.dlgItemText(ForceSettingsIds::editIds[row]));
    model.takeTextQuietly(row);
}

void ForceVectorRows::setValues(const Vector3& vector)
{
    model.show(0, vector.x);
    model.show(1, vector.y);
    model.show(2, vector.z);
}

Vector3 ForceVectorRows::values() const
{
    return Vector3(model.value(0), model.value(1), model.value(2));
}

// ---- creation Settings window ----

namespace
{

bool isDefinitionNameTaken(MAI_Doc* document, const std::string& name)
{
    auto* definitions = listOf<VornForceDefinition>(document, definitionListName);
    return definitions != nullptr && findDefinitionNamed(*definitions, name) != nullptr;
}

} // namespace

CPageForceSettings::CPageForceSettings(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), colourButton(&colour, initialColour), plugin(plugin)
{
    rows.setValues(Vector3(10000.0, 0.0, 0.0));
}

MAI* CPageForceSettings::mai() const
{
    return plugin != nullptr ? plugin->mai : nullptr;
}

VornForceDefinition* CPageForceSettings::currentDefinition() const
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr)
        return nullptr;
    return dynamic_cast<VornForceDefinition*>(document->currentForceDefinition.get());
}

void CPageForceSettings::setCurrentDefinition(VornForceDefinition* definition)
{
    if (MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr)
        document->currentForceDefinition.set(definition);
}

bool CPageForceSettings::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    colourButton.subclassDlgItem(colourId, this);
    nameCombo.subclassDlgItem(nameComboId, this);
    rows.attach(*this);
    nameCombo.setWindowText("Force#001");
    writeControls();
    return true;
}

platform::LResult CPageForceSettings::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_PAINT && refreshPending)
        refresh();
    return Dialog::windowProc(message, wParam, lParam);
}

platform::ColorRef CPageForceSettings::controlTextColour(platform::Window& control)
{
    if (newDefinitionMode && control.dlgCtrlId() == nameComboId)
        return newNameColour;
    return Dialog::controlTextColour(control);
}

std::string CPageForceSettings::comboText() const
{
    const std::string text = nameCombo.windowText();
    if (text == noDocumentText)
        return {};
    return typedName(text);
}

void CPageForceSettings::readControls()
{
    for (size_t row = 0; row < 3; ++row)
        rows.typed(*this, row);
    applyToSelection = isDlgButtonChecked(applyToSelectionId) == platform::BST_CHECKED;
    global = isDlgButtonChecked(localId) != platform::BST_CHECKED;
}

void CPageForceSettings::writeControls()
{
    if (!exists())
        return;
    rows.show(*this);
    checkDlgButton(globalId, global ? platform::BST_CHECKED : platform::BST_UNCHECKED);
    checkDlgButton(localId, global ? platform::BST_UNCHECKED : platform::BST_CHECKED);
    checkDlgButton(applyToSelectionId, applyToSelection ? platform::BST_CHECKED : platform::BST_UNCHECKED);
    setDlgItemText(captionId, jointCaption);
}

void CPageForceSettings::refreshSoon()
{
    if (exists() && isVisible())
        refresh();
    else
        refreshPending = true;
}

void CPageForceSettings::refresh()
{
    refreshPending = false;
    if (!exists())
        return;
    readControls();
    platform::Window* button = dlgItem(buttonId);
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr)
    {
        nameCombo.setWindowText(noDocumentText);
        nameCombo.enableWindow(false);
        if (button != nullptr)
            button->enableWindow(false);
        return;
    }
    VornForceDefinition* current = currentDefinition();
    if (current == nullptr)
        newDefinitionMode = true;
    nameCombo.enableWindow(true);
    nameCombo.invalidate(true); // the colour of its text tells the mode
    const bool applying = jointSelected && applyToSelection;
    if (newDefinitionMode)
    {
        const std::string shown = nameCombo.windowText();
        std::string name = comboText();
        const bool taken = !name.empty() && isDefinitionNameTaken(document, name);
        if (taken)
            makeDefinitionNameUnique(*listOf<VornForceDefinition>(document, definitionListName), name);
        nameCombo.resetContent();
        if (!name.empty())
            nameCombo.setCurSel(nameCombo.addString(name));
        // A name being typed keeps its blanks (the next word may follow) unless it had to change.
        nameCombo.setWindowText(taken || shown == noDocumentText ? name : shown);
        setDlgItemText(groupId, "New Force Definition Settings");
        if (button != nullptr)
        {
            button->enableWindow(true);
            button->setWindowText(applying ? "CREATE AND APPLY" : "CREATE");
        }
        nameCombo.setEditSel(-1, 0);
    }
    else
    {
        setDlgItemText(groupId, "Force Definition Settings");
        rows.setValues(current->getVector());
        global = !current->isLocal();
        if (current->getColor() != colour)
        {
            colour = current->getColor();
            colourButton.invalidate(true);
        }
        // A name typed in another case is shown as the definition has it.
        if (comboText() != nameOf(current))
            nameCombo.setWindowText(nameOf(current));
        if (button != nullptr)
        {
            button->setWindowText("APPLY");
            button->enableWindow(applying);
        }
    }
    writeControls();
}

void CPageForceSettings::valueChanged()
{
    if (newDefinitionMode)
        return;
    newDefinitionMode = true;
    refresh();
}

void CPageForceSettings::spun(int32_t row)
{
    rows.spun(row);
    writeControls();
    valueChanged();
}

bool CPageForceSettings::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (size_t row = 0; row < editIds.size(); ++row)
        if (id == static_cast<uint32_t>(editIds[row]))
        {
            // Only typing notifies: what refresh writes into the edits never comes here.
            if (code == platform::EN_CHANGE)
            {
                rows.typed(*this, row);
                valueChanged();
            }
            return true;
        }
    switch (static_cast<int32_t>(id))
    {
    case buttonId:
        if (code == platform::BN_CLICKED)
            onCreateAndApply();
        return true;
    case nameComboId:
        if (code == platform::CBN_DROPDOWN)
            dropDown();
        else if (code == platform::CBN_SELCHANGE)
            selectionChange();
        else if (code == platform::CBN_EDITCHANGE)
            editChange();
        return true;
    case colourId:
        if (code == platform::BN_CLICKED && colourButton.chooseColour())
            valueChanged();
        return true;
    case applyToSelectionId:
        if (code == platform::BN_CLICKED)
            refresh();
        return true;
    case globalId:
    case localId:
        if (code == platform::BN_CLICKED)
        {
            global = id == static_cast<uint32_t>(globalId);
            valueChanged();
        }
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageForceSettings::dropDown()
{
    const std::string kept = nameCombo.windowText();
    nameCombo.resetContent();
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document != nullptr)
    {
        nameCombo.setItemData(nameCombo.addString(newEntryText), 0);
        if (auto* definitions = listOf<VornForceDefinition>(document, definitionListName))
            for (uint32_t index = definitions->getCount(); index-- > 0;)
            {
                VornForceDefinition& definition = (*definitions)[index];
                const int entry = nameCombo.addString(nameOf(&definition));
                if (entry < 0)
                {
                    platform::messageBeep(platform::MB_ICONEXCLAMATION);
                    break;
                }
                nameCombo.setItemData(entry, reinterpret_cast<std::intptr_t>(&definition));
            }
    }
    nameCombo.setWindowText(kept);
    keptName = kept;
}

void CPageForceSettings::selectionChange()
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr)
        return;
    const int entry = nameCombo.curSel();
    auto* chosen = entry >= 0 ? reinterpret_cast<VornForceDefinition*>(nameCombo.itemData(entry)) : nullptr;
    if (chosen != nullptr)
    {
        setCurrentDefinition(chosen);
        newDefinitionMode = false;
        refresh();
        return;
    }
    // The new-definition entry names nothing: the name shown before the list opened stays.
    newDefinitionMode = true;
    nameCombo.setWindowText(keptName);
    refresh();
    nameCombo.setEditSel(-1, 0);
    if (mai() != nullptr)
        mai()->beep();
}

void CPageForceSettings::editChange()
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr)
        return;
    auto* definitions = listOf<VornForceDefinition>(document, definitionListName);
    VornForceDefinition* found = definitions != nullptr ? findDefinitionNamed(*definitions, comboText()) : nullptr;
    setCurrentDefinition(found);
    newDefinitionMode = found == nullptr;
    nameCombo.invalidate(true);
    refresh();
}

void CPageForceSettings::onCreateAndApply()
{
    readControls();
    nameCombo.invalidate(true);
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr)
        return;
    auto* definitions = listOf<VornForceDefinition>(document, definitionListName);
    auto* forces = listOf<VornForceInstance>(document, forceListName);
    std::string name;
    if (newDefinitionMode)
    {
        name = comboText();
        if (name.empty())
        {
            platform::messageBox(handle(), "For a Force Definition to be created,\na unique name must be specified.",
                                 "Error: Can't create Force Definition.",
                                 platform::MB_OK | platform::MB_ICONEXCLAMATION);
            gotoDlgCtrl(&nameCombo);
            return;
        }
        // A number that does not read is not made into a force.
        if (definitions == nullptr || !rows.model.readTyped(mai()))
            return;
        makeDefinitionNameUnique(*definitions, name);
    }
    auto& settings = static_cast<PluginCreatorForcePageSettings&>(*plugin);
    int32_t selectedJoints = 0;
    int32_t applied = 0;
    {
        DocumentChangeLock lock(document, createLockText.c_str(), settings.lockTimeout);
        if (!lock)
            return;
        if (newDefinitionMode)
        {
            VornForceDefinition* definition = definitions->add();
            definition->colorAndFlags = colour & 0xFFFFFFu;
            definition->name.set(&document->document.getStringStorage(), name.c_str());
            const Vector3 vector = rows.values();
            definition->setVector(vector.x, vector.y, vector.z);
            definition->setLocalFlag(!global);
            setCurrentDefinition(definition);
            newDefinitionMode = false;
        }
        VornForceDefinition* current = currentDefinition();
        VornSelection* selection = document->document.getSelection();
        if (current != nullptr && applyToSelection && forces != nullptr && selection != nullptr)
            forEachSelectedJoint(*selection, [&](VornJoint& joint) {
                ++selectedJoints;
                if (carries(joint, current))
                    return;
                VornForceInstance* force = forces->add();
                force->setForceDefinition(current);
                force->setJoint(&joint);
                ++applied;
            });
    }
    refresh();
    if (selectedJoints > 0 && applied == 0 && mai() != nullptr)
        mai()->beep();
    if (applied > 0)
        document->invalidateViews();
}

void CPageForceSettings::showJoint(VornJoint* joint, bool leftView)
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    if (document == nullptr || !exists())
        return;
    platform::Window* caption = dlgItem(captionId);
    platform::Window* button = dlgItem(buttonId);
    if (leftView || joint == nullptr)
    {
        hideJoint();
        return;
    }
    if (caption != nullptr)
        caption->showWindow(platform::SW_SHOWNOACTIVATE);
    if (joint != hoveredJoint)
    {
        hoveredJoint = joint;
        VornForceDefinition* current = currentDefinition();
        std::string jointName = nameOf(joint);
        if (!newDefinitionMode && current != nullptr && carries(*joint, current))
            jointCaption = "\"" + cutName(current->name.getString()) + "\" is already applied to Joint \"" +
                cutName(joint->name.getString()) + "\"";
        else
        {
            const std::string prefix = newDefinitionMode ? createApplyPrefix : applyPrefix;
            if (prefix.size() + jointName.size() + 1 > captionLength)
                jointName.resize(captionLength - prefix.size() - 1);
            jointCaption = prefix + jointName + "\"";
        }
        writeControls();
    }
    if (button != nullptr)
        button->showWindow(platform::SW_HIDE);
}

void CPageForceSettings::hideJoint()
{
    if (!exists())
        return;
    if (platform::Window* caption = dlgItem(captionId))
        caption->showWindow(platform::SW_HIDE);
    if (hoveredJoint != nullptr)
    {
        hoveredJoint = nullptr;
        writeControls();
    }
    if (platform::Window* button = dlgItem(buttonId))
        button->showWindow(platform::SW_SHOWNOACTIVATE);
}

void CPageForceSettings::selectionChanged()
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    VornSelection* selection = document != nullptr ? document->document.getSelection() : nullptr;
    bool anyJoint = false;
    if (selection != nullptr)
        forEachSelectedJoint(*selection, [&anyJoint](VornJoint&) { anyJoint = true; });
    jointSelected = anyJoint;
    refreshSoon();
}

// ---- creation Settings pagette ----

PluginCreatorForcePageSettings::PluginCreatorForcePageSettings()
    : WindowedPagette({"Settings Pagette",
                       "Settings Pagette [Force Creator]:\nEnter/display the settings used for creating/applying "
                       "forces.",
                       "Settings", "Settings Pagette [Force Creator]"})
{
}

void PluginCreatorForcePageSettings::registerListeners()
{
    if (mai == nullptr || selectionListener.isSubscribed())
        return;
    mai->notifierRegistry.addListener(Channel::SelectionChanged, &selectionListener);
    mai->notifierRegistry.addListener(Channel::ActiveDocumentChanged, &documentListener);
    mai->notifierRegistry.addListener(Channel::ForceDefinitionsChanged, &definitionListener);
}

void PluginCreatorForcePageSettings::onSnapPoint(SnapPoint* point, uint32_t flags)
{
    if (page == nullptr)
        return;
    const bool joint = point != nullptr && point->source != nullptr && hasSnapKind(point->source, "Joint");
    page->showJoint(joint ? point->joint : nullptr, (flags & InputEvent::Leave) != 0);
}

void PluginCreatorForcePageSettings::onMousePoint(int32_t, int32_t, int32_t, uint32_t)
{
    if (page != nullptr)
        page->hideJoint();
}

void PluginCreatorForcePageSettings::SelectionListener::notify(void*)
{
    if (page.page != nullptr && page.page->exists())
        page.page->selectionChanged();
}

void PluginCreatorForcePageSettings::DefinitionListener::notify(void* payload)
{
    MAI_Doc* document = page.mai != nullptr ? page.mai->activeDocument : nullptr;
    CPageForceSettings* window = page.page.get();
    if (payload == nullptr || document == nullptr || window == nullptr || !window->exists() ||
        window->newDefinitionMode)
        return;
    if (static_cast<const ObjectChangeNotice*>(payload)->object == document->currentForceDefinition.get())
        window->refreshSoon();
}

// ---- edit Settings window ----

CPageEditForceSettings::CPageEditForceSettings(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), colourButton(&colour, initialColour), plugin(plugin)
{
}

PluginCreatorForceEditPageSettings& CPageEditForceSettings::page() const
{
    return static_cast<PluginCreatorForceEditPageSettings&>(*plugin);
}

MAI* CPageEditForceSettings::mai() const
{
    return plugin->mai;
}

bool CPageEditForceSettings::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    colourButton.subclassDlgItem(colourId, this);
    nameCombo.subclassDlgItem(nameComboId, this);
    rows.attach(*this);
    writeVector();
    return true;
}

void CPageEditForceSettings::writeVector()
{
    if (!exists())
        return;
    rows.show(*this);
}

void CPageEditForceSettings::showDefinition()
{
    VornForceDefinition* definition = page().edited();
    if (definition == nullptr || !exists())
        return;
    rows.setValues(definition->getVector());
    checkDlgButton(localId, definition->isLocal() ? platform::BST_CHECKED : platform::BST_UNCHECKED);
    checkDlgButton(globalId, definition->isLocal() ? platform::BST_UNCHECKED : platform::BST_CHECKED);
    colour = definition->getColor();
    colourButton.invalidate(true);
    writeVector();
}

bool CPageEditForceSettings::fill(VornSelection& selection)
{
    const std::vector<VornForceDefinition*> definitions = definitionsOfSelectedForces(selection, listedDefinitions);
    if (definitions.empty())
        return false;
    page().setEdited(definitions.front());
    nameConflict = false;
    const bool one = definitions.size() == 1;
    platform::Window* nameEdit = dlgItem(nameEditId);
    if (nameEdit != nullptr)
        nameEdit->showWindow(one ? platform::SW_SHOWNOACTIVATE : platform::SW_HIDE);
    nameCombo.showWindow(one ? platform::SW_HIDE : platform::SW_SHOWNOACTIVATE);
    const std::string name = nameOf(definitions.front());
    if (one)
    {
        setDlgItemText(nameEditId, name);
        if (nameEdit != nullptr)
            nameEdit->invalidate(true);
    }
    else
    {
        nameCombo.resetContent();
        const int entry = nameCombo.addString(name);
        nameCombo.setItemData(entry, reinterpret_cast<std::intptr_t>(definitions.front()));
        nameCombo.setCurSel(entry);
        nameCombo.setWindowText(name);
        nameCombo.invalidate(true);
    }
    showDefinition();
    return true;
}

platform::ColorRef CPageEditForceSettings::controlTextColour(platform::Window& control)
{
    const int32_t id = control.dlgCtrlId();
    if (nameConflict && (id == nameEditId || id == nameComboId))
        return conflictingNameColour;
    return Dialog::controlTextColour(control);
}

void CPageEditForceSettings::setNameConflict(int32_t controlId, bool conflict)
{
    if (nameConflict == conflict)
        return;
    nameConflict = conflict;
    if (platform::Window* control = dlgItem(controlId))
        control->invalidate(true);
}

bool CPageEditForceSettings::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (size_t row = 0; row < editIds.size(); ++row)
        if (id == static_cast<uint32_t>(editIds[row]))
        {
            // Only typing notifies: filling the page never changes the definition.
            if (code == platform::EN_CHANGE)
                vectorTyped(row);
            return true;
        }
    switch (static_cast<int32_t>(id))
    {
    case nameEditId:
        if (code == platform::EN_CHANGE)
            nameTyped(nameEditId);
        else if (code == platform::EN_KILLFOCUS)
            nameLeft(nameEditId);
        return true;
    case nameComboId:
        if (code == platform::CBN_DROPDOWN)
            dropDown();
        else if (code == platform::CBN_SELCHANGE)
            selectionChange();
        else if (code == platform::CBN_EDITCHANGE)
            nameTyped(nameComboId);
        else if (code == platform::CBN_KILLFOCUS)
            nameLeft(nameComboId);
        return true;
    case colourId:
        if (code == platform::BN_CLICKED)
            colourClicked();
        return true;
    case globalId:
    case localId:
        if (code == platform::BN_CLICKED)
        {
            const bool local = id == static_cast<uint32_t>(localId);
            VornForceDefinition* definition = page().edited();
            page().changeDefinition(definition != nullptr ? &definition->colorAndFlags : nullptr,
                                    [local](VornForceDefinition& changed) { changed.setLocalFlag(local); });
        }
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageEditForceSettings::vectorTyped(size_t row)
{
    double value = rows.model.value(row);
    if (!getDlgItemDouble(this, editIds[row], &value))
        return;
    rows.typed(*this, row);
    const Vector3 vector = rows.values();
    VornForceDefinition* definition = page().edited();
    page().changeDefinition(
        definition != nullptr ? &definition->vector : nullptr,
        [vector](VornForceDefinition& changed) { changed.setVector(vector.x, vector.y, vector.z); });
}

void CPageEditForceSettings::spun(int32_t row)
{
    rows.spun(row);
    writeVector();
    const Vector3 vector = rows.values();
    VornForceDefinition* definition = page().edited();
    page().changeDefinition(
        definition != nullptr ? &definition->vector : nullptr,
        [vector](VornForceDefinition& changed) { changed.setVector(vector.x, vector.y, vector.z); });
}

void CPageEditForceSettings::colourClicked()
{
    VornForceDefinition* definition = page().edited();
    if (!colourButton.chooseColour())
        return;
    const uint32_t chosen = colour;
    page().changeDefinition(definition != nullptr ? &definition->colorAndFlags : nullptr,
                            [chosen](VornForceDefinition& changed) { changed.setColor(chosen); });
    colourButton.invalidate(true);
}

void CPageEditForceSettings::nameTyped(int32_t controlId)
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    VornForceDefinition* definition = page().edited();
    auto* definitions = listOf<VornForceDefinition>(document, definitionListName);
    if (definition == nullptr || definitions == nullptr)
        return;
    std::string text = typedName(dlgItemText(controlId));
    if (findDefinitionNamed(*definitions, text, definition) != nullptr)
    {
        setNameConflict(controlId, true);
        return;
    }
    setNameConflict(controlId, false);
    page().changeDefinition(
        &definition->name,
        [document, &text](VornForceDefinition& changed) {
            changed.name.set(&document->document.getStringStorage(), text.c_str());
        },
        false);
}

void CPageEditForceSettings::nameLeft(int32_t controlId)
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    VornForceDefinition* definition = page().edited();
    auto* definitions = listOf<VornForceDefinition>(document, definitionListName);
    if (definition == nullptr || definitions == nullptr || !nameConflict)
        return;
    std::string text = typedName(dlgItemText(controlId));
    const std::string question =
        "The name \"" + text + "\"\nis also used by another Force Definition.\n\nShould a unique name be generated?";
    if (platform::messageBox(handle(), question, "Name already used", platform::MB_YESNO | platform::MB_ICONQUESTION) ==
        platform::IDYES)
        makeDefinitionNameUnique(*definitions, text, definition);
    page().changeDefinition(
        &definition->name,
        [document, &text](VornForceDefinition& changed) {
            changed.name.set(&document->document.getStringStorage(), text.c_str());
        },
        false);
    setDlgItemText(controlId, text);
    setNameConflict(controlId, false);
}

void CPageEditForceSettings::dropDown()
{
    MAI_Doc* document = mai() != nullptr ? mai()->activeDocument : nullptr;
    VornSelection* selection = document != nullptr ? document->document.getSelection() : nullptr;
    if (selection == nullptr)
        return;
    const std::string kept = nameCombo.windowText();
    const std::vector<VornForceDefinition*> definitions = definitionsOfSelectedForces(*selection, listedDefinitions);
    nameCombo.resetContent();
    if (definitions.empty())
        page().setEdited(nullptr);
    VornForceDefinition* chosen = page().edited() != nullptr ? page().edited()
        : definitions.empty()                                ? nullptr
                                                             : definitions.front();
    int chosenEntry = -1;
    for (auto it = definitions.rbegin(); it != definitions.rend(); ++it)
    {
        const int entry = nameCombo.addString(nameOf(*it));
        if (entry < 0)
        {
            platform::messageBox(handle(), "Can't add ForceDefinitions to the edit-list",
                                 "CPageEditForceSettings::OnDropdownCombo1()",
                                 platform::MB_OK | platform::MB_ICONEXCLAMATION);
            break;
        }
        nameCombo.setItemData(entry, reinterpret_cast<std::intptr_t>(*it));
    }
    for (int entry = 0; entry < nameCombo.count(); ++entry)
        if (reinterpret_cast<VornForceDefinition*>(nameCombo.itemData(entry)) == chosen)
            chosenEntry = entry;
    nameCombo.setCurSel(chosenEntry);
    nameCombo.setWindowText(chosenEntry >= 0 ? nameOf(chosen) : kept);
}

void CPageEditForceSettings::selectionChange()
{
    if (mai() != nullptr)
        mai()->beep();
    const int entry = nameCombo.curSel();
    auto* chosen = entry >= 0 ? reinterpret_cast<VornForceDefinition*>(nameCombo.itemData(entry)) : nullptr;
    setNameConflict(nameComboId, false);
    page().setEdited(chosen);
    showDefinition();
}

// ---- edit Settings pagette ----

PluginCreatorForceEditPageSettings::PluginCreatorForceEditPageSettings()
    : WindowedPagette({"Settings Pagette", "Settings Pagette [Force Creator]:\nView/Change the Force Settings.",
                       "Settings", "Edit Force Settings Pagette [Force Creator]"})
{
}

void PluginCreatorForceEditPageSettings::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::ForceDefinitionsChanged, &listener);
}

bool PluginCreatorForceEditPageSettings::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty() || page == nullptr || !page->exists())
        return true;
    return !page->fill(*selection);
}

VornForceDefinition* PluginCreatorForceEditPageSettings::edited() const
{
    return dynamic_cast<VornForceDefinition*>(editedDefinition.get());
}

void PluginCreatorForceEditPageSettings::setEdited(VornForceDefinition* definition)
{
    editedDefinition.set(definition);
}

template <class Change>
void PluginCreatorForceEditPageSettings::changeDefinition(const void* changedValue, Change change, bool redraw)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    VornForceDefinition* definition = edited();
    if (document == nullptr || definition == nullptr)
        return;
    {
        DocumentChangeLock lock(document, editLockText.c_str(), lockTimeout);
        if (!lock)
        {
            // The page goes back to what the definition holds.
            if (page != nullptr)
                page->showDefinition();
            return;
        }
        change(*definition);
        definition->updateInstances();
    }
    sendChange(definition, changedValue);
    if (redraw)
        document->invalidateViews();
}

void PluginCreatorForceEditPageSettings::sendChange(VornForceDefinition* definition, const void* changedValue)
{
    listener.setMuted(true);
    sendObjectChange(mai, Channel::ForceDefinitionsChanged, definition, changedValue);
    listener.setMuted(false);
}

void PluginCreatorForceEditPageSettings::Listener::notify(void* payload)
{
    VornForceDefinition* definition = page.edited();
    MAI_Doc* document = page.mai != nullptr ? page.mai->activeDocument : nullptr;
    if (definition == nullptr || document == nullptr || page.page == nullptr || !page.page->exists())
        return;
    if (payload == nullptr || static_cast<const ObjectChangeNotice*>(payload)->object == definition)
        page.page->showDefinition();
}

// ---- dialog resources ----

namespace
{

platform::DialogItemTemplate hidden(platform::DialogItemTemplate item)
{
    item.style &= ~platform::WS_VISIBLE;
    return item;
}

void addVectorRows(std::vector<platform::DialogItemTemplate>& items, int32_t top)
{
    using namespace platform;
    const char* labels[] = {"X", "Y", "Z"};
    const char* spinners[] = {"sX", "sY", "sZ"};
    for (size_t row = 0; row < 3; ++row)
    {
        const int32_t y = top + static_cast<int32_t>(row) * 15;
        items.push_back(controlItem("Static", IDC_STATIC, {10, y + 2, 10, 8}, SS_LEFT, labels[row]));
        items.push_back(controlItem("Edit", ForceSettingsIds::editIds[row], {22, y, 82, 12},
                                    WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
        items.push_back(
            controlItem("Button", ForceSettingsIds::spinnerIds[row], {106, y, 9, 12}, BS_OWNERDRAW, spinners[row]));
    }
}

platform::DialogTemplate forceSettingsTemplate()
{
    using namespace platform;
    using Page = CPageForceSettings;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", Page::frameId, {0, 0, 120, 160}, BS_OWNERDRAW, "Create Force Instance of"),
        controlItem("ComboBox", Page::nameComboId, {6, 14, 92, 80}, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
        controlItem("Button", Page::colourId, {101, 14, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"),
        controlItem("Button", Page::groupId, {2, 30, 116, 82}, BS_GROUPBOX, "New Force Definition Settings"),
        controlItem("Button", Page::globalId, {12, 42, 45, 10}, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "Global"),
        controlItem("Button", Page::localId, {62, 42, 45, 10}, BS_AUTORADIOBUTTON, "Local"),
    };
    addVectorRows(items, 56);
    items.push_back(controlItem("Button", Page::applyToSelectionId, {4, 116, 114, 10}, BS_AUTOCHECKBOX | WS_TABSTOP,
                                "Apply instances to selection"));
    // The joint caption takes the button's place only while the cursor snaps to a joint; it has
    // room for three lines, so both names show whole up to the length they are cut to.
    items.push_back(hidden(controlItem("Static", Page::captionId, {4, 128, 112, 30},
                                       SS_CENTER | SS_SUNKEN | SS_NOPREFIX, "Create and Apply to: Joint000")));
    items.push_back(pushButtonItem(Page::buttonId, {10, 130, 100, 15}, "CREATE AND APPLY"));
    DialogTemplate result = dialogTemplateOf({0, 0, 120, 160}, pageStyle, "", std::move(items));
    return result;
}

platform::DialogTemplate editForceSettingsTemplate()
{
    using namespace platform;
    using Page = CPageEditForceSettings;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", Page::frameId, {0, 0, 120, 97}, BS_OWNERDRAW, "Force Definition Settings"),
        controlItem("ComboBox", Page::nameComboId, {6, 14, 92, 80}, CBS_DROPDOWN | CBS_SORT | WS_TABSTOP),
        hidden(controlItem("Edit", Page::nameEditId, {6, 14, 92, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL)),
        controlItem("Button", Page::colourId, {101, 14, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"),
        controlItem("Button", Page::globalId, {12, 32, 45, 10}, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "Global"),
        controlItem("Button", Page::localId, {62, 32, 45, 10}, BS_AUTORADIOBUTTON, "Local"),
    };
    addVectorRows(items, 48);
    return dialogTemplateOf({0, 0, 120, 97}, pageStyle, "", std::move(items));
}

} // namespace

void registerForcePageTemplates()
{
    const platform::ModuleHandle module = thisModule();
    platform::registerDialogTemplate(module, CPageForceSettings::dialogId, forceSettingsTemplate());
    platform::registerDialogTemplate(module, CPageEditForceSettings::dialogId, editForceSettingsTemplate());
}

} // namespace lumbra
