// A plugin library for the end-to-end runs, so the program has plugins of its own to show while
// the real libraries are being built: a calculator, an importer, a menu item under
// "&Calculate\&Method" and a "Main Options" toolbar with a button.
#include "platform/CommandRouting.h"
#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginFile.h"
#include "plugins/VornPluginMenuItem.h"

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

} // namespace e2e_library

void ProcessGlobalObjectDevice(GlobalObjectDevice*)
{
}

std::uint32_t GetPluginCount()
{
    return 5;
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
    default:
        return nullptr;
    }
}
