#pragma once

#include "uikit/DockedDialog.h"

namespace lumbra
{

using ::PluginDialogMenuItem;
using ::WithOwnDialog;

// The fixed texts of a docked dialog of the library.
struct DialogPluginTexts
{
    const char* name;
    const char* description; // begins with the name, a colon and a line break
    const char* aboutCaption;
    const char* aboutText;
    const char* windowTitle;
    const char* menuPath; // of the packaged show-and-hide item
    const char* packagingThrower; // named by Exc_OutOfMemory when the item cannot be made
};

// The common part of the library's docked dialogs: their texts, the show-and-hide menu item they
// package first, and their own dialog object.
class LumbraDialogPlugin : public WithOwnDialog<VornPluginDialog>
{
public:
    LumbraDialogPlugin(const DialogPluginTexts& texts, int32_t dialogId);
    ~LumbraDialogPlugin() override;

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    // Index 0: the show-and-hide menu item; none after it. A dialog that packages more overrides
    // this and asks the base for index 0.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getWindowTitle() override;

protected:
    const DialogPluginTexts texts;
};

} // namespace lumbra
