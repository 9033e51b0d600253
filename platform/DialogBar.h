#pragma once

#include "platform/DialogBarLayout.h"
#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>

namespace platform
{

// A control bar that carries a dialog (its window, made from a template by the owner) and sizes
// itself: whenever the frame docks, floats or resizes it, it asks calcDynamicLayout.
class PLATFORM_API DialogBar : public Window
{
public:
    DialogBar();
    ~DialogBar() override;

    // The size the bar wants for a layout query (`length` and LM_ bits). The default keeps the
    // size the window had when the frame took it.
    virtual Size calcDynamicLayout(std::int32_t length, std::uint32_t mode);
    // Notes the window's present size as the one the default layout keeps (once).
    void rememberNaturalSize();

    // A new text of the bar is also the caption the frame shows over it.
    LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override;

private:
    Size naturalSize_;
};

} // namespace platform
