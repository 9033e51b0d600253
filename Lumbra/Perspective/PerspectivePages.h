#pragma once

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "Lumbra/Perspective/PerspectivePagettes.h"
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

// A page plugin of the perspective view: one pagette of the view type's page, whose window object
// it makes at the first window request and refreshes from the active window.
template <class Pagette>
class PerspectivePage : public PluginVPPage
{
public:
    explicit PerspectivePage(const PageTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override
    {
        showPerspectiveAbout(parent, texts.name, 1999, texts.aboutCaption);
    }
    PluginWindowRequest* getWindowRequest() override
    {
        if (pagette == nullptr)
        {
            pagette = makePagette();
            dialogObject = pagette.get();
        }
        return requestWindow(texts.dialogId);
    }
    void updatePage() override
    {
        if (pagette != nullptr)
            pagette->refresh();
    }

    std::unique_ptr<Pagette> pagette;

protected:
    virtual std::unique_ptr<Pagette> makePagette() = 0;

    PageTexts texts;
};

// The show/hide pagette: which layers the active window shows.
class PluginVPPageShowHide : public PerspectivePage<CViewPerspectivePagetteShowHide>
{
public:
    explicit PluginVPPageShowHide(PluginViewPerspective* viewType);

    PluginViewPerspective* viewType;

protected:
    std::unique_ptr<CViewPerspectivePagetteShowHide> makePagette() override;
};

// The setup pagette: the active window's camera values.
class PluginVPPageAdvancedSettings : public PerspectivePage<CViewPerspectivePagetteSetup>
{
public:
    PluginVPPageAdvancedSettings();

protected:
    std::unique_ptr<CViewPerspectivePagetteSetup> makePagette() override;
};

// The colours pagette: the active window's six colours.
class PluginVPPageColors : public PerspectivePage<CViewPerspectivePagetteColors>
{
public:
    PluginVPPageColors();

protected:
    std::unique_ptr<CViewPerspectivePagetteColors> makePagette() override;
};

} // namespace lumbra
