#pragma once

#include "Lumbra/LumbraMenuItem.h"

#include <string>

class VornPluginCalculator;

namespace lumbra
{

// "&Calculate\&Calculate": starts the document's active calculator, or stops it while it runs.
class PluginMenuItemCalculate : public LumbraMenuItem
{
public:
    PluginMenuItemCalculate();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// "&Calculate\&Reset": resets the running calculation of the document.
class PluginMenuItemResetCalculation : public LumbraMenuItem
{
public:
    PluginMenuItemResetCalculation();
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// One calculation method of the Calculate menu: makes its calculator the active one of the
// application's active document. Each calculator packages one with its own menu path.
class PluginMenuItemSelectCalculationMethod : public LumbraMenuItem
{
public:
    PluginMenuItemSelectCalculationMethod(VornPluginCalculator* calculator, const char* menuPath);
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

private:
    VornPluginCalculator* calculator;
    std::string path;
};

} // namespace lumbra
