#pragma once

#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/Toolbar.h"
#include "uikit/PagetteButton.h"
#include "uikit/PagetteStack.h"

#include <memory>

class VornPluginMenuItem;

namespace lumbra
{

class PluginViewPerspective;

// The perspective view type's page on the console's View page: a tool bar with the tools that
// have an image, and below it the stack of the view type's pagettes.
class CViewPagePerspective : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 131;
    static constexpr int32_t toolbarId = 1012;
    static constexpr int32_t scrollBarId = 1047;
    static constexpr int32_t firstCommandId = 0x8000;

    explicit CViewPagePerspective(PluginViewPerspective* viewType);
    ~CViewPagePerspective() override;
    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Shows the item's button pressed and the others released, records it as the view type's tool
    // and makes it the active tool of the active document.
    void selectTool(VornPluginMenuItem* item);
    void layout(int32_t width, int32_t height);

    platform::Toolbar toolbar;
    int32_t nextCommandId = firstCommandId;
    int32_t toolbarHeight = 0;

private:
    PluginViewPerspective* viewType;
    platform::ImageList images{{16, 16}};
    PagetteStack stack;
    CEmptyChildDialog holder;
    std::unique_ptr<PluginWindowHandle> holderHandle;
};

// Registers the page's dialog template with the library's resources.
void registerPerspectiveViewPageTemplate();

} // namespace lumbra
