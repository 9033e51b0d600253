#include "Zintel/ModifierTools/ToolGeometry.h"

#include "Zintel/OpenGLView.h"
#include "VornData/VornModifier.h"
#include "plugins/TransformParameters.h"

#include <GL/glu.h>

#include <cmath>

namespace zintel::tools
{

bool crossProductNonZero(const Vector3& a, const Vector3& b, Vector3& product)
{
    product = crossProduct(a, b);
    return dotProduct(product, product) != 0.0;
}

double vectorAngle(const Vector3& a, const Vector3& b)
{
    double cosine = dotProduct(a, b) / std::sqrt(dotProduct(a, a) * dotProduct(b, b));
    // Rounding can carry the quotient of parallel directions just past 1.
    if (cosine > 1.0)
        cosine = 1.0;
    else if (cosine < -1.0)
        cosine = -1.0;
    return std::acos(cosine);
}

void normalizeVector(Vector3& v)
{
    const double length = v.length();
    if (length != 0.0)
        v.scale(1.0 / length);
}

Ray mouseRay(const OpenGLView& view, double x, double y)
{
    Ray ray;
    ray.origin.set(view.povX, view.povY, view.povZ);
    double px = 0.0, py = 0.0, pz = 0.0;
    gluUnProject(x, y, 0.1, view.modelviewMatrix, view.projectionMatrix, view.viewport, &px, &py, &pz);
    ray.direction = subtract(Vector3(px, py, pz), ray.origin);
    return ray;
}

bool intersectRayPlane(const Vector3& normal, const Vector3& planePoint, const Ray& ray, Vector3& hit)
{
    const double denominator = dotProduct(normal, ray.direction);
    if (denominator == 0.0)
        return false;
    const double t = (dotProduct(normal, planePoint) - dotProduct(normal, ray.origin)) / denominator;
    hit = add(ray.origin, scaled(ray.direction, t));
    return true;
}

int32_t nearestPointOnAxis(const Vector3& axis, const Vector3& axisPoint, const Ray& ray, Vector3& nearest)
{
    Vector3 c1, c2, c3;
    if (!crossProductNonZero(axis, ray.direction, c1))
        return 1;
    if (!crossProductNonZero(axis, c1, c2))
        return 2;
    if (!crossProductNonZero(ray.direction, c1, c3))
        return 3;
    // c2·X = c2·P keeps X in the plane of the axis and c1, c3·X = c3·E in the plane of the ray
    // and c1, c1·X = c1·P on the axis's side: the three meet at the axis point nearest the ray.
    double rows[3][4] = {{c2.x, c2.y, c2.z, dotProduct(c2, axisPoint)},
                         {c3.x, c3.y, c3.z, dotProduct(c3, ray.origin)},
                         {c1.x, c1.y, c1.z, dotProduct(c1, axisPoint)}};
    bool used[3] = {false, false, false};
    int pivotRow[3] = {-1, -1, -1};
    const int order[3][3] = {{0, 1, 2}, {1, 2, 0}, {0, 1, 2}};
    for (int column = 0; column < 3; ++column)
    {
        for (int candidate : order[column])
            if (!used[candidate] && rows[candidate][column] != 0.0)
            {
                pivotRow[column] = candidate;
                break;
            }
        if (pivotRow[column] < 0)
            return 4 + column;
        const int p = pivotRow[column];
        used[p] = true;
        const double divisor = rows[p][column];
        for (double& entry : rows[p])
            entry /= divisor;
        for (int row = 0; row < 3; ++row)
        {
            if (row == p || rows[row][column] == 0.0)
                continue;
            const double factor = rows[row][column];
            for (int k = 0; k < 4; ++k)
                rows[row][k] -= factor * rows[p][k];
        }
    }
    nearest.set(rows[pivotRow[0]][3], rows[pivotRow[1]][3], rows[pivotRow[2]][3]);
    return 0;
}

float toolScaleFactor(const OpenGLView& view, const Vector3& centre)
{
    const Vector3 d = subtract(Vector3(view.povX, view.povY, view.povZ), centre);
    const double heading = view.direction * DEGREES_TO_RADIANS;
    const double pitch = view.tilt * DEGREES_TO_RADIANS;
    const double depth = std::cos(pitch) * (std::cos(heading) * d.x + std::sin(heading) * d.y) + std::sin(pitch) * d.z;
    return static_cast<float>(std::tan(view.fovY * 0.008726646259971648) * depth * 0.006);
}

Vector3 toolCentre(const VornModifier& modifier, const TransformParameters& parameters)
{
    return {modifier.pivot.x + parameters.move.x, modifier.pivot.y + parameters.move.y,
            modifier.pivot.z + parameters.move.z};
}

double snappedDisplacement(double displacement, double step, bool snapping)
{
    if (!snapping || !(step > 0.0))
        return displacement;
    return std::floor(displacement / step + 0.5) * step;
}

Vector3 turnedAxis(const Vector3& axis, double angleX, double angleY, double angleZ)
{
    Matrix4x4 turn;
    turn.set(0.0, 1.0);
    turn.rotateX(angleX * DEGREES_TO_RADIANS);
    turn.rotateY(angleY * DEGREES_TO_RADIANS);
    turn.rotateZ(angleZ * DEGREES_TO_RADIANS);
    Vector3 turned = axis;
    turn.transformPoint(turned);
    return turned;
}

} // namespace zintel::tools
