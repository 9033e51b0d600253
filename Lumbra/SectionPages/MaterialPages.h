#pragma once

// The pagettes of the console's Materials page: elasticity, density and colour, and the tension
// and compression strengths. Both work on the current element of the active document's list
// "VornMaterial"; every change is applied at once, under the document lock, and announced on
// "MATCH".

#include "Lumbra/SectionPages/PageSupport.h"
#include "platform/Dialog.h"
#include "plugins/VornPlugin.h"
#include "uikit/ColorButton.h"
#include "uikit/DialogNumbers.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <array>
#include <cstdint>
#include <memory>

class VornMaterial;

namespace lumbra
{

// One value row of a material page: its edit, its spin button and the material's value.
struct MaterialValueRow
{
    int32_t editId;
    int32_t spinnerId;
    const char* label;
    const char* spinnerText;
    int32_t code; // MaterialCode
    double (VornMaterial::*get)() const;
    double (VornMaterial::*set)(double);
    double fromZero; // where a spin up from 0 goes
};

// What both material windows are: two value rows and, on the properties page, a colour button.
class CPageMaterialValues : public platform::Dialog
{
public:
    static constexpr int32_t rows = 2;
    static constexpr int32_t colourId = 1018;

    CPageMaterialValues(int32_t dialogId, int32_t frameId, const std::array<MaterialValueRow, rows>& valueRows,
                        bool hasColour, VornPluginWindowed* plugin);
    ~CPageMaterialValues() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // Shows the material, or disables everything without one.
    void refresh(VornMaterial* material);

    void beginSpin(int32_t row);
    void spun(int32_t row);

    CDoubleSpinner& spinner(int32_t row) { return *spinners[static_cast<size_t>(row)]; }
    int32_t editId(int32_t row) const { return valueRows[static_cast<size_t>(row)].editId; }

    CPagetteButton frame;
    CColorButton colourButton;
    std::array<double, rows> values{};
    uint32_t colour = CColorButton::defaultColour;

protected:
    // The frame's extra etched line, in pixels below its top; 0 for none.
    int32_t extraLine = 0;

private:
    VornMaterial* current() const;
    MAI* mai() const;
    void valueTyped(int32_t row);
    void editLeft(int32_t row);
    void applyValue(VornMaterial* material, int32_t row);
    void colourClicked();

    const int32_t frameId;
    const std::array<MaterialValueRow, rows>& valueRows;
    const bool hasColour;
    VornPluginWindowed* plugin;
    FocusedNumberField focusedField;
    std::array<std::unique_ptr<PageRowLink<CPageMaterialValues>>, rows> links;
    std::array<std::unique_ptr<CDoubleSpinner>, rows> spinners;
};

using MaterialPropertiesLink = PageRowLink<CPageMaterialValues>;
using MaterialStrengthLink = PageRowLink<CPageMaterialValues>;

// The window of the Material Properties pagette (dialog 144): rows elasticity and density.
class CPageMaterialProperties : public CPageMaterialValues
{
public:
    static constexpr int32_t dialogId = 144;
    static constexpr int32_t frameId = 1099;
    static const std::array<MaterialValueRow, rows> valueRows;

    CPageMaterialProperties(platform::Window* parent, VornPluginWindowed* plugin);
};

// The window of the Material Strength pagette (dialog 168): rows tension and compression.
class CPageMaterialStrength : public CPageMaterialValues
{
public:
    static constexpr int32_t dialogId = 168;
    static constexpr int32_t frameId = 1086;
    static const std::array<MaterialValueRow, rows> valueRows;

    CPageMaterialStrength(platform::Window* parent, VornPluginWindowed* plugin);
};

// Base of the material pagettes (type "Material Pagette").
class PluginMaterialPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    // Shows the given material (null: none) in the window.
    virtual void updateObject(VornMaterial* material) = 0;
};

// A material pagette whose window is a `Page`.
template <class Page>
class MaterialPagette : public WindowedPagette<PluginMaterialPage, Page>
{
public:
    using WindowedPagette<PluginMaterialPage, Page>::WindowedPagette;
    void updateObject(VornMaterial* material) override
    {
        if (this->page != nullptr)
            this->page->refresh(material);
    }
};

// "Material Properties Pagette": elasticity, density and colour.
class PluginMaterialPageProperties : public MaterialPagette<CPageMaterialProperties>
{
public:
    PluginMaterialPageProperties();
};

// "Material Strength Pagette": tension and compression strengths.
class PluginMaterialPageStrength : public MaterialPagette<CPageMaterialStrength>
{
public:
    PluginMaterialPageStrength();
};

// The Materials page's pagettes in its packaging order (0 strength, 1 properties); null after
// the last.
PluginMaterialPage* makeMaterialPagette(uint32_t index);

// The dialog resources 144 and 168.
platform::DialogTemplate materialPropertiesTemplate();
platform::DialogTemplate materialStrengthTemplate();

} // namespace lumbra
