// What the OpenGL view costs with a large model (a square grid of members between the joints of
// a grid one wider, each with the 1 x 1 rectangle section: 1,024, 10,000 or 99,856 members) in a
// document window on Mesa's software renderer: a whole frame (the three passes, the swap and the
// copy into the window) at each detail level, also without the members, without the joints and
// with no layer at all (what the window costs alone), and a click pick on a member
// (selection-mode draw of every member and joint and the selection protocol); and a frame of the
// displaced members alone, coloured by the sign of the force or by relative stress, while the
// results change before every frame. The eye stands back in proportion to the grid, so that every
// model fills the window alike.
#include "tests/zintel/ZintelHost.h"

#include "VornData/CalcResults.h"

#include "plugins/InputEvent.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

// The grid of the 10,000-member model, which the picks and the displaced members are timed on.
constexpr int64_t tenThousand = 10000;

// The document's model, built again when a benchmark asks for another size.
ModelDocument* largeModel(int64_t memberCount = tenThousand)
{
    static ModelDocument* model = new ModelDocument(ZintelHost::instance().document());
    static int gridSize = 0;
    const int wanted = static_cast<int>(std::lround(std::sqrt(static_cast<double>(memberCount))));
    if (wanted == gridSize)
        return model;
    gridSize = wanted;
    ModelDocument* made = model;
    made->members->clear();
    made->joints->clear();
    VornCrossSection* box = ZintelHost::instance().squareSection(*made, 0.2);
    for (int row = 0; row <= gridSize; ++row)
        for (int column = 0; column <= gridSize; ++column)
        {
            VornJoint* joint = made->joints->add();
            joint->getPosition().set(0.0, column - gridSize / 2.0, row - gridSize / 2.0);
        }
    const int size = gridSize;
    const auto jointAt = [made, size](int row, int column) { return &(*made->joints)[row * (size + 1) + column]; };
    for (int row = 0; row < gridSize; ++row)
        for (int column = 0; column < gridSize; ++column)
        {
            VornMember* member = made->members->add();
            const bool alongRow = (row + column) % 2 == 0;
            member->setStartJoint(jointAt(row, column));
            member->setEndJoint(alongRow ? jointAt(row, column + 1) : jointAt(row + 1, column));
            member->setCrossSection(box);
        }
    return made;
}

bool prepare(benchmark::State& state)
{
    ZintelHost& host = ZintelHost::instance();
    if (!host.noGl.empty() || host.info() == nullptr)
    {
        state.SkipWithError(host.noGl.empty() ? "no OpenGL view" : host.noGl.c_str());
        return false;
    }
    // The arguments: the number of members, the detail level, what is left out.
    const double gridSize = std::sqrt(static_cast<double>(largeModel(state.range(0))->members->getCount()));
    zintel::OpenGLView& view = *host.info();
    view.povX = 1.4 * gridSize;
    view.zFar = 4.0 * gridSize;
    view.projectionDirty = true;
    view.detailLevel = static_cast<int8_t>(state.range(1));
    // Which layers draw: all (0), all but the members (1), all but the joints (2), none (3).
    const int64_t layers = state.range(2);
    for (DrawObject* object = view.drawObjects; object != nullptr; object = object->next)
    {
        const std::string name = object->plugin->getName();
        const bool members = name == "Members by Material", joints = name == "Joints";
        if (name.starts_with("Displaced"))
            object->enabled = 0;
        else if (name != "Members")
            object->enabled = layers == 3 || (layers == 1 && members) || (layers == 2 && joints) ? 0 : 1;
    }
    host.paint();
    return true;
}

void BM_Frame(benchmark::State& state)
{
    if (!prepare(state))
        return;
    ZintelHost& host = ZintelHost::instance();
    for (auto _ : state)
    {
        host.view()->invalidate(false);
        host.view()->updateWindow();
    }
    state.counters["members"] = static_cast<double>(largeModel(state.range(0))->members->getCount());
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{1024, tenThousand, 99856}, {25, 50, 100}, {0}})
    ->ArgsProduct({{tenThousand}, {100}, {1, 2, 3}})
    ->ArgNames({"members", "detail", "without"})
    ->Unit(benchmark::kMillisecond);

void BM_ClickPick(benchmark::State& state)
{
    if (!prepare(state))
        return;
    ZintelHost& host = ZintelHost::instance();
    const platform::Point centre = host.windowPointOf(0.0, 0.5, 0.0);
    for (auto _ : state)
    {
        host.viewType->onMouse(host.viewInterface(), centre.x, centre.y, InputEvent::LeftDown | InputEvent::LeftHeld);
        host.viewType->onMouse(host.viewInterface(), centre.x, centre.y, InputEvent::LeftUp);
    }
}
BENCHMARK(BM_ClickPick)
    ->ArgsProduct({{tenThousand}, {25, 50, 100}, {0}})
    ->ArgNames({"members", "detail", "without"})
    ->Unit(benchmark::kMillisecond);

// The displaced members of one layer (0 by stress, 1 by relative stress) at a detail level; the
// displacements and the axial forces are rewritten before every frame, as a running calculation
// publishes new ones.
void BM_DisplacedFrame(benchmark::State& state)
{
    if (!prepare(state))
        return;
    ZintelHost& host = ZintelHost::instance();
    ModelDocument& model = *largeModel();
    auto* displacements = static_cast<BlockList<CalcDisplacement>*>(model.joints->getChild("Displacements"));
    if (displacements == nullptr)
    {
        displacements = new BlockList<CalcDisplacement>("Displacements");
        model.joints->addChild(displacements);
    }
    auto* forces = static_cast<BlockList<CalcNForce>*>(model.members->getChild("NForces"));
    if (forces == nullptr)
    {
        forces = new BlockList<CalcNForce>("NForces");
        model.members->addChild(forces);
    }
    const char* shown = state.range(2) == 0 ? "Displaced Members by Stress" : "Displaced Members by Relative Stress";
    for (DrawObject* object = host.info()->drawObjects; object != nullptr; object = object->next)
        object->enabled = std::string(object->plugin->getName()) == shown ? 1 : 0;
    int frame = 0;
    for (auto _ : state)
    {
        ++frame;
        for (uint32_t index = 0; index < displacements->getCount(); ++index)
            (*displacements)[index].displacement = Vector3(0.0, 0.0, 0.01 * ((index + frame) % 7));
        for (uint32_t index = 0; index < forces->getCount(); ++index)
            (*forces)[index].axialForce = 1e6 * (static_cast<int>((index + frame) % 5) - 2);
        host.view()->invalidate(false);
        host.view()->updateWindow();
    }
    for (DrawObject* object = host.info()->drawObjects; object != nullptr; object = object->next)
        if (std::string(object->plugin->getName()).starts_with("Displaced"))
            object->enabled = 0;
    state.counters["members"] = static_cast<double>(model.members->getCount());
}
BENCHMARK(BM_DisplacedFrame)
    ->ArgsProduct({{tenThousand}, {25, 50, 100}, {0, 1}})
    ->ArgNames({"members", "detail", "relative"})
    ->Unit(benchmark::kMillisecond);

} // namespace
