#pragma once

#include "platform/ControlNotifications.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <functional>
#include <vector>

// A top-level window for control tests: it records the notifications and commands its child
// controls send and answers WM_NOTIFY through `answer` (0 when unset).
struct ControlParent : platform::Window
{
    std::vector<std::int32_t> notifications;
    std::vector<std::uint32_t> commands;      // WM_COMMAND: the id (low word)
    std::vector<std::uint32_t> commandCodes;  // WM_COMMAND: the code (high word)
    std::function<platform::LResult(platform::NotifyHeader&)> answer;

    ControlParent() { create("Window", "controls", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {50, 50, 450, 350}, nullptr); }

    platform::LResult windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override
    {
        if (message == platform::WM_NOTIFY)
        {
            auto* header = reinterpret_cast<platform::NotifyHeader*>(lParam);
            notifications.push_back(header->code);
            return answer ? answer(*header) : 0;
        }
        if (message == platform::WM_COMMAND)
        {
            commands.push_back(platform::lowWord(wParam));
            commandCodes.push_back(platform::highWord(wParam));
            return 0;
        }
        return Window::windowProc(message, wParam, lParam);
    }
};
