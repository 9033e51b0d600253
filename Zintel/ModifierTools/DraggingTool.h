#pragma once

// The drag that every modifier tool shares: a left-button press on a handle starts it, each move
// of the mouse writes the modifier's new parameters, applies it to the model under the document
// lock and tells the listeners, and the release ends it.

#include "Zintel/OpenGLFamilies.h"
#include "VornData/VornMath.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/TransformParameters.h"

#include <chrono>

class MAI_Doc;

namespace zintel
{

class DraggingTool : public OpenGLModifierTool
{
public:
    using OpenGLModifierTool::OpenGLModifierTool;

    bool onDrag(int32_t x, int32_t y, int32_t z, uint32_t flags, int32_t handle, VornModifier* modifier) override;

    float scaleFactor = 0.0f; // world length of a tool unit, measured by the last opaque pass
    int32_t highlightMask = 7; // bit 1 the X handle, bit 2 the Y handle, bit 4 the Z handle
    bool dragging = false;
    // How long a step waits for the document lock before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;
    int32_t startX = 0; // window coordinates of the start, y counted upwards
    int32_t startY = 0;

protected:
    enum class Step
    {
        Apply, // the parameters go to the model
        Keep, // nothing changes; the drag goes on
        Refuse, // nothing changes; the event is refused
    };

    // The tool's own start on the handle at the window point (y upwards): records what its steps
    // need and answers true, or answers false with nothing changed (no drag begins).
    virtual bool startDrag(int32_t handle, const VornModifier& modifier, const TransformParameters& parameters,
                           int32_t x, int32_t y) = 0;
    // New parameter values for the mouse at the window point, from the values at the start.
    virtual Step stepDrag(int32_t handle, const VornModifier& modifier, TransformParameters& parameters, int32_t x,
                          int32_t y) = 0;
    // What the tool puts back at the end of a drag besides the highlight.
    virtual void dragEnded() {}

    MAI_Doc* document() const;
    // Both drawing passes begin so: fog off (when on), the dotted leader line from the pivot to the
    // tool's centre, then the tool frame: the origin at the centre, one unit a tool unit.
    void beginToolPass(const VornModifier& modifier, const Vector3& centre, float scale, bool blended) const;
    // Fog back on when the pass switched it off.
    void endToolPass() const;
    // A GL colour of signed bytes (127 full), with alpha for the see-through pass.
    static void sendColour(int red, int green, int blue, int alpha = 127);
    // The refusal of a position the tool cannot use: a beep, never a box, since the mouse is held.
    void refuse() const;

private:
    void endToolDrag();
    void applyToolStep(VornModifier& modifier, TransformParameters& parameters);
};

} // namespace zintel
