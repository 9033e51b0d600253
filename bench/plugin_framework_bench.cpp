// How fast the framework routes a view's mouse input and files plugins into the registry.

#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{

// A tool that takes mouse input and does nothing with it.
class QuietTool : public VornPluginMenuItem
{
public:
    const char* getName() override { return "Quiet"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    bool onMouse(MAI_View*, int32_t, int32_t, int32_t, uint32_t) override { return true; }
};

void BM_MouseMovesToTheActiveTool(benchmark::State& state)
{
    FakeMAI mai;
    FakeDoc document(&mai);
    FakeView view(&document);
    QuietTool tool;
    document.setActiveMenuItem(&tool);
    int32_t x = 0;
    for (auto _ : state)
        view.onMouseEvent(++x & 1023, 10, InputEvent::Move);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MouseMovesToTheActiveTool);

void BM_BoundRightDragMoves(benchmark::State& state)
{
    FakeMAI mai;
    FakeDoc document(&mai);
    FakeView view(&document);
    QuietTool tool, panTool;
    document.setActiveMenuItem(&tool);
    mai.accelerators.addBinding(AcceleratorCode::RightDrag, &panTool);
    view.onMouseEvent(0, 0, InputEvent::RightDown | InputEvent::RightHeld);
    int32_t x = 0;
    for (auto _ : state)
        view.onMouseEvent(++x & 1023, 10, InputEvent::RightHeld);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BoundRightDragMoves);

class NamedPlugin : public VornPlugin
{
public:
    NamedPlugin(const char* type, std::string name) : type(type), name(std::move(name)) {}
    const char* getTypeName() override { return type; }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    const char* type;
    std::string name;
};

// Files n plugins over the eleven host types, then looks each up by name.
void BM_RegistryFilesAndFindsPlugins(benchmark::State& state)
{
    static const char* const types[] = {"Standard MenuItem", "Dialog",     "Toolbar",        "File Import",
                                        "File Export",       "ObjectType", "Object Creator", "Shape",
                                        "Object Modifier",   "View Base",  "Calculator"};
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        PluginLists lists;
        PluginManager registry;
        VornPluginBase** heads[] = {&lists.menuItems,      &lists.dialogs,     &lists.toolbars,
                                    &lists.fileImports,    &lists.fileExports, &lists.objectTypes,
                                    &lists.objectCreators, &lists.shapes,      &lists.objectModifiers,
                                    &lists.viewTypes,      &lists.calculators};
        for (int i = 0; i < 11; ++i)
            registry.addPluginType(heads[i], types[i], nullptr);
        for (int i = 0; i < count; ++i)
            registry.addPlugin(new NamedPlugin(types[i % 11], "Plugin " + std::to_string(i)));
        for (int i = 0; i < count; ++i)
            benchmark::DoNotOptimize(registry.findPlugin(types[i % 11], ("Plugin " + std::to_string(i)).c_str()));
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RegistryFilesAndFindsPlugins)->Arg(100)->Arg(1000);

} // namespace
