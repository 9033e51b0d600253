// The iteration kernels of the calculators: how many iterations each needs on Warren trusses of
// growing length, and what one iteration costs per member on large models (the "per_member"
// counter is seconds per member and iteration); and what run control adds to every iteration.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <thread>

#include "Lumbra/Calculation/IterationKernels.h"
#include "Lumbra/Calculators/DocItemCalc.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "tests/support/CalculationRuns.h"
#include "tests/support/Structures.h"

namespace
{
using namespace lumbra;

constexpr double PanelLoad = -1.0e4;

// A Warren truss of steel members of 2 m with a load on every bottom joint, prepared, with its
// result lists; the Basic calculator's step is the Auto basic one.
struct Truss
{
    Truss(int panels, uint8_t kind) : model(warrenTruss(panels, 2.0, kind, Vector3(0, 0, PanelLoad)))
    {
        prepared.build(*model.joints, *model.members);
        lists = std::make_unique<CalculationLists>(prepared);
        settings.basic.inverseDisplacementFactor = 2.5 * prepared.largestJointStiffness * settings.basic.eFactor;
    }
    StructureModel model;
    PreparedModel prepared;
    std::unique_ptr<CalculationLists> lists;
    KernelSettings settings;
    IterationScratch scratch;
};

// Iterations until the largest out-of-balance force falls below 1e-3 of the largest joint load, with
// each calculator's default parameters.
void iterationsToEquilibrium(benchmark::State& state, Calculator calculator, uint8_t kind)
{
    const int panels = static_cast<int>(state.range(0));
    long iterations = 0;
    for (auto _ : state)
    {
        Truss truss(panels, kind);
        double largestLoad = 0;
        for (const PreparedJoint& joint : truss.prepared.joints)
            largestLoad = std::max(largestLoad, std::abs(joint.load.z - joint.mass * 9.81));
        iterations = 0;
        IterationReport report;
        do
        {
            report = iterateOnce(calculator, truss.prepared, truss.settings, *truss.lists, truss.scratch);
            ++iterations;
        } while (report.finite && iterations < 20000000 &&
                 (iterations < 3 || report.outOfBalanceForce > 1e-3 * largestLoad));
        if (!report.finite)
            state.SkipWithError("the iteration diverged");
    }
    state.counters["iterations"] = static_cast<double>(iterations);
    state.counters["members"] = static_cast<double>(4 * panels - 1);
}

// One iteration over a truss of about `members` members.
void iterationCost(benchmark::State& state, Calculator calculator, uint8_t kind)
{
    Truss truss(static_cast<int>((state.range(0) + 1) / 4), kind);
    for (auto _ : state)
    {
        const IterationReport report =
            iterateOnce(calculator, truss.prepared, truss.settings, *truss.lists, truss.scratch);
        benchmark::DoNotOptimize(report);
    }
    const double members = truss.prepared.memberCount();
    state.counters["per_member"] = benchmark::Counter(members * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Building the prepared model from the document, as run control does under the lock.
void prepareModel(benchmark::State& state)
{
    Truss truss(static_cast<int>((state.range(0) + 1) / 4), JointSupport::Rigid);
    for (auto _ : state)
    {
        truss.prepared.build(*truss.model.joints, *truss.model.members);
        benchmark::DoNotOptimize(truss.prepared.largestJointStiffness);
    }
    state.counters["per_member"] =
        benchmark::Counter(static_cast<double>(truss.prepared.memberCount()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A calculator whose iteration does nothing: what a run costs per iteration beside the kernel
// (the document lock, the role switch of the result lists, the pending-iteration count). Every
// 1024th iteration it notes the worker's processor time, which preemption on a busy machine does
// not swell.
class IdleItem : public DocItemCalc
{
public:
    IdleItem() : DocItemCalc("BENCHCALC", {0, 1}, true) {}
    ~IdleItem() override { shutDownWorker(); }

    // Iterations and the worker's processor time at the first and the last note of the last run.
    long firstCount = 0, lastCount = 0;
    double firstSeconds = 0, lastSeconds = 0;

protected:
    void beginRun() override { count_ = 0; }
    IterationOutcome iterate(VornDocument&, ResultStore&, bool) override
    {
        if (count_++ % 1024 == 0)
        {
            timespec now{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
            const double seconds = static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
            if (count_ == 1)
                firstCount = count_, firstSeconds = seconds;
            lastCount = count_, lastSeconds = seconds;
        }
        return {};
    }

private:
    long count_ = 0;
};

// Runs the idle calculator for 100 ms at a time on a small truss: "per_iteration" is the time
// per iteration, "worker_cpu" the worker's processor time per iteration.
void runControl(benchmark::State& state)
{
    FakeMAI mai;
    FakeDoc doc(&mai);
    const StructureModel model(warrenTruss(1, 2.0, JointSupport::Rigid, Vector3(0, 0, PanelLoad)), doc.document);
    auto* item = new IdleItem;
    doc.document.addDocumentItem(item);
    double seconds = 0, workerSeconds = 0;
    long iterations = 0, noted = 0;
    for (auto _ : state)
    {
        const int32_t before = doc.document.iterationCount.load();
        const auto start = std::chrono::steady_clock::now();
        if (item->startCalculation(doc.document) != 0)
            state.SkipWithError("the calculation did not start");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        item->stopCalculation();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        iterations += doc.document.iterationCount.load() - before;
        workerSeconds += item->lastSeconds - item->firstSeconds;
        noted += item->lastCount - item->firstCount;
    }
    state.counters["per_iteration"] = seconds / static_cast<double>(std::max(iterations, 1L));
    state.counters["worker_cpu"] = workerSeconds / static_cast<double>(std::max(noted, 1L));
}

constexpr uint8_t Pinned = 0;
constexpr uint8_t Rigid = JointSupport::Rigid;

// Trusses of 4 to 32 panels, each run once.
void equilibriumRows(benchmark::internal::Benchmark* rows)
{
    rows->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Iterations(1)->Unit(benchmark::kMillisecond);
}

void costRows(benchmark::internal::Benchmark* rows)
{
    rows->Arg(1000)->Arg(10000)->Arg(100000);
}

BENCHMARK_CAPTURE(iterationsToEquilibrium, Basic, Calculator::Basic, Pinned)->Apply(equilibriumRows);
BENCHMARK_CAPTURE(iterationsToEquilibrium, AutoBasic, Calculator::AutoBasic, Pinned)->Apply(equilibriumRows);
BENCHMARK_CAPTURE(iterationsToEquilibrium, Velocity, Calculator::Velocity, Pinned)->Apply(equilibriumRows);
BENCHMARK_CAPTURE(iterationsToEquilibrium, FullPinned, Calculator::Full, Pinned)->Apply(equilibriumRows);
BENCHMARK_CAPTURE(iterationsToEquilibrium, FullRigid, Calculator::Full, Rigid)->Apply(equilibriumRows);

BENCHMARK_CAPTURE(iterationCost, Basic, Calculator::Basic, Pinned)->Apply(costRows);
BENCHMARK_CAPTURE(iterationCost, AutoBasic, Calculator::AutoBasic, Pinned)->Apply(costRows);
BENCHMARK_CAPTURE(iterationCost, Velocity, Calculator::Velocity, Pinned)->Apply(costRows);
BENCHMARK_CAPTURE(iterationCost, FullPinned, Calculator::Full, Pinned)->Apply(costRows);
BENCHMARK_CAPTURE(iterationCost, FullRigid, Calculator::Full, Rigid)->Apply(costRows);

BENCHMARK(runControl)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(prepareModel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
