#pragma once

#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class OffscreenGlContext;
class Surface;

// The drawing surface of one GL view: a compatibility-profile context on its own EGL pbuffer.
// The context is created at the first make-current (a view's first paint), so a view that never
// draws with GL costs nothing. A frame is drawn between makeCurrent() and swapBuffers(); the swap
// reads the finished frame back, hands it to the presenter (the view's window shows it as an
// image) and releases the context, so no context is ever left current between frames.
class PLATFORM_API GlSurface
{
public:
    // Called after every swap with the new frame, 0x00BBGGRR words, rows top down.
    using FramePresenter = std::function<void(const std::uint32_t* pixels, int width, int height)>;

    GlSurface(int width, int height);
    ~GlSurface();
    GlSurface(const GlSurface&) = delete;
    GlSurface& operator=(const GlSurface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Empty until a make-current failed; then says why.
    const std::string& error() const { return error_; }
    bool hasContext() const { return context_ != nullptr; }

    // Makes the surface's context current on this thread, creating it on first use. Mouse
    // handlers call it outside a paint to pick.
    bool makeCurrent();
    // Releases the context when it is the current one; does nothing otherwise.
    void doneCurrent();
    bool isCurrent() const;

    // A new pbuffer of this size; the context and its display lists stay. Sizes below 1 count as 1.
    bool resize(int width, int height);

    // Finishes the frame: reads it back into frame(), presents it and releases the context.
    bool swapBuffers();
    // Finishes the frame into frame() and releases the context without presenting it (a printed
    // page takes the frame instead of the window).
    bool finishFrame();

    // The pixels of the pbuffer as they are now (0x00BBGGRR, rows top down); empty without a context.
    std::vector<std::uint32_t> readPixels();

    // The last finished frame; empty before the first swap.
    const std::vector<std::uint32_t>& frame() const { return frame_; }
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }

    void setFramePresenter(FramePresenter presenter) { presenter_ = std::move(presenter); }

private:
    std::unique_ptr<OffscreenGlContext> context_;
    int width_;
    int height_;
    std::string error_;
    std::vector<std::uint32_t> frame_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    FramePresenter presenter_;
};

// Copies a frame (0x00BBGGRR words, rows top down) into the top-left of `target`, as far as
// both reach, and reports the change.
PLATFORM_API void copyFrameInto(const std::uint32_t* pixels, int width, int height, Surface& target);

} // namespace platform
