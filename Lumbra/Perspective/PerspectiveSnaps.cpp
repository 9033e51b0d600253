#include "Lumbra/Perspective/PerspectiveSnaps.h"

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

#include <cmath>

namespace lumbra
{

double roundToGridStep(double value)
{
    return std::floor(value / gridStep + 0.5) * gridStep;
}

void PerspectiveSnapObject::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, texts.aboutText, 1999, texts.aboutCaption);
}

float PerspectiveSnapObject::snapRadius() const
{
    return mai != nullptr ? mai->snapRadius : 20.0f;
}

bool PerspectiveSnapObject::snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best)
{
    const double handicap = getPriority() * snapRadius();
    if (best < handicap)
        return false;
    PerspectiveView* camera = perspectiveOf(view);
    if (camera == nullptr || point == nullptr)
        return false;
    return search(*point, *camera, handicap, x - camera->centreX(), y - camera->centreY());
}

bool PerspectiveSnapObject::meetGridPlane(const PerspectiveView& camera, double offsetX, double offsetY,
                                          bool roundToGrid)
{
    const Vector3 sight = camera.lineOfSight(offsetX, offsetY);
    const Vector3& eye = camera.pointOfView;
    const int32_t normal = camera.gridPlane == 0 ? 2 : (camera.gridPlane == 1 ? 1 : 0);
    if (sight[normal] == 0.0)
        return false;
    const double s = (camera.gridPlaneOffset - eye[normal]) / sight[normal];
    for (int32_t axis = 0; axis < 3; ++axis)
    {
        const double along = eye[axis] + s * sight[axis];
        lastPoint[axis] = axis == normal ? camera.gridPlaneOffset : (roundToGrid ? roundToGridStep(along) : along);
    }
    return true;
}

PluginVPSOGrid::PluginVPSOGrid()
    : PerspectiveSnapObject({"Grid", "Grid [Perspective]:\nsnaps to grid on active plane.\n:Point",
                             "Grid [Perspective]", "PluginVPSOGrid", "Tools\\&Snap\\&Grid", "Grid", "Toggle Grid Snap",
                             126, "Snap Options", "Point"},
                            9)
{
}

bool PluginVPSOGrid::search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX, double offsetY)
{
    if (!meetGridPlane(camera, offsetX, offsetY, true))
        return false;
    ScreenOffset drawn;
    point.depth = camera.project(drawn, Vector3(lastPoint[0], lastPoint[1], lastPoint[2]));
    if (!(point.depth < 0.0))
        return false;
    point.distance = std::abs(offsetX - drawn.x) + std::abs(offsetY - drawn.y) + handicap;
    if (11.0 * snapRadius() < point.distance)
        return false;
    point.point = lastPoint;
    point.source = this;
    return true;
}

PluginVPSOJoint::PluginVPSOJoint()
    : PerspectiveSnapObject({"Joint", "Joint [Perspective]:\nsnaps to existing joints.\n:Joint", "Joint [Perspective]",
                             "PluginVPSOJoint", "Tools\\&Snap\\&Joints", "Joint", "Toggle Joint Snap", 127,
                             "Snap Options", "Joint"},
                            2)
{
}

bool PluginVPSOJoint::search(SnapPoint& point, PerspectiveView& camera, double handicap, double offsetX,
                             double offsetY)
{
    ScreenOffsetList* offsets = camera.screenCoor;
    BlockList<VornJoint>* joints = offsets != nullptr ? dynamic_cast<BlockList<VornJoint>*>(offsets->getParent()) : nullptr;
    if (joints == nullptr)
        return false;
    double best = snapRadius();
    VornJoint* found = nullptr;
    for (uint32_t index = joints->getCount(); index-- > 0;)
    {
        const ScreenOffset& drawn = (*offsets)[index];
        const double distance = std::abs(offsetX - drawn.x) + std::abs(offsetY - drawn.y);
        if (distance < best)
        {
            best = distance;
            found = &(*joints)[index];
        }
    }
    if (found == nullptr)
        return false;
    point.distance = handicap + best;
    point.joint = found;
    point.source = this;
    return true;
}

PluginVPSOPlane::PluginVPSOPlane()
    : PerspectiveSnapObject({"Plane", "Plane [Perspective]:\nsnaps to active plane.\n:Point", "Plane [Perspective]",
                             "PluginVPSOPlane", nullptr, "Plane", "Plane", 0, nullptr, "Point"},
                            10)
{
}

const char* PluginVPSOPlane::getMenuPath()
{
    master->snapEnabled = 1;
    setUsable(true);
    return nullptr;
}

bool PluginVPSOPlane::search(SnapPoint& point, PerspectiveView& camera, double, double offsetX, double offsetY)
{
    if (!meetGridPlane(camera, offsetX, offsetY, false))
        return false;
    point.depth = camera.depthOf(Vector3(lastPoint[0], lastPoint[1], lastPoint[2]));
    if (!(point.depth < 0.0))
        return false;
    point.distance = (getPriority() + 1) * snapRadius();
    point.point = lastPoint;
    point.source = this;
    return true;
}

} // namespace lumbra
