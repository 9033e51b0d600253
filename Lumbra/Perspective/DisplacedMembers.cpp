#include "Lumbra/Perspective/DisplacedMembers.h"

#include "VornData/CalcResults.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "platform/DeviceContext.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginCalculator.h"

#include <algorithm>
#include <new>

namespace lumbra
{

PluginVPDODisplacedMembers::PluginVPDODisplacedMembers()
    : PerspectiveLayerPlugin({"Displaced Members", "Displaced Members", "by Hierarchy", 142, 142,
                              "Displaced Members [Perspective]:\noptionally draws displaced Members.",
                              "Displaced Members [Perspective]", 2000, "PluginVPDODisplacedMembers",
                              "PluginVPDODisplacedMembers::getDrawObject",
                              "PluginVPDODisplacedMembers::GetPackagedPlugin"})
{
}

PerspectiveDrawObject* PluginVPDODisplacedMembers::makeLayer(PerspectiveView* owner)
{
    auto* layer = new (std::nothrow) DrawObjectDisplacedMembers(this, owner);
    if (layer == nullptr)
        throw Exc_OutOfMemory(texts.drawObjectThrower);
    return layer;
}

DrawObjectDisplacedMembers::~DrawObjectDisplacedMembers()
{
    delete dispScreenCoor; // leaves the joint list and clears the field
}

void DrawObjectDisplacedMembers::draw(platform::DeviceContext& context, int32_t paintTime)
{
    PerspectiveView& camera = view();
    BlockList<VornJoint>* joints = camera.jointList();
    if (joints == nullptr)
        return;
    // Results are pulled: the active calculation publishes its latest iteration (once per paint),
    // so the frame moves live also when no other view asks for results.
    if (MAI_Doc* document = camera.ownerView != nullptr ? camera.ownerView->document : nullptr)
        if (VornPluginCalculator* calculator = document->getActiveCalculator())
            calculator->getResults(document, 0, paintTime);
    auto* displacements = dynamic_cast<BlockList<CalcDisplacement>*>(joints->getChild("Displacements"));
    if (displacements == nullptr)
        return;
    attachOffsetList(joints, "DispScreenCoor", &camera, &dispScreenCoor, "DrawObjectDisplacedMembers::draw");
    if (dispScreenCoor->stamp != paintTime)
    {
        // A child list has one element per joint; the records are read no further than both reach.
        const uint32_t count = std::min({displacements->getCount(), joints->getCount(), dispScreenCoor->getCount()});
        for (uint32_t index = count; index-- > 0;)
        {
            Vector3 displaced = (*joints)[index].getPosition();
            displaced += (*displacements)[index].displacement;
            camera.project((*dispScreenCoor)[index], displaced);
        }
        dispScreenCoor->stamp = paintTime;
    }
    BlockList<VornMember>* members = camera.memberList();
    if (members == nullptr)
        return;
    const platform::Pen displacedPen{platform::PS_SOLID, 0, camera.hiddenColor};
    const auto displacedPosition = [&](uint32_t joint) {
        Vector3 position = (*joints)[joint].getPosition();
        if (joint < displacements->getCount())
            position += (*displacements)[joint].displacement;
        return position;
    };
    drawMemberLines(context, camera, *members, *dispScreenCoor, displacedPosition,
                    [&](const VornMember&) { return displacedPen; });
}

} // namespace lumbra
