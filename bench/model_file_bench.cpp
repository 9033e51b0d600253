// Cost of the model file: a model of n members (a ring of n joints, one material, one Tube
// section, a force on every hundredth joint) written, read and checked into records, and read and
// added to an empty document. Linear in n: compare the times per member of the three sizes.

#include <benchmark/benchmark.h>

#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/ModelFiles/ModelFileExport.h"
#include "Lumbra/ModelFiles/ModelFileImport.h"
#include "Lumbra/ModelFiles/ModelFileReader.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "plugins/MAI.h"
#include "tests/support/ModelServices.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

class BenchMAI : public MAI
{
public:
    PluginWindowHandle* createWindowHandle(platform::Window*) override { return nullptr; }
    PluginWindowHandle* createPluginWindow(PluginWindowRequest*, PluginWindowHandle*) override { return nullptr; }
    PluginWindowHandle* requestPluginWindow(VornPluginWindowed*, int32_t, PluginWindowHandle*) override
    {
        return nullptr;
    }
    bool addMenuItem(VornPluginMenuItem*) override { return false; }
    bool removeMenuItem(VornPluginMenuItem*) override { return false; }
    void redrawToolbars() override {}
    int32_t messageBox(const char*, const char*, uint32_t) override { return 1; }
    void chooseColor(uint32_t*, ColorChoiceListener*) override {}
    const char* getWorkingFolder() override { return "."; }
    void beep() override {}
    void postCommand(uint32_t) override {}
};

class BenchDoc : public MAI_Doc
{
public:
    explicit BenchDoc(MAI* mai) : MAI_Doc(mai)
    {
        document.addBlockList(new BlockList<VornMaterial>("VornMaterial"));
        document.addBlockList(new BlockList<VornCrossSection>("VornCrossSection"));
        document.addBlockList(new BlockList<VornJoint>("VornJoint"));
        document.addBlockList(new BlockList<VornMember>("VornMember"));
        document.addBlockList(new BlockList<VornForceDefinition>("VornForceDefinition"));
        document.addBlockList(new BlockList<VornForceInstance>("VornForceInstance"));
        document.reset();
    }
    void setActiveCalculator(VornPluginCalculator*) override {}
    void invalidateViews() override {}
    DocumentLock* getLock() override { return &lock; }

    template <class Element>
    BlockList<Element>* list(const char* name)
    {
        return static_cast<BlockList<Element>*>(document.getBlockList(name));
    }

    DocumentLock lock;
};

struct World
{
    World()
    {
        installModelServices();
        tube.mai = &mai;
        mai.pluginLists.shapes = &tube;
        shapes.push_back(&tube);
    }

    // A ring of n joints and n members.
    std::unique_ptr<BenchDoc> model(int64_t members)
    {
        auto doc = std::make_unique<BenchDoc>(&mai);
        StringManager* strings = &doc->document.getStringStorage();
        VornMaterial* steel = doc->list<VornMaterial>("VornMaterial")->add();
        steel->name.set(strings, "Steel");
        VornCrossSection* section = doc->list<VornCrossSection>("VornCrossSection")->add();
        section->name.set(strings, "Tube");
        tube.applyToCrossSection(section);
        VornForceDefinition* load = doc->list<VornForceDefinition>("VornForceDefinition")->add();
        load->name.set(strings, "Load");
        load->setVector(0, 0, -1000);
        auto* joints = doc->list<VornJoint>("VornJoint");
        for (int64_t index = 0; index < members; ++index)
        {
            VornJoint* joint = joints->add();
            joint->name.set(strings, ("J" + std::to_string(index)).c_str());
            const double angle = 0.001 * static_cast<double>(index);
            joint->getPosition().set(std::cos(angle) * 100.0 / 3, std::sin(angle) * 100.0 / 7, angle / 9);
        }
        auto* memberList = doc->list<VornMember>("VornMember");
        for (int64_t index = 0; index < members; ++index)
        {
            VornMember* member = memberList->add();
            member->name.set(strings, ("M" + std::to_string(index)).c_str());
            member->setStartJoint(&(*joints)[static_cast<uint32_t>(index)]);
            member->setEndJoint(&(*joints)[static_cast<uint32_t>((index + 1) % members)]);
            member->setMaterial(steel);
            member->setCrossSection(section);
        }
        auto* forces = doc->list<VornForceInstance>("VornForceInstance");
        for (int64_t index = 0; index < members; index += 100)
        {
            VornForceInstance* force = forces->add();
            force->setJoint(&(*joints)[static_cast<uint32_t>(index)]);
            force->setForceDefinition(load);
        }
        return doc;
    }

    BenchMAI mai;
    lumbra::PluginShapeTube tube;
    std::vector<VornPluginShape*> shapes;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vorn-model-bench-" + std::to_string(::getpid()) + ".sfa"))
            .string();
};

void BM_WriteModel(benchmark::State& state)
{
    World world;
    std::unique_ptr<BenchDoc> doc = world.model(state.range(0));
    for (auto _ : state)
        if (lumbra::writeModelFile(doc->document, world.path) != lumbra::ModelWriteResult::Written)
            state.SkipWithError("not written");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(world.path));
    std::filesystem::remove(world.path);
}
BENCHMARK(BM_WriteModel)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReadAndCheckModel(benchmark::State& state)
{
    World world;
    lumbra::writeModelFile(world.model(state.range(0))->document, world.path);
    for (auto _ : state)
    {
        auto content = lumbra::modelfile::readModelFile(world.path, world.shapes);
        if (!std::holds_alternative<lumbra::modelfile::ModelFileContent>(content))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(content);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(world.path);
}
BENCHMARK(BM_ReadAndCheckModel)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Reading, checking and adding to an empty document, as File Open does.
void BM_ImportModel(benchmark::State& state)
{
    World world;
    lumbra::writeModelFile(world.model(state.range(0))->document, world.path);
    lumbra::PluginFileImportTempFormat importer;
    importer.mai = &world.mai;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto doc = std::make_unique<BenchDoc>(&world.mai);
        world.mai.activeDocument = doc.get();
        state.ResumeTiming();
        if (!importer.import(world.path.c_str()))
            state.SkipWithError("refused");
        state.PauseTiming();
        world.mai.activeDocument = nullptr;
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(world.path);
}
BENCHMARK(BM_ImportModel)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
