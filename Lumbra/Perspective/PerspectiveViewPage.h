#pragma once

#include "uikit/ViewTypePage.h"

namespace lumbra
{

class PluginViewPerspective;

// The perspective view type's page on the console's View page: a tool bar with the tools that
// have an image, and below it the stack of the view type's pagettes.
class CViewPagePerspective : public ViewTypePage
{
public:
    static constexpr int32_t templateId = 131;
    static constexpr int32_t scrollBarId = 1047;

    explicit CViewPagePerspective(PluginViewPerspective* viewType);
    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    void layout(int32_t width, int32_t height) override;

protected:
    platform::ToolbarButton* pageButtonOf(VornPluginBase* plugin) override;

private:
    PluginViewPerspective* perspective;
};

// Registers the page's dialog template with the library's resources.
void registerPerspectiveViewPageTemplate();

} // namespace lumbra
