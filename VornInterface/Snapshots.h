#pragma once

#include "platform/Message.h"

#include <cstdint>
#include <functional>
#include <string>

class MAI_View;
class VornDocument;

namespace platform
{
class Surface;
}

// Numbered pictures of the active view ("<prefix>0000.bmp", "<prefix>0001.bmp", ...), one at a
// time or automatically during a calculation: with automatic snapshots on, the document's
// pending-iteration count lets the calculation run 200 iterations, the next paint of the active
// view writes a snapshot and releases the next 200.

inline constexpr int32_t autoSnapshotIterations = 200;

// "%s%04d.bmp".
std::string snapshotFileName(const std::string& prefix, int32_t counter);
// The chosen path without the extension of its file name and the dot before it; a dot in a folder
// name is no extension, and a path without extension is taken whole.
std::string snapshotPrefixOf(const std::string& chosenPath);

// The snapshot target and numbering of the process; every command and view uses instance().
class Snapshots
{
public:
    static Snapshots& instance();

    const std::string& getPrefix() const { return prefix; }
    int32_t getCounter() const { return counter; }

    // "&Target File...": asks for the target file; on OK the prefix is set, shown in a box owned by
    // `owner`, and the numbering restarts at 0. False when cancelled.
    bool chooseTarget(platform::WindowHandle owner);
    // "Make SnapShot": chooses the target first when there is none (cancelling ends the command),
    // then asks the active view's next paint for a snapshot.
    void makeSnapshot(MAI_View* activeView, platform::WindowHandle owner);
    // "&Auto Snapshot": chooses the target first when there is none, then switches the active
    // document's automatic snapshots: a count below 0 becomes 0 (on), any other value -1 (off).
    void toggleAutoSnapshot(VornDocument* activeDocument, platform::WindowHandle owner);
    // The check mark of "&Auto Snapshot".
    static bool isAutoSnapshotOn(const VornDocument* activeDocument);

    // The step at the end of every paint of a view. While the active document's count is 0 every
    // painting view is asked for a snapshot; only the active view writes its snapshot (its image
    // comes from `renderView`, called only then) and then releases the calculation for the next
    // 200 iterations, also when no picture could be taken. Failures go to boxes owned by
    // `errorOwner`.
    void afterPaint(MAI_View& view, bool isActiveView, VornDocument* activeDocument,
                    const std::function<platform::Surface()>& renderView, platform::WindowHandle errorOwner);

    // Writes the image as the next numbered file (the number is used up also when writing fails).
    // A failure is reported once, in one box, until a snapshot succeeds or a target is chosen, so
    // automatic snapshots into a folder that cannot be written do not stack up boxes; a failed
    // write leaves no file behind.
    bool writeSnapshot(const platform::Surface& image, platform::WindowHandle errorOwner);

    // Back to the state at start (tests).
    void reset();

private:
    std::string prefix;
    int32_t counter = 0;
    std::string lastChosenPath;
    bool failureReported = false;
};
