#include "Lumbra/Calculators/IteratorCalculators.h"

#include "Lumbra/CalculationMenuItems.h"
#include "Lumbra/Calculators/CalculatorSetupPages.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"

#include <new>
#include <string>

namespace lumbra
{

namespace
{

constexpr CalculatorResultType axialResultTypes[] = {{"jointdisplacements", 0}, {"membernforces", 1}, {nullptr, 0}};
// The Full iterator also answers the normal forces of its members, so that member properties never
// show another calculator's forces.
constexpr CalculatorResultType fullResultTypes[] = {
    {"jointdisplacements", 0}, {"membernforces", 1}, {"jointreorientation", 2}, {"memberreactions", 3}, {nullptr, 0}};

const CalculatorIdentity basicIdentity{"Basic Iterator",
                                       "Basic Iterator:\nCalculator Basic Iterator",
                                       "Calculator Basic Iterator",
                                       "Basic Iterator",
                                       "CALCBASICITERATOR",
                                       "&Calculate\\&Method\\&Basic Iteration",
                                       "PluginCalculatorBasicIterator::GetPackagedPlugin",
                                       axialResultTypes};
const CalculatorIdentity autoBasicIdentity{"Auto Basic Iterator",
                                           "Auto Basic Iterator:\nCalculator Basic Iterator",
                                           "Calculator Auto Basic Iterator",
                                           "Auto Basic Iterator",
                                           "CALCAUTOBASICITER",
                                           "&Calculate\\&Method\\&Automated Basic Iteration",
                                           "PluginCalculatorAutoBasicIterator::GetPackagedPlugin",
                                           axialResultTypes};
const CalculatorIdentity velocityIdentity{"Velocity Iterator",
                                          "Velocity Iterator:\nCalculator Velocity Iterator",
                                          "Calculator Velocity Iterator",
                                          "Velocity Iterator",
                                          "CALC_V_ITERATOR",
                                          "&Calculate\\&Method\\&Velocity Iteration",
                                          "PluginCalculatorVelocityIterator::GetPackagedPlugin",
                                          axialResultTypes};
const CalculatorIdentity fullIdentity{"Full Iterator",
                                      "Full Iterator:\nCalculator Velocity Iterator",
                                      "Calculator Velocity Iterator",
                                      "Full Iterator",
                                      "CALC_FULL_ITERATOR",
                                      "&Calculate\\&Method\\&Full Iteration",
                                      "PluginCalculatorFullIterator::GetPackagedPlugin",
                                      fullResultTypes};

constexpr const char* notFiniteText =
    "The calculation produced a value that is not a finite number and was stopped.\nThe results are those "
    "of the last finite iteration.\n\nCheck the model for members without stiffness, joints without "
    "support and calculation factors that are too large.";
// The iterations that step through time are stable only while the Time Base stays below a bound
// set by the model's stiffest member, so that is the setting to change.
constexpr const char* timeStepTooLargeText =
    "The calculation produced a value that is not a finite number and was stopped.\nThe results are those "
    "of the last finite iteration.\n\nThe Time Base is too large for this model's stiffness: make the "
    "Time Base smaller (or lower the E-factor).";

template <class Record, bool Target>
auto* listOf(BlockListBase* list)
{
    using Typed = std::conditional_t<Target, BlockList<Record>, const BlockList<Record>>;
    return static_cast<Typed*>(list);
}

template <bool Target>
BlockListBase* roleOf(ResultTriple& triple)
{
    return Target ? triple.target() : triple.source();
}

template <bool Target>
AxialLists<Target> axialLists(ResultStore& results)
{
    AxialLists<Target> lists;
    lists.displacements = listOf<CalcDisplacement, Target>(roleOf<Target>(results.triple(jointDisplacements.id)));
    lists.forces = listOf<CalcNForce, Target>(roleOf<Target>(results.triple(memberNormalForces.id)));
    return lists;
}

template <bool Target>
VelocityLists<Target> velocityLists(ResultStore& results)
{
    VelocityLists<Target> lists;
    static_cast<AxialLists<Target>&>(lists) = axialLists<Target>(results);
    lists.velocities = listOf<CalcJointV, Target>(roleOf<Target>(results.triple(jointVelocitiesId)));
    return lists;
}

template <bool Target>
FullLists<Target> fullLists(ResultStore& results)
{
    FullLists<Target> lists;
    static_cast<VelocityLists<Target>&>(lists) = velocityLists<Target>(results);
    lists.reorientations = listOf<CalcReorientation, Target>(roleOf<Target>(results.triple(jointReorientations.id)));
    lists.reactions = listOf<CalcMReaction, Target>(roleOf<Target>(results.triple(memberReactions.id)));
    return lists;
}

} // namespace

void IterationStatistics::record(const IterationReport& report)
{
    outOfBalanceForce.store(report.outOfBalanceForce);
    outOfBalanceMoment.store(report.outOfBalanceMoment);
    biggestStiffness.store(report.biggestStiffness);
    if (report.usedFactor != 0)
        usedFactor.store(report.usedFactor);
}

void IterationStatistics::clear()
{
    outOfBalanceForce.store(0);
    outOfBalanceMoment.store(0);
}

template <class Parameters>
bool KernelItem<Parameters>::prepare(VornDocument& document, bool modelChanged)
{
    // Nobody else held the document lock since the last iteration: the model and the result lists
    // are as that iteration left them.
    if (!modelChanged)
        return true;
    auto* joints = dynamic_cast<BlockList<VornJoint>*>(document.getBlockList("VornJoint"));
    auto* members = dynamic_cast<BlockList<VornMember>*>(document.getBlockList("VornMember"));
    if (joints == nullptr || members == nullptr)
        return false;
    model_.build(*joints, *members);
    return true;
}

template <class Parameters>
IterationOutcome KernelItem<Parameters>::conclude(const IterationReport& report)
{
    if (!report.finite)
        return {false, requires(Parameters values) { values.timeBase; } ? timeStepTooLargeText : notFiniteText};
    statistics.record(report);
    return {};
}

BasicIteratorItem::BasicIteratorItem() : KernelItem(basicIdentity.itemKey, {0, 1}, false)
{
}

IterationOutcome BasicIteratorItem::iterate(VornDocument& document, ResultStore& results, bool modelChanged)
{
    if (!prepare(document, modelChanged))
        return {false, "The document has no joint or member list."};
    return conclude(
        iterateBasic(model_, parameters(), axialLists<false>(results), axialLists<true>(results), scratch_));
}

AutoBasicIteratorItem::AutoBasicIteratorItem() : KernelItem(autoBasicIdentity.itemKey, {0, 1}, true)
{
}

IterationOutcome AutoBasicIteratorItem::iterate(VornDocument& document, ResultStore& results, bool modelChanged)
{
    if (!prepare(document, modelChanged))
        return {false, "The document has no joint or member list."};
    return conclude(
        iterateAutoBasic(model_, parameters(), axialLists<false>(results), axialLists<true>(results), scratch_));
}

VelocityIteratorItem::VelocityIteratorItem() : KernelItem(velocityIdentity.itemKey, {0, 1, jointVelocitiesId}, true)
{
}

IterationOutcome VelocityIteratorItem::iterate(VornDocument& document, ResultStore& results, bool modelChanged)
{
    if (!prepare(document, modelChanged))
        return {false, "The document has no joint or member list."};
    VelocityParameters values = parameters();
    // The floor belongs to the document: its setup page sets it for every calculator.
    values.floorEnabled = document.floorEnabled.load();
    values.floorHeight = document.floorHeight.load();
    return conclude(
        iterateVelocity(model_, values, velocityLists<false>(results), velocityLists<true>(results), scratch_));
}

FullIteratorItem::FullIteratorItem() : KernelItem(fullIdentity.itemKey, {0, 1, 2, 3, jointVelocitiesId}, false)
{
}

IterationOutcome FullIteratorItem::iterate(VornDocument& document, ResultStore& results, bool modelChanged)
{
    if (!prepare(document, modelChanged))
        return {false, "The document has no joint or member list."};
    return conclude(iterateFull(model_, parameters(), fullLists<false>(results), fullLists<true>(results), scratch_));
}

void IteratorCalculator::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, identity_.aboutCaption, std::string(identity_.aboutText) + "\n2000");
}

VornPluginBase* IteratorCalculator::GetPackagedPlugin(uint32_t index)
{
    VornPlugin* packaged = nullptr;
    if (index == 0)
        packaged = new (std::nothrow) PluginMenuItemSelectCalculationMethod(this, identity_.methodMenuPath);
    else if (index == 1)
        packaged = makeSetupPage();
    else
        return nullptr;
    if (packaged == nullptr)
        throw Exc_OutOfMemory(identity_.packagingThrower);
    return package(packaged);
}

DocItemCalc* IteratorCalculator::findItem(VornDocument& document) const
{
    return dynamic_cast<DocItemCalc*>(document.getDocumentItem(identity_.itemKey));
}

DocItemCalc& IteratorCalculator::itemOf(VornDocument& document)
{
    if (DocItemCalc* item = findItem(document))
        return *item;
    std::unique_ptr<DocItemCalc> item = makeItem();
    document.addDocumentItem(item.get());
    return *item.release();
}

int32_t IteratorCalculator::startCalculation(VornDocument* document)
{
    return document != nullptr ? itemOf(*document).startCalculation(*document) : 1;
}

int32_t IteratorCalculator::resetCalculation(VornDocument* document)
{
    DocItemCalc* item = document != nullptr ? findItem(*document) : nullptr;
    return item != nullptr ? item->resetCalculation(*document) : 1;
}

int32_t IteratorCalculator::stopCalculation(VornDocument* document)
{
    DocItemCalc* item = document != nullptr ? findItem(*document) : nullptr;
    return item != nullptr ? item->stopCalculation() : 1;
}

int32_t IteratorCalculator::getCalculationState(VornDocument* document)
{
    DocItemCalc* item = document != nullptr ? findItem(*document) : nullptr;
    return item != nullptr ? item->getCalculationState() : 0;
}

BlockListBase* IteratorCalculator::getResults(MAI_Doc* document, int32_t resultId, int32_t stamp)
{
    DocItemCalc* item = document != nullptr ? findItem(document->document) : nullptr;
    return item != nullptr ? item->getResults(resultId, stamp) : nullptr;
}

PluginCalculatorBasicIterator::PluginCalculatorBasicIterator() : IteratorCalculatorOf(basicIdentity)
{
}
CalculatorSetupPage* PluginCalculatorBasicIterator::makeSetupPage()
{
    return new (std::nothrow) PluginCalculatorBasicIteratorSetupPage(this);
}

PluginCalculatorAutoBasicIterator::PluginCalculatorAutoBasicIterator() : IteratorCalculatorOf(autoBasicIdentity)
{
}
CalculatorSetupPage* PluginCalculatorAutoBasicIterator::makeSetupPage()
{
    return new (std::nothrow) PluginCalculatorAutoBasicIteratorSetupPage(this);
}

PluginCalculatorVelocityIterator::PluginCalculatorVelocityIterator() : IteratorCalculatorOf(velocityIdentity)
{
}
CalculatorSetupPage* PluginCalculatorVelocityIterator::makeSetupPage()
{
    return new (std::nothrow) PluginCalculatorVelocityIteratorSetupPage(this);
}

PluginCalculatorFullIterator::PluginCalculatorFullIterator() : IteratorCalculatorOf(fullIdentity)
{
}
CalculatorSetupPage* PluginCalculatorFullIterator::makeSetupPage()
{
    return new (std::nothrow) PluginCalculatorFullIteratorSetupPage(this);
}

} // namespace lumbra
