#pragma once

// Markers that are not model items: the pivot of the active modifier and the orientation
// indicator in the lower left corner of the view.

#include "Zintel/DrawObjects/SizedDisplayLists.h"
#include "Zintel/OpenGLFamilies.h"

class VornModifier;

namespace zintel
{

// Three short lines along the model axes from the active modifier's pivot, and a faint image of
// them through the model in the blended pass.
class OpenGLDrawObjectMPivot : public OpenGLDrawObject
{
public:
    using OpenGLDrawObject::OpenGLDrawObject;
    void draw(int32_t mode, uint32_t tickCount) override;
    void drawBlended() override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;
    void forgetDisplayLists() override;

private:
    VornModifier* activeModifier() const;
    bool ensureDisplayLists();
    void drawMarker(const VornModifier& modifier);

    SizedDisplayLists marker;
};

class PluginVODOMPivot : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
};

// The model axes as a small tripod with their letters at a fixed place of the window, turned
// with the camera and kept at one size on the screen, over everything else.
class OpenGLDrawObjectOrientationIndicator : public OpenGLDrawObject
{
public:
    using OpenGLDrawObject::OpenGLDrawObject;
    void drawBlended() override;
};

class PluginVODOOrientationIndicator : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
};

} // namespace zintel
