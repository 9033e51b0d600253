#pragma once

// The windows of the creation pagettes. Each shows its pagette's model and hands the user's input
// to it; what the program writes into a control never counts as input.

#include "Lumbra/Creators/CreatorModels.h"
#include "Lumbra/SectionPages/PageSupport.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "uikit/ColorButton.h"
#include "uikit/DialogNumbers.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <array>
#include <memory>

class VornPluginWindowed;

namespace lumbra
{

// A pagette plugin that keeps the model its window shows. Plugins name it before their windowed
// base, so that the model outlives the window bound to it.
template <class Model>
class ModelHolder
{
public:
    virtual ~ModelHolder() = default;
    Model model;
};

// The model kept by the plugin that makes the window; a plugin without one is a program error.
template <class Model>
Model& modelOfPagette(VornPluginWindowed* plugin)
{
    auto* holder = dynamic_cast<ModelHolder<Model>*>(plugin);
    if (holder == nullptr)
        throw Exc_InternalError("modelOfPagette");
    return holder->model;
}

// Where the controls of a three-number pagette are.
struct TripleLayout
{
    int32_t dialogId;
    int32_t frameId;
    const char* title;
    std::array<int32_t, 3> editIds;
    std::array<int32_t, 3> spinnerIds;
    std::array<const char*, 3> labels;
    std::array<const char*, 3> spinnerTexts;
};

// Three edits with spin buttons under a foldable frame.
class CPageNumberTriple : public platform::Dialog
{
public:
    CPageNumberTriple(const TripleLayout& layout, NumberTripleModel& model, bool startsFolded);
    ~CPageNumberTriple() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // Shows the values and the state of the edits.
    virtual void showModel();

    void beginSpin(int32_t row);
    virtual void spun(int32_t row);
    // The user left an edit.
    virtual void editLeft(int32_t) {}

    CPagetteButton frame;
    NumberTripleModel& model;

protected:
    const TripleLayout& layout;

private:
    const bool startsFolded;
    bool showing = false;
    FocusedNumberField focusedField;
    std::array<std::unique_ptr<PageRowLink<CPageNumberTriple>>, 3> links;
    std::array<std::unique_ptr<CDoubleSpinner>, 3> spinners;
};

class CPageJointCoordinates : public CPageNumberTriple
{
public:
    static constexpr int32_t dialogId = 123;
    static const TripleLayout controls;
    CPageJointCoordinates(platform::Window* parent, VornPluginWindowed* plugin);
};

class CPageJointOrientation : public CPageNumberTriple
{
public:
    static constexpr int32_t dialogId = 128;
    static const TripleLayout controls;
    CPageJointOrientation(platform::Window* parent, VornPluginWindowed* plugin);
};

class CPageJointSupport : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 129;
    static constexpr int32_t frameId = 1043;
    static constexpr int32_t rigidId = 1169;
    static constexpr int32_t hingeId = 1170;
    static constexpr int32_t localId = 1167;
    static constexpr int32_t globalId = 1166;
    static constexpr std::array<int32_t, 2> allIds = {1044, 1045}; // translation, rotation
    static constexpr std::array<std::array<int32_t, 3>, 2> axisIds = {{{1037, 1038, 1039}, {1040, 1041, 1042}}};

    CPageJointSupport(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();

    CPagetteButton frame;
    JointSupportModel& model;
};

// Which blocking box of a Support window a control id is: its row and axis (axis -1: the row's
// "all" box). False for other controls.
bool supportBoxOf(uint32_t id, JointSupportModel::Row& row, int32_t& axis);
// Shows the support boxes of a creation or edit Support window (each box 0, 1 or 2) and its radios.
void showSupportBoxes(platform::Dialog& page, const std::array<std::array<int32_t, 3>, 2>& blocked,
                      const std::array<int32_t, 2>& all, std::array<bool, 4> rigidHingeLocalGlobal);
// The Support window's controls under the frame; the edit page's boxes are all three-state and
// change only when the page says so.
platform::DialogTemplate supportTemplate(int32_t frameId, bool editing);
// A three-number window of that height, in dialog units.
platform::DialogTemplate tripleTemplate(const TripleLayout& layout, int32_t height);

// The name and colour of the next object of any creator (dialog 126).
class CPageNameAndColor : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 126;
    static constexpr int32_t nameId = 1017;
    static constexpr int32_t colourId = 1018;
    static constexpr int32_t frameId = 1022;

    CPageNameAndColor(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();

    CPagetteButton frame;
    CColorButton colourButton;
    NameAndColourModel& model;

private:
    bool showing = false;
};

// The CREATE button of any creator (dialog 127): it asks the owning creator to create.
class CPageCreateButton : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 127;
    static constexpr int32_t buttonId = 1019;

    CPageCreateButton(platform::Window* parent, VornPluginWindowed* plugin);

    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

private:
    VornPluginWindowed* plugin;
};

// Registers the dialog templates of these windows with the library.
void registerCreationPageTemplates();

} // namespace lumbra
