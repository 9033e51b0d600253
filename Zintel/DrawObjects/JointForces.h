#pragma once

#include "Zintel/DrawObjects/SizedDisplayLists.h"
#include "Zintel/OpenGLFamilies.h"

class VornForceInstance;

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
    void forgetDisplayLists() override;

    // The arrow head's list exists at the document's symbol size; false when it cannot be had.
    bool ensureDisplayLists();
    static constexpr double getForceScale() { return 0.01; }

    SizedDisplayLists head;

private:
    BlockList<VornForceInstance>* forces() const;
    void drawShaft(double length) const;
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
