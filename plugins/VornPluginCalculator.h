#pragma once

#include "plugins/VornPlugin.h"

class BlockListBase;
class MAI_Doc;
class VornDocument;

// One kind of result a calculator offers; a table of them ends with {nullptr, 0}.
struct CalculatorResultType
{
    const char* name;
    int32_t id;
};

// An iterative calculator ("Calculator").
class VornPluginCalculator : public VornPlugin
{
public:
    // The calculation state that means "running".
    static constexpr int32_t Running = 2;

    const char* getTypeName() override;
    virtual bool isSingleRun() = 0;
    // The start, reset and stop answer 0 when done and nonzero when not.
    virtual int32_t startCalculation(VornDocument* document);
    virtual int32_t resetCalculation(VornDocument* document);
    virtual int32_t stopCalculation(VornDocument* document);
    virtual int32_t getCalculationState(VornDocument* document) = 0;
    // Publishes the latest completed iteration of the document's calculation and answers the
    // published list of the asked result kind, or null. `stamp` is the caller's tick count.
    virtual BlockListBase* getResults(MAI_Doc* document, int32_t resultId, int32_t stamp);
    virtual const CalculatorResultType* getResultTypes();
};
