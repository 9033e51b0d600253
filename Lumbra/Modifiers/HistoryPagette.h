#pragma once

// The History pagette of the Edit page: the modifier records of the selected objects and the
// creation entries of their types as a tree. Picking an entry makes the record active and shows
// its pagettes, or shows the edit pagettes of the creator of that type; the context menu runs the
// history commands.

#include "Lumbra/Modifiers/HistoryEntries.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/TreeControl.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/PagetteButton.h"

#include <memory>
#include <string>
#include <vector>

namespace platform
{
class Menu;
}

namespace lumbra
{

class CMCPageEdit;
class PluginEditStaticPageHistory;

// Pictures of the tree (16 x 16 bitmaps of the library). Joints and members show the pictures
// of the perspective view's layers.
namespace HistoryImage
{
constexpr int32_t Image0 = 159;
constexpr int32_t Image1 = 158;
constexpr int32_t CreationGroup = 157;
constexpr int32_t NotShared = 166;
constexpr int32_t Group = 156;
constexpr int32_t Joint = 141;
constexpr int32_t Member = 142;
constexpr int32_t Force = 173;
} // namespace HistoryImage

// What the context menu is opened on.
struct HistoryMenuContext
{
    enum class Target : uint8_t
    {
        Nothing,
        Record,
        SingleCreation,
        GroupedCreation,
    };
    Target target = Target::Nothing;
    bool historyEnabled = true;
    bool recordDisabled = false;
    bool autoSelectModifier = false;
    bool displayModifierOptions = true;
};

// Fills the context menu of the History pagette.
void buildHistoryMenu(platform::Menu& menu, const HistoryMenuContext& context);

class CPageEditStaticHistory : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 140;
    static constexpr int32_t frameId = 1080;
    static constexpr int32_t treeId = 1132;

    CPageEditStaticHistory(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Lists the records and creation entries of the active document's selection anew.
    void rebuild();
    // The user (or the rebuild) picked an entry.
    void picked();
    // The context menu for the entry at the client point of the tree.
    void openMenuAt(platform::Point treePoint);
    // Runs a context-menu command on the entry last right-clicked; true when it is one.
    bool runCommand(uint32_t id);

    CPagetteButton frame;
    platform::TreeControl tree;
    // The creation type last right-clicked (0: a record; -1: the single creation entry) and the
    // record last right-clicked (null: a creation entry).
    int32_t clickedType = 0;
    VornModifier* clickedRecord = nullptr;

private:
    // The Edit page that holds the pagette; null outside one.
    CMCPageEdit* editPage() const;
    // The image of a modifier's records, added on first use.
    int32_t recordImage(VornModifier* record);
    int32_t typeImage(int32_t typeId) const;
    // The record of a tree entry when it is still a record of the document.
    VornModifier* liveRecord(MAI_Doc* document, intptr_t data) const;

    PluginEditStaticPageHistory* owner;
    std::unique_ptr<platform::ImageList> images;
};

class PluginEditStaticPageHistory : public PluginEditStaticPage
{
public:
    PluginEditStaticPageHistory();

    const char* getName() override { return "History Pagette"; }
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    void registerListeners() override;
    PluginWindowRequest* getWindowRequest() override;

    CPageEditStaticHistory* window() const { return page.get(); }

    // The tree image of each object type id; 0 where none was stored.
    std::vector<int32_t> typeImages;

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginEditStaticPageHistory& pagette) : pagette(pagette) {}
        void notify(void*) override;

    private:
        PluginEditStaticPageHistory& pagette;
    };
    Listener selectionListener{*this};
    Listener historyListener{*this};
    std::unique_ptr<CPageEditStaticHistory> page;
};

// Makes the pagette for the Edit page.
VornPlugin* makeHistoryPagette();

// Registers the pagette's dialog template and pictures with the library.
void registerHistoryPagetteResources();

} // namespace lumbra
