#include "platform/OffscreenGlContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <mutex>

namespace platform
{
namespace
{

// One EGL display for the process, initialised on first use and kept until the process ends:
// terminating it while another context is alive would pull the ground from under that context.
EGLDisplay sharedDisplay(std::string& error)
{
    static EGLDisplay display = EGL_NO_DISPLAY;
    static std::string initError;
    static std::once_flag once;
    std::call_once(once, [] {
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        EGLDisplay candidate = EGL_NO_DISPLAY;
        if (getPlatformDisplay != nullptr)
            candidate = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (candidate == EGL_NO_DISPLAY)
        {
            initError = "no surfaceless EGL display";
            return;
        }
        EGLint major = 0;
        EGLint minor = 0;
        if (!eglInitialize(candidate, &major, &minor))
        {
            initError = "eglInitialize failed";
            return;
        }
        display = candidate;
    });
    error = initError;
    return display;
}

} // namespace

OffscreenGlContext::OffscreenGlContext(int width, int height)
{
    EGLDisplay display = sharedDisplay(error_);
    if (display == EGL_NO_DISPLAY)
        return;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_STENCIL_SIZE,
                                       8,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1)
    {
        error_ = "no EGL configuration for desktop OpenGL pbuffers";
        return;
    }
    config_ = config;
    if (!eglBindAPI(EGL_OPENGL_API))
    {
        error_ = "desktop OpenGL is not available through EGL";
        return;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};
    context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context_ == EGL_NO_CONTEXT)
    {
        context_ = nullptr;
        error_ = "eglCreateContext failed";
        return;
    }
    createSurface(width, height);
}

OffscreenGlContext::~OffscreenGlContext()
{
    std::string ignored;
    EGLDisplay display = sharedDisplay(ignored);
    if (display == EGL_NO_DISPLAY)
        return;
    if (eglGetCurrentContext() == context_ && context_ != nullptr)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_ != nullptr)
        eglDestroySurface(display, surface_);
    if (context_ != nullptr)
        eglDestroyContext(display, context_);
}

bool OffscreenGlContext::createSurface(int width, int height)
{
    std::string ignored;
    EGLDisplay display = sharedDisplay(ignored);
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config_, surfaceAttributes);
    if (surface == EGL_NO_SURFACE)
    {
        error_ = "eglCreatePbufferSurface failed";
        return false;
    }
    if (surface_ != nullptr)
        eglDestroySurface(display, surface_);
    surface_ = surface;
    width_ = width;
    height_ = height;
    return true;
}

bool OffscreenGlContext::makeCurrent()
{
    if (!isValid())
        return false;
    std::string ignored;
    return eglMakeCurrent(sharedDisplay(ignored), surface_, surface_, context_) == EGL_TRUE;
}

void OffscreenGlContext::doneCurrent()
{
    std::string ignored;
    EGLDisplay display = sharedDisplay(ignored);
    if (display != EGL_NO_DISPLAY && context_ != nullptr && eglGetCurrentContext() == context_)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void OffscreenGlContext::releaseCurrent()
{
    if (eglGetCurrentContext() == EGL_NO_CONTEXT)
        return;
    eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool OffscreenGlContext::anyCurrent()
{
    return eglGetCurrentContext() != EGL_NO_CONTEXT;
}

bool OffscreenGlContext::isCurrentContext() const
{
    return context_ != nullptr && eglGetCurrentContext() == context_;
}

bool OffscreenGlContext::resize(int width, int height)
{
    if (context_ == nullptr)
        return false;
    const bool wasCurrent = eglGetCurrentContext() == context_;
    if (wasCurrent)
        doneCurrent();
    const bool created = createSurface(width, height);
    if (wasCurrent)
        makeCurrent();
    return created;
}

std::vector<std::uint32_t> OffscreenGlContext::readPixels()
{
    std::vector<std::uint32_t> pixels;
    if (!isValid())
        return pixels;
    const bool wasCurrent = eglGetCurrentContext() == context_;
    if (!wasCurrent && !makeCurrent())
        return pixels;
    std::vector<unsigned char> rgba(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    pixels.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
    {
        const unsigned char* source = rgba.data() + static_cast<size_t>(height_ - 1 - y) * width_ * 4;
        std::uint32_t* target = pixels.data() + static_cast<size_t>(y) * width_;
        for (int x = 0; x < width_; ++x, source += 4)
            target[x] = source[0] | (source[1] << 8) | (static_cast<std::uint32_t>(source[2]) << 16);
    }
    if (!wasCurrent)
        doneCurrent();
    return pixels;
}

} // namespace platform
