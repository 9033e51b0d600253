#pragma once

#include "Lumbra/LumbraMenuItem.h"

namespace lumbra
{

// What the application's active document has selected of joints, shared by the three toggles:
// the number of selected joints and the AND and OR of their support bytes. It is recomputed on
// demand after a selection change, a document change or a joint-support notice marked it stale.
struct JointSupportState
{
    bool stale = true;
    int32_t jointCount = 0;
    uint8_t allBits = 0; // AND of the support bytes
    uint8_t anyBits = 0; // OR of the support bytes
};

JointSupportState& jointSupportState();
// Recomputes the shared state from the application's active document when it is stale.
void updateJointSupportState(MAI* mai);
// Subscribes the state's listeners to "SELCH", "DOCCH" and "LOPCH" of the application interface,
// once for all three toggles (again after their channels went away).
void subscribeJointSupportListeners(MAI* mai);

// The common part of the three toggles: the check mark of the selected joints' bits of the mask.
class JointSupportToggle : public LumbraMenuItem
{
public:
    JointSupportToggle(const MenuItemTexts& texts, uint8_t mask) : LumbraMenuItem(texts, false), mask(mask) {}

    void registerListeners() override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

protected:
    // Sets the mask's bits in every selected joint of the document (or clears them) under the
    // document lock, then tells the views and the listeners of "LOPCH". Nothing changes when the
    // user gives up waiting for the lock.
    void applyToSelectedJoints(MAI_Doc& documentInterface, bool set);

    const uint8_t mask;
};

// Toggles the mask in the selected joints: cleared when one of its bits is set in all of them,
// else set in all. Beeps when there is nothing to toggle.
class BlockingToggle : public JointSupportToggle
{
public:
    using JointSupportToggle::JointSupportToggle;
    void execute(MAI_View* activeView) override;
};

// "&Modify\&Joint Properties\&Block Rotation": the three rotations of the selected joints.
class PluginMenuItemToggleBlockRotation : public BlockingToggle
{
public:
    PluginMenuItemToggleBlockRotation();
};

// "&Modify\&Joint Properties\&Translation Blocked": the three translations of the selected joints.
class PluginMenuItemToggleBlockTranslation : public BlockingToggle
{
public:
    PluginMenuItemToggleBlockTranslation();
};

// "&Modify\&Joint Properties\&Rigid": whether the selected joints connect their members rigidly.
class PluginMenuItemToggleRigidJoint : public JointSupportToggle
{
public:
    PluginMenuItemToggleRigidJoint();
    void execute(MAI_View* activeView) override;
};

} // namespace lumbra
