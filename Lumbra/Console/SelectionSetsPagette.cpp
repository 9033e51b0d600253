#include "Lumbra/Console/SelectionSetsPagette.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/EditMenuItems.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/VornDocument.h"
#include "VornData/VornSelection.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/SystemValues.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"

#include <new>

namespace lumbra
{

namespace
{

const PagetteTexts selectionTexts = {
    "Selection Pagette",
    "Selection Pagette:\nCreate/Select the current selection.",
    "Selection",
    "Selection Pagette\n1999",
};

constexpr uint8_t selectedAndHighlighted = VornFlag::Selected | VornFlag::PreSelected;

MAI_Doc* activeDocumentOf(const VornPluginWindowed* plugin)
{
    return plugin != nullptr && plugin->mai != nullptr ? plugin->mai->activeDocument : nullptr;
}

std::chrono::milliseconds lockTimeoutOf(VornPluginWindowed* plugin)
{
    auto* owner = dynamic_cast<PluginEditStaticPageSelection*>(plugin);
    return owner != nullptr ? owner->lockTimeout : documentLockTimeout;
}

std::intptr_t entryDataOf(const VornSelection* selection)
{
    return reinterpret_cast<std::intptr_t>(selection);
}

} // namespace

std::vector<SelectionSetEntry> selectionSetsOf(VornDocument& document)
{
    std::vector<SelectionSetEntry> sets;
    BlockList<VornSelection>* list = document.getSelectionList();
    for (uint32_t index = list != nullptr ? list->getCount() : 0; index-- > 0;)
    {
        const VornSelection& selection = (*list)[index];
        if (!selection.isRemoved() && selection.isNamed())
            sets.emplace_back(&selection, selection.name.getString());
    }
    return sets;
}

VornSelection* selectionSetOf(VornDocument& document, std::intptr_t entryData, const std::string& entryText)
{
    BlockList<VornSelection>* list = document.getSelectionList();
    for (uint32_t index = list != nullptr ? list->getCount() : 0; index-- > 0;)
    {
        VornSelection& selection = (*list)[index];
        if (entryDataOf(&selection) == entryData)
            return !selection.isRemoved() && selection.isNamed() && entryText == selection.name.getString() ? &selection
                                                                                                            : nullptr;
    }
    return nullptr;
}

// ---- window ----

CPageEditStaticSelection::CPageEditStaticSelection(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
}

bool CPageEditStaticSelection::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    combo.subclassDlgItem(comboId, this);
    toolbar.create(platform::WS_VISIBLE | platform::CCS_NODIVIDER | platform::CCS_NORESIZE |
                       platform::CCS_NOPARENTALIGN,
                   {7, 21, 35, 50}, this, toolbarId);
    images = std::make_unique<platform::ImageList>(platform::Size{16, 16});
    toolbar.setImageList(images.get());
    const int32_t image =
        addBitmapImage(plugin != nullptr ? plugin->module : thisModule(), MenuItemImage::Select, *images);
    if (image >= 0)
    {
        platform::ToolbarButton button;
        button.imageIndex = image;
        button.commandId = 0;
        button.state = platform::TBSTATE_ENABLED;
        button.style = platform::TBSTYLE_BUTTON;
        toolbar.addButtons(&button, 1);
    }
    toolbar.modifyStyleEx(0, platform::WS_EX_TRANSPARENT);
    toolbar.showWindow(platform::SW_SHOW);
    showSets();
    return false; // the pagette takes no focus of its own
}

bool CPageEditStaticSelection::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id == static_cast<uint32_t>(comboId))
    {
        if (code == platform::CBN_EDITCHANGE)
            nameSelection();
        else if (code == platform::CBN_SELCHANGE)
            pickEntry();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

platform::LResult CPageEditStaticSelection::windowProc(uint32_t message, platform::WParam wParam,
                                                       platform::LParam lParam)
{
    if (message == platform::WM_NOTIFY)
    {
        auto* header = reinterpret_cast<platform::NotifyHeader*>(lParam);
        if (header != nullptr && header->idFrom == static_cast<std::uintptr_t>(toolbarId) &&
            header->code == platform::NM_CLICK)
        {
            auto* owner = dynamic_cast<PluginEditStaticPageSelection*>(plugin);
            if (owner != nullptr && owner->selectTool != nullptr && owner->mai != nullptr)
                owner->mai->postCommand(owner->selectTool->commandId);
            return 1;
        }
    }
    return Dialog::windowProc(message, wParam, lParam);
}

int CPageEditStaticSelection::entryOf(std::intptr_t data) const
{
    for (int entry = 0; entry < combo.count(); ++entry)
        if (combo.itemData(entry) == data)
            return entry;
    return -1;
}

void CPageEditStaticSelection::fillList(VornDocument* document)
{
    combo.resetContent();
    listedDocument = document;
    listedSets.clear();
    if (document == nullptr)
        return;
    listedSets = selectionSetsOf(*document);
    combo.setItemData(combo.addString(allText), allEntry);
    combo.setItemData(combo.addString(noneText), noneEntry);
    for (const SelectionSetEntry& set : listedSets)
        combo.setItemData(combo.addString(set.second), entryDataOf(set.first));
}

void CPageEditStaticSelection::showSets()
{
    if (!exists())
        return;
    MAI_Doc* active = activeDocumentOf(plugin);
    VornDocument* document = active != nullptr ? &active->document : nullptr;
    // The entries hold the sets' addresses: any change of the sets or of their places lists them
    // anew, so that an entry never stands for another set than the one it names.
    if (document != listedDocument || (document != nullptr && selectionSetsOf(*document) != listedSets))
        fillList(document);
    if (document == nullptr)
    {
        combo.setWindowText("");
        return;
    }
    const VornSelection* current = document->findSelection();
    const std::string name = current != nullptr && current->isNamed() ? current->name.getString() : "";
    if (combo.windowText() != name)
        combo.setWindowText(name);
    combo.setCurSel(current != nullptr && current->isNamed() ? entryOf(entryDataOf(current)) : -1);
}

void CPageEditStaticSelection::nameSelection()
{
    MAI* mai = plugin != nullptr ? plugin->mai : nullptr;
    MAI_Doc* active = activeDocumentOf(plugin);
    VornSelection* selection = active != nullptr ? active->document.findSelection() : nullptr;
    if (selection == nullptr || selection->isEmpty())
    {
        combo.setWindowText("");
        if (mai != nullptr)
            mai->beep();
        return;
    }
    const std::string typed = combo.windowText();
    int selectionStart = 0;
    int selectionEnd = 0;
    const bool hasEditSelection = combo.editSel(selectionStart, selectionEnd);
    const std::string name = typed.substr(std::min(typed.find_first_not_of(' '), typed.size()));
    {
        DocumentChangeLock lock(active, documentLockWaitingText("Selection").c_str(), lockTimeoutOf(plugin),
                                ChangeScope::OpenDocumentState);
        if (!lock)
        {
            combo.setWindowText(selection->isNamed() ? selection->name.getString() : "");
            return;
        }
        if (name.empty())
        {
            selection->name.release();
            selection->setNamed(false);
        }
        else
        {
            selection->name.set(&active->document.getStringStorage(), name.c_str());
            selection->setNamed(true);
        }
    }
    // The set's own entry goes, whatever other sets share its old name.
    if (const int old = entryOf(entryDataOf(selection)); old >= 0)
        combo.deleteString(old);
    bool refused = false;
    if (!name.empty())
    {
        const int added = combo.addString(name);
        refused = added < 0 || !combo.setItemData(added, entryDataOf(selection));
    }
    listedSets = selectionSetsOf(active->document);
    // Changing the entries must not change what the user is typing.
    if (combo.windowText() != typed)
    {
        combo.setCurSel(-1);
        combo.setWindowText(typed);
        if (hasEditSelection)
            combo.setEditSel(selectionStart, selectionEnd);
    }
    if (refused && mai != nullptr)
        mai->messageBox("Can't add string to selectionlist", "Error", platform::MB_OK);
}

void CPageEditStaticSelection::pickEntry()
{
    MAI* mai = plugin != nullptr ? plugin->mai : nullptr;
    MAI_Doc* active = activeDocumentOf(plugin);
    const int entry = combo.curSel();
    if (active == nullptr || entry < 0)
        return;
    VornDocument& document = active->document;
    const std::intptr_t data = combo.itemData(entry);
    VornSelection* current = document.findSelection();
    if (current != nullptr && entryDataOf(current) == data)
        return; // the current set again: nothing changes
    if (data == allEntry || data == noneEntry)
    {
        {
            DocumentChangeLock lock(active, documentLockWaitingText("Selection").c_str(), lockTimeoutOf(plugin),
                                    ChangeScope::OpenDocumentState);
            if (!lock)
            {
                showSets();
                return;
            }
            if (current != nullptr)
                current->clearFlags(selectedAndHighlighted);
            if (data == allEntry)
                document.selectAll(document.getModifiableSelection());
            else
                document.newSelection();
        }
        combo.setCurSel(-1);
        if (data == noneEntry)
            combo.setWindowText("");
        notify(mai, Channel::SelectionChanged);
        active->invalidateViews();
        return;
    }
    VornSelection* set = selectionSetOf(document, data, combo.itemText(entry));
    if (set == nullptr)
    {
        // The entry no longer stands for a set of that name: list the sets as they are.
        listedDocument = nullptr;
        showSets();
        return;
    }
    notify(mai, Channel::SelectionChanging);
    {
        DocumentChangeLock lock(active, documentLockWaitingText("Selection").c_str(), lockTimeoutOf(plugin),
                                ChangeScope::OpenDocumentState);
        if (!lock)
        {
            showSets();
            return;
        }
        current = document.findSelection();
        if (current != nullptr)
            current->clearFlags(selectedAndHighlighted);
        set->setFlags(selectedAndHighlighted);
        document.setSelection(set);
    }
    combo.setEditSel(-1, 0);
    notify(mai, Channel::SelectionChanged);
    active->invalidateViews();
}

// ---- plugin ----

PluginEditStaticPageSelection::PluginEditStaticPageSelection() : WindowedPagette(selectionTexts)
{
}

void PluginEditStaticPageSelection::registerListeners()
{
    if (mai == nullptr || selectionListener.isSubscribed())
        return;
    mai->notifierRegistry.addListener(Channel::SelectionChanged, &selectionListener);
    mai->notifierRegistry.addListener(Channel::ActiveDocumentChanged, &documentListener);
}

void PluginEditStaticPageSelection::Listener::notify(void*)
{
    if (CPageEditStaticSelection* window = plugin.window())
        window->showSets();
}

VornPluginBase* PluginEditStaticPageSelection::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    if (selectTool == nullptr)
    {
        selectTool = new (std::nothrow) PluginMenuItemSelect;
        if (selectTool == nullptr)
            throw Exc_OutOfMemory("PluginEditStaticPageSelection::GetPackagedPlugin");
        selectTool->owner = this;
    }
    return package(selectTool);
}

bool PluginEditStaticPageSelection::activatePlugin(VornPluginBase* plugin)
{
    return plugin != nullptr && plugin == selectTool;
}

platform::DialogTemplate selectionPagetteTemplate()
{
    using namespace platform;
    using Page = CPageEditStaticSelection;
    return dialogTemplateOf(
        {0, 0, 120, 32}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 72, 16}, BS_OWNERDRAW, "Selection"),
            controlItem("ComboBox", Page::comboId, {24, 14, 91, 81}, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
        });
}

} // namespace lumbra
