#pragma once

// What the GL probe library's view type and pick tool saw. The host's test reads it through the
// view type; the class is inline, so the library and the test each compile their own copy.

#include <cstdint>

struct GlProbeRecord
{
    int frames = 0; // frames drawn and swapped
    int printedFrames = 0; // of them, onto a printed page
    bool currentAfterFrame = true;
    int picks = 0;
    bool dcNamesTheViewWindow = false; // the view's device context names the view's window handle
    bool listsSeenInPick = false; // the paint's display lists exist in the pick's context
    std::uint32_t selected = 0; // name under the press by selection mode
    std::uint32_t readBack = 0; // name under the press read back from a frame in name colours
    bool currentAfterPick = true;
};

class GlProbeResults
{
public:
    virtual ~GlProbeResults() = default;
    virtual const GlProbeRecord& record() const = 0;
};
