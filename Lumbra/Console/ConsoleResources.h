#pragma once

#include "platform/DialogTemplate.h"
#include "platform/DynamicLibrary.h"
#include "uikit/BitmapImages.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace platform
{
class ImageList;
}

namespace lumbra
{

// Dialog template ids of the console and its pages.
namespace ConsoleDialog
{
constexpr int32_t Console = 101;
constexpr int32_t CreatePage = 108;
constexpr int32_t ViewPage = 130;
constexpr int32_t EditPage = 135;
} // namespace ConsoleDialog

// Bitmap ids of the tab pictures (32 x 24 on light grey).
namespace ConsoleTabImage
{
constexpr int32_t CreatePage = 107;
constexpr int32_t ViewPage = 123;
constexpr int32_t EditPage = 130;
} // namespace ConsoleTabImage

// Control ids in the templates.
namespace ConsoleControl
{
constexpr int32_t Tabs = 1004;
constexpr int32_t CreatePlaceholder = 1009;
constexpr int32_t CreateToolbar = 1012;
constexpr int32_t ViewTypeCombo = 1046;
constexpr int32_t EditPlaceholder = 1064;
} // namespace ConsoleControl

// A console page's template: a hidden child that shares the Tab order of the console it sits in.
platform::DialogTemplate consolePageTemplate(platform::DialogUnitRect size,
                                             std::vector<platform::DialogItemTemplate> items);

// The owner-drawn button that a page's pagette stack turns into its slim scroll bar.
platform::DialogItemTemplate pagetteScrollBarPlaceholder(int32_t id, platform::DialogUnitRect rect);

platform::DialogTemplate consoleTemplate();
platform::DialogTemplate createPageTemplate();
platform::DialogTemplate editPageTemplate();
platform::DialogTemplate viewPageTemplate();

// Registers the templates and tab pictures with the library's resources.
void registerConsoleResources();

// The pictures of one cross-section and of one material (16 x 16 pixel art, '.' transparent).
std::span<const std::string_view> crossSectionPicture();
std::span<const std::string_view> materialPicture();

using ::addBitmapImage;

} // namespace lumbra
