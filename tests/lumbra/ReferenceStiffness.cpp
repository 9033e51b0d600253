#include "tests/lumbra/ReferenceStiffness.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"

DenseSymmetricSolver::DenseSymmetricSolver(std::vector<double> matrix, size_t size) : n(size), factors(std::move(matrix))
{
    double largest = 0;
    for (size_t i = 0; i < n; ++i)
        largest = std::max(largest, std::abs(factors[i * n + i]));
    const double vanishing = largest * 1e-11;
    for (size_t j = 0; j < n; ++j)
    {
        double d = factors[j * n + j];
        for (size_t k = 0; k < j; ++k)
            d -= factors[j * n + k] * factors[j * n + k] * factors[k * n + k];
        if (std::abs(d) <= vanishing)
        {
            factors[j * n + j] = 0;
            for (size_t i = j + 1; i < n; ++i)
                factors[i * n + j] = 0;
            continue;
        }
        factors[j * n + j] = d;
        for (size_t i = j + 1; i < n; ++i)
        {
            double value = factors[i * n + j];
            for (size_t k = 0; k < j; ++k)
                value -= factors[i * n + k] * factors[j * n + k] * factors[k * n + k];
            factors[i * n + j] = value / d;
        }
    }
}

std::vector<double> DenseSymmetricSolver::solve(std::vector<double> x) const
{
    for (size_t i = 0; i < n; ++i)
        for (size_t k = 0; k < i; ++k)
            x[i] -= factors[i * n + k] * x[k];
    for (size_t i = 0; i < n; ++i)
        x[i] = factors[i * n + i] == 0.0 ? 0.0 : x[i] / factors[i * n + i];
    for (size_t i = n; i-- > 0;)
        for (size_t k = i + 1; k < n; ++k)
            x[i] -= factors[k * n + i] * x[k];
    return x;
}

namespace
{
using Element = std::array<std::array<double, 12>, 12>;

// The 12 x 12 stiffness of a beam in its own axes: per end u, v, w, turn about x, y, z.
Element beamStiffness(double length, double ea, double eix, double eiy, double gj)
{
    Element k{};
    const auto put = [&k](int i, int j, double value) { k[i][j] = k[j][i] = value; };
    const double l = length, l2 = l * l, l3 = l2 * l;
    put(0, 0, ea / l), put(6, 6, ea / l), put(0, 6, -ea / l);
    put(3, 3, gj / l), put(9, 9, gj / l), put(3, 9, -gj / l);
    // Deflection along y, turning about z: E·Iy.
    put(1, 1, 12 * eiy / l3), put(1, 5, 6 * eiy / l2), put(1, 7, -12 * eiy / l3), put(1, 11, 6 * eiy / l2);
    put(5, 5, 4 * eiy / l), put(5, 7, -6 * eiy / l2), put(5, 11, 2 * eiy / l);
    put(7, 7, 12 * eiy / l3), put(7, 11, -6 * eiy / l2), put(11, 11, 4 * eiy / l);
    // Deflection along z, turning about y: E·Ix.
    put(2, 2, 12 * eix / l3), put(2, 4, -6 * eix / l2), put(2, 8, -12 * eix / l3), put(2, 10, -6 * eix / l2);
    put(4, 4, 4 * eix / l), put(4, 8, 6 * eix / l2), put(4, 10, 2 * eix / l);
    put(8, 8, 12 * eix / l3), put(8, 10, 6 * eix / l2), put(10, 10, 4 * eix / l);
    return k;
}

// Releases the three turns of one end (first index 3 or 9) by static condensation.
void releaseEnd(Element& k, int first)
{
    for (int c = first; c < first + 3; ++c)
    {
        const double pivot = k[c][c];
        if (pivot == 0.0)
            continue;
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j)
                if (i != c && j != c)
                    k[i][j] -= k[i][c] * k[c][j] / pivot;
        for (int i = 0; i < 12; ++i)
            k[i][c] = k[c][i] = 0;
    }
}

Vector3 times(const Matrix3x3& m, Vector3 v)
{
    m.transform(v);
    return v;
}

Vector3 timesTransposed(const Matrix3x3& m, Vector3 v)
{
    m.transformTransposed(v);
    return v;
}
} // namespace

ReferenceSolution solveReference(const BlockList<VornJoint>& joints, const BlockList<VornMember>& members,
                                 const ReferenceOptions& options)
{
    const size_t jointCount = joints.getCount();
    const size_t n = 6 * jointCount;
    std::vector<double> stiffness(n * n, 0.0);
    std::vector<double> mass(jointCount, 0.0), inertia(jointCount, 0.0), axial(jointCount, 0.0);
    const double k = options.eFactor;

    for (uint32_t index = 0; index < members.getCount(); ++index)
    {
        const VornMember& member = members[index];
        const VornJoint* start = member.getStartJoint();
        const VornJoint* end = member.getEndJoint();
        const double length = member.getLength();
        if (!start || !end || !(length > 0.0))
            continue;
        const size_t s = BlockList<VornJoint>::getIndex(start), e = BlockList<VornJoint>::getIndex(end);
        const double e0 = member.getE() * k;
        Element local = beamStiffness(length, member.getEA() * k, e0 * member.getIx(), e0 * member.getIy(),
                                      member.getGJ() * k);
        const bool rigidStart = options.bending && start->isRigid();
        const bool rigidEnd = options.bending && end->isRigid();
        if (!rigidStart)
            releaseEnd(local, 3);
        if (!rigidEnd)
            releaseEnd(local, 9);
        if (!rigidStart && !rigidEnd)
        {
            // A bar: the released turns leave shear stiffness nowhere, only the axial terms.
            for (auto& row : local)
                row.fill(0.0);
            const double axialStiffness = member.getEA() * k / length;
            local[0][0] = local[6][6] = axialStiffness;
            local[0][6] = local[6][0] = -axialStiffness;
        }
        // Global = Tᵀ·local·T with T = the member frame on each of the four blocks.
        const Matrix3x3& frame = member.getFrame();
        const auto t = [&frame](int i, int j) { return i / 3 == j / 3 ? frame(i % 3, j % 3) : 0.0; };
        Element global{};
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j)
            {
                double value = 0;
                for (int a = i / 3 * 3; a < i / 3 * 3 + 3; ++a)
                    for (int b = j / 3 * 3; b < j / 3 * 3 + 3; ++b)
                        value += t(a, i) * local[a][b] * t(b, j);
                global[i][j] = value;
            }
        const size_t dofs[2] = {6 * s, 6 * e};
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j)
                stiffness[(dofs[i / 6] + i % 6) * n + dofs[j / 6] + j % 6] += global[i][j];
        const double half = member.getHalfMassPerLength() * length;
        for (const size_t joint : {s, e})
        {
            mass[joint] += half;
            inertia[joint] += half * length * length / 3.0;
            axial[joint] += member.getEA() / length;
        }
    }

    std::vector<double> load(n, 0.0);
    std::vector<bool> fixed(n, false);
    for (size_t j = 0; j < jointCount; ++j)
    {
        const VornJoint& joint = joints[j];
        Vector3 force(0, 0, -mass[j] * options.g);
        for (knot* link = options.appliedForces ? joint.forces.getFirst() : nullptr; link; link = link->getNext())
        {
            const auto* instance = static_cast<const VornForceInstance*>(static_cast<VornBaseObject*>(link->getObject()));
            force += instance->isLocal() ? timesTransposed(joint.getOrientation(), instance->getVector())
                                         : instance->getVector();
        }
        const uint8_t flags = joint.supportFlags;
        const bool local = (flags & JointSupport::LocalAxes) && (flags & 0x07);
        if (local)
        {
            // Translations in the joint's axes: u = Oᵀ·u', so K' = O·K·Oᵀ on those rows and columns.
            const Matrix3x3& o = joint.getOrientation();
            force = times(o, force);
            for (size_t other = 0; other < n; ++other)
            {
                Vector3 row(stiffness[other * n + 6 * j], stiffness[other * n + 6 * j + 1],
                            stiffness[other * n + 6 * j + 2]);
                row = times(o, row);
                for (int c = 0; c < 3; ++c)
                    stiffness[other * n + 6 * j + c] = row[c];
            }
            for (size_t other = 0; other < n; ++other)
            {
                Vector3 column(stiffness[(6 * j) * n + other], stiffness[(6 * j + 1) * n + other],
                               stiffness[(6 * j + 2) * n + other]);
                column = times(o, column);
                for (int c = 0; c < 3; ++c)
                    stiffness[(6 * j + c) * n + other] = column[c];
            }
        }
        for (int c = 0; c < 3; ++c)
            load[6 * j + c] = force[c];
        const bool moves = mass[j] > 0.0 && axial[j] > 0.0;
        const bool turns = moves && options.bending && joint.isRigid() && !joint.isRotationBlocked();
        for (int c = 0; c < 3; ++c)
        {
            fixed[6 * j + c] = !moves || (flags & (1 << c));
            fixed[6 * j + 3 + c] = !turns;
        }
    }

    std::vector<size_t> freeDofs;
    for (size_t i = 0; i < n; ++i)
        if (!fixed[i])
            freeDofs.push_back(i);
    const size_t m = freeDofs.size();
    std::vector<double> reduced(m * m), rightSide(m), scale(m);
    for (size_t a = 0; a < m; ++a)
    {
        rightSide[a] = load[freeDofs[a]];
        const size_t joint = freeDofs[a] / 6;
        scale[a] = 1.0 / std::sqrt(freeDofs[a] % 6 < 3 ? mass[joint] : inertia[joint]);
        for (size_t b = 0; b < m; ++b)
            reduced[a * m + b] = stiffness[freeDofs[a] * n + freeDofs[b]];
    }
    const std::vector<double> answer = DenseSymmetricSolver(reduced, m).solve(rightSide);

    ReferenceSolution solution;
    std::vector<double> full(n, 0.0);
    for (size_t a = 0; a < m; ++a)
        full[freeDofs[a]] = answer[a];
    for (size_t j = 0; j < jointCount; ++j)
    {
        Vector3 displacement(full[6 * j], full[6 * j + 1], full[6 * j + 2]);
        const uint8_t flags = joints[j].supportFlags;
        if ((flags & JointSupport::LocalAxes) && (flags & 0x07))
            displacement = timesTransposed(joints[j].getOrientation(), displacement);
        solution.displacements.push_back(displacement);
        solution.rotations.emplace_back(full[6 * j + 3], full[6 * j + 4], full[6 * j + 5]);
    }
    for (uint32_t index = 0; index < members.getCount(); ++index)
    {
        const VornMember& member = members[index];
        double normal = 0;
        if (member.getStartJoint() && member.getEndJoint() && member.getLength() > 0.0)
        {
            Vector3 relative = solution.displacements[BlockList<VornJoint>::getIndex(member.getEndJoint())];
            relative -= solution.displacements[BlockList<VornJoint>::getIndex(member.getStartJoint())];
            const Vector3& axis = member.getFrame().getRow0();
            normal = member.getEA() * k / member.getLength() *
                (axis.x * relative.x + axis.y * relative.y + axis.z * relative.z);
        }
        solution.normalForces.push_back(normal);
    }

    // The spread of M⁻¹K: power iteration on S = D·K·D (D = M^-1/2) and on its inverse.
    for (size_t a = 0; a < m; ++a)
        for (size_t b = 0; b < m; ++b)
            reduced[a * m + b] *= scale[a] * scale[b];
    const DenseSymmetricSolver scaled(reduced, m);
    const auto powerIteration = [m](auto apply) {
        std::vector<double> v(m);
        for (size_t a = 0; a < m; ++a)
            v[a] = 1.0 + 0.37 * std::sin(1.0 + a);
        double value = 0;
        for (int pass = 0; pass < 500; ++pass)
        {
            std::vector<double> w = apply(v);
            double norm = 0;
            for (const double x : w)
                norm += x * x;
            norm = std::sqrt(norm);
            if (norm == 0.0)
                return 0.0;
            double before = 0;
            for (const double x : v)
                before += x * x;
            value = norm / std::sqrt(before);
            for (size_t a = 0; a < m; ++a)
                v[a] = w[a] / norm;
        }
        return value;
    };
    solution.largestRate = powerIteration([&](const std::vector<double>& v) {
        std::vector<double> w(m, 0.0);
        for (size_t a = 0; a < m; ++a)
            for (size_t b = 0; b < m; ++b)
                w[a] += reduced[a * m + b] * v[b];
        return w;
    });
    const double inverse = powerIteration([&](const std::vector<double>& v) { return scaled.solve(v); });
    solution.smallestRate = inverse > 0.0 ? 1.0 / inverse : 0.0;
    return solution;
}
