#include "platform/GlWindow.h"

#include "platform/Bitmap.h"
#include "platform/DeviceContext.h"
#include "platform/DrawingConstants.h"
#include "platform/View.h"
#include "platform/GlSurface.h"
#include "platform/OffscreenGlContext.h"

namespace platform
{
namespace
{

View* viewOf(WindowHandle window)
{
    return dynamic_cast<View*>(Window::fromHandle(window));
}

// The finished frame as an image on the page, in the drawing's coordinates.
bool drawFrameOnPage(const GlSurface& surface, DeviceContext& page)
{
    const int width = surface.frameWidth();
    const int height = surface.frameHeight();
    Bitmap image(width, height);
    copyFrameInto(surface.frame().data(), width, height, image.surface());
    DeviceContext memory = DeviceContext::createCompatibleDC();
    memory.selectObject(image);
    return page.bitBlt(0, 0, width, height, memory, 0, 0, SRCCOPY);
}

} // namespace

GlSurface* glSurfaceOf(WindowHandle window)
{
    View* view = viewOf(window);
    return view != nullptr ? &view->glSurface() : nullptr;
}

bool makeGlCurrent(WindowHandle window)
{
    GlSurface* surface = glSurfaceOf(window);
    return surface != nullptr && surface->makeCurrent();
}

bool makeGlCurrent(const DeviceContext& context)
{
    return makeGlCurrent(context.window());
}

bool swapGlBuffers(DeviceContext& context)
{
    GlSurface* surface = glSurfaceOf(context.window());
    if (surface == nullptr)
        return false;
    if (!context.isPrinting())
        return surface->swapBuffers();
    return surface->finishFrame() && drawFrameOnPage(*surface, context);
}

void releaseGlCurrent()
{
    OffscreenGlContext::releaseCurrent();
}

bool isAnyGlCurrent()
{
    return OffscreenGlContext::anyCurrent();
}

void releaseGlSurface(WindowHandle window)
{
    if (View* view = viewOf(window))
        view->releaseGlSurface();
}

} // namespace platform
