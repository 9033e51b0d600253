#pragma once

// The force creator's two Settings pagettes: the creation pagette, which makes force definitions
// and applies them to the selected joints, and the edit pagette, which changes the definitions of
// the selected forces and through them every force that uses them. Both change the model under
// the document lock. Values written into their edits by the program are never taken as typing.

#include "Lumbra/Creators/CreationPages.h"
#include "Lumbra/Creators/ObjectCreatorTool.h"
#include "__globalobjectdevice/Notifier.h"
#include "Knots/knotList.h"
#include "VornData/VornMath.h"
#include "platform/ComboBox.h"

#include <string>
#include <vector>

class VornForceDefinition;
class VornJoint;

namespace lumbra
{

// Base of the force creator's creation pagettes ("Creator Force Pagette").
class PluginCreatorForcePage : public CreationPagette
{
public:
    const char* getTypeName() override;
};

// Base of the force creator's edit pagettes ("Edit Force Pagette").
class PluginCreatorForceEditPage : public VornPluginEditPagette
{
public:
    const char* getTypeName() override;
};

// Controls that both Settings windows share.
struct ForceSettingsIds
{
    static constexpr int32_t frameId = 1086;
    static constexpr int32_t nameComboId = 1109;
    static constexpr int32_t colourId = 1018;
    static constexpr int32_t globalId = 1166;
    static constexpr int32_t localId = 1167;
    static constexpr std::array<int32_t, 3> editIds = {1013, 1014, 1015};
    static constexpr std::array<int32_t, 3> spinnerIds = {1016, 1001, 1002};
};

// The X, Y and Z rows of a Settings window: their values, the texts typed into them, and the spin
// buttons whose step follows the size of the value spun.
class ForceVectorRows
{
public:
    template <class Page>
    explicit ForceVectorRows(Page& page)
    {
        for (size_t row = 0; row < 3; ++row)
        {
            links[row] =
                std::make_unique<PageRowLink<Page>>(page, static_cast<int32_t>(row), model.valueAddress(row), 0.0);
            links[row]->step = 1.0;
            links[row]->dragFactor = 1.0;
            spinners[row] = std::make_unique<CDoubleSpinner>(links[row].get(), 0);
        }
    }
    void attach(platform::Dialog& page);
    // A spin starts from the typed value; its step and drag factor become a tenth of the value's
    // decimal order (1 for 0).
    void beginSpin(int32_t row);
    // Writes the values the program gave into the edits (silently); typed text stays.
    void show(platform::Dialog& page);
    // The spin button changed the row's value.
    void spun(int32_t row);
    // The user typed into the row's edit: its text, and its value when it reads as a number.
    void typed(platform::Dialog& page, size_t row);
    void setValues(const Vector3& vector);
    Vector3 values() const;

    NumberTripleModel model;

private:
    std::array<std::unique_ptr<DoubleSpinnerLink>, 3> links;
    std::array<std::unique_ptr<CDoubleSpinner>, 3> spinners;
};

class PluginCreatorForcePageSettings;

// The creation Settings window (dialog 172): the current force definition of the document, or the
// settings of a new one, and the button that creates it and applies it to the selected joints.
class CPageForceSettings : public platform::Dialog, public ForceSettingsIds
{
public:
    static constexpr int32_t dialogId = 172;
    static constexpr int32_t groupId = 1177;
    static constexpr int32_t applyToSelectionId = 1168;
    static constexpr int32_t captionId = 1178;
    static constexpr int32_t buttonId = 1000;
    static constexpr uint32_t initialColour = 0xFFFF00;
    static constexpr const char* newEntryText = " new force definition";
    // The colour of the name in the combo while it names a definition still to be made.
    static constexpr platform::ColorRef newNameColour = 0x008000;

    CPageForceSettings(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    platform::ColorRef controlTextColour(platform::Window& control) override;

    // Shows the current definition, or prepares a new one with a name no definition has.
    void refresh();
    // Refreshes now when the window is visible, at its next paint otherwise.
    void refreshSoon();
    // Creates the new definition (in new-definition mode) and applies the current one to the
    // selected joints, under the document lock.
    void onCreateAndApply();
    // The joint under the cursor (null: none, or the cursor left the view).
    void showJoint(VornJoint* joint, bool leftView);
    void hideJoint();
    // The selection changed: whether it holds a joint.
    void selectionChanged();

    void beginSpin(int32_t row) { rows.beginSpin(row); }
    void spun(int32_t row);

    bool newDefinitionMode = true;
    bool jointSelected = true;
    bool refreshPending = true;
    const VornJoint* hoveredJoint = nullptr; // compared only, never read
    bool applyToSelection = true;
    std::string jointCaption;
    uint32_t colour = initialColour;
    bool global = true;
    ForceVectorRows rows{*this};
    CPagetteButton frame;
    CColorButton colourButton;
    platform::ComboBox nameCombo;

private:
    MAI* mai() const;
    VornForceDefinition* currentDefinition() const;
    void setCurrentDefinition(VornForceDefinition* definition);
    void readControls();
    void writeControls();
    void valueChanged();
    void dropDown();
    void selectionChange();
    void editChange();
    std::string comboText() const;

    VornPluginWindowed* plugin;
    std::string keptName; // the name shown when the list was opened
};

// The creation Settings pagette ("Settings Pagette" of "Creator Force Pagette").
class PluginCreatorForcePageSettings : public WindowedPagette<PluginCreatorForcePage, CPageForceSettings>
{
public:
    PluginCreatorForcePageSettings();

    void registerListeners() override;
    void onSnapPoint(SnapPoint* point, uint32_t flags) override;
    void onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags) override;
    // The force creator creates no object of its own.
    void applyToNewObject(VornDocument*, VornBaseObject*) override {}

    // How long a change waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    class SelectionListener : public NotifierListener
    {
    public:
        explicit SelectionListener(PluginCreatorForcePageSettings& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorForcePageSettings& page;
    };
    class DefinitionListener : public NotifierListener
    {
    public:
        explicit DefinitionListener(PluginCreatorForcePageSettings& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorForcePageSettings& page;
    };

    SelectionListener selectionListener{*this};
    SelectionListener documentListener{*this};
    DefinitionListener definitionListener{*this};
};

class PluginCreatorForceEditPageSettings;

// The edit Settings window (dialog 173): the definition of the selected forces. Every change is
// applied at once to the definition and its forces.
class CPageEditForceSettings : public platform::Dialog, public ForceSettingsIds
{
public:
    static constexpr int32_t dialogId = 173;
    static constexpr int32_t nameEditId = 1179;
    static constexpr uint32_t initialColour = 0xFFFF00;
    // At most this many definitions are offered in the combo.
    static constexpr size_t listedDefinitions = 256;
    // The colour of a typed name that another definition has.
    static constexpr platform::ColorRef conflictingNameColour = 0x0000C0;

    CPageEditForceSettings(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::ColorRef controlTextColour(platform::Window& control) override;

    // Fills the window from the selection's forces; false when it found none.
    bool fill(VornSelection& selection);
    // Shows the values of the edited definition (its name stays as shown).
    void showDefinition();

    void beginSpin(int32_t row) { rows.beginSpin(row); }
    void spun(int32_t row);

    bool nameConflict = false;
    uint32_t colour = initialColour;
    ForceVectorRows rows{*this};
    CPagetteButton frame;
    CColorButton colourButton;
    platform::ComboBox nameCombo;

private:
    PluginCreatorForceEditPageSettings& page() const;
    MAI* mai() const;
    void writeVector();
    void vectorTyped(size_t row);
    void nameTyped(int32_t controlId);
    void nameLeft(int32_t controlId);
    // Sets or clears the conflict of the name shown in the control, which then shows it in its colour.
    void setNameConflict(int32_t controlId, bool conflict);
    void dropDown();
    void selectionChange();
    void colourClicked();

    VornPluginWindowed* plugin;
};

// The edit Settings pagette ("Settings Pagette" of "Edit Force Pagette").
class PluginCreatorForceEditPageSettings : public WindowedPagette<PluginCreatorForceEditPage, CPageEditForceSettings>
{
public:
    PluginCreatorForceEditPageSettings();

    void registerListeners() override;
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;

    // The definition the window shows and changes; empties itself when the definition goes.
    VornForceDefinition* edited() const;
    void setEdited(VornForceDefinition* definition);
    // Changes the edited definition under the document lock, copies it into its forces, redraws
    // the views and announces the change; nothing without a document, a definition or the lock.
    template <class Change>
    void changeDefinition(const void* changedValue, Change change, bool redraw = true);
    // Announces a change of the definition on "FDFCH", past this page's own listener.
    void sendChange(VornForceDefinition* definition, const void* changedValue);

    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginCreatorForceEditPageSettings& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorForceEditPageSettings& page;
    };

    knotReference editedDefinition;
    Listener listener{*this};
};

// The distinct force definitions of the selection's forces, in selection order, at most `limit`.
std::vector<VornForceDefinition*> definitionsOfSelectedForces(VornSelection& selection, size_t limit);
// Changes `name` until no definition of the list (but `except`) has it, ignoring case.
void makeDefinitionNameUnique(BlockList<VornForceDefinition>& definitions, std::string& name,
                              const VornForceDefinition* except = nullptr);
// The list's last definition (scanning from the last) named `name` ignoring case, but `except`.
VornForceDefinition* findDefinitionNamed(BlockList<VornForceDefinition>& definitions, const std::string& name,
                                         const VornForceDefinition* except = nullptr);

void registerForcePageTemplates();

} // namespace lumbra
