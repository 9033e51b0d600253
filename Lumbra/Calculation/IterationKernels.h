#pragma once

// One iteration of each calculator as a function of the prepared model, the calculator's parameters
// and the source results, writing the target results. The functions take no lock, start no thread
// and touch nothing else: run control calls them under the document lock and rotates the lists
// afterwards, unless the report says that a value came out non-finite (the run then stops and the
// source lists keep the last finite iteration).
//
// The kernels step over the prepared model's working state, which mirrors the source lists: they
// read the source lists only when the state does not mirror them (see WorkingState), so whoever
// writes the lists between iterations builds the prepared model again or forgets its state. Every
// target element is written in every iteration, except what a reaction list that the state knows
// holds already: the zero moments and shear of members without a rigid end. The lists must have
// one element per joint or member of the prepared model.

#include <cstdint>
#include <type_traits>
#include <vector>

#include "BlockLists/BlockList.h"
#include "Lumbra/Calculation/PreparedModel.h"
#include "VornData/CalcResults.h"

namespace lumbra
{

struct BasicParameters
{
    double inverseDisplacementFactor = 1e9; // the step is its inverse
    double eFactor = 0.1;
    double g = 9.81;
};

struct AutoBasicParameters
{
    bool automatic = true; // the step from the stiffest joint, else 1 / factor
    double factor = 1e9;
    double factorBase = 2.5;
    double eFactor = 0.1;
    double g = 9.81;
};

struct VelocityParameters
{
    double eFactor = 0.01;
    double g = 9.81;
    double timeBase = 1e-6;
    double drag = 0.001;
    bool floorEnabled = false;
    double floorHeight = 0.0;
};

struct FullParameters
{
    double eFactor = 0.1;
    double g = 9.81;
    double timeBase = 1e-8;
    double drag = 0.01;
};

// Displacements and normal forces: what the Basic and Auto basic iterators read and write.
template <bool Target>
struct AxialLists
{
    template <class T>
    using List = std::conditional_t<Target, BlockList<T>, const BlockList<T>>;
    List<CalcDisplacement>* displacements = nullptr;
    List<CalcNForce>* forces = nullptr;
};

// The Velocity iterator adds the joint velocities.
template <bool Target>
struct VelocityLists : AxialLists<Target>
{
    typename AxialLists<Target>::template List<CalcJointV>* velocities = nullptr;
};

// The Full iterator adds the reorientations and the member reactions.
template <bool Target>
struct FullLists : VelocityLists<Target>
{
    typename AxialLists<Target>::template List<CalcReorientation>* reorientations = nullptr;
    typename AxialLists<Target>::template List<CalcMReaction>* reactions = nullptr;
};

struct IterationReport
{
    // False when a value came out non-finite (or the lists do not match the model): the targets are
    // not to be used.
    bool finite = true;
    // The largest out-of-balance force (and, for the Full iterator, moment) at a joint, over the
    // directions in which the joint may move: how far the iteration is from equilibrium.
    double outOfBalanceForce = 0;
    double outOfBalanceMoment = 0;
    // Auto basic iterator: the stiffness the step was taken from (the largest sum of EA·E-factor / L0
    // at a joint) and, while automatic, that times the factor base.
    double biggestStiffness = 0;
    double usedFactor = 0;
};

// What the member pass leaves for the joint pass, per joint: the sums of its members' forces and
// moments on it. The joint pass reads them and sets them back to zero; kept between iterations so
// that they allocate nothing.
struct IterationScratch
{
    std::vector<Vector3> forces;
    std::vector<Vector3> moments;
};

IterationReport iterateBasic(PreparedModel& model, const BasicParameters& parameters, const AxialLists<false>& source,
                             const AxialLists<true>& target, IterationScratch& scratch);

IterationReport iterateAutoBasic(PreparedModel& model, const AutoBasicParameters& parameters,
                                 const AxialLists<false>& source, const AxialLists<true>& target,
                                 IterationScratch& scratch);

IterationReport iterateVelocity(PreparedModel& model, const VelocityParameters& parameters,
                                const VelocityLists<false>& source, const VelocityLists<true>& target,
                                IterationScratch& scratch);

IterationReport iterateFull(PreparedModel& model, const FullParameters& parameters, const FullLists<false>& source,
                            const FullLists<true>& target, IterationScratch& scratch);

} // namespace lumbra
