#pragma once

// What a command's update handler set; -1 (or no text) for what it did not touch.

#include "platform/CommandRouting.h"

#include <cstdint>
#include <string>

class RecordedCommandState : public platform::CommandState
{
public:
    explicit RecordedCommandState(std::uint32_t id = 0) : CommandState(id) {}
    void Enable(bool on) override { enabled = on ? 1 : 0; }
    void SetCheck(int value) override { check = value; }
    void SetRadio(bool on) override { radio = on ? 1 : 0; }
    void SetText(const std::string& value) override { text = value; }

    int enabled = -1;
    int check = -1;
    int radio = -1;
    std::string text;
};
