#include "Lumbra/Console/SelectedObjectPagette.h"

#include "VornData/VornDocument.h"
#include "VornData/VornGroup.h"
#include "VornData/VornSelection.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/SystemValues.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"

#include <vector>

namespace lumbra
{

namespace
{

const PagetteTexts selectedTexts = {
    "Selected Pagette",
    "Selected Pagette:\nDisplays/Allows Editing of Name\nand Color of the currently Selected.",
    "Selected",
    "Selected Pagette\n1999",
};

MAI_Doc* activeDocumentOf(const VornPluginWindowed* plugin)
{
    return plugin != nullptr && plugin->mai != nullptr ? plugin->mai->activeDocument : nullptr;
}

// The current selection of the document; null when there is none (none is made).
VornSelection* selectionOf(MAI_Doc* document)
{
    return document != nullptr ? document->document.findSelection() : nullptr;
}

VornSelectable* singleObjectOf(VornSelection* selection)
{
    return selection != nullptr && selection->isSingle() ? VornSelection::objectOf(selection->objects.getFirst())
                                                         : nullptr;
}

} // namespace

void appendGroupPath(const VornGroup* group, const VornGroup* root, std::string& text)
{
    std::vector<const VornGroup*> path;
    for (; group != nullptr && group != root; group = group->getParentGroup())
        path.push_back(group);
    for (auto outer = path.rbegin(); outer != path.rend(); ++outer)
    {
        text += (*outer)->name.getString();
        text += '.';
    }
}

std::string fullNameOf(const VornSelectable& object, const VornDocument& document)
{
    std::string text;
    appendGroupPath(object.getParentGroup(), document.getWorldGroup(), text);
    text += object.name.getString();
    return text;
}

// ---- window ----

CPageEditStaticSelected::CPageEditStaticSelected(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId), plugin(plugin)
{
}

bool CPageEditStaticSelected::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    colourButton.subclassDlgItem(colourId, this);
    showSelection();
    return false; // the pagette takes no focus of its own
}

bool CPageEditStaticSelected::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id == static_cast<uint32_t>(nameId))
    {
        platform::Window* edit = dlgItem(nameId);
        if (code == platform::EN_SETFOCUS)
            showName(true);
        else if (code == platform::EN_KILLFOCUS)
            showName(false);
        else if (code == platform::EN_CHANGE && edit != nullptr)
            rename(edit->windowText()); // only the user's typing notifies a change
        return true;
    }
    if (id == static_cast<uint32_t>(colourId))
    {
        if (code == platform::BN_CLICKED)
            recolour();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void CPageEditStaticSelected::setNameText(const std::string& text, bool enabled, bool caretAtEnd)
{
    platform::Window* edit = dlgItem(nameId);
    if (edit == nullptr)
        return;
    if (edit->windowText() != text)
    {
        edit->setWindowText(text);
        // A name to edit gets the caret behind it; other texts show from their start.
        const auto caret = static_cast<platform::LParam>(caretAtEnd ? text.size() : 0);
        edit->sendMessage(platform::EM_SETSEL, static_cast<platform::WParam>(caret), caret);
    }
    edit->enableWindow(enabled);
}

void CPageEditStaticSelected::showName(bool focused)
{
    MAI_Doc* document = activeDocumentOf(plugin);
    VornSelection* selection = selectionOf(document);
    if (document == nullptr)
        setNameText(noDocumentText, false);
    else if (selection == nullptr || selection->isEmpty())
        setNameText(nothingSelectedText, false);
    else if (VornSelectable* object = singleObjectOf(selection))
        setNameText(focused ? std::string(object->name.getString()) : fullNameOf(*object, document->document), true,
                    focused);
    else
        setNameText(severalSelectedText, false);
}

void CPageEditStaticSelected::showSelection()
{
    if (!exists())
        return;
    MAI_Doc* document = activeDocumentOf(plugin);
    VornSelection* selection = selectionOf(document);
    if (document == nullptr || selection == nullptr || selection->isEmpty())
    {
        setNameText(nothingSelectedText, false);
        colourButton.enableWindow(false);
        return;
    }
    colourButton.enableWindow(true);
    const knot* first = selection->objects.getFirst();
    uint32_t shared = VornSelection::objectOf(first)->getColor();
    for (const knot* link = first->getNext(); link != nullptr; link = link->getNext())
        if (VornSelection::objectOf(link)->getColor() != shared)
        {
            shared = colour; // the objects differ: the button keeps what it shows
            break;
        }
    if (shared != colour)
    {
        colour = shared;
        colourButton.invalidate(true);
    }
    platform::Window* edit = dlgItem(nameId);
    showName(edit != nullptr && platform::Window::focus() == edit);
}

void CPageEditStaticSelected::rename(const std::string& text)
{
    MAI_Doc* document = activeDocumentOf(plugin);
    VornSelectable* object = singleObjectOf(selectionOf(document));
    if (object == nullptr)
    {
        showName(false);
        return;
    }
    auto* owner = dynamic_cast<PluginEditStaticPageSelected*>(plugin);
    DocumentChangeLock lock(document, documentLockWaitingText("Rename").c_str(),
                            owner != nullptr ? owner->lockTimeout : documentLockTimeout);
    if (!lock)
    {
        setNameText(object->name.getString(), true, true);
        return;
    }
    object->name.set(&document->document.getStringStorage(), text.c_str());
}

void CPageEditStaticSelected::recolour()
{
    const uint32_t before = colour;
    if (!colourButton.chooseColour())
        return;
    MAI_Doc* document = activeDocumentOf(plugin);
    VornSelection* selection = selectionOf(document);
    if (selection == nullptr || selection->isEmpty())
        return;
    {
        auto* owner = dynamic_cast<PluginEditStaticPageSelected*>(plugin);
        DocumentChangeLock lock(document, documentLockWaitingText("Color").c_str(),
                                owner != nullptr ? owner->lockTimeout : documentLockTimeout);
        if (!lock)
        {
            colour = before;
            colourButton.invalidate(true);
            return;
        }
        for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
            VornSelection::objectOf(link)->setColor(colour);
    }
    document->invalidateViews();
}

// ---- plugin ----

PluginEditStaticPageSelected::PluginEditStaticPageSelected() : WindowedPagette(selectedTexts)
{
}

void PluginEditStaticPageSelected::registerListeners()
{
    if (mai != nullptr && !listener.isSubscribed())
        mai->notifierRegistry.addListener(Channel::SelectionChanged, &listener);
}

void PluginEditStaticPageSelected::Listener::notify(void*)
{
    if (CPageEditStaticSelected* window = plugin.window())
        window->showSelection();
}

platform::DialogTemplate selectedPagetteTemplate()
{
    using namespace platform;
    using Page = CPageEditStaticSelected;
    DialogItemTemplate colourButton =
        controlItem("Button", Page::colourId, {101, 15, 13, 12}, BS_OWNERDRAW | WS_TABSTOP | WS_DISABLED, "C");
    colourButton.exStyle = WS_EX_STATICEDGE;
    return dialogTemplateOf(
        {0, 0, 120, 32}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "",
        {
            controlItem("Button", Page::frameId, {0, 0, 119, 31}, BS_OWNERDRAW, "Selected"),
            controlItem("Edit", Page::nameId, {5, 15, 93, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED),
            colourButton,
        });
}

} // namespace lumbra
