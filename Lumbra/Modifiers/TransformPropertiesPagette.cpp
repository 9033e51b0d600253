#include "Lumbra/Modifiers/TransformPropertiesPagette.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "VornData/VornModifier.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "plugins/TransformParameters.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"
#include "uikit/TextEntry.h"

namespace lumbra
{

namespace
{

const PagetteTexts transformPropertiesTexts = {
    "Transform Properties Pagette",
    "Transform Properties Pagette [Transform Modifiers]:\nView/Change the Transform Modifier Properties.",
    "Transform Properties",
    "Transform Properties Pagette [Transform Modifiers]\n2000",
};

// The three fields (or parameters) of a group.
template <class Values>
auto& groupOf(Values& values, TransformGroup group)
{
    switch (group)
    {
    case TransformGroup::Move:
        return values.move;
    case TransformGroup::Rotate:
        return values.rotate;
    default:
        return values.scale;
    }
}

PluginModifierTransform* modifierOf(TransformGroup group)
{
    switch (group)
    {
    case TransformGroup::Move:
        return PluginModifierMove::instance;
    case TransformGroup::Rotate:
        return PluginModifierRotate::instance;
    default:
        return PluginModifierScale::instance;
    }
}

void copyGroup(const Point3f& from, std::array<double, 3>& to)
{
    to = {from.x, from.y, from.z};
}

} // namespace

bool loadTransformFields(const VornModifier* record, TransformFields& fields)
{
    TransformParameters parameters{};
    if (!PluginModifierTransform::isTransformRecord(record) || !readTransformParameters(*record, parameters))
        return false;
    copyGroup(parameters.move, fields.move);
    copyGroup(parameters.rotate, fields.rotate);
    copyGroup(parameters.scale, fields.scale);
    return true;
}

bool applyTransformGroup(MAI* mai, TransformGroup group, const TransformFields& fields)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    VornModifier* record = document != nullptr ? document->getActiveModifier() : nullptr;
    PluginModifierTransform* current = PluginModifierTransform::transformOf(record);
    TransformParameters parameters{};
    if (current == nullptr || !readTransformParameters(*record, parameters))
        return false;
    const DocumentChangeLock lock(document, documentLockWaitingText("Transform Properties").c_str(),
                                  current->lockTimeout);
    if (!lock)
        return false;
    const std::array<double, 3>& values = groupOf(fields, group);
    groupOf(parameters, group) = {static_cast<float>(values[0]), static_cast<float>(values[1]),
                                  static_cast<float>(values[2])};
    writeTransformParameters(*record, parameters);
    if (PluginModifierTransform* target = modifierOf(group))
        record->modifierPlugin = target;
    PluginModifierTransform::buildMatrices(record);
    PluginModifierTransform::transformOf(record)->updateModifier(record);
    document->invalidateViews();
    return true;
}

// ---- the window ----

const std::array<CPageModifierMoveRotateScale::Row, 9> CPageModifierMoveRotateScale::rows = {{
    {1134, 1137, TransformGroup::Move, 0, 1.0, 1.0, "X", "sX"},
    {1135, 1138, TransformGroup::Move, 1, 1.0, 1.0, "Y", "sY"},
    {1136, 1139, TransformGroup::Move, 2, 1.0, 1.0, "Z", "sZ"},
    {1017, 1020, TransformGroup::Rotate, 0, 1.0, 1.0, "Rot X", "sA"},
    {1018, 1004, TransformGroup::Rotate, 1, 1.0, 1.0, "Rot Y", "sB"},
    {1019, 1003, TransformGroup::Rotate, 2, 1.0, 1.0, "Rot Z", "sC"},
    {1021, 1024, TransformGroup::Scale, 0, 0.05, 0.01, "Scale X", "ssX"},
    {1022, 1006, TransformGroup::Scale, 1, 0.05, 0.01, "Scale Y", "ssY"},
    {1023, 1005, TransformGroup::Scale, 2, 0.05, 0.01, "Scale Z", "ssZ"},
}};

void TransformSpinnerLink::beginChange()
{
    page.readFields();
}

void TransformSpinnerLink::valueChanged()
{
    page.spun(row);
}

CPageModifierMoveRotateScale::CPageModifierMoveRotateScale(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
    for (size_t row = 0; row < rows.size(); ++row)
    {
        links[row] =
            std::make_unique<TransformSpinnerLink>(*this, row, &field(row), rows[row].step, rows[row].dragFactor);
        const int32_t flags = rows[row].group == TransformGroup::Rotate ? CDoubleSpinner::SpinAngle : 0;
        spinners[row] = std::make_unique<CDoubleSpinner>(links[row].get(), flags);
    }
}

CPageModifierMoveRotateScale::~CPageModifierMoveRotateScale() = default;

double& CPageModifierMoveRotateScale::field(size_t row)
{
    return groupOf(fields, rows[row].group)[rows[row].axis];
}

bool CPageModifierMoveRotateScale::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = 100;
    frame.separator2 = 181;
    for (size_t row = 0; row < rows.size(); ++row)
        spinners[row]->subclassDlgItem(rows[row].spinner, this);
    showFields();
    return true;
}

bool CPageModifierMoveRotateScale::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (size_t row = 0; row < rows.size(); ++row)
    {
        if (id != static_cast<uint32_t>(rows[row].edit))
            continue;
        // Edits report only what the user types; a value shown from a record is never an edit.
        if (code == platform::EN_CHANGE && getDlgItemDouble(this, rows[row].edit, &field(row)))
            applyTransformGroup(plugin != nullptr ? plugin->mai : nullptr, rows[row].group, fields);
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CPageModifierMoveRotateScale::showFields()
{
    if (!exists())
        return;
    for (size_t row = 0; row < rows.size(); ++row)
        showPageNumber(*this, rows[row].edit, field(row), PageNumberForm::SinglePrecision);
}

void CPageModifierMoveRotateScale::readFields()
{
    if (!exists())
        return;
    for (size_t row = 0; row < rows.size(); ++row)
    {
        const TypedNumber typed = parseTypedNumber(dlgItemText(rows[row].edit));
        if (typed.status == TypedNumberStatus::Accepted)
            field(row) = typed.value;
    }
}

void CPageModifierMoveRotateScale::spun(size_t row)
{
    showFields();
    applyTransformGroup(plugin != nullptr ? plugin->mai : nullptr, rows[row].group, fields);
}

// ---- the plugin ----

PluginModifierPageTransformProperties::PluginModifierPageTransformProperties()
    : WindowedPagette(transformPropertiesTexts)
{
}

void PluginModifierPageTransformProperties::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::ModifierChanged, &listener);
}

void PluginModifierPageTransformProperties::setObject(VornModifier* record)
{
    CPageModifierMoveRotateScale* page = window();
    if (page == nullptr || !page->exists() || !loadTransformFields(record, page->fields))
        return;
    page->showFields();
}

void PluginModifierPageTransformProperties::Listener::notify(void* payload)
{
    CPageModifierMoveRotateScale* page = pagette.window();
    MAI_Doc* document = pagette.mai != nullptr ? pagette.mai->activeDocument : nullptr;
    VornModifier* active = document != nullptr ? document->getActiveModifier() : nullptr;
    // Only the active record is compared, so a payload that is no record is never read.
    if (active == nullptr || payload != active || page == nullptr || !page->exists() ||
        (page->style() & platform::WS_VISIBLE) == 0)
        return;
    pagette.setObject(active);
}

// ---- dialog resource ----

void registerTransformPagetteTemplate()
{
    using namespace platform;
    using Page = CPageModifierMoveRotateScale;
    constexpr int32_t height = 161;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", Page::frameId, {0, 0, 120, height}, BS_OWNERDRAW, "Move-Rotate-Scale"),
    };
    int32_t y = 14;
    for (const Page::Row& row : Page::rows)
    {
        items.push_back(controlItem("Static", IDC_STATIC, {4, y + 2, 30, 8}, SS_LEFT, row.label));
        items.push_back(controlItem("Edit", row.edit, {36, y, 70, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
        items.push_back(controlItem("Button", row.spinner, {108, y, 9, 12}, BS_OWNERDRAW, row.spinnerText));
        y += row.axis == 2 ? 18 : 16;
    }
    registerDialogTemplate(
        thisModule(), Page::dialogId,
        dialogTemplateOf({0, 0, 120, height}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "", std::move(items)));
}

} // namespace lumbra
