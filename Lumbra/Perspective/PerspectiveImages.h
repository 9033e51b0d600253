#pragma once

namespace lumbra
{

// Registers the 16 x 16 images of the perspective tools, snap objects and layers.
void registerPerspectiveImages();

} // namespace lumbra
