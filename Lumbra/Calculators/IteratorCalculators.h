#pragma once

#include "Lumbra/Calculation/IterationKernels.h"
#include "Lumbra/Calculation/PreparedModel.h"
#include "Lumbra/Calculators/DocItemCalc.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginDialog.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace lumbra
{

// What tells the four calculators apart to the user and to the host.
struct CalculatorIdentity
{
    const char* name;
    const char* description;
    const char* aboutText;
    const char* aboutCaption;
    const char* itemKey;
    const char* methodMenuPath;
    const char* packagingThrower;
    const CalculatorResultType* resultTypes;
};

// The latest statistics of a run, written by the worker and read by the setup pages.
struct IterationStatistics
{
    std::atomic<double> outOfBalanceForce{0};
    std::atomic<double> outOfBalanceMoment{0};
    // Auto basic: the summed joint stiffness the step was taken from, and the factor it gave.
    std::atomic<double> biggestStiffness{0};
    std::atomic<double> usedFactor{0};

    void record(const IterationReport& report);
    void clear();
};

// A calculator's item with its parameters, which the setup pages change while the worker reads
// them (each read and write takes a small mutex, so a value is never half old and half new), and
// the prepared model its kernel steps over, rebuilt whenever the model may have changed.
template <class Parameters>
class KernelItem : public DocItemCalc
{
public:
    using DocItemCalc::DocItemCalc;
    ~KernelItem() override { shutDownWorker(); }

    Parameters parameters() const
    {
        std::lock_guard guard(parametersMutex_);
        return parameters_;
    }
    template <class Change>
    void changeParameters(Change change)
    {
        std::lock_guard guard(parametersMutex_);
        change(parameters_);
    }

    IterationStatistics statistics;

protected:
    void clearStatistics() override { statistics.clear(); }
    // Rebuilds the prepared model, and so has its working state loaded from the result lists again,
    // when the model or the lists may have changed; false when the document lacks the model lists.
    bool prepare(VornDocument& document, bool modelChanged);
    // Records the report; a value that is not finite ends the run with a message.
    IterationOutcome conclude(const IterationReport& report);

    PreparedModel model_;
    IterationScratch scratch_;

private:
    mutable std::mutex parametersMutex_;
    Parameters parameters_;
};

// The Full and Velocity items also keep the drag last typed on their setup page: the damping is
// switched off there by a drag of 0 and switched on again by this value.
template <class Kernel>
struct DampedParameters : Kernel
{
    double dragValue = Kernel{}.drag;
};

class BasicIteratorItem final : public KernelItem<BasicParameters>
{
public:
    BasicIteratorItem();
    ~BasicIteratorItem() override { shutDownWorker(); }

private:
    IterationOutcome iterate(VornDocument& document, ResultStore& results, bool modelChanged) override;
};

class AutoBasicIteratorItem final : public KernelItem<AutoBasicParameters>
{
public:
    AutoBasicIteratorItem();
    ~AutoBasicIteratorItem() override { shutDownWorker(); }

private:
    IterationOutcome iterate(VornDocument& document, ResultStore& results, bool modelChanged) override;
};

class VelocityIteratorItem final : public KernelItem<DampedParameters<VelocityParameters>>
{
public:
    VelocityIteratorItem();
    ~VelocityIteratorItem() override { shutDownWorker(); }

private:
    IterationOutcome iterate(VornDocument& document, ResultStore& results, bool modelChanged) override;
};

class FullIteratorItem final : public KernelItem<DampedParameters<FullParameters>>
{
public:
    FullIteratorItem();
    ~FullIteratorItem() override { shutDownWorker(); }

private:
    IterationOutcome iterate(VornDocument& document, ResultStore& results, bool modelChanged) override;
    const char* resultsBoxName() const override { return "FullIterator.getResults"; }
};

// A calculator plugin: every operation finds the calculator's item in the document (making it
// with its defaults when the operation needs one) and lets the item's run control do the work.
class IteratorCalculator : public VornPluginCalculator
{
public:
    const char* getName() override { return identity_.name; }
    const char* getDescription() override { return identity_.description; }
    void about(PluginWindowHandle* parent) override;
    bool isSingleRun() override { return false; }
    // 0: the Calculate menu's item that selects this method; 1: its page of the setup dialog.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    int32_t startCalculation(VornDocument* document) override;
    int32_t resetCalculation(VornDocument* document) override;
    int32_t stopCalculation(VornDocument* document) override;
    int32_t getCalculationState(VornDocument* document) override;
    BlockListBase* getResults(MAI_Doc* document, int32_t resultId, int32_t stamp) override;
    const CalculatorResultType* getResultTypes() override { return identity_.resultTypes; }

    // The calculator's item in the document, or null.
    DocItemCalc* findItem(VornDocument& document) const;
    // The same, made with the calculator's defaults when the document has none.
    DocItemCalc& itemOf(VornDocument& document);

protected:
    explicit IteratorCalculator(const CalculatorIdentity& identity) : identity_(identity) {}
    virtual std::unique_ptr<DocItemCalc> makeItem() const = 0;
    // A new setup page for this calculator; null when memory runs out.
    virtual CalculatorSetupPage* makeSetupPage() = 0;

private:
    const CalculatorIdentity& identity_;
};

template <class Item>
class IteratorCalculatorOf : public IteratorCalculator
{
public:
    using IteratorCalculator::IteratorCalculator;

protected:
    std::unique_ptr<DocItemCalc> makeItem() const override { return std::make_unique<Item>(); }
};

class PluginCalculatorBasicIterator final : public IteratorCalculatorOf<BasicIteratorItem>
{
public:
    PluginCalculatorBasicIterator();

protected:
    CalculatorSetupPage* makeSetupPage() override;
};

class PluginCalculatorAutoBasicIterator final : public IteratorCalculatorOf<AutoBasicIteratorItem>
{
public:
    PluginCalculatorAutoBasicIterator();

protected:
    CalculatorSetupPage* makeSetupPage() override;
};

class PluginCalculatorVelocityIterator final : public IteratorCalculatorOf<VelocityIteratorItem>
{
public:
    PluginCalculatorVelocityIterator();

protected:
    CalculatorSetupPage* makeSetupPage() override;
};

class PluginCalculatorFullIterator final : public IteratorCalculatorOf<FullIteratorItem>
{
public:
    PluginCalculatorFullIterator();

protected:
    CalculatorSetupPage* makeSetupPage() override;
};

} // namespace lumbra
