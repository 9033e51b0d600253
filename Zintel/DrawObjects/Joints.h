#pragma once

#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLFamilies.h"

#include <array>

class VornJoint;

namespace zintel
{

// A lit symbol with an outline at every joint, turned into the joint's axes: a cube for a rigid
// joint, a sphere for the others, tessellated by the detail level and the distance from the eye.
class OpenGLDrawObjectJoints : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectJoints(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    int32_t select(int32_t mode) override;
    int32_t getPickCount() override;
    VornBaseObject* getPickedObject(uint32_t name) override;
    bool hasSelectedItems() override;
    void drawShadow() override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;

    // The symbols were made at the document's scaleless size.
    void ensureSymbols();

    // Cube, coarse, medium and fine sphere in the joint's axes, each body followed by its
    // outline.
    SizedShapes<8> symbols;

private:
    BlockList<VornJoint>* joints() const;
    // The index of the body of the joint's symbol (its outline is the next one).
    uint32_t symbolFor(const VornJoint& joint, bool forShadow) const;

    // The placed symbols of a pass, filled again in every pass and kept only for their memory.
    VertexBatch outlines;
    VertexBatch markedOutlines;
    VertexBatch bodies;
};

class PluginVODOJoints : public PluginVODrawObject
{
public:
    const char* getName() override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
    int32_t getBitmapID() override;
};

// The frame of a joint's symbols (column-major): at its position, turned into its axes when
// `turned`.
void jointFrame(const VornJoint& joint, bool turned, double matrix[16]);

// Adds the spheres of the joint symbols to the batch.
void addSolidSphere(VertexBatch& batch, double radius, int32_t stacks, int32_t slices);
void addSphereOutline(VertexBatch& batch, double radius, int32_t stacks, int32_t slices);

} // namespace zintel
