#include "platform/WindowState.h"

namespace platform
{

std::shared_ptr<DeviceContext> makeWindowDC(WindowState*)
{
    return nullptr;
}

} // namespace platform
