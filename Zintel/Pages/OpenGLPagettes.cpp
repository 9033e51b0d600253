#include "Zintel/Pages/OpenGLPagettes.h"

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/Pages/ViewPageOpenGL.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "uikit/DialogNumbers.h"

#include <charconv>
#include <span>

namespace zintel
{

namespace
{

struct Row
{
    const char* caption;
    int32_t editId;
    int32_t spinnerId;
    const char* spinnerText;
    int32_t y;
};

// ---- Setup ----
constexpr int32_t setupTitleId = 1048;
constexpr std::array<Row, setupFieldCount> setupRows = {{
    {"pov X", 1049, 1052, "sX", 15},
    {"pov Y", 1050, 1053, "sY", 29},
    {"pov Z", 1051, 1054, "sZ", 43},
    {"Direction", 1055, 1058, "sX", 61},
    {"Tilt", 1056, 1059, "sY", 75},
    {"Roll", 1057, 1060, "sR", 89},
    {"F.O.V.", 1061, 1062, "sZ", 104},
    {"Near Clip", 1067, 1068, "sN", 123},
    {"Far Clip", 1063, 1064, "sF", 138},
}};

// ---- Grid ----
constexpr int32_t gridTitleId = 1108;
constexpr std::array<Row, gridFieldCount> gridRows = {{
    {"X", 1095, 1102, "sX", 29},
    {"Y", 1096, 1103, "sY", 43},
    {"Z", 1097, 1104, "sZ", 57},
    {"Offset X", 1098, 1105, "sX", 74},
    {"Offset Y", 1099, 1106, "sY", 88},
    {"Offset Z", 1101, 1107, "sR", 102},
}};

// ---- Colours ----
constexpr int32_t colorsTitleId = 1106;
// Background, Select, Default, Selected, Frozen, Hidden.
constexpr std::array<int32_t, CViewOpenGLPagetteColors::colourCount> colourButtonIds = {1107, 1112, 1108,
                                                                                        1109, 1110, 1111};
constexpr ColorRGBA OpenGLView::* const viewColours[CViewOpenGLPagetteColors::colourCount] = {
    &OpenGLView::backgroundColor, &OpenGLView::bandColor,   &OpenGLView::defaultColor,
    &OpenGLView::selectedColor,   &OpenGLView::frozenColor, &OpenGLView::hiddenColor};

// ---- Stress ----
constexpr int32_t stressTitleId = 1106;
constexpr std::array<int32_t, CViewOpenGLPagetteStress::colourCount> stressButtonIds = {1110, 1111, 1112};
constexpr ColorRGBA DocItemOpenGL::* const stressColours[CViewOpenGLPagetteStress::colourCount] = {
    &DocItemOpenGL::tensionColor, &DocItemOpenGL::neutralColor, &DocItemOpenGL::compressionColor};

ColorRGBA colourOfWord(uint32_t word)
{
    return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
            static_cast<uint8_t>(word >> 24)};
}

int32_t fieldOfEdit(std::span<const Row> rows, uint32_t id)
{
    for (size_t field = 0; field < rows.size(); ++field)
        if (static_cast<uint32_t>(rows[field].editId) == id)
            return static_cast<int32_t>(field);
    return -1;
}

int32_t indexOf(std::span<const int32_t> ids, uint32_t id)
{
    for (size_t index = 0; index < ids.size(); ++index)
        if (static_cast<uint32_t>(ids[index]) == id)
            return static_cast<int32_t>(index);
    return -1;
}

void setReadOnly(platform::Dialog& dialog, int32_t id, bool readOnly)
{
    if (platform::Window* edit = dialog.dlgItem(id))
        edit->sendMessage(platform::EM_SETREADONLY, readOnly ? 1 : 0);
}

// The rows of a pagette: right-aligned labels, edits at x 39 and spinner buttons at x 102.
void addRows(std::vector<platform::DialogItemTemplate>& items, std::span<const Row> rows,
             std::span<const platform::DialogUnitRect> labels)
{
    using namespace platform;
    for (size_t index = 0; index < rows.size(); ++index)
    {
        const Row& row = rows[index];
        items.push_back(controlItem("Static", -1, labels[index], SS_RIGHT, row.caption));
        items.push_back(controlItem("Edit", row.editId, {39, row.y, 61, 12}, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL));
        items.push_back(controlItem("Button", row.spinnerId, {102, row.y, 10, 12}, BS_OWNERDRAW, row.spinnerText));
    }
}

platform::DialogItemTemplate colourButtonItem(int32_t id, platform::DialogUnitRect rect, const char* text)
{
    platform::DialogItemTemplate item =
        platform::controlItem("Button", id, rect, platform::WS_TABSTOP | platform::BS_OWNERDRAW | platform::BS_FLAT, text);
    item.exStyle = platform::WS_EX_STATICEDGE;
    return item;
}

platform::DialogItemTemplate labelItem(platform::DialogUnitRect rect, const char* text)
{
    return platform::controlItem("Static", -1, rect, platform::SS_RIGHT, text);
}

constexpr uint32_t pagetteStyle = platform::WS_CHILD | platform::WS_VISIBLE | platform::DS_CONTROL | platform::DS_SETFONT;

platform::DialogTemplate pagetteTemplate(platform::DialogUnitRect rect, std::vector<platform::DialogItemTemplate> items)
{
    platform::DialogTemplate result = platform::dialogTemplateOf(rect, pagetteStyle, "", std::move(items));
    result.fontName = "MS Sans Serif";
    result.fontPointSize = 8;
    return result;
}

platform::DialogTemplate setupTemplate()
{
    using namespace platform;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", setupTitleId, {0, 0, 88, 15}, BS_OWNERDRAW, "Advanced View Setup")};
    const DialogUnitRect labels[setupFieldCount] = {{10, 15, 25, 12}, {10, 29, 25, 12}, {10, 43, 25, 12},
                                                   {6, 61, 29, 12},  {5, 75, 30, 12},  {3, 89, 32, 12},
                                                   {3, 104, 32, 12}, {3, 123, 32, 12}, {3, 138, 32, 12}};
    addRows(items, setupRows, labels);
    return pagetteTemplate({0, 0, 115, 153}, std::move(items));
}

platform::DialogTemplate gridTemplate()
{
    using namespace platform;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", gridTitleId, {0, 0, 88, 15}, BS_OWNERDRAW, "Grid Setup"),
        checkBoxItem(CViewOpenGLPagetteGrid::uniformId, {7, 15, 40, 10}, "Uniform")};
    const DialogUnitRect labels[gridFieldCount] = {{10, 29, 25, 12}, {10, 43, 25, 12}, {10, 57, 25, 12},
                                                  {6, 74, 29, 12},  {5, 88, 30, 12},  {3, 102, 32, 12}};
    addRows(items, gridRows, labels);
    return pagetteTemplate({0, 0, 115, 118}, std::move(items));
}

platform::DialogTemplate colorsTemplate()
{
    using namespace platform;
    return pagetteTemplate({0, 0, 115, 66},
                           {controlItem("Button", colorsTitleId, {0, 0, 115, 15}, BS_OWNERDRAW, "View Colors"),
                            labelItem({4, 15, 40, 12}, "Background"), colourButtonItem(1107, {47, 15, 14, 12}, "BG"),
                            labelItem({68, 15, 23, 12}, "Select"), colourButtonItem(1112, {95, 15, 14, 12}, "SA"),
                            labelItem({18, 35, 25, 12}, "Default"), colourButtonItem(1108, {47, 35, 14, 12}, "ID"),
                            labelItem({66, 35, 25, 12}, "Frozen"), colourButtonItem(1110, {95, 35, 14, 12}, "IF"),
                            labelItem({13, 50, 30, 12}, "Selected"), colourButtonItem(1109, {47, 50, 14, 12}, "IS"),
                            labelItem({64, 50, 27, 12}, "Hidden"), colourButtonItem(1111, {95, 50, 14, 12}, "IH")});
}

platform::DialogTemplate stressTemplate()
{
    using namespace platform;
    return pagetteTemplate(
        {0, 0, 115, 87},
        {controlItem("Button", stressTitleId, {0, 0, 115, 15}, BS_OWNERDRAW, "Stress Display Settings"),
         labelItem({19, 15, 57, 12}, "Tension Color"), colourButtonItem(1110, {80, 15, 32, 12}, "t"),
         labelItem({27, 29, 48, 12}, "Neutral Color"), colourButtonItem(1111, {80, 29, 32, 12}, "n"),
         labelItem({14, 43, 61, 12}, "Compression Color"), colourButtonItem(1112, {80, 43, 32, 12}, "c"),
         controlItem("Static", -1, {3, 61, 106, 10}, SS_LEFT, "Stress Exaggeration Factor"),
         controlItem("Edit", CViewOpenGLPagetteStress::factorId, {39, 71, 61, 12},
                     WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL),
         controlItem("Button", 1114, {102, 71, 10, 12}, BS_OWNERDRAW, "Ex")});
}

platform::DialogTemplate viewPageTemplate()
{
    using namespace platform;
    DialogTemplate result = dialogTemplateOf(
        {0, 0, 150, 175}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
        {controlItem("Static", -1, {7, 7, 97, 21}, SS_LEFT, "- OpenGL -\nNo Properties available..."),
         controlItem("Button", CViewPageOpenGL::scrollBarId, {85, 39, 6, 116}, BS_OWNERDRAW)});
    result.exStyle = WS_EX_STATICEDGE;
    result.fontName = "MS Sans Serif";
    result.fontPointSize = 8;
    return result;
}

} // namespace

// ---- Rules ---------------------------------------------------------------------------------------

OpenGLView* activeOpenGLView(MAI* mai)
{
    if (mai == nullptr || !PluginViewOpenGL::showsOpenGL(mai->activeView))
        return nullptr;
    return dynamic_cast<OpenGLView*>(mai->activeView->viewTypeInfos);
}

SetupValues setupValuesOf(const OpenGLView& view)
{
    return {view.povX, view.povY, view.povZ, view.direction, view.tilt, view.roll, view.fovY, view.zNear, view.zFar};
}

bool applySetupValue(OpenGLView& view, int32_t field, SetupValues& values)
{
    double& value = values[field];
    bool corrected = false;
    const auto atLeast = [&corrected](double& v, double minimum) {
        if (v < minimum)
        {
            v = minimum;
            corrected = true;
        }
    };
    switch (field)
    {
    case PovX:
        view.povX = value;
        break;
    case PovY:
        view.povY = value;
        break;
    case PovZ:
        view.povZ = value;
        break;
    case Direction:
        view.direction = static_cast<float>(value);
        break;
    case Tilt:
        view.tilt = static_cast<float>(value);
        break;
    case Roll:
        view.roll = static_cast<float>(value);
        break;
    case FieldOfView:
        atLeast(value, minimumFieldOfView);
        if (value > maximumFieldOfView)
        {
            value = maximumFieldOfView;
            corrected = true;
        }
        view.fovY = value;
        view.projectionDirty = true;
        break;
    case NearClip:
        atLeast(value, minimumNearClip);
        view.zNear = value;
        if (view.zFar < 2.0 * value)
        {
            view.zFar = 2.0 * view.zNear;
            values[FarClip] = view.zFar;
            corrected = true;
        }
        view.projectionDirty = true;
        break;
    case FarClip:
        atLeast(value, minimumFarClip);
        view.zFar = value;
        if (view.zFar < 2.0 * view.zNear)
        {
            view.zNear = view.zFar * 0.5;
            values[NearClip] = view.zNear;
            corrected = true;
        }
        view.projectionDirty = true;
        break;
    default:
        break;
    }
    return corrected;
}

GridValues gridValuesOf(const DocItemOpenGL& settings)
{
    return {settings.gridSpacingX, settings.gridSpacingY, settings.gridSpacingZ,
            settings.gridOffsetX,  settings.gridOffsetY,  settings.gridOffsetZ};
}

bool applyGridValue(DocItemOpenGL& settings, int32_t field, double value, bool uniform)
{
    if (field <= SpacingZ && !(value > 0.0))
        return false;
    switch (field)
    {
    case SpacingX:
        settings.gridSpacingX = value;
        if (uniform)
            settings.gridSpacingY = settings.gridSpacingZ = value;
        break;
    case SpacingY:
        settings.gridSpacingY = value;
        break;
    case SpacingZ:
        settings.gridSpacingZ = value;
        break;
    case OffsetX:
        settings.gridOffsetX = value;
        break;
    case OffsetY:
        settings.gridOffsetY = value;
        break;
    case OffsetZ:
        settings.gridOffsetZ = value;
        break;
    default:
        return false;
    }
    return true;
}

// ---- Shared frame --------------------------------------------------------------------------------

OpenGLPagette::OpenGLPagette(int32_t templateId, PluginVOPage* page) : platform::Dialog(templateId), page(page)
{
}

void OpenGLPagette::takeOverFrame(int32_t titleId, int32_t separator)
{
    frame.subclassDlgItem(titleId, this);
    frame.openHeight = clientRect().height();
    frame.separator1 = separator;
    frame.moveWindow(clientRect(), true);
}

OpenGLView* OpenGLPagette::activeView() const
{
    return activeOpenGLView(page != nullptr ? page->mai : nullptr);
}

void OpenGLPagette::invalidateDocumentViews() const
{
    MAI* mai = page != nullptr ? page->mai : nullptr;
    if (mai != nullptr && mai->activeDocument != nullptr)
        mai->activeDocument->invalidateViews();
}

// ---- Colours -------------------------------------------------------------------------------------

CViewOpenGLPagetteColors::CViewOpenGLPagetteColors(PluginVOPage* page) : OpenGLPagette(templateId, page)
{
    for (auto& button : buttons)
        button = std::make_unique<CColorButton>();
}

bool CViewOpenGLPagetteColors::onInitDialog()
{
    Dialog::onInitDialog();
    takeOverFrame(colorsTitleId, 52);
    for (int32_t index = 0; index < colourCount; ++index)
        buttons[index]->subclassDlgItem(colourButtonIds[index], this);
    return true;
}

bool CViewOpenGLPagetteColors::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    const int32_t index = indexOf(colourButtonIds, id);
    if (code != platform::BN_CLICKED || index < 0)
        return Dialog::onCommand(id, code, control);
    if (buttons[index]->chooseColour())
        if (OpenGLView* view = activeView())
        {
            view->*viewColours[index] = colourOfWord(buttons[index]->colour());
            page->mai->activeView->invalidate(false);
        }
    return true;
}

void CViewOpenGLPagetteColors::refresh()
{
    const OpenGLView* view = activeView();
    if (view == nullptr || !exists())
        return;
    for (int32_t index = 0; index < colourCount; ++index)
    {
        const uint32_t shown = (view->*viewColours[index]).word();
        if (buttons[index]->colour() != shown)
        {
            buttons[index]->setColour(shown);
            buttons[index]->invalidate(false);
        }
    }
}

// ---- Grid ----------------------------------------------------------------------------------------

CViewOpenGLPagetteGrid::CViewOpenGLPagetteGrid(PluginVOPage* page) : OpenGLPagette(templateId, page)
{
    for (int32_t field = 0; field < gridFieldCount; ++field)
    {
        links[field] = std::make_unique<Link>(*this, field, 1.0, 1.0);
        spinners[field] = std::make_unique<CDoubleSpinner>(links[field].get(), 0);
    }
}

bool CViewOpenGLPagetteGrid::onInitDialog()
{
    Dialog::onInitDialog();
    takeOverFrame(gridTitleId, 118);
    for (int32_t field = 0; field < gridFieldCount; ++field)
        spinners[field]->subclassDlgItem(gridRows[field].spinnerId, this);
    updateData(false);
    return true;
}

void CViewOpenGLPagetteGrid::doDataExchange(platform::DataExchange& exchange)
{
    for (int32_t field = 0; field < gridFieldCount; ++field)
        platform::exchangeDouble(exchange, gridRows[field].editId, values[field]);
    platform::exchangeCheck(exchange, uniformId, uniform);
}

bool CViewOpenGLPagetteGrid::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code == platform::BN_CLICKED && id == static_cast<uint32_t>(uniformId))
    {
        uniformClicked();
        return true;
    }
    if (const int32_t field = fieldOfEdit(gridRows, id); field >= 0)
    {
        if (code == platform::EN_SETFOCUS)
        {
            if (OpenGLView* view = activeView(); view != nullptr && view->docItem != nullptr)
                focusedField.focused(gridRows[field].editId, gridValuesOf(*view->docItem)[field]);
        }
        else if (code == platform::EN_CHANGE)
            typed(field);
        else if (code == platform::EN_KILLFOCUS)
            editLeft(field);
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

NumberRange CViewOpenGLPagetteGrid::rangeOf(int32_t field)
{
    return field <= SpacingZ ? NumberRange::Positive : NumberRange::Any;
}

void CViewOpenGLPagetteGrid::typed(int32_t field)
{
    OpenGLView* view = activeView();
    if (view == nullptr || view->docItem == nullptr)
        return;
    if (!getDlgItemDouble(this, gridRows[field].editId, &values[field], rangeOf(field)))
        return;
    DocItemOpenGL& settings = *view->docItem;
    const bool uniformShown = uniform == 1;
    if (!applyGridValue(settings, field, values[field], field == SpacingX && uniformShown))
        return;
    if (field == SpacingX && uniformShown)
    {
        values[SpacingY] = values[SpacingZ] = settings.gridSpacingX;
        const std::string text = dlgItemText(gridRows[SpacingX].editId).substr(0, 255);
        if (!text.empty())
        {
            setDlgItemText(gridRows[SpacingY].editId, text);
            setDlgItemText(gridRows[SpacingZ].editId, text);
        }
    }
    invalidateDocumentViews();
}

void CViewOpenGLPagetteGrid::editLeft(int32_t field)
{
    OpenGLView* view = activeView();
    double held = 0.0;
    if (view == nullptr || view->docItem == nullptr ||
        !focusedField.leftRefused(this, gridRows[field].editId, rangeOf(field), &held))
        return;
    applyGridValue(*view->docItem, field, held, field == SpacingX && uniform == 1);
    refresh();
    invalidateDocumentViews();
}

void CViewOpenGLPagetteGrid::uniformClicked()
{
    OpenGLView* view = activeView();
    if (view == nullptr || view->docItem == nullptr)
        return;
    DocItemOpenGL& settings = *view->docItem;
    updateData(true);
    const bool on = uniform == 1;
    if (on)
    {
        // The shown y and z follow x, and so do the document's.
        values[SpacingY] = values[SpacingZ] = settings.gridSpacingX;
        settings.gridSpacingY = settings.gridSpacingZ = settings.gridSpacingX;
    }
    else
    {
        values[SpacingY] = settings.gridSpacingY;
        values[SpacingZ] = settings.gridSpacingZ;
    }
    showUniform(on);
    settings.gridUniform = on;
    updateData(false);
    invalidateDocumentViews();
}

void CViewOpenGLPagetteGrid::showUniform(bool on)
{
    setReadOnly(*this, gridRows[SpacingY].editId, on);
    setReadOnly(*this, gridRows[SpacingZ].editId, on);
}

void CViewOpenGLPagetteGrid::beginSpin(Link& link)
{
    OpenGLView* view = activeView();
    if (view != nullptr && view->docItem != nullptr)
        link.step = link.dragFactor = view->docItem->getScalelessSize() * 0.1;
    if (exists())
    {
        updateData(true);
        // The spin button leaves the focus in the edit: a text the field refuses counts as the
        // value in effect.
        if (view != nullptr && view->docItem != nullptr)
        {
            const GridValues inEffect = gridValuesOf(*view->docItem);
            for (int32_t field = 0; field < gridFieldCount; ++field)
                if (!isTakenNumberText(dlgItemText(gridRows[field].editId), rangeOf(field)))
                    values[field] = inEffect[field];
        }
    }
    lastGood[link.field] = values[link.field];
}

void CViewOpenGLPagetteGrid::spun(Link& link)
{
    if (!exists())
        return;
    const int32_t field = link.field;
    // A spacing never reaches 0: the spinner stops at the last spacing above it.
    if (field <= SpacingZ && !(values[field] > 0.0))
        values[field] = lastGood[field];
    lastGood[field] = values[field];
    focusedField.heldChanged(gridRows[field].editId, values[field]);
    updateData(false);
    OpenGLView* view = activeView();
    if (view == nullptr || view->docItem == nullptr)
        return;
    DocItemOpenGL& settings = *view->docItem;
    applyGridValue(settings, field, values[field], field == SpacingX && settings.gridUniform);
    if (field == SpacingX && settings.gridUniform)
    {
        values[SpacingY] = values[SpacingZ] = values[SpacingX];
        updateData(false);
    }
    invalidateDocumentViews();
}

void CViewOpenGLPagetteGrid::refresh()
{
    OpenGLView* view = activeView();
    if (view == nullptr || view->docItem == nullptr || !exists())
        return;
    DocItemOpenGL& settings = *view->docItem;
    if ((uniform == 1) != settings.gridUniform)
    {
        uniform = settings.gridUniform ? 1 : 0;
        showUniform(settings.gridUniform);
    }
    if (settings.gridUniform)
        settings.gridSpacingY = settings.gridSpacingZ = settings.gridSpacingX;
    values = gridValuesOf(settings);
    updateData(false);
}

// ---- Setup ---------------------------------------------------------------------------------------

CViewOpenGLPagetteSetup::CViewOpenGLPagetteSetup(PluginVOPage* page) : OpenGLPagette(templateId, page)
{
    values[NearClip] = 1.0;
    values[FarClip] = 1000.0;
    for (int32_t field = 0; field < setupFieldCount; ++field)
    {
        // The projection values spin multiplicatively (a click by 1.0 keeps them) and drag
        // exponentially.
        const bool projection = field >= FieldOfView;
        links[field] = std::make_unique<Link>(*this, field, 1.0, projection ? 0.01 : 1.0);
        spinners[field] = std::make_unique<CDoubleSpinner>(
            links[field].get(), projection ? CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply : 0);
    }
}

bool CViewOpenGLPagetteSetup::onInitDialog()
{
    Dialog::onInitDialog();
    frame.subclassDlgItem(setupTitleId, this);
    const platform::Rect client = clientRect();
    frame.openHeight = client.height();
    frame.separator1 = 95;
    frame.separator2 = 196;
    frame.foldedHeight = frame.titleHeight;
    frame.unfolded = false;
    const platform::Rect folded{0, 0, client.width(), frame.foldedHeight};
    frame.moveWindow(folded, true);
    moveWindow(folded, true);
    for (int32_t field = 0; field < setupFieldCount; ++field)
        spinners[field]->subclassDlgItem(setupRows[field].spinnerId, this);
    updateData(false);
    return true;
}

void CViewOpenGLPagetteSetup::doDataExchange(platform::DataExchange& exchange)
{
    for (int32_t field = 0; field < setupFieldCount; ++field)
        platform::exchangeDouble(exchange, setupRows[field].editId, values[field]);
}

bool CViewOpenGLPagetteSetup::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    const int32_t field = fieldOfEdit(setupRows, id);
    if (code != platform::EN_CHANGE || field < 0)
        return Dialog::onCommand(id, code, control);
    OpenGLView* view = activeView();
    if (view == nullptr || !getDlgItemDouble(this, setupRows[field].editId, &values[field]))
        return true;
    if (applySetupValue(*view, field, values))
        updateData(false);
    invalidateDocumentViews();
    return true;
}

void CViewOpenGLPagetteSetup::beginSpin(Link&)
{
    if (exists())
        updateData(true);
}

void CViewOpenGLPagetteSetup::spun(Link& link)
{
    if (!exists())
        return;
    OpenGLView* view = activeView();
    if (view != nullptr)
        applySetupValue(*view, link.field, values);
    updateData(false);
    if (view != nullptr)
        page->mai->activeView->invalidate(false);
}

void CViewOpenGLPagetteSetup::refresh()
{
    OpenGLView* view = activeView();
    if (view == nullptr || !exists())
        return;
    const SetupValues shown = setupValuesOf(*view);
    if (shown == values)
        return;
    if (shown[FieldOfView] != values[FieldOfView])
        view->projectionDirty = true;
    values = shown;
    updateData(false);
}

// ---- Stress --------------------------------------------------------------------------------------

CViewOpenGLPagetteStress::CViewOpenGLPagetteStress(PluginVOPage* page) : OpenGLPagette(templateId, page)
{
    for (auto& button : buttons)
        button = std::make_unique<CColorButton>();
}

bool CViewOpenGLPagetteStress::onInitDialog()
{
    Dialog::onInitDialog();
    takeOverFrame(stressTitleId, 97);
    for (int32_t index = 0; index < colourCount; ++index)
        buttons[index]->subclassDlgItem(stressButtonIds[index], this);
    spinner.subclassDlgItem(1114, this);
    showFactor();
    return true;
}

void CViewOpenGLPagetteStress::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeDouble(exchange, factorId, values[0]);
}

bool CViewOpenGLPagetteStress::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (const int32_t index = indexOf(stressButtonIds, id); code == platform::BN_CLICKED && index >= 0)
    {
        if (buttons[index]->chooseColour())
            if (OpenGLView* view = activeView(); view != nullptr && view->docItem != nullptr)
            {
                view->docItem->*stressColours[index] = colourOfWord(buttons[index]->colour());
                page->mai->activeView->invalidate(false);
            }
        return true;
    }
    if (code == platform::EN_CHANGE && id == static_cast<uint32_t>(factorId))
    {
        OpenGLView* view = activeView();
        if (view != nullptr && view->docItem != nullptr && getDlgItemDouble(this, factorId, &values[0]))
        {
            view->docItem->stressExaggeration = values[0];
            invalidateDocumentViews();
        }
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CViewOpenGLPagetteStress::beginSpin(Link&)
{
    if (exists())
        updateData(true);
}

void CViewOpenGLPagetteStress::spun(Link&)
{
    if (!exists())
        return;
    updateData(false);
    OpenGLView* view = activeView();
    if (view != nullptr && view->docItem != nullptr && view->docItem->stressExaggeration != values[0])
    {
        view->docItem->stressExaggeration = values[0];
        invalidateDocumentViews();
    }
}

void CViewOpenGLPagetteStress::refresh()
{
    OpenGLView* view = activeView();
    if (view == nullptr || view->docItem == nullptr || !exists())
        return;
    const DocItemOpenGL& settings = *view->docItem;
    for (const int32_t index : {2, 1, 0})
    {
        const uint32_t shown = (settings.*stressColours[index]).word();
        if (buttons[index]->colour() != shown)
        {
            buttons[index]->setColour(shown);
            buttons[index]->invalidate(false);
        }
    }
    if (values[0] != settings.stressExaggeration)
    {
        values[0] = settings.stressExaggeration;
        showFactor();
    }
}

void CViewOpenGLPagetteStress::showFactor()
{
    // Six decimals, as "%f" writes them, in the C locale whatever the person's.
    char text[400];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, values[0], std::chars_format::fixed, 6);
    setDlgItemNumber(factorId, values[0], std::string(text, end.ptr));
}

void registerOpenGLPageTemplates()
{
    static const bool registered = [] {
        const platform::ModuleHandle module = thisModule();
        platform::registerDialogTemplate(module, CViewPageOpenGL::templateId, viewPageTemplate());
        platform::registerDialogTemplate(module, CEmptyChildDialog::templateId, emptyChildDialogTemplate());
        platform::registerDialogTemplate(module, CViewOpenGLPagetteSetup::templateId, setupTemplate());
        platform::registerDialogTemplate(module, CViewOpenGLPagetteColors::templateId, colorsTemplate());
        platform::registerDialogTemplate(module, CViewOpenGLPagetteGrid::templateId, gridTemplate());
        platform::registerDialogTemplate(module, CViewOpenGLPagetteStress::templateId, stressTemplate());
        return true;
    }();
    (void)registered;
}

} // namespace zintel
