// Drawing into an 800 x 600 window image, as the perspective view paints a frame: the background
// fill, the grid and member lines, dotted lines, joint squares, and the final blit.

#include "platform/DeviceContext.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace platform;

namespace
{

constexpr int32_t WIDTH = 800;
constexpr int32_t HEIGHT = 600;

struct Segment
{
    Point from;
    Point to;
};

// Lines with both ends somewhere around the image, some of them far outside it.
std::vector<Segment> randomSegments(size_t count)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> x(-200, WIDTH + 200);
    std::uniform_int_distribution<int32_t> y(-200, HEIGHT + 200);
    std::vector<Segment> segments(count);
    for (Segment& segment : segments)
        segment = {{x(random), y(random)}, {x(random), y(random)}};
    return segments;
}

void fillWholeImage(benchmark::State& state)
{
    Surface surface(WIDTH, HEIGHT);
    DeviceContext dc(surface);
    const Brush background = Brush::solid(0x808080);
    for (auto _ : state)
    {
        dc.fillRect({0, 0, WIDTH, HEIGHT}, background);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * WIDTH * HEIGHT);
    state.SetLabel("pixels");
}
BENCHMARK(fillWholeImage);

// Draws 1000 random, partly off-screen lines per iteration with the context as it is set up.
void measureLines(benchmark::State& state, DeviceContext& dc, const char* label)
{
    const std::vector<Segment> segments = randomSegments(1000);
    for (auto _ : state)
    {
        for (const Segment& segment : segments)
        {
            dc.moveTo(segment.from);
            dc.lineTo(segment.to);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(segments.size()));
    state.SetLabel(label);
}

void drawLines(benchmark::State& state)
{
    Surface surface(WIDTH, HEIGHT);
    DeviceContext dc(surface);
    dc.selectObject(Pen{static_cast<int32_t>(state.range(0)), 0, 0x000000});
    dc.setBkMode(TRANSPARENT);
    measureLines(state, dc, state.range(0) == PS_SOLID ? "lines, solid pen" : "lines, dotted pen");
}
BENCHMARK(drawLines)->Arg(PS_SOLID)->Arg(PS_DOT);

void drawXorLines(benchmark::State& state)
{
    Surface surface(WIDTH, HEIGHT);
    DeviceContext dc(surface);
    dc.selectObject(Pen{PS_SOLID, 0, 0xFFFFFF});
    dc.setROP2(R2_XORPEN);
    measureLines(state, dc, "lines, XOR");
}
BENCHMARK(drawXorLines);

void drawJointSquares(benchmark::State& state)
{
    Surface surface(WIDTH, HEIGHT);
    DeviceContext dc(surface);
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> x(0, WIDTH);
    std::uniform_int_distribution<int32_t> y(0, HEIGHT);
    std::vector<Point> joints(1000);
    for (Point& joint : joints)
        joint = {x(random), y(random)};
    for (auto _ : state)
    {
        for (const Point& joint : joints)
        {
            const Pen oldPen = dc.selectObject(Pen{PS_SOLID, 0, 0x0000FF});
            const Brush oldBrush = dc.selectObject(Brush::solid(0x00FF00));
            dc.rectangle({joint.x - 2, joint.y - 2, joint.x + 3, joint.y + 3});
            dc.selectObject(oldBrush);
            dc.selectObject(oldPen);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(joints.size()));
    state.SetLabel("5 x 5 joint squares");
}
BENCHMARK(drawJointSquares);

void blitFrame(benchmark::State& state)
{
    Surface window(WIDTH, HEIGHT);
    DeviceContext dc(window);
    DeviceContext memory = DeviceContext::createCompatibleDC();
    memory.selectObject(Bitmap(WIDTH, HEIGHT, 0x808080));
    for (auto _ : state)
    {
        dc.bitBlt(0, 0, WIDTH, HEIGHT, memory, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * WIDTH * HEIGHT);
    state.SetLabel("pixels");
}
BENCHMARK(blitFrame);

} // namespace
