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
            Surface* target = window != nullptr ? window->surface() : nullptr;
            if (target == nullptr)
                return;
            const int rows = std::min(height, target->height());
            const int columns = std::min(width, target->width());
            for (int y = 0; y < rows; ++y)
            {
                std::uint32_t* row = target->row(y);
                const std::uint32_t* source = pixels + static_cast<size_t>(y) * width;
                for (int x = 0; x < columns; ++x)
                    row[x] = Surface::storedColour(source[x]);
            }
            target->markChanged(target->bounds());
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
