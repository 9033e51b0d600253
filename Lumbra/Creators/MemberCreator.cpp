#include "Lumbra/Creators/MemberCreator.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/MenuItemImages.h"
#include "Lumbra/ToolMenuItems.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/SystemValues.h"
#include "platform/Time.h"
#include "uikit/KitCursors.h"

namespace lumbra
{

namespace
{

constexpr const char* memberListName = "VornMember";
constexpr const char* packagingThrower = "PluginCreatorMember::GetPackagedPlugin";

constexpr const char* identicalJointsText =
    "The start joint is identical to the end joint.\nThis is NOT allowed.\nDisable 'Snap to Joint' to circumvent "
    "this error.\n\nThis error will only be displayed once,\nnext time you'll only hear a computer beep.";
constexpr const char* identicalJointsCaption = "Illegal Member Creation";
constexpr const char* zeroLengthText = "You are creating a member of length zero.\nMost calculation methods can't "
                                       "handle this.\n\nAre you sure you want to create such a member?";
constexpr const char* zeroLengthCaption = "Potential Calculation Problems";

// Every event that carries the bit of a right-button release cancels the half-made member: the
// release itself, and the middle-button, double-click and Ctrl events whose codes contain it.
constexpr uint32_t cancelBit = InputEvent::RightUp;

template <class Plugin, class... Arguments>
Plugin* makePackaged(Arguments... arguments)
{
    return newPackagedPlugin<Plugin>(packagingThrower, arguments...);
}

VornJoint* jointOf(const knotReference& reference)
{
    return dynamic_cast<VornJoint*>(reference.get());
}

bool samePosition(const VornJoint& first, const VornJoint& second)
{
    const Vector3& a = first.getPosition();
    const Vector3& b = second.getPosition();
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Sets the creator's flag for the time of one creation from the mouse.
class MouseCreation
{
public:
    explicit MouseCreation(int32_t& flag) : flag(flag) { flag = 1; }
    ~MouseCreation() { flag = 0; }
    MouseCreation(const MouseCreation&) = delete;
    MouseCreation& operator=(const MouseCreation&) = delete;

private:
    int32_t& flag;
};

} // namespace

// ---- creator ----

PluginCreatorMember::PluginCreatorMember()
    : ObjectCreatorTool({"Member Creator", "Member Creator:\nInterface to creation and maintenance of single Members.",
                         "Member Creator"},
                        "Member", createMemberBitmapId)
{
}

int32_t PluginCreatorMember::getObjectTypeID()
{
    return VornMember::staticTypeID();
}

void PluginCreatorMember::addBlockLists(MAI_Doc* document)
{
    if (document == nullptr || document->document.getBlockList(memberListName) != nullptr)
        return;
    document->document.addBlockList(
        createDocumentList<VornMember>(memberListName, "PluginCreatorMember::addBlockLists(..)"));
}

platform::CursorHandle PluginCreatorMember::getCursor(MAI_View*, int32_t, int32_t, uint32_t)
{
    return cursorHandleOf(getStartJoint() == nullptr ? getCursorCreateMemberStart() : getCursorCreateMemberEnd());
}

VornPluginBase* PluginCreatorMember::GetPackagedPlugin(uint32_t index)
{
    switch (index)
    {
    case 0:
    {
        auto* item =
            makePackaged<PluginMenuItemCreator>(this, "&Create\\&Member", "Create Member", createMemberBitmapId);
        toolMenuItem = item;
        return package(item);
    }
    case 1:
        return package(addCreate(makePackaged<PluginCreatorMemberPageCreateButton>()));
    case 2:
        jointsPagette = addCreate(makePackaged<PluginCreatorMemberPageJoints>());
        return package(jointsPagette);
    case 3:
        return package(addCreate(makePackaged<PluginCreatorMemberPageName>(getObjectTypeName())));
    case 4:
        return package(addEdit(makePackaged<PluginCreatorMemberEditPageLength>()));
    case 5:
        return package(addEdit(makePackaged<PluginCreatorMemberEditPageCrossSection>()));
    case 6:
        return package(addEdit(makePackaged<PluginCreatorMemberEditPageMaterial>()));
    case 7:
        return package(addEdit(makePackaged<PluginCreatorMemberEditPageJoints>()));
    default:
        return nullptr;
    }
}

void PluginCreatorMember::acceptSnapObject(VornPluginSnapObject* snapObject)
{
    if (snapObject != nullptr)
        snapObject->setUsable(hasSnapKind(snapObject, "Point") || hasSnapKind(snapObject, "Joint"));
}

VornJoint* PluginCreatorMember::getStartJoint() const
{
    return jointOf(startJoint);
}

VornJoint* PluginCreatorMember::getEndJoint() const
{
    return jointOf(endJoint);
}

void PluginCreatorMember::refreshCursor()
{
    if (mai != nullptr && mai->hoveredView != nullptr)
        mai->hoveredView->refreshCursor();
}

void PluginCreatorMember::forgetEndsOutside(MAI_Doc* document)
{
    BlockListBase* joints = document != nullptr ? document->document.getBlockList("VornJoint") : nullptr;
    for (knotReference* end : {&startJoint, &endJoint})
        if (VornJoint* joint = jointOf(*end); joint != nullptr && joint->getOwnerList() != joints)
            end->set(nullptr);
}

void PluginCreatorMember::onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    MAI_View* view = hoveredViewWithViewType();
    if (view == nullptr)
        return;
    forgetEndsOutside(view->document);
    // Other tools may have left snaps of other kinds usable on a shared master.
    const SnapPoint best = findBestSnapPoint(snapObjectsOf(view), view, static_cast<float>(x),
                                             static_cast<float>(y), platform::tickCount(), {"Point", "Joint"});
    if ((flags & cancelBit) != 0)
        deactivate();
    const bool leftRelease = (flags & (InputEvent::KindMask | InputEvent::RightHeld)) == InputEvent::LeftUp;
    if (best.source != nullptr && leftRelease && hasSnapKind(best.source, "Joint"))
    {
        if (getStartJoint() == nullptr)
        {
            // A click on a joint chooses the start: nothing is made yet.
            startJoint.set(best.joint);
            refreshCursor();
            return;
        }
        endJoint.set(best.joint);
    }
    feedPagettes(best, x, y, z, flags);
    if (leftRelease)
    {
        MouseCreation fromMouse(creatingFromMouse);
        createObject();
    }
}

VornBaseObject* PluginCreatorMember::makeObject(MAI_Doc* document)
{
    BlockList<VornMember>* members = listOf<VornMember>(document, memberListName);
    if (members == nullptr)
        return nullptr;
    VornMember* member = members->add();
    if (VornGroup* world = document->document.getWorldGroup())
        world->addChild(member);
    return member;
}

bool PluginCreatorMember::makeMember(MAI_Doc* document)
{
    auto* member = static_cast<VornMember*>(makeObject(document));
    if (member == nullptr)
        return false;
    applyPagettes(document, member);
    if (auto* crossSection = dynamic_cast<VornCrossSection*>(document->creationCrossSection.get()))
        member->setCrossSection(crossSection);
    if (auto* material = dynamic_cast<VornMaterial*>(document->creationMaterial.get()))
        member->setMaterial(material);
    document->invalidateViews();
    // The next member starts where this one ended.
    startJoint.set(getEndJoint());
    endJoint.set(nullptr);
    return true;
}

void PluginCreatorMember::reportIdenticalJoints()
{
    if (mai == nullptr)
        return;
    if (identicalJointsReported)
    {
        mai->beep();
        return;
    }
    mai->messageBox(identicalJointsText, identicalJointsCaption, platform::MB_OK | platform::MB_ICONWARNING);
    identicalJointsReported = true;
}

bool PluginCreatorMember::confirmZeroLength(MAI_Doc* document)
{
    const bool wanted = mai != nullptr && mai->messageBox(zeroLengthText, zeroLengthCaption,
                                                          platform::MB_YESNO | platform::MB_ICONWARNING) ==
                                              platform::IDYES;
    DocumentChangeLock lock(document, creatorLockWaitingText, lockTimeout);
    if (!lock)
        return false;
    if (!wanted)
    {
        // The end joint made for this member goes again; the creator forgets it with it.
        if (VornJoint* made = jointsPagette != nullptr ? jointOf(jointsPagette->createdEndJoint) : nullptr)
        {
            made->removeFromList();
            document->invalidateViews();
        }
        return false;
    }
    // The ends are checked again: the document was open to others while the box was up.
    VornJoint* start = getStartJoint();
    VornJoint* end = getEndJoint();
    return start != nullptr && end != nullptr && start != end && makeMember(document);
}

bool PluginCreatorMember::createObject()
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr || jointsPagette == nullptr)
        return false;
    forgetEndsOutside(document);
    // Every value is read and checked before the document is touched.
    if (!readPagetteInput())
        return false;
    enum class Outcome
    {
        NoMember,
        Made,
        IdenticalJoints,
        ZeroLength,
    };
    Outcome outcome = Outcome::NoMember;
    jointsPagette->createdEndJoint.set(nullptr);
    {
        DocumentChangeLock lock(document, creatorLockWaitingText, lockTimeout);
        if (!lock)
            return false;
        VornDocument* model = &document->document;
        if (creatingFromMouse == 1 && getStartJoint() == nullptr)
            jointsPagette->resolveJoints(model, true); // a click at a point: only the start joint
        else if (jointsPagette->resolveJoints(model, creatingFromMouse == 1))
        {
            VornJoint* start = getStartJoint();
            VornJoint* end = getEndJoint();
            if (start == end)
                outcome = Outcome::IdenticalJoints;
            else if (samePosition(*start, *end))
                outcome = Outcome::ZeroLength;
            else if (makeMember(document))
                outcome = Outcome::Made;
        }
    }
    // The boxes are shown without the lock, so that a calculation goes on meanwhile.
    switch (outcome)
    {
    case Outcome::IdenticalJoints:
        reportIdenticalJoints();
        return false;
    case Outcome::ZeroLength:
        if (!confirmZeroLength(document))
            return false;
        outcome = Outcome::Made;
        break;
    default:
        break;
    }
    refreshCursor();
    return outcome == Outcome::Made;
}

void PluginCreatorMember::deactivate()
{
    startJoint.set(nullptr);
    endJoint.set(nullptr);
    refreshCursor();
}

// ---- pagettes ----

const char* PluginCreatorMemberPage::getTypeName()
{
    return "Creator Member Pagette";
}

PluginCreatorMemberPageJoints::PluginCreatorMemberPageJoints()
    : WindowedPagette({"Joints Pagette",
                       "Joints Pagette [Member Creator]:\nEnter/display the joints used for creating members.",
                       "Joints", "Joints Pagette"})
{
}

PluginCreatorMemberPageJoints::~PluginCreatorMemberPageJoints()
{
    model.changed = nullptr;
}

PluginCreatorMember* PluginCreatorMemberPageJoints::memberCreator() const
{
    return dynamic_cast<PluginCreatorMember*>(owner);
}

void PluginCreatorMemberPageJoints::onSnapPoint(SnapPoint* point, uint32_t flags)
{
    if (point != nullptr)
        if (PluginCreatorMember* creator = memberCreator())
            model.onSnapPoint(*point, flags, creator->getStartJoint());
}

bool PluginCreatorMemberPageJoints::readInput()
{
    return model.readTyped(mai);
}

bool PluginCreatorMemberPageJoints::resolveJoints(VornDocument* document, bool fromMouse)
{
    MAI_Doc* active = mai != nullptr ? mai->activeDocument : nullptr;
    PluginCreatorMember* creator = memberCreator();
    if (active == nullptr || creator == nullptr || document == nullptr)
        return false;
    const bool startMissing = creator->getStartJoint() == nullptr;
    bool made = false;
    if (startMissing)
        if (VornJoint* joint = model.makeJoint(*document, model.start))
        {
            creator->startJoint.set(joint);
            made = true;
        }
    // The end block is closed while the window shows the start phase.
    if (!(fromMouse && startMissing) && creator->getEndJoint() == nullptr && model.end.coordinates.enabled)
        if (VornJoint* joint = model.makeJoint(*document, model.end))
        {
            createdEndJoint.set(joint);
            creator->endJoint.set(joint);
            made = true;
        }
    if (made)
        active->invalidateViews();
    return creator->getStartJoint() != nullptr && creator->getEndJoint() != nullptr;
}

void PluginCreatorMemberPageJoints::applyToNewObject(VornDocument*, VornBaseObject* object)
{
    PluginCreatorMember* creator = memberCreator();
    auto* member = dynamic_cast<VornMember*>(object);
    if (creator == nullptr || member == nullptr)
        return;
    VornJoint* start = creator->getStartJoint();
    VornJoint* end = creator->getEndJoint();
    if (start == nullptr || end == nullptr)
        return;
    member->setStartJoint(start);
    member->setEndJoint(end);
    member->updateLength();
}

PluginCreatorMemberPageName::PluginCreatorMemberPageName(const char* objectTypeName)
    : WindowedPagette({"Name Pagette",
                       "Name Pagette [Member Creator]:\nEnter/display the name and color used for creating members.",
                       "Name Page", "Name Pagette"})
{
    model.start(objectTypeName);
}

void PluginCreatorMemberPageName::applyToNewObject(VornDocument* document, VornBaseObject* object)
{
    if (document != nullptr && object != nullptr)
        model.applyTo(*document, *object);
}

PluginCreatorMemberPageCreateButton::PluginCreatorMemberPageCreateButton()
    : WindowedPagette({"CreateButton Pagette",
                       "CreateButton Pagette [Member Creator]:\nThe CREATE button at the bottom of the Create Tab.",
                       "CreateButton Page", "CreateButton Pagette"})
{
}

// ---- resources ----

// The pictures drawn as text rows keep their layout.
// clang-format off
void registerMemberCreatorResources()
{
    static constexpr std::string_view memberImage[] = {
        "................",
        "................",
        ".kkk............",
        ".kwwk...........",
        ".kwwwk..........",
        "..kwwwk.........",
        "...kwwwk........",
        "....kwwwk.......",
        ".....kwwwk......",
        "......kwwwk.....",
        ".......kwwwk....",
        "........kwwwk...",
        ".........kwwwk..",
        "..........kwwk..",
        "...........kkk..",
        "................",
    };
    registerPixelArtBitmap(createMemberBitmapId, memberImage);
    registerMemberJointsTemplate();
    registerMemberEditPageResources();
}
// clang-format on

} // namespace lumbra
