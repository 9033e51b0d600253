#pragma once

#include "platform/DynamicLibrary.h"
#include "platform/Resources.h"

#include <cstdint>

namespace platform
{
class Surface;
}

// The host's own dialog templates and pictures: the plugins, accelerators and object hierarchy
// dialogs, the snap priority popup, the splash, beta notice and about box, the colour picker, the
// plugin tree's images and the start-up picture.
namespace HostResource
{
constexpr int32_t AboutDialog = 100;
constexpr int32_t PluginsDialog = 130;
constexpr int32_t PluginPropertiesDialog = 131;
constexpr int32_t SplashDialog = 132;
constexpr int32_t SnapPriorityPopup = 140;
constexpr int32_t AcceleratorsDialog = 143;
constexpr int32_t ColorPickerDialog = 145;
constexpr int32_t ObjectHierarchyDialog = 146;
constexpr int32_t BetaWarningDialog = 148;

// Tree images of the plugins dialog, 16 x 16 on white.
constexpr int32_t RootImage = 131;
constexpr int32_t TypeImage = 132;
constexpr int32_t PluginImage = 133;
constexpr int32_t SparePluginImage = 134;
constexpr int32_t UnrecognizedImage = 135;
constexpr int32_t DisabledPluginImage = 139;
constexpr int32_t DefaultPluginImage = 140;
// The picture of the splash and the about box (300 x 196) and of the beta notice (100 x 272).
constexpr int32_t StartupPicture = 138;
constexpr int32_t BetaPicture = 151;
// The program's icon, 32 x 32: the start-up picture in small.
constexpr int32_t ApplicationIcon = 128;
} // namespace HostResource

// The module under which the host registers its resources (the program itself).
platform::ModuleHandle hostResourceModule();
// Registers the resources above once; every host dialog calls it before it makes its window.
void registerHostDialogResources();

// A registered bitmap of the host as an image (an empty image when there is none).
platform::Surface hostBitmap(int32_t id);
