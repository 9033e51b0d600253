#pragma once

// The pagettes of the console's CrossSections page: the cross-section's colour, its five section
// values and its shape, and the parameters of its shape. Both work on the current element of the
// active document's list "VornCrossSection"; every edit is applied at once, under the document
// lock, re-applies the cross-section's shape and is announced on "CRSCH".

#include "Lumbra/SectionPages/PageSupport.h"
#include "platform/ComboBox.h"
#include "platform/Dialog.h"
#include "plugins/VornPlugin.h"
#include "uikit/ColorButton.h"
#include "uikit/DialogNumbers.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <array>
#include <cstdint>
#include <memory>

class VornCrossSection;
class VornPluginShape;

namespace lumbra
{

class PluginCrossSectionPageShapeProperties;
class CPageCrossSectionProperties;
class CPageCrossSectionShapeProperties;

using CrossSectionPropertiesLink = PageRowLink<CPageCrossSectionProperties>;
using ShapePropertiesLink = PageRowLink<CPageCrossSectionShapeProperties>;

// The window of the CrossSection Properties pagette (dialog 149). Rows 0 to 4 are area, Ix, Iy,
// Ixy and J. The values are read-only while the shape computes them (a shape with parameters).
class CPageCrossSectionProperties : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 149;
    static constexpr int32_t frameId = 1115;
    static constexpr int32_t colourId = 1018;
    static constexpr int32_t shapeListId = 1127;
    static constexpr int32_t rows = 5;
    static constexpr std::array<int32_t, rows> editIds{1114, 1113, 1102, 1104, 1103};
    static constexpr std::array<int32_t, rows> spinnerIds{1110, 1111, 1112, 1117, 1116};

    CPageCrossSectionProperties(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageCrossSectionProperties() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // Shows the cross-section, or disables everything without one.
    void refresh(VornCrossSection* crossSection);

    // The spin buttons' links: a spin starts from the cross-section's own value and applies
    // every change.
    void beginSpin(int32_t row);
    void spun(int32_t row);

    CDoubleSpinner& spinner(int32_t row) { return *spinners[static_cast<size_t>(row)]; }

    CPagetteButton frame;
    CColorButton colourButton;
    platform::ComboBox shapeList;
    std::array<double, rows> values{};
    uint32_t colour = CColorButton::defaultColour;

private:
    VornCrossSection* current() const;
    MAI* mai() const;
    void fillShapeList();
    void valueTyped(int32_t row);
    void editLeft(int32_t row);
    // Sets values[row] on the cross-section, re-applies its shape and announces the value.
    void applyValue(VornCrossSection* crossSection, int32_t row);
    void colourClicked();
    void shapeChosen();

    VornPluginWindowed* plugin;
    FocusedNumberField focusedField;
    int32_t sendingRow = -1; // the row whose change is being announced: its text stays as typed
    std::array<std::unique_ptr<CrossSectionPropertiesLink>, rows> links;
    std::array<std::unique_ptr<CDoubleSpinner>, rows> spinners;
};

// The window of the CrossSection Shape Properties pagette (dialog 174): ten rows of a label, an
// edit with its spin button, or a check box for a flag; only the shape's rows are shown.
class CPageCrossSectionShapeProperties : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 174;
    static constexpr int32_t frameId = 1086;
    static constexpr int32_t noPropertiesId = 1200;
    static constexpr int32_t rows = 10;
    static constexpr std::array<int32_t, rows> editIds{1143, 1179, 1145, 1146, 1147, 1148, 1149, 1150, 1151, 1152};
    static constexpr int32_t labelId(int32_t row) { return 1180 + 2 * row; }
    static constexpr int32_t checkId(int32_t row) { return 1168 + row; }
    static constexpr int32_t spinnerId(int32_t row) { return 1181 + 2 * row; }
    // Where row k stands and how high its edit, check box and spin button are, in pixels: the
    // unfolded page is 24 pixels a row high.
    static constexpr int32_t rowTop(int32_t row) { return 22 + 24 * row; }
    static constexpr int32_t rowHeight = 20;

    CPageCrossSectionShapeProperties(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageCrossSectionShapeProperties() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

    // Shows the shape's rows and sets the pagette's unfolded height for them.
    void layOutRows(VornPluginShape* shape);
    // Shows the cross-section's parameters in every row but `changedRow`, ticks the flags and
    // enables the rows the shape lets edit.
    void showValues(VornCrossSection* crossSection, int32_t changedRow);

    void beginSpin(int32_t row);
    void spun(int32_t row);
    // The section changed by other means than typing (a spin, a click, another page): typing
    // under way goes on from the section as it is now.
    void changedElsewhere(VornCrossSection* crossSection);

    CDoubleSpinner& spinner(int32_t row) { return *spinners[static_cast<size_t>(row)]; }

    CPagetteButton frame;
    std::array<double, rows> values{};

private:
    VornCrossSection* current() const;
    // Moves each row from the top of the page, where the template stands it, to its place.
    void placeRows();
    void checkClicked(int32_t row);
    void valueTyped(int32_t row);
    void editLeft(int32_t row);
    // What the row's edit takes: an outer extent above 0, an inner one from 0 up.
    NumberRange rangeOf(const VornCrossSection* crossSection, int32_t row) const;
    // Keeps the cross-section's parameters as they are now: the section that typing in `row`
    // starts from.
    void keepStartingParameters(VornCrossSection* crossSection, int32_t row);
    // Applies `value` to parameter `row` of the section typing started from: the other parameters
    // are set back to their starting values first, so that the shape's rules keeping the inner
    // extents inside the outer ones act on the starting section and never on a passing text
    // ("0" on the way to "0.15"). Re-applies the shape; false when nothing changed.
    bool applyTypedParameter(VornCrossSection* crossSection, int32_t row, double value);
    // Re-applies the shape after a parameter changed and shows the result.
    void parameterChanged(VornCrossSection* crossSection, int32_t changedRow);

    PluginCrossSectionPageShapeProperties* plugin;
    FocusedNumberField focusedField;
    VornCrossSection* startingSection = nullptr;
    int32_t startingRow = -1; // the row typing started in; -1 when no typing is under way
    std::array<double, rows> startingValues{};
    std::array<std::unique_ptr<ShapePropertiesLink>, rows> links;
    std::array<std::unique_ptr<CDoubleSpinner>, rows> spinners;
};

// Base of the cross-section pagettes (type "CrossSection Pagette").
class PluginCrossSectionPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    // Shows the given cross-section (null: none) in the window.
    virtual void updateObject(VornCrossSection* crossSection) = 0;
};

// "CrossSection Properties Pagette": colour, area, Ix, Iy, Ixy, J and the shape.
class PluginCrossSectionPageProperties : public WindowedPagette<PluginCrossSectionPage, CPageCrossSectionProperties>
{
public:
    PluginCrossSectionPageProperties();
    void updateObject(VornCrossSection* crossSection) override;
};

// "CrossSection Shape Properties Pagette": one row per parameter of the cross-section's shape.
class PluginCrossSectionPageShapeProperties
    : public WindowedPagette<PluginCrossSectionPage, CPageCrossSectionShapeProperties>
{
public:
    PluginCrossSectionPageShapeProperties();
    // Lays the rows out for the cross-section's shape when it is another than last time, then
    // refreshes the values. Nothing while this pagette sends, nor without a window, a
    // cross-section or a shape.
    void updateObject(VornCrossSection* crossSection) override;
    // Shows the parameters of the cross-section, all rows but `changedRow` (-1: every row), and
    // announces the cross-section on "CRSCH" with no value named.
    void refreshValues(VornCrossSection* crossSection, int32_t changedRow);

    VornPluginShape* lastShape = nullptr; // whose parameter layout the rows show
    int32_t sendCount = 0; // raised while this pagette sends "CRSCH"
};

// The unfolded height of the shape pagette for a shape of that many parameters, in pixels.
int32_t shapePagetteHeight(int32_t parameterCount);

// The CrossSections page's pagettes in its packaging order (0 shape properties, 1 properties);
// null after the last.
PluginCrossSectionPage* makeCrossSectionPagette(uint32_t index);

// The dialog resources 149 and 174.
platform::DialogTemplate crossSectionPropertiesTemplate();
platform::DialogTemplate crossSectionShapePropertiesTemplate();

} // namespace lumbra
