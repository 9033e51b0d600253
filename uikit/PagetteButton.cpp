#include "uikit/PagetteButton.h"

#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "uikit/KitCursors.h"
#include "uikit/PagetteStack.h"
#include "plugins/PluginWindow.h"

#include <algorithm>

CEmptyChildDialog::CEmptyChildDialog() : platform::Dialog(templateId)
{
}

bool CEmptyChildDialog::createHolder(platform::Window* page, platform::ModuleHandle module, PagetteStack* stack,
                                     PluginWindowHandle* handle, const platform::Rect& start)
{
    if (!create(page, module))
        return false;
    if (handle != nullptr)
        handle->attach(this);
    this->stack = stack;
    if (stack != nullptr)
        stack->holderHandle = handle;
    moveWindow(start, false);
    showWindow(platform::SW_SHOWNOACTIVATE);
    return true;
}

platform::DialogTemplate emptyChildDialogTemplate()
{
    platform::DialogTemplate holder;
    holder.rect = {0, 0, 144, 114};
    holder.style = platform::WS_CHILD | platform::DS_CONTROL | platform::DS_SETFONT;
    // The pagettes share the Tab order of the page that holds them.
    holder.exStyle = platform::WS_EX_CONTROLPARENT;
    holder.fontName = "MS Sans Serif";
    holder.fontPointSize = 8;
    return holder;
}

PagetteStack* CPagetteButton::stack() const
{
    platform::Window* pagette = parent();
    platform::Window* holder = pagette != nullptr ? pagette->parent() : nullptr;
    auto* emptyChild = dynamic_cast<CEmptyChildDialog*>(holder);
    return emptyChild != nullptr ? emptyChild->stack : nullptr;
}

platform::Rect CPagetteButton::foldBox() const
{
    const platform::Rect client = clientRect();
    return {client.left + 4, client.top + 4, client.left + titleHeight - 4, titleHeight - 4};
}

bool CPagetteButton::onGrip(int32_t y) const
{
    return resizable && y > clientRect().bottom - 8;
}

void CPagetteButton::setFolded(bool open)
{
    const int32_t height = open ? openHeight : foldedHeight;
    platform::Window* pagette = parent();
    if (height < 0 || !exists())
        return;
    unfolded = open;
    // The frame follows the pagette's height, so its edge and grip stay at the bottom.
    const int32_t width = clientRect().width();
    moveWindow({0, 0, width, height}, false);
    if (pagette == nullptr)
        return;
    pagette->setWindowPos(nullptr, 0, 0, width, height,
                          platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
    if (PagetteStack* column = stack())
        column->pagetteResized(pagette);
}

platform::LResult CPagetteButton::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    switch (message)
    {
    case platform::WM_LBUTTONDBLCLK:
    case platform::WM_MBUTTONDBLCLK:
        setFolded(!unfolded);
        return 0;
    case platform::WM_LBUTTONDOWN:
        leftButtonDown(platform::pointFromLParam(lParam));
        break;
    case platform::WM_MOUSEMOVE:
        mouseMove(platform::pointFromLParam(lParam));
        break;
    case platform::WM_LBUTTONUP:
        leftButtonUp();
        break;
    case platform::WM_ERASEBKGND:
        return eraseBackground() ? 1 : 0;
    case platform::WM_SETCURSOR:
        if (setCursorOverFrame())
            return 1;
        break;
    default:
        break;
    }
    return Button::windowProc(message, wParam, lParam);
}

void CPagetteButton::leftButtonDown(platform::Point point)
{
    if (!unfolded && foldBox().contains(point))
        setFolded(true);
    if (dragging)
        return;
    if (unfolded && onGrip(point.y))
        resizing = true;
    else
    {
        resizing = false;
        const PagetteStack* column = stack();
        if (column == nullptr || !column->canScroll())
            return;
    }
    setCapture();
    dragging = true;
    dragPoint = clientToScreen(point);
}

void CPagetteButton::mouseMove(platform::Point point)
{
    const int32_t y = clientToScreen(point).y;
    PagetteStack* column = stack();
    if (!dragging || y == dragPoint.y || column == nullptr)
        return;
    if (resizing)
    {
        const int32_t old = openHeight;
        openHeight = std::min(std::max(openHeight + y - dragPoint.y, minOpenHeight), maxOpenHeight);
        if (openHeight != old)
        {
            if (bottomMargin != 0)
            {
                // The strip of controls that follow the bottom edge is repainted clean.
                eraseRect = {1, std::min(old, openHeight) - bottomMargin, 8000, openHeight};
                eraseMode = EraseStripsOnce;
            }
            setFolded(true);
        }
    }
    else
        column->scrollBy(dragPoint.y - y);
    dragPoint.y = y;
}

void CPagetteButton::leftButtonUp()
{
    if (!dragging)
        return;
    dragging = false;
    releaseCapture();
}

bool CPagetteButton::eraseBackground()
{
    platform::Surface* surface = this->surface();
    switch (eraseMode)
    {
    case EraseNever:
        return true;
    case EraseSkipOnce:
        eraseMode = EraseNormally;
        return true;
    case EraseStripsOnce:
        if (surface != nullptr)
        {
            const platform::ColorRef face = platform::getSysColor(platform::COLOR_BTNFACE);
            platform::DeviceContext dc(*surface);
            dc.fillSolidRect(eraseRect, face);
            eraseRect.top = 2;
            eraseRect.bottom = eraseLimit;
            dc.fillSolidRect(eraseRect, face);
        }
        eraseMode = EraseNormally;
        return true;
    default:
        // The frame's face, as a button's background is erased.
        if (surface != nullptr)
        {
            const platform::Rect area = updateRect().isEmpty() ? clientRect() : updateRect();
            platform::DeviceContext(*surface).fillSolidRect(area, platform::getSysColor(platform::COLOR_BTNFACE));
        }
        return true;
    }
}

bool CPagetteButton::setCursorOverFrame()
{
    const platform::Point point = screenToClient(platform::cursorPosition());
    if (!unfolded && foldBox().contains(point))
        return false;
    if (unfolded && onGrip(point.y))
    {
        platform::setCursor(platform::loadStandardCursor(platform::IDC_SIZENS));
        return true;
    }
    const PagetteStack* column = stack();
    if (column != nullptr && column->canScroll())
    {
        platform::setCursor(getCursorPagetteButton());
        return true;
    }
    return false;
}

void CPagetteButton::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc == nullptr)
        return;
    platform::DeviceContext& dc = *record.dc;
    const platform::Rect rect = record.itemRect;
    platform::Rect edge = rect;
    dc.drawEdge(edge, platform::EDGE_RAISED, platform::BF_RECT);
    const std::string title = windowText();
    const int32_t previousMode = dc.setBkMode(platform::TRANSPARENT);
    const int32_t savedDepth = dc.saveDC();
    if (unfolded)
    {
        dc.textOut(5, 3, fittedTitle(dc, title + ":", rect.right - 2 - 5));
        for (const int32_t bottom : {titleHeight, separator1, separator2})
        {
            if (bottom == 0)
                continue;
            platform::Rect line{rect.left + 1, rect.top, rect.right - 2, bottom};
            dc.drawEdge(line, platform::EDGE_ETCHED, platform::BF_BOTTOM);
        }
        if (resizable)
        {
            platform::Rect grip{rect.left + 4, rect.bottom - 7, rect.right - 4, rect.bottom - 4};
            dc.drawEdge(grip, platform::BDR_RAISEDINNER, platform::BF_RECT);
        }
    }
    else
    {
        const int32_t room = rect.right - 2 - titleHeight;
        // The fold box says that the pagette is folded; the dots give way to the title.
        const int32_t withDots = dc.saveDC();
        std::string folded = fittedTitle(dc, title + "...", room);
        if (dc.getTextExtent(folded).width > room)
        {
            dc.restoreDC(withDots);
            folded = fittedTitle(dc, title, room);
        }
        dc.textOut(titleHeight, 3, folded);
        platform::Rect box{rect.left + 4, rect.top + 4, rect.left + titleHeight - 4, titleHeight - 4};
        dc.drawEdge(box, platform::BDR_SUNKENOUTER, platform::BF_RECT);
    }
    dc.restoreDC(savedDepth);
    dc.setBkMode(previousMode);
}

std::string CPagetteButton::fittedTitle(platform::DeviceContext& dc, std::string text, int32_t room)
{
    // Titles are bold; one too long for its frame in bold is written in the regular weight, and
    // one too long for that in a regular font just small enough.
    if (dc.getTextExtent(text).width <= room)
        return text;
    platform::Font regular = platform::Font::dialog();
    dc.selectObject(regular);
    const int32_t width = dc.getTextExtent(text).width;
    if (width > room)
    {
        regular.height = -std::max(smallestTitleHeight, -regular.height * room / width);
        dc.selectObject(regular);
    }
    return text;
}
