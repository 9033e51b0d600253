#pragma once

// The four pagettes of the OpenGL view page. Each edits the active OpenGL view or the settings of
// its document directly and then redraws. The platform's edits tell only what the person types,
// so wherever a pagette writes a value back into its edits it also applies what follows from it.

#include "Zintel/Pages/LibraryControls.h"
#include "platform/Dialog.h"
#include "uikit/DialogNumbers.h"

#include <array>
#include <cstdint>
#include <memory>

class MAI;
class PluginWindowHandle;

namespace zintel
{

class DocItemOpenGL;
class OpenGLView;
class PluginVOPage;

// The state of the active view when it shows the OpenGL view type; null otherwise.
OpenGLView* activeOpenGLView(MAI* mai);

// ---- Rules of the values, free of windows -------------------------------------------------------

// The camera values of the setup pagette, in the order of its rows.
enum SetupField : int32_t
{
    PovX,
    PovY,
    PovZ,
    Direction,
    Tilt,
    Roll,
    FieldOfView,
    NearClip,
    FarClip,
};
constexpr int32_t setupFieldCount = 9;
using SetupValues = std::array<double, setupFieldCount>;

constexpr double minimumNearClip = 1e-07;
constexpr double minimumFarClip = 3e-07;
constexpr double minimumFieldOfView = 1.0;
constexpr double maximumFieldOfView = 179.0;

SetupValues setupValuesOf(const OpenGLView& view);
// Puts values[field] into the view. The clip distances stay at their minimums and far at least
// twice near, the field of view in [1, 179]; where that corrects a value, `values` gets the value
// stored, and the answer is true (the edits must show it).
bool applySetupValue(OpenGLView& view, int32_t field, SetupValues& values);

// The grid values of the grid pagette, in the order of its rows.
enum GridField : int32_t
{
    SpacingX,
    SpacingY,
    SpacingZ,
    OffsetX,
    OffsetY,
    OffsetZ,
};
constexpr int32_t gridFieldCount = 6;
using GridValues = std::array<double, gridFieldCount>;

GridValues gridValuesOf(const DocItemOpenGL& settings);
// A grid value into the document: a spacing must be above 0 (false: refused, nothing changes).
// With `uniform`, a spacing along x is the spacing along all three axes.
bool applyGridValue(DocItemOpenGL& settings, int32_t field, double value, bool uniform);

// ---- Pagettes ------------------------------------------------------------------------------------

// What the four pagettes share: their page plugin, their frame over the whole pagette and the
// active OpenGL view.
class OpenGLPagette : public platform::Dialog
{
public:
    OpenGLPagette(int32_t templateId, PluginVOPage* page);

    // Shows the active OpenGL view's values where they differ from what is shown.
    virtual void refresh() = 0;

    CPagetteButton frame;

protected:
    // Binds the frame to its title button and lays it over the whole pagette, open.
    void takeOverFrame(int32_t titleId, int32_t separator);
    OpenGLView* activeView() const;
    // Redraws every view of the active document.
    void invalidateDocumentViews() const;

    PluginVOPage* page;
};

// Tells a pagette before and after its spinner changes one of its values.
template <class Pagette>
class PagetteValueLink : public DoubleSpinnerLink
{
public:
    PagetteValueLink(Pagette& pagette, int32_t field, double step, double dragFactor)
        : DoubleSpinnerLink(&pagette.values[field], step, dragFactor), pagette(pagette), field(field)
    {
    }
    void beginChange() override { pagette.beginSpin(*this); }
    void valueChanged() override { pagette.spun(*this); }

    Pagette& pagette;
    const int32_t field;
};

// "View Colors": six colours of the active OpenGL view.
class CViewOpenGLPagetteColors : public OpenGLPagette
{
public:
    static constexpr int32_t templateId = 146;
    static constexpr int32_t colourCount = 6;

    explicit CViewOpenGLPagetteColors(PluginVOPage* page);
    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void refresh() override;

    std::array<std::unique_ptr<CColorButton>, colourCount> buttons;
};

// "Grid Setup": the grid of the active OpenGL view's document.
class CViewOpenGLPagetteGrid : public OpenGLPagette
{
public:
    static constexpr int32_t templateId = 147;
    static constexpr int32_t uniformId = 1109;

    explicit CViewOpenGLPagetteGrid(PluginVOPage* page);
    bool onInitDialog() override;
    void doDataExchange(platform::DataExchange& exchange) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void refresh() override;

    using Link = PagetteValueLink<CViewOpenGLPagetteGrid>;
    void beginSpin(Link& link);
    void spun(Link& link);

    GridValues values{};
    int32_t uniform = 0;

private:
    // What a field takes: spacings above 0, offsets any number.
    static NumberRange rangeOf(int32_t field);
    void typed(int32_t field);
    // Leaving a field on a refused text gives it back its value, the grid then showing what it uses.
    void editLeft(int32_t field);
    void uniformClicked();
    // Y and Z spacings can be typed only while Uniform is off.
    void showUniform(bool on);

    std::array<std::unique_ptr<Link>, gridFieldCount> links;
    std::array<std::unique_ptr<CDoubleSpinner>, gridFieldCount> spinners;
    // The value a spinner started from or last stored: what a refused spacing goes back to.
    GridValues lastGood{};
    FocusedNumberField focusedField;
};

// "Advanced View Setup": the camera and projection of the active OpenGL view; starts folded.
class CViewOpenGLPagetteSetup : public OpenGLPagette
{
public:
    static constexpr int32_t templateId = 133;

    explicit CViewOpenGLPagetteSetup(PluginVOPage* page);
    bool onInitDialog() override;
    void doDataExchange(platform::DataExchange& exchange) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void refresh() override;

    using Link = PagetteValueLink<CViewOpenGLPagetteSetup>;
    void beginSpin(Link& link);
    void spun(Link& link);

    SetupValues values{};

private:
    std::array<std::unique_ptr<Link>, setupFieldCount> links;
    std::array<std::unique_ptr<CDoubleSpinner>, setupFieldCount> spinners;
};

// "Stress Display Settings": the stress colours and exaggeration of the active OpenGL view's
// document.
class CViewOpenGLPagetteStress : public OpenGLPagette
{
public:
    static constexpr int32_t templateId = 148;
    static constexpr int32_t colourCount = 3;
    static constexpr int32_t factorId = 1113;

    explicit CViewOpenGLPagetteStress(PluginVOPage* page);
    bool onInitDialog() override;
    void doDataExchange(platform::DataExchange& exchange) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void refresh() override;

    using Link = PagetteValueLink<CViewOpenGLPagetteStress>;
    void beginSpin(Link& link);
    void spun(Link& link);

    // The exaggeration factor shown.
    std::array<double, 1> values{1.0};
    std::array<std::unique_ptr<CColorButton>, colourCount> buttons; // tension, neutral, compression

private:
    // The factor in six decimals.
    void showFactor();

    Link link{*this, 0, 1.0, 0.01};
    CDoubleSpinner spinner{&link, CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply};
};

// Registers the templates of the view page, its holder and its pagettes with the library's
// resources (once).
void registerOpenGLPageTemplates();

} // namespace zintel
