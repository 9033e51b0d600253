#pragma once

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"

namespace lumbra
{

// The displaced-members layer: every member drawn again between the displaced positions of its
// joints, from the published displacements ("Displacements") as they stand at the paint.
class PluginVPDODisplacedMembers : public PerspectiveLayerPlugin
{
public:
    PluginVPDODisplacedMembers();

protected:
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
};

class DrawObjectDisplacedMembers : public PerspectiveDrawObject
{
public:
    using PerspectiveDrawObject::PerspectiveDrawObject;
    // The window's list of displaced positions goes with the layer.
    ~DrawObjectDisplacedMembers() override;

    void draw(platform::DeviceContext& context, int32_t paintTime) override;

    ScreenOffsetList* dispScreenCoor = nullptr; // "DispScreenCoor"
};

} // namespace lumbra
