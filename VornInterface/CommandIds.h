#pragma once

#include <cstdint>

// Command ids of menu-item plugins: 0x9000-0xBFFF, handed out downwards, the first being 0xBFFE.
class CommandIdCounter
{
public:
    static constexpr std::uint32_t firstPluginId = 0x9000;
    static constexpr std::uint32_t lastPluginId = 0xBFFF;

    // The next id, or 0 once the range is used up (the item then gets no menu entry).
    std::uint32_t allocate()
    {
        if (next_ <= firstPluginId)
            return 0;
        return --next_;
    }

    // True for ids that the counter has handed out: from the last one handed out up to 0xBFFF.
    bool isHandedOut(std::uint32_t id) const { return id >= next_ && id <= lastPluginId; }

    std::uint32_t next() const { return next_; }

private:
    std::uint32_t next_ = lastPluginId;
};
