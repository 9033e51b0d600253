#pragma once

// The member creator: the "VornMember" list of every document, the tool that draws members from
// joint to joint, and its creation pagettes (Name, Joints, CREATE).

#include "Lumbra/Creators/CreationPages.h"
#include "Lumbra/Creators/MemberEditPages.h"
#include "Lumbra/Creators/MemberModels.h"
#include "Lumbra/Creators/MemberPages.h"
#include "Lumbra/Creators/ObjectCreatorTool.h"

class VornJoint;

namespace lumbra
{

// The bitmap of the creator's button and menu item.
inline constexpr int32_t createMemberBitmapId = 122;

class PluginCreatorMemberPageJoints;

// While it is the tool, a click on a joint or a point chooses the start of a member, the next
// click its end; the member is made and its end starts the next one, so clicks draw a chain.
// Ends at points get new joints from the Joints pagette. A right-button release (any event with
// its bit) forgets the half-made member.
class PluginCreatorMember : public ObjectCreatorTool
{
public:
    PluginCreatorMember();

    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
    // The member-start cursor while no start is chosen, then the member-end cursor.
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // Point snaps and joint snaps take part.
    void acceptSnapObject(VornPluginSnapObject* snapObject) override;
    void onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) override;
    // Makes the missing ends (from the Joints pagette) and, with both, the member; the end then
    // becomes the next start. Refuses a member from a joint to itself, and asks before one of
    // length zero. True when a member was made.
    bool createObject() override;
    // Forgets the half-made member; joints already made stay.
    void deactivate() override;

    VornJoint* getStartJoint() const;
    VornJoint* getEndJoint() const;

    // The ends of the member being made. Each empties itself when its joint leaves the document,
    // so a deleted joint is never linked.
    knotReference startJoint;
    knotReference endJoint;
    // 1 only while a left-button release in a view creates; 0 for the CREATE button.
    int32_t creatingFromMouse = 0;
    PluginCreatorMemberPageJoints* jointsPagette = nullptr;
    // The box about a member from a joint to itself is shown once per run; later attempts beep.
    bool identicalJointsReported = false;

protected:
    // The new member in the document's list, in the world group; null without the list.
    VornBaseObject* makeObject(MAI_Doc* document) override;
    const char* createPagetteTypeName() override { return "Creator Member Pagette"; }
    const char* editPagetteTypeName() override { return "Edit Member Pagette"; }

private:
    // Makes the member between the two ends under the lock the caller holds; false without the
    // member list.
    bool makeMember(MAI_Doc* document);
    void reportIdenticalJoints();
    // Asks whether a member of length zero is wanted; No takes back an end joint this creation
    // made. True when the member was made.
    bool confirmZeroLength(MAI_Doc* document);
    // The view under the mouse shows the cursor of the current phase at once.
    void refreshCursor();
    // Ends chosen in another document than the active one are forgotten: a member never links
    // joints of two documents.
    void forgetEndsOutside(MAI_Doc* document);
};

// Base of the member creator's creation pagettes ("Creator Member Pagette").
class PluginCreatorMemberPage : public CreationPagette
{
public:
    const char* getTypeName() override;
};

// The Joints pagette: shows the joint or point under the mouse for the start, then for the end,
// holds the name, colour and position of joints made at points, makes them, and links both ends
// into a new member.
class PluginCreatorMemberPageJoints : public ModelHolder<MemberJointsModel>,
                                      public WindowedPagette<PluginCreatorMemberPage, CPageMemberJoints>
{
public:
    PluginCreatorMemberPageJoints();
    ~PluginCreatorMemberPageJoints() override;

    void onSnapPoint(SnapPoint* point, uint32_t flags) override;
    // Raw mouse positions are never shown.
    void onMousePoint(int32_t, int32_t, int32_t, uint32_t) override {}
    bool readInput() override;
    // Under the document lock: a missing start gets a joint from the start block; unless a click
    // is choosing the start, a missing end gets one from the end block while that block is open.
    // True when both ends are set.
    bool resolveJoints(VornDocument* document, bool fromMouse);
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;

    // The end joint made by the current creation (the creator takes it back after No to a member
    // of length zero); emptied at the start of every creation.
    knotReference createdEndJoint;

private:
    PluginCreatorMember* memberCreator() const;
};

class PluginCreatorMemberPageName : public ModelHolder<NameAndColourModel>,
                                    public WindowedPagette<PluginCreatorMemberPage, CPageNameAndColor>
{
public:
    // The first name is the object type name followed by "000".
    explicit PluginCreatorMemberPageName(const char* objectTypeName);
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;
};

class PluginCreatorMemberPageCreateButton : public WindowedPagette<PluginCreatorMemberPage, CPageCreateButton>
{
public:
    PluginCreatorMemberPageCreateButton();
    void applyToNewObject(VornDocument*, VornBaseObject*) override {}
};

// Registers the creator's pictures and pagette dialogs with the library.
void registerMemberCreatorResources();

} // namespace lumbra
