#include "BlockLists/BlockList.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{
constexpr uint32_t elements = 1000000;

// A result record of the calculators' kind: three doubles, 1024 per block.
struct Displacement
{
    static constexpr uint32_t itemsPerBlock = 1024;
    double x, y, z;
    void setDefaults() { x = y = z = 0.0; }
    void copyTo(Displacement* other) const { *other = *this; }
};

// A model-object-sized element at the default 256 per block.
struct ModelSized
{
    double values[16];
    uint32_t flags;
    void setDefaults() { flags = 0; }
    void release() { flags = 0x80000000u; }
    void copyTo(ModelSized* other) const { *other = *this; }
};

template <class T>
void fill(BlockList<T>& list)
{
    for (uint32_t i = 0; i < elements; ++i)
        list.add();
}

std::vector<uint32_t> randomIndexes(uint32_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint32_t> indexes(count);
    for (uint32_t& index : indexes)
        index = std::uniform_int_distribution<uint32_t>(0, count - 1)(random);
    return indexes;
}
} // namespace

// A million adds into a new list, blocks allocated as it fills.
template <class T>
static void BM_BlockListAdd(benchmark::State& state)
{
    for (auto _ : state)
    {
        BlockList<T> list("Bench");
        fill(list);
        benchmark::DoNotOptimize(list.getCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK_TEMPLATE(BM_BlockListAdd, Displacement)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_BlockListAdd, ModelSized)->Unit(benchmark::kMillisecond);

// A million removals at random positions until the list is empty: each fills its hole with the
// last element; blocks are released as the list shrinks.
template <class T>
static void BM_BlockListRemove(benchmark::State& state)
{
    const std::vector<uint32_t> picks = randomIndexes(elements, 7);
    for (auto _ : state)
    {
        state.PauseTiming();
        BlockList<T> list("Bench");
        fill(list);
        state.ResumeTiming();
        for (uint32_t i = 0; i < elements; ++i)
            list.remove(&list[picks[i] % list.getCount()]);
        benchmark::DoNotOptimize(list.getCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK_TEMPLATE(BM_BlockListRemove, Displacement)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_BlockListRemove, ModelSized)->Unit(benchmark::kMillisecond);

// The same removals while the list is locked, carried out at the unlock.
static void BM_BlockListLockedRemove(benchmark::State& state)
{
    const std::vector<uint32_t> picks = randomIndexes(elements, 7);
    for (auto _ : state)
    {
        state.PauseTiming();
        BlockList<Displacement> list("Bench");
        fill(list);
        state.ResumeTiming();
        list.lock();
        for (uint32_t i = 0; i < elements; ++i)
            list.remove(&list[picks[i]]);
        list.unlock();
        benchmark::DoNotOptimize(list.getCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK(BM_BlockListLockedRemove)->Unit(benchmark::kMillisecond);

// Reading a million elements by index, in order and at random.
static void BM_BlockListIndexSequential(benchmark::State& state)
{
    BlockList<Displacement> list("Bench");
    fill(list);
    for (auto _ : state)
    {
        double sum = 0;
        for (uint32_t i = 0; i < elements; ++i)
            sum += list[i].x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK(BM_BlockListIndexSequential)->Unit(benchmark::kMillisecond);

static void BM_BlockListIndexRandom(benchmark::State& state)
{
    BlockList<Displacement> list("Bench");
    fill(list);
    const std::vector<uint32_t> picks = randomIndexes(elements, 11);
    for (auto _ : state)
    {
        double sum = 0;
        for (uint32_t index : picks)
            sum += list[index].x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK(BM_BlockListIndexRandom)->Unit(benchmark::kMillisecond);

// A child list of the same length follows every add and removal of its parent.
static void BM_BlockListAddRemoveWithChild(benchmark::State& state)
{
    const std::vector<uint32_t> picks = randomIndexes(elements, 13);
    for (auto _ : state)
    {
        BlockList<ModelSized> parent("Parent");
        BlockList<Displacement> child("Child");
        parent.addChild(&child);
        fill(parent);
        for (uint32_t i = 0; i < elements; ++i)
            parent.remove(&parent[picks[i] % parent.getCount()]);
        benchmark::DoNotOptimize(child.getCount());
    }
    state.SetItemsProcessed(state.iterations() * elements * 2);
}
BENCHMARK(BM_BlockListAddRemoveWithChild)->Unit(benchmark::kMillisecond);
