// The four calculator plugins: their identities and result kinds, and runs on a worker through
// start, getResults and stop that reach the direct-stiffness answer of a small truss.
#include "Lumbra/Calculators/IteratorCalculators.h"
#include "plugins/DocumentChangeLock.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/lumbra/ReferenceStiffness.h"
#include "tests/support/Structures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

struct Identity
{
    std::function<std::unique_ptr<IteratorCalculator>()> make;
    const char* name;
    const char* key;
    const char* menuPath;
    std::vector<int32_t> resultIds;
};

std::vector<Identity> identities()
{
    return {
        {[] { return std::make_unique<PluginCalculatorBasicIterator>(); },
         "Basic Iterator",
         "CALCBASICITERATOR",
         "&Calculate\\&Method\\&Basic Iteration",
         {0, 1}},
        {[] { return std::make_unique<PluginCalculatorAutoBasicIterator>(); },
         "Auto Basic Iterator",
         "CALCAUTOBASICITER",
         "&Calculate\\&Method\\&Automated Basic Iteration",
         {0, 1}},
        {[] { return std::make_unique<PluginCalculatorVelocityIterator>(); },
         "Velocity Iterator",
         "CALC_V_ITERATOR",
         "&Calculate\\&Method\\&Velocity Iteration",
         {0, 1}},
        {[] { return std::make_unique<PluginCalculatorFullIterator>(); },
         "Full Iterator",
         "CALC_FULL_ITERATOR",
         "&Calculate\\&Method\\&Full Iteration",
         {0, 1, 2, 3}},
    };
}

// A two-bar truss loaded at its apex, with loads and weights small enough that the iteration on
// the deformed geometry stays within 1e-9 of the linear answer.
Structure twoBarTruss()
{
    Structure truss;
    const uint8_t held = JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ;
    truss.addJoint(-1, 0, 0, held);
    truss.addJoint(1, 0, 0, held);
    truss.addJoint(0, 0, 1, JointSupport::TranslationY, Vector3(10, 0, -20));
    truss.addMember(0, 2);
    truss.addMember(2, 1);
    truss.section.density = 100;
    return truss;
}

class Calculators : public ::testing::Test
{
protected:
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    StructureModel model{twoBarTruss(), doc.document};
};

TEST_F(Calculators, IdentitiesItemsAndResultKinds)
{
    for (const Identity& identity : identities())
    {
        SCOPED_TRACE(identity.name);
        std::unique_ptr<IteratorCalculator> calculator = identity.make();
        calculator->mai = &mai;
        EXPECT_STREQ(calculator->getName(), identity.name);
        EXPECT_FALSE(calculator->isSingleRun());
        std::vector<int32_t> ids;
        for (const CalculatorResultType* type = calculator->getResultTypes(); type->name != nullptr; ++type)
            ids.push_back(type->id);
        EXPECT_EQ(ids, identity.resultIds);

        std::unique_ptr<VornPluginBase> method(calculator->GetPackagedPlugin(0));
        ASSERT_NE(method, nullptr);
        EXPECT_STREQ(method->getName(), identity.menuPath);
        EXPECT_EQ(calculator->GetPackagedPlugin(2), nullptr);

        EXPECT_EQ(calculator->getCalculationState(&doc.document), 0);
        EXPECT_EQ(calculator->stopCalculation(&doc.document), 1);
        EXPECT_EQ(calculator->getResults(&doc, 0, 1), nullptr);
        ASSERT_EQ(calculator->startCalculation(&doc.document), 0);
        EXPECT_NE(calculator->findItem(doc.document), nullptr);
        EXPECT_STREQ(calculator->findItem(doc.document)->getName(), identity.key);
        EXPECT_EQ(calculator->getCalculationState(&doc.document), 2);
        for (int32_t id : {0, 1, 2, 3, jointVelocitiesId})
        {
            const bool answered =
                std::find(identity.resultIds.begin(), identity.resultIds.end(), id) != identity.resultIds.end();
            EXPECT_EQ(calculator->getResults(&doc, id, 10 + id) != nullptr, answered) << "result " << id;
        }
        EXPECT_EQ(calculator->stopCalculation(&doc.document), 0);
        delete calculator->findItem(doc.document);
    }
}

TEST_F(Calculators, AxialCalculatorsReachTheDirectStiffnessAnswerOnTheirWorker)
{
    struct Case
    {
        std::function<std::unique_ptr<IteratorCalculator>()> make;
        bool appliedForces;
    };
    const Case cases[] = {
        {[] { return std::make_unique<PluginCalculatorBasicIterator>(); }, false},
        {[] { return std::make_unique<PluginCalculatorAutoBasicIterator>(); }, true},
    };
    for (const Case& each : cases)
    {
        std::unique_ptr<IteratorCalculator> calculator = each.make();
        SCOPED_TRACE(calculator->getName());
        ReferenceOptions options;
        options.appliedForces = each.appliedForces;
        options.bending = false;
        const ReferenceSolution reference = solveReference(*model.joints, *model.members, options);

        ASSERT_EQ(calculator->startCalculation(&doc.document), 0);
        auto* published = static_cast<BlockList<CalcDisplacement>*>(calculator->getResults(&doc, 0, 0));
        ASSERT_NE(published, nullptr);
        int stamp = 1;
        // The published displacements and forces belong to one iteration: both must have arrived.
        const auto close = [&] {
            published = static_cast<BlockList<CalcDisplacement>*>(calculator->getResults(&doc, 0, stamp++));
            auto* forces = static_cast<BlockList<CalcNForce>*>(model.members->getChild("NForces"));
            const Vector3& expected = reference.displacements[2];
            const Vector3& actual = (*published)[2].displacement;
            const Vector3 error(actual.x - expected.x, actual.y - expected.y, actual.z - expected.z);
            return error.length() <= 1e-6 * expected.length() &&
                std::abs((*forces)[0].axialForce - reference.normalForces[0]) <=
                1e-6 * std::abs(reference.normalForces[0]);
        };
        EXPECT_TRUE(eventually(close)) << (*published)[2].displacement.x << " " << (*published)[2].displacement.z
                                       << " expected " << reference.displacements[2].x << " "
                                       << reference.displacements[2].z;
        EXPECT_EQ(calculator->stopCalculation(&doc.document), 0);
        delete calculator->findItem(doc.document);
    }
}

TEST_F(Calculators, TheFullIteratorPublishesNormalForcesOfItsOwn)
{
    PluginCalculatorFullIterator full;
    full.mai = &mai;
    ASSERT_EQ(full.startCalculation(&doc.document), 0);
    auto* item = dynamic_cast<FullIteratorItem*>(full.findItem(doc.document));
    ASSERT_NE(item, nullptr);
    int stamp = 1;
    EXPECT_TRUE(eventually([&] {
        auto* forces = static_cast<BlockList<CalcNForce>*>(full.getResults(&doc, 1, stamp++));
        return forces != nullptr && (*forces)[0].axialForce != 0.0;
    }));
    EXPECT_EQ(full.stopCalculation(&doc.document), 0);
    EXPECT_TRUE(mai.boxes.empty()) << mai.boxes[0].text;
}

TEST_F(Calculators, ParametersChangedWhileRunningTakeEffectAndResetClearsTheStatistics)
{
    PluginCalculatorAutoBasicIterator autoBasic;
    autoBasic.mai = &mai;
    ASSERT_EQ(autoBasic.startCalculation(&doc.document), 0);
    auto* item = dynamic_cast<AutoBasicIteratorItem*>(autoBasic.findItem(doc.document));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(eventually([&] { return item->statistics.biggestStiffness.load() > 0; }));
    const double stiffness = item->statistics.biggestStiffness.load();
    item->changeParameters([](AutoBasicParameters& values) { values.eFactor *= 2; });
    EXPECT_TRUE(eventually([&] { return item->statistics.biggestStiffness.load() > 1.5 * stiffness; }));
    ASSERT_EQ(autoBasic.resetCalculation(&doc.document), 0);
    EXPECT_EQ(autoBasic.stopCalculation(&doc.document), 0);
    EXPECT_FALSE(doc.hasUnexportedChanges()) << "a calculation and its reset are no edits of the model";
}

// A steel bar 5 cm long, held at one end and loaded at the other: stiff enough that a Time Base of
// 1e-6 at an E-factor of 1 makes the iterations that step through time blow up.
Structure stiffShortBar()
{
    Structure bar;
    bar.addJoint(0, 0, 0, JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ);
    bar.addJoint(0.05, 0, 0, JointSupport::TranslationY | JointSupport::TranslationZ, Vector3(1000, 0, 0));
    bar.addMember(0, 1);
    return bar;
}

TEST(CalculatorsBlowingUp, TheTimeSteppingIterationsNameTheTimeBaseAsTheSettingToChange)
{
    const auto run = [](IteratorCalculator& calculator, const auto& setParameters) {
        ScriptedMAI mai;
        CountingDoc doc{&mai};
        StructureModel model{stiffShortBar(), doc.document};
        // The box comes from the worker; the flag, set after the box is recorded, hands it over.
        std::atomic<bool> shown{false};
        mai.onBox = [&] { shown.store(true); };
        calculator.mai = &mai;
        EXPECT_EQ(calculator.startCalculation(&doc.document), 0);
        setParameters(calculator.findItem(doc.document));
        EXPECT_TRUE(eventually([&] { return shown.load(); }));
        calculator.stopCalculation(&doc.document);
        std::string text = shown.load() ? mai.boxes.front().text : std::string();
        delete calculator.findItem(doc.document);
        return text;
    };
    PluginCalculatorVelocityIterator velocity;
    const std::string velocityText = run(velocity, [](DocItemCalc* item) {
        static_cast<VelocityIteratorItem*>(item)->changeParameters([](auto& values) {
            values.eFactor = 1;
            values.timeBase = 1e-6;
        });
    });
    PluginCalculatorFullIterator full;
    const std::string fullText = run(full, [](DocItemCalc* item) {
        static_cast<FullIteratorItem*>(item)->changeParameters([](auto& values) {
            values.eFactor = 1;
            values.timeBase = 1e-6;
        });
    });
    for (const std::string& text : {velocityText, fullText})
    {
        EXPECT_NE(text.find("not a finite number"), std::string::npos) << text;
        EXPECT_NE(text.find("The Time Base is too large for this model's stiffness"), std::string::npos) << text;
        EXPECT_NE(text.find("E-factor"), std::string::npos) << text;
    }
}

} // namespace

namespace
{

// A Warren truss calculated while the interface thread adds and removes members and changes the
// section under the document lock, as the editing commands do. Built under ThreadSanitizer in CI.
TEST(CalculatorsWhileEditing, TheModelStaysSoundAndTheWorkerFollowsIt)
{
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    StructureModel model{warrenTruss(6, 2.0, 0, Vector3(0, 0, -10)), doc.document};
    PluginCalculatorAutoBasicIterator calculator;
    calculator.mai = &mai;
    ASSERT_EQ(calculator.startCalculation(&doc.document), 0);

    VornMaterial* material = &(*model.materials)[0];
    VornCrossSection* section = &(*model.crossSections)[0];
    for (int edit = 0; edit < 150; ++edit)
    {
        {
            DocumentChangeLock lock(&doc, "Test edit\nis waiting to gain access to the database.");
            ASSERT_TRUE(lock.isLocked());
            switch (edit % 3)
            {
            case 0: {
                VornMember* member = model.members->add();
                member->setStartJoint(&(*model.joints)[edit % model.joints->getCount()]);
                member->setEndJoint(&(*model.joints)[(edit + 3) % model.joints->getCount()]);
                member->setMaterial(material);
                member->setCrossSection(section);
                break;
            }
            case 1:
                (*model.members)[model.members->getCount() - 1].removeFromList();
                break;
            default:
                section->setValues(0.01 + 0.001 * (edit % 5), 1e-5, 6e-6, 0, 1.2e-5);
                break;
            }
        }
        calculator.getResults(&doc, 0, edit + 1);
    }
    EXPECT_EQ(calculator.stopCalculation(&doc.document), 0);
    EXPECT_TRUE(mai.boxes.empty());

    for (uint32_t index = 0; index < model.members->getCount(); ++index)
    {
        const VornMember& member = (*model.members)[index];
        EXPECT_NE(member.getStartJoint(), nullptr) << index;
        EXPECT_NE(member.getEndJoint(), nullptr) << index;
    }
    EXPECT_EQ(model.joints->getChild("Displacements")->getCount(), model.joints->getCount());
    EXPECT_EQ(model.members->getChild("NForces")->getCount(), model.members->getCount());
}

} // namespace
