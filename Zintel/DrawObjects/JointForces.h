#pragma once

#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLFamilies.h"

class VornForceInstance;
class VornJoint;

namespace zintel
{

// Every force as an arrow that ends at its joint and points along the force, 0.01 model units
// long per unit of force: a line at low detail, a line with a lit head at medium detail, a shaft
// with a head at full detail.
class OpenGLDrawObjectJointForces : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectJointForces(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    int32_t select(int32_t mode) override;
    int32_t getPickCount() override;
    VornBaseObject* getPickedObject(uint32_t name) override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;

    // The arrow head was made at the document's symbol size.
    void ensureHead();
    static constexpr double getForceScale() { return 0.01; }

    // The arrow head in the arrow's frame.
    SizedShapes<1> head;

private:
    BlockList<VornForceInstance>* forces() const;
    // Adds the arrow of the force at its joint: its line to `lines`, its head (and shaft) to
    // `solids`.
    void addArrow(VertexBatch& solids, VertexBatch& lines, const VornForceInstance& force, const VornJoint& joint,
                  bool withShaft);

    // Filled again in every pass; kept only for their memory.
    VertexBatch markSolids;
    VertexBatch markLines;
    VertexBatch solids;
    VertexBatch lines;
    VertexBatch arrow;
    VertexBatch pickSolids;
    VertexBatch pickLines;
};

class PluginVODOJointForces : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
    int32_t getBitmapID() override;
};

} // namespace zintel
