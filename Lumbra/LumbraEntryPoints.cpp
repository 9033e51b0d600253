// The six exported entry points of the library.

#include "Lumbra/Calculators/CalculationSetupDialog.h"
#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/Creators/ForceCreator.h"
#include "Lumbra/Creators/JointCreator.h"
#include "Lumbra/Creators/MemberCreator.h"
#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/MenuItemImages.h"
#include "Lumbra/Modifiers/HistoryPagette.h"
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "Lumbra/Modifiers/TransformPropertiesPagette.h"
#include "Lumbra/Perspective/DevStatusViewPage.h"
#include "Lumbra/Perspective/PerspectiveImages.h"
#include "Lumbra/Perspective/PerspectivePagettes.h"
#include "Lumbra/Perspective/PerspectiveViewPage.h"
#include "Lumbra/SectionPages/SectionPageTemplates.h"
#include "VornData/PropertyDescriptor.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginLibraryApplication.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/Trace.h"
#include "platform/Resources.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    lumbra::registerKitResources();
    lumbra::registerMenuItemImages();
    lumbra::registerPerspectiveImages();
    lumbra::registerPerspectivePagetteTemplates();
    lumbra::registerPerspectiveViewPageTemplate();
    lumbra::registerDevStatusViewPageTemplate();
    lumbra::registerCreateGroupDialogTemplate();
    lumbra::registerSectionPageTemplates();
    lumbra::registerJointCreatorResources();
    lumbra::registerForceCreatorResources();
    lumbra::registerMemberCreatorResources();
    lumbra::registerConsoleResources();
    lumbra::registerTransformModifierImages();
    lumbra::registerTransformPagetteTemplate();
    lumbra::registerHistoryPagetteResources();
    lumbra::registerCalculationSetupTemplates();
    if (!attachPluginLibrary(device))
        return;
    // This library describes the properties of the shared types (the property list shows them).
    registerBaseObjectProperties();
    registerVertexProperties();
    registerJointProperties();
    registerMemberProperties();
}

// Every entry point but the first runs in the library's resource context, so that dialog
// templates, bitmaps and cursors are found in this library.

std::uint32_t GetPluginCount()
{
    platform::ResourceModuleScope scope(lumbra::thisModule());
    return static_cast<std::uint32_t>(lumbra::pluginTable.size());
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    platform::ResourceModuleScope scope(lumbra::thisModule());
    lumbra::application();
    return lumbra::createPlugin(index);
}

PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request)
{
    platform::ResourceModuleScope scope(lumbra::thisModule());
    vornTrace("Inside Lumbra DLL\n");
    return makePluginWindow(parent, request, lumbra::windowTable, lumbra::makeWindowHandle);
}

int FilterDllMsg(platform::Message* message)
{
    platform::ResourceModuleScope scope(lumbra::thisModule());
    return lumbra::application().filterMessage(message);
}

void ProcessDllIdle()
{
    platform::ResourceModuleScope scope(lumbra::thisModule());
    lumbra::application().processIdle();
}
