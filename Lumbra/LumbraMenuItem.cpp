#include "Lumbra/LumbraMenuItem.h"

#include "Lumbra/LumbraLibrary.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"

namespace lumbra
{

const char* LumbraMenuItem::getDescription()
{
    if (description.empty())
    {
        const char* what = texts.description != nullptr ? texts.description : texts.menuPath;
        description = std::string(getName()) + ":\n" + (what != nullptr ? what : "");
    }
    return description.c_str();
}

void LumbraMenuItem::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, getName(), texts.aboutTitle);
}

bool LumbraMenuItem::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    return takesMouse;
}

DocumentChangeLock LumbraMenuItem::lockDocument(MAI_Doc* document, ChangeScope scope)
{
    return DocumentChangeLock(document, documentLockWaitingText(getName()).c_str(), lockTimeout, scope);
}

MAI_Doc* documentInterfaceOf(MAI_View* view)
{
    return view != nullptr ? view->document : nullptr;
}

VornDocument* documentOf(MAI_View* view)
{
    MAI_Doc* document = documentInterfaceOf(view);
    return document != nullptr ? &document->document : nullptr;
}

VornSelection* nonEmptySelectionOf(MAI_View* view)
{
    VornDocument* document = documentOf(view);
    if (document == nullptr)
        return nullptr;
    VornSelection* selection = document->getSelection();
    return selection->isEmpty() ? nullptr : selection;
}

void enableBySelection(platform::CommandState* commandUI, MAI_View* view)
{
    commandUI->Enable(nonEmptySelectionOf(view) != nullptr);
}

void makeActiveTool(MAI_View* view, VornPluginMenuItem* item)
{
    MAI_Doc* document = documentInterfaceOf(view);
    if (document == nullptr || document->getActiveMenuItem() == item)
        return;
    if (item->mai != nullptr)
        item->mai->pluginLists.activateInDialogs(item);
    document->setActiveMenuItem(item);
}

void updateToolState(platform::CommandState* commandUI, MAI_View* view, VornPluginMenuItem* item)
{
    MAI_Doc* document = documentInterfaceOf(view);
    commandUI->Enable(document != nullptr);
    commandUI->SetRadio(document != nullptr && document->getActiveMenuItem() == item);
}

void notify(MAI* mai, const char* channel, void* payload)
{
    if (mai != nullptr)
        mai->notifierRegistry.notify(channel, payload);
}

void beep(MAI* mai)
{
    if (mai != nullptr)
        mai->beep();
}

} // namespace lumbra
