#pragma once

#include <cstdint>

namespace zintel
{

// Ids of the library's 16 x 16 bitmaps: the tool-bar pictures of its menu items, the pictures of
// its drawing layers and the title picture of its docked dialog.
namespace BitmapId
{
constexpr int32_t RotateView = 124;
constexpr int32_t PanView = 125;
constexpr int32_t GridSnap = 126;
constexpr int32_t JointSnap = 127;
constexpr int32_t ZoomView = 128;
constexpr int32_t JointLayer = 141; // the joints and what is drawn at them: supports, forces; also the test layer
constexpr int32_t MemberLayer = 142; // the members and the displaced members, in every rendering
constexpr int32_t GridLayer = 143;
constexpr int32_t ScalelessSizeTitle = 168;
constexpr int32_t ZoomAll = 169;
constexpr int32_t ZoomSelected = 170;
constexpr int32_t SurfacePointSnap = 171;
} // namespace BitmapId

// Registers the pictures under the library's module, as the library does when it is loaded.
// Registering again replaces them.
void registerBitmapResources();

} // namespace zintel
