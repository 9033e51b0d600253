#pragma once

// Runs of the iteration kernels on a prepared model, with two lists of each result kind that swap
// their roles after every iteration as run control's lists do.

#include <cstdint>

#include "BlockLists/BlockList.h"
#include "Lumbra/Calculation/IterationKernels.h"

template <class T>
struct ListPair
{
    explicit ListPair(uint32_t count)
    {
        for (BlockList<T>& list : lists)
            for (uint32_t index = 0; index < count; ++index)
                list.add();
    }
    BlockList<T> lists[2]{BlockList<T>("first"), BlockList<T>("second")};
};

struct CalculationLists
{
    explicit CalculationLists(const lumbra::PreparedModel& model)
        : displacements(model.jointCount()),
          forces(model.memberCount()),
          velocities(model.jointCount()),
          reorientations(model.jointCount()),
          reactions(model.memberCount())
    {
    }

    lumbra::FullLists<false> source() { return lists<false>(current); }
    lumbra::FullLists<true> target() { return lists<true>(1 - current); }
    void swap() { current = 1 - current; }

    template <bool Target>
    lumbra::FullLists<Target> lists(int side)
    {
        lumbra::FullLists<Target> view;
        view.displacements = &displacements.lists[side];
        view.forces = &forces.lists[side];
        view.velocities = &velocities.lists[side];
        view.reorientations = &reorientations.lists[side];
        view.reactions = &reactions.lists[side];
        return view;
    }

    ListPair<CalcDisplacement> displacements;
    ListPair<CalcNForce> forces;
    ListPair<CalcJointV> velocities;
    ListPair<CalcReorientation> reorientations;
    ListPair<CalcMReaction> reactions;
    int current = 0;
};

enum class Calculator
{
    Basic,
    AutoBasic,
    Velocity,
    Full
};

struct KernelSettings
{
    lumbra::BasicParameters basic;
    lumbra::AutoBasicParameters autoBasic;
    lumbra::VelocityParameters velocity;
    lumbra::FullParameters full;
};

// One iteration of the calculator from the current source into the target; the lists swap when the
// iteration's values are finite.
inline lumbra::IterationReport iterateOnce(Calculator calculator, lumbra::PreparedModel& model,
                                           const KernelSettings& settings, CalculationLists& lists,
                                           lumbra::IterationScratch& scratch)
{
    lumbra::IterationReport report;
    switch (calculator)
    {
    case Calculator::Basic:
        report = lumbra::iterateBasic(model, settings.basic, lists.source(), lists.target(), scratch);
        break;
    case Calculator::AutoBasic:
        report = lumbra::iterateAutoBasic(model, settings.autoBasic, lists.source(), lists.target(), scratch);
        break;
    case Calculator::Velocity:
        report = lumbra::iterateVelocity(model, settings.velocity, lists.source(), lists.target(), scratch);
        break;
    case Calculator::Full:
        report = lumbra::iterateFull(model, settings.full, lists.source(), lists.target(), scratch);
        break;
    }
    if (report.finite)
        lists.swap();
    return report;
}

inline const char* calculatorName(Calculator calculator)
{
    switch (calculator)
    {
    case Calculator::Basic:
        return "Basic";
    case Calculator::AutoBasic:
        return "AutoBasic";
    case Calculator::Velocity:
        return "Velocity";
    case Calculator::Full:
        return "Full";
    }
    return "";
}
