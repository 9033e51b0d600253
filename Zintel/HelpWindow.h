#pragma once

// A docked information window for the help pages, with the buttons "Contents" and "Search". The
// library's plugin table does not hand it out: the class is complete, but no plugin of it is made
// at run time.

#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "uikit/DockedDialog.h"

#include <cstdint>
#include <memory>

namespace zintel
{

class PluginHelpWindow;

// The help window: an empty panel over its two buttons, which do nothing.
class CMainConsole : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 101;
    static constexpr int32_t contentsId = 1000;
    static constexpr int32_t searchId = 1005;

    explicit CMainConsole(PluginHelpWindow* owner);

    PluginHelpWindow* const owner;
};

// "Dialog" named "Help Window".
class PluginHelpWindow : public WithOwnDialog<VornPluginDialog>
{
public:
    PluginHelpWindow();

    const char* getName() override;
    // 0: the item "&Help\&Contents" that shows and hides the window.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override;
    const char* getWindowTitle() override;
    int32_t getDockInfo(uint32_t key) override;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

// The template 101.
platform::DialogTemplate helpWindowTemplate();

} // namespace zintel
