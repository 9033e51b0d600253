#pragma once

#include "Lumbra/Console/ConsolePage.h"
#include "platform/ComboBox.h"
#include "platform/Dialog.h"

#include <memory>

class VornPluginViewBase;

namespace lumbra
{

// The console page from which the user chooses the active view's type: a combo of every
// "View Base" plugin and, below it, the settings page of the view type brought forward last.
class PluginMCPageView : public LumbraConsolePage
{
public:
    PluginMCPageView();

    // A view type: selected in the combo and its page shown; false, so the console stays on its
    // tab. Any other plugin goes to the type of the active view; when that takes it, the page's
    // tool becomes the type's current tool.
    bool activatePlugin(VornPluginBase* plugin) override;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

class CMCPageView : public platform::Dialog
{
public:
    CMCPageView(platform::Window* parent, VornPluginWindowed* owner);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Selects the view type's item (silently) and shows its page alone.
    void showViewType(VornPluginViewBase* viewType);

    platform::ComboBox viewTypes;

private:
    // The user chose a view type: its select-type command is posted.
    void onSelchangeViewType();
    // The area of the view types' pages.
    platform::Rect pageRect() const;
    VornPluginBase* viewTypeList() const;

    PluginMCPageView* owner;
};

} // namespace lumbra
