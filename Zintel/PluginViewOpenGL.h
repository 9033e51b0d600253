#pragma once

#include "plugins/VornPluginViewBase.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace zintel
{

class CViewPageOpenGL;
class OpenGLDrawObject;
class OpenGLView;
class PluginVPSOGrid;

// The OpenGL view type ("View Base" named "OpenGL"): it registers the OpenGL plugin families,
// packages the library's sub-plugins, makes an OpenGLView with one draw object per draw-object
// plugin for every view that shows it, paints through it, and picks with GL selection mode.
class PluginViewOpenGL : public VornPluginViewBase
{
public:
    PluginViewOpenGL();
    ~PluginViewOpenGL() override;

    const char* getName() override;
    void registerPluginTypes(PluginManager* registry) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override;
    bool activatePlugin(VornPluginBase* plugin) override;
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override;
    void activateView(MAI_View* previousView, VornPluginViewBase* previousViewType) override;
    void deactivateView(MAI_View* nextView, VornPluginViewBase* nextViewType) override;
    void draw(platform::DeviceContext* context, ViewTypeInfo* info) override;
    // The view type's selection tool: the rubber band and click selection.
    void onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;

    void updatePages();
    // The selection buffer with room for at least n entries; null when it cannot be had.
    uint32_t* resizeSelectBuffer(int32_t entries);
    // The model object of the nearest item of `object` within the window rectangle (y down) of
    // the view; its minimum depth goes to `depth` when given. Null when nothing is hit.
    VornBaseObject* pickAt(MAI_View* view, OpenGLDrawObject* object, int32_t x0, int32_t y0, int32_t x1,
                           int32_t y1, uint32_t* depth);
    // The handle under the window point (y down): its draw object becomes the view's mouse
    // holder; answers the handle's cursor, null when no handle is hit.
    platform::CursorHandle pickHandle(OpenGLView& view, int32_t x, int32_t y);
    const char* getDrawObjectName(OpenGLDrawObject* object);

    // True when the view shows this library's OpenGL view type (the very name text of the type).
    static bool showsOpenGL(MAI_View* view);

    VornPluginBase* snapObjects = nullptr;
    VornPluginBase* drawObjectPlugins = nullptr;
    VornPluginBase* menuItems = nullptr;
    VornPluginBase* pages = nullptr;
    // The view type's page, made at the first window request.
    std::unique_ptr<CViewPageOpenGL> viewPage;
    bool bandMoved = false;
    std::unique_ptr<uint32_t[]> selectBuffer;
    int32_t selectBufferCapacity = 0;
    int32_t hitCount = 0;

private:
    // Runs one GL selection pass over the window region (GL coordinates, y up) on the view's
    // context: the names `drawNames` loads are recorded into the selection buffer. Answers the
    // number of hit records; when the buffer overflowed, it is grown and the pass runs once more.
    // -1 when there is no buffer or no context.
    int32_t runPick(OpenGLView& view, double centreX, double centreY, double regionWidth, double regionHeight,
                    int32_t entries, const std::function<void()>& drawNames);
    int32_t pickOnce(OpenGLView& view, double centreX, double centreY, double regionWidth, double regionHeight,
                     const std::function<void()>& drawNames);
    void endBand(MAI_View* view, OpenGLView& info);
    void pickBand(MAI_View* view, OpenGLView& info, uint32_t flags, bool click);
};

// The first name of the hit record with the smallest minimum depth (the earlier record on a tie)
// among `hits` records; the record's offset in the buffer goes to `offset`. False without hits.
bool nearestHit(const uint32_t* buffer, int32_t hits, uint32_t& firstName, uint32_t& minimumDepth,
                int32_t* offset = nullptr);

// The grid snap object of the library (the move tool asks it whether grid snapping is on).
PluginVPSOGrid* gridSnapObject();

} // namespace zintel
