#pragma once

#include "BlockLists/BlockList.h"
#include "VornData/VornMath.h"
#include "platform/Geometry.h"
#include "plugins/VornPluginViewBase.h"

#include <cstdint>

class VornJoint;
class VornMember;

namespace lumbra
{

// A joint's projected position: its pixel offset from the centre of the window, and its depth
// (negative in front of the camera).
struct ScreenOffset
{
    static constexpr uint32_t itemsPerBlock = 1024;
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;
};
using ScreenOffsetList = BlockList<ScreenOffset>;

// Where a band or mouse position has no point yet.
constexpr int32_t noBandPosition = -32768;

// The state of the perspective view type in one window: the camera (point of view, three angles,
// zoom), the client size, the grid plane of the last paint, the rubber band, the six colours and
// the window's list of projected joints. There is no matrix: the projection is written out with the
// cached sines and cosines of the angles, which whoever writes an angle refreshes with its update.
class PerspectiveView : public ViewTypeInfo
{
public:
    PerspectiveView(VornPluginViewBase* viewType, MAI_View* owner);
    // The window's projected-joint list dies with the window, so that nothing reads it afterwards.
    ~PerspectiveView() override;

    // A wider window scales the zoom with it, so that the picture keeps its size relative to the width.
    void resize(int32_t newWidth, int32_t newHeight) override;
    // Lets the view type's pages show the current camera.
    void invalidate() override;

    // What lies nearer to the camera than this (in model units, along its line of sight) or behind
    // it is not drawn: a point behind the camera would be drawn mirrored through the centre.
    static constexpr double nearPlaneDistance = 1.0;

    // Writes the pixel offset of a model point from the centre of the window (x right, y down) and
    // its depth, and answers the depth; points in front of the camera have a negative depth.
    double project(ScreenOffset& offset, const Vector3& point) const;
    // Whether a projected point lies beyond the near plane, where it is drawn.
    static bool isDrawn(const ScreenOffset& offset) { return offset.depth < -nearPlaneDistance; }
    // Projects the part of the line between two model points that lies beyond the near plane;
    // false when none does.
    bool projectLine(const Vector3& from, const Vector3& to, ScreenOffset& fromOffset, ScreenOffset& toOffset) const;
    // A point whose line of sight from the camera passes through the pixel offset, with its x offset
    // from the camera mirrored (see lineOfSight).
    Vector3 unproject(double offsetX, double offsetY) const;
    // The direction R from the camera through the pixel offset: every point of view + s * R with
    // s > 0 is drawn at the offset, and point of view + R lies at depth -1.
    Vector3 lineOfSight(double offsetX, double offsetY) const;
    double depthOf(const Vector3& point) const;

    void updateDirection();
    void updateTilt();
    void updateRoll();

    // The window pixel of an offset from the centre (a point at infinity lands far outside).
    platform::Point pixelOf(const ScreenOffset& offset) const;
    int32_t centreX() const { return static_cast<int32_t>(width) >> 1; }
    int32_t centreY() const { return static_cast<int32_t>(height) >> 1; }
    bool hasBand() const { return bandAnchor.x != noBandPosition; }

    // The window's projected joints, made on first use as a child of the document's joint list; null
    // when the document has no joint list.
    ScreenOffsetList* screenOffsets();
    // The joint list of the window's document; null when there is none.
    BlockList<VornJoint>* jointList() const;
    BlockList<VornMember>* memberList() const;

    Vector3 pointOfView{500.0, 0.0, 0.0};
    float direction = 0.0f;
    float tilt = 0.0f;
    float roll = 0.0f;
    double zoom = 1000.0;
    double width = 0.0;
    double height = 0.0;
    int32_t gridPlane = 0; // 0: XY (z = offset), 1: XZ (y = offset), 2: YZ (x = offset)
    double gridPlaneOffset = 0.0;
    double sinDirection = 0.0;
    double cosDirection = 1.0;
    double sinTilt = 0.0;
    double cosTilt = 1.0;
    double sinRoll = 0.0;
    double cosRoll = 1.0;
    platform::Point bandAnchor{noBandPosition, noBandPosition};
    platform::Point bandCorner{noBandPosition, noBandPosition};
    int32_t bandFlags = 0;
    ScreenOffsetList* screenCoor = nullptr; // "ScreenCoor"
    uint32_t backgroundColor = 0x808080;
    uint32_t selectColor = 0x909090;
    uint32_t defaultColor = 0x000000;
    uint32_t selectedColor = 0xFFFFFF;
    uint32_t frozenColor = 0xFFF0C0;
    uint32_t hiddenColor = 0x809090;
};

// The child list of offsets of the joint list for this view that `holder` keeps: the one it holds,
// else one found by name and owner, else a new one (a failed allocation throws Exc_OutOfMemory
// naming `thrower`). A list that `holder` kept from a joint list that is gone is deleted. `holder`
// is cleared when the list goes.
ScreenOffsetList* attachOffsetList(BlockList<VornJoint>* joints, const char* name, PerspectiveView* owner,
                                   ScreenOffsetList** holder, const char* thrower);

// The view-type state of the view when it is a perspective view; null otherwise.
PerspectiveView* perspectiveOf(MAI_View* view);

} // namespace lumbra
