#include "Lumbra/Creators/ForceCreator.h"

#include "Lumbra/MenuItemImages.h"
#include "Lumbra/ToolMenuItems.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornDocument.h"
#include "VornData/VornForceInstance.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "uikit/KitCursors.h"

#include <new>
#include <string_view>

namespace lumbra
{

namespace
{

constexpr const char* packagingThrower = "PluginCreatorForce::GetPackagedPlugin";
constexpr const char* listsThrower = "PluginCreatorForce::addBlockLists(..)";

const char* const forceLockWaitingText =
    "Create Force\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
    "Abort Delete?\nRetry to gain access?\nOr ignore? (could cause program crash)";

template <class Plugin, class... Arguments>
Plugin* makePackaged(Arguments... arguments)
{
    Plugin* plugin = new (std::nothrow) Plugin(arguments...);
    if (plugin == nullptr)
        throw Exc_OutOfMemory(packagingThrower);
    return plugin;
}

platform::CursorHandle asHandle(platform::Cursor* cursor)
{
    return static_cast<platform::CursorHandle>(reinterpret_cast<uintptr_t>(cursor));
}

} // namespace

PluginCreatorForce::PluginCreatorForce()
    : ObjectCreatorTool(
          {"Force Creator", "Force Creator:\nInterface to creation and maintenance of forces.", "Force Creator"},
          "Force", createForceBitmapId)
{
}

int32_t PluginCreatorForce::getObjectTypeID()
{
    return VornForceInstance::staticTypeID();
}

void PluginCreatorForce::addBlockLists(MAI_Doc* document)
{
    if (document == nullptr)
        return;
    VornDocument& model = document->document;
    if (model.getBlockList("VornForceDefinition") == nullptr)
        model.addBlockList(createDocumentList<VornForceDefinition>("VornForceDefinition", listsThrower));
    if (model.getBlockList("VornForceInstance") == nullptr)
        model.addBlockList(createDocumentList<VornForceInstance>("VornForceInstance", listsThrower));
}

platform::CursorHandle PluginCreatorForce::getCursor(MAI_View*, int32_t, int32_t, uint32_t)
{
    if (platform::Cursor* cursor = getCursorCreateForce())
        return asHandle(cursor);
    if (mai != nullptr)
        mai->beep();
    return asHandle(getCursorCreateForce());
}

VornPluginBase* PluginCreatorForce::GetPackagedPlugin(uint32_t index)
{
    switch (index)
    {
    case 0:
    {
        auto* item =
            makePackaged<PluginMenuItemCreator>(this, "&Create\\&Force", "Create Force", createForceBitmapId);
        toolMenuItem = item;
        return package(item);
    }
    case 1:
        return package(addCreate(makePackaged<PluginCreatorForcePageSettings>()));
    case 2:
        return package(addEdit(makePackaged<PluginCreatorForceEditPageSettings>()));
    default:
        return nullptr;
    }
}

void PluginCreatorForce::acceptSnapObject(VornPluginSnapObject* snapObject)
{
    if (snapObject != nullptr)
        snapObject->setUsable(hasSnapKind(snapObject, "Joint"));
}

bool PluginCreatorForce::createObject()
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return false;
    {
        DocumentChangeLock lock(document, forceLockWaitingText, lockTimeout);
        if (!lock)
            return false;
    }
    document->invalidateViews();
    return false;
}

// The pictures drawn as text rows keep their layout.
// clang-format off
void registerForceCreatorResources()
{
    static constexpr std::string_view forceImage[] = {
        "................",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        "....kkkkkkkk....",
        ".....kkkkkk.....",
        "......kkkk......",
        ".......kk.......",
        "......kwwk......",
        ".....kwwwwk.....",
        "......kwwk......",
        ".......kk.......",
    };
    registerPixelArtBitmap(createForceBitmapId, forceImage);
    registerForcePageTemplates();
}
// clang-format on

} // namespace lumbra
