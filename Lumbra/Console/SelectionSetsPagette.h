#pragma once

// The Edit page's Selection pagette: named selection sets. Typing a name into the combo names the
// current selection; picking an entry makes that set the current selection again, " all" selects
// every object and " none" starts an empty selection. A tool button beside the combo activates the
// selection tool, which the pagette's plugin packages.

#include "Lumbra/SectionPages/PageSupport.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/ComboBox.h"
#include "platform/ControlNotifications.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/ImageList.h"
#include "platform/Toolbar.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/PagetteButton.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class VornDocument;
class VornSelection;

namespace lumbra
{

class PluginMenuItemSelect;

// One named set as the combo lists it: the selection and its name.
using SelectionSetEntry = std::pair<const VornSelection*, std::string>;

// The named sets of the document's "VornSelection" list, from its last element to its first.
std::vector<SelectionSetEntry> selectionSetsOf(VornDocument& document);

// The set an entry of the combo stands for when it is still one of the document's named sets
// under that name; null otherwise (the set was renamed, dropped or moved to another slot).
VornSelection* selectionSetOf(VornDocument& document, std::intptr_t entryData, const std::string& entryText);

class CPageEditStaticSelection : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 136;
    static constexpr int32_t frameId = 1065;
    static constexpr int32_t comboId = 1066;
    static constexpr int32_t toolbarId = 1075;

    static constexpr const char* allText = " all";
    static constexpr const char* noneText = " none";
    // The data words of the " all" and " none" entries; a set's entry holds its selection.
    static constexpr std::intptr_t allEntry = 1;
    static constexpr std::intptr_t noneEntry = 2;

    CPageEditStaticSelection(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Lists the active document's sets again when the document or its sets changed, and shows the
    // name of the current selection.
    void showSets();
    // The user typed into the combo's edit field: the current selection takes the text as its name.
    void nameSelection();
    // The user picked an entry of the combo.
    void pickEntry();

    CPagetteButton frame;
    std::unique_ptr<platform::ImageList> images;
    platform::Toolbar toolbar;
    platform::ComboBox combo;

private:
    // The combo's entry standing for that data word; -1 when there is none.
    int entryOf(std::intptr_t data) const;
    // Lists the sets anew.
    void fillList(VornDocument* document);

    VornPluginWindowed* plugin;
    VornDocument* listedDocument = nullptr;
    std::vector<SelectionSetEntry> listedSets;
};

class PluginEditStaticPageSelection : public WindowedPagette<PluginEditStaticPage, CPageEditStaticSelection>
{
public:
    PluginEditStaticPageSelection();

    // Subscribes the "SELCH" and "DOCCH" listeners.
    void registerListeners() override;
    // Index 0: the selection tool, made once.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // True for its selection tool.
    bool activatePlugin(VornPluginBase* plugin) override;

    PluginMenuItemSelect* selectTool = nullptr;
    // How long a change of the sets waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginEditStaticPageSelection& plugin) : plugin(plugin) {}
        void notify(void* payload) override;
        PluginEditStaticPageSelection& plugin;
    };
    Listener selectionListener{*this};
    Listener documentListener{*this};
};

platform::DialogTemplate selectionPagetteTemplate();

} // namespace lumbra
