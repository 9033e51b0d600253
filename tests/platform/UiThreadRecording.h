#pragma once

#include "platform/Services.h"
#include "platform/Threads.h"

#include <vector>

// Answers boxes from the script and notes for each whether it was asked on the user-interface
// thread.
class UiThreadRecordingInteraction : public platform::ScriptedInteraction
{
public:
    int32_t messageBox(const platform::MessageBoxRequest& request) override
    {
        askedOnUiThread.push_back(platform::isUiThread());
        return ScriptedInteraction::messageBox(request);
    }

    std::vector<bool> askedOnUiThread;
};
