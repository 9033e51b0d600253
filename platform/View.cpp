#include "platform/View.h"

#include "platform/GlSurface.h"
#include "platform/Surface.h"

#include <algorithm>

namespace platform
{

View::View() = default;

View::~View()
{
    // The window goes before the GL surface that presents into it.
    destroyWindow();
}

GlSurface& View::glSurface()
{
    const Rect client = clientRect();
    if (!gl_)
    {
        gl_ = std::make_unique<GlSurface>(client.width(), client.height());
        const WindowHandle handle = this->handle();
        gl_->setFramePresenter([handle](const std::uint32_t* pixels, int width, int height) {
            Window* window = Window::fromHandle(handle);
            if (Surface* target = window != nullptr ? window->surface() : nullptr)
                copyFrameInto(pixels, width, height, *target);
        });
    }
    else
    {
        gl_->resize(client.width(), client.height());
    }
    return *gl_;
}

void View::releaseGlSurface()
{
    gl_.reset();
}

bool View::renderToImage(Surface& image)
{
    Surface* own = surface();
    if (own == nullptr)
        return false;
    // A paint now brings the image up to date without waiting for the screen.
    invalidate(false);
    updateWindow();
    image = *own;
    return true;
}

} // namespace platform
