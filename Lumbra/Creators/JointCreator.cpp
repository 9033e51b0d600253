#include "Lumbra/Creators/JointCreator.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/MenuItemImages.h"
#include "Lumbra/ToolMenuItems.h"
#include "VornData/VornJoint.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "uikit/KitCursors.h"


namespace lumbra
{

namespace
{

constexpr const char* jointListName = "VornJoint";
constexpr const char* packagingThrower = "PluginMainConsoleDialog::GetPackagedPlugin";

template <class Plugin, class... Arguments>
Plugin* makePackaged(Arguments... arguments)
{
    return newPackagedPlugin<Plugin>(packagingThrower, arguments...);
}

VornJoint* jointOf(VornBaseObject* object)
{
    return dynamic_cast<VornJoint*>(object);
}

} // namespace

// ---- creator ----

PluginCreatorJoint::PluginCreatorJoint()
    : ObjectCreatorTool({"Joint Creator", "Joint Creator:\nInterface to creation and maintenance of single joints.",
                         "Joint Creator"},
                        "Joint", createJointBitmapId)
{
}

int32_t PluginCreatorJoint::getObjectTypeID()
{
    return VornJoint::staticTypeID();
}

void PluginCreatorJoint::addBlockLists(MAI_Doc* document)
{
    if (document == nullptr || document->document.getBlockList(jointListName) != nullptr)
        return;
    document->document.addBlockList(
        createDocumentList<VornJoint>(jointListName, "PluginCreatorJoint::addBlockLists(..)"));
}

platform::CursorHandle PluginCreatorJoint::getCursor(MAI_View*, int32_t, int32_t, uint32_t)
{
    if (platform::Cursor* cursor = getCursorCreateJoint())
        return cursorHandleOf(cursor);
    if (mai != nullptr)
        mai->beep();
    return cursorHandleOf(getCursorCreateJoint());
}

VornPluginBase* PluginCreatorJoint::GetPackagedPlugin(uint32_t index)
{
    switch (index)
    {
    case 0:
    {
        auto* item =
            makePackaged<PluginMenuItemCreator>(this, "&Create\\&Joint", "Create Joint", createJointBitmapId);
        toolMenuItem = item;
        return package(item);
    }
    case 1:
        return package(addCreate(makePackaged<PluginCreatorJointPageCreateButton>()));
    case 2:
        return package(addCreate(makePackaged<PluginCreatorJointPageOrientation>()));
    case 3:
        return package(addCreate(makePackaged<PluginCreatorJointPageSupport>()));
    case 4:
        return package(addCreate(makePackaged<PluginCreatorJointPageCoordinates>()));
    case 5:
        return package(addCreate(makePackaged<PluginCreatorJointPageName>(getObjectTypeName())));
    case 6:
        return package(addEdit(makePackaged<PluginCreatorJointEditPageDisplacement>()));
    case 7:
        return package(addEdit(makePackaged<PluginCreatorJointEditPageSupport>()));
    case 8:
        return package(addEdit(makePackaged<PluginCreatorJointEditPageCoordinates>()));
    default:
        return nullptr;
    }
}

void PluginCreatorJoint::acceptSnapObject(VornPluginSnapObject* snapObject)
{
    if (snapObject != nullptr)
        snapObject->setUsable(hasSnapKind(snapObject, "Point"));
}

VornBaseObject* PluginCreatorJoint::makeObject(MAI_Doc* document)
{
    BlockList<VornJoint>* joints = listOf<VornJoint>(document, jointListName);
    if (joints == nullptr)
        return nullptr;
    VornJoint* joint = joints->add();
    if (VornGroup* world = document->document.getWorldGroup())
        world->addChild(joint);
    return joint;
}

// ---- pagettes ----

const char* PluginCreatorJointPage::getTypeName()
{
    return "Creator Joint Pagette";
}

PluginCreatorJointPageCoordinates::PluginCreatorJointPageCoordinates()
    : JointCreationPagette({"Coordinates Pagette",
                            "Coordinates Pagette [Joint Creator]:\nEnter/display the coordinates used for creating "
                            "joints.",
                            "Coordinates", "Coordinates Pagette"})
{
}

void PluginCreatorJointPageCoordinates::onSnapPoint(SnapPoint* point, uint32_t flags)
{
    if (point != nullptr)
        model.onSnapPoint(*point, flags);
}

void PluginCreatorJointPageCoordinates::onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    model.onMousePoint(x, y, z, flags);
}

bool PluginCreatorJointPageCoordinates::readInput()
{
    return model.readTyped(mai);
}

void PluginCreatorJointPageCoordinates::applyToNewObject(VornDocument*, VornBaseObject* object)
{
    if (VornJoint* joint = jointOf(object))
        model.applyTo(*joint);
}

PluginCreatorJointPageOrientation::PluginCreatorJointPageOrientation()
    : JointCreationPagette({"Orientation Pagette",
                            "Orientation Pagette [Joint Creator]:\nEnter/display the orientation used for creating "
                            "joints.",
                            "Orientation", "Orientation Pagette"})
{
}

bool PluginCreatorJointPageOrientation::readInput()
{
    return model.readTyped(mai);
}

void PluginCreatorJointPageOrientation::applyToNewObject(VornDocument*, VornBaseObject* object)
{
    if (VornJoint* joint = jointOf(object))
        model.applyTo(*joint);
}

PluginCreatorJointPageSupport::PluginCreatorJointPageSupport()
    : JointCreationPagette({"Support Pagette",
                            "Support Pagette [Joint Creator]:\nEnter/display the support conditions used for "
                            "creating joints.",
                            "Support", "Support Pagette"})
{
}

void PluginCreatorJointPageSupport::applyToNewObject(VornDocument*, VornBaseObject* object)
{
    if (VornJoint* joint = jointOf(object))
        model.applyTo(*joint);
}

PluginCreatorJointPageName::PluginCreatorJointPageName(const char* objectTypeName)
    : JointCreationPagette({"Name Pagette",
                            "Name Pagette [Joint Creator]:\nEnter/display the name and color used for creating "
                            "joints.",
                            "Name Page", "Name Pagette"})
{
    model.start(objectTypeName);
}

void PluginCreatorJointPageName::applyToNewObject(VornDocument* document, VornBaseObject* object)
{
    if (document != nullptr && object != nullptr)
        model.applyTo(*document, *object);
}

PluginCreatorJointPageCreateButton::PluginCreatorJointPageCreateButton()
    : WindowedPagette({"CreateButton Pagette",
                       "CreateButton Pagette [Joint Creator]:\nThe CREATE button at the bottom of the Create Tab.",
                       "CreateButton Page", "CreateButton Pagette"})
{
}

// ---- resources ----

// The pictures drawn as text rows keep their layout.
// clang-format off
void registerJointCreatorResources()
{
    static constexpr std::string_view jointImage[] = {
        "................",
        "................",
        "................",
        "......kkkk......",
        "....kkwwwwkk....",
        "....kwwwwwwk....",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "....kwwwwwwk....",
        "....kkwwwwkk....",
        "......kkkk......",
        "................",
        "................",
        "................",
    };
    registerPixelArtBitmap(createJointBitmapId, jointImage);
    registerCreationPageTemplates();
    registerJointEditPageTemplates();
}
// clang-format on

} // namespace lumbra
