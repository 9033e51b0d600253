// Cost of painting a perspective window (grid, joints, supports and members of a square mesh in
// the picture plane) and of one rubber-band drag step over it, by the number of joints.

#include <benchmark/benchmark.h>

#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "platform/DeviceContext.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "tests/support/ModelServices.h"

#include <cmath>
#include <memory>

namespace
{

class BenchView : public FakeView
{
public:
    using FakeView::FakeView;
    void getClientRect(platform::Rect& rect) override { rect = {0, 0, 800, 600}; }
};

// A side x side mesh of joints 2 units apart with members to the right and upward neighbours.
struct MeshWindow
{
    explicit MeshWindow(int jointCount)
    {
        installModelServices();
        auto* joints = new BlockList<VornJoint>("VornJoint");
        auto* members = new BlockList<VornMember>("VornMember");
        doc.document.addBlockList(joints);
        doc.document.addBlockList(members);
        doc.document.reset();
        const int side = static_cast<int>(std::sqrt(jointCount));
        for (int row = 0; row < side; ++row)
            for (int column = 0; column < side; ++column)
            {
                VornJoint* joint = joints->add();
                joint->getPosition().set(0, column * 2.0 - side, row * 2.0 - side);
                joint->supportFlags = row == 0 ? 0x07 : 0x00;
                doc.document.getWorldGroup()->addChild(joint);
            }
        for (int row = 0; row < side; ++row)
            for (int column = 0; column < side; ++column)
            {
                const uint32_t index = static_cast<uint32_t>(row * side + column);
                for (uint32_t neighbour : {index + 1, index + static_cast<uint32_t>(side)})
                {
                    if ((neighbour == index + 1 && column + 1 == side) || neighbour >= joints->getCount())
                        continue;
                    VornMember* member = members->add();
                    member->setStartJoint(&(*joints)[index]);
                    member->setEndJoint(&(*joints)[neighbour]);
                }
            }
        viewType->mai = &mai;
        registry.addPlugin(viewType);
        viewType->getViewTypeInfo(&view);
    }

    void paint()
    {
        platform::DeviceContext context(picture);
        viewType->draw(&context, view.viewTypeInfos);
    }

    FakeMAI mai;
    FakeDoc doc{&mai};
    PluginManager registry;
    lumbra::PluginViewPerspective* viewType = new lumbra::PluginViewPerspective;
    BenchView view{&doc};
    platform::Surface picture{800, 600};
};

void BM_PerspectivePaint(benchmark::State& state)
{
    MeshWindow window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        window.paint();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PerspectivePaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RubberBandDragStep(benchmark::State& state)
{
    MeshWindow window(static_cast<int>(state.range(0)));
    window.paint();
    window.viewType->onMouse(&window.view, 100, 100, InputEvent::LeftDown | InputEvent::LeftHeld);
    int32_t x = 300;
    for (auto _ : state)
    {
        window.viewType->onMouse(&window.view, x, 400, InputEvent::LeftHeld);
        x = x == 300 ? 301 : 300;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RubberBandDragStep)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
