#include "Lumbra/Perspective/PerspectiveView.h"

#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "platform/DeviceContext.h"
#include "plugins/MAI.h"

#include <cmath>
#include <new>

namespace lumbra
{

namespace
{

constexpr double radiansPerDegree = 0.017453292519943295;
// 1 / the depth taken for a point in the camera's plane.
constexpr double pointInCameraPlaneScale = 1e12;

template <class T>
BlockList<T>* documentList(const PerspectiveView& view, const char* name)
{
    if (view.ownerView == nullptr || view.ownerView->document == nullptr)
        return nullptr;
    return dynamic_cast<BlockList<T>*>(view.ownerView->document->document.getBlockList(name));
}

} // namespace

PerspectiveView::PerspectiveView(VornPluginViewBase* viewType, MAI_View* owner) : ViewTypeInfo(viewType, owner)
{
    updateDirection();
    updateTilt();
    updateRoll();
}

PerspectiveView::~PerspectiveView()
{
    delete screenCoor; // leaves the joint list and clears the field
}

void PerspectiveView::resize(int32_t newWidth, int32_t newHeight)
{
    if (width != 0.0 && height != 0.0)
        zoom = newWidth / width * zoom;
    width = newWidth;
    height = newHeight;
}

void PerspectiveView::invalidate()
{
    if (auto* viewType = dynamic_cast<PluginViewPerspective*>(viewTypePlugin))
        viewType->updatePages();
}

double PerspectiveView::project(ScreenOffset& offset, const Vector3& point) const
{
    const double dx = point.x - pointOfView.x;
    const double dy = point.y - pointOfView.y;
    const double dz = point.z - pointOfView.z;
    const double a = dx * cosDirection - dy * sinDirection;
    const double h = dy * cosDirection + dx * sinDirection;
    const double depth = a * cosTilt - dz * sinTilt;
    const double v = dz * cosTilt + a * sinTilt;
    // A point in the camera's plane is taken as lying just in front of it: far outside the picture,
    // on its own side, rather than at an infinite or undefined offset.
    const double scale = depth != 0.0 ? zoom / depth : -zoom * pointInCameraPlaneScale;
    const double scaledH = scale * h;
    const double scaledV = scale * v;
    offset.x = scaledH * cosRoll + scaledV * sinRoll;
    offset.y = scaledV * cosRoll - scaledH * sinRoll;
    offset.depth = depth;
    return depth;
}

bool PerspectiveView::projectLine(const Vector3& from, const Vector3& to, ScreenOffset& fromOffset,
                                  ScreenOffset& toOffset) const
{
    const double fromDepth = depthOf(from);
    const double toDepth = depthOf(to);
    constexpr double nearDepth = -nearPlaneDistance;
    const bool fromDrawn = fromDepth < nearDepth;
    const bool toDrawn = toDepth < nearDepth;
    if (!fromDrawn && !toDrawn)
        return false;
    // The end behind the near plane moves along the line onto it; depth is linear along a line.
    const auto onNearPlane = [&](const Vector3& drawn, double drawnDepth, const Vector3& hidden, double hiddenDepth) {
        const double t = (nearDepth - drawnDepth) / (hiddenDepth - drawnDepth);
        return Vector3(drawn.x + t * (hidden.x - drawn.x), drawn.y + t * (hidden.y - drawn.y),
                       drawn.z + t * (hidden.z - drawn.z));
    };
    project(fromOffset, fromDrawn ? from : onNearPlane(to, toDepth, from, fromDepth));
    project(toOffset, toDrawn ? to : onNearPlane(from, fromDepth, to, toDepth));
    return true;
}

Vector3 PerspectiveView::unproject(double offsetX, double offsetY) const
{
    const double nh = (offsetX * cosRoll - offsetY * sinRoll) / zoom;
    const double nv = (offsetY * cosRoll + offsetX * sinRoll) / zoom;
    const double u = -cosTilt - nv * sinTilt;
    return {pointOfView.x - u * cosDirection + nh * sinDirection, pointOfView.y - nh * cosDirection - u * sinDirection,
            pointOfView.z + sinTilt - nv * cosTilt};
}

Vector3 PerspectiveView::lineOfSight(double offsetX, double offsetY) const
{
    const Vector3 u = unproject(offsetX, offsetY);
    return {-(u.x - pointOfView.x), u.y - pointOfView.y, u.z - pointOfView.z};
}

double PerspectiveView::depthOf(const Vector3& point) const
{
    const double dx = point.x - pointOfView.x;
    const double dy = point.y - pointOfView.y;
    const double dz = point.z - pointOfView.z;
    return (dx * cosDirection - dy * sinDirection) * cosTilt - dz * sinTilt;
}

void PerspectiveView::updateDirection()
{
    sinDirection = std::sin(direction * radiansPerDegree);
    cosDirection = std::cos(direction * radiansPerDegree);
}

void PerspectiveView::updateTilt()
{
    sinTilt = std::sin(tilt * radiansPerDegree);
    cosTilt = std::cos(tilt * radiansPerDegree);
}

void PerspectiveView::updateRoll()
{
    sinRoll = std::sin(roll * radiansPerDegree);
    cosRoll = std::cos(roll * radiansPerDegree);
}

platform::Point PerspectiveView::pixelOf(const ScreenOffset& offset) const
{
    return {platform::clampToPixel(offset.x) + centreX(), platform::clampToPixel(offset.y) + centreY()};
}

BlockList<VornJoint>* PerspectiveView::jointList() const
{
    return documentList<VornJoint>(*this, "VornJoint");
}

BlockList<VornMember>* PerspectiveView::memberList() const
{
    return documentList<VornMember>(*this, "VornMember");
}

ScreenOffsetList* PerspectiveView::screenOffsets()
{
    BlockList<VornJoint>* joints = jointList();
    if (joints == nullptr)
        return nullptr;
    return attachOffsetList(joints, "ScreenCoor", this, &screenCoor, "PerspectiveView::screenOffsets");
}

ScreenOffsetList* attachOffsetList(BlockList<VornJoint>* joints, const char* name, PerspectiveView* owner,
                                   ScreenOffsetList** holder, const char* thrower)
{
    if (*holder != nullptr && (*holder)->getParent() == joints)
        return *holder;
    delete *holder; // left behind by a joint list that is gone

    if (auto* existing = dynamic_cast<ScreenOffsetList*>(joints->getChild(name, owner)))
        return *holder = existing;
    ScreenOffsetList* list = nullptr;
    try
    {
        list = new ScreenOffsetList(name, holder, owner);
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory(thrower);
    }
    joints->addChild(list);
    return list;
}

PerspectiveView* perspectiveOf(MAI_View* view)
{
    return view != nullptr ? dynamic_cast<PerspectiveView*>(view->viewTypeInfos) : nullptr;
}

} // namespace lumbra
