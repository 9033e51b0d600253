#include "Lumbra/SectionPages/MaterialPages.h"

#include "Lumbra/LumbraLibrary.h"
#include "VornData/VornMaterial.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/DialogTemplate.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"

#include <functional>
#include <string>

namespace lumbra
{

namespace
{

constexpr const char* listName = "VornMaterial";
// Stiffness, density and strengths of a material are never below 0.
constexpr NumberRange valueRange = NumberRange::NotNegative;
constexpr const char* lockText = "Material Properties";
// Where the properties page's frame draws its extra etched line.
constexpr int32_t propertiesLine = 126;

void enableControl(platform::Window* control, bool enabled)
{
    if (control != nullptr)
        control->enableWindow(enabled);
}

} // namespace

const std::array<MaterialValueRow, CPageMaterialValues::rows> CPageMaterialProperties::valueRows = {{
    {1100, 1102, "Elasticity", "sE", MaterialCode::Elasticity, &VornMaterial::getElasticity,
     &VornMaterial::setElasticity, 1e6},
    {1101, 1103, "Density", "sD", MaterialCode::Density, &VornMaterial::getDensity, &VornMaterial::setDensity, 1.0},
}};

const std::array<MaterialValueRow, CPageMaterialValues::rows> CPageMaterialStrength::valueRows = {{
    {1158, 1157, "Tension", "sT", MaterialCode::Tension, &VornMaterial::getTension, &VornMaterial::setTension, 1e6},
    {1159, 1160, "Compr.", "sC", MaterialCode::Compression, &VornMaterial::getCompression,
     &VornMaterial::setCompression, 1e6},
}};

// ---- plugins ----

const char* PluginMaterialPage::getTypeName()
{
    return "Material Pagette";
}

PluginMaterialPageProperties::PluginMaterialPageProperties()
    : MaterialPagette({"Material Properties Pagette",
                       "Material Properties Pagette:\nView/Change the basic properties of a material.",
                       "Material Properties", "Material Properties Pagette\n1999"})
{
}

PluginMaterialPageStrength::PluginMaterialPageStrength()
    : MaterialPagette({"Material Strength Pagette",
                       "Material Strength Pagette:\nView/Change the strength properties of a material.",
                       "Strength Properties", "Strength Properties Pagette\n1999"})
{
}

PluginMaterialPage* makeMaterialPagette(uint32_t index)
{
    switch (index)
    {
    case 0:
        return new PluginMaterialPageStrength;
    case 1:
        return new PluginMaterialPageProperties;
    default:
        return nullptr;
    }
}

// ---- windows ----

CPageMaterialValues::CPageMaterialValues(int32_t dialogId, int32_t frameId,
                                         const std::array<MaterialValueRow, rows>& valueRows, bool hasColour,
                                         VornPluginWindowed* plugin)
    : Dialog(dialogId),
      colourButton(&colour),
      frameId(frameId),
      valueRows(valueRows),
      hasColour(hasColour),
      plugin(plugin)
{
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        links[index] =
            std::make_unique<PageRowLink<CPageMaterialValues>>(*this, row, &values[index], valueRows[index].fromZero);
        spinners[index] = std::make_unique<CDoubleSpinner>(links[index].get(), pageSpinFlags);
    }
}

CPageMaterialValues::~CPageMaterialValues() = default;

CPageMaterialProperties::CPageMaterialProperties(platform::Window*, VornPluginWindowed* plugin)
    : CPageMaterialValues(dialogId, frameId, valueRows, true, plugin)
{
    extraLine = propertiesLine;
}

CPageMaterialStrength::CPageMaterialStrength(platform::Window*, VornPluginWindowed* plugin)
    : CPageMaterialValues(dialogId, frameId, valueRows, false, plugin)
{
}

MAI* CPageMaterialValues::mai() const
{
    return plugin != nullptr ? plugin->mai : nullptr;
}

VornMaterial* CPageMaterialValues::current() const
{
    return currentElementOf<VornMaterial>(mai(), listName);
}

bool CPageMaterialValues::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = extraLine;
    if (hasColour)
        colourButton.subclassDlgItem(colourId, this);
    for (int32_t row = 0; row < rows; ++row)
        spinner(row).subclassDlgItem(valueRows[static_cast<size_t>(row)].spinnerId, this);
    return true;
}

bool CPageMaterialValues::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (int32_t row = 0; row < rows; ++row)
        if (id == static_cast<uint32_t>(editId(row)))
        {
            if (code == platform::EN_SETFOCUS)
            {
                if (VornMaterial* material = current())
                    focusedField.focused(editId(row), std::invoke(valueRows[static_cast<size_t>(row)].get, *material),
                                         material);
            }
            else if (code == platform::EN_CHANGE)
                valueTyped(row);
            else if (code == platform::EN_KILLFOCUS)
                editLeft(row);
            return true;
        }
    if (hasColour && id == static_cast<uint32_t>(colourId))
    {
        if (code == platform::BN_CLICKED)
            colourClicked();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CPageMaterialValues::refresh(VornMaterial* material)
{
    if (!exists())
        return;
    if (hasColour && material != nullptr && (!colourButton.isEnabled() || colour != material->getColor()))
    {
        colourButton.enableWindow(true);
        colour = material->getColor();
        colourButton.invalidate(true);
    }
    else if (hasColour && material == nullptr)
        colourButton.enableWindow(false);
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        enableControl(dlgItem(editId(row)), material != nullptr);
        spinner(row).enableWindow(material != nullptr);
        if (material == nullptr)
        {
            setDlgItemText(editId(row), "");
            continue;
        }
        values[index] = std::invoke(valueRows[index].get, *material);
        showPageNumber(*this, editId(row), values[index]);
    }
}

void CPageMaterialValues::valueTyped(int32_t row)
{
    VornMaterial* material = current();
    if (material == nullptr)
        return;
    if (!getDlgItemDouble(this, editId(row), &values[static_cast<size_t>(row)], valueRange))
        return;
    applyValue(material, row);
}

void CPageMaterialValues::editLeft(int32_t row)
{
    double held = 0.0;
    if (!focusedField.leftRefused(this, editId(row), valueRange, &held, current()))
        return;
    setPageNumber(*this, editId(row), held);
    values[static_cast<size_t>(row)] = held;
    VornMaterial* material = current();
    if (material != nullptr && std::invoke(valueRows[static_cast<size_t>(row)].get, *material) != held)
        applyValue(material, row);
}

void CPageMaterialValues::beginSpin(int32_t row)
{
    // The spin starts from the value itself, not from its text.
    if (VornMaterial* material = current())
        values[static_cast<size_t>(row)] = std::invoke(valueRows[static_cast<size_t>(row)].get, *material);
}

void CPageMaterialValues::spun(int32_t row)
{
    focusedField.heldChanged(editId(row), values[static_cast<size_t>(row)]);
    setPageNumber(*this, editId(row), values[static_cast<size_t>(row)]);
    if (VornMaterial* material = current())
        applyValue(material, row);
}

void CPageMaterialValues::applyValue(VornMaterial* material, int32_t row)
{
    const MaterialValueRow& field = valueRows[static_cast<size_t>(row)];
    {
        DocumentChangeLock lock = lockForPageChange(mai(), lockText);
        if (!lock)
            return;
        (material->*field.set)(values[static_cast<size_t>(row)]);
    }
    sendObjectChange(mai(), Channel::MaterialsChanged, material, material->valueAddress(field.code));
}

void CPageMaterialValues::colourClicked()
{
    chooseObjectColour(mai(), colourButton, colour, current(), lockText, Channel::MaterialsChanged);
}

// ---- dialog resources ----

namespace
{

platform::DialogTemplate materialTemplate(int32_t frameId, const char* title, int32_t height,
                                          const std::array<MaterialValueRow, CPageMaterialValues::rows>& rows,
                                          bool hasColour)
{
    using namespace platform;
    constexpr int32_t editLeft = 48;
    std::vector<DialogItemTemplate> items;
    int32_t y = 16;
    for (const MaterialValueRow& row : rows)
    {
        for (DialogItemTemplate& item :
             valueRowItems(y, editLeft, IDC_STATIC, row.label, row.editId, row.spinnerId, row.spinnerText))
            items.push_back(std::move(item));
        y += 15;
    }
    if (hasColour)
    {
        items.push_back(controlItem("Static", IDC_STATIC, {SectionPagette::labelLeft, y + 2, 40, 8}, SS_LEFT, "Color"));
        items.push_back(controlItem("Button", CPageMaterialValues::colourId, {editLeft, y, 13, 11},
                                    BS_OWNERDRAW | WS_TABSTOP, "C"));
    }
    return sectionPagetteTemplate(frameId, title, height, std::move(items));
}

} // namespace

platform::DialogTemplate materialPropertiesTemplate()
{
    // Tall enough for the extra line of the frame.
    return materialTemplate(CPageMaterialProperties::frameId, "Material Properties", 82,
                            CPageMaterialProperties::valueRows, true);
}

platform::DialogTemplate materialStrengthTemplate()
{
    return materialTemplate(CPageMaterialStrength::frameId, "Material Strength", 48, CPageMaterialStrength::valueRows,
                            false);
}

} // namespace lumbra
