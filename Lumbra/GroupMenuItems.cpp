#include "Lumbra/GroupMenuItems.h"

#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/VornDocument.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "uikit/ControlBars.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <new>

namespace lumbra
{

namespace
{

// The group that holds the world tracer: objects directly in it are not grouped.
VornGroup* rootGroupOf(VornDocument& document)
{
    return document.getWorldTracer().getParentGroup();
}

// The object of a selection knot as a group selected as a whole, else null.
VornGroup* closedGroupOf(const knot* link)
{
    VornGroup* group = VornGroup::asGroup(VornSelection::objectOf(link));
    return group != nullptr && group->isSelected() ? group : nullptr;
}

// The object's own group when it belongs to a subgroup and is not already inside a closed one.
VornGroup* closableGroupOf(const knot* link, const VornGroup* root)
{
    VornSelectable* object = VornSelection::objectOf(link);
    if (object->isInClosedGroup())
        return nullptr;
    VornGroup* parent = object->getParentGroup();
    return parent != root ? parent : nullptr;
}

// Makes the new selection current in place of the old one and marks its objects selected. The old
// selection leaves its list through setSelection when it is not a named set (a named set stays as
// it is), so it is removed exactly once.
void makeCurrent(MAI_Doc& documentInterface, VornSelection* replacement)
{
    VornSelection* current = documentInterface.document.setSelection(replacement);
    current->setFlags(VornFlag::Selected | VornFlag::PreSelected);
}

} // namespace

PluginMenuItemGroupClose::PluginMenuItemGroupClose()
    : LumbraMenuItem({"Close Group", "&Edit\\&Grouping\\&Close", "Close Group", MenuItemImage::CloseGroup, nullptr,
                      "Close Group Menu Item"},
                     true)
{
}

void PluginMenuItemGroupClose::execute(MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    if (selection == nullptr)
        return;
    MAI_Doc& documentInterface = *documentInterfaceOf(activeView);
    // Opening and closing groups changes only the closed-group marks and the selection.
    const DocumentChangeLock lock = lockDocument(&documentInterface, ChangeScope::OpenDocumentState);
    if (!lock)
        return;
    VornDocument& document = documentInterface.document;
    notify(mai, Channel::SelectionChanging);
    VornGroup* root = rootGroupOf(document);

    VornSelection* replacement = document.getSelectionList()->add();
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->isInClosedGroup())
            continue;
        // Closing a group marks its members as inside it, so later members of it are passed over.
        if (VornGroup* group = closableGroupOf(link, root))
        {
            group->select();
            replacement->add(group);
        }
        else
            replacement->add(object);
    }
    makeCurrent(documentInterface, replacement);
    notify(mai, Channel::SelectionChanged);
    documentInterface.invalidateViews();
}

void PluginMenuItemGroupClose::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    bool closable = false;
    if (selection != nullptr)
    {
        const VornGroup* root = rootGroupOf(*documentOf(activeView));
        for (knot* link = selection->objects.getFirst(); link != nullptr && !closable; link = link->getNext())
            closable = closableGroupOf(link, root) != nullptr;
    }
    commandUI->Enable(closable);
}

PluginMenuItemGroupOpen::PluginMenuItemGroupOpen()
    : LumbraMenuItem({"Open Group", "&Edit\\&Grouping\\&Open", "Open Group", MenuItemImage::OpenGroup, nullptr,
                      "Open Group Menu Item"},
                     true)
{
}

void PluginMenuItemGroupOpen::execute(MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    if (selection == nullptr)
        return;
    MAI_Doc& documentInterface = *documentInterfaceOf(activeView);
    // Opening and closing groups changes only the closed-group marks and the selection.
    const DocumentChangeLock lock = lockDocument(&documentInterface, ChangeScope::OpenDocumentState);
    if (!lock)
        return;
    VornDocument& document = documentInterface.document;

    VornSelection* replacement = document.getSelectionList()->add();
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        if (VornGroup* group = closedGroupOf(link))
        {
            group->deselect();
            group->addToSelection(replacement);
        }
        else
            replacement->add(VornSelection::objectOf(link));
    }
    notify(mai, Channel::SelectionChanging);
    makeCurrent(documentInterface, replacement);
    notify(mai, Channel::SelectionChanged);
    documentInterface.invalidateViews();
}

void PluginMenuItemGroupOpen::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    bool openable = false;
    for (knot* link = selection != nullptr ? selection->objects.getFirst() : nullptr; link != nullptr && !openable;
         link = link->getNext())
        openable = closedGroupOf(link) != nullptr;
    commandUI->Enable(openable);
}

PluginMenuItemGroupCreate::PluginMenuItemGroupCreate()
    : LumbraMenuItem({"Create Group", "&Edit\\&Grouping\\&Group", "Create Group", MenuItemImage::CreateGroup, nullptr,
                      "Group Menu Item"},
                     true)
{
}

VornPluginBase* PluginMenuItemGroupCreate::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    try
    {
        dialog = package(new PluginCreateGroupDialog(this));
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory("PluginMenuItemGroupCreate::GetPackagedPlugin");
    }
    return dialog;
}

void PluginMenuItemGroupCreate::execute(MAI_View* activeView)
{
    if (dialog == nullptr || dialog->windowHandle == nullptr)
        return;
    platform::Window* window = dialog->windowHandle->getWnd();
    if (window == nullptr)
        return;
    const bool show = !dialog->windowHandle->isVisible();
    if (showBarInFrame(dialog->barHandle, show) && show)
        window->setFocus();
}

void PluginMenuItemGroupCreate::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (dialog != nullptr && dialog->windowHandle != nullptr && dialog->windowHandle->isVisible())
    {
        commandUI->Enable(true);
        commandUI->SetCheck(1);
        return;
    }
    commandUI->SetCheck(0);
    VornSelection* selection = nonEmptySelectionOf(activeView);
    commandUI->Enable(selection != nullptr && !selection->isSingle());
}

} // namespace lumbra
