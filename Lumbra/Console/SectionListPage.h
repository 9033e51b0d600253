#pragma once

// The console's CrossSections and Materials pages: one page for a list of property objects of
// the active document, shown as a sorted tree, with New, Delete, Rename and Apply to Selection
// and below them the pagettes of the chosen element (the list's current element).

#include "BlockLists/BlockList.h"
#include "Lumbra/Console/ConsolePage.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/TreeControl.h"
#include "plugins/DocumentChangeLock.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class PluginManager;
class VornCrossSection;
class VornMaterial;

namespace lumbra
{

class PluginCrossSectionPage;
class PluginMaterialPage;

// What tells the two pages apart.
struct SectionListKind
{
    ConsolePageTexts texts;
    int32_t dialogId;
    int32_t tabBitmapId;
    int32_t treeBitmapId;
    const char* listName; // the document's block list
    const char* channel; // sent with a null payload after New and Delete, a record after a rename
    const char* pagetteType;
    const char* firstNewName;
    const char* packagingThrower;
    const char* initThrower; // of the pagette host's exceptions
    int32_t deleteId;
    int32_t renameId;
    int32_t folderId;
    int32_t applyId;
    int32_t paintId;
    int32_t placeholderId;
};

// Ids shared by both page templates.
namespace SectionListControl
{
constexpr int32_t New = 1091;
constexpr int32_t Tree = 1089;
constexpr int32_t Frame = 1097;
} // namespace SectionListControl

const SectionListKind& crossSectionListKind();
const SectionListKind& materialListKind();

// A colour for a new element: one channel in 0x60..0xDF, another so that the two add up to 0x140,
// the third 0x40; `draw` answers numbers from 0 to 32767.
uint32_t makeRandomColor(const std::function<int32_t()>& draw);
// The same from the program's generator, seeded with the time on the first call.
uint32_t makeRandomColor();

// Forwards the key-down of the message it is sent (a platform::Message) to its window.
class KeyForwardListener : public NotifierListener
{
public:
    void notify(void* payload) override;
    platform::Window* window = nullptr;
};

template <class Element, class Pagette>
class SectionListPage;

// "CRSCH"/"MATCH" and "DOCCH": rebuild on a null payload, refresh the pagettes when the record
// names the current element.
template <class Element, class Pagette>
class SectionListListener : public NotifierListener
{
public:
    explicit SectionListListener(SectionListPage<Element, Pagette>& page) : page(page) {}
    void notify(void* payload) override;
    SectionListPage<Element, Pagette>& page;
    bool sendingOwn = false;
};

// "SELCH": whether the selection can take an element and which one all of it has.
template <class Element, class Pagette>
class SectionSelectionListener : public NotifierListener
{
public:
    explicit SectionSelectionListener(SectionListPage<Element, Pagette>& page) : page(page) {}
    void notify(void* payload) override;
    SectionListPage<Element, Pagette>& page;
    bool canTake = false;
    Element* commonElement = nullptr;
};

// "APLSL": an element of the kind was applied to the selection.
template <class Element, class Pagette>
class SectionApplyListener : public NotifierListener
{
public:
    explicit SectionApplyListener(SectionListPage<Element, Pagette>& page) : page(page) {}
    void notify(void* payload) override;
    SectionListPage<Element, Pagette>& page;
};

template <class Element, class Pagette>
class SectionListWindow;

template <class Element, class Pagette>
class SectionListPage : public LumbraConsolePage
{
public:
    using Window = SectionListWindow<Element, Pagette>;
    // `makePagette` packages the pagettes: index 0, 1, ... until it answers null.
    SectionListPage(const SectionListKind& kind, Pagette* (*makePagette)(uint32_t));

    // The first call subscribes the listeners to the list channel, "DOCCH", "SELCH" and "APLSL".
    const char* getName() override;
    void registerPluginTypes(PluginManager* registry) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;

    // The active document's list; null without a document or list.
    BlockList<Element>* list() const;
    Window* window() const;
    // Every pagette shows the element (null: none).
    void refreshPagettes(Element* element);
    // Sends the list channel with the payload while the own list listener ignores it.
    void sendOwn(void* payload);
    // The document lock around a change made by the named button, with its time-out box.
    DocumentChangeLock lockForChange(const char* operation) const;

    const SectionListKind& kind;
    VornPluginBase* pagettes = nullptr; // head of the pagette list
    std::unique_ptr<SectionListListener<Element, Pagette>> listListener;
    std::unique_ptr<SectionListListener<Element, Pagette>> documentListener;
    std::unique_ptr<SectionSelectionListener<Element, Pagette>> selectionListener;
    std::unique_ptr<SectionApplyListener<Element, Pagette>> applyListener;
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;

private:
    Pagette* (*makePagette)(uint32_t);
};

template <class Element, class Pagette>
class SectionListWindow : public platform::Dialog
{
public:
    SectionListWindow(platform::Window* parent, SectionListPage<Element, Pagette>* owner);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    void onNew();
    void onDelete();
    void onRename();
    void onApplyToSelection();
    // The tree's items again from the list, sorted, the current element selected.
    void rebuildTree();
    // Buttons and pagettes after the tree's selection changed.
    void onSelchangedTree();
    // Apply to Selection from the selection listener's state.
    void updateApplyButton();
    // The end of a label edit: `text` null when it was cancelled.
    void onEndLabelEdit(platform::TreeItem item, const char* text);

    platform::TreeControl tree;
    KeyForwardListener enterForwarder;
    KeyForwardListener escapeForwarder;
    PagetteHost pagetteHost;
    std::unique_ptr<platform::ImageList> treeImages;

private:
    void enableButton(int32_t id, bool enable);
    void layout(int32_t width, int32_t height);

    SectionListPage<Element, Pagette>* owner;
};

using PluginMCPageCrossSections = SectionListPage<VornCrossSection, PluginCrossSectionPage>;
using PluginMCPageMaterials = SectionListPage<VornMaterial, PluginMaterialPage>;
using CMCPageCrossSections = SectionListWindow<VornCrossSection, PluginCrossSectionPage>;
using CMCPageMaterials = SectionListWindow<VornMaterial, PluginMaterialPage>;

VornPlugin* makeCrossSectionsPage();
VornPlugin* makeMaterialsPage();

// The templates 148 and 109.
platform::DialogTemplate sectionListTemplate(const SectionListKind& kind);

} // namespace lumbra
