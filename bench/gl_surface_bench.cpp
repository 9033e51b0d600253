// What a GL view's frame costs on the EGL pbuffer at 800 x 600: the swap (finish, read back,
// hand over) with and without copying the frame into the window's image; and what a pick outside
// the paint pays to bind the context and release it again, alone and with one pixel read back.
#include "platform/GlSurface.h"
#include "platform/GlWindow.h"
#include "platform/Surface.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

namespace
{

constexpr int kWidth = 800;
constexpr int kHeight = 600;

void drawFrames(benchmark::State& state, platform::GlSurface& surface)
{
    if (!surface.makeCurrent())
    {
        state.SkipWithError(surface.error().c_str());
        return;
    }
    surface.doneCurrent();
    float shade = 0.0f;
    for (auto _ : state)
    {
        surface.makeCurrent();
        glClearColor(shade, 0.3f, 0.6f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        shade = shade > 0.9f ? 0.0f : shade + 0.01f;
        surface.swapBuffers();
    }
}

void BM_ClearAndSwap(benchmark::State& state)
{
    platform::GlSurface surface(kWidth, kHeight);
    drawFrames(state, surface);
}
BENCHMARK(BM_ClearAndSwap)->Unit(benchmark::kMillisecond);

void BM_ClearAndSwapIntoWindowImage(benchmark::State& state)
{
    platform::GlSurface surface(kWidth, kHeight);
    platform::Surface windowImage(kWidth, kHeight);
    surface.setFramePresenter([&](const std::uint32_t* pixels, int width, int height) {
        platform::copyFrameInto(pixels, width, height, windowImage);
    });
    drawFrames(state, surface);
}
BENCHMARK(BM_ClearAndSwapIntoWindowImage)->Unit(benchmark::kMillisecond);

void BM_PickBindAndRelease(benchmark::State& state)
{
    platform::GlSurface surface(kWidth, kHeight);
    const bool readPixel = state.range(0) != 0;
    if (!surface.makeCurrent())
    {
        state.SkipWithError(surface.error().c_str());
        return;
    }
    platform::releaseGlCurrent();
    unsigned char pixel[4] = {};
    for (auto _ : state)
    {
        surface.makeCurrent();
        if (readPixel)
            glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        platform::releaseGlCurrent();
        benchmark::DoNotOptimize(pixel);
    }
    state.SetLabel(readPixel ? "with one pixel read back" : "bind and release only");
}
BENCHMARK(BM_PickBindAndRelease)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
