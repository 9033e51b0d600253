// The host's files: an accelerator table of 1000 bindings written and read back, and an 800 x 600
// snapshot written as a 24-bit bitmap.
#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/Snapshots.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

struct BoundRegistry
{
    BoundRegistry()
    {
        registerHostPluginTypes(registry, mai);
        for (int index = 0; index < 50; ++index)
            registry.addPlugin(new RecordingMenuItem("Command " + std::to_string(index)));
        int index = 0;
        for (VornPluginBase* plugin = registry.getFirstPlugin("Standard MenuItem"); index < 1000; ++index)
        {
            mai.accelerators.addBinding(1 + static_cast<uint32_t>(index) % 1095,
                                        static_cast<VornPluginMenuItem*>(plugin));
            plugin = plugin->getNext() != nullptr ? plugin->getNext() : registry.getFirstPlugin("Standard MenuItem");
        }
    }
    FakeMAI mai;
    PluginManager registry;
};

std::string scratchFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

void AcceleratorFileSave(benchmark::State& state)
{
    BoundRegistry bound;
    const std::string path = scratchFile("-bench.acc");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            saveAcceleratorFile(path.c_str(), bound.mai.accelerators, platform::WindowHandle::None));
    std::filesystem::remove(path);
}
BENCHMARK(AcceleratorFileSave)->Unit(benchmark::kMicrosecond);

void AcceleratorFileLoad(benchmark::State& state)
{
    BoundRegistry bound;
    const std::string path = scratchFile("-bench.acc");
    saveAcceleratorFile(path.c_str(), bound.mai.accelerators, platform::WindowHandle::None);
    for (auto _ : state)
    {
        AcceleratorTable table;
        benchmark::DoNotOptimize(
            loadAcceleratorFile(path.c_str(), table, bound.registry, platform::WindowHandle::None));
    }
    std::filesystem::remove(path);
}
BENCHMARK(AcceleratorFileLoad)->Unit(benchmark::kMicrosecond);

void SnapshotWrite800x600(benchmark::State& state)
{
    const std::string path = scratchFile("-bench-shot.bmp");
    platform::Surface image(800, 600, 0x808080);
    Snapshots& snapshots = Snapshots::instance();
    platform::ScriptedInteraction interaction;
    for (auto _ : state)
    {
        // Choosing the target again restarts the numbering: every round writes the same file.
        state.PauseTiming();
        interaction.fileAnswers.push_back(platform::ScriptedInteraction::FileAnswer{path, 1});
        snapshots.chooseTarget(platform::WindowHandle::None);
        state.ResumeTiming();
        benchmark::DoNotOptimize(snapshots.writeSnapshot(image, platform::WindowHandle::None));
    }
    std::filesystem::remove(snapshotFileName(snapshotPrefixOf(path), 0));
    snapshots.reset();
}
BENCHMARK(SnapshotWrite800x600)->Unit(benchmark::kMillisecond);

} // namespace
