#include "Lumbra/CalculationMenuItems.h"
#include "plugins/VornPluginCalculator.h"
#include "tests/lumbra/LumbraTestDoubles.h"

using namespace lumbra;

namespace
{

// A calculator that records what it is told and runs until stopped.
class FakeCalculator : public VornPluginCalculator
{
public:
    explicit FakeCalculator(bool singleRun = false) : singleRun(singleRun) {}
    const char* getName() override { return "Fake Iterator"; }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return singleRun; }
    int32_t startCalculation(VornDocument* document) override { return record("start", document, Running); }
    int32_t stopCalculation(VornDocument* document) override { return record("stop", document, 0); }
    int32_t resetCalculation(VornDocument* document) override { return record("reset", document, state); }
    int32_t getCalculationState(VornDocument*) override { return state; }

    int32_t record(const char* call, VornDocument* document, int32_t newState)
    {
        calls.push_back(call);
        documents.push_back(document);
        state = newState;
        return 0;
    }

    bool singleRun;
    int32_t state = 0;
    std::vector<std::string> calls;
    std::vector<VornDocument*> documents;
};

class CalculationCommands : public LumbraCommandTest
{
protected:
    CalculationCommands()
    {
        adopt(calculate);
        adopt(reset);
    }

    PluginMenuItemCalculate calculate;
    PluginMenuItemResetCalculation reset;
};

TEST_F(CalculationCommands, WithoutAnActiveCalculatorBothAreDisabledAndDoNothing)
{
    for (MAI_View* target : {static_cast<MAI_View*>(nullptr), static_cast<MAI_View*>(&view)})
    {
        RecordedCommandState state = update(calculate, target);
        EXPECT_EQ(state.enabled, 0);
        EXPECT_EQ(state.check, 0);
        EXPECT_EQ(update(reset, target).enabled, 0);
        calculate.execute(target);
        reset.execute(target);
    }
    EXPECT_EQ(calculate.onMouse(&view, 0, 0, 0, 0x1000), true);
}

TEST_F(CalculationCommands, CalculateStartsAnIteratorThenStopsItAndShowsPressedMeanwhile)
{
    FakeCalculator iterator;
    doc.setActiveCalculator(&iterator);
    EXPECT_EQ(update(calculate, &view).check, 0);
    EXPECT_EQ(update(reset, &view).enabled, 0) << "nothing runs";
    reset.execute(&view);
    EXPECT_TRUE(iterator.calls.empty());

    calculate.execute(&view);
    RecordedCommandState running = update(calculate, &view);
    EXPECT_EQ(running.enabled, 1);
    EXPECT_EQ(running.check, 1);
    EXPECT_EQ(update(reset, &view).enabled, 1);
    reset.execute(&view);
    calculate.execute(&view);

    EXPECT_EQ(iterator.calls, (std::vector<std::string>{"start", "reset", "stop"}));
    EXPECT_EQ(iterator.documents, (std::vector<VornDocument*>(3, &doc.document)));
    EXPECT_EQ(update(calculate, &view).check, 0);
    EXPECT_EQ(update(calculate, nullptr).enabled, 0);
}

TEST_F(CalculationCommands, ASingleRunCalculatorStartsEveryTimeAndIsNeverPressedOrReset)
{
    FakeCalculator once(true);
    doc.setActiveCalculator(&once);
    calculate.execute(&view);
    EXPECT_EQ(update(calculate, &view).check, 0);
    EXPECT_EQ(update(reset, &view).enabled, 0);
    reset.execute(&view);
    calculate.execute(&view);
    EXPECT_EQ(once.calls, (std::vector<std::string>{"start", "start"}));
}

TEST_F(LumbraCommandTest, AMethodItemActsOnTheActiveDocumentAndMarksItsCalculator)
{
    FakeCalculator full;
    FakeCalculator basic;
    PluginMenuItemSelectCalculationMethod fullItem(&full, "&Calculate\\&Method\\&Full Iteration");
    PluginMenuItemSelectCalculationMethod basicItem(&basic, "&Calculate\\&Method\\&Basic Iteration");
    adopt(fullItem);
    adopt(basicItem);
    CountingDoc second(&mai);
    mai.activeDocument = &second;

    fullItem.execute(&view); // the view is of the other document: it does not matter

    EXPECT_EQ(second.getActiveCalculator(), &full);
    EXPECT_EQ(doc.getActiveCalculator(), nullptr);
    EXPECT_EQ(update(fullItem, nullptr).radio, 1);
    EXPECT_EQ(update(basicItem, nullptr).radio, 0);
    EXPECT_EQ(update(basicItem, nullptr).enabled, 1);
    mai.activeDocument = &doc;
    EXPECT_EQ(update(fullItem, &view).radio, 0);
    mai.activeDocument = nullptr;
    EXPECT_EQ(update(fullItem, &view).enabled, 0);
    fullItem.execute(&view);

    EXPECT_STREQ(fullItem.getName(), "&Calculate\\&Method\\&Full Iteration");
    EXPECT_STREQ(fullItem.getButtonText(), fullItem.getName());
    EXPECT_STREQ(fullItem.getMenuText(), "&Full Iteration");
    EXPECT_EQ(fullItem.getBitmapID(), 0);
    PluginMenuItemSelectCalculationMethod empty(nullptr, "&Calculate\\&Method\\&None");
    adopt(empty);
    mai.activeDocument = &doc;
    EXPECT_EQ(update(empty, &view).enabled, 0);
}

} // namespace
