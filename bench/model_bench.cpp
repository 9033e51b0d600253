// Cost of the model's cascades: deleting a closed group of a frame (its joints take their members
// along) and telling every member of a material that the material changed.

#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/ModelServices.h"
#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"

namespace
{
// A chain of joints joined by members, all of one material, with every joint and member in one
// group; a second group with one joint sits behind it.
struct Frame
{
    explicit Frame(int jointCount)
    {
        installModelServices();
        document = std::make_unique<VornDocument>();
        document->addBlockList(joints = new BlockList<VornJoint>("VornJoint"));
        document->addBlockList(members = new BlockList<VornMember>("VornMember"));
        document->addBlockList(materials = new BlockList<VornMaterial>("VornMaterial"));
        document->reset();
        material = materials->add();
        VornGroup* group = document->getGroupList()->add();
        VornGroup* second = document->getGroupList()->add();
        second->addChild(joints->add());
        for (int index = 0; index < jointCount; ++index)
        {
            VornJoint* joint = joints->add();
            joint->getPosition().set(index, 0, 0);
            group->addChild(joint);
            if (index == 0)
                continue;
            VornMember* member = members->add();
            member->setStartJoint(&(*joints)[joints->getCount() - 2]);
            member->setEndJoint(joint);
            member->setMaterial(material);
            group->addChild(member);
        }
        group->select();
        closedGroup = group;
    }

    std::unique_ptr<VornDocument> document;
    BlockList<VornJoint>* joints = nullptr;
    BlockList<VornMember>* members = nullptr;
    BlockList<VornMaterial>* materials = nullptr;
    VornMaterial* material = nullptr;
    VornGroup* closedGroup = nullptr;
};

void deleteClosedGroup(benchmark::State& state)
{
    const int jointCount = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        state.PauseTiming();
        Frame frame(jointCount);
        state.ResumeTiming();
        frame.closedGroup->removeFromList();
        benchmark::DoNotOptimize(frame.joints->getCount());
        state.PauseTiming();
        frame.document.reset();
        state.ResumeTiming();
    }
    // Objects removed per second: the joints and their members.
    state.SetItemsProcessed(state.iterations() * (2 * jointCount - 1));
}
BENCHMARK(deleteClosedGroup)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void changeMaterialElasticity(benchmark::State& state)
{
    Frame frame(static_cast<int>(state.range(0)));
    double elasticity = 2.0e11;
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.material->setElasticity(elasticity += 1.0));
    state.SetItemsProcessed(state.iterations() * frame.members->getCount());
}
BENCHMARK(changeMaterialElasticity)->Arg(10000);

void closeDocument(benchmark::State& state)
{
    const int jointCount = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        state.PauseTiming();
        auto frame = std::make_unique<Frame>(jointCount);
        state.ResumeTiming();
        frame->document.reset();
    }
    state.SetItemsProcessed(state.iterations() * (2 * jointCount - 1));
}
BENCHMARK(closeDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
} // namespace
