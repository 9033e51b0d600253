#include "VornInterface/SmallControls.h"

#include "VornInterface/HostDialogResources.h"
#include "platform/DeviceContext.h"
#include "platform/DrawingConstants.h"
#include "platform/SystemValues.h"

bool CFlatToolBar::loadToolBar(std::span<const platform::ToolbarButton> buttons, const platform::ImageList* images)
{
    if (buttons.empty() || images == nullptr)
        return false;
    setImageList(images);
    if (!addButtons(buttons.data(), static_cast<int>(buttons.size())))
        return false;
    modifyStyle(0, platform::TBSTYLE_FLAT | platform::TBSTYLE_TRANSPARENT);
    invalidate(true);
    return true;
}

void CFlatToolBar::paintNonClient(platform::DeviceContext& context, platform::Size size)
{
    const int32_t w = size.width;
    const int32_t h = size.height;
    const platform::ColorRef face = platform::getSysColor(platform::COLOR_BTNFACE);
    for (const platform::Rect& band : {platform::Rect::fromPointAndSize({1, 1}, {w - 4, 3}),
                                       platform::Rect::fromPointAndSize({1, h - 4}, {w - 4, 3}),
                                       platform::Rect::fromPointAndSize({1, 1}, {3, h - 3}),
                                       platform::Rect::fromPointAndSize({w - 4, 1}, {3, h - 3})})
        context.fillSolidRect(band, face);
    platform::Rect whole{0, 0, w, h};
    context.drawEdge(whole, platform::EDGE_ETCHED, platform::BF_RECT);
}

void CFlatToolBar::positionChanged(platform::Window& parent, const platform::Rect& occupied, bool moved)
{
    if (moved)
        parent.invalidateRect(&occupied, true);
}

platform::LResult CFlatToolBar::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::LResult result = platform::Toolbar::windowProc(message, wParam, lParam);
    if (message == platform::WM_MOVE && parent() != nullptr)
    {
        const platform::Rect occupied = parent()->screenToClient(windowRect());
        positionChanged(*parent(), occupied, true);
        invalidate(true); // the border is painted again with the bar
    }
    return result;
}

CColorPicker::CColorPicker() : platform::Dialog(HostResource::ColorPickerDialog)
{
    registerHostDialogResources();
}

void CHueSat::drawItem(platform::DrawItemRecord&)
{
}

platform::LResult CCellList::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message != platform::WM_PAINT)
        return platform::Window::windowProc(message, wParam, lParam);
    validateRect(nullptr);
    return 0;
}
