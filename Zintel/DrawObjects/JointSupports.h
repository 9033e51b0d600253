#pragma once

#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLFamilies.h"

#include <array>

class VornJoint;

namespace zintel
{

// One lit symbol per supported joint, chosen from 64 symbols by its six support bits:
// pyramids with ground slabs for blocked translations, wedge rings for blocked rotations, blocks
// for clamps. Supports are not picked.
class OpenGLDrawObjectJointSupports : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectJointSupports(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    void drawShadow() override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;

    // The symbols were made at the document's symbol size.
    void ensureSymbols();

    // The symbol of the support bits k in the joint's frame.
    SizedShapes<64> symbols;

private:
    BlockList<VornJoint>* joints() const;
    // All supported joints' symbols in one batch, in their colours or (shadows) GL's.
    void drawSymbols(bool coloured);

    // Filled again in every pass; kept only for its memory.
    VertexBatch placed;
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
