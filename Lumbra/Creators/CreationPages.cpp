#include "Lumbra/Creators/CreationPages.h"

#include "Lumbra/LumbraLibrary.h"
#include "plugins/VornPluginObjectType.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"

namespace lumbra
{

namespace
{

// The spin buttons of the creation pagettes add or take 1 per click and per pixel dragged.
constexpr double creationSpinStep = 1.0;

// Pagettes are made visible; the page that holds them hides those it does not show.
constexpr uint32_t pageStyle = platform::WS_CHILD | platform::WS_VISIBLE | platform::DS_CONTROL | platform::DS_SETFONT;

uint32_t checkState(int32_t state)
{
    return state == 1 ? platform::BST_CHECKED : state == 2 ? platform::BST_INDETERMINATE : platform::BST_UNCHECKED;
}

} // namespace

const TripleLayout CPageJointCoordinates::controls = {
    dialogId, 1030, "Joint Coordinates", {1013, 1014, 1015}, {1016, 1001, 1002}, {"X", "Y", "Z"}, {"sX", "sY", "sZ"},
};

const TripleLayout CPageJointOrientation::controls = {
    dialogId,          1023,
    "Joint Orientation", {1031, 1032, 1033},
    {1034, 1035, 1036}, {"alfa", "beta", "gamma"},
    {"sX", "sY", "sZ"},
};

// ---- three numbers ----

CPageNumberTriple::CPageNumberTriple(const TripleLayout& layout, NumberTripleModel& model, bool startsFolded)
    : Dialog(layout.dialogId), model(model), layout(layout), startsFolded(startsFolded)
{
    for (size_t row = 0; row < links.size(); ++row)
    {
        links[row] = std::make_unique<PageRowLink<CPageNumberTriple>>(*this, static_cast<int32_t>(row),
                                                                      model.valueAddress(row), 0.0);
        links[row]->step = creationSpinStep;
        links[row]->dragFactor = creationSpinStep;
        spinners[row] = std::make_unique<CDoubleSpinner>(links[row].get(), 0);
    }
    model.changed = [this] { showModel(); };
}

CPageNumberTriple::~CPageNumberTriple()
{
    model.changed = nullptr;
}

bool CPageNumberTriple::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, layout.frameId);
    for (size_t row = 0; row < spinners.size(); ++row)
        spinners[row]->subclassDlgItem(layout.spinnerIds[row], this);
    if (startsFolded)
        frame.setFolded(false);
    showModel();
    return true;
}

bool CPageNumberTriple::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (size_t row = 0; row < layout.editIds.size(); ++row)
        if (id == static_cast<uint32_t>(layout.editIds[row]))
        {
            if (code == platform::EN_SETFOCUS)
                focusedField.focused(layout.editIds[row], model.value(row));
            else if (code == platform::EN_CHANGE && !showing)
            {
                if (platform::Window* edit = dlgItem(layout.editIds[row]))
                    model.type(row, edit->windowText());
            }
            else if (code == platform::EN_KILLFOCUS)
            {
                // A text that is no number goes back to the value the edit held, before the
                // page takes what was typed.
                if (double held = 0.0; focusedField.leftRefused(this, layout.editIds[row], NumberRange::Any, &held))
                {
                    model.show(row, held);
                    showModel();
                }
                editLeft(static_cast<int32_t>(row));
            }
            return true;
        }
    return Dialog::onCommand(id, code, control);
}

void CPageNumberTriple::showModel()
{
    if (!exists())
        return;
    showing = true;
    for (size_t row = 0; row < layout.editIds.size(); ++row)
    {
        platform::Window* edit = dlgItem(layout.editIds[row]);
        if (edit == nullptr)
            continue;
        showNumberField(edit, model.value(row), model.text(row));
        edit->enableWindow(model.enabled);
        edit->sendMessage(platform::EM_SETREADONLY, model.readOnly ? 1 : 0);
    }
    showing = false;
}

void CPageNumberTriple::beginSpin(int32_t row)
{
    model.takeTextQuietly(static_cast<size_t>(row));
}

void CPageNumberTriple::spun(int32_t row)
{
    model.show(static_cast<size_t>(row), model.value(static_cast<size_t>(row)));
    showModel();
}

CPageJointCoordinates::CPageJointCoordinates(platform::Window*, VornPluginWindowed* plugin)
    : CPageNumberTriple(controls, modelOfPagette<JointCoordinatesModel>(plugin), false)
{
}

CPageJointOrientation::CPageJointOrientation(platform::Window*, VornPluginWindowed* plugin)
    : CPageNumberTriple(controls, modelOfPagette<JointOrientationModel>(plugin), true)
{
}

// ---- supports ----

CPageJointSupport::CPageJointSupport(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), model(modelOfPagette<JointSupportModel>(plugin))
{
    model.changed = [this] { showModel(); };
}

bool CPageJointSupport::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = 46;
    showModel();
    return true;
}

bool CPageJointSupport::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code != platform::BN_CLICKED)
        return Dialog::onCommand(id, code, control);
    JointSupportModel::Row row = JointSupportModel::Translation;
    int32_t axis = 0;
    if (supportBoxOf(id, row, axis))
    {
        axis < 0 ? model.clickAll(row) : model.clickAxis(row, static_cast<size_t>(axis));
        return true;
    }
    switch (static_cast<int32_t>(id))
    {
    case rigidId:
    case hingeId:
        model.rigid = id == static_cast<uint32_t>(rigidId);
        return true;
    case localId:
    case globalId:
        model.local = id == static_cast<uint32_t>(localId);
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

void CPageJointSupport::showModel()
{
    if (exists())
        showSupportBoxes(*this, model.blocked, model.all, {model.rigid, !model.rigid, model.local, !model.local});
}

bool supportBoxOf(uint32_t id, JointSupportModel::Row& row, int32_t& axis)
{
    using Support = CPageJointSupport;
    for (size_t index = 0; index < Support::allIds.size(); ++index)
    {
        row = static_cast<JointSupportModel::Row>(index);
        if (id == static_cast<uint32_t>(Support::allIds[index]))
        {
            axis = -1;
            return true;
        }
        for (size_t box = 0; box < 3; ++box)
            if (id == static_cast<uint32_t>(Support::axisIds[index][box]))
            {
                axis = static_cast<int32_t>(box);
                return true;
            }
    }
    return false;
}

void showSupportBoxes(platform::Dialog& page, const std::array<std::array<int32_t, 3>, 2>& blocked,
                      const std::array<int32_t, 2>& all, std::array<bool, 4> rigidHingeLocalGlobal)
{
    using Support = CPageJointSupport;
    for (size_t row = 0; row < Support::allIds.size(); ++row)
    {
        page.checkDlgButton(Support::allIds[row], checkState(all[row]));
        for (size_t axis = 0; axis < 3; ++axis)
            page.checkDlgButton(Support::axisIds[row][axis], checkState(blocked[row][axis]));
    }
    const int32_t radios[] = {Support::rigidId, Support::hingeId, Support::localId, Support::globalId};
    for (size_t index = 0; index < 4; ++index)
        page.checkDlgButton(radios[index],
                            rigidHingeLocalGlobal[index] ? platform::BST_CHECKED : platform::BST_UNCHECKED);
}

// ---- name and colour ----

CPageNameAndColor::CPageNameAndColor(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId),
      colourButton(&modelOfPagette<NameAndColourModel>(plugin).colour),
      model(modelOfPagette<NameAndColourModel>(plugin))
{
    model.changed = [this] { showModel(); };
}

bool CPageNameAndColor::onInitDialog()
{
    Dialog::onInitDialog();
    colourButton.subclassDlgItem(colourId, this);
    attachPagetteFrame(*this, frame, frameId);
    showModel();
    return true;
}

bool CPageNameAndColor::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id == static_cast<uint32_t>(nameId))
    {
        if (code == platform::EN_CHANGE && !showing)
            if (platform::Window* edit = dlgItem(nameId))
                model.type(edit->windowText());
        return true;
    }
    if (id == static_cast<uint32_t>(colourId))
    {
        if (code == platform::BN_CLICKED)
            colourButton.chooseColour();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CPageNameAndColor::showModel()
{
    if (!exists())
        return;
    showing = true;
    if (platform::Window* edit = dlgItem(nameId); edit != nullptr && edit->windowText() != model.name)
        edit->setWindowText(model.name);
    showing = false;
    colourButton.invalidate(true);
}

// ---- CREATE ----

CPageCreateButton::CPageCreateButton(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
}

bool CPageCreateButton::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id != static_cast<uint32_t>(buttonId))
        return Dialog::onCommand(id, code, control);
    auto* pagette = dynamic_cast<VornPluginPagette*>(plugin);
    if (code == platform::BN_CLICKED && pagette != nullptr)
        if (auto* creator = dynamic_cast<VornPluginObjectCreator*>(pagette->owner))
            creator->createObject();
    return true;
}

// ---- dialog resources ----

platform::DialogTemplate tripleTemplate(const TripleLayout& layout, int32_t height)
{
    using namespace platform;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", layout.frameId, {0, 0, 120, height}, BS_OWNERDRAW, layout.title),
    };
    int32_t y = 14;
    for (size_t row = 0; row < 3; ++row, y += 16)
    {
        items.push_back(controlItem("Static", IDC_STATIC, {6, y + 2, 25, 8}, SS_LEFT, layout.labels[row]));
        items.push_back(
            controlItem("Edit", layout.editIds[row], {33, y, 73, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
        items.push_back(controlItem("Button", layout.spinnerIds[row], {108, y, 9, 12}, BS_OWNERDRAW,
                                    layout.spinnerTexts[row]));
    }
    return dialogTemplateOf({0, 0, 120, height}, pageStyle, "", std::move(items));
}

namespace
{

} // namespace

platform::DialogTemplate supportTemplate(int32_t frameId, bool editing)
{
    using namespace platform;
    using Support = CPageJointSupport;
    // The edit page's radios show mixed selections with neither side checked: they do not check
    // themselves either.
    const uint32_t radio = editing ? BS_RADIOBUTTON : BS_AUTORADIOBUTTON;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", frameId, {0, 0, 120, 77}, BS_OWNERDRAW, "Joint Support Settings"),
        controlItem("Button", Support::rigidId, {8, 13, 40, 10}, radio | WS_GROUP | WS_TABSTOP, "Rigid"),
        controlItem("Button", Support::hingeId, {60, 13, 40, 10}, radio, "Hinge"),
        controlItem("Static", IDC_STATIC, {4, 29, 35, 8}, SS_LEFT, "Blocking:"),
        controlItem("Button", Support::localId, {40, 28, 35, 10}, radio | WS_GROUP | WS_TABSTOP, "Local"),
        controlItem("Button", Support::globalId, {77, 28, 41, 10}, radio, "Global"),
        controlItem("Static", IDC_STATIC, {72, 40, 10, 8}, SS_LEFT, "X"),
        controlItem("Static", IDC_STATIC, {86, 40, 10, 8}, SS_LEFT, "Y"),
        controlItem("Static", IDC_STATIC, {100, 40, 10, 8}, SS_LEFT, "Z"),
    };
    const char* rowNames[] = {"Translation", "Rotation"};
    for (size_t row = 0; row < 2; ++row)
    {
        const int32_t y = 50 + static_cast<int32_t>(row) * 12;
        items.push_back(controlItem("Button", Support::allIds[row], {6, y, 62, 10}, BS_3STATE | WS_TABSTOP,
                                    rowNames[row]));
        for (size_t axis = 0; axis < 3; ++axis)
            items.push_back(controlItem("Button", Support::axisIds[row][axis],
                                        {70 + static_cast<int32_t>(axis) * 14, y, 10, 10},
                                        (editing ? BS_3STATE : BS_AUTOCHECKBOX) | WS_TABSTOP));
    }
    return dialogTemplateOf({0, 0, 120, 77}, pageStyle, "", std::move(items));
}

namespace
{

platform::DialogTemplate nameAndColourTemplate()
{
    using namespace platform;
    using Page = CPageNameAndColor;
    return dialogTemplateOf(
        {0, 0, 120, 32}, pageStyle, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 120, 32}, BS_OWNERDRAW, "Name and Color"),
            controlItem("Edit", Page::nameId, {6, 14, 90, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            controlItem("Button", Page::colourId, {100, 14, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"),
        });
}

platform::DialogTemplate createButtonTemplate()
{
    return platform::dialogTemplateOf({0, 0, 120, 27}, pageStyle, "",
                            {platform::pushButtonItem(CPageCreateButton::buttonId, {10, 6, 100, 15}, "&CREATE")});
}

} // namespace

void registerCreationPageTemplates()
{
    const platform::ModuleHandle module = thisModule();
    platform::registerDialogTemplate(module, CPageJointCoordinates::dialogId,
                                     tripleTemplate(CPageJointCoordinates::controls, 65));
    platform::registerDialogTemplate(module, CPageJointOrientation::dialogId,
                                     tripleTemplate(CPageJointOrientation::controls, 65));
    platform::registerDialogTemplate(module, CPageJointSupport::dialogId, supportTemplate(CPageJointSupport::frameId, false));
    platform::registerDialogTemplate(module, CPageNameAndColor::dialogId, nameAndColourTemplate());
    platform::registerDialogTemplate(module, CPageCreateButton::dialogId, createButtonTemplate());
}

} // namespace lumbra
