#include "plugins/TransformParameters.h"

#include "VornData/VornModifier.h"

#include <cstring>

namespace
{
constexpr double radiansPerDegree = 0.017453292519943295;

bool hasTransformBlock(const VornModifier& record)
{
    return record.parameters.getLength() == transformParameterWords && record.parameters.getData() != nullptr;
}

// Rotates both matrices about one axis; an angle of exactly 0 adds no step.
void rotateBoth(Matrix4x4& a, Matrix4x4& b, int axis, double degrees)
{
    if (degrees == 0.0)
        return;
    const double angle = degrees * radiansPerDegree;
    for (Matrix4x4* m : {&a, &b}) {
        if (axis == 0)
            m->rotateX(angle);
        else if (axis == 1)
            m->rotateY(angle);
        else
            m->rotateZ(angle);
    }
}
} // namespace

TransformParameters TransformParameters::neutral()
{
    TransformParameters parameters{};
    parameters.pointMatrix.set(0.0, 1.0);
    parameters.axesMatrix.set(0.0, 1.0);
    parameters.scale = {1.0f, 1.0f, 1.0f};
    return parameters;
}

bool readTransformParameters(const VornModifier& record, TransformParameters& out)
{
    if (!hasTransformBlock(record))
        return false;
    // The dword array guarantees 4-byte alignment only, so the doubles are copied, never cast.
    std::memcpy(&out, record.parameters.getData(), sizeof out);
    return true;
}

bool writeTransformParameters(VornModifier& record, const TransformParameters& parameters)
{
    if (!hasTransformBlock(record))
        return false;
    std::memcpy(record.parameters.getData(), &parameters, sizeof parameters);
    return true;
}

void buildTransformMatrices(const Vector3& pivot, const Vector3& frameAngles, TransformParameters& parameters)
{
    Matrix4x4& points = parameters.pointMatrix;
    Matrix4x4& axes = parameters.axesMatrix;
    points.set(0.0, 1.0);
    axes.set(0.0, 1.0);

    points.translate(pivot.x, pivot.y, pivot.z);
    rotateBoth(points, axes, 0, -frameAngles.x);
    rotateBoth(points, axes, 1, -frameAngles.y);
    rotateBoth(points, axes, 2, -frameAngles.z);
    points.translate(parameters.move.x, parameters.move.y, parameters.move.z);
    rotateBoth(points, axes, 0, parameters.rotate.x);
    rotateBoth(points, axes, 1, parameters.rotate.y);
    rotateBoth(points, axes, 2, parameters.rotate.z);
    points.scale(parameters.scale.x, parameters.scale.y, parameters.scale.z);
    rotateBoth(points, axes, 2, frameAngles.z);
    rotateBoth(points, axes, 1, frameAngles.y);
    rotateBoth(points, axes, 0, frameAngles.x);
    points.translate(-pivot.x, -pivot.y, -pivot.z);
}

bool rebuildTransformMatrices(VornModifier& record)
{
    TransformParameters parameters;
    if (!readTransformParameters(record, parameters))
        return false;
    buildTransformMatrices(record.pivot, record.frameAngles, parameters);
    return writeTransformParameters(record, parameters);
}
