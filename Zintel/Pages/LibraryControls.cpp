#include "Zintel/Pages/LibraryControls.h"

#include "platform/DeviceContext.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"

namespace zintel
{

ColourFace colourFaceOf(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    const float opacity = static_cast<float>(alpha) / 255.0f;
    uint32_t overBlack = 0;
    uint32_t overWhite = 0;
    for (const int shift : {0, 8, 16})
    {
        const auto channel = static_cast<uint8_t>(static_cast<float>((colour >> shift) & 0xFF) * opacity);
        overBlack |= uint32_t(channel) << shift;
        overWhite |= uint32_t(static_cast<uint8_t>(channel + (255 - alpha))) << shift;
    }
    return {overBlack, overWhite};
}

CColorButton::CColorButton(uint32_t* colour, uint32_t initialColour)
    : ::CColorButton(colour, initialColour, noInitialColour)
{
    chosenTopByte = 0xFF000000;
}

void CColorButton::paintFace(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour)
{
    const ColourFace face = colourFaceOf(colour);
    const int32_t midX = rect.left + rect.width() / 2;
    const int32_t midY = rect.top + rect.height() / 2;
    dc.fillSolidRect({rect.left, rect.top, midX, midY}, face.overBlack);
    dc.fillSolidRect({midX, midY, rect.right, rect.bottom}, face.overBlack);
    dc.fillSolidRect({midX, rect.top, rect.right, midY}, face.overWhite);
    dc.fillSolidRect({rect.left, midY, midX, rect.bottom}, face.overWhite);
}

void CDoubleSpinner::paint(platform::DeviceContext& dc, const platform::Rect& client)
{
    const platform::Surface* image = surface();
    const uint32_t face = image != nullptr ? platform::Surface::colourOf(image->pixel(2, 2)) : 0;
    const uint32_t outline = ((face & 0xFF) >> 1) | (((face >> 8) & 0xFF) >> 1) << 8 | (((face >> 16) & 0xFF) >> 1) << 16;
    paintHalves(dc, client, face, outline);
}

platform::LResult CPagetteButton::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    switch (message)
    {
    case platform::WM_LBUTTONDBLCLK:
        doubleClick(platform::pointFromLParam(lParam).y);
        return 0;
    case platform::WM_MBUTTONDBLCLK:
    case platform::WM_SETCURSOR:
        return platform::Button::windowProc(message, wParam, lParam);
    case platform::WM_LBUTTONDOWN:
        if (const platform::Point point = platform::pointFromLParam(lParam); !unfolded && foldBox().contains(point))
            doubleClick(point.y);
        break;
    default:
        break;
    }
    return ::CPagetteButton::windowProc(message, wParam, lParam);
}

void CPagetteButton::doubleClick(int32_t y)
{
    if (stack() == nullptr)
        return;
    if (unfolded && resizable && y > openHeight - 8)
    {
        openHeight = defaultHeight;
        setFolded(true);
    }
    else
        setFolded(!unfolded);
}

} // namespace zintel
