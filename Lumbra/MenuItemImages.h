#pragma once

#include "platform/PixelArt.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace lumbra
{

// Bitmap resource ids of the menu items' 16 x 16 toolbar images.
namespace MenuItemImage
{
constexpr int32_t Select = 129;
constexpr int32_t Delete = 133;
constexpr int32_t CreateGroup = 134;
constexpr int32_t OpenGroup = 135;
constexpr int32_t CloseGroup = 136;
constexpr int32_t Freeze = 147;
constexpr int32_t Hide = 148;
constexpr int32_t Calculate = 152;
constexpr int32_t ResetCalculation = 154;
constexpr int32_t TranslationBlocked = 168;
constexpr int32_t Rigid = 169;
constexpr int32_t RotationBlocked = 170;
} // namespace MenuItemImage

// The kit's registerPixelArtBitmap (uikit/BitmapImages.h) for this library's module.
void registerPixelArtBitmap(int32_t id, std::span<const std::string_view> rows,
                            std::span<const platform::PixelArtColour> palette = platform::standardPixelArtPalette());
// The same for one image written in place (platform/PixelArt.h letters, '.' transparent).
void registerMenuItemImage(int32_t id, std::initializer_list<std::string_view> rows);

// Registers the images with the library's bitmap resources. Registering again replaces them.
void registerMenuItemImages();

} // namespace lumbra
