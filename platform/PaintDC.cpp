#include "platform/PaintDC.h"

#include "platform/qt/WindowState.h"

namespace platform
{

namespace
{

// Windows the toolkit paints have no image of ours: their contexts draw into a scratch one.
std::shared_ptr<Surface> drawingTarget(WindowState* state)
{
    if (state != nullptr && state->surface)
        return state->surface;
    return std::make_shared<Surface>();
}

} // namespace

std::shared_ptr<DeviceContext> makeWindowDC(WindowState* state)
{
    return std::make_shared<DeviceContext>(drawingTarget(state));
}

std::unique_ptr<DeviceContext> Window::getDC()
{
    auto context = std::make_unique<DeviceContext>(drawingTarget(state_));
    context->setWindow(handle());
    return context;
}

PaintDC::PaintDC(Window& window)
    : DeviceContext(drawingTarget(window.state())), window_(window.handle()), info_(window.beginPaint())
{
    setWindow(window_);
}

PaintDC::~PaintDC()
{
    if (Window* window = Window::fromHandle(window_))
        window->endPaint();
}

} // namespace platform
