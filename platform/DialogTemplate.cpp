#include "platform/DialogTemplate.h"

#include "platform/qt/TextRendering.h"

namespace platform
{

namespace
{

int32_t mulDivRounded(int32_t value, int32_t numerator, int32_t denominator)
{
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

} // namespace

int32_t dialogUnitsToPixelsX(int32_t units)
{
    return mulDivRounded(units, text::dialogBaseUnits().width, 4);
}

int32_t dialogUnitsToPixelsY(int32_t units)
{
    return mulDivRounded(units, text::dialogBaseUnits().height, 8);
}

Rect dialogUnitsToPixels(const DialogUnitRect& rect)
{
    return {dialogUnitsToPixelsX(rect.x), dialogUnitsToPixelsY(rect.y), dialogUnitsToPixelsX(rect.x + rect.width),
            dialogUnitsToPixelsY(rect.y + rect.height)};
}

} // namespace platform
