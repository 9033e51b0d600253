#include "Lumbra/SectionPages/CrossSectionPages.h"

#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/VornCrossSection.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/DialogTemplate.h"
#include "platform/SystemValues.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/DialogNumbers.h"

#include <algorithm>
#include <functional>
#include <string>

namespace lumbra
{

namespace
{

constexpr const char* listName = "VornCrossSection";
constexpr const char* lockText = "CrossSection Properties";

// The five section values of the properties page, in row order, with where a spin up from 0 goes.
struct SectionValueRow
{
    int32_t code;
    const char* label;
    const char* spinnerText;
    double (VornCrossSection::*get)() const;
    double (VornCrossSection::*set)(double);
    double fromZero;
};

constexpr SectionValueRow sectionRows[CPageCrossSectionProperties::rows] = {
    {CrossSectionCode::Area, "Area", "sA", &VornCrossSection::getArea, &VornCrossSection::setArea, 1e-4},
    {CrossSectionCode::Ix, "Ix", "sIx", &VornCrossSection::getIx, &VornCrossSection::setIx, 1e-8},
    {CrossSectionCode::Iy, "Iy", "sIy", &VornCrossSection::getIy, &VornCrossSection::setIy, 1e-8},
    {CrossSectionCode::Ixy, "Ixy", "sIxy", &VornCrossSection::getIxy, &VornCrossSection::setIxy, 1e-8},
    {CrossSectionCode::J, "J", "sIp", &VornCrossSection::getJ, &VornCrossSection::setJ, 1e-8},
};

// A shape parameter spun up from 0: a millimetre.
constexpr double parameterFromZero = 1e-3;

int32_t rowOf(const std::array<int32_t, CPageCrossSectionProperties::rows>& ids, uint32_t id)
{
    for (size_t row = 0; row < ids.size(); ++row)
        if (static_cast<uint32_t>(ids[row]) == id)
            return static_cast<int32_t>(row);
    return -1;
}

void showControl(platform::Window* control, bool shown)
{
    if (control != nullptr)
        control->showWindow(shown ? platform::SW_SHOW : platform::SW_HIDE);
}

void enableControl(platform::Window* control, bool enabled)
{
    if (control != nullptr)
        control->enableWindow(enabled);
}

} // namespace

// ---- plugins ----

const char* PluginCrossSectionPage::getTypeName()
{
    return "CrossSection Pagette";
}

PluginCrossSectionPageProperties::PluginCrossSectionPageProperties()
    : WindowedPagette({"CrossSection Properties Pagette",
                       "CrossSection Properties Pagette:\nView/Change the basic properties of a CrossSection.",
                       "CrossSection Properties", "CrossSection Properties Pagette\n1999"})
{
}

void PluginCrossSectionPageProperties::updateObject(VornCrossSection* crossSection)
{
    if (page != nullptr)
        page->refresh(crossSection);
}

PluginCrossSectionPageShapeProperties::PluginCrossSectionPageShapeProperties()
    : WindowedPagette({"CrossSection Shape Properties Pagette",
                       "CrossSection Shape Properties Pagette:\nView/Change the shape properties of a CrossSection.",
                       "CrossSection Shape Properties", "CrossSection Shape Properties Pagette\n2001"})
{
}

void PluginCrossSectionPageShapeProperties::updateObject(VornCrossSection* crossSection)
{
    if (sendCount > 0 || page == nullptr || !page->exists() || crossSection == nullptr ||
        crossSection->shape == nullptr)
        return;
    if (crossSection->shape != lastShape)
    {
        page->layOutRows(crossSection->shape);
        lastShape = crossSection->shape;
    }
    page->changedElsewhere(crossSection);
    refreshValues(crossSection, -1);
}

void PluginCrossSectionPageShapeProperties::refreshValues(VornCrossSection* crossSection, int32_t changedRow)
{
    if (page == nullptr || !page->exists() || crossSection == nullptr || crossSection->shape == nullptr)
        return;
    page->showValues(crossSection, changedRow);
    ++sendCount;
    sendObjectChange(mai, Channel::CrossSectionsChanged, crossSection, nullptr);
    --sendCount;
}

PluginCrossSectionPage* makeCrossSectionPagette(uint32_t index)
{
    switch (index)
    {
    case 0:
        return new PluginCrossSectionPageShapeProperties;
    case 1:
        return new PluginCrossSectionPageProperties;
    default:
        return nullptr;
    }
}

// ---- properties window ----

CPageCrossSectionProperties::CPageCrossSectionProperties(platform::Window* parent, VornPluginWindowed* plugin)
    : Dialog(dialogId), colourButton(&colour), plugin(plugin)
{
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        links[index] =
            std::make_unique<CrossSectionPropertiesLink>(*this, row, &values[index], sectionRows[index].fromZero);
        spinners[index] = std::make_unique<CDoubleSpinner>(links[index].get(), pageSpinFlags);
    }
}

CPageCrossSectionProperties::~CPageCrossSectionProperties() = default;

MAI* CPageCrossSectionProperties::mai() const
{
    return plugin != nullptr ? plugin->mai : nullptr;
}

VornCrossSection* CPageCrossSectionProperties::current() const
{
    return currentElementOf<VornCrossSection>(mai(), listName);
}

bool CPageCrossSectionProperties::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    colourButton.subclassDlgItem(colourId, this);
    for (int32_t row = 0; row < rows; ++row)
        spinner(row).subclassDlgItem(spinnerIds[static_cast<size_t>(row)], this);
    shapeList.subclassDlgItem(shapeListId, this);
    fillShapeList();
    return true;
}

void CPageCrossSectionProperties::fillShapeList()
{
    MAI* application = mai();
    VornPluginBase* first = application != nullptr ? application->pluginLists.shapes : nullptr;
    for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
    {
        const int index = shapeList.addString(plugin->getName());
        if (index < 0)
            throw Exc_OutOfMemory("CPageCrossSectionProperties::OnInitDialog");
        shapeList.setItemData(index, reinterpret_cast<intptr_t>(plugin));
    }
    // The default shape is the first of the application's list.
    for (int index = 0; first != nullptr && index < shapeList.count(); ++index)
        if (shapeList.itemData(index) == reinterpret_cast<intptr_t>(first))
            shapeList.setCurSel(index);
}

bool CPageCrossSectionProperties::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (const int32_t row = rowOf(editIds, id); row >= 0)
    {
        if (code == platform::EN_SETFOCUS)
        {
            if (VornCrossSection* crossSection = current())
                focusedField.focused(editIds[static_cast<size_t>(row)],
                                     std::invoke(sectionRows[static_cast<size_t>(row)].get, *crossSection),
                                     crossSection);
        }
        else if (code == platform::EN_CHANGE)
            valueTyped(row);
        else if (code == platform::EN_KILLFOCUS)
            editLeft(row);
        return true;
    }
    if (id == static_cast<uint32_t>(colourId))
    {
        if (code == platform::BN_CLICKED)
            colourClicked();
        return true;
    }
    if (id == static_cast<uint32_t>(shapeListId))
    {
        if (code == platform::CBN_SELCHANGE)
            shapeChosen();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CPageCrossSectionProperties::refresh(VornCrossSection* crossSection)
{
    if (!exists())
        return;
    if (crossSection == nullptr)
    {
        colourButton.enableWindow(false);
        for (int32_t row = 0; row < rows; ++row)
        {
            const int32_t editId = editIds[static_cast<size_t>(row)];
            enableControl(dlgItem(editId), false);
            setDlgItemText(editId, "");
            spinner(row).enableWindow(false);
        }
        shapeList.setCurSel(-1);
        shapeList.enableWindow(false);
        return;
    }
    if (!colourButton.isEnabled() || colour != crossSection->getColor())
    {
        colourButton.enableWindow(true);
        colour = crossSection->getColor();
        colourButton.invalidate(true);
    }
    // A shape with parameters computes the values; without a shape there is nothing to compute.
    VornPluginShape* shape = crossSection->shape;
    const bool computed = shape != nullptr && shape->getParameterCount() > 0;
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        platform::Window* edit = dlgItem(editIds[index]);
        if (edit != nullptr)
        {
            edit->sendMessage(platform::EM_SETREADONLY, computed ? 1 : 0);
            edit->enableWindow(true);
        }
        values[index] = std::invoke(sectionRows[index].get, *crossSection);
        if (row != sendingRow)
            showPageNumber(*this, editIds[index], values[index], PageNumberForm::Short);
        spinner(row).enableWindow(!computed);
    }
    shapeList.enableWindow(true);
    shapeList.setCurSel(shape != nullptr ? shapeList.findStringExact(-1, shape->getName()) : -1);
}

void CPageCrossSectionProperties::valueTyped(int32_t row)
{
    VornCrossSection* crossSection = current();
    if (crossSection == nullptr)
        return;
    // A refused text leaves the value as it was.
    if (!getDlgItemDouble(this, editIds[static_cast<size_t>(row)], &values[static_cast<size_t>(row)]))
        return;
    sendingRow = row;
    applyValue(crossSection, row);
    sendingRow = -1;
}

void CPageCrossSectionProperties::editLeft(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    double held = 0.0;
    if (!focusedField.leftRefused(this, editIds[index], NumberRange::Any, &held, current()))
        return;
    setPageNumber(*this, editIds[index], held);
    values[index] = held;
    VornCrossSection* crossSection = current();
    if (crossSection != nullptr && std::invoke(sectionRows[index].get, *crossSection) != held)
        applyValue(crossSection, row);
}

void CPageCrossSectionProperties::beginSpin(int32_t row)
{
    // The spin starts from the value itself, not from its rounded text.
    if (VornCrossSection* crossSection = current())
        values[static_cast<size_t>(row)] = std::invoke(sectionRows[static_cast<size_t>(row)].get, *crossSection);
}

void CPageCrossSectionProperties::spun(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    focusedField.heldChanged(editIds[index], values[index]);
    setPageNumber(*this, editIds[index], values[index]);
    if (VornCrossSection* crossSection = current())
        applyValue(crossSection, row);
}

void CPageCrossSectionProperties::applyValue(VornCrossSection* crossSection, int32_t row)
{
    const SectionValueRow& field = sectionRows[static_cast<size_t>(row)];
    {
        DocumentChangeLock lock = lockForPageChange(mai(), lockText);
        if (!lock)
            return;
        (crossSection->*field.set)(values[static_cast<size_t>(row)]);
        if (crossSection->shape != nullptr)
            crossSection->shape->applyToCrossSection(crossSection);
    }
    sendObjectChange(mai(), Channel::CrossSectionsChanged, crossSection, crossSection->valueAddress(field.code));
}

void CPageCrossSectionProperties::colourClicked()
{
    chooseObjectColour(mai(), colourButton, colour, current(), lockText, Channel::CrossSectionsChanged);
}

void CPageCrossSectionProperties::shapeChosen()
{
    VornCrossSection* crossSection = current();
    const int index = shapeList.curSel();
    if (crossSection == nullptr || index < 0)
        return;
    auto* shape = dynamic_cast<VornPluginShape*>(reinterpret_cast<VornPluginBase*>(shapeList.itemData(index)));
    if (shape == nullptr)
        return;
    {
        DocumentChangeLock lock = lockForPageChange(mai(), lockText);
        if (!lock)
            return;
        shape->applyToCrossSection(crossSection);
    }
    sendObjectChange(mai(), Channel::CrossSectionsChanged, crossSection, &crossSection->shape);
}

// ---- shape window ----

int32_t shapePagetteHeight(int32_t parameterCount)
{
    return parameterCount <= 0 ? 48 : 24 * (parameterCount + 1);
}

CPageCrossSectionShapeProperties::CPageCrossSectionShapeProperties(platform::Window* parent, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(dynamic_cast<PluginCrossSectionPageShapeProperties*>(plugin))
{
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        links[index] = std::make_unique<ShapePropertiesLink>(*this, row, &values[index], parameterFromZero);
        spinners[index] = std::make_unique<CDoubleSpinner>(links[index].get(), pageSpinFlags);
    }
}

CPageCrossSectionShapeProperties::~CPageCrossSectionShapeProperties() = default;

VornCrossSection* CPageCrossSectionShapeProperties::current() const
{
    return currentElementOf<VornCrossSection>(plugin != nullptr ? plugin->mai : nullptr, listName);
}

bool CPageCrossSectionShapeProperties::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    for (int32_t row = 0; row < rows; ++row)
        spinner(row).subclassDlgItem(spinnerId(row), this);
    placeRows();
    return true;
}

void CPageCrossSectionShapeProperties::placeRows()
{
    // The template stands every row at the top of the page; the edit, check box and spin button
    // take the row's height, the label keeps its place and height inside the row.
    auto moveDown = [this](int32_t id, int32_t top, bool rowHigh) {
        platform::Window* control = dlgItem(id);
        if (control == nullptr)
            return;
        const platform::Rect rect = screenToClient(control->windowRect());
        control->moveWindow(
            {rect.left, rect.top + top, rect.right, rect.top + top + (rowHigh ? rowHeight : rect.height())}, false);
    };
    for (int32_t row = 0; row < rows; ++row)
    {
        moveDown(labelId(row), rowTop(row), false);
        for (const int32_t id : {editIds[static_cast<size_t>(row)], checkId(row), spinnerId(row)})
            moveDown(id, rowTop(row), true);
    }
    moveDown(noPropertiesId, rowTop(0), false);
}

bool CPageCrossSectionShapeProperties::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (int32_t row = 0; row < rows; ++row)
    {
        if (id == static_cast<uint32_t>(checkId(row)))
        {
            if (code == platform::BN_CLICKED)
                checkClicked(row);
            return true;
        }
        if (id == static_cast<uint32_t>(editIds[static_cast<size_t>(row)]))
        {
            if (code == platform::EN_SETFOCUS)
            {
                keepStartingParameters(current(), row);
                focusedField.focused(editIds[static_cast<size_t>(row)], startingValues[static_cast<size_t>(row)],
                                     current());
            }
            else if (code == platform::EN_CHANGE)
                valueTyped(row);
            else if (code == platform::EN_KILLFOCUS)
                editLeft(row);
            return true;
        }
    }
    return Dialog::onCommand(id, code, control);
}

void CPageCrossSectionShapeProperties::layOutRows(VornPluginShape* shape)
{
    const int32_t count = shape != nullptr ? std::min(shape->getParameterCount(), rows) : 0;
    const bool locked = lockWindowUpdate();
    for (int32_t row = 0; row < rows; ++row)
    {
        const bool used = row < count;
        const bool flag = used && shape->isBooleanParameter(row);
        const char* name = used ? shape->getParameterName(row) : "";
        showControl(dlgItem(labelId(row)), used && !flag);
        showControl(dlgItem(editIds[static_cast<size_t>(row)]), used && !flag);
        showControl(dlgItem(spinnerId(row)), used && !flag);
        showControl(dlgItem(checkId(row)), flag);
        setDlgItemText(flag ? checkId(row) : labelId(row), name);
    }
    showControl(dlgItem(noPropertiesId), count == 0);
    if (locked)
        unlockWindowUpdate();

    const int32_t height = shapePagetteHeight(count);
    if (height == frame.openHeight)
    {
        if (frame.unfolded)
            invalidate(true);
        return;
    }
    frame.openHeight = height;
    if (frame.unfolded)
        frame.setFolded(true);
}

void CPageCrossSectionShapeProperties::showValues(VornCrossSection* crossSection, int32_t changedRow)
{
    VornPluginShape* shape = crossSection->shape;
    for (int32_t row = 0; row < rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        values[index] = shape->getDoubleParameter(row, crossSection);
        if (row != changedRow)
            showPageNumber(*this, editIds[index], values[index], PageNumberForm::SinglePrecision);
        checkDlgButton(checkId(row),
                       shape->getBoolParameter(row, crossSection) ? platform::BST_CHECKED : platform::BST_UNCHECKED);
        // A spin button beside a value the shape does not let edit would still change it.
        const bool editable = shape->isParameterEditable(row, crossSection);
        enableControl(dlgItem(editIds[index]), editable);
        spinner(row).enableWindow(editable);
    }
}

void CPageCrossSectionShapeProperties::checkClicked(int32_t row)
{
    VornCrossSection* crossSection = current();
    if (crossSection == nullptr || crossSection->shape == nullptr)
        return;
    const bool ticked = isDlgButtonChecked(checkId(row)) == platform::BST_CHECKED;
    {
        DocumentChangeLock lock = lockForPageChange(plugin->mai, lockText);
        if (!lock || !crossSection->shape->setBoolParameter(row, crossSection, ticked))
            return;
        crossSection->shape->applyToCrossSection(crossSection);
    }
    changedElsewhere(crossSection);
    parameterChanged(crossSection, -1);
}

NumberRange CPageCrossSectionShapeProperties::rangeOf(const VornCrossSection* crossSection, int32_t row) const
{
    if (crossSection == nullptr || dynamic_cast<const ParametricShape*>(crossSection->shape) == nullptr)
        return NumberRange::Any;
    return ShapeParameters::isInnerExtent(row) ? NumberRange::NotNegative : NumberRange::Positive;
}

void CPageCrossSectionShapeProperties::keepStartingParameters(VornCrossSection* crossSection, int32_t row)
{
    startingSection = crossSection;
    startingRow = row;
    if (crossSection == nullptr || crossSection->shape == nullptr)
        return;
    for (int32_t index = 0; index < rows; ++index)
        startingValues[static_cast<size_t>(index)] = crossSection->shape->getDoubleParameter(index, crossSection);
}

bool CPageCrossSectionShapeProperties::applyTypedParameter(VornCrossSection* crossSection, int32_t row, double value)
{
    if (crossSection != startingSection || row != startingRow)
        keepStartingParameters(crossSection, row);
    VornPluginShape* shape = crossSection->shape;
    DocumentChangeLock lock = lockForPageChange(plugin->mai, lockText);
    if (!lock)
        return false;
    bool changed = false;
    const int32_t count = std::min(shape->getParameterCount(), rows);
    for (int32_t other = 0; other < count; ++other)
        if (other != row && !shape->isBooleanParameter(other))
            changed = shape->setDoubleParameter(other, crossSection, startingValues[static_cast<size_t>(other)]) ||
                changed;
    changed = shape->setDoubleParameter(row, crossSection, value) || changed;
    if (changed)
        shape->applyToCrossSection(crossSection);
    return changed;
}

void CPageCrossSectionShapeProperties::changedElsewhere(VornCrossSection* crossSection)
{
    if (startingRow < 0)
        return;
    keepStartingParameters(crossSection, startingRow);
    focusedField.heldChanged(editIds[static_cast<size_t>(startingRow)],
                             startingValues[static_cast<size_t>(startingRow)]);
}

void CPageCrossSectionShapeProperties::valueTyped(int32_t row)
{
    VornCrossSection* crossSection = current();
    if (crossSection == nullptr || crossSection->shape == nullptr)
        return;
    const auto index = static_cast<size_t>(row);
    if (!getDlgItemDouble(this, editIds[index], &values[index], rangeOf(crossSection, row)))
        return;
    if (applyTypedParameter(crossSection, row, values[index]))
        parameterChanged(crossSection, row);
}

void CPageCrossSectionShapeProperties::editLeft(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    VornCrossSection* crossSection = current();
    double held = 0.0;
    if (crossSection != nullptr && crossSection->shape != nullptr &&
        focusedField.leftRefused(this, editIds[index], rangeOf(crossSection, row), &held, crossSection))
    {
        // Back to the section typing started from, the field showing its value again.
        values[index] = held;
        if (applyTypedParameter(crossSection, row, held))
            parameterChanged(crossSection, -1);
        showPageNumber(*this, editIds[index], held, PageNumberForm::SinglePrecision);
    }
    startingRow = -1;
}

void CPageCrossSectionShapeProperties::beginSpin(int32_t row)
{
    VornCrossSection* crossSection = current();
    if (crossSection != nullptr && crossSection->shape != nullptr)
        values[static_cast<size_t>(row)] = crossSection->shape->getDoubleParameter(row, crossSection);
}

void CPageCrossSectionShapeProperties::spun(int32_t row)
{
    const auto index = static_cast<size_t>(row);
    setPageNumber(*this, editIds[index], values[index], PageNumberForm::SinglePrecision);
    VornCrossSection* crossSection = current();
    if (crossSection == nullptr || crossSection->shape == nullptr)
        return;
    {
        DocumentChangeLock lock = lockForPageChange(plugin->mai, lockText);
        if (!lock || !crossSection->shape->setDoubleParameter(row, crossSection, values[index]))
            return;
        crossSection->shape->applyToCrossSection(crossSection);
    }
    changedElsewhere(crossSection);
    parameterChanged(crossSection, -1);
}

void CPageCrossSectionShapeProperties::parameterChanged(VornCrossSection* crossSection, int32_t changedRow)
{
    plugin->refreshValues(crossSection, changedRow);
    if (MAI* mai = plugin->mai; mai != nullptr && mai->activeDocument != nullptr)
        mai->activeDocument->invalidateViews();
}

// ---- dialog resources ----

platform::DialogTemplate crossSectionPropertiesTemplate()
{
    using namespace platform;
    using Page = CPageCrossSectionProperties;
    constexpr int32_t editLeft = 40;
    std::vector<DialogItemTemplate> items = {
        controlItem("Static", IDC_STATIC, {SectionPagette::labelLeft, 16, 30, 8}, SS_LEFT, "Color"),
        controlItem("Button", Page::colourId, {editLeft, 14, 13, 11}, BS_OWNERDRAW | WS_TABSTOP, "C"),
    };
    for (int32_t row = 0; row < Page::rows; ++row)
    {
        const auto index = static_cast<size_t>(row);
        for (DialogItemTemplate& item :
             valueRowItems(29 + 14 * row, editLeft, IDC_STATIC, sectionRows[index].label, Page::editIds[index],
                           Page::spinnerIds[index], sectionRows[index].spinnerText))
            items.push_back(std::move(item));
    }
    items.push_back(controlItem("Static", IDC_STATIC, {SectionPagette::labelLeft, 101, 30, 8}, SS_LEFT, "Shape"));
    items.push_back(
        controlItem("ComboBox", Page::shapeListId,
                    {editLeft, 99, SectionPagette::spinnerLeft + SectionPagette::spinnerWidth - editLeft, 60},
                    CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP));
    return sectionPagetteTemplate(Page::frameId, "CrossSection Properties", 116, std::move(items));
}

platform::DialogTemplate crossSectionShapePropertiesTemplate()
{
    using namespace platform;
    using Page = CPageCrossSectionShapeProperties;
    constexpr int32_t editLeft = 52;
    // Every row stands at the top of the page here; the page moves each down to its place in
    // pixels, as its height is counted in pixels. The text without parameters stands where the
    // first row's label does.
    auto hidden = [](DialogItemTemplate item) {
        item.style &= ~WS_VISIBLE;
        return item;
    };
    std::vector<DialogItemTemplate> items = {
        controlItem("Static", Page::noPropertiesId,
                    {SectionPagette::labelLeft, 2, SectionPagette::editRight - SectionPagette::labelLeft, 8}, SS_LEFT,
                    "No Editable Properties..."),
    };
    for (int32_t row = 0; row < Page::rows; ++row)
    {
        for (DialogItemTemplate& item :
             valueRowItems(0, editLeft, Page::labelId(row), "", Page::editIds[static_cast<size_t>(row)],
                           Page::spinnerId(row), ""))
            items.push_back(hidden(std::move(item)));
        items.push_back(
            hidden(checkBoxItem(Page::checkId(row),
                                {SectionPagette::labelLeft, 0, SectionPagette::editRight - SectionPagette::labelLeft,
                                 SectionPagette::rowHeight},
                                "")));
    }
    return sectionPagetteTemplate(Page::frameId, "Shape Properties", 163, std::move(items));
}

} // namespace lumbra
