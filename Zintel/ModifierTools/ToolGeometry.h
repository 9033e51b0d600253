#pragma once

// What the modifier tools share to turn mouse positions into model points: the tool's size on the
// screen, the mouse ray, where a ray meets a plane or passes nearest to an axis, and the grid
// steps of a dragged move.

#include "VornData/VornMath.h"

#include <cstdint>

class VornModifier;
struct TransformParameters;

namespace zintel
{

class OpenGLView;

namespace tools
{

inline Vector3 add(const Vector3& a, const Vector3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3 subtract(const Vector3& a, const Vector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3 scaled(const Vector3& a, double factor)
{
    return {a.x * factor, a.y * factor, a.z * factor};
}
inline Vector3 crossProduct(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double dotProduct(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
// False when the product is the zero vector.
bool crossProductNonZero(const Vector3& a, const Vector3& b, Vector3& product);
// Radians between the two directions.
double vectorAngle(const Vector3& a, const Vector3& b);
// Unit length, unless the length is 0.
void normalizeVector(Vector3& v);

// The eye and the direction towards the window point (x, y counted upwards) at depth 0.1, by the
// view's matrices of its last frame. The direction is not normalised.
struct Ray
{
    Vector3 origin;
    Vector3 direction;
};
Ray mouseRay(const OpenGLView& view, double x, double y);

// Where the ray meets the plane through `planePoint` with normal `normal`; false (and `hit`
// untouched) when the ray runs parallel to the plane.
bool intersectRayPlane(const Vector3& normal, const Vector3& planePoint, const Ray& ray, Vector3& hit);

// The point of the line through `axisPoint` along `axis` that is nearest to the ray's line: code 0
// and the point, or a non-zero code (1 when the axis runs parallel to the ray, or is zero) and
// `nearest` untouched.
int32_t nearestPointOnAxis(const Vector3& axis, const Vector3& axisPoint, const Ray& ray, Vector3& nearest);

// The world length of one tool unit for a tool centred at `centre`: 0.3 % of the view's visible
// height at that depth, so that the tool keeps its size on the screen.
float toolScaleFactor(const OpenGLView& view, const Vector3& centre);

// The modifier's pivot moved by the block's move vector: where its tool is drawn.
Vector3 toolCentre(const VornModifier& modifier, const TransformParameters& parameters);

// A displacement made a whole number of grid steps when snapping; an axis without a positive step
// is never snapped (the displacement stays as it is).
double snappedDisplacement(double displacement, double step, bool snapping);

// The unit direction `axis` turned by the three rotate angles (degrees) as the model's rotate
// order builds it: Rx, then Ry, then Rz.
Vector3 turnedAxis(const Vector3& axis, double angleX, double angleY, double angleZ);

} // namespace tools

} // namespace zintel
