#include "uikit/ColorButton.h"

#include "platform/DeviceContext.h"
#include "platform/Services.h"
#include "uikit/ControlRules.h"

CColorButton::CColorButton(uint32_t* colour, uint32_t initialColour, uint32_t noInitialMarker)
    : colourPointer(colour != nullptr ? colour : &ownColour)
{
    if (initialColour != noInitialMarker)
        *colourPointer = initialColour;
}

bool CColorButton::chooseColour()
{
    uint32_t chosen = colour();
    if (!platform::chooseColour(platform::WindowHandle::None, chosen, platform::CC_RGBINIT | platform::CC_FULLOPEN))
        return false;
    *colourPointer = chosen | chosenTopByte;
    invalidate(true);
    updateWindow();
    return true;
}

void CColorButton::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc == nullptr)
        return;
    platform::DeviceContext& dc = *record.dc;
    const platform::Rect& rect = record.itemRect;
    if ((record.itemState & platform::ODS_DISABLED) != 0)
    {
        dc.draw3dRect(rect, platform::getSysColor(platform::COLOR_BTNHIGHLIGHT),
                      platform::getSysColor(platform::COLOR_BTNSHADOW));
        dc.fillSolidRect(rect.inflated(-1, -1), platform::getSysColor(platform::COLOR_BTNFACE));
        return;
    }
    const uint32_t shown = colour();
    paintFace(dc, rect, shown);
    if ((record.itemState & platform::ODS_FOCUS) != 0)
        drawFocusFrame(dc, rect, shown);
}

void CColorButton::paintFace(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour)
{
    dc.fillSolidRect(rect, colour & 0xFFFFFF);
}

void drawFocusFrame(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour)
{
    const platform::Pen previous = dc.selectObject(platform::Pen{platform::PS_SOLID, 1, focusFrameColour(colour)});
    dc.moveTo(rect.left + 3, rect.top + 3);
    dc.lineTo(rect.right - 4, rect.top + 3);
    dc.lineTo(rect.right - 4, rect.bottom - 4);
    dc.lineTo(rect.left + 3, rect.bottom - 4);
    dc.lineTo(rect.left + 3, rect.top + 3);
    dc.selectObject(previous);
}
