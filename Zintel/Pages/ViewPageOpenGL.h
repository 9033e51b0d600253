#pragma once

// The OpenGL view type's page on the console's View page: a tool bar with the view's menu items
// that have an image, and below it the stack of the four pagettes, each owned by its page plugin.

#include "Zintel/OpenGLFamilies.h"
#include "Zintel/Pages/OpenGLPagettes.h"
#include "uikit/ViewTypePage.h"

#include <memory>

namespace zintel
{

class PluginViewOpenGL;

class CViewPageOpenGL : public ViewTypePage
{
public:
    static constexpr int32_t templateId = 132;
    static constexpr int32_t scrollBarId = 1000;

    explicit CViewPageOpenGL(PluginViewOpenGL* viewType);
    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    void layout(int32_t width, int32_t height) override;

protected:
    platform::ToolbarButton* pageButtonOf(VornPluginBase* plugin) override;
    // Zoom All and Zoom Selected.
    bool isOneShotCommand(VornPluginMenuItem* item) override;

private:
    PluginViewOpenGL* openGL;
};

// The fixed texts of a page plugin.
struct OpenGLPageTexts
{
    const char* name;
    const char* description;
    const char* aboutCaption;
};

// A page plugin: one pagette of the view page, whose window object it makes at the first window
// request and keeps for the run.
template <class Pagette>
class OpenGLPage : public PluginVOPage
{
public:
    explicit OpenGLPage(const OpenGLPageTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override
    {
        if (pagette == nullptr)
        {
            pagette = std::make_unique<Pagette>(this);
            dialogObject = pagette.get();
        }
        return requestWindow(Pagette::templateId);
    }
    void updatePage() override
    {
        if (pagette != nullptr && windowHandle != nullptr && windowHandle->getWnd() != nullptr)
            pagette->refresh();
    }

    std::unique_ptr<Pagette> pagette;

private:
    OpenGLPageTexts texts;
};

// Shows the page's about box: its name and the year.
void showPageAbout(PluginWindowHandle* parent, const char* name, const char* caption);

template <class Pagette>
void OpenGLPage<Pagette>::about(PluginWindowHandle* parent)
{
    showPageAbout(parent, texts.name, texts.aboutCaption);
}

class PluginVOPageAdvancedSettings : public OpenGLPage<CViewOpenGLPagetteSetup>
{
public:
    PluginVOPageAdvancedSettings();
};

class PluginVOPageColors : public OpenGLPage<CViewOpenGLPagetteColors>
{
public:
    PluginVOPageColors();
};

class PluginVOPageGrid : public OpenGLPage<CViewOpenGLPagetteGrid>
{
public:
    PluginVOPageGrid();
};

class PluginVOPageStress : public OpenGLPage<CViewOpenGLPagetteStress>
{
public:
    PluginVOPageStress();
};

} // namespace zintel
