#include "VornData/StringManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
// Names of the lengths a model has ("Joint 1234", "Member 56 of the west truss").
std::vector<std::string> makeNames(size_t count)
{
    std::mt19937 random(5);
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i)
    {
        const int extra = std::uniform_int_distribution<int>(0, 40)(random);
        names.push_back("Object " + std::to_string(i) + std::string(extra, 'n'));
    }
    return names;
}
} // namespace

// Churn on a storage that holds `state.range(0)` names: each step renames one object at random
// (store the new text, release the old, now and then compact).
static void BM_StringManagerRenameChurn(benchmark::State& state)
{
    const size_t live = static_cast<size_t>(state.range(0));
    const std::vector<std::string> names = makeNames(live + 1024);
    StringManager strings;
    std::vector<std::unique_ptr<StringHandle>> handles;
    for (size_t i = 0; i < live; ++i)
    {
        handles.push_back(std::make_unique<StringHandle>());
        strings.storeString(handles.back().get(), names[i].c_str());
    }
    std::mt19937 random(9);
    std::uniform_int_distribution<size_t> pick(0, live - 1);
    size_t next = 0;
    for (auto _ : state)
    {
        handles[pick(random)]->set(&strings, names[next].c_str());
        next = (next + 1) % names.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StringManagerRenameChurn)->Arg(1000)->Arg(100000);

// Storing then releasing a batch of names in random order: release moves the entries behind the
// released one, so this is the cost model objects pay when a large model is deleted.
static void BM_StringManagerStoreReleaseBatch(benchmark::State& state)
{
    const size_t batch = static_cast<size_t>(state.range(0));
    const std::vector<std::string> names = makeNames(batch);
    std::vector<size_t> order(batch);
    for (size_t i = 0; i < batch; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(3));
    std::vector<StringHandle> handles(batch);
    for (auto _ : state)
    {
        StringManager strings;
        for (size_t i = 0; i < batch; ++i)
            strings.storeString(&handles[i], names[i].c_str());
        for (size_t i : order)
            handles[i].release();
        benchmark::DoNotOptimize(strings.getBlockCount());
    }
    state.SetItemsProcessed(state.iterations() * batch * 2);
}
BENCHMARK(BM_StringManagerStoreReleaseBatch)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
