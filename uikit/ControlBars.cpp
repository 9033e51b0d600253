#include "uikit/ControlBars.h"

#include "platform/MainFrame.h"
#include "plugins/PluginWindow.h"

bool showBarInFrame(PluginWindowHandle* bar, bool show)
{
    platform::Window* window = bar != nullptr ? bar->getWnd() : nullptr;
    platform::MainFrame* frame = window != nullptr ? platform::MainFrame::frameOf(*window) : nullptr;
    if (frame == nullptr || !frame->showControlBar(*window, show))
        return false;
    frame->recalcLayout();
    return true;
}
