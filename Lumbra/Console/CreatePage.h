#pragma once

#include "Lumbra/Console/ConsolePage.h"
#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/Toolbar.h"

#include <memory>
#include <vector>

class VornPluginObjectCreator;

namespace lumbra
{

// The console page from which the user picks a creation tool: a button per "Object Creator" and,
// below, the creation pagettes of the active creator. Its tool is the active creator's menu item.
class PluginMCPageCreate : public LumbraConsolePage
{
public:
    PluginMCPageCreate();

    // Takes a creator or a creator's menu item: activates that creator unless it is the page's
    // tool already. True for every creator of the list.
    bool activatePlugin(VornPluginBase* plugin) override;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

class CMCPageCreate : public platform::Dialog
{
public:
    // The command id of the first creator button.
    static constexpr int32_t firstCommandId = 0x8000;

    CMCPageCreate(platform::Window* parent, VornPluginWindowed* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Makes the creator's menu item the active document's tool and the page's tool, shows only its
    // creation pagettes and checks only its button.
    void activateCreator(VornPluginObjectCreator* creator);

    platform::Toolbar toolbar;
    PagetteHost pagettes;
    int32_t nextCommandId = firstCommandId;
    int32_t toolbarHeight = 0;

private:
    platform::LResult onToolbarNotify(platform::NotifyToolbar& notification);
    void onToolbarChange();
    void onClickToolbar(int32_t commandId);
    void layout(int32_t width, int32_t height);
    // Wraps the buttons within the page's width and notes the toolbar's height.
    void fitToolbar(int32_t width);
    VornPluginBase* creators() const;

    PluginMCPageCreate* owner;
    std::unique_ptr<platform::ImageList> toolbarImages;
    // The creators that have a button, in list order: those the customise dialog offers.
    std::vector<VornPluginObjectCreator*> creatorsWithButtons;
};

} // namespace lumbra
