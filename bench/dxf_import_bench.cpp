// Cost of the DXF import: reading the text of n LINE segments into a model fragment, and the
// whole import of such a file into a document (reading the file, matching the ends, making the
// joints and members under the document lock). The segments run along a serpentine over a grid,
// each start 1e-14 of a grid step off the previous end, so every end is matched to a joint made
// before. The grid is 0.5 wide, or, near the origin, 0.5e-30, where points match only within the
// absolute part of the tolerance.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "Lumbra/ModelFiles/DxfReader.h"
#include "Lumbra/ModelFiles/ImportCommit.h"
#include "Lumbra/ModelFiles/PluginFileImportDXF.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "tests/support/ModelServices.h"

namespace
{

std::string lineSegments(int count, double scale = 1.0)
{
    const int width = 100;
    auto point = [width, scale](int index, double& x, double& y) {
        const int row = index / width;
        const int column = row % 2 == 0 ? index % width : width - 1 - index % width;
        x = column * 0.5 * scale;
        y = row * 0.5 * scale;
    };
    std::string text = "  0\nSECTION\n  2\nENTITIES\n";
    char entity[256];
    for (int index = 0; index < count; ++index)
    {
        double x0, y0, x1, y1;
        point(index, x0, y0);
        point(index + 1, x1, y1);
        std::snprintf(entity, sizeof entity,
                      "  0\nLINE\n  8\n0\n 10\n%.17g\n 20\n%.17g\n 30\n0.0\n 11\n%.17g\n 21\n%.17g\n 31\n0.0\n",
                      x0 + 1e-14 * scale, y0, x1, y1);
        text += entity;
    }
    return text + "  0\nENDSEC\n  0\nEOF\n";
}

void timeReading(benchmark::State& state, double scale)
{
    const std::string text = lineSegments(static_cast<int>(state.range(0)), scale);
    for (auto _ : state)
    {
        const lumbra::DxfReading reading = lumbra::readDxf(text);
        benchmark::DoNotOptimize(reading.drawing.model.members.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void readLineSegments(benchmark::State& state)
{
    timeReading(state, 1.0);
}
BENCHMARK(readLineSegments)->Arg(10000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void readLineSegmentsNearTheOrigin(benchmark::State& state)
{
    timeReading(state, 1e-30);
}
BENCHMARK(readLineSegmentsNearTheOrigin)->Arg(50000)->Unit(benchmark::kMillisecond);

// An empty document with the joint and member lists, active in its application interface.
struct EmptyModel
{
    EmptyModel()
    {
        installModelServices();
        document.document.addBlockList(new BlockList<VornJoint>("VornJoint"));
        document.document.addBlockList(new BlockList<VornMember>("VornMember"));
        document.document.reset();
        mai.activeDocument = &document;
    }

    FakeMAI mai;
    FakeDoc document{&mai};
};

// Times `step` on a fresh empty model in every iteration; making and closing the model are not timed.
template <class Step>
void timeOnEmptyModels(benchmark::State& state, Step step)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        auto model = std::make_unique<EmptyModel>();
        state.ResumeTiming();

        if (!step(*model))
        {
            state.SkipWithError(model->mai.boxTexts.empty() ? "not imported" : model->mai.boxTexts.back().c_str());
            break;
        }

        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void importLineSegments(benchmark::State& state)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vorn-dxf-bench-" + std::to_string(state.range(0)) + ".dxf"))
            .string();
    std::ofstream(path, std::ios::binary) << lineSegments(static_cast<int>(state.range(0)));
    timeOnEmptyModels(state, [&path](EmptyModel& model) {
        lumbra::PluginFileImportDXF importer;
        importer.mai = &model.mai;
        return importer.import(path.c_str());
    });
    std::filesystem::remove(path);
}
BENCHMARK(importLineSegments)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The commit alone: making the joints and members of a fragment read before.
void commitLineSegments(benchmark::State& state)
{
    const lumbra::DxfReading reading = lumbra::readDxf(lineSegments(static_cast<int>(state.range(0))));
    timeOnEmptyModels(state, [&reading](EmptyModel& model) {
        return lumbra::commitModelFragment(model.document, lumbra::importListsOf(&model.document),
                                           reading.drawing.model, "bench.dxf", "waiting");
    });
}
BENCHMARK(commitLineSegments)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
