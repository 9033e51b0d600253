// Drags of the modifier tools while a calculation's worker reads the model under the document
// lock: every state the worker sees is one the modifier made whole (the joints keep their
// distances under a move and a turn), never one half-way through a step.
#include "tests/zintel/ModifierToolBench.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stop_token>
#include <thread>

namespace
{

using namespace std::chrono_literals;

double distance(VornJoint& a, VornJoint& b)
{
    return a.getPosition().distanceTo(b.getPosition());
}

// Reads the joints as a calculation does: each pass under the document lock, standing back for
// waiting changes between passes.
class ReadingWorker
{
public:
    ReadingWorker(DocumentLock& lock, BlockList<VornJoint>& joints) : lock(lock), joints(joints)
    {
        for (uint32_t index = 0; index < joints.getCount(); ++index)
            for (uint32_t other = index + 1; other < joints.getCount(); ++other)
                baseDistances.push_back(distance(joints[index], joints[other]));
        worker = std::jthread([this](std::stop_token stop) { run(stop); });
    }

    std::atomic<int> passes{0};
    std::atomic<int> broken{0}; // passes that saw joints out of shape

private:
    void run(std::stop_token stop)
    {
        while (!stop.stop_requested())
        {
            lock.lock();
            size_t pair = 0;
            bool whole = true;
            for (uint32_t index = 0; index < joints.getCount(); ++index)
                for (uint32_t other = index + 1; other < joints.getCount(); ++other)
                {
                    const double now = distance(joints[index], joints[other]);
                    if (!std::isfinite(now) || std::abs(now - baseDistances[pair++]) > 1e-4)
                        whole = false;
                }
            lock.unlock();
            if (!whole)
                ++broken;
            ++passes;
            lock.standBackForWaitingChanges(stop, 20ms);
        }
    }

    DocumentLock& lock;
    BlockList<VornJoint>& joints;
    std::vector<double> baseDistances;
    std::jthread worker; // last: it stops and joins before the rest goes
};

void addJoint(ModifierToolBench& bench, const Vector3& at)
{
    VornJoint* joint = bench.model.joints->add();
    joint->getBasePosition() = at;
    joint->getPosition() = at;
}

template <class Condition>
void waitFor(Condition condition)
{
    while (!condition())
        std::this_thread::yield();
}

TEST(ModifierToolDrags, DuringACalculationTheWorkerSeesOnlyWholeSteps)
{
    ModifierToolBench bench;
    for (const Vector3& at :
         {Vector3(0.1, 0.0, 0.0), Vector3(0.0, 0.2, 0.0), Vector3(-0.1, -0.1, 0.05), Vector3(0.2, 0.1, -0.05)})
        addJoint(bench, at);
    bench.move->moved = bench.rotate->moved = {0, 1, 2, 3};
    ReadingWorker calculation(*bench.doc.getLock(), *bench.model.joints);
    waitFor([&] { return calculation.passes.load() > 0; });

    // A square drag of the Move tool, then a ring drag of the Rotate tool, a step a pixel.
    bench.activate(bench.move, {0, 0, 0});
    bench.tool()->scaleFactor = 0.001f;
    platform::Point at = bench.windowPointOf({0.0, 0.0, 0.0});
    ASSERT_TRUE(bench.press(3, at));
    for (int step = 1; step <= 150; ++step)
        ASSERT_TRUE(bench.dragTo({at.x + step, at.y + step / 2}));
    bench.release({at.x + 150, at.y + 75});
    EXPECT_EQ(bench.move->updates.load(), 150);

    bench.activate(bench.rotate, {0, 0, 0});
    bench.tool()->scaleFactor = 0.01f;
    at = bench.windowPointOf({0.6, 0.0, 0.0});
    ASSERT_TRUE(bench.press(2, at));
    for (int step = 1; step <= 150; ++step)
        ASSERT_TRUE(bench.dragTo({at.x - step, at.y - step}));
    bench.release({at.x - 150, at.y - 150});
    EXPECT_EQ(bench.rotate->updates.load(), 150);

    const int seen = calculation.passes.load();
    waitFor([&] { return calculation.passes.load() > seen; });
    EXPECT_EQ(calculation.broken.load(), 0);
    EXPECT_TRUE(bench.mai.boxTexts.empty()) << "no step waited out the lock's time-out";
    // The model did change: the first joint went with both drags.
    EXPECT_GT(bench.model.joints->getCount(), 0u);
    const Vector3& first = (*bench.model.joints)[0].getPosition();
    EXPECT_GT(std::abs(first.x - 0.1) + std::abs(first.y), 0.05);
}

} // namespace
