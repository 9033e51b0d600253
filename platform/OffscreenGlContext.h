#pragma once

#include "platform/PlatformApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{

// An OpenGL compatibility-profile context that renders into an offscreen EGL pbuffer on Mesa.
// GL 1.1 code runs on it unchanged, with or without a display. Make it current, draw, read the
// pixels back, release it: a context is never left current between frames.
class PLATFORM_API OffscreenGlContext
{
public:
    OffscreenGlContext(int width, int height);
    ~OffscreenGlContext();
    OffscreenGlContext(const OffscreenGlContext&) = delete;
    OffscreenGlContext& operator=(const OffscreenGlContext&) = delete;

    bool isValid() const { return context_ != nullptr && surface_ != nullptr; }
    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }

    bool makeCurrent();
    void doneCurrent();
    // True when this context is the one current on the calling thread.
    bool isCurrentContext() const;
    // Leaves the calling thread with no context current, whichever was.
    static void releaseCurrent();
    // True when any context is current on the calling thread.
    static bool anyCurrent();

    // A new pbuffer of the given size; the context and its display lists stay.
    bool resize(int width, int height);

    // The frame as 0x00BBGGRR words, rows from the top down (the window's order, not GL's).
    std::vector<std::uint32_t> readPixels();

private:
    bool createSurface(int width, int height);

    void* config_ = nullptr;
    void* context_ = nullptr;
    void* surface_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::string error_;
};

} // namespace platform
