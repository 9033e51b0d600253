#pragma once

#include "Lumbra/Perspective/PerspectiveViewType.h"

namespace lumbra
{

// The fixed texts of a snap object.
struct SnapTexts
{
    const char* name;
    const char* description;
    const char* aboutText;
    const char* aboutCaption;
    const char* menuPath;
    const char* buttonText;
    const char* toolTip;
    int32_t bitmapId;
    const char* toolbarName;
    const char* kind;
};

// The common part of the perspective snap objects: texts, and the start of every search: a snap
// object whose handicap alone cannot beat the best distance so far does not search.
class PerspectiveSnapObject : public PluginVPSnapObject
{
public:
    PerspectiveSnapObject(const SnapTexts& texts, int32_t priority) : PluginVPSnapObject(priority), texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override { return texts.menuPath; }
    const char* getButtonText() override { return texts.buttonText; }
    const char* getToolTipText() override { return texts.toolTip; }
    int32_t getBitmapID() override { return texts.bitmapId; }
    const char* getToolbarName() override { return texts.toolbarName; }
    const char* getSnapKind() override { return texts.kind; }
    bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) override;

protected:
    // The search proper, with the handicap, the mouse offset from the centre and the view's camera.
    virtual bool search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX, double offsetY) = 0;
    // The point where the line of sight through the offset meets the grid plane; false when it runs
    // parallel to the plane.
    bool meetGridPlane(const PerspectiveView& camera, double offsetX, double offsetY, bool roundToGrid);
    float snapRadius() const;

    SnapTexts texts;

public:
    double lastPoint[3] = {0.0, 0.0, 0.0};
};

// The nearest grid point of the grid plane.
class PluginVPSOGrid : public PerspectiveSnapObject
{
public:
    PluginVPSOGrid();

protected:
    bool search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX, double offsetY) override;
};

// The joint drawn nearest to the cursor, within the snap radius.
class PluginVPSOJoint : public PerspectiveSnapObject
{
public:
    PluginVPSOJoint();

protected:
    bool search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX, double offsetY) override;
};

// The point of the grid plane under the cursor; always on, without a menu entry.
class PluginVPSOPlane : public PerspectiveSnapObject
{
public:
    PluginVPSOPlane();
    // Asked by the host whenever the view type is handed over: switches the snap on and usable.
    const char* getMenuPath() override;

protected:
    bool search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX, double offsetY) override;
};

// The grid step of the grid snap and of the painted grid, in model units.
constexpr double gridStep = 10.0;
// The nearest multiple of the grid step, a half step rounding up.
double roundToGridStep(double value);

} // namespace lumbra
