#include "KitTestSupport.h"

namespace
{

void drawInto(platform::Surface& picture, platform::Window& window, platform::Point origin, const platform::Rect& clip)
{
    const platform::Rect area = platform::Rect::fromPointAndSize(origin, window.clientRect().size()).intersected(clip);
    if (area.isEmpty())
        return;
    if (const platform::Surface* surface = window.surface())
    {
        for (int32_t y = area.top; y < area.bottom; ++y)
            for (int32_t x = area.left; x < area.right; ++x)
            {
                const uint32_t colour = surface->pixel(x - origin.x, y - origin.y);
                if (colour != 0xFFFFFFFF)
                    picture.setPixel(x, y, colour);
            }
    }
    else
    {
        picture.fillRect(area, 0x808080);
        picture.fillRect(area.inflated(-1, -1), 0xFFFFFF);
    }
    const platform::Point windowScreen = window.clientToScreen(platform::Point{0, 0});
    for (platform::Window* child : window.children())
    {
        if ((child->style() & platform::WS_VISIBLE) == 0)
            continue;
        const platform::Point childScreen = child->clientToScreen(platform::Point{0, 0});
        drawInto(picture, *child,
                 {origin.x + childScreen.x - windowScreen.x, origin.y + childScreen.y - windowScreen.y}, area);
    }
}

} // namespace

platform::Surface pictureOfWindow(platform::Window& root)
{
    const platform::Rect client = root.clientRect();
    platform::Surface picture(client.width(), client.height(), 0xFF00FF);
    drawInto(picture, root, {0, 0}, client);
    return picture;
}
