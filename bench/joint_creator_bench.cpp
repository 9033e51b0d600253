// How long the joint creator takes for one mouse move: the snap search over a view type's snap
// objects and the feeding of the creation pagettes (it runs for every mouse event).

#include "Lumbra/Creators/JointCreator.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <benchmark/benchmark.h>

namespace
{

// A point snap that always offers a point at a fixed distance.
class FixedSnap : public VornPluginSnapObject
{
public:
    FixedSnap(const char* name, int32_t priority) : VornPluginSnapObject(priority), name(name) {}
    const char* getTypeName() override { return "Bench Snap Object"; }
    const char* getName() override { return name; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* getSnapKind() override { return "Point"; }
    bool snapPoint(SnapPoint* snap, MAI_View*, float x, float, float best) override
    {
        const double distance = x + getPriority() * 20.0;
        if (distance >= best)
            return false;
        snap->distance = distance;
        snap->point = point;
        snap->source = this;
        return true;
    }
    const char* name;
    double point[3] = {1, 2, 3};
};

class SnapViewType : public FakeViewType
{
public:
    void registerPluginTypes(PluginManager* registry) override
    {
        registry->addPluginType(&snapObjects, "Bench Snap Object", this);
    }
    VornPluginBase* snapObjects = nullptr;
};

void BM_JointCreatorMouseMove(benchmark::State& state)
{
    PluginManager registry;
    FakeMAI mai;
    FakeDoc document(&mai);
    FakeView view(&document);
    registry.addPluginType(&mai.pluginLists.objectCreators, "Object Creator", nullptr);
    registry.addPluginType(&mai.pluginLists.menuItems, "Standard MenuItem", nullptr);
    registry.addPluginType(&mai.pluginLists.viewTypes, "View Base", nullptr);
    mai.activeDocument = &document;
    mai.hoveredView = &view;
    auto* viewType = new SnapViewType;
    registry.addPlugin(viewType);
    new ViewTypeInfo(viewType, &view);
    auto* creator = new lumbra::PluginCreatorJoint;
    creator->mai = &mai;
    registry.addPlugin(creator);
    const char* names[] = {"Plane", "Grid", "Grid 2"};
    const int32_t priorities[] = {11, 9, 9};
    for (int index = 0; index < 3; ++index)
    {
        auto* snap = new FixedSnap(names[index], priorities[index]);
        registry.addPlugin(snap);
        mai.addSnapObject(snap);
        creator->acceptSnapObject(snap);
    }
    int32_t x = 0;
    for (auto _ : state)
    {
        creator->onMouse(x, 10, 0, InputEvent::Move);
        x = (x + 1) & 63;
    }
}
BENCHMARK(BM_JointCreatorMouseMove);

} // namespace
