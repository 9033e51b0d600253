#include "Lumbra/Perspective/PerspectivePagettes.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "Lumbra/Perspective/PerspectiveTools.h"
#include "Lumbra/Perspective/PerspectiveViewPage.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "uikit/DialogNumbers.h"

#include <algorithm>

namespace lumbra
{

namespace
{

constexpr int32_t setupTitleId = 1048;
constexpr std::array<int32_t, setupFieldCount> setupEditIds = {1049, 1050, 1051, 1055, 1056, 1057, 1061};
constexpr std::array<int32_t, setupFieldCount> setupSpinnerIds = {1052, 1053, 1054, 1058, 1059, 1060, 1062};
constexpr std::array<const char*, setupFieldCount> setupCaptions = {"pov X",     "pov Y", "pov Z", "Direction",
                                                                    "Tilt",      "Roll",  "Zoom"};
constexpr std::array<const char*, setupFieldCount> spinnerTexts = {"sX", "sY", "sZ", "sX", "sY", "sZ", "sZ"};

constexpr int32_t colorsTitleId = 1106;
constexpr int32_t showHideTitleId = 1104;
// The image of a layer that names no bitmap of its own.
constexpr int32_t showHideBitmapId = 145;
// Background, Select, Default, Frozen, Selected, Hidden: three rows of two.
constexpr std::array<int32_t, CViewPerspectivePagetteColors::colourCount> colourButtonIds = {1107, 1112, 1108,
                                                                                             1110, 1109, 1111};
constexpr std::array<const char*, CViewPerspectivePagetteColors::colourCount> colourCaptions = {
    "Background", "Select", "Default", "Frozen", "Selected", "Hidden"};
constexpr std::array<const char*, CViewPerspectivePagetteColors::colourCount> colourTexts = {"BG", "SA", "ID",
                                                                                             "IF", "IS", "IH"};

PerspectiveView* activeCamera(MAI* mai)
{
    return mai != nullptr ? perspectiveOf(mai->activeView) : nullptr;
}

// The frame over the whole pagette, open to the pagette's height.
void takeOverFrame(platform::Dialog& page, CPagetteButton& frame, int32_t titleId)
{
    frame.subclassDlgItem(titleId, &page);
    frame.moveWindow(page.clientRect(), false);
    frame.openHeight = page.clientRect().height();
}

platform::DialogTemplate setupTemplate()
{
    using namespace platform;
    std::vector<DialogItemTemplate> items = {controlItem("Button", setupTitleId, {0, 0, 115, 121}, BS_OWNERDRAW,
                                                         "Advanced View Setup")};
    for (int32_t field = 0; field < setupFieldCount; ++field)
    {
        const int32_t y = 16 + 14 * field;
        items.push_back(controlItem("Static", 0, {5, y + 2, 36, 8}, SS_LEFT, setupCaptions[field]));
        items.push_back(controlItem("Edit", setupEditIds[field], {42, y, 56, 12}, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL));
        items.push_back(controlItem("Button", setupSpinnerIds[field], {99, y, 9, 12}, BS_OWNERDRAW, spinnerTexts[field]));
    }
    return dialogTemplateOf({0, 0, 115, 121}, WS_CHILD | DS_CONTROL | DS_SETFONT, "", std::move(items));
}

platform::DialogTemplate colorsTemplate()
{
    using namespace platform;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", colorsTitleId, {0, 0, 115, 66}, BS_OWNERDRAW, "View Colors")};
    for (int32_t button = 0; button < CViewPerspectivePagetteColors::colourCount; ++button)
    {
        const int32_t x = button % 2 == 0 ? 3 : 58;
        const int32_t y = 16 + 16 * (button / 2);
        items.push_back(controlItem("Static", 0, {x, y + 2, 40, 8}, SS_LEFT, colourCaptions[button]));
        items.push_back(controlItem("Button", colourButtonIds[button], {x + 41, y, 12, 12}, WS_TABSTOP | BS_OWNERDRAW,
                                    colourTexts[button]));
    }
    return dialogTemplateOf({0, 0, 115, 66}, WS_CHILD | DS_CONTROL | DS_SETFONT, "", std::move(items));
}

} // namespace

std::array<double, setupFieldCount> setupValuesOf(const PerspectiveView& camera)
{
    return {camera.pointOfView.x, camera.pointOfView.y, camera.pointOfView.z, camera.direction,
            camera.tilt,          camera.roll,          camera.zoom};
}

void applySetupValue(PerspectiveView& camera, int32_t field, double value, bool zoomAsFloat)
{
    switch (field)
    {
    case PovX:
        camera.pointOfView.x = value;
        break;
    case PovY:
        camera.pointOfView.y = value;
        break;
    case PovZ:
        camera.pointOfView.z = value;
        break;
    case Direction:
        camera.direction = static_cast<float>(value);
        camera.updateDirection();
        break;
    case Tilt:
        camera.tilt = static_cast<float>(value);
        camera.updateTilt();
        break;
    case Roll:
        camera.roll = static_cast<float>(value);
        camera.updateRoll();
        break;
    case Zoom:
        camera.zoom = zoomAsFloat ? static_cast<float>(value) : value;
        break;
    default:
        break;
    }
}

CViewPerspectivePagetteSetup::CViewPerspectivePagetteSetup(MAI* mai) : platform::Dialog(templateId), mai(mai)
{
}

bool CViewPerspectivePagetteSetup::onInitDialog()
{
    takeOverFrame(*this, frame, setupTitleId);
    for (int32_t field = 0; field < setupFieldCount; ++field)
    {
        // Zoom spins multiplicatively (a click by 1.0 keeps it) and drags exponentially.
        const bool zoom = field == Zoom;
        links[field] = std::make_unique<SetupValueLink>(*this, field, zoom ? 0.01 : 1.0);
        spinners[field] = std::make_unique<CDoubleSpinner>(
            links[field].get(), zoom ? CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply : 0);
        spinners[field]->subclassDlgItem(setupSpinnerIds[field], this);
    }
    updateData(false);
    return true;
}

void CViewPerspectivePagetteSetup::doDataExchange(platform::DataExchange& exchange)
{
    for (int32_t field = 0; field < setupFieldCount; ++field)
        platform::exchangeDouble(exchange, setupEditIds[field], values[field]);
}

bool CViewPerspectivePagetteSetup::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code == platform::EN_CHANGE)
        for (int32_t field = 0; field < setupFieldCount; ++field)
            if (static_cast<int32_t>(id) == setupEditIds[field])
            {
                double value = 0.0;
                if (activeCamera(mai) != nullptr && getDlgItemDouble(this, setupEditIds[field], &value))
                    applyToActiveView(field, value, false);
                return true;
            }
    return platform::Dialog::onCommand(id, code, control);
}

void CViewPerspectivePagetteSetup::refresh()
{
    const PerspectiveView* camera = activeCamera(mai);
    if (camera == nullptr || !exists())
        return;
    const std::array<double, setupFieldCount> shown = setupValuesOf(*camera);
    if (shown == values)
        return;
    values = shown;
    updateData(false);
}

void CViewPerspectivePagetteSetup::applyToActiveView(int32_t field, double value, bool zoomAsFloat)
{
    PerspectiveView* camera = activeCamera(mai);
    if (camera == nullptr)
        return;
    applySetupValue(*camera, field, value, zoomAsFloat);
    mai->activeView->invalidate(false);
}

void CViewPerspectivePagetteSetup::SetupValueLink::valueChanged()
{
    page.updateData(false);
    page.applyToActiveView(field, *value, true);
}

uint32_t& colourField(PerspectiveView& camera, int32_t button)
{
    switch (button)
    {
    case 0:
        return camera.backgroundColor;
    case 1:
        return camera.selectColor;
    case 2:
        return camera.defaultColor;
    case 3:
        return camera.frozenColor;
    case 4:
        return camera.selectedColor;
    default:
        return camera.hiddenColor;
    }
}

CViewPerspectivePagetteColors::CViewPerspectivePagetteColors(MAI* mai) : platform::Dialog(templateId), mai(mai)
{
}

bool CViewPerspectivePagetteColors::onInitDialog()
{
    takeOverFrame(*this, frame, colorsTitleId);
    frame.separator1 = 52;
    for (int32_t button = 0; button < colourCount; ++button)
    {
        buttons[button] = std::make_unique<CColorButton>(&colours[button]);
        buttons[button]->subclassDlgItem(colourButtonIds[button], this);
    }
    return true;
}

bool CViewPerspectivePagetteColors::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code == platform::BN_CLICKED)
        for (int32_t button = 0; button < colourCount; ++button)
            if (static_cast<int32_t>(id) == colourButtonIds[button])
            {
                if (buttons[button]->chooseColour())
                    if (PerspectiveView* camera = activeCamera(mai))
                    {
                        colourField(*camera, button) = colours[button];
                        mai->activeView->invalidate(false);
                    }
                return true;
            }
    return platform::Dialog::onCommand(id, code, control);
}

void CViewPerspectivePagetteColors::refresh()
{
    PerspectiveView* camera = activeCamera(mai);
    if (camera == nullptr || !exists())
        return;
    for (int32_t button = 0; button < colourCount; ++button)
        if (colours[button] != colourField(*camera, button))
        {
            colours[button] = colourField(*camera, button);
            buttons[button]->invalidate(false);
        }
}

CViewPerspectivePagetteShowHide::CViewPerspectivePagetteShowHide(PluginViewPerspective* viewType)
    : platform::Dialog(templateId), viewType(viewType)
{
    frame.resizable = true;
    frame.openHeight = -1; // known at initialisation
}

bool CViewPerspectivePagetteShowHide::onInitDialog()
{
    takeOverFrame(*this, frame, showHideTitleId);
    frame.minOpenHeight = frame.openHeight;
    const platform::Rect client = clientRect();
    tree.create(platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_BORDER | platform::TVS_CHECKBOXES,
                {3, 20, client.right - 3, client.bottom - 13}, this, treeId);
    addBitmapImage(thisModule(), showHideBitmapId, images);
    tree.setImageList(&images);
    for (VornPluginBase* plugin = viewType->drawObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* layers = dynamic_cast<PluginDrawObject*>(plugin);
        if (layers == nullptr)
            continue;
        int image = 0;
        if (layers->getBitmapID() != 0)
            image = std::max(0, addBitmapImage(layers->module, layers->getBitmapID(), images));
        tree.insertItem(layers->getDisplayName(), image, image, platform::TreeItem::None, platform::TreeItem::Last,
                        reinterpret_cast<std::intptr_t>(layers));
    }
    return true;
}

void CViewPerspectivePagetteShowHide::refresh()
{
    MAI* mai = viewType->mai;
    if (!exists() || mai == nullptr || mai->activeView == nullptr || mai->activeView->viewTypeInfos == nullptr)
        return;
    for (platform::TreeItem item = tree.rootItem(); item != platform::TreeItem::None; item = tree.nextSibling(item))
    {
        if (tree.itemHasChildren(item))
            continue;
        auto* layers = reinterpret_cast<PluginDrawObject*>(tree.itemData(item));
        const PerspectiveDrawObject* layer = layerOf(mai->activeView, layers);
        tree.setCheck(item, layer != nullptr && layer->enabled != 0);
    }
}

void registerPerspectivePagetteTemplates()
{
    platform::registerDialogTemplate(thisModule(), CViewPerspectivePagetteSetup::templateId, setupTemplate());
    platform::registerDialogTemplate(thisModule(), CViewPerspectivePagetteColors::templateId, colorsTemplate());
    platform::registerDialogTemplate(
        thisModule(), CViewPerspectivePagetteShowHide::templateId,
        platform::dialogTemplateOf({0, 0, 115, 60}, platform::WS_CHILD | platform::DS_CONTROL | platform::DS_SETFONT, "",
                                   {platform::controlItem("Button", showHideTitleId, {0, 0, 115, 60},
                                                          platform::BS_OWNERDRAW, "Show/Hide Types")}));
}

} // namespace lumbra
