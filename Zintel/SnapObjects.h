#pragma once

#include "Zintel/OpenGLFamilies.h"

#include <string>

namespace zintel
{

class OpenGLView;

// The fixed answers of a snap object's plugin; a null text (or bitmap 0) keeps the framework's.
struct SnapObjectTexts
{
    const char* name;
    const char* description;
    const char* aboutTitle;
    const char* aboutCaption;
    const char* menuPath;
    const char* toolTip;
    int32_t bitmapId;
    const char* toolbarName;
};

// A snap object that answers its plugin questions from its texts.
class TextedSnapObject : public PluginVOSnapObject
{
public:
    TextedSnapObject(int32_t priority, const SnapObjectTexts& texts);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getButtonText() override;
    const char* getToolTipText() override;
    int32_t getBitmapID() override;
    const char* getToolbarName() override;

private:
    const SnapObjectTexts& texts;
};

// Snaps to the item of one draw object under the cursor (the joints).
class PluginVPSODrawObject : public TextedSnapObject
{
public:
    PluginVPSODrawObject(int32_t priority, PluginDrawObject* drawObjectPlugin, const char* kind);

    const char* getName() override;
    const char* getButtonText() override;
    const char* getToolTipText() override;
    const char* getSnapKind() override;
    bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) override;

    PluginDrawObject* drawObjectPlugin;
    const char* kind;

private:
    std::string toolTip;
};

// The snapped point of the point snaps; the result points at it until the next snap.
struct SnappedPoint
{
    double x = 0.0, y = 0.0, z = 0.0;
};

// Snaps to the nearest visible surface point of any enabled draw object.
class PluginVPSOSurfacePoint : public TextedSnapObject
{
public:
    PluginVPSOSurfacePoint();
    const char* getSnapKind() override;
    bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) override;

    SnappedPoint snapped;
};

// Snaps to the nearest grid node on the grid plane that faces the camera.
class PluginVPSOGrid : public TextedSnapObject
{
public:
    PluginVPSOGrid();
    const char* getSnapKind() override;
    bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) override;

    SnappedPoint snapped;
};

// Snaps to the point of the grid plane under the cursor; it has no menu entry.
class PluginVPSOPlane : public TextedSnapObject
{
public:
    PluginVPSOPlane();
    // Asking switches the snap on and makes it usable.
    const char* getMenuPath() override;
    const char* getSnapKind() override;
    bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) override;

    SnappedPoint snapped;
};

// Where the eye ray through the window point (GL coordinates, y up) meets the grid plane of the
// view (through the grid offset, facing the camera best). False when there is no such point: the
// ray runs parallel to the plane or meets it behind the eye, or the window point cannot be turned
// back into the model.
bool gridPlaneHit(const OpenGLView& view, double windowX, double windowY, SnappedPoint& hit);

// The grid node nearest to a point of the grid plane; false when a spacing of the plane is not a
// positive finite number.
bool nearestGridNode(const OpenGLView& view, const SnappedPoint& onPlane, SnappedPoint& node);

} // namespace zintel
