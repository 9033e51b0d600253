#pragma once

#include "Lumbra/Console/DialogPlugin.h"
#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/TabControl.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <memory>

class PluginManager;

namespace lumbra
{

// The head of this library's "Main Console Page" list; the console registers the type with it.
VornPluginBase*& mainConsolePages();

// The tall panel docked at the right of the main frame: one tab per "Main Console Page" plugin.
class PluginMainConsoleDialog : public LumbraDialogPlugin
{
public:
    PluginMainConsoleDialog();

    // Empties the page list and registers "Main Console Page" with it.
    void registerPluginTypes(PluginManager* registry) override;
    // Every page is offered the plugin; the tab of each page that is the plugin or takes it is
    // chosen. True when one did.
    bool activatePlugin(VornPluginBase* plugin) override;
    int32_t getDockInfo(uint32_t key) override;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

class CMainConsole : public platform::Dialog
{
public:
    CMainConsole(platform::Window* parent, VornPluginWindowed* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Chooses the tab as a click on it does (the page left is hidden, the chosen one shown and its
    // tool made active); nothing for the current tab or an index that names no tab. Answers the
    // tab that was current.
    int selectTab(int index);

    platform::TabControl tabs;

private:
    void onSelchangingTab();
    void onSelchangeTab();
    void onSize(int32_t width, int32_t height);
    // The area the pages cover, in the tab control's client coordinates.
    platform::Rect pageRect() const;
    VornPluginMainConsolePage* pageOfTab(int index) const;

    PluginMainConsoleDialog* owner;
    std::unique_ptr<PluginWindowHandleImpl> tabHandle;
    std::unique_ptr<platform::ImageList> tabImages;
};

} // namespace lumbra
