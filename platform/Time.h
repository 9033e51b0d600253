#pragma once

// Time: the millisecond tick count and sleeping.

#include "platform/PlatformApi.h"

#include <cstdint>

namespace platform
{

// Milliseconds of a steady clock, as a 32-bit count that wraps after about 49.7 days: compare
// two ticks only by their difference (later - earlier, unsigned).
PLATFORM_API uint32_t tickCount();
PLATFORM_API void sleepMilliseconds(uint32_t milliseconds);

} // namespace platform
