#pragma once

// The Scale tool: a wire cube and three axis handles, turned by the modifier's rotate angles,
// around the moved pivot. Dragging a handle stretches the modifier along its axis so that the
// handle's cap follows the mouse; dragging the centre scales all three axes alike.

#include "Zintel/ModifierTools/DraggingTool.h"

namespace zintel
{

// The factor a drag of the centre handle applies to all three scale factors after `travel` pixels
// (the mouse's x and y travel added): one more per 32.5 pixels, whatever the zoom, so a hand can
// set it; 0 after 32.5 pixels the other way, negative beyond.
float centreDragFactor(int32_t travel);

class OpenGLModifierToolScale : public DraggingTool
{
public:
    using DraggingTool::DraggingTool;

    void draw(VornModifier* modifier) override;
    void drawBlended(VornModifier* modifier) override;
    void forgetDisplayLists() override;
    int32_t getHandleCount(VornModifier* modifier) override;
    void drawHandlePick(uint32_t firstName, VornModifier* modifier) override;
    platform::CursorHandle getHandleCursor(int32_t handle, VornModifier* modifier) override;

    // Handle, wire cube, centre cube and cap, allocated together; 0 while none exist.
    uint32_t handleList = 0;
    Point3f startScale{};
    float displayFactors[3] = {1.0f, 1.0f, 1.0f}; // how far each handle is drawn stretched
    Vector3 dragAxis{0.0, 0.0, 0.0};
    Vector3 grab{0.0, 0.0, 0.0};

protected:
    bool startDrag(int32_t handle, const VornModifier& modifier, const TransformParameters& parameters, int32_t x,
                   int32_t y) override;
    Step stepDrag(int32_t handle, const VornModifier& modifier, TransformParameters& parameters, int32_t x,
                  int32_t y) override;
    void dragEnded() override;

private:
    bool ensureDisplayLists();
    void beginTurnedPass(const VornModifier& modifier, const TransformParameters& parameters, float scale,
                         bool blended) const;
};

} // namespace zintel
