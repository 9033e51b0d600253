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

// "MReactions" (child of "VornMember"): the end forces and moments of a member with bending
// stiffness. The global vectors act on the joints; the local ones are in the member's current axes
// (x along the member from its start to its end joint).
struct CalcMReaction
{
    static constexpr uint32_t itemsPerBlock = 1024;
    void setDefaults()
    {
        for (Vector3* vector : {&startForce, &endForce, &startMoment, &endMoment, &startLocalForce,
                                &endLocalForce, &startLocalMoment, &endLocalMoment})
            vector->setZero();
    }

    Vector3 startForce{0, 0, 0}; // force of the member on its start joint
    Vector3 endForce{0, 0, 0}; // force of the member on its end joint
    Vector3 startMoment{0, 0, 0}; // moment of the member on its start joint
    Vector3 endMoment{0, 0, 0}; // moment of the member on its end joint
    Vector3 startLocalForce{0, 0, 0}; // x the axial force (positive in tension), y and z the shear
    Vector3 endLocalForce{0, 0, 0}; // the same as startLocalForce
    Vector3 startLocalMoment{0, 0, 0}; // moment on the start joint in local axes
    Vector3 endLocalMoment{0, 0, 0}; // moment on the end joint in local axes
};

// "Reorientation" (child of "VornJoint"): the rotation a rigid joint has made since the calculation
// started: a direction fixed to the joint that pointed along v now points along M·v
// (Matrix3x3::transform). The identity for a joint that does not rotate.
struct CalcReorientation
{
    static constexpr uint32_t itemsPerBlock = 1024;
    void setDefaults() { rotation.setIdentity(); }

    Matrix3x3 rotation;
};

// "JointV" (child of "VornJoint"): a joint's velocity and its angular velocity, both in global axes;
// the angular velocity is a rotation vector (axis times angle in radians) per iteration.
struct CalcJointV
{
    static constexpr uint32_t itemsPerBlock = 1024;
    void setDefaults()
    {
        velocity.setZero();
        angularVelocity.setZero();
    }

    Vector3 velocity{0, 0, 0};
    Vector3 angularVelocity{0, 0, 0};
};
