// A calculator reset while its worker runs: the worker goes on from the reset results, not from the
// values it kept of its last iteration.
#include "Lumbra/Calculators/IteratorCalculators.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/CalculationRuns.h"
#include "tests/support/Structures.h"

#include <gtest/gtest.h>

using namespace lumbra;

namespace
{

TEST(CalculatorReset, TheWorkerGoesOnFromTheResetResults)
{
    const Structure truss = warrenTruss(3, 2.0, 0, Vector3(0, 0, -1000));
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    StructureModel model{truss, doc.document};
    // The calculator iterates only when it is let.
    doc.document.pendingIterations = 0;
    PluginCalculatorAutoBasicIterator calculator;
    calculator.mai = &mai;
    ASSERT_EQ(calculator.startCalculation(&doc.document), 0);
    doc.document.pendingIterations = 5;
    ASSERT_TRUE(eventually([&] { return doc.document.iterationCount.load() == 5; }));
    // Shown, the latest results are the ones the reset sets back.
    ASSERT_NE(calculator.getResults(&doc, 0, 1), nullptr);
    ASSERT_EQ(calculator.resetCalculation(&doc.document), 0);
    doc.document.pendingIterations = 1;
    ASSERT_TRUE(eventually([&] { return doc.document.iterationCount.load() == 6; }));
    auto* published = static_cast<BlockList<CalcDisplacement>*>(calculator.getResults(&doc, 0, 2));
    ASSERT_NE(published, nullptr);

    // One iteration from zero, as the kernel makes it.
    StructureModel alone(truss);
    PreparedModel prepared;
    prepared.build(*alone.joints, *alone.members);
    CalculationLists lists(prepared);
    IterationScratch scratch;
    ASSERT_TRUE(iterateOnce(Calculator::AutoBasic, prepared, KernelSettings(), lists, scratch).finite);
    for (uint32_t joint = 0; joint < prepared.jointCount(); ++joint)
    {
        const Vector3& expected = (*lists.source().displacements)[joint].displacement;
        EXPECT_EQ((*published)[joint].displacement.x, expected.x) << joint;
        EXPECT_EQ((*published)[joint].displacement.z, expected.z) << joint;
    }
    EXPECT_EQ(calculator.stopCalculation(&doc.document), 0);
    EXPECT_TRUE(mai.boxes.empty());
}

} // namespace
