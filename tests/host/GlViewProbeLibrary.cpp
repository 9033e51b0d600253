// A plugin library built like the real ones, with a view type that paints its views with GL from
// the device context its draw is given, and a tool that picks from its mouse handler through the
// view's device context and window handle. Plugin 0 is the view type, plugin 1 the tool.
#include "platform/DeviceContext.h"
#include "platform/GlWindow.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/VornPluginMenuItem.h"
#include "plugins/VornPluginViewBase.h"
#include "tests/GlHalvesScene.h"
#include "tests/host/GlViewProbe.h"

namespace gl_view_probe
{

constexpr std::uint32_t leftColour = 0x0000FF; // red
constexpr std::uint32_t rightColour = 0x00FF00; // green

GlProbeRecord probeRecord;

// A view's state: the display lists of its GL context.
class ViewState : public ViewTypeInfo
{
public:
    using ViewTypeInfo::ViewTypeInfo;
    GLuint lists = 0;
};

platform::Size clientSize(MAI_View* view)
{
    platform::Rect client;
    view->getClientRect(client);
    return {client.width(), client.height()};
}

class ViewType : public VornPluginViewBase, public GlProbeResults
{
public:
    const char* getName() override { return "GL Probe"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return nullptr; }
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override
    {
        return findOrMakeViewTypeInfo<ViewState>(this, view, "gl_view_probe::ViewType::getViewTypeInfo");
    }
    void draw(platform::DeviceContext* context, ViewTypeInfo* info) override
    {
        auto* state = static_cast<ViewState*>(info);
        if (platform::makeGlCurrent(*context))
        {
            if (state->lists == 0 || !glIsList(state->lists))
                state->lists = gl_halves::makeLists();
            const platform::Size size = clientSize(state->ownerView);
            gl_halves::fillViewport(size.width, size.height);
            gl_halves::draw(state->lists, leftColour, rightColour);
            if (platform::swapGlBuffers(*context))
            {
                ++probeRecord.frames;
                probeRecord.printedFrames += context->isPrinting() ? 1 : 0;
            }
        }
        platform::releaseGlCurrent();
        probeRecord.currentAfterFrame = platform::isAnyGlCurrent();
    }
    void onMouse(MAI_View*, int32_t, int32_t, uint32_t) override {}
    const GlProbeRecord& record() const override { return probeRecord; }
};

// Picks at every left press: by selection mode on the view's device context, then by reading
// back a frame in name colours on the view's window handle. Neither shows anything.
class PickTool : public VornPluginMenuItem
{
public:
    const char* getName() override { return "GL Probe Pick"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t, uint32_t flags) override
    {
        constexpr uint32_t takesMouseQuery = 0x1000;
        constexpr uint32_t leftDown = 0x100;
        if (flags == takesMouseQuery || (flags & 0xF00) != leftDown)
            return true;
        auto* state = static_cast<ViewState*>(view->viewTypeInfos);
        const platform::Size size = clientSize(view);
        ++probeRecord.picks;
        probeRecord.listsSeenInPick = false;
        probeRecord.selected = probeRecord.readBack = 0;

        platform::DeviceContext* context = view->getDC();
        probeRecord.dcNamesTheViewWindow = context != nullptr && context->window() == view->getWindowHandle();
        if (context != nullptr && platform::makeGlCurrent(*context))
        {
            probeRecord.listsSeenInPick = glIsList(state->lists) == GL_TRUE;
            gl_halves::fillViewport(size.width, size.height);
            probeRecord.selected = gl_halves::selectAt(state->lists, x, y, size.width, size.height);
        }
        view->releaseDC(context);
        platform::releaseGlCurrent();

        if (platform::makeGlCurrent(view->getWindowHandle()))
        {
            gl_halves::fillViewport(size.width, size.height);
            probeRecord.readBack = gl_halves::readNameAt(state->lists, x, y, size.height);
        }
        platform::releaseGlCurrent();
        probeRecord.currentAfterPick = platform::isAnyGlCurrent();
        return true;
    }
};

} // namespace gl_view_probe

void ProcessGlobalObjectDevice(GlobalObjectDevice*)
{
}

std::uint32_t GetPluginCount()
{
    return 2;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle)
{
    switch (index)
    {
    case 0:
        return new gl_view_probe::ViewType;
    case 1:
        return new gl_view_probe::PickTool;
    default:
        return nullptr;
    }
}
