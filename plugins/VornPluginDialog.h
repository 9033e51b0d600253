#pragma once

#include "plugins/VornPlugin.h"

class VornPluginMenuItem;

// A dialog docked in a bar of the host ("Dialog").
class VornPluginDialog : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    virtual const char* getWindowTitle() = 0;
    // Integers the host's docking bar reads when it makes the bar, by key (DockInfo); 0 for a
    // key the dialog does not know.
    virtual int32_t getDockInfo(uint32_t key) = 0;

    // The docking bar that carries the window; null until the host made it.
    PluginWindowHandle* barHandle = nullptr;
};

// Keys of VornPluginDialog::getDockInfo.
namespace DockInfo
{
constexpr uint32_t AllowedSides = 0; // framework CBRS_ALIGN_* bits
constexpr uint32_t InitialDockBar = 1; // framework dock bar id
constexpr uint32_t StartHidden = 2; // nonzero: the bar starts hidden
constexpr uint32_t HorizontalSize = 3; // width in the low 16 bits, height in the high 16 bits
constexpr uint32_t VerticalSize = 4; // packed the same way
constexpr uint32_t BarParameter = 5; // passed on when the bar is made
constexpr uint32_t TitleBitmap = 6; // bitmap resource id of the title
constexpr uint32_t FullHeight = 7; // nonzero: use the full height of the work area
constexpr uint32_t MinimumSize = 8; // packed size
constexpr uint32_t MaximumSize = 9; // packed size
} // namespace DockInfo

// A tab page of the main console ("Main Console Page").
class VornPluginMainConsolePage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    // Loads the page's tab bitmap from the plugin's module into the console's image list
    // (mask colour 0xFF00FF) and keeps the index in tabImageIndex.
    virtual void addTabImage(platform::ImageList* imageList) = 0;

    int32_t tabIndex = -1; // the console's tab of this page
    int32_t tabImageIndex = -1; // index of the tab bitmap in the console's image list
    VornPluginMenuItem* pageTool = nullptr; // the tool that choosing the tab makes active; may be null
};

class VornPluginCalculator;

// A page of the calculation setup dialog ("Calculation Setup Page"), packaged by the calculator
// whose settings it edits; the dialog shows the page of the active calculator only.
class CalculatorSetupPage : public VornPluginWindowed
{
public:
    explicit CalculatorSetupPage(VornPluginCalculator* calculator) : calculator(calculator) {}

    const char* getTypeName() override;
    // Makes sure the active document has the calculator's item and shows the item's values.
    virtual void updateSetupPage() = 0;

    VornPluginCalculator* const calculator;
};
