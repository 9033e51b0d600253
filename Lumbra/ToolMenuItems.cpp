#include "Lumbra/ToolMenuItems.h"

#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/CommandRouting.h"

namespace lumbra
{

ToolMenuItem::ToolMenuItem(const char* menuPath, const char* caption, int32_t bitmapId, const char* aboutTitle)
    : LumbraMenuItem({nullptr, nullptr, nullptr, bitmapId, nullptr, aboutTitle}, true),
      path(menuPath != nullptr ? menuPath : ""),
      caption(caption != nullptr ? caption : "")
{
    // The texts point into this item's own copies.
    texts.menuPath = menuPath != nullptr ? path.c_str() : nullptr;
    texts.buttonText = caption != nullptr ? this->caption.c_str() : nullptr;
    texts.name = caption != nullptr ? this->caption.c_str() : texts.menuPath;
    texts.description = menuPath != nullptr ? path.c_str() : texts.buttonText;
}

void ToolMenuItem::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    updateToolState(commandUI, activeView, this);
}

PluginMenuItemCreator::PluginMenuItemCreator(VornPluginObjectCreator* creator, const char* menuPath,
                                             const char* caption, int32_t bitmapId)
    : ToolMenuItem(menuPath, caption, bitmapId, "Creator Menu Item"), creator(creator)
{
    // While creating, the select dialogs show and set what the next new objects get.
    editState = 1;
}

void PluginMenuItemCreator::execute(MAI_View* activeView)
{
    makeActiveTool(activeView, this);
}

void PluginMenuItemCreator::activate(bool active)
{
    if (creator == nullptr)
        return;
    if (!active)
    {
        creator->deactivate();
        return;
    }
    // Snap objects of one name share their master in every view type, so marking those of the
    // application's chain marks the active view type's snapping.
    for (VornPluginSnapObject* snap = mai != nullptr ? mai->snapObjects : nullptr; snap != nullptr;
         snap = snap->nextSnapObject)
        creator->acceptSnapObject(snap);
}

platform::CursorHandle PluginMenuItemCreator::getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    return creator != nullptr ? creator->getCursor(view, x, y, flags) : platform::CursorHandle{};
}

bool PluginMenuItemCreator::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    if (flags != InputEvent::Probe && creator != nullptr)
        creator->onMouse(x, y, z, flags);
    return true;
}

PluginMenuItemModifier::PluginMenuItemModifier(VornPluginObjectModifier* modifier, const char* menuPath,
                                               const char* caption, int32_t bitmapId)
    : ToolMenuItem(menuPath, caption, bitmapId, "Modifier Menu Item"), modifier(modifier)
{
}

void PluginMenuItemModifier::execute(MAI_View* activeView)
{
    MAI_Doc* document = documentInterfaceOf(activeView);
    if (document == nullptr || document->getActiveMenuItem() == this)
        return;
    // The modifier's record exists before the dialogs hear of the new tool.
    document->setActiveMenuItem(this);
    if (mai != nullptr)
        mai->pluginLists.activateInDialogs(this);
}

void PluginMenuItemModifier::activate(bool active)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (!active || modifier == nullptr || document == nullptr)
        return;
    document->setActiveModifier(modifier->activate(document, nullptr, 0));
    document->invalidateViews();
}

} // namespace lumbra
