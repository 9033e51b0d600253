// The Transform Properties pagette and the History pagette on the console's Edit page, with the
// library's Move, Rotate and Scale on the shared model: what the user types, what the modifier
// tools announce, and what the History tree lists and picks.
#include "Lumbra/Modifiers/HistoryPagette.h"
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "Lumbra/Modifiers/TransformPropertiesPagette.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/InputSimulation.h"
#include "plugins/TransformParameters.h"
#include "tests/lumbra/ConsoleTestSupport.h"

#include <string>
#include <vector>

using namespace lumbra;

namespace
{

class TransformPagettes : public ConsoleTest
{
protected:
    void SetUp() override
    {
        registerTransformModifierImages();
        registerTransformPagetteTemplate();
        registerHistoryPagetteResources();
        buildSharedModel(model);
        for (const char* name : {"J1", "J2", "J3"})
            joint(name)->resetToCreation();
        registry.addPluginType(&mai.pluginLists.objectModifiers, "Object Modifier", nullptr);
        addLibraryConsole();
        scale = add(new PluginModifierScale);
        rotate = add(new PluginModifierRotate);
        move = add(new PluginModifierMove);
        rotate->linkModifier(scale);
        move->linkModifier(scale);
        openConsole();
        auto* editPage = page<PluginMCPageEdit>("Edit Page");
        for (VornPluginBase* entry = editPage->staticPagettes; entry != nullptr; entry = entry->getNext())
            if (auto* found = dynamic_cast<PluginEditStaticPageHistory*>(entry))
                history = found;
        ASSERT_NE(history, nullptr);
        ASSERT_NE(history->window(), nullptr);
        ASSERT_TRUE(history->window()->exists());
        properties = dynamic_cast<PluginModifierPageTransformProperties*>(move->transformPagettes);
        ASSERT_NE(properties, nullptr);
        ASSERT_TRUE(properties->window()->exists());
    }

    VornJoint* joint(const char* name) { return model.named<VornJoint>(name); }

    // The user picks the objects (the view's pick sends "PRESL" and "SELCH").
    void pick(const std::vector<const char*>& names)
    {
        mai.notifierRegistry.notify(Channel::SelectionChanging, nullptr);
        VornSelection* selection = doc.document.newSelection();
        for (auto name = names.rbegin(); name != names.rend(); ++name)
        {
            VornSelectable* object = model.named<VornJoint>(*name);
            if (object == nullptr)
                object = model.named<VornMember>(*name);
            selection->add(object);
            object->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
        }
        mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
        processMessages();
    }

    // The user chooses the modifier's menu item.
    VornModifier* useTool(PluginModifierTransform* modifier)
    {
        modifier->menuItem->execute(&view);
        processMessages();
        return doc.getActiveModifier();
    }

    CPageModifierMoveRotateScale& pagette() { return *properties->window(); }

    void type(int32_t editId, const std::string& text)
    {
        platform::Window* edit = pagette().dlgItem(editId);
        ASSERT_NE(edit, nullptr);
        pagette().gotoDlgCtrl(edit);
        edit->setWindowText("");
        platform::simulateTyping(edit->handle(), text);
        processMessages();
    }

    std::vector<std::string> treeTexts()
    {
        std::vector<std::string> texts;
        platform::TreeControl& tree = history->window()->tree;
        for (platform::TreeItem item = tree.rootItem(); item != platform::TreeItem::None; item = tree.nextSibling(item))
        {
            texts.push_back(tree.itemText(item));
            for (platform::TreeItem child = tree.childItem(item); child != platform::TreeItem::None;
                 child = tree.nextSibling(child))
                texts.push_back("  " + tree.itemText(child));
        }
        return texts;
    }

    TransformParameters parametersOf(VornModifier* record)
    {
        TransformParameters parameters{};
        EXPECT_TRUE(readTransformParameters(*record, parameters));
        return parameters;
    }

    bool pagetteShown() { return (pagette().style() & platform::WS_VISIBLE) != 0; }

    ModelDocument model{doc.document};
    PluginModifierScale* scale = nullptr;
    PluginModifierRotate* rotate = nullptr;
    PluginModifierMove* move = nullptr;
    PluginEditStaticPageHistory* history = nullptr;
    PluginModifierPageTransformProperties* properties = nullptr;
};

constexpr int32_t moveXEdit = 1134;
constexpr int32_t rotateZEdit = 1019;
constexpr int32_t scaleYEdit = 1022;

} // namespace

TEST_F(TransformPagettes, TheMoveToolShowsANewRecordInTheHistoryAndItsNeutralValues)
{
    pick({"J1"});
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"Joint creation"}));
    VornModifier* record = useTool(move);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"MOVE/rotate/scale", "Joint creation"}));
    EXPECT_TRUE(pagetteShown());
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "0");
    EXPECT_EQ(pagette().dlgItemText(rotateZEdit), "0");
    EXPECT_EQ(pagette().dlgItemText(scaleYEdit), "1");
}

TEST_F(TransformPagettes, TypingARotationTurnsAMoveRecordIntoARotateRecordAndKeepsItsTranslation)
{
    pick({"J1", "J2"}); // pivot (1.5, 2, 0)
    VornModifier* record = useTool(move);
    ASSERT_NE(record, nullptr);
    type(moveXEdit, "2");
    EXPECT_EQ(parametersOf(record).move.x, 2.0f);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 2.0);
    EXPECT_EQ(PluginModifierTransform::transformOf(record), move);

    const int invalidationsBefore = doc.invalidations;
    type(rotateZEdit, "45");
    EXPECT_EQ(PluginModifierTransform::transformOf(record), rotate);
    EXPECT_EQ(parametersOf(record).rotate.z, 45.0f);
    EXPECT_EQ(parametersOf(record).move.x, 2.0f);
    type(rotateZEdit, "90");
    EXPECT_EQ(parametersOf(record).rotate.z, 90.0f);
    EXPECT_EQ(parametersOf(record).move.x, 2.0f);
    // J1 (0,0,0) turns about the pivot to (-0.5, 3.5, 0), then moves by 2 along x.
    EXPECT_NEAR(joint("J1")->getPosition().x, 1.5, 1e-9);
    EXPECT_NEAR(joint("J1")->getPosition().y, 3.5, 1e-9);
    EXPECT_GT(doc.invalidations, invalidationsBefore);
    // The tree shows the new caption only when it is next rebuilt.
    EXPECT_EQ(treeTexts()[0], "MOVE/rotate/scale");

    type(scaleYEdit, "2");
    EXPECT_EQ(PluginModifierTransform::transformOf(record), scale);
    const TransformParameters parameters = parametersOf(record);
    EXPECT_EQ(parameters.scale.x, 1.0f);
    EXPECT_EQ(parameters.scale.y, 2.0f);
    EXPECT_EQ(parameters.rotate.z, 90.0f);
}

TEST_F(TransformPagettes, ASpinButtonStepsItsValueAndAppliesItsGroup)
{
    pick({"J1"});
    VornModifier* record = useTool(move);
    ASSERT_NE(record, nullptr);
    type(scaleYEdit, "3"); // typed, then a spin of another group keeps it
    platform::Window* spinner = pagette().dlgItem(1137); // move x
    ASSERT_NE(spinner, nullptr);
    const platform::Rect area = spinner->clientRect();
    const platform::Point upperHalf{area.width() / 2, area.height() / 4};
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, upperHalf);
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, upperHalf);
    processMessages();
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "1");
    const TransformParameters parameters = parametersOf(record);
    EXPECT_EQ(parameters.move.x, 1.0f);
    EXPECT_EQ(parameters.scale.y, 3.0f);
    EXPECT_EQ(PluginModifierTransform::transformOf(record), move);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 1.0);
}

TEST_F(TransformPagettes, ARecordLoadedIntoThePagetteIsNeverTakenForTyping)
{
    pick({"J1"});
    VornModifier* record = useTool(move);
    ASSERT_NE(record, nullptr);
    TransformParameters parameters = parametersOf(record);
    parameters.rotate = {0, 0, 30};
    parameters.scale = {2, 2, 2};
    writeTransformParameters(*record, parameters);
    const int invalidationsBefore = doc.invalidations;
    properties->setObject(record);
    processMessages();
    EXPECT_EQ(pagette().dlgItemText(rotateZEdit), "30");
    EXPECT_EQ(pagette().dlgItemText(scaleYEdit), "2");
    // Still a Move record, its matrices as they were, nothing redrawn.
    EXPECT_EQ(PluginModifierTransform::transformOf(record), move);
    EXPECT_EQ(parametersOf(record).pointMatrix.m[0], 1.0);
    EXPECT_EQ(doc.invalidations, invalidationsBefore);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 0.0);
}

TEST_F(TransformPagettes, ANoticeOfAModifierToolReloadsOnlyTheActiveRecordWhileShown)
{
    pick({"J3"});
    VornModifier* other = useTool(move);
    ASSERT_NE(other, nullptr);
    pick({"J1"});
    VornModifier* active = useTool(rotate);
    ASSERT_NE(active, nullptr);
    ASSERT_NE(active, other);
    other = &(*model.modifiers)[0] == active ? &(*model.modifiers)[1] : &(*model.modifiers)[0];

    TransformParameters changed = parametersOf(other);
    changed.move = {7, 0, 0};
    writeTransformParameters(*other, changed);
    mai.notifierRegistry.notify(Channel::ModifierChanged, other);
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "0");

    changed = parametersOf(active);
    changed.move = {5, 0, 0};
    writeTransformParameters(*active, changed);
    pagette().modifyStyle(platform::WS_VISIBLE, 0, 0);
    mai.notifierRegistry.notify(Channel::ModifierChanged, active);
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "0");
    pagette().modifyStyle(0, platform::WS_VISIBLE, 0);
    mai.notifierRegistry.notify(Channel::ModifierChanged, active);
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "5");
}

TEST_F(TransformPagettes, PickingAHistoryEntryMakesItsRecordActiveOrShowsTheCreatorPagettes)
{
    pick({"J1"});
    VornModifier* older = useTool(move);
    ASSERT_NE(older, nullptr);
    type(moveXEdit, "1");
    pick({"J1", "J2"});
    ASSERT_NE(useTool(rotate), nullptr);
    pick({"J1"});
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"move/ROTATE/scale", "MOVE/rotate/scale", "Joint creation"}));

    platform::TreeControl& tree = history->window()->tree;
    const platform::TreeItem second = tree.nextSibling(tree.rootItem());
    tree.selectItem(second);
    processMessages();
    VornModifier* picked = doc.getActiveModifier();
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(PluginModifierTransform::transformOf(picked), move);
    EXPECT_EQ(pagette().dlgItemText(moveXEdit), "1");
    EXPECT_TRUE(pagetteShown());

    tree.selectItem(tree.nextSibling(second));
    processMessages();
    EXPECT_EQ(doc.getActiveModifier(), nullptr);
    EXPECT_FALSE(pagetteShown());

    pick({"J1", "M1"});
    EXPECT_EQ(treeTexts(),
              (std::vector<std::string>{"not shared modifiers", "Creation", "  Joint creation", "  Member creation"}));
    pick({});
    EXPECT_EQ(treeTexts(), (std::vector<std::string>{"no objects selected"}));
    EXPECT_FALSE(tree.isEnabled());
}
