#pragma once

#include "Lumbra/Perspective/PerspectiveView.h"
#include "platform/Dialog.h"
#include "uikit/ColorButton.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <array>
#include <memory>

class MAI;

namespace lumbra
{

// The seven camera values of the setup pagette, in its order.
enum SetupField : int32_t
{
    PovX,
    PovY,
    PovZ,
    Direction,
    Tilt,
    Roll,
    Zoom,
};
constexpr int32_t setupFieldCount = 7;

// The camera's seven values as the setup pagette shows them.
std::array<double, setupFieldCount> setupValuesOf(const PerspectiveView& camera);
// Writes one value into the camera: angles as floats with their sines refreshed; the zoom as it
// comes, or rounded to a float (`zoomAsFloat`, as the spin button stores it).
void applySetupValue(PerspectiveView& camera, int32_t field, double value, bool zoomAsFloat);

// "Advanced View Setup": the active perspective window's camera, typed or spun.
class CViewPerspectivePagetteSetup : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 133;

    explicit CViewPerspectivePagetteSetup(MAI* mai);
    bool onInitDialog() override;
    void doDataExchange(platform::DataExchange& exchange) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // Shows the active window's camera where it differs from what is shown.
    void refresh();

    std::array<double, setupFieldCount> values{};

private:
    // Spinning a value: the edits are read before, shown after, and the value goes to the camera.
    class SetupValueLink : public DoubleSpinnerLink
    {
    public:
        SetupValueLink(CViewPerspectivePagetteSetup& page, int32_t field, double dragFactor)
            : DoubleSpinnerLink(&page.values[field], 1.0, dragFactor), page(page), field(field)
        {
        }
        void beginChange() override { page.updateData(true); }
        void valueChanged() override;

    private:
        CViewPerspectivePagetteSetup& page;
        int32_t field;
    };

    // Writes the value into the active window's camera and repaints that window.
    void applyToActiveView(int32_t field, double value, bool zoomAsFloat);

    MAI* mai;
    CPagetteButton frame;
    std::array<std::unique_ptr<SetupValueLink>, setupFieldCount> links;
    std::array<std::unique_ptr<CDoubleSpinner>, setupFieldCount> spinners;
};

// "View Colors": the active perspective window's six colours.
class CViewPerspectivePagetteColors : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 146;
    static constexpr int32_t colourCount = 6;

    explicit CViewPerspectivePagetteColors(MAI* mai);
    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // Shows the active window's colours where they differ.
    void refresh();

    std::array<uint32_t, colourCount> colours{};

private:
    MAI* mai;
    CPagetteButton frame;
    std::array<std::unique_ptr<CColorButton>, colourCount> buttons;
};

// The colour field of the camera that a colour button of the pagette edits, in button order.
uint32_t& colourField(PerspectiveView& camera, int32_t button);

// Registers the pagettes' dialog templates with the library's resources.
void registerPerspectivePagetteTemplates();

} // namespace lumbra

#include "platform/ImageList.h"
#include "platform/TreeControl.h"

namespace lumbra
{

class PluginViewPerspective;

// "Show/Hide Types": the layers of the active perspective window, checked while shown.
class CViewPerspectivePagetteShowHide : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 145;
    static constexpr int32_t treeId = 1105;

    explicit CViewPerspectivePagetteShowHide(PluginViewPerspective* viewType);
    bool onInitDialog() override;
    // Checks the layers the active window shows.
    void refresh();

    platform::TreeControl tree;

private:
    PluginViewPerspective* viewType;
    CPagetteButton frame;
    platform::ImageList images{{16, 16}};
};

} // namespace lumbra
