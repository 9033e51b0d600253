#pragma once

#include "Lumbra/Perspective/PerspectiveViewType.h"

#include <memory>

namespace lumbra
{

// The fixed texts of a page plugin of the perspective view.
struct PageTexts
{
    const char* name;
    const char* description;
    const char* aboutCaption;
    int32_t dialogId;
};

// A page plugin of the perspective view: a pagette of the view type's page.
class PerspectivePage : public PluginVPPage
{
public:
    explicit PerspectivePage(const PageTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override { return requestWindow(texts.dialogId); }

protected:
    PageTexts texts;
};

class CViewPerspectivePagetteShowHide;

// The show/hide pagette: which layers the active window shows.
class PluginVPPageShowHide : public PerspectivePage
{
public:
    explicit PluginVPPageShowHide(PluginViewPerspective* viewType);
    ~PluginVPPageShowHide() override;
    PluginWindowRequest* getWindowRequest() override;
    void updatePage() override;

    PluginViewPerspective* viewType;
    std::unique_ptr<CViewPerspectivePagetteShowHide> pagette;
};

class CViewPerspectivePagetteSetup;
class CViewPerspectivePagetteColors;

// The setup pagette: the active window's camera values.
class PluginVPPageAdvancedSettings : public PerspectivePage
{
public:
    PluginVPPageAdvancedSettings();
    ~PluginVPPageAdvancedSettings() override;
    PluginWindowRequest* getWindowRequest() override;
    void updatePage() override;

    std::unique_ptr<CViewPerspectivePagetteSetup> pagette;
};

// The colours pagette: the active window's six colours.
class PluginVPPageColors : public PerspectivePage
{
public:
    PluginVPPageColors();
    ~PluginVPPageColors() override;
    PluginWindowRequest* getWindowRequest() override;
    void updatePage() override;

    std::unique_ptr<CViewPerspectivePagetteColors> pagette;
};

} // namespace lumbra
