#include "platform/DialogBarLayout.h"

#include <algorithm>

namespace platform
{
namespace
{

constexpr std::int32_t kStretchedLength = 32767;

bool keepsDockedSizeApartAndStretches(const DialogBarSizes& sizes)
{
    const std::int32_t both = dialog_bar_mode::StretchChildren | dialog_bar_mode::DockedSizeApart;
    return sizes.docked != sizes.floating && (sizes.modeFlags & both) == both;
}

// Children are laid out for `target`; the reference follows.
void layOutFor(DialogBarSizes& sizes, DialogBarLayout& answer, Size target, bool stretch)
{
    if (stretch)
    {
        answer.stretchChildren = true;
        answer.stretchFrom = sizes.reference;
        answer.stretchTo = target;
    }
    sizes.reference = target;
    answer.size = target;
}

} // namespace

DialogBarLayout calcDialogBarLayout(DialogBarSizes& sizes, std::int32_t length, std::uint32_t mode)
{
    DialogBarLayout answer;
    if (mode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        if (mode & LM_STRETCH)
        {
            answer.beep = true;
            answer.size = (mode & LM_HORZ) ? Size{kStretchedLength, sizes.docked.height}
                                           : Size{sizes.docked.width, kStretchedLength};
            return answer;
        }
        layOutFor(sizes, answer, sizes.docked, keepsDockedSizeApartAndStretches(sizes));
        return answer;
    }
    if (mode & LM_MRUWIDTH)
    {
        layOutFor(sizes, answer, sizes.floating, keepsDockedSizeApartAndStretches(sizes));
        return answer;
    }
    const bool keepDocked = (sizes.modeFlags & dialog_bar_mode::DockedSizeApart) != 0;
    if (mode & LM_LENGTHY)
    {
        const std::int32_t height =
            std::clamp(length, sizes.minimum.height, std::max(sizes.minimum.height, sizes.maximum.height));
        if (!(sizes.modeFlags & dialog_bar_mode::HeightFixed))
        {
            sizes.floating.height = height;
            if (!keepDocked)
                sizes.docked.height = height;
        }
    }
    else
    {
        const std::int32_t width =
            std::clamp(length, sizes.minimum.width, std::max(sizes.minimum.width, sizes.maximum.width));
        if (!(sizes.modeFlags & dialog_bar_mode::WidthFixed))
        {
            sizes.floating.width = width;
            if (!keepDocked)
                sizes.docked.width = width;
        }
    }
    layOutFor(sizes, answer, sizes.floating, (sizes.modeFlags & dialog_bar_mode::StretchChildren) != 0);
    return answer;
}

Size stretchedChildSize(Size child, Size reference, Size target)
{
    Size result = child;
    if (child.width > reference.width / 2)
        result.width = std::max(0, std::min(child.width + target.width - reference.width, target.width - 15));
    if (child.height > reference.height / 2)
        result.height = std::max(0, std::min(child.height + target.height - reference.height, target.height));
    return result;
}

} // namespace platform
