#pragma once

// The Rotate tool: a gimbal of three nested rings around the moved pivot, one for each rotate
// angle. Dragging a ring turns its angle with the mouse around the ring, or, for a ring seen
// edge-on, with the mouse movement across it.

#include "Zintel/ModifierTools/DraggingTool.h"

namespace zintel
{

class OpenGLModifierToolRotate : public DraggingTool
{
public:
    using DraggingTool::DraggingTool;

    void draw(VornModifier* modifier) override;
    void drawBlended(VornModifier* modifier) override;
    void forgetDisplayLists() override;
    int32_t getHandleCount(VornModifier* modifier) override;
    void drawHandlePick(uint32_t firstName, VornModifier* modifier) override;
    platform::CursorHandle getHandleCursor(int32_t handle, VornModifier* modifier) override;

    // The world axis of the ring of the handle (0 outer, 1 middle, 2 inner) at these angles.
    static Vector3 ringAxis(int32_t handle, const Point3f& angles);

    uint32_t ringList = 0; // the ring with its marker; the tick marks are ringList + 1
    Point3f startAngles{};
    Vector3 grab{0.0, 0.0, 0.0};
    bool planeMode = true; // false: the ring was edge-on at the start, the drag follows the screen
    Vector3 axis{1.0, 0.0, 0.0};
    Vector3 screenDirection{0.0, 0.0, 0.0};

protected:
    bool startDrag(int32_t handle, const VornModifier& modifier, const TransformParameters& parameters, int32_t x,
                   int32_t y) override;
    Step stepDrag(int32_t handle, const VornModifier& modifier, TransformParameters& parameters, int32_t x,
                  int32_t y) override;

private:
    bool ensureDisplayLists();
};

} // namespace zintel
