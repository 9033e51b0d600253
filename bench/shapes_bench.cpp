// Cost of building cross-section outlines: 10,000 sections of one list shaped afresh (parameters
// derived from the area, values computed, outlines written into each section's shape data), shaped
// again with the same shape, and the outline writers alone into one contiguous buffer.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "tests/support/ModelServices.h"
#include "Lumbra/CrossSectionShapes.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"

namespace
{

constexpr int sectionCount = 10000;

struct Sections
{
    Sections()
    {
        installModelServices();
        document = std::make_unique<VornDocument>();
        document->addBlockList(list = new BlockList<VornCrossSection>("VornCrossSection"));
        for (int index = 0; index < sectionCount; ++index)
            list->add()->setArea(0.001 * (1 + index % 50));
    }

    std::unique_ptr<VornDocument> document;
    BlockList<VornCrossSection>* list = nullptr;
};

// Alternating between two shapes makes every application derive its parameters afresh.
template <class First, class Second>
void applyShapes(benchmark::State& state)
{
    Sections sections;
    First first;
    Second second;
    bool useFirst = true;
    for (auto _ : state)
    {
        VornPluginShape& shape = useFirst ? static_cast<VornPluginShape&>(first) : second;
        for (uint32_t index = 0; index < sections.list->getCount(); ++index)
            shape.applyToCrossSection(&(*sections.list)[index]);
        useFirst = !useFirst;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * sectionCount);
}

void BM_ApplyTubeAndRectangleTo10000Sections(benchmark::State& state)
{
    applyShapes<lumbra::PluginShapeTube, lumbra::PluginShapeRectangle>(state);
}
BENCHMARK(BM_ApplyTubeAndRectangleTo10000Sections)->Unit(benchmark::kMillisecond);

void BM_ApplyHBeamAndTubeTo10000Sections(benchmark::State& state)
{
    applyShapes<lumbra::PluginShapeHBeam, lumbra::PluginShapeTube>(state);
}
BENCHMARK(BM_ApplyHBeamAndTubeTo10000Sections)->Unit(benchmark::kMillisecond);

// The same shape again: the stored parameters are read back and the entries keep their size, so the
// store moves nothing.
void BM_ReapplyTubeTo10000Sections(benchmark::State& state)
{
    Sections sections;
    lumbra::PluginShapeTube tube;
    for (uint32_t index = 0; index < sections.list->getCount(); ++index)
        tube.applyToCrossSection(&(*sections.list)[index]);
    for (auto _ : state)
    {
        for (uint32_t index = 0; index < sections.list->getCount(); ++index)
            tube.applyToCrossSection(&(*sections.list)[index]);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * sectionCount);
}
BENCHMARK(BM_ReapplyTubeTo10000Sections)->Unit(benchmark::kMillisecond);

// The writers alone: 10,000 hollow tubes, coarse and fine, one after the other in one buffer.
void BM_Write10000HollowTubeOutlines(benchmark::State& state)
{
    const lumbra::ShapeParameters parameters{0, 0.3f, 0.2f, 0.25f, 0.15f};
    const uint32_t coarse = lumbra::tubeOutlineWords(lumbra::coarseTubePoints, false);
    const uint32_t fine = lumbra::tubeOutlineWords(lumbra::fineTubePoints, false);
    std::vector<uint32_t> words(static_cast<size_t>(sectionCount) * (coarse + fine));
    for (auto _ : state)
    {
        uint32_t* at = words.data();
        for (int index = 0; index < sectionCount; ++index)
        {
            lumbra::writeTubeOutline(at, lumbra::coarseTubePoints, parameters);
            lumbra::writeTubeOutline(at + coarse, lumbra::fineTubePoints, parameters);
            at += coarse + fine;
        }
        benchmark::DoNotOptimize(words.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * sectionCount);
}
BENCHMARK(BM_Write10000HollowTubeOutlines)->Unit(benchmark::kMillisecond);

} // namespace
