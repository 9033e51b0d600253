#include "Lumbra/Calculation/IterationKernels.h"

#include <algorithm>
#include <array>
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

// The member's axial force from the displacements of its joints, in plain numbers (copies of
// vectors through memory stall the loops): the current member vector d and its length l, the
// normal force N (positive in tension) and the force f on the start joint.
struct AxialState
{
    double dx, dy, dz;
    double length;
    double normalForce;
    double fx, fy, fz;

    Vector3 memberVector() const { return Vector3(dx, dy, dz); }
    Vector3 startForce() const { return Vector3(fx, fy, fz); }
};

inline AxialState axialState(const AxialMember& member, const Vector3* displacements, double eFactor)
{
    const Vector3& start = displacements[member.start];
    const Vector3& end = displacements[member.end];
    const double ux = end.x - start.x, uy = end.y - start.y, uz = end.z - start.z;
    const Vector3& chord = member.chord;
    AxialState state;
    state.dx = chord.x + ux;
    state.dy = chord.y + uy;
    state.dz = chord.z + uz;
    state.length = std::sqrt(state.dx * state.dx + state.dy * state.dy + state.dz * state.dz);
    const double stiffness = member.stiffness * eFactor;
    if (state.length == 0.0)
    {
        // A member whose ends coincide pushes its start joint along global x.
        state.normalForce = -member.restLength * stiffness;
        state.fx = state.normalForce;
        state.fy = state.fz = 0.0;
        return state;
    }
    // l - L0 = (l² - L0²) / (l + L0), with l² - L0² formed from the small quantities alone.
    const double lengthSquareChange =
        2.0 * (chord.x * ux + chord.y * uy + chord.z * uz) + (ux * ux + uy * uy + uz * uz) + member.restDefect;
    const double forcePerLength = lengthSquareChange * stiffness / ((state.length + member.restLength) * state.length);
    state.normalForce = forcePerLength * state.length;
    state.fx = forcePerLength * state.dx;
    state.fy = forcePerLength * state.dy;
    state.fz = forcePerLength * state.dz;
    return state;
}

// The joint lists of a kernel's source or target, in the order of WorkingState::mirrored.
template <class Lists>
std::array<const void*, 3> jointListsOf(const Lists& lists)
{
    std::array<const void*, 3> joints{lists.displacements, nullptr, nullptr};
    if constexpr (requires { lists.velocities; })
        joints[1] = lists.velocities;
    if constexpr (requires { lists.reorientations; })
        joints[2] = lists.reorientations;
    return joints;
}

// Makes the working state's source hold the values of the source lists, unless it holds them
// already, and gives both sides of the state the model's size.
template <class Lists>
void takeSource(const PreparedModel& model, WorkingState& state, const Lists& source)
{
    const std::array<const void*, 3> lists = jointListsOf(source);
    if (std::equal(lists.begin(), lists.end(), std::begin(state.mirrored)))
        return;
    const uint32_t count = model.jointCount();
    for (JointValues& side : state.sides)
    {
        side.displacements.resize(count);
        if (lists[1])
            side.velocities.resize(count);
        if (lists[2])
        {
            side.angularVelocities.resize(count);
            side.reorientations.resize(count);
        }
    }
    JointValues& values = state.sides[state.source];
    for (uint32_t index = 0; index < count; ++index)
        values.displacements[index] = source.displacements->uncheckedAt(index).displacement;
    if constexpr (requires { source.velocities; })
        for (uint32_t index = 0; index < count; ++index)
        {
            const CalcJointV& velocity = source.velocities->uncheckedAt(index);
            values.velocities[index] = velocity.velocity;
            if (lists[2])
                values.angularVelocities[index] = velocity.angularVelocity;
        }
    if constexpr (requires { source.reorientations; })
        for (uint32_t index = 0; index < count; ++index)
            values.reorientations[index] = source.reorientations->uncheckedAt(index).rotation;
    std::copy(lists.begin(), lists.end(), std::begin(state.mirrored));
    state.restingSides[state.source] = false;
}

// After a finite iteration: the target values become the source, mirroring the target lists.
template <class Lists>
void advanceState(WorkingState& state, const Lists& target)
{
    const std::array<const void*, 3> lists = jointListsOf(target);
    state.source = 1 - state.source;
    std::copy(lists.begin(), lists.end(), std::begin(state.mirrored));
}

void prepareScratch(const PreparedModel& model, IterationScratch& scratch, bool withMoments)
{
    const Vector3 zero(0, 0, 0);
    if (scratch.forces.size() != model.jointCount())
        scratch.forces.assign(model.jointCount(), zero);
    if (withMoments && scratch.moments.size() != model.jointCount())
        scratch.moments.assign(model.jointCount(), zero);
}

inline void addTo(Vector3& sum, double x, double y, double z)
{
    sum.x += x;
    sum.y += y;
    sum.z += z;
}

// A joint's sum of its members' forces or moments, left at zero for the next iteration.
inline Vector3 takeSum(Vector3& sum)
{
    const Vector3 taken = sum;
    sum.setZero();
    return taken;
}

void zeroSkippedForces(const PreparedModel& model, BlockList<CalcNForce>& forces)
{
    for (const uint32_t index : model.skippedMembers)
        forces[index].setDefaults();
}

// Member pass of the axial kernels: the target normal forces, and the members' forces added to the
// sums at their joints. Returns the sum of the normal forces, which is non-finite when one of them is.
double axialMemberPass(const PreparedModel& model, double eFactor, const Vector3* displacements,
                       BlockList<CalcNForce>& target, Vector3* jointForces)
{
    double check = 0;
    for (const AxialMember& member : model.axialMembers)
    {
        const AxialState state = axialState(member, displacements, eFactor);
        CalcNForce& result = target.uncheckedAt(member.index);
        result.force.set(state.fx, state.fy, state.fz);
        result.axialForce = state.normalForce;
        addTo(jointForces[member.start], state.fx, state.fy, state.fz);
        addTo(jointForces[member.end], -state.fx, -state.fy, -state.fz);
        check += state.normalForce;
    }
    zeroSkippedForces(model, target);
    return check;
}

// Sets the blocked translation components of v to 0: in the joint's axes when its supports are
// local and local axes are honoured, else in global axes.
inline void holdSupported(Vector3& v, const PreparedJoint& joint, const Matrix3x3& orientation, bool honourLocal)
{
    const bool local = honourLocal && joint.localSupports;
    if (local)
        orientation.transform(v);
    v.x *= joint.freeAxes.x;
    v.y *= joint.freeAxes.y;
    v.z *= joint.freeAxes.z;
    if (local)
        orientation.transformTransposed(v);
}

// The square of the out-of-balance force in the directions in which the joint may move.
inline double freeSquare(Vector3 force, const PreparedJoint& joint, const Matrix3x3& orientation, bool honourLocal)
{
    holdSupported(force, joint, orientation, honourLocal);
    return dot(force, force);
}

// The kernels keep the squares of the largest out-of-balance values while they run.
inline IterationReport& finish(IterationReport& report, double check)
{
    report.outOfBalanceForce = std::sqrt(report.outOfBalanceForce);
    report.outOfBalanceMoment = std::sqrt(report.outOfBalanceMoment);
    report.finite = std::isfinite(check);
    return report;
}

// Joint pass of the Basic and Auto basic kernels: every joint with stiffness moves by step times
// its out-of-balance force.
double stepJoints(const PreparedModel& model, double step, double g, bool withLoads, bool honourLocal,
                  const Vector3* source, Vector3* target, BlockList<CalcDisplacement>& targetList, Vector3* jointForces,
                  IterationReport& report)
{
    double check = 0;
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        const PreparedJoint& joint = model.joints[index];
        Vector3 sum = takeSum(jointForces[index]);
        Vector3 to = source[index];
        if (joint.stiffness > 0.0)
        {
            sum.z -= joint.mass * g;
            if (withLoads)
                sum += joint.load;
            to += scaled(sum, step);
            holdSupported(to, joint, model.orientations[index], honourLocal);
            report.outOfBalanceForce =
                std::max(report.outOfBalanceForce, freeSquare(sum, joint, model.orientations[index], honourLocal));
            check += to.x + to.y + to.z;
        }
        target[index] = to;
        targetList.uncheckedAt(index).displacement = to;
    }
    return check;
}

// The floor of the Velocity calculator: joints below it are pushed back and bounce.
struct Floor
{
    bool enabled;
    double height;
};

// Takes the sum of the forces on a joint, accelerates it and turns its velocity into its
// displacement, as the Velocity and Full kernels do; a joint without mass or stiffness stays where
// it is. Returns the sum of the values written, for the finiteness check.
inline double translateJoint(const PreparedModel& model, uint32_t index, Vector3& jointForce, double g, double damping,
                             double timeBase, const Floor& floor, const Vector3& fromDisplacement,
                             const Vector3& fromVelocity, Vector3& toDisplacement, Vector3& toVelocity,
                             IterationReport& report)
{
    const PreparedJoint& joint = model.joints[index];
    Vector3 force = takeSum(jointForce);
    if (!(joint.mass > 0.0) || !(joint.stiffness > 0.0))
    {
        toDisplacement = fromDisplacement;
        toVelocity.setZero();
        return 0.0;
    }
    force.z -= joint.mass * g;
    force += joint.load;
    const Matrix3x3& orientation = model.orientations[index];
    toVelocity = scaled(fromVelocity, damping);
    toVelocity += scaled(force, 1.0 / joint.mass);
    toDisplacement = fromDisplacement;
    toDisplacement += scaled(toVelocity, timeBase);
    if (floor.enabled)
    {
        const double height = model.positions[index].z + toDisplacement.z;
        if (height < floor.height)
        {
            const double bounce = damping * damping;
            toDisplacement.z += (floor.height - height) * bounce;
            toVelocity.z *= -bounce;
            toVelocity.x *= damping;
            toVelocity.y *= damping;
        }
    }
    holdSupported(toDisplacement, joint, orientation, true);
    holdSupported(toVelocity, joint, orientation, true);
    report.outOfBalanceForce = std::max(report.outOfBalanceForce, freeSquare(force, joint, orientation, true));
    return toDisplacement.x + toDisplacement.y + toDisplacement.z + toVelocity.x + toVelocity.y + toVelocity.z;
}

// The Basic and Auto basic iteration: the member forces, then every joint with stiffness moves by
// the step (from stepOf(report), after the member pass) times its out-of-balance force.
template <class StepOf>
IterationReport relax(PreparedModel& model, double eFactor, double g, bool withLoads, bool honourLocal,
                      const AxialLists<false>& source, const AxialLists<true>& target, IterationScratch& scratch,
                      StepOf stepOf)
{
    IterationReport report;
    if (!listsMatch(model, source) || !listsMatch(model, target))
        return report.finite = false, report;
    WorkingState& state = model.state;
    takeSource(model, state, source);
    prepareScratch(model, scratch, false);
    const JointValues& from = state.sides[state.source];
    JointValues& to = state.sides[1 - state.source];
    double check = axialMemberPass(model, eFactor, from.displacements.data(), *target.forces, scratch.forces.data());
    check += stepJoints(model, stepOf(report), g, withLoads, honourLocal, from.displacements.data(),
                        to.displacements.data(), *target.displacements, scratch.forces.data(), report);
    if (finish(report, check).finite)
        advanceState(state, target);
    return report;
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

// out := a·b, written out: the library's product goes through indexed access.
inline void multiplyInto(Matrix3x3& out, const Matrix3x3& a, const Matrix3x3& b)
{
    for (int r = 0; r < 3; ++r)
    {
        const Vector3& row = a.rows[r];
        out.rows[r] = combined(b.rows[0], row.x, b.rows[1], row.y, b.rows[2], row.z);
    }
}

// The small rotation that turns the axes r into the triad t (both orthonormal), in the axes r.
inline Vector3 relativeRotation(const Vector3 t[3], const Vector3& r1, const Vector3& r2, const Vector3& r3)
{
    return Vector3(0.5 * (dot(t[1], r3) - dot(t[2], r2)), 0.5 * (dot(t[2], r1) - dot(t[0], r3)),
                   0.5 * (dot(t[0], r2) - dot(t[1], r1)));
}

// The whole reaction record of a member.
inline void writeReaction(CalcMReaction& reaction, const Vector3& startForce, const Vector3& startMoment,
                          const Vector3& endMoment, const Vector3& localForce, const Vector3& startLocalMoment,
                          const Vector3& endLocalMoment)
{
    reaction.startForce = startForce;
    reaction.endForce = scaled(startForce, -1.0);
    reaction.startMoment = startMoment;
    reaction.endMoment = endMoment;
    reaction.startLocalForce = localForce;
    reaction.endLocalForce = localForce;
    reaction.startLocalMoment = startLocalMoment;
    reaction.endLocalMoment = endLocalMoment;
}

// Whether the list holds the resting values of the parts at rest. Makes it one of the state's
// resting lists: the iteration writes those values into a list that does not hold them.
inline bool takeResting(WorkingState& state, const void* list)
{
    auto* const first = std::begin(state.restingLists);
    auto* const end = std::end(state.restingLists);
    if (std::find(first, end, list) != end)
        return true;
    std::copy_backward(first, end - 1, end);
    *first = list;
    return false;
}
} // namespace

IterationReport iterateBasic(PreparedModel& model, const BasicParameters& parameters, const AxialLists<false>& source,
                             const AxialLists<true>& target, IterationScratch& scratch)
{
    // Applied forces and local supports are not this calculator's business: self-weight, global axes.
    return relax(model, parameters.eFactor, parameters.g, false, false, source, target, scratch,
                 [&parameters](IterationReport&) { return 1.0 / parameters.inverseDisplacementFactor; });
}

IterationReport iterateAutoBasic(PreparedModel& model, const AutoBasicParameters& parameters,
                                 const AxialLists<false>& source, const AxialLists<true>& target,
                                 IterationScratch& scratch)
{
    return relax(model, parameters.eFactor, parameters.g, true, true, source, target, scratch,
                 [&model, &parameters](IterationReport& report) {
                     // The step from the stiffest joint (the sum over its members) keeps the iteration
                     // stable where many stiff members meet; with one member per joint it is the
                     // stiffest member's.
                     report.biggestStiffness = model.largestJointStiffness * parameters.eFactor;
                     if (!parameters.automatic)
                         return 1.0 / parameters.factor;
                     report.usedFactor = report.biggestStiffness * parameters.factorBase;
                     return 1.0 / report.usedFactor;
                 });
}

IterationReport iterateVelocity(PreparedModel& model, const VelocityParameters& parameters,
                                const VelocityLists<false>& source, const VelocityLists<true>& target,
                                IterationScratch& scratch)
{
    IterationReport report;
    if (!listsMatch(model, source) || !listsMatch(model, target) || !velocitiesMatch(model, source) ||
        !velocitiesMatch(model, target))
        return report.finite = false, report;
    WorkingState& state = model.state;
    takeSource(model, state, source);
    prepareScratch(model, scratch, false);
    const JointValues& from = state.sides[state.source];
    JointValues& to = state.sides[1 - state.source];
    double check =
        axialMemberPass(model, parameters.eFactor, from.displacements.data(), *target.forces, scratch.forces.data());

    const double damping = 1.0 - parameters.drag;
    const Floor floor{parameters.floorEnabled, parameters.floorHeight};
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        Vector3& displacement = to.displacements[index];
        Vector3& velocity = to.velocities[index];
        check += translateJoint(model, index, scratch.forces[index], parameters.g, damping, parameters.timeBase, floor,
                                from.displacements[index], from.velocities[index], displacement, velocity, report);
        target.displacements->uncheckedAt(index).displacement = displacement;
        CalcJointV& published = target.velocities->uncheckedAt(index);
        published.velocity = velocity;
        published.angularVelocity.setZero();
    }
    if (finish(report, check).finite)
        advanceState(state, target);
    return report;
}

IterationReport iterateFull(PreparedModel& model, const FullParameters& parameters, const FullLists<false>& source,
                            const FullLists<true>& target, IterationScratch& scratch)
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
    WorkingState& state = model.state;
    takeSource(model, state, source);
    prepareScratch(model, scratch, true);
    const JointValues& from = state.sides[state.source];
    JointValues& to = state.sides[1 - state.source];
    const bool restingReactions = takeResting(state, target.reactions);
    const bool restingReorientations = takeResting(state, target.reorientations);
    const bool restingSide = state.restingSides[1 - state.source];
    const double k = parameters.eFactor;
    const Vector3* displacements = from.displacements.data();
    const Matrix3x3* reorientations = from.reorientations.data();
    Vector3* jointForces = scratch.forces.data();
    Vector3* jointMoments = scratch.moments.data();
    double check = 0;

    const size_t memberCount = model.axialMembers.size();
    for (size_t position = 0; position < memberCount; ++position)
    {
        const AxialMember& member = model.axialMembers[position];
        const AxialState axial = axialState(member, displacements, k);
        const double normal = axial.normalForce;
        Vector3 startForce = axial.startForce();
        CalcMReaction& reaction = target.reactions->uncheckedAt(member.index);

        if ((member.rigidStart | member.rigidEnd) && axial.length > 0.0)
        {
            const BendingMember& bending = model.bendingMembers[position];
            // The member's current axes: x along the chord, y from the crossing axes of its rigid
            // ends as their joints have turned them.
            const double inverseLength = 1.0 / axial.length;
            const Vector3 r1 = scaled(axial.memberVector(), inverseLength);
            Vector3 startTriad[3], endTriad[3];
            Vector3 reference(0, 0, 0);
            // The member's axes at a rigid end, turned with the joint.
            const auto turnAxes = [&](uint32_t joint, Vector3 triad[3]) {
                const Matrix3x3& turn = reorientations[joint];
                triad[0] = transformed(turn, bending.axis);
                triad[1] = transformed(turn, bending.crossAxis);
                triad[2] = cross(triad[0], triad[1]);
                reference += triad[1];
            };
            if (member.rigidStart)
                turnAxes(member.start, startTriad);
            if (member.rigidEnd)
                turnAxes(member.end, endTriad);
            Vector3 r2 = difference(reference, scaled(r1, dot(reference, r1)));
            r2.scale(1.0 / r2.length());
            const Vector3 r3 = cross(r1, r2);

            // End moments on the element in its axes (x torsion, y bending with deflection along z,
            // z bending with deflection along y), from the end rotations relative to the chord.
            const double bendY = bending.eix * k, bendZ = bending.eiy * k;
            Vector3 atStart(0, 0, 0), atEnd(0, 0, 0);
            if (member.rigidStart && member.rigidEnd)
            {
                const Vector3 s = relativeRotation(startTriad, r1, r2, r3);
                const Vector3 e = relativeRotation(endTriad, r1, r2, r3);
                atStart.x = bending.gj * k * (s.x - e.x);
                atEnd.x = -atStart.x;
                atStart.y = bendY * (4.0 * s.y + 2.0 * e.y);
                atEnd.y = bendY * (2.0 * s.y + 4.0 * e.y);
                atStart.z = bendZ * (4.0 * s.z + 2.0 * e.z);
                atEnd.z = bendZ * (2.0 * s.z + 4.0 * e.z);
            }
            else
            {
                // A pinned end releases every moment: the rigid end sees the fixed-pinned beam.
                const Vector3 s = relativeRotation(member.rigidStart ? startTriad : endTriad, r1, r2, r3);
                Vector3& rigid = member.rigidStart ? atStart : atEnd;
                rigid.y = 3.0 * bendY * s.y;
                rigid.z = 3.0 * bendZ * s.z;
            }
            // Shear from the element's moment balance about its current length, so that the member
            // exerts no net force or moment on the structure.
            const double shearY = -(atStart.z + atEnd.z) * inverseLength;
            const double shearZ = (atStart.y + atEnd.y) * inverseLength;
            startForce += combined(r2, shearY, r3, shearZ, r1, 0.0);
            const Vector3 startLocalMoment(-atStart.x, -atStart.y, -atStart.z);
            const Vector3 endLocalMoment(-atEnd.x, -atEnd.y, -atEnd.z);
            const Vector3 startMoment =
                combined(r1, startLocalMoment.x, r2, startLocalMoment.y, r3, startLocalMoment.z);
            const Vector3 endMoment = combined(r1, endLocalMoment.x, r2, endLocalMoment.y, r3, endLocalMoment.z);
            writeReaction(reaction, startForce, startMoment, endMoment, Vector3(normal, shearY, shearZ),
                          startLocalMoment, endLocalMoment);
            jointMoments[member.start] += startMoment;
            jointMoments[member.end] += endMoment;
            check += startMoment.x + startMoment.y + startMoment.z + endMoment.x + endMoment.y + endMoment.z;
        }
        else if (restingReactions && !(member.rigidStart | member.rigidEnd))
        {
            // No moments and no shear: the record of a member without a rigid end holds their
            // zeros already (one with a rigid end and no length has its moments cleared below).
            reaction.startForce = startForce;
            reaction.endForce.set(-startForce.x, -startForce.y, -startForce.z);
            reaction.startLocalForce.x = normal;
            reaction.endLocalForce.x = normal;
        }
        else
        {
            const Vector3 zero(0, 0, 0);
            writeReaction(reaction, startForce, zero, zero, Vector3(normal, 0, 0), zero, zero);
        }
        CalcNForce& published = target.forces->uncheckedAt(member.index);
        published.force = startForce;
        published.axialForce = normal;

        addTo(jointForces[member.start], startForce.x, startForce.y, startForce.z);
        addTo(jointForces[member.end], -startForce.x, -startForce.y, -startForce.z);
        check += normal;
    }
    zeroSkippedForces(model, *target.forces);
    for (const uint32_t index : model.skippedMembers)
        target.reactions->uncheckedAt(index).setDefaults();

    const double damping = 1.0 - parameters.drag;
    const uint32_t count = model.jointCount();
    for (uint32_t index = 0; index < count; ++index)
    {
        const PreparedJoint& joint = model.joints[index];
        Vector3& displacement = to.displacements[index];
        Vector3& velocity = to.velocities[index];
        check += translateJoint(model, index, jointForces[index], parameters.g, damping, parameters.timeBase,
                                Floor{false, 0.0}, from.displacements[index], from.velocities[index], displacement,
                                velocity, report);

        target.displacements->uncheckedAt(index).displacement = displacement;
        CalcJointV& published = target.velocities->uncheckedAt(index);
        published.velocity = velocity;
        const Vector3 moment = takeSum(jointMoments[index]);
        if (joint.rotates)
        {
            Vector3& angularVelocity = to.angularVelocities[index];
            Matrix3x3& turn = to.reorientations[index];
            angularVelocity = scaled(from.angularVelocities[index], damping);
            angularVelocity += scaled(moment, parameters.timeBase / joint.rotationalInertia);
            Matrix3x3 step;
            setRotationOf(step, angularVelocity);
            multiplyInto(turn, step, from.reorientations[index]);
            turn.orthonormalize();
            report.outOfBalanceMoment = std::max(report.outOfBalanceMoment, dot(moment, moment));
            check += angularVelocity.x + angularVelocity.y + angularVelocity.z;
            published.angularVelocity = angularVelocity;
            target.reorientations->uncheckedAt(index).rotation = turn;
            continue;
        }
        published.angularVelocity.setZero();
        if (!restingSide)
        {
            to.angularVelocities[index].setZero();
            to.reorientations[index].setIdentity();
        }
        if (!restingReorientations)
            target.reorientations->uncheckedAt(index).rotation.setIdentity();
    }
    state.restingSides[1 - state.source] = true;
    if (finish(report, check).finite)
        advanceState(state, target);
    return report;
}

} // namespace lumbra
