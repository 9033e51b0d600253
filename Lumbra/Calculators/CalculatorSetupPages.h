#pragma once

// The calculators' pages of the calculation setup dialog. A page edits the parameters of its
// calculator's item in the active document, which it makes with the calculator's defaults when
// the document has none, so the parameters can be set before the first start and changed while a
// calculation runs (the worker reads them afresh in every iteration).
//
// Only what the user types, ticks and clicks changes the item: a refresh shows values and writes
// nothing back, since the platform's edits report changes of their text only for typing. A number
// typed while the page's calculator runs in the document is taken when the user leaves the edit or
// presses Enter: taken at every keystroke, the partial texts ("1" of "1e9", "0" of "0.4") would
// each be iterated with and could wreck the running calculation.

#include "Lumbra/Calculators/IteratorCalculators.h"
#include "platform/Dialog.h"
#include "plugins/VornPluginDialog.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class MAI_Doc;

namespace lumbra
{

class CalculatorPageWindow;

// What tells the pages apart to the user.
struct SetupPageIdentity
{
    const char* name;
    const char* description;
    const char* aboutText;
    int32_t dialogId;
    const char* updateThrower;
};

class IteratorSetupPage : public CalculatorSetupPage
{
public:
    ~IteratorSetupPage() override;

    const char* getName() override { return identity.name; }
    const char* getDescription() override { return identity.description; }
    void about(PluginWindowHandle* parent) override;
    // Makes the page's window object on the first request; the host makes its window around it.
    PluginWindowRequest* getWindowRequest() override;
    // With an active document: makes sure it has the calculator's item, then refreshes the window.
    void updateSetupPage() override;

    IteratorCalculator& iteratorCalculator() const { return *static_cast<IteratorCalculator*>(calculator); }
    // The window object; null before the first window request.
    CalculatorPageWindow* pageWindow() const { return window.get(); }

protected:
    IteratorSetupPage(IteratorCalculator* calculator, const SetupPageIdentity& identity);
    virtual std::unique_ptr<CalculatorPageWindow> makeWindow() = 0;

private:
    const SetupPageIdentity& identity;
    std::unique_ptr<CalculatorPageWindow> window;
};

// The window of a page: the edits of numbers and the clicks of the buttons.
class CalculatorPageWindow : public platform::Dialog
{
public:
    CalculatorPageWindow(int32_t templateId, VornPluginWindowed* plugin);

    // Shows the values of the active document's item; nothing without an active document.
    virtual void refresh() = 0;
    // A number typed during a run and not taken yet is dropped (a refresh shows the item's value).
    void dropPendingNumber() { pendingEdit = 0; }
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    bool preTranslateMessage(platform::Message& message) override;

protected:
    // The page value that a number edit shows; null for other controls.
    virtual double* valueOfEdit(int32_t id) = 0;
    // The user typed a number into an edit, which the page has taken: it goes where it belongs.
    virtual void numberTyped(MAI_Doc& document, int32_t id, double value) = 0;
    // A button was clicked; `document` is the active document, null when there is none.
    virtual void clicked(MAI_Doc* document, int32_t id) {}

    MAI_Doc* activeDocument() const;
    // The page's calculator's item in the document, or null.
    template <class Item>
    Item* itemIn(MAI_Doc& document) const;
    void enableControls(std::initializer_list<int32_t> ids, bool enable);
    bool isTicked(int32_t id) const { return isDlgButtonChecked(id) == platform::BST_CHECKED; }

    IteratorSetupPage* const page;

private:
    // Reads the edit's number; when it holds one, the page keeps it and numberTyped places it.
    void takeNumber(MAI_Doc& document, int32_t id);
    bool calculationRuns(MAI_Doc& document) const;

    // The edit typed into while the calculation runs, whose number waits; 0 when none.
    int32_t pendingEdit = 0;
};

// Control ids of the pages.
namespace SetupControl
{
constexpr int32_t update = 1000; // Basic: "&Update"; Auto basic: the statistics button
constexpr int32_t automatic = 1125;
constexpr int32_t factor = 1143; // Auto basic: "Factor"; Basic: "Inv.Disp.factor"
constexpr int32_t eFactor = 1144;
constexpr int32_t biggestForce = 1145;
constexpr int32_t residual = 1146;
constexpr int32_t g = 1147;
constexpr int32_t timeBase = 1148; // Full and Velocity; Basic: the biggest displacement
constexpr int32_t biggestDisplacement = 1148;
constexpr int32_t drag = 1149;
constexpr int32_t floorHeight = 1150;
constexpr int32_t factorBase = 1163;
constexpr int32_t factorBaseLabel = 1164;
constexpr int32_t factorLabel = 1165;
constexpr int32_t dragOn = 1168;
constexpr int32_t floorOn = 1201;
} // namespace SetupControl

// The largest published displacement length and the largest published |axial force| of a document
// (the lists "Displacements" under "VornJoint" and "NForces" under "VornMember"); 0 without them.
struct PublishedExtremes
{
    double displacement = 0;
    double axialForce = 0;
};
PublishedExtremes publishedExtremes(VornDocument& document);

// A page whose edits show and edit parameters of its calculator's item one to one.
template <class Item>
class ParameterPageWindow : public CalculatorPageWindow
{
public:
    using Parameters = std::remove_cvref_t<decltype(std::declval<const Item&>().parameters())>;

protected:
    using CalculatorPageWindow::CalculatorPageWindow;

    // An edit, the page value it shows and the parameter it edits.
    struct Field
    {
        int32_t id;
        double* shown;
        double Parameters::*parameter;
    };

    double* valueOfEdit(int32_t id) override;
    void numberTyped(MAI_Doc& document, int32_t id, double value) override;
    // Copies the item's parameters into the page values and answers them; nothing without item.
    std::optional<Parameters> showItem(MAI_Doc& document);

    std::vector<Field> fields;
};

class CPageCalcSetupBasicIterator : public ParameterPageWindow<BasicIteratorItem>
{
public:
    static constexpr int32_t dialogId = 156;
    static constexpr const char* unknownStatistic = "? press update";

    CPageCalcSetupBasicIterator(platform::Window* parent, VornPluginWindowed* plugin);

    void refresh() override;
    void doDataExchange(platform::DataExchange& exchange) override;

    double inverseDisplacementFactor = 1e10;
    double eFactor = 0;
    double g = 0;
    // A statistic in its own format, and the value it shows once updated (fitted to its field).
    struct Statistic
    {
        std::string text = unknownStatistic;
        std::optional<double> value;
    };
    Statistic biggestDisplacement;
    Statistic biggestForce;
    Statistic residual;

private:
    // Update: has the active calculator publish its latest iteration, then shows the largest
    // published displacement and axial force and the last iteration's out-of-balance force.
    void clicked(MAI_Doc* document, int32_t id) override;
};

class CPageCalcSetupAutoBasicIterator : public ParameterPageWindow<AutoBasicIteratorItem>
{
public:
    static constexpr int32_t dialogId = 169;

    CPageCalcSetupAutoBasicIterator(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    void refresh() override;
    void doDataExchange(platform::DataExchange& exchange) override;

    double factor = 0;
    double eFactor = 0.1;
    double g = 9.81;
    double factorBase = 2.5;
    int32_t automatic = platform::BST_CHECKED;

private:
    void clicked(MAI_Doc* document, int32_t id) override;
    // The factor and its label while automatic is off, the factor base and its label while on.
    void enableStepControls(bool automaticOn);
};

// The Full and Velocity pages: E-factor, g, time base and the drag, which the Drag box switches on
// and off (off: the item's drag is 0 and its drag value waits for the next tick).
template <class Item>
class DampedPageWindow : public ParameterPageWindow<Item>
{
public:
    DampedPageWindow(int32_t templateId, VornPluginWindowed* plugin, double timeBase, double drag);

    void refresh() override;

    double eFactor = 0.01;
    double g = 9.81;
    double timeBase;
    double drag;
    int32_t dragOn = platform::BST_UNCHECKED;

protected:
    double* valueOfEdit(int32_t id) override;
    void numberTyped(MAI_Doc& document, int32_t id, double value) override;
    void clicked(MAI_Doc* document, int32_t id) override;
};

class CPageCalcSetupFullIterator : public DampedPageWindow<FullIteratorItem>
{
public:
    static constexpr int32_t dialogId = 175;

    CPageCalcSetupFullIterator(platform::Window* parent, VornPluginWindowed* plugin);

    void doDataExchange(platform::DataExchange& exchange) override;
};

// Also switches the document's floor on and off and sets its height; the floor belongs to the
// document, so it is set also while the document has no item.
class CPageCalcSetupVelocityIterator : public DampedPageWindow<VelocityIteratorItem>
{
public:
    static constexpr int32_t dialogId = 170;

    CPageCalcSetupVelocityIterator(platform::Window* parent, VornPluginWindowed* plugin);

    void refresh() override;
    void doDataExchange(platform::DataExchange& exchange) override;

    double floorHeight = 0;
    int32_t floorOn = platform::BST_UNCHECKED;

private:
    double* valueOfEdit(int32_t id) override;
    void numberTyped(MAI_Doc& document, int32_t id, double value) override;
    void clicked(MAI_Doc* document, int32_t id) override;
};

template <class Window>
class IteratorSetupPageOf : public IteratorSetupPage
{
public:
    using IteratorSetupPage::IteratorSetupPage;

    Window* window() const { return static_cast<Window*>(pageWindow()); }

protected:
    std::unique_ptr<CalculatorPageWindow> makeWindow() override { return std::make_unique<Window>(nullptr, this); }
};

class PluginCalculatorBasicIteratorSetupPage final : public IteratorSetupPageOf<CPageCalcSetupBasicIterator>
{
public:
    explicit PluginCalculatorBasicIteratorSetupPage(IteratorCalculator* calculator);
};

class PluginCalculatorAutoBasicIteratorSetupPage final : public IteratorSetupPageOf<CPageCalcSetupAutoBasicIterator>
{
public:
    explicit PluginCalculatorAutoBasicIteratorSetupPage(IteratorCalculator* calculator);
};

class PluginCalculatorFullIteratorSetupPage final : public IteratorSetupPageOf<CPageCalcSetupFullIterator>
{
public:
    explicit PluginCalculatorFullIteratorSetupPage(IteratorCalculator* calculator);
};

class PluginCalculatorVelocityIteratorSetupPage final : public IteratorSetupPageOf<CPageCalcSetupVelocityIterator>
{
public:
    explicit PluginCalculatorVelocityIteratorSetupPage(IteratorCalculator* calculator);
};

// The templates of the four pages, registered with the library's resources.
void registerCalculatorSetupPageTemplates();

} // namespace lumbra
