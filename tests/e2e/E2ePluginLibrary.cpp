// A plugin library for the end-to-end runs, so the program has plugins of its own to show while
// the real libraries are being built: a calculator, an importer, a menu item under
// "&Calculate\&Method", a "Main Options" toolbar with a button, a menu item that puts a small
// model into the active document for the views to show, and a tool that hands the mouse to the
// view type (its selection).
#include "platform/CommandRouting.h"
#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginFile.h"
#include "plugins/VornPluginMenuItem.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornGroup.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"

#include <string>

namespace e2e_library
{

constexpr int32_t buttonBitmap = 500;
constexpr int32_t panelDialog = 501;

// A docked panel made from a dialog template of this library.
class Panel : public VornPluginDialog
{
public:
    const char* getName() override { return "E2E Panel"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        if (dialogObject == nullptr)
            dialogObject = new platform::Dialog(panelDialog);
        return requestWindow(panelDialog);
    }
    const char* getWindowTitle() override { return "E2E Panel"; }
    int32_t getDockInfo(uint32_t key) override
    {
        switch (key)
        {
        case DockInfo::AllowedSides:
            return 0x5000; // left or right
        case DockInfo::InitialDockBar:
            return 0xE81D; // right
        case DockInfo::BarParameter:
            return 8;
        default:
            return 0;
        }
    }
};

class Calculator : public VornPluginCalculator
{
public:
    const char* getName() override { return "E2E Iterator"; }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return false; }
    int32_t getCalculationState(VornDocument*) override { return 0; }
};

class Importer : public VornPluginFileImport
{
public:
    const char* getName() override { return "E2E Format"; }
    void about(PluginWindowHandle*) override {}
    const char* getExtension() override { return "e2e"; }
    const char* getFormatName() override { return "E2E Format"; }
    bool import(const char*) override { return true; }
    bool canImport(const char*) override { return true; }
};

class MethodItem : public VornPluginMenuItem
{
public:
    const char* getName() override { return "E2E Method"; }
    const char* getMenuPath() override { return "&Calculate\\&Method\\&E2E Iteration"; }
    int32_t getBitmapID() override { return buttonBitmap; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override { checked = !checked; }
    void updateCommandUI(platform::CommandState* state, MAI_View* view) override
    {
        state->Enable(view != nullptr);
        state->SetCheck(checked ? 1 : 0);
    }
    bool checked = false;
};

class MainOptions : public VornPluginToolbar
{
public:
    const char* getName() override { return "Main Options"; }
    const char* getMenuPath() override { return "&Tools\\&Toolbars\\Main &Options"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    int32_t getDockAlignment() override { return 0xF000; }
    int32_t getDockBarID() override { return 0xE81B; }
};

// "&Tools\E2E &Model": a portal frame with a brace, a pinned and a clamped foot and a load, in the
// active document (the lists it needs are made when the document has none).
class ModelItem : public VornPluginMenuItem
{
public:
    const char* getName() override { return "E2E Model"; }
    const char* getMenuPath() override { return "&Tools\\E2E &Model"; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState* state, MAI_View* view) override { state->Enable(view != nullptr); }
    void execute(MAI_View* view) override
    {
        if (view == nullptr || view->document == nullptr)
            return;
        VornDocument& document = view->document->document;
        auto* joints = listOf<VornJoint>(document, "VornJoint");
        auto* members = listOf<VornMember>(document, "VornMember");
        auto* definitions = listOf<VornForceDefinition>(document, "VornForceDefinition");
        auto* forces = listOf<VornForceInstance>(document, "VornForceInstance");
        auto* sections = listOf<VornCrossSection>(document, "VornCrossSection");
        auto* materials = listOf<VornMaterial>(document, "VornMaterial");
        VornCrossSection* section = sections->add();
        if (auto* shape = static_cast<VornPluginShape*>(mai->pluginLists.shapes))
        {
            shape->applyToCrossSection(section);
            shape->setBoolParameter(0, section, true);
            shape->setBoolParameter(3, section, true);
            shape->setDoubleParameter(1, section, 0.4);
            shape->applyToCrossSection(section);
        }
        VornMaterial* steel = materials->add();
        steel->setColor(0x3080E0);
        const double corners[4][3] = {{0, -3, -2}, {0, 3, -2}, {0, -3, 2}, {0, 3, 2}};
        VornJoint* made[4];
        for (int i = 0; i < 4; ++i)
        {
            made[i] = joints->add();
            made[i]->getCreationCoordinate().set(corners[i][0], corners[i][1], corners[i][2]);
            made[i]->getPosition().set(corners[i][0], corners[i][1], corners[i][2]);
            made[i]->setColor(0x00C0FF);
            document.getWorldGroup()->addChild(made[i]);
        }
        made[0]->supportFlags = 0x07;
        made[1]->supportFlags = 0x3F;
        const int ends[4][2] = {{0, 2}, {1, 3}, {2, 3}, {0, 3}};
        for (const auto& end : ends)
        {
            VornMember* member = members->add();
            member->setStartJoint(made[end[0]]);
            member->setEndJoint(made[end[1]]);
            member->setCrossSection(section);
            member->setMaterial(steel);
            member->setColor(0x3080E0);
            document.getWorldGroup()->addChild(member);
        }
        VornForceDefinition* load = definitions->add();
        load->setVector(0, 0, -150);
        VornForceInstance* force = forces->add();
        force->setColor(0x00FF00);
        force->setJoint(made[2]);
        force->setForceDefinition(load);
        document.getWorldGroup()->addChild(force);
        view->document->invalidateViews();
    }

private:
    template <class T>
    static BlockList<T>* listOf(VornDocument& document, const char* name)
    {
        if (auto* list = static_cast<BlockList<T>*>(document.getBlockList(name)))
            return list;
        auto* list = new BlockList<T>(name);
        document.addBlockList(list);
        return list;
    }
};

// "&Tools\E2E &Select": while it is the document's tool, the view type of the view under the
// mouse gets every mouse event, as the workspace's select tool hands them on.
class SelectTool : public VornPluginMenuItem
{
public:
    const char* getName() override { return "E2E Select"; }
    const char* getMenuPath() override { return "&Tools\\E2E &Select"; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState* state, MAI_View* view) override { state->Enable(view != nullptr); }
    void execute(MAI_View* view) override
    {
        if (view != nullptr && view->document != nullptr)
            view->document->setActiveMenuItem(this);
    }
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t, uint32_t flags) override
    {
        if (flags == 0x1000 && x == 0 && y == 0)
            return true;
        if (view != nullptr && view->viewTypeInfos != nullptr && view->viewTypeInfos->viewTypePlugin != nullptr)
            view->viewTypeInfos->viewTypePlugin->onMouse(view, x, y, flags);
        return true;
    }
};

} // namespace e2e_library

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return 7;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    using namespace e2e_library;
    if (index == 0)
    {
        // A green square with a dark frame.
        platform::BitmapResource bitmap{16, 16, std::vector<uint32_t>(256, 0x00A000)};
        for (int i = 0; i < 16; ++i)
            bitmap.pixels[i] = bitmap.pixels[240 + i] = bitmap.pixels[i * 16] = bitmap.pixels[i * 16 + 15] = 0x004000;
        platform::registerBitmapResource(module, buttonBitmap, bitmap);
        platform::DialogTemplate panel;
        panel.rect = {0, 0, 140, 120};
        panel.style = platform::WS_CHILD | platform::DS_CONTROL;
        panel.items.push_back(
            platform::controlItem("Static", 1000, {7, 7, 120, 10}, platform::SS_LEFT, "Panel of the test plugins"));
        platform::registerDialogTemplate(module, panelDialog, panel);
    }
    switch (index)
    {
    case 0:
        return new Calculator;
    case 1:
        return new Importer;
    case 2:
        return new MethodItem;
    case 3:
        return new MainOptions;
    case 4:
        return new Panel;
    case 5:
        return new ModelItem;
    case 6:
        return new SelectTool;
    default:
        return nullptr;
    }
}
