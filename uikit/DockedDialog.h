#pragma once

// What every docked dialog plugin of a library is made of: its show-and-hide menu item and its own
// dialog object. Compiled into each library like the rest of the kit.

#include "platform/Dialog.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"

#include <memory>

// The menu item every docked dialog of a library packages: its command shows the dialog's bar
// when it is hidden and hides it when it is shown; its check mark tells whether the bar is shown.
class PluginDialogMenuItem : public VornPluginMenuItem
{
public:
    // `menuPath` is a literal of the packaging plugin; it is also the item's name.
    PluginDialogMenuItem(VornPluginDialog* dialog, const char* menuPath);

    const char* getName() override;
    const char* getDescription() override;
    const char* getMenuPath() override;
    void about(PluginWindowHandle* parent) override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    VornPluginDialog* const dialog;
    const char* const menuPath;
};

// A windowed plugin that owns its dialog object, made on the first window request; the host makes
// the window around it from the template of that id in the plugin's library.
template <class Windowed>
class WithOwnDialog : public Windowed
{
public:
    explicit WithOwnDialog(int32_t dialogId) : dialogId(dialogId) {}

    PluginWindowRequest* getWindowRequest() override
    {
        if (ownDialog == nullptr)
        {
            ownDialog = makeDialog();
            this->dialogObject = ownDialog.get();
        }
        return this->requestWindow(dialogId);
    }

    // The dialog object; null before the first window request.
    platform::Dialog* dialog() const { return ownDialog.get(); }

protected:
    // The plugin's dialog object (no window yet).
    virtual std::unique_ptr<platform::Dialog> makeDialog() = 0;

private:
    const int32_t dialogId;
    std::unique_ptr<platform::Dialog> ownDialog;
};
