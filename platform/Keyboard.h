#pragma once

// The keyboard state as the program sees it while it handles a message.

#include "platform/PlatformApi.h"

#include <cstdint>

namespace platform
{

// Whether a key (VK_SHIFT, VK_CONTROL, VK_MENU) or mouse button (VK_LBUTTON, VK_RBUTTON,
// VK_MBUTTON) was held when the input being handled now happened.
PLATFORM_API bool isKeyDown(uint32_t virtualKey);

// The lights of the lock keys as the display shows them now; all off where no display can tell
// (the offscreen platform).
struct LockKeyLights
{
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};
PLATFORM_API LockKeyLights lockKeyLights();

} // namespace platform
