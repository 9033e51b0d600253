#include "Lumbra/CalculationMenuItems.h"

#include "Lumbra/MenuItemImages.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginCalculator.h"
#include "platform/CommandRouting.h"

namespace lumbra
{

namespace
{

// The view's document interface with its active calculator; both null when either is missing.
struct ActiveCalculation
{
    MAI_Doc* documentInterface = nullptr;
    VornPluginCalculator* calculator = nullptr;

    explicit ActiveCalculation(MAI_View* view)
    {
        MAI_Doc* document = documentInterfaceOf(view);
        VornPluginCalculator* active = document != nullptr ? document->getActiveCalculator() : nullptr;
        if (active == nullptr)
            return;
        documentInterface = document;
        calculator = active;
    }

    VornDocument* document() const { return &documentInterface->document; }
    // An iterating calculator at work; a single-run calculator never counts as running.
    bool isRunning() const
    {
        return calculator != nullptr && !calculator->isSingleRun() &&
            calculator->getCalculationState(document()) == VornPluginCalculator::Running;
    }
};

} // namespace

PluginMenuItemCalculate::PluginMenuItemCalculate()
    : LumbraMenuItem({"Calculate", "&Calculate\\&Calculate", "Calculate", MenuItemImage::Calculate, nullptr,
                      "Calculate Menu Item"},
                     true)
{
}

void PluginMenuItemCalculate::execute(MAI_View* activeView)
{
    const ActiveCalculation active(activeView);
    if (active.calculator == nullptr)
        return;
    if (active.isRunning())
        active.calculator->stopCalculation(active.document());
    else
        active.calculator->startCalculation(active.document());
}

void PluginMenuItemCalculate::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    const ActiveCalculation active(activeView);
    commandUI->Enable(active.calculator != nullptr);
    // Shown pressed while a calculation runs.
    commandUI->SetCheck(active.isRunning() ? 1 : 0);
}

PluginMenuItemResetCalculation::PluginMenuItemResetCalculation()
    : LumbraMenuItem({"Reset Calculation", "&Calculate\\&Reset", "Reset Calculation", MenuItemImage::ResetCalculation,
                      nullptr, "Reset Calculation Menu Item"},
                     true)
{
}

void PluginMenuItemResetCalculation::execute(MAI_View* activeView)
{
    const ActiveCalculation active(activeView);
    if (active.isRunning())
        active.calculator->resetCalculation(active.document());
}

void PluginMenuItemResetCalculation::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    commandUI->Enable(ActiveCalculation(activeView).isRunning());
}

PluginMenuItemSelectCalculationMethod::PluginMenuItemSelectCalculationMethod(VornPluginCalculator* calculator,
                                                                             const char* menuPath)
    : LumbraMenuItem({nullptr, nullptr, nullptr, 0, nullptr, "SelectCalculationMethod"}, false),
      calculator(calculator),
      path(menuPath != nullptr ? menuPath : "")
{
    // The name, path and button text are all the menu path, which this item keeps itself.
    texts.name = texts.menuPath = texts.buttonText = path.c_str();
}

void PluginMenuItemSelectCalculationMethod::execute(MAI_View* activeView)
{
    if (calculator == nullptr || mai == nullptr || mai->activeDocument == nullptr)
        return;
    mai->activeDocument->setActiveCalculator(calculator);
}

void PluginMenuItemSelectCalculationMethod::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (calculator == nullptr || document == nullptr)
    {
        commandUI->Enable(false);
        return;
    }
    commandUI->Enable(true);
    commandUI->SetRadio(document->getActiveCalculator() == calculator);
}

} // namespace lumbra
