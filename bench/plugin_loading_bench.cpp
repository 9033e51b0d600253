#include "VornInterface/PluginLibraries.h"

#include <benchmark/benchmark.h>

#include <string>

// Finding, loading and binding the plugin libraries of the run folder. Libraries are never
// unloaded, so after the first round this measures the folder scan and the symbol binding.
static void BM_LoadPluginLibraries(benchmark::State& state)
{
    const std::string folder = std::string(VORN_RUN_DIR) + "/_W2K_system";
    for (auto _ : state)
    {
        PluginLibraryLoadResult result = loadPluginLibraries(folder);
        benchmark::DoNotOptimize(result.libraries.data());
    }
}
BENCHMARK(BM_LoadPluginLibraries);
