#pragma once

#include "VornData/VornMath.h"

#include <cstdint>

class VornModifier;

// The parameter block of a move, rotate or scale record, word for word as it sits in the record's
// dword array. Move, Rotate and Scale share it, so a record can pass from one to another, and the
// OpenGL modifier tools edit it while the user drags.
struct TransformParameters
{
    Matrix4x4 pointMatrix; // transforms positions
    Matrix4x4 axesMatrix;  // rotations only; transforms each local axis of a vertex
    int32_t reserved;
    Point3f move;   // translation
    Point3f rotate; // degrees about x, y, z
    Point3f scale;  // factors along x, y, z

    // No translation, no rotation, unit scale, identity matrices.
    static TransformParameters neutral();
};

// The length of the block in dwords; a record holds a transform only when its array has exactly it.
inline constexpr uint32_t transformParameterWords = 74;
static_assert(sizeof(TransformParameters) == transformParameterWords * sizeof(uint32_t));

// Copies the block out of the record; false (and `out` untouched) when the record's array does not
// have the block's length.
bool readTransformParameters(const VornModifier& record, TransformParameters& out);
// Copies the block into the record; false when the array does not have the block's length.
bool writeTransformParameters(VornModifier& record, const TransformParameters& parameters);

// Fills both matrices from the pivot p, the frame angles F (degrees) and the move M, rotate R and
// scale S of the block:
//   pointMatrix = T(p)·Rx(-Fx)·Ry(-Fy)·Rz(-Fz)·T(M)·Rx(Rx)·Ry(Ry)·Rz(Rz)·S·Rz(Fz)·Ry(Fy)·Rx(Fx)·T(-p)
//   axesMatrix  = the same product without translations and scaling.
// Angles of exactly 0 add no step, so a neutral block gives identity matrices.
void buildTransformMatrices(const Vector3& pivot, const Vector3& frameAngles, TransformParameters& parameters);
// Reads the record's block, rebuilds its matrices from the record's pivot and frame angles and
// writes it back; false when the record holds no transform block.
bool rebuildTransformMatrices(VornModifier& record);
