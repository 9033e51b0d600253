#pragma once

#include <string>

// The status line of the start-up (the splash shows it): each text replaces the one before.
class StartupStatus
{
public:
    virtual void showStatus(const std::string& text) = 0;

protected:
    ~StartupStatus() = default;
};
