#include "plugins/VornPlugin.h"

#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginFile.h"
#include "plugins/VornPluginMenuItem.h"

#include <cstring>

VornPluginBase::~VornPluginBase() = default;

bool VornPluginBase::isValid()
{
    return true;
}

void VornPluginBase::registerPluginTypes(PluginManager* registry)
{
}

VornPluginBase* VornPluginBase::GetPackagedPlugin(uint32_t index)
{
    return nullptr;
}

void VornPluginBase::registerListeners()
{
}

VornPluginBase* VornPluginBase::setDefault(bool flag)
{
    if (!flag)
    {
        defaultFlag = 0;
        return nullptr;
    }
    defaultFlag = 1;
    VornPluginBase* previousDefault = nullptr;
    auto takeFlag = [&previousDefault](VornPluginBase* other) {
        if (other->defaultFlag != 0)
            previousDefault = other;
        other->defaultFlag = 0;
    };
    for (VornPluginBase* other = prev; other != nullptr; other = other->prev)
        takeFlag(other);
    for (VornPluginBase* other = next; other != nullptr; other = other->next)
        takeFlag(other);
    return previousDefault;
}

const char* VornPlugin::getDescription()
{
    return "This is a plugin of the base class\nof the plugins used in the VornInterface";
}

PluginWindowRequest* VornPlugin::getPropertiesRequest()
{
    return nullptr;
}

bool VornPluginWindowed::activatePlugin(VornPluginBase* plugin)
{
    return false;
}

PluginWindowRequest* VornPluginWindowed::requestWindow(int32_t dialogId)
{
    windowRequest = PluginWindowRequest{dialogId, this, &windowHandle};
    return &windowRequest;
}

const char* VornPluginDialog::getTypeName()
{
    return "Dialog";
}

const char* VornPluginMainConsolePage::getTypeName()
{
    return "Main Console Page";
}

const char* CalculatorSetupPage::getTypeName()
{
    return "Calculation Setup Page";
}

const char* VornPluginMenuItem::getTypeName()
{
    return "Standard MenuItem";
}

const char* VornPluginMenuItem::getMenuPath()
{
    return nullptr;
}

const char* VornPluginMenuItem::getMenuText()
{
    const char* path = getMenuPath();
    if (path == nullptr)
        return nullptr;
    const char* lastBackslash = std::strrchr(path, '\\');
    return lastBackslash == nullptr ? path : lastBackslash + 1;
}

const char* VornPluginMenuItem::getAuxiliaryText()
{
    return nullptr;
}

const char* VornPluginMenuItem::getButtonText()
{
    return getName();
}

const char* VornPluginMenuItem::getToolTipText()
{
    return getButtonText();
}

platform::CursorHandle VornPluginMenuItem::getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    return platform::CursorHandle{};
}

int32_t VornPluginMenuItem::getBitmapID()
{
    return 0;
}

platform::ToolbarButton* VornPluginMenuItem::getButton()
{
    return &button;
}

const char* VornPluginMenuItem::getToolbarName()
{
    return nullptr;
}

void VornPluginMenuItem::activate(bool active)
{
}

bool VornPluginMenuItem::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    return false;
}

const char* VornPluginToolbar::getTypeName()
{
    return "Toolbar";
}

int32_t VornPluginToolbar::getDockAlignment()
{
    return 0;
}

int32_t VornPluginToolbar::getDockBarID()
{
    return 0;
}

bool VornPluginToolbar::isVisibleByDefault()
{
    return true;
}

const char* VornPluginFileImport::getTypeName()
{
    return "File Import";
}

const char* VornPluginFileExport::getTypeName()
{
    return "File Export";
}

const char* VornPluginCalculator::getTypeName()
{
    return "Calculator";
}

int32_t VornPluginCalculator::startCalculation(VornDocument* document)
{
    return 3;
}

int32_t VornPluginCalculator::resetCalculation(VornDocument* document)
{
    return 3;
}

int32_t VornPluginCalculator::stopCalculation(VornDocument* document)
{
    return 3;
}

BlockListBase* VornPluginCalculator::getResults(MAI_Doc* document, int32_t resultId, int32_t stamp)
{
    return nullptr;
}

const CalculatorResultType* VornPluginCalculator::getResultTypes()
{
    static const CalculatorResultType noResults[] = {{nullptr, 0}};
    return noResults;
}
