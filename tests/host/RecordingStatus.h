#pragma once

#include "VornInterface/StartupStatus.h"

#include <string>
#include <vector>

// Keeps every status line the start-up shows, in order.
struct RecordingStatus : StartupStatus
{
    void showStatus(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};
