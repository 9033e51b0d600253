#pragma once

namespace lumbra
{

// Registers the 16 x 16 button images of the perspective tools and snap objects.
void registerPerspectiveImages();

} // namespace lumbra
