#include "Lumbra/Calculation/IterationKernels.h"

#include <algorithm>
#include <cmath>

#include "VornData/VornJoint.h"

namespace lumbra
{

namespace
{
inline double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

inline Vector3 scaled(const Vector3& v, double factor)
{
    return Vector3(v.x * factor, v.y * factor, v.z * factor);
}

inline Vector3 difference(const Vector3& a, const Vector3& b)
{
    return Vector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

// a·x + b·y + c·z for the axes x, y, z.
inline Vector3 combined(const Vector3& x, double a, const Vector3& y, double b, const Vector3& z, double c)
{
    return Vector3(x.x * a + y.x * b + z.x * c, x.y * a + y.y * b + z.y * c, x.z * a + y.z * b + z.z * c);
}

inline Vector3 transformed(const Matrix3x3& matrix, Vector3 v)
{
    matrix.transform(v);
    return v;
}

template <class Lists>
bool listsMatch(const PreparedModel& model, const Lists& lists)
{
    return lists.displacements && lists.forces && lists.displacements->getCount() == model.jointCount() &&
        lists.forces->getCount() == model.memberCount();
}

template <class Lists>
bool velocitiesMatch(const PreparedModel& model, const Lists& lists)
{
    return lists.velocities && lists.velocities->getCount() == model.jointCount();
}

// The member's axial force from the displacements of its joints: N (positive in tension), the
// current member vector d and its length l.
struct AxialState
{
    double normalForce;
    Vector3 memberVector;
    double length;
};

inline AxialState axialState(const AxialMember& member, const BlockList<CalcDisplacement>& displacements,
                             double eFactor)
{
    const Vector3& start = displacements[member.start].displacement;
    const Vector3& end = displacements[member.end].displacement;
    const Vector3 relative = difference(end, start);
    AxialState state;
    state.memberVector = member.chord;
    state.memberVector += relative;
    state.length = state.memberVector.length();
    // l - L0 = (l² - L0²) / (l + L0), with l² - L0² formed from the small quantities alone.
    const double lengthSquareChange =
        2.0 * dot(member.chord, relative) + dot(relative, relative) + member.restDefect;
    const double restLength = 1.0 / member.inverseLength;
    const double elongation = lengthSquareChange / (state.length + restLength);
    state.normalForce = elongation * member.inverseLength * member.ea * eFactor;
    return state;
}

// The force of the member on its start joint; a member whose ends coincide pushes along global x.
inline Vector3 startForceOf(const AxialState& state)
{
    if (state.length == 0.0)
        return Vector3(state.normalForce, 0, 0);
    return scaled(state.memberVector, state.normalForce / state.length);
}

void prepareScratch(const PreparedModel& model, IterationScratch& scratch, bool withMoments)
{
    const Vector3 zero(0, 0, 0);
    if (scratch.forces.size() != model.jointCount())
        scratch.forces.assign(model.jointCount(), zero);
    if (withMoments && scratch.moments.size() != model.jointCount())
        scratch.moments.assign(model.jointCount(), zero);
}

void zeroSkippedForces(const PreparedModel& model, BlockList<CalcNForce>& forces)
{
    for (const uint32_t index : model.skippedMembers)
        forces[index].setDefaults();
}

// Member pass of the axial kernels: the target normal forces, and their sums at the joints in the
// scratch. Returns the sum of the normal forces, which is non-finite when one of them is.
double axialMemberPass(const PreparedModel& model, double eFactor, const BlockList<CalcDisplacement>& source,
                       BlockList<CalcNForce>& target, std::vector<Vector3>& sums)
{
    double check = 0;
    for (const AxialMember& member : model.axialMembers)
    {
        const AxialState state = axialState(member, source, eFactor);
        const Vector3 force = startForceOf(state);
        CalcNForce& result = target[member.index];
        result.force = force;
        result.axialForce = state.normalForce;
        sums[member.start] += force;
        sums[member.end] -= force;
        check += state.normalForce;
    }
    zeroSkippedForces(model, target);
    return check;
}

constexpr uint8_t TranslationBits = JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ;

// Sets the blocked translation components of v to 0, in the joint's axes when its supports are
// local and local axes are honoured.
inline void holdSupported(Vector3& v, uint8_t supports, const Matrix3x3& orientation, bool honourLocal)
{
    if (!(supports & TranslationBits))
        return;
    const bool local = honourLocal && (supports & JointSupport::LocalAxes);
    if (local)
        orientation.transform(v);
    if (supports & JointSupport::TranslationX)
        v.x = 0;
    if (supports & JointSupport::TranslationY)
        v.y = 0;
    if (supports & JointSupport::TranslationZ)
        v.z = 0;
    if (local)
        orientation.transformTransposed(v);
}

// The out-of-balance force in the directions in which the joint may move.
inline double freeLength(Vector3 force, uint8_t supports, const Matrix3x3& orientation, bool honourLocal)
{
    holdSupported(force, supports, orientation, honourLocal);
    return force.length();
}

// Joint pass of the Basic and Auto basic kernels: every joint with stiffness moves by step times
// its out-of-balance force.
double stepJoints(const PreparedModel& model, double step, double g, bool withLoads, bool honourLocal,
                  const BlockList<CalcDisplacement>& source, BlockList<CalcDisplacement>& target,
                  std::vector<Vector3>& sums, IterationReport& report)
{
    double check = 0;
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        const PreparedJoint& joint = model.joints[index];
        Vector3 sum = sums[index];
        sums[index].setZero();
        const Vector3& from = source[index].displacement;
        Vector3& to = target[index].displacement;
        if (!(joint.stiffness > 0.0))
        {
            to = from;
            continue;
        }
        sum.z -= joint.mass * g;
        if (withLoads)
            sum += joint.load;
        to = from;
        to += scaled(sum, step);
        holdSupported(to, joint.supports, model.orientations[index], honourLocal);
        report.outOfBalanceForce = std::max(report.outOfBalanceForce,
                                            freeLength(sum, joint.supports, model.orientations[index], honourLocal));
        check += to.x + to.y + to.z;
    }
    return check;
}

// Turns the joint's velocity into its displacement, as the Velocity and Full kernels do; a joint
// without mass or stiffness stays where it is (false).
inline bool moveJoint(const PreparedJoint& joint, const Matrix3x3& orientation, Vector3 force, double damping,
                      double timeBase, const Vector3& fromDisplacement, const Vector3& fromVelocity,
                      Vector3& toDisplacement, Vector3& toVelocity, IterationReport& report)
{
    if (!(joint.mass > 0.0) || !(joint.stiffness > 0.0))
    {
        toDisplacement = fromDisplacement;
        toVelocity.setZero();
        return false;
    }
    toVelocity = scaled(fromVelocity, damping);
    toVelocity += scaled(force, 1.0 / joint.mass);
    toDisplacement = fromDisplacement;
    toDisplacement += scaled(toVelocity, timeBase);
    report.outOfBalanceForce = std::max(report.outOfBalanceForce, freeLength(force, joint.supports, orientation, true));
    return true;
}

// The rotation by the rotation vector (axis times angle); small angles without trigonometry.
inline void setRotationOf(Matrix3x3& rotation, const Vector3& vector)
{
    const double angleSquare = dot(vector, vector);
    if (angleSquare > 1e-8)
    {
        rotation.setRotation(vector);
        return;
    }
    // I + (sin a / a)·K + ((1 - cos a) / a²)·K², K the cross-product matrix of the vector.
    const double s = 1.0 - angleSquare / 6.0;
    const double t = 0.5 - angleSquare / 24.0;
    const double x = vector.x, y = vector.y, z = vector.z;
    rotation.rows[0].set(1.0 - t * (y * y + z * z), t * x * y - s * z, t * x * z + s * y);
    rotation.rows[1].set(t * x * y + s * z, 1.0 - t * (x * x + z * z), t * y * z - s * x);
    rotation.rows[2].set(t * x * z - s * y, t * y * z + s * x, 1.0 - t * (x * x + y * y));
}

// The small rotation that turns the axes r into the triad t (both orthonormal), in the axes r.
inline Vector3 relativeRotation(const Vector3 t[3], const Vector3& r1, const Vector3& r2, const Vector3& r3)
{
    return Vector3(0.5 * (dot(t[1], r3) - dot(t[2], r2)), 0.5 * (dot(t[2], r1) - dot(t[0], r3)),
                   0.5 * (dot(t[0], r2) - dot(t[1], r1)));
}
} // namespace

IterationReport iterateBasic(const PreparedModel& model, const BasicParameters& parameters,
                             const AxialLists<false>& source, const AxialLists<true>& target,
                             IterationScratch& scratch)
{
    IterationReport report;
    if (!listsMatch(model, source) || !listsMatch(model, target))
        return report.finite = false, report;
    prepareScratch(model, scratch, false);
    double check = axialMemberPass(model, parameters.eFactor, *source.displacements, *target.forces, scratch.forces);
    const double step = 1.0 / parameters.inverseDisplacementFactor;
    // Applied forces and local supports are not this calculator's business: self-weight, global axes.
    check += stepJoints(model, step, parameters.g, false, false, *source.displacements, *target.displacements,
                        scratch.forces, report);
    report.finite = std::isfinite(check);
    return report;
}

IterationReport iterateAutoBasic(const PreparedModel& model, const AutoBasicParameters& parameters,
                                 const AxialLists<false>& source, const AxialLists<true>& target,
                                 IterationScratch& scratch)
{
    IterationReport report;
    if (!listsMatch(model, source) || !listsMatch(model, target))
        return report.finite = false, report;
    prepareScratch(model, scratch, false);
    double check = axialMemberPass(model, parameters.eFactor, *source.displacements, *target.forces, scratch.forces);
    // The step from the stiffest joint (the sum over its members) keeps the iteration stable where
    // many stiff members meet; with one member per joint it is the stiffest member's.
    report.biggestStiffness = model.largestJointStiffness * parameters.eFactor;
    double step = 0;
    if (parameters.automatic)
    {
        report.usedFactor = report.biggestStiffness * parameters.factorBase;
        step = 1.0 / report.usedFactor;
    }
    else
    {
        step = 1.0 / parameters.factor;
    }
    check += stepJoints(model, step, parameters.g, true, true, *source.displacements, *target.displacements,
                        scratch.forces, report);
    report.finite = std::isfinite(check);
    return report;
}

IterationReport iterateVelocity(const PreparedModel& model, const VelocityParameters& parameters,
                                const VelocityLists<false>& source, const VelocityLists<true>& target,
                                IterationScratch& scratch)
{
    IterationReport report;
    if (!listsMatch(model, source) || !listsMatch(model, target) || !velocitiesMatch(model, source) ||
        !velocitiesMatch(model, target))
        return report.finite = false, report;
    prepareScratch(model, scratch, false);
    double check = axialMemberPass(model, parameters.eFactor, *source.displacements, *target.forces, scratch.forces);

    const double damping = 1.0 - parameters.drag;
    const double bounce = damping * damping;
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        const PreparedJoint& joint = model.joints[index];
        Vector3 force = scratch.forces[index];
        scratch.forces[index].setZero();
        force.z -= joint.mass * parameters.g;
        force += joint.load;
        const CalcJointV& from = (*source.velocities)[index];
        CalcJointV& to = (*target.velocities)[index];
        Vector3& displacement = (*target.displacements)[index].displacement;
        const Matrix3x3& orientation = model.orientations[index];
        const bool moved = moveJoint(joint, orientation, force, damping, parameters.timeBase,
                                     (*source.displacements)[index].displacement, from.velocity, displacement,
                                     to.velocity, report);
        to.angularVelocity.setZero();
        if (moved && parameters.floorEnabled)
        {
            const double height = model.positions[index].z + displacement.z;
            if (height < parameters.floorHeight)
            {
                displacement.z += (parameters.floorHeight - height) * bounce;
                to.velocity.z *= -bounce;
                to.velocity.x *= damping;
                to.velocity.y *= damping;
            }
        }
        holdSupported(displacement, joint.supports, orientation, true);
        holdSupported(to.velocity, joint.supports, orientation, true);
        check += displacement.x + displacement.y + displacement.z + to.velocity.x + to.velocity.y + to.velocity.z;
    }
    report.finite = std::isfinite(check);
    return report;
}

IterationReport iterateFull(const PreparedModel& model, const FullParameters& parameters,
                            const FullLists<false>& source, const FullLists<true>& target, IterationScratch& scratch)
{
    IterationReport report;
    const auto rotationsMatch = [&model](const FullLists<false>& s, const FullLists<true>& t) {
        return s.reorientations && t.reorientations && t.reactions &&
            s.reorientations->getCount() == model.jointCount() && t.reorientations->getCount() == model.jointCount() &&
            t.reactions->getCount() == model.memberCount();
    };
    if (!listsMatch(model, source) || !listsMatch(model, target) || !velocitiesMatch(model, source) ||
        !velocitiesMatch(model, target) || !rotationsMatch(source, target))
        return report.finite = false, report;
    prepareScratch(model, scratch, true);
    const double k = parameters.eFactor;
    const BlockList<CalcDisplacement>& displacements = *source.displacements;
    const BlockList<CalcReorientation>& reorientations = *source.reorientations;
    double check = 0;

    const size_t memberCount = model.axialMembers.size();
    for (size_t position = 0; position < memberCount; ++position)
    {
        const AxialMember& member = model.axialMembers[position];
        const AxialState state = axialState(member, displacements, k);
        const double normal = state.normalForce;
        Vector3 startForce = startForceOf(state);
        Vector3 startMoment(0, 0, 0), endMoment(0, 0, 0);
        Vector3 localForce(normal, 0, 0), startLocalMoment(0, 0, 0), endLocalMoment(0, 0, 0);

        const BendingMember& bending = model.bendingMembers[position];
        if ((bending.rigidStart | bending.rigidEnd) && state.length > 0.0)
        {
            // The member's current axes: x along the chord, y from the crossing axes of its rigid
            // ends as their joints have turned them.
            const Vector3 r1 = scaled(state.memberVector, 1.0 / state.length);
            Vector3 startTriad[3], endTriad[3];
            Vector3 reference(0, 0, 0);
            if (bending.rigidStart)
            {
                const Matrix3x3& turn = reorientations[member.start].rotation;
                startTriad[0] = transformed(turn, bending.axis);
                startTriad[1] = transformed(turn, bending.crossAxis);
                startTriad[2] = cross(startTriad[0], startTriad[1]);
                reference += startTriad[1];
            }
            if (bending.rigidEnd)
            {
                const Matrix3x3& turn = reorientations[member.end].rotation;
                endTriad[0] = transformed(turn, bending.axis);
                endTriad[1] = transformed(turn, bending.crossAxis);
                endTriad[2] = cross(endTriad[0], endTriad[1]);
                reference += endTriad[1];
            }
            Vector3 r2 = difference(reference, scaled(r1, dot(reference, r1)));
            r2.scale(1.0 / r2.length());
            const Vector3 r3 = cross(r1, r2);

            // End moments on the element in its axes (x torsion, y bending with deflection along z,
            // z bending with deflection along y), from the end rotations relative to the chord.
            const double q = member.inverseLength;
            const double bendY = bending.eix * k * q, bendZ = bending.eiy * k * q;
            Vector3 atStart(0, 0, 0), atEnd(0, 0, 0);
            if (bending.rigidStart && bending.rigidEnd)
            {
                const Vector3 s = relativeRotation(startTriad, r1, r2, r3);
                const Vector3 e = relativeRotation(endTriad, r1, r2, r3);
                atStart.x = bending.gj * k * q * (s.x - e.x);
                atEnd.x = -atStart.x;
                atStart.y = bendY * (4.0 * s.y + 2.0 * e.y);
                atEnd.y = bendY * (2.0 * s.y + 4.0 * e.y);
                atStart.z = bendZ * (4.0 * s.z + 2.0 * e.z);
                atEnd.z = bendZ * (2.0 * s.z + 4.0 * e.z);
            }
            else
            {
                // A pinned end releases every moment: the rigid end sees the fixed-pinned beam.
                const Vector3 s = relativeRotation(bending.rigidStart ? startTriad : endTriad, r1, r2, r3);
                Vector3& rigid = bending.rigidStart ? atStart : atEnd;
                rigid.y = 3.0 * bendY * s.y;
                rigid.z = 3.0 * bendZ * s.z;
            }
            // Shear from the element's moment balance about its current length, so that the member
            // exerts no net force or moment on the structure.
            const double shearY = -(atStart.z + atEnd.z) / state.length;
            const double shearZ = (atStart.y + atEnd.y) / state.length;
            startForce += combined(r2, shearY, r3, shearZ, r1, 0.0);
            localForce.y = shearY;
            localForce.z = shearZ;
            startLocalMoment.set(-atStart.x, -atStart.y, -atStart.z);
            endLocalMoment.set(-atEnd.x, -atEnd.y, -atEnd.z);
            startMoment = combined(r1, startLocalMoment.x, r2, startLocalMoment.y, r3, startLocalMoment.z);
            endMoment = combined(r1, endLocalMoment.x, r2, endLocalMoment.y, r3, endLocalMoment.z);
        }

        const Vector3 endForce = scaled(startForce, -1.0);
        CalcMReaction& reaction = (*target.reactions)[member.index];
        reaction.startForce = startForce;
        reaction.endForce = endForce;
        reaction.startMoment = startMoment;
        reaction.endMoment = endMoment;
        reaction.startLocalForce = localForce;
        reaction.endLocalForce = localForce;
        reaction.startLocalMoment = startLocalMoment;
        reaction.endLocalMoment = endLocalMoment;
        CalcNForce& published = (*target.forces)[member.index];
        published.force = startForce;
        published.axialForce = normal;

        scratch.forces[member.start] += startForce;
        scratch.forces[member.end] += endForce;
        scratch.moments[member.start] += startMoment;
        scratch.moments[member.end] += endMoment;
        check += normal + startMoment.x + startMoment.y + startMoment.z + endMoment.x + endMoment.y + endMoment.z;
    }
    zeroSkippedForces(model, *target.forces);
    for (const uint32_t index : model.skippedMembers)
        (*target.reactions)[index].setDefaults();

    const double damping = 1.0 - parameters.drag;
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        const PreparedJoint& joint = model.joints[index];
        Vector3 force = scratch.forces[index];
        const Vector3 moment = scratch.moments[index];
        scratch.forces[index].setZero();
        scratch.moments[index].setZero();
        force.z -= joint.mass * parameters.g;
        force += joint.load;
        const CalcJointV& from = (*source.velocities)[index];
        CalcJointV& to = (*target.velocities)[index];
        Vector3& displacement = (*target.displacements)[index].displacement;
        const Matrix3x3& orientation = model.orientations[index];
        moveJoint(joint, orientation, force, damping, parameters.timeBase, displacements[index].displacement,
                  from.velocity, displacement, to.velocity, report);
        holdSupported(displacement, joint.supports, orientation, true);
        holdSupported(to.velocity, joint.supports, orientation, true);

        Matrix3x3& turn = (*target.reorientations)[index].rotation;
        if (joint.rotates)
        {
            to.angularVelocity = scaled(from.angularVelocity, damping);
            to.angularVelocity += scaled(moment, parameters.timeBase / joint.rotationalInertia);
            Matrix3x3 step;
            setRotationOf(step, to.angularVelocity);
            turn.multiply(step, reorientations[index].rotation);
            turn.orthonormalize();
            report.outOfBalanceMoment = std::max(report.outOfBalanceMoment, moment.length());
        }
        else
        {
            to.angularVelocity.setZero();
            turn.setIdentity();
        }
        check += displacement.x + displacement.y + displacement.z + to.velocity.x + to.velocity.y + to.velocity.z +
            to.angularVelocity.x + to.angularVelocity.y + to.angularVelocity.z;
    }
    report.finite = std::isfinite(check);
    return report;
}

} // namespace lumbra
