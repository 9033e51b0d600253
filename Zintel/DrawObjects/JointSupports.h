#pragma once

#include "Zintel/DrawObjects/SizedDisplayLists.h"
#include "Zintel/OpenGLFamilies.h"

class VornJoint;

namespace zintel
{

// One lit symbol per supported joint, chosen from 64 display lists by its six support bits:
// pyramids with ground slabs for blocked translations, wedge rings for blocked rotations, blocks
// for clamps. Supports are not picked.
class OpenGLDrawObjectJointSupports : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectJointSupports(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    void drawShadow() override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;
    void forgetDisplayLists() override;

    // The 64 lists exist at the document's symbol size; false when they cannot be had.
    bool ensureDisplayLists();
    static void buildDisplayLists(uint32_t base, double size);

    // List base + k draws the symbol of the support bits k.
    SizedDisplayLists lists;

private:
    BlockList<VornJoint>* joints() const;
    void drawSymbols(bool coloured);
};

class PluginVODOJointSupports : public PluginVODrawObject
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
