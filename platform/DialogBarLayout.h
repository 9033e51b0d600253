#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"

#include <cstdint>

namespace platform
{

// Mode flags of a dialog bar (the plugin's dock info 5).
namespace dialog_bar_mode
{
constexpr std::int32_t HeightFixed = 1;
constexpr std::int32_t WidthFixed = 2;
constexpr std::int32_t DockedSizeApart = 4; // resizing the floating bar leaves the docked size alone
constexpr std::int32_t StretchChildren = 8;
} // namespace dialog_bar_mode

// What a dialog bar remembers about its sizes between layout queries.
struct DialogBarSizes
{
    Size docked;
    Size floating;
    Size reference; // the size the children were last laid out for
    Size minimum;
    Size maximum;
    std::int32_t modeFlags = 0;
};

// The answer to one layout query.
struct DialogBarLayout
{
    Size size;
    bool beep = false; // a docked bar was asked to stretch
    bool stretchChildren = false; // lay the children out from stretchFrom to stretchTo
    Size stretchFrom;
    Size stretchTo;
};

// Answers a layout query (length, LM_ bits) and updates the remembered sizes. Pure: the
// caller beeps and stretches the children as the answer says.
PLATFORM_API DialogBarLayout calcDialogBarLayout(DialogBarSizes& sizes, std::int32_t length, std::uint32_t mode);

// The new size of a child of client size `child` when the bar goes from `reference` to `target`:
// children wider (higher) than half the reference grow or shrink with the bar, the others keep
// their size. A width stays 15 pixels inside the bar and never goes below 0.
PLATFORM_API Size stretchedChildSize(Size child, Size reference, Size target);

} // namespace platform
