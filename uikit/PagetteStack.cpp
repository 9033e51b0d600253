#include "uikit/PagetteStack.h"

#include "platform/DeviceContext.h"
#include "plugins/PluginWindow.h"
#include "uikit/ControlRules.h"

#include <algorithm>

namespace
{

constexpr int32_t pagetteGap = 2;
// Wide enough for any holder: scrolled strips span the whole width.
constexpr int32_t fullWidth = 12000;

platform::Rect rectInHolder(platform::Window* holder, platform::Window* pagette)
{
    return holder->screenToClient(pagette->windowRect());
}

void moveBy(platform::Window* holder, platform::Window* pagette, int32_t dy)
{
    pagette->moveWindow(rectInHolder(holder, pagette).translated(0, dy), false);
}

} // namespace

// ---- CMiniScrollBar ------------------------------------------------------------------------------

CMiniScrollBar::CMiniScrollBar(MiniScrollBarOwner* owner, bool repaintOnClick)
    : owner(owner), repaintOnClick(repaintOnClick)
{
}

void CMiniScrollBar::updateGeometry()
{
    const MiniScrollBarGeometry geometry = miniScrollBarGeometry(clientRect(), page, total, position);
    rectAbove = geometry.above;
    thumbRect = geometry.thumb;
    rectBelow = geometry.below;
    track = geometry.track;
}

void CMiniScrollBar::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc == nullptr)
        return;
    platform::DeviceContext& dc = *record.dc;
    updateGeometry();
    const platform::ColorRef face = platform::getSysColor(platform::COLOR_BTNFACE);
    const platform::ColorRef shadow = platform::getSysColor(platform::COLOR_BTNSHADOW);
    if (page >= total)
    {
        dc.fillSolidRect(rectAbove, face);
        return;
    }
    dc.fillSolidRect(rectAbove, shadow);
    dc.fillSolidRect(rectBelow, shadow);
    platform::Rect thumb = thumbRect;
    dc.drawEdge(thumb, platform::EDGE_RAISED, platform::BF_RECT);
    dc.fillSolidRect({thumbRect.left + 2, thumbRect.top + 2, thumbRect.left + 3, thumbRect.bottom - 2}, face);
    dc.fillSolidRect({thumbRect.left - 1, thumbRect.top, thumbRect.left, thumbRect.bottom}, shadow);
}

void CMiniScrollBar::repaintNow()
{
    invalidate(false);
    updateWindow();
}

platform::LResult CMiniScrollBar::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::Point point = platform::pointFromLParam(lParam);
    switch (message)
    {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK: // a quick second click pages again, as on a scroll bar
        // The bar never shows a pressed state: no default button handling.
        press(point);
        return 0;
    case platform::WM_LBUTTONUP:
        releaseCapture();
        dragging = false;
        return 0;
    case platform::WM_MOUSEMOVE:
        // Only a held left button drags.
        if ((wParam & platform::MK_LBUTTON) == 0)
            return 0;
        if (!dragging)
        {
            updateGeometry();
            const bool onThumb = point.x >= rectAbove.left && point.y > rectAbove.bottom && point.y < rectBelow.top;
            if (!onThumb || track <= 0)
                return 0;
            dragging = true;
            dragStartY = point.y;
            dragStartPos = position;
            setCapture();
        }
        dragTo(point.y);
        return 0;
    default:
        return Button::windowProc(message, wParam, lParam);
    }
}

void CMiniScrollBar::press(platform::Point point)
{
    updateGeometry();
    if (point.x < rectAbove.left)
        return;
    const int32_t pageStep = static_cast<int32_t>(page * 0.8);
    if (point.y <= rectAbove.bottom || point.y >= rectBelow.top)
    {
        if (point.y <= rectAbove.bottom)
            position = std::max(position - pageStep, 0);
        else
            position = std::max(std::min(position + pageStep, total - page), 0);
        if (repaintOnClick)
            repaintNow();
        if (owner != nullptr)
            owner->layout(true);
        return;
    }
    // On the thumb; a bar too short for a track has nothing to drag.
    if (track <= 0)
        return;
    dragging = true;
    dragStartY = point.y;
    dragStartPos = position;
    setCapture();
}

void CMiniScrollBar::dragTo(int32_t y)
{
    const int32_t newPosition = miniScrollBarDragPosition(dragStartPos, dragStartY, y, page, total, track);
    if (newPosition != position && owner != nullptr)
        owner->scrollBy(newPosition - position);
}

// ---- PagetteStack --------------------------------------------------------------------------------

PagetteStack::PagetteStack() : bar(nullptr, true)
{
    bar.owner = this;
}

PagetteStack::~PagetteStack() = default;

platform::Window* PagetteStack::holderWindow() const
{
    return holderHandle != nullptr ? holderHandle->getWnd() : nullptr;
}

std::vector<platform::Window*> PagetteStack::visiblePagettes(platform::Window* holder) const
{
    std::vector<platform::Window*> pagettes;
    for (platform::Window* child : holder->children())
        if ((child->style() & platform::WS_VISIBLE) != 0)
            pagettes.push_back(child);
    return pagettes;
}

void PagetteStack::layout(bool redraw)
{
    platform::Window* holder = holderWindow();
    if (holder == nullptr)
        return;
    const std::vector<platform::Window*> pagettes = visiblePagettes(holder);
    int32_t total = topMargin;
    for (platform::Window* pagette : pagettes)
        total += pagette->windowRect().height() + pagetteGap;
    bar.total = total;
    bar.page = holder->clientRect().height();
    bar.position = clampScrollPosition(bar.position, bar.page, bar.total);

    int32_t y = topMargin - bar.position;
    for (platform::Window* pagette : pagettes)
    {
        const platform::Rect rect = rectInHolder(holder, pagette);
        pagette->moveWindow({0, y, rect.width(), y + rect.height()}, false);
        y += rect.height() + pagetteGap;
    }
    if (redraw)
    {
        bar.invalidate(false);
        holder->redrawWindow(nullptr, platform::RDW_INVALIDATE | platform::RDW_ERASE | platform::RDW_ALLCHILDREN);
    }
}

void PagetteStack::scrollBy(int32_t delta)
{
    platform::Window* holder = holderWindow();
    if (holder == nullptr)
        return;
    const int32_t old = bar.position;
    bar.position = clampScrollPosition(old + delta, bar.page, bar.total);
    if (bar.position == old)
        return;
    holder->scrollWindow(0, old - bar.position);
    bar.invalidate(false);
}

void PagetteStack::readScrollOffset()
{
    platform::Window* holder = holderWindow();
    if (holder == nullptr)
        return;
    const std::vector<platform::Window*> pagettes = visiblePagettes(holder);
    if (pagettes.empty())
        return;
    bar.position = -rectInHolder(holder, pagettes.front()).top;
}

void PagetteStack::pagetteResized(platform::Window* pagette)
{
    platform::Window* holder = holderWindow();
    if (holder == nullptr || pagette == nullptr)
        return;
    const std::vector<platform::Window*> pagettes = visiblePagettes(holder);
    const auto resized = std::find(pagettes.begin(), pagettes.end(), pagette);
    if (resized == pagettes.end())
        return; // a hidden pagette takes no room
    const platform::Rect rF = rectInHolder(holder, pagettes.front());
    const platform::Rect rP = rectInHolder(holder, pagette);
    const auto next = resized + 1;

    if (next != pagettes.end())
    {
        const platform::Rect rW = holder->clientRect();
        const platform::Rect rN = rectInHolder(holder, *next);
        int32_t delta = rP.bottom + pagetteGap - rN.top;
        int32_t scrollTop = rN.top - pagetteGap;
        bar.total += delta;
        if (delta == 0)
            return;
        if (delta < 0)
        {
            // The pagette shrank. When the column would then end above the holder's bottom, the
            // pagettes from the first down to this one move down instead, as far as needed.
            holder->updateWindow();
            const int32_t limit = std::min(rW.bottom - bar.total, 0);
            const int32_t extra = rF.top < limit ? limit - rF.top : 0;
            delta += extra;
            if (delta < 0)
                scrollTop = rP.bottom;
            if (extra != 0)
            {
                for (auto above = pagettes.begin(); above != resized; ++above)
                    moveBy(holder, *above, extra);
                const platform::Rect strip{0, 0, fullWidth, rP.top + extra};
                holder->scrollWindow(0, extra, &strip, &strip);
                moveBy(holder, pagette, extra);
                bar.position -= extra;
                scrollTop += extra;
            }
        }
        if (delta != 0)
        {
            for (auto below = next; below != pagettes.end(); ++below)
                moveBy(holder, *below, delta);
            const platform::Rect strip{0, scrollTop, fullWidth, rW.bottom};
            holder->scrollWindow(0, delta, &strip, &strip);
        }
    }
    else
    {
        const int32_t old = bar.total;
        bar.total = topMargin + rP.bottom + pagetteGap - rF.top;
        // A scrolled column whose end came up into view scrolls back down, no further than
        // its top margin.
        if (rF.top < topMargin && rP.bottom < bar.page)
        {
            const int32_t shift = std::min(topMargin - rF.top, bar.page - rP.bottom);
            holder->scrollWindow(0, shift);
            bar.position -= shift;
        }
        if (old > bar.total)
        {
            const platform::Rect now = rectInHolder(holder, pagette);
            const platform::Rect freed{now.left, now.bottom, now.right, now.bottom + (old - bar.total) + pagetteGap};
            holder->invalidateRect(&freed, true);
        }
    }
    pagette->redrawWindow(nullptr, platform::RDW_INVALIDATE | platform::RDW_ALLCHILDREN);
    bar.invalidate(false);
}
