#pragma once

#include "platform/ControlNotifications.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <functional>
#include <vector>

// A top-level window for control tests: it records the notifications and commands its child
// controls send, answers WM_NOTIFY through `answer` (0 when unset) and hands each WM_COMMAND to
// `onCommand` (when set) after recording it.
struct ControlParent : platform::Window
{
    std::vector<std::int32_t> notifications;
    std::vector<std::uint32_t> commands; // WM_COMMAND: the id (low word)
    std::vector<std::uint32_t> commandCodes; // WM_COMMAND: the code (high word)
    std::function<platform::LResult(platform::NotifyHeader&)> answer;
    std::function<void(std::uint32_t id, std::uint32_t code)> onCommand;

    ControlParent()
    {
        create("Window", "controls", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {50, 50, 450, 350}, nullptr);
    }

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
            if (onCommand)
                onCommand(platform::lowWord(wParam), platform::highWord(wParam));
            return 0;
        }
        return Window::windowProc(message, wParam, lParam);
    }
};
