#include "plugins/VornPluginObjectType.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr uint32_t visible = 0x10000000u; // WS_VISIBLE

class TestModifier : public VornPluginObjectModifier
{
public:
    explicit TestModifier(const char* name) : name(name) {}
    const char* getName() override { return name; }
    void about(PluginWindowHandle*) override {}
    platform::ToolbarButton* getButton() override { return &button; }
    VornModifier* activate(MAI_Doc*, VornModifier* record, uint32_t) override { return record; }
    void deactivate(MAI_Doc*) override {}
    const char* getToolCaption(int32_t) override { return name; }
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable*) override {}
    void rebuildBase(VornModifier*) override {}
    void updateModifier(VornModifier*) override {}
    const char* name;
};

class TestModifierPage : public PluginModifierPage
{
public:
    const char* getTypeName() override { return "Transform Pagette"; }
    const char* getName() override { return "Page"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(150); }
    void setObject(VornModifier* record) override { shown = record; }
    VornModifier* shown = nullptr;
};

// An edit pagette that has nothing to show for the selections listed in `refuses`.
class TestEditPagette : public VornPluginEditPagette
{
public:
    const char* getTypeName() override { return "Edit Joint Pagette"; }
    const char* getName() override { return "Edit"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(141); }
    bool updateFromSelection(int32_t, VornSelection* selection) override
    {
        ++updates;
        return selection == refuses;
    }
    VornSelection* refuses = nullptr;
    int updates = 0;
};

std::vector<std::string> ringOf(VornPluginObjectModifier* start)
{
    std::vector<std::string> names;
    VornPluginObjectModifier* modifier = start;
    do
    {
        names.push_back(modifier->getName());
        modifier = modifier->nextLinked;
    } while (modifier != nullptr && modifier != start && names.size() < 10);
    return names;
}

VornModifier* record(uintptr_t value)
{
    return reinterpret_cast<VornModifier*>(value); // only compared, never dereferenced
}

VornSelection* selection(uintptr_t value)
{
    return reinterpret_cast<VornSelection*>(value);
}

using Names = std::vector<std::string>;

} // namespace

TEST(ModifierRing, LinkingBuildsTheRingScaleMoveRotate)
{
    TestModifier scale("Scale"), rotate("Rotate"), move("Move");
    EXPECT_FALSE(scale.linkModifier(nullptr));
    EXPECT_EQ(scale.nextLinked, nullptr);
    EXPECT_TRUE(rotate.linkModifier(&scale));
    EXPECT_TRUE(move.linkModifier(&scale));
    EXPECT_EQ(ringOf(&scale), (Names{"Scale", "Move", "Rotate"}));
}

TEST(ModifierRing, AModifierAlreadyInARingOrLinkedToItselfIsRefused)
{
    TestModifier scale("Scale"), rotate("Rotate"), move("Move"), other("Other"), lone("Lone");
    rotate.linkModifier(&scale);
    move.linkModifier(&scale);
    other.linkModifier(&lone);
    EXPECT_FALSE(move.linkModifier(&lone));
    EXPECT_FALSE(lone.linkModifier(&lone));
    EXPECT_EQ(ringOf(&scale), (Names{"Scale", "Move", "Rotate"}));
    EXPECT_EQ(ringOf(&lone), (Names{"Lone", "Other"}));
}

TEST(ModifierRing, AModifierThatGoesLeavesItsRing)
{
    TestModifier scale("Scale"), rotate("Rotate");
    auto move = std::make_unique<TestModifier>("Move");
    rotate.linkModifier(&scale);
    move->linkModifier(&scale);
    move.reset();
    EXPECT_EQ(ringOf(&scale), (Names{"Scale", "Rotate"}));
    {
        TestModifier last("Last");
        last.linkModifier(&rotate);
    }
    EXPECT_EQ(ringOf(&rotate), (Names{"Rotate", "Scale"}));
    auto alone = std::make_unique<TestModifier>("Alone");
    TestModifier partner("Partner");
    partner.linkModifier(alone.get());
    alone.reset();
    EXPECT_EQ(partner.nextLinked, nullptr) << "the one left is alone again";
}

TEST(ModifierRing, PagettesOfEveryLinkedModifierShowTheSameRecord)
{
    TestModifier scale("Scale"), rotate("Rotate"), move("Move");
    rotate.linkModifier(&scale);
    move.linkModifier(&scale);
    TestModifierPage scalePage, movePage, windowless;
    FakeWindowHandle scaleWindow, moveWindow;
    scalePage.windowHandle = &scaleWindow;
    movePage.windowHandle = &moveWindow;
    scale.addPagette(&scalePage);
    move.addPagette(&movePage);
    rotate.addPagette(&windowless);

    rotate.modifyPagetteStyle(0, visible, record(0x40), 0);
    EXPECT_EQ(scalePage.shown, record(0x40));
    EXPECT_EQ(movePage.shown, record(0x40));
    EXPECT_EQ(windowless.shown, nullptr); // skipped: no window
    EXPECT_TRUE(scaleWindow.isVisible());
    EXPECT_TRUE(moveWindow.isVisible());

    move.modifyPagetteStyle(visible, 0, nullptr, 0);
    EXPECT_EQ(scalePage.shown, record(0x40));
    EXPECT_FALSE(scaleWindow.isVisible());

    scale.setPagettesObject(record(0x80));
    EXPECT_EQ(movePage.shown, record(0x80));
    scale.setPagettesObject(nullptr);
    EXPECT_EQ(movePage.shown, record(0x80));
}

TEST(PagetteLists, NewestFirstWithTheOwnerSetAndOneListPerPagette)
{
    RecordingCreator creator;
    TestEditPagette first, second;
    creator.addEditPagette(&first);
    creator.addEditPagette(&second);
    creator.addCreatePagette(&first); // already in a list: stays there
    EXPECT_EQ(creator.editPagettes.first(), &second);
    EXPECT_EQ(second.nextPagette, &first);
    EXPECT_EQ(first.prevPagette, &second);
    EXPECT_EQ(first.owner, &creator);
    EXPECT_EQ(creator.createPagettes.first(), nullptr);
}

TEST(PagetteLists, WindowsAreMadeThroughEachPagettesApplicationInterface)
{
    FakeMAI mai;
    RecordingCreator creator;
    TestEditPagette first, second, orphan;
    first.mai = &mai;
    second.mai = &mai;
    creator.addEditPagette(&first);
    creator.addEditPagette(&orphan); // no application interface: no window
    creator.addEditPagette(&second);
    creator.createEditPagetteWindows(nullptr);
    EXPECT_EQ(mai.requests, (std::vector<int32_t>{141, 141}));
}

TEST(EditPagettes, ShowThoseThatApplyRefreshTheShownAndHideTheRest)
{
    RecordingCreator creator;
    TestEditPagette appliesShown, appliesHidden, refusesShown, refusesHidden, windowless;
    FakeWindowHandle shownA(visible), hiddenA(0), shownR(visible), hiddenR(0);
    appliesShown.windowHandle = &shownA;
    appliesHidden.windowHandle = &hiddenA;
    refusesShown.windowHandle = &shownR;
    refusesHidden.windowHandle = &hiddenR;
    for (TestEditPagette* pagette : {&appliesShown, &appliesHidden, &refusesShown, &refusesHidden, &windowless})
    {
        pagette->refuses = pagette == &refusesShown || pagette == &refusesHidden ? selection(0x10) : nullptr;
        creator.addEditPagette(pagette);
    }

    creator.updateEditPagettes(nullptr, selection(0x10), visible, 0);
    EXPECT_EQ(shownA.redraws, 1);
    EXPECT_EQ(shownA.style, visible);
    EXPECT_EQ(hiddenA.style, visible);
    EXPECT_EQ(shownR.style, 0u);
    EXPECT_EQ(hiddenR.style, 0u);
    EXPECT_EQ(hiddenR.redraws, 0);
    EXPECT_EQ(windowless.updates, 0);

    creator.updateEditPagettes(nullptr, nullptr, visible, 0);
    for (FakeWindowHandle* window : {&shownA, &hiddenA, &shownR, &hiddenR})
        EXPECT_FALSE(window->isVisible());
}

TEST(ObjectKinds, TypeNamesOfTheKinds)
{
    RecordingCreator creator;
    TestModifier modifier("Move");
    EXPECT_STREQ(creator.getTypeName(), "Object Creator");
    EXPECT_STREQ(creator.VornPluginObjectType::getTypeName(), "ObjectType");
    EXPECT_STREQ(modifier.getTypeName(), "Object Modifier");
    EXPECT_EQ(modifier.getImageIndex(), -1);
    modifier.setImageIndex(4);
    EXPECT_EQ(modifier.getImageIndex(), 4);
    EXPECT_EQ(modifier.getSecondBitmapID(), modifier.getBitmapID());
}
