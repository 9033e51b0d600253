#pragma once

// What the view types' pages on the console's View page share: a tool bar with a button for each
// of the view type's menu items that has a picture, and below it a holder with the stack of the
// view type's pagettes. A click on a button makes its item the active tool, except for the page's
// one-shot commands, which run at once on the active view. The person may customise the tool bar:
// every button may go, and the items with buttons are offered to put back.

#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/Toolbar.h"
#include "uikit/PagetteButton.h"
#include "uikit/PagetteStack.h"

#include <memory>
#include <vector>

class VornPluginBase;
class VornPluginMenuItem;
class VornPluginViewBase;

class ViewTypePage : public platform::Dialog
{
public:
    static constexpr int32_t toolbarId = 1012;
    static constexpr int32_t firstCommandId = 0x8000;

    ViewTypePage(int32_t templateId, VornPluginViewBase* viewType);
    ~ViewTypePage() override;

    // A click on a tool button.
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // The tool bar's customising notifications.
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Places the tool bar, the scroll bar and the holder in a page of that client size.
    virtual void layout(int32_t width, int32_t height) = 0;

    // Shows the item's button checked and every other one unchecked, records the item as the view
    // type's tool and makes it the active document's tool.
    void selectTool(VornPluginMenuItem* item);

    platform::Toolbar toolbar;
    PagetteStack stack;
    CEmptyChildDialog holder;
    int32_t nextCommandId = firstCommandId;
    int32_t toolbarHeight = 0;

protected:
    // The item's record on this page's tool bar; null for a plugin that is not one of the view
    // type's menu items.
    virtual platform::ToolbarButton* pageButtonOf(VornPluginBase* plugin) = 0;
    // Whether the item's button runs the item's command on the active view, as its menu entry does,
    // instead of making it the active tool.
    virtual bool isOneShotCommand(VornPluginMenuItem*) { return false; }

    // The steps of the pages' initialisation: the holder (from `module`'s template 124, at
    // `start`, its handle's parent the view type's handle), the tool bar (a separator, then a
    // button for each item of `menuItems` whose picture can be loaded) and the pagettes of
    // `pages`, each made by the host under the holder and shown. The holder throws
    // Exc_InternalError when its window cannot be made.
    void createHolder(platform::ModuleHandle module, const platform::Rect& start);
    void createToolbar(uint32_t style, VornPluginBase* menuItems);
    void createPagettes(VornPluginBase* pages);

    VornPluginViewBase* viewType;
    platform::ImageList images{{16, 16}};
    std::unique_ptr<PluginWindowHandle> holderHandle;

private:
    void onButton(VornPluginMenuItem* item);

    // The items that got a button, in list order: those the customise dialog offers.
    std::vector<VornPluginMenuItem*> itemsWithButtons;
};
