#include "VornInterface/SnapPriorityPopup.h"

#include "VornInterface/HostDialogResources.h"
#include "platform/DeviceContext.h"
#include "platform/SystemValues.h"

#include <algorithm>
#include <cctype>

uint32_t CIntensityCtrl::currentColour() const
{
    const double full = static_cast<double>(maximum - *value) / static_cast<double>(maximum - minimum);
    uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const int32_t atMaximum = static_cast<int32_t>((maximumColour >> shift) & 0xFF);
        const int32_t atMinimum = static_cast<int32_t>((minimumColour >> shift) & 0xFF);
        const auto channel = static_cast<int32_t>(atMaximum + full * (atMinimum - atMaximum));
        colour |= static_cast<uint32_t>(std::clamp(channel, 0, 255)) << shift;
    }
    return colour;
}

int32_t CIntensityCtrl::valueAtHeight(int32_t y, int32_t height) const
{
    const double fromTop = height > 0 ? static_cast<double>(y) / height : 0.0;
    const auto picked = static_cast<int32_t>(minimum + (1.0 - fromTop) * (maximum - minimum + 0.5));
    return std::clamp(picked, minimum, maximum);
}

void CIntensityCtrl::drawGauge(platform::DeviceContext& context, const platform::Rect& rect) const
{
    const double emptyPart = static_cast<double>(maximum - *value) / static_cast<double>(maximum - minimum);
    const auto split = static_cast<int32_t>((rect.bottom - 1) * emptyPart);
    if (split != 0)
        context.fillSolidRect({rect.left, 0, rect.right, split}, 0xFFFFFF);
    context.fillSolidRect({rect.left, split, rect.right, rect.bottom}, currentColour());
}

void CIntensityCtrl::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc != nullptr)
        drawGauge(*record.dc, record.itemRect);
}

void CIntensityCtrl::trackMouse(int32_t y)
{
    const int32_t picked = valueAtHeight(y, clientRect().height());
    if (picked == *value)
        return;
    *value = picked;
    if (listener != nullptr)
        listener->intensityChanged(*this);
    invalidate(false);
}

platform::LResult CIntensityCtrl::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const int32_t y = platform::pointFromLParam(lParam).y;
    switch (message)
    {
    case platform::WM_LBUTTONDOWN:
        setCapture();
        trackMouse(y);
        return 0;
    case platform::WM_MOUSEMOVE:
        if (Window::capture() == this)
            trackMouse(y);
        return 0;
    case platform::WM_LBUTTONUP:
        if (Window::capture() == this)
            Window::releaseCapture();
        return 0;
    default:
        return platform::Button::windowProc(message, wParam, lParam);
    }
}

CPopupSnapPriority::CPopupSnapPriority() : platform::Dialog(HostResource::SnapPriorityPopup)
{
    registerHostDialogResources();
    gauge.setListener(this);
}

bool CPopupSnapPriority::open(platform::Window* parent)
{
    return create(parent, hostResourceModule());
}

bool CPopupSnapPriority::onInitDialog()
{
    platform::Dialog::onInitDialog();
    gauge.subclassDlgItem(GaugeId, this);
    numberText = std::to_string(gauge.getValue());
    setDlgItemText(NumberId, numberText);
    return true;
}

void CPopupSnapPriority::intensityChanged(CIntensityCtrl& changed)
{
    numberText = std::to_string(changed.getValue());
    setDlgItemText(NumberId, numberText);
}

void CPopupSnapPriority::OnNumberChange()
{
    const std::string text = dlgItemText(NumberId);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return;
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    std::string cleaned = text.substr(0, digits);
    // Leading digits beyond the range are clamped without reading the whole (maybe huge) number.
    const std::size_t significant = cleaned.find_first_not_of('0');
    const bool aboveRange = significant != std::string::npos &&
        (digits - significant > 2 || std::stoi(cleaned.substr(significant)) > gauge.maximum);
    int32_t number =
        aboveRange ? gauge.maximum : (significant == std::string::npos ? 0 : std::stoi(cleaned.substr(significant)));
    number = std::clamp(number, gauge.minimum, gauge.maximum);
    if (aboveRange)
        cleaned = std::to_string(number);
    gauge.setValue(number);
    gauge.invalidate(false);
    numberText = cleaned;
    if (cleaned != text)
        setDlgItemText(NumberId, cleaned);
}

bool CPopupSnapPriority::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id == NumberId && code == platform::EN_CHANGE)
    {
        OnNumberChange();
        return true;
    }
    return platform::Dialog::onCommand(id, code, control);
}
