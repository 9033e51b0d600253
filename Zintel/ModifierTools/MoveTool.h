#pragma once

// The Move tool: three arrows along the model axes and a square in the view's plane around the
// moved pivot; dragging an arrow moves the pivot along its axis, dragging the square within the
// plane, in whole grid steps while the grid snap is on.

#include "Zintel/ModifierTools/DraggingTool.h"

namespace zintel
{

class OpenGLModifierToolMove : public DraggingTool
{
public:
    using DraggingTool::DraggingTool;

    void draw(VornModifier* modifier) override;
    void drawBlended(VornModifier* modifier) override;
    void forgetDisplayLists() override;
    int32_t getHandleCount(VornModifier* modifier) override;
    void drawHandlePick(uint32_t firstName, VornModifier* modifier) override;
    platform::CursorHandle getHandleCursor(int32_t handle, VornModifier* modifier) override;

    uint32_t arrowList = 0; // the lit arrow; the arrow head for picking is arrowList + 1
    Point3f startMove{};
    Vector3 grab{0.0, 0.0, 0.0};
    float startScale = 0.0f;
    Vector3 dragDirection{0.0, 0.0, 0.0};

protected:
    bool startDrag(int32_t handle, const VornModifier& modifier, const TransformParameters& parameters, int32_t x,
                   int32_t y) override;
    Step stepDrag(int32_t handle, const VornModifier& modifier, TransformParameters& parameters, int32_t x,
                  int32_t y) override;

private:
    bool ensureDisplayLists();
    void drawSquareOutline() const;
    void drawArrows(bool blended) const;
    // The grid steps of the three axes and whether the grid snap is on.
    bool gridSteps(double steps[3]) const;
};

} // namespace zintel
