#pragma once

// The Edit page's Modifiers pagette: a customisable toolbar with one button per modifier that has
// a picture; a click activates the modifier as its menu item does, and the button of the active
// modifier is shown pressed.

#include "Lumbra/SectionPages/PageSupport.h"
#include "platform/ControlNotifications.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/ImageList.h"
#include "platform/Toolbar.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/PagetteButton.h"

#include <memory>
#include <vector>

namespace lumbra
{

// The toolbar's height for that many rows of buttons: 27 per two rows begun, at least 8.
int32_t modifierToolbarHeight(int32_t rows);

class CPageEditStaticModifiers : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 139;
    static constexpr int32_t frameId = 1077;
    static constexpr int32_t toolbarId = 1078;
    static constexpr int32_t firstCommandId = 0x8000;

    CPageEditStaticModifiers(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Presses the button of the modifier whose menu item is `tool` and releases the others; true
    // when a modifier with a button has that menu item.
    bool showActiveTool(VornPluginBase* tool);

    CPagetteButton frame;
    std::unique_ptr<platform::ImageList> images;
    platform::Toolbar toolbar;
    int32_t nextCommandId = firstCommandId;
    // The modifiers that got a button, in the order of their buttons' command ids: the only ones
    // the customise dialog offers.
    std::vector<VornPluginObjectModifier*> modifiersWithButtons;

private:
    platform::LResult onToolbarNotify(platform::NotifyToolbar& notification);
    void onToolbarChange();
    void onClick(int32_t commandId);

    VornPluginWindowed* plugin;
};

class PluginEditStaticPageModifiers : public WindowedPagette<PluginEditStaticPage, CPageEditStaticModifiers>
{
public:
    PluginEditStaticPageModifiers();

    // The menu item being activated: its modifier's button is pressed, the others released.
    bool activatePlugin(VornPluginBase* plugin) override;
};

platform::DialogTemplate modifiersPagetteTemplate();

} // namespace lumbra
