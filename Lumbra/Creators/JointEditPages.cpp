#include "Lumbra/Creators/JointEditPages.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/PropertyChangeNotice.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/DocumentChangeLock.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"

#include <string>

namespace lumbra
{

namespace
{

const std::string supportLockText = documentLockWaitingText("Joint Support");

// The AND and the OR of the selected joints' flag bytes; false without a selected joint.
bool supportBitsOf(VornSelection& selection, uint8_t& allBits, uint8_t& anyBits)
{
    allBits = 0xFF;
    anyBits = 0;
    bool any = false;
    forEachSelectedJoint(selection, [&](VornJoint& joint) {
        any = true;
        allBits &= joint.supportFlags;
        anyBits |= joint.supportFlags;
    });
    return any;
}

// Whether a notice names objects of the selection: its list is the selection's own, or one of
// its joints is marked selected.
bool noticeConcernsSelection(const PropertyChangeNotice& notice, VornSelection& selection)
{
    if (notice.objects == &selection.objects)
        return true;
    if (notice.objects == nullptr)
        return false;
    for (knot* link = notice.objects->getFirst(); link != nullptr; link = link->getNext())
    {
        auto* object = dynamic_cast<VornJoint*>(static_cast<VornBaseObject*>(link->getObject()));
        if (object != nullptr && (object->getFlags() & VornFlag::Selected) != 0)
            return true;
    }
    return false;
}

} // namespace

const char* PluginCreatorJointEditPage::getTypeName()
{
    return "Edit Joint Pagette";
}

// ---- supports ----

PluginCreatorJointEditPageSupport::PluginCreatorJointEditPageSupport()
    : WindowedPagette({"Support Pagette",
                       "Support Pagette [Joint Creator]:\nEnter/display support conditions for selected joints.",
                       "Support", "Support Pagette"})
{
}

PluginCreatorJointEditPageSupport::~PluginCreatorJointEditPageSupport()
{
    model.changed = nullptr;
}

void PluginCreatorJointEditPageSupport::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::ObjectsPropertyChanged, &listener);
}

VornSelection* PluginCreatorJointEditPageSupport::currentSelection() const
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    return document != nullptr ? document->document.getSelection() : nullptr;
}

bool PluginCreatorJointEditPageSupport::windowShown() const
{
    return window() != nullptr && window()->exists();
}

void PluginCreatorJointEditPageSupport::fillFrom(VornSelection& selection)
{
    uint8_t allBits = 0;
    uint8_t anyBits = 0;
    if (supportBitsOf(selection, allBits, anyBits))
        model.fill(allBits, anyBits);
}

bool PluginCreatorJointEditPageSupport::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    fillFrom(*selection);
    return !windowShown();
}

void PluginCreatorJointEditPageSupport::apply(SupportFlagChange change)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    VornSelection* selection = currentSelection();
    if (document == nullptr || selection == nullptr)
        return;
    {
        DocumentChangeLock lock(document, supportLockText.c_str(), lockTimeout);
        if (!lock)
            return;
        forEachSelectedJoint(*selection, [change](VornJoint& joint) {
            joint.supportFlags = static_cast<uint8_t>((joint.supportFlags & ~change.clear) | change.set);
        });
    }
    fillFrom(*selection);
    document->invalidateViews();
    // The page shows the change already: its own notice must not refill it.
    PropertyChangeNotice notice(&selection->objects, VornJoint::staticTypeID(), PropertyChangeCode::JointSupport);
    listener.setMuted(true);
    mai->notifierRegistry.notify(Channel::ObjectsPropertyChanged, &notice);
    listener.setMuted(false);
}

void PluginCreatorJointEditPageSupport::Listener::notify(void* payload)
{
    const auto* notice = static_cast<const PropertyChangeNotice*>(payload);
    if (notice == nullptr || notice->typeID != VornJoint::staticTypeID() ||
        notice->changeCode != PropertyChangeCode::JointSupport)
        return;
    VornSelection* selection = page.currentSelection();
    if (selection == nullptr || selection->isEmpty() || !page.windowShown() || !page.window()->isVisible())
        return;
    if (noticeConcernsSelection(*notice, *selection))
        page.fillFrom(*selection);
}

CPageEditJointSupport::CPageEditJointSupport(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
    modelOfPagette<JointEditSupportModel>(plugin).changed = [this] { showModel(); };
}

bool CPageEditJointSupport::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = 46;
    showModel();
    return true;
}

bool CPageEditJointSupport::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    auto* page = dynamic_cast<PluginCreatorJointEditPageSupport*>(plugin);
    if (code != platform::BN_CLICKED || page == nullptr)
        return Dialog::onCommand(id, code, control);
    const JointEditSupportModel& model = page->model;
    using Support = CPageJointSupport;
    JointSupportModel::Row row = JointSupportModel::Translation;
    int32_t axis = 0;
    if (supportBoxOf(id, row, axis))
    {
        page->apply(axis < 0 ? model.clickAll(row) : model.clickAxis(row, static_cast<size_t>(axis)));
        return true;
    }
    switch (static_cast<int32_t>(id))
    {
    case Support::rigidId:
        page->apply({0, JointSupport::Rigid});
        return true;
    case Support::hingeId:
        page->apply({JointSupport::Rigid, 0});
        return true;
    case Support::localId:
        page->apply({0, JointSupport::LocalAxes});
        return true;
    case Support::globalId:
        page->apply({JointSupport::LocalAxes, 0});
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageEditJointSupport::showModel()
{
    if (!exists())
        return;
    const JointEditSupportModel& model = modelOfPagette<JointEditSupportModel>(plugin);
    showSupportBoxes(*this, model.blocked, model.all, {model.rigid, model.hinge, model.local, model.global});
}

// ---- coordinates ----

const TripleLayout CPageEditJointCoordinates::controls = {
    dialogId, 1085, "Joint Coordinates", {1013, 1014, 1015}, {1016, 1001, 1002}, {"X", "Y", "Z"}, {"sX", "sY", "sZ"},
};

namespace
{

const std::string coordinatesLockText = documentLockWaitingText("Joint Coordinates");

} // namespace

PluginCreatorJointEditPageCoordinates::PluginCreatorJointEditPageCoordinates()
    : WindowedPagette({"Coordinates Pagette",
                       "Coordinates Pagette [Joint Creator]:\nEnter/display coordinates for selected joints.",
                       "Coordinates", "Coordinates Pagette"})
{
}

bool PluginCreatorJointEditPageCoordinates::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    model.fill(*selection);
    return window() == nullptr || !window()->exists();
}

template <class Change>
void PluginCreatorJointEditPageCoordinates::changeSelection(Change change)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return;
    VornSelection* selection = document->document.getSelection();
    {
        DocumentChangeLock lock(document, coordinatesLockText.c_str(), lockTimeout);
        if (!lock)
            return;
        change(*selection);
    }
    document->invalidateViews();
}

void PluginCreatorJointEditPageCoordinates::applyShown()
{
    changeSelection([this](VornSelection& selection) { model.commit(selection); });
}

bool PluginCreatorJointEditPageCoordinates::applyTyped()
{
    if (!model.hasTypedChanges())
        return true;
    if (!model.readTyped(mai))
        return false;
    applyShown();
    return true;
}

void PluginCreatorJointEditPageCoordinates::toggleAbsolute(size_t axis)
{
    changeSelection([this, axis](VornSelection& selection) { model.toggleAbsolute(selection, axis); });
}

CPageEditJointCoordinates::CPageEditJointCoordinates(platform::Window*, VornPluginWindowed* plugin)
    : CPageNumberTriple(controls, modelOfPagette<JointEditCoordinatesModel>(plugin), false), plugin(plugin)
{
}

bool CPageEditJointCoordinates::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    auto* page = dynamic_cast<PluginCreatorJointEditPageCoordinates*>(plugin);
    for (size_t axis = 0; axis < absoluteIds.size(); ++axis)
        if (id == static_cast<uint32_t>(absoluteIds[axis]))
        {
            if (code == platform::BN_CLICKED && page != nullptr)
                page->toggleAbsolute(axis);
            return true;
        }
    return CPageNumberTriple::onCommand(id, code, control);
}

void CPageEditJointCoordinates::onOK()
{
    // Enter in an edit commits what was typed; the page stays.
    if (auto* page = dynamic_cast<PluginCreatorJointEditPageCoordinates*>(plugin))
        page->applyTyped();
}

void CPageEditJointCoordinates::editLeft(int32_t)
{
    onOK();
}

void CPageEditJointCoordinates::spun(int32_t row)
{
    CPageNumberTriple::spun(row);
    if (auto* page = dynamic_cast<PluginCreatorJointEditPageCoordinates*>(plugin))
        page->applyShown();
}

void CPageEditJointCoordinates::showModel()
{
    CPageNumberTriple::showModel();
    if (!exists())
        return;
    const auto& shown = static_cast<const JointEditCoordinatesModel&>(model);
    for (size_t axis = 0; axis < absoluteIds.size(); ++axis)
    {
        if (platform::Window* edit = dlgItem(layout.editIds[axis]))
            edit->enableWindow(shown.uniform[axis]);
        checkDlgButton(absoluteIds[axis], shown.absoluteChecked[axis] ? platform::BST_CHECKED : platform::BST_UNCHECKED);
        if (platform::Window* button = dlgItem(absoluteIds[axis]))
            button->showWindow(shown.absoluteShown[axis] ? platform::SW_SHOWNOACTIVATE : platform::SW_HIDE);
    }
}

// ---- displacements ----

PluginCreatorJointEditPageDisplacement::PluginCreatorJointEditPageDisplacement()
    : WindowedPagette({"Displacement Pagette",
                       "Displacement Pagette [Joint Creator]:\nEnter/display Displacement conditions for selected "
                       "joints.",
                       "Displacement", "Displacement Pagette"})
{
}

bool PluginCreatorJointEditPageDisplacement::updateFromSelection(int32_t, VornSelection* selection)
{
    if (selection == nullptr || selection->isEmpty())
        return true;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (listOf<VornJoint>(document, "VornJoint") == nullptr)
        return true;
    model.fill(document, *selection);
    return window() == nullptr || !window()->exists();
}

CPageEditJointDisplacement::CPageEditJointDisplacement(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), model(modelOfPagette<JointDisplacementModel>(plugin))
{
    model.changed = [this] { showModel(); };
}

bool CPageEditJointDisplacement::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = 95;
    showModel();
    return true;
}

void CPageEditJointDisplacement::showModel()
{
    if (!exists())
        return;
    for (size_t index = 0; index < editIds.size(); ++index)
    {
        setDlgItemText(labelIds[index], model.labels[index]);
        if (model.available)
            setPageNumber(*this, editIds[index], model.values[index]);
        else
            setDlgItemText(editIds[index], "n.a.");
    }
}

platform::DialogTemplate displacementTemplate()
{
    using namespace platform;
    using Page = CPageEditJointDisplacement;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", Page::frameId, {0, 0, 120, 76}, BS_OWNERDRAW, "Joint Displacement"),
    };
    const char* labels[] = {"Av. displ X", "Av. displ Y", "Av. displ Z", "Displacement"};
    for (size_t row = 0; row < 4; ++row)
    {
        const int32_t y = 14 + static_cast<int32_t>(row) * 15 + (row == 3 ? 4 : 0);
        items.push_back(controlItem("Static", Page::labelIds[row], {6, y + 2, 50, 8}, SS_LEFT, labels[row]));
        items.push_back(controlItem("Edit", Page::editIds[row], {58, y, 56, 12},
                                    WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY));
    }
    return dialogTemplateOf({0, 0, 120, 76}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "", std::move(items));
}

platform::DialogTemplate editCoordinatesTemplate()
{
    using namespace platform;
    using Page = CPageEditJointCoordinates;
    DialogTemplate result = tripleTemplate(Page::controls, 65);
    for (size_t axis = 0; axis < 3; ++axis)
        result.items.push_back(controlItem("Button", Page::absoluteIds[axis],
                                           {4, 14 + static_cast<int32_t>(axis) * 16, 27, 12},
                                           BS_CHECKBOX | BS_PUSHLIKE | WS_TABSTOP, "Abs:"));
    return result;
}

void registerJointEditPageTemplates()
{
    const platform::ModuleHandle module = thisModule();
    platform::registerDialogTemplate(module, CPageEditJointCoordinates::dialogId, editCoordinatesTemplate());
    platform::registerDialogTemplate(module, CPageEditJointSupport::dialogId,
                                     supportTemplate(CPageEditJointSupport::frameId, true));
    platform::registerDialogTemplate(module, CPageEditJointDisplacement::dialogId, displacementTemplate());
}

} // namespace lumbra
