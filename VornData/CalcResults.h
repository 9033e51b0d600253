#pragma once

#include <cstdint>

#include "VornData/VornMath.h"

// Result records of the calculators, kept in child lists of the joint and member lists so that
// element i belongs to joint or member i.

// "Displacements" (child of "VornJoint"): a joint's displacement.
struct CalcDisplacement
{
    static constexpr uint32_t itemsPerBlock = 1024;
    void setDefaults() { displacement.setZero(); }

    Vector3 displacement{0, 0, 0};
};

// "NForces" (child of "VornMember"): a member's force vector and its axial force.
struct CalcNForce
{
    static constexpr uint32_t itemsPerBlock = 1024;
    void setDefaults()
    {
        force.setZero();
        axialForce = 0;
    }

    Vector3 force{0, 0, 0};
    double axialForce = 0;
};
