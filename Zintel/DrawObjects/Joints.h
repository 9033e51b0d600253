#pragma once

#include "Zintel/DrawObjects/SizedDisplayLists.h"
#include "Zintel/OpenGLFamilies.h"

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
    void forgetDisplayLists() override;

    // The eight lists exist and were built at the document's scaleless size (the view's context
    // current); false when they cannot be had.
    bool ensureDisplayLists();
    static void buildDisplayLists(uint32_t listBase, double size);

    // Cube, coarse, medium and fine sphere, each body followed by its outline.
    SizedDisplayLists lists;

private:
    BlockList<VornJoint>* joints() const;
    // The body list of the joint's symbol (its outline is the next name).
    uint32_t symbolFor(const VornJoint& joint, bool forShadow) const;
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

// The spheres of the joint symbols, also used by other symbols.
void drawSolidSphere(double radius, int32_t stacks, int32_t slices);
void drawSphereOutline(double radius, int32_t stacks, int32_t slices);

} // namespace zintel
