#pragma once

// The linear answer of a model by the direct stiffness method, to check the iteration kernels
// against: 3-D Euler-Bernoulli beams (a pinned end releases its moments), or bars alone; the
// supports, the rigid and rotation-blocked joints and the self-weight as the calculators read them.

#include <cstddef>
#include <vector>

#include "BlockLists/BlockList.h"
#include "VornData/VornMath.h"

class VornJoint;
class VornMember;

// A dense symmetric matrix, factored as L·D·Lᵀ. A pivot that vanishes against the matrix's
// largest diagonal entry marks a direction without stiffness, whose answer is 0.
class DenseSymmetricSolver
{
public:
    explicit DenseSymmetricSolver(std::vector<double> matrix, size_t size);
    std::vector<double> solve(std::vector<double> rightSide) const;
    size_t size() const { return n; }

private:
    size_t n;
    std::vector<double> factors; // L below the diagonal, D on it (0 for a vanished pivot)
};

struct ReferenceOptions
{
    double eFactor = 0.1;
    double g = 9.81;
    bool appliedForces = true; // false: self-weight alone
    bool bending = true; // false: every member is a bar, no joint turns
};

struct ReferenceSolution
{
    std::vector<Vector3> displacements;
    std::vector<Vector3> rotations; // rotation vectors
    std::vector<double> normalForces;
    // Smallest and largest eigenvalue of M⁻¹K over the directions that carry stiffness, with the
    // lumped masses and inertias of the kernels: what damped iterations need for their step.
    double smallestRate = 0;
    double largestRate = 0;
};

ReferenceSolution solveReference(const BlockList<VornJoint>& joints, const BlockList<VornMember>& members,
                                 const ReferenceOptions& options);
