#include "platform/GlSurface.h"

#include "platform/OffscreenGlContext.h"
#include "platform/Surface.h"

#include <GL/gl.h>

#include <algorithm>

namespace platform
{

GlSurface::GlSurface(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1))
{
}

GlSurface::~GlSurface() = default;

bool GlSurface::makeCurrent()
{
    if (!context_)
    {
        auto created = std::make_unique<OffscreenGlContext>(width_, height_);
        if (!created->isValid())
        {
            error_ = created->error();
            return false;
        }
        context_ = std::move(created);
        error_.clear();
    }
    if (!context_->makeCurrent())
    {
        error_ = "eglMakeCurrent failed";
        return false;
    }
    return true;
}

void GlSurface::doneCurrent()
{
    if (context_)
        context_->doneCurrent();
}

bool GlSurface::isCurrent() const
{
    return context_ && context_->isCurrentContext();
}

bool GlSurface::resize(int width, int height)
{
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    if (!context_)
        return true;
    if (context_->width() == width_ && context_->height() == height_)
        return true;
    return context_->resize(width_, height_);
}

bool GlSurface::finishFrame()
{
    if (!context_)
        return false;
    const bool wasCurrent = context_->isCurrentContext();
    if (!wasCurrent && !context_->makeCurrent())
        return false;
    glFinish();
    frame_ = context_->readPixels();
    frameWidth_ = context_->width();
    frameHeight_ = context_->height();
    context_->doneCurrent();
    return true;
}

bool GlSurface::swapBuffers()
{
    if (!finishFrame())
        return false;
    if (presenter_)
        presenter_(frame_.data(), frameWidth_, frameHeight_);
    return true;
}

std::vector<std::uint32_t> GlSurface::readPixels()
{
    if (!context_)
        return {};
    return context_->readPixels();
}

void copyFrameInto(const std::uint32_t* pixels, int width, int height, Surface& target)
{
    const int rows = std::min(height, target.height());
    const int columns = std::min(width, target.width());
    if (rows <= 0 || columns <= 0)
        return;
    for (int y = 0; y < rows; ++y)
    {
        std::uint32_t* row = target.row(y);
        const std::uint32_t* source = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < columns; ++x)
            row[x] = Surface::storedColour(source[x]);
    }
    target.markChanged(target.bounds());
}

} // namespace platform
