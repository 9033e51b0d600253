#include "Lumbra/JointPropertyToggles.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/PropertyChangeNotice.h"
#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"
#include "__globalobjectdevice/NotificationChannels.h"

namespace lumbra
{
namespace
{

// Marks the shared state stale on every notice of its channel, or (checking) only on notices
// about the support flags of joints.
class JointSupportStateListener : public NotifierListener
{
public:
    explicit JointSupportStateListener(bool checksPayload) : checksPayload(checksPayload) {}

    void notify(void* payload) override
    {
        if (!checksPayload)
        {
            jointSupportState().stale = true;
            return;
        }
        const auto* notice = static_cast<const PropertyChangeNotice*>(payload);
        if (notice != nullptr && notice->typeID == VornJoint::staticTypeID() &&
            notice->changeCode == PropertyChangeCode::JointSupport)
            jointSupportState().stale = true;
    }

private:
    const bool checksPayload;
};

JointSupportStateListener selectionListener(false);
JointSupportStateListener documentListener(false);
JointSupportStateListener supportListener(true);

} // namespace

JointSupportState& jointSupportState()
{
    static JointSupportState state;
    return state;
}

void updateJointSupportState(MAI* mai)
{
    JointSupportState& state = jointSupportState();
    if (!state.stale)
        return;
    state.stale = false;
    state.jointCount = 0;
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return;
    state.allBits = 0xFF;
    state.anyBits = 0;
    forEachSelectedJoint(*document->document.getSelection(), [&state](VornJoint& joint) {
        ++state.jointCount;
        state.allBits &= joint.supportFlags;
        state.anyBits |= joint.supportFlags;
    });
}

void subscribeJointSupportListeners(MAI* mai)
{
    if (mai == nullptr)
        return;
    const std::pair<const char*, JointSupportStateListener*> subscriptions[] = {
        {Channel::SelectionChanged, &selectionListener},
        {Channel::ActiveDocumentChanged, &documentListener},
        {Channel::ObjectsPropertyChanged, &supportListener}};
    for (const auto& [channel, listener] : subscriptions)
        if (!listener->isSubscribed())
            mai->notifierRegistry.addListener(channel, listener);
}

void JointSupportToggle::registerListeners()
{
    subscribeJointSupportListeners(mai);
}

void JointSupportToggle::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    updateJointSupportState(mai);
    const JointSupportState& state = jointSupportState();
    if (state.jointCount == 0)
    {
        commandUI->Enable(false);
        commandUI->SetCheck(0);
        return;
    }
    commandUI->Enable(true);
    if ((state.anyBits & mask) == 0)
        commandUI->SetCheck(0);
    else if ((state.allBits & mask) == mask)
        commandUI->SetCheck(1);
    else
        commandUI->SetCheck(2);
}

void JointSupportToggle::applyToSelectedJoints(MAI_Doc& documentInterface, bool set)
{
    const DocumentChangeLock lock = lockDocument(&documentInterface);
    if (!lock)
        return;
    VornSelection& selection = *documentInterface.document.getSelection();
    forEachSelectedJoint(selection, [this, set](VornJoint& joint) {
        joint.supportFlags = set ? uint8_t(joint.supportFlags | mask) : uint8_t(joint.supportFlags & ~mask);
    });
    documentInterface.invalidateViews();
    jointSupportState().stale = true;
    PropertyChangeNotice notice(&selection.objects, VornJoint::staticTypeID(), PropertyChangeCode::JointSupport);
    notify(mai, Channel::ObjectsPropertyChanged, &notice);
}

void BlockingToggle::execute(MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    if (selection == nullptr)
    {
        beep(mai);
        return;
    }
    int32_t joints = 0;
    uint8_t common = mask;
    forEachSelectedJoint(*selection, [&joints, &common](VornJoint& joint) {
        ++joints;
        common &= joint.supportFlags;
    });
    if (joints == 0)
    {
        beep(mai);
        return;
    }
    // A bit of the mask that every joint has: unblock them all; otherwise block all.
    applyToSelectedJoints(*documentInterfaceOf(activeView), common == 0);
}

PluginMenuItemToggleBlockRotation::PluginMenuItemToggleBlockRotation()
    : BlockingToggle({"Toggle Block Rotation", "&Modify\\&Joint Properties\\&Block Rotation", "Toggle Block Rotation",
                      MenuItemImage::RotationBlocked, "Joint Properties", "Toggle Block Rotation Menu Item"},
                     JointSupport::Rotation)
{
}

PluginMenuItemToggleBlockTranslation::PluginMenuItemToggleBlockTranslation()
    : BlockingToggle({"Toggle Block Translation", "&Modify\\&Joint Properties\\&Translation Blocked",
                      "Toggle Block Translation", MenuItemImage::TranslationBlocked, "Joint Properties",
                      "Support Translation Menu Item"},
                     JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ)
{
}

PluginMenuItemToggleRigidJoint::PluginMenuItemToggleRigidJoint()
    : JointSupportToggle({"Toggle Rigid Joint", "&Modify\\&Joint Properties\\&Rigid", "Toggle Rigid Joint",
                          MenuItemImage::Rigid, "Joint Properties", "Toggle Rigid Joint Menu Item"},
                         JointSupport::Rigid)
{
}

void PluginMenuItemToggleRigidJoint::execute(MAI_View* activeView)
{
    updateJointSupportState(mai);
    const JointSupportState& state = jointSupportState();
    MAI_Doc* documentInterface = documentInterfaceOf(activeView);
    if (state.jointCount == 0 || documentInterface == nullptr)
        return;
    applyToSelectedJoints(*documentInterface, (state.allBits & mask) == 0);
}

} // namespace lumbra
