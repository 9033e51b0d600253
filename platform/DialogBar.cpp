#include "platform/DialogBar.h"

namespace platform
{

DialogBar::DialogBar() = default;
DialogBar::~DialogBar() = default;

void DialogBar::rememberNaturalSize()
{
    if (naturalSize_.width == 0 && naturalSize_.height == 0)
        naturalSize_ = clientRect().size();
}

Size DialogBar::calcDynamicLayout(std::int32_t, std::uint32_t)
{
    rememberNaturalSize();
    return naturalSize_;
}

} // namespace platform
