#include "uikit/DoubleSpinner.h"

#include "platform/DeviceContext.h"
#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "uikit/ControlRules.h"

namespace
{

// The page of the edit, whose data exchange moves the value between its variables and controls.
platform::Dialog* pageOf(platform::Window* edit)
{
    return edit != nullptr ? dynamic_cast<platform::Dialog*>(edit->parent()) : nullptr;
}

} // namespace

void DoubleSpinnerPageLink::beginChange()
{
    platform::Dialog* page = pageOf(edit);
    if (page == nullptr)
        return;
    platform::ResourceModuleScope resources(page->module());
    page->updateData(true);
}

void DoubleSpinnerPageLink::valueChanged()
{
    platform::Dialog* page = pageOf(edit);
    if (page == nullptr)
        return;
    platform::ResourceModuleScope resources(page->module());
    page->updateData(false);
    edit->invalidate(true);
}

CDoubleSpinner::CDoubleSpinner(DoubleSpinnerLink* link, int32_t flags) : link(link), flags(flags & ~pressState)
{
}

platform::LResult CDoubleSpinner::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (link == nullptr)
    {
        switch (message)
        {
        case platform::WM_LBUTTONDOWN:
        case platform::WM_LBUTTONDBLCLK:
        case platform::WM_LBUTTONUP:
        case platform::WM_MOUSEMOVE:
            return 0;
        default:
            return Button::windowProc(message, wParam, lParam);
        }
    }
    const platform::Point point = platform::pointFromLParam(lParam);
    switch (message)
    {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK: // a double click steps a second time
        press(point.y);
        return 0;
    case platform::WM_MOUSEMOVE:
        if ((wParam & platform::MK_LBUTTON) != 0)
            drag(point.y);
        return Button::windowProc(message, wParam, lParam);
    case platform::WM_LBUTTONUP:
        release();
        return Button::windowProc(message, wParam, lParam);
    default:
        return Button::windowProc(message, wParam, lParam);
    }
}

void CDoubleSpinner::press(int32_t y)
{
    link->beginChange();
    flags |= (clientRect().height() >> 1) > y ? SpinUpperPressed : SpinLowerPressed;
    setCapture();
    lastY = y;
    repaintNow();
}

void CDoubleSpinner::drag(int32_t y)
{
    if ((flags & (SpinUpperPressed | SpinLowerPressed)) == 0)
    {
        press(y);
        return;
    }
    flags |= SpinDragged;
    if ((flags & (SpinUpperPressed | SpinLowerPressed)) != (SpinUpperPressed | SpinLowerPressed))
    {
        flags |= SpinUpperPressed | SpinLowerPressed;
        repaintNow();
    }
    if (y == lastY || link->value == nullptr)
        return;
    const std::optional<double> dragged =
        spinnerDragged(*link->value, lastY, y, link->dragFactor, (flags & SpinExponential) != 0, link->fromZero);
    lastY = y;
    if (dragged)
        setValue(*dragged);
}

void CDoubleSpinner::release()
{
    const int32_t pressed = flags & (SpinUpperPressed | SpinLowerPressed);
    if ((pressed == SpinUpperPressed || pressed == SpinLowerPressed) && link->value != nullptr)
    {
        const std::optional<double> stepped = spinnerStepped(*link->value, link->step, (flags & SpinMultiply) != 0,
                                                             pressed == SpinUpperPressed, link->fromZero);
        if (stepped)
            setValue(*stepped);
    }
    // Only the press state ends; the configuration stays as constructed.
    flags &= ~pressState;
    releaseCapture();
    repaintNow();
}

void CDoubleSpinner::setValue(double value)
{
    if ((flags & SpinAngle) != 0 && wrapsAngles())
        value = wrapAngleDegrees(value);
    *link->value = value;
    link->valueChanged();
}

void CDoubleSpinner::repaintNow()
{
    invalidate(false);
    updateWindow();
}

void CDoubleSpinner::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc != nullptr)
        paint(*record.dc, clientRect());
}

void CDoubleSpinner::arrowPoints(const platform::Rect& client, bool upper, bool pressed, platform::Point points[3])
{
    const int32_t height = client.height();
    const int32_t mid = height >> 1;
    const int32_t cx = client.width() >> 1;
    if (upper)
    {
        points[0] = {cx, 3};
        points[1] = {cx - mid + 7, mid - 4};
        points[2] = {cx + mid - 7, mid - 4};
    }
    else
    {
        points[0] = {cx, height - 4};
        points[1] = {cx - mid + 7, mid + 3};
        points[2] = {cx + mid - 7, mid + 3};
    }
    if (pressed)
        for (int i = 0; i < 3; ++i)
            points[i] = {points[i].x + 1, points[i].y + 1};
}

void CDoubleSpinner::paint(platform::DeviceContext& dc, const platform::Rect& client)
{
    paintHalves(dc, client, platform::getSysColor(platform::COLOR_BTNFACE),
                platform::getSysColor(platform::COLOR_BTNSHADOW));
}

void CDoubleSpinner::paintHalves(platform::DeviceContext& dc, const platform::Rect& client, uint32_t face,
                                 uint32_t outline)
{
    const int32_t width = client.width();
    const int32_t height = client.height();
    const int32_t mid = height >> 1;

    const platform::Pen previousPen = dc.selectObject(platform::Pen{platform::PS_SOLID, 1, outline});
    const platform::Brush previousBrush = dc.selectObject(platform::Brush::solid(0x000000));
    for (const bool upper : {true, false})
    {
        const bool pressed = (flags & (upper ? SpinUpperPressed : SpinLowerPressed)) != 0;
        platform::Rect half = upper ? platform::Rect{0, 0, width, mid} : platform::Rect{0, mid, width, height};
        dc.drawEdge(half, pressed ? platform::EDGE_SUNKEN : platform::EDGE_RAISED, platform::BF_RECT);
        const int32_t top = upper ? 2 : mid + 2;
        dc.fillSolidRect({2, top, width - 2, top + mid - 4}, face);
        platform::Point arrow[3];
        arrowPoints(client, upper, pressed, arrow);
        dc.polygon(arrow);
    }
    dc.selectObject(previousBrush);
    dc.selectObject(previousPen);
}
