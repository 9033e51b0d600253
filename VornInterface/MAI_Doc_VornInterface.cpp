#include "VornInterface/MAI_Doc_VornInterface.h"

#include "platform/SystemValues.h"
#include "plugins/VornPluginCalculator.h"
#include "__globalobjectdevice/NotificationChannels.h"

MAI_Doc_VornInterface::MAI_Doc_VornInterface(MAI* mai, CVornInterfaceDoc* owner) : MAI_Doc(mai), ownerDocument(owner)
{
    if (mai != nullptr)
        activeCalculator = static_cast<VornPluginCalculator*>(mai->pluginLists.calculators);
}

MAI_Doc_VornInterface::~MAI_Doc_VornInterface()
{
    stopCalculation();
}

bool MAI_Doc_VornInterface::isCalculating()
{
    return activeCalculator != nullptr &&
        activeCalculator->getCalculationState(&document) == VornPluginCalculator::Running;
}

bool MAI_Doc_VornInterface::stopCalculation()
{
    if (!isCalculating())
        return true;
    return activeCalculator->stopCalculation(&document) == 0;
}

void MAI_Doc_VornInterface::setActiveCalculator(VornPluginCalculator* calculator)
{
    if (calculator == activeCalculator)
        return;
    if (isCalculating())
    {
        if (mai->messageBox("Can't switch calculation method\nwhile the Calculation Process is Running.\n"
                            "Should the current process be stopped?",
                            "Shut down calculation?",
                            platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
            return;
        if (!stopCalculation())
        {
            mai->messageBox("The active calculator does not shutdown",
                            "Error in MAI_Doc_VornInterface::setActiveCalculator", platform::MB_ICONEXCLAMATION);
            return;
        }
    }
    activeCalculator = calculator;
    mai->notifierRegistry.notify(Channel::ActiveCalculatorChanged, nullptr);
}

void MAI_Doc_VornInterface::invalidateViews()
{
    for (MAI_View* view = views; view != nullptr; view = view->nextView)
        view->invalidate(false);
}

void stopAllCalculations(MAI& mai)
{
    for (MAI_Doc* document = mai.documents; document != nullptr; document = document->nextDocument)
        static_cast<MAI_Doc_VornInterface*>(document)->stopCalculation();
}
