#include "Lumbra/Console/ConsolePage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/generalException.h"

#include <new>

namespace lumbra
{

LumbraConsolePage::LumbraConsolePage(const ConsolePageTexts& texts, int32_t dialogId, int32_t tabBitmapId)
    : WithOwnDialog(dialogId), texts(texts), tabBitmapId(tabBitmapId)
{
}

const char* LumbraConsolePage::getName()
{
    return texts.name;
}

const char* LumbraConsolePage::getDescription()
{
    return texts.description;
}

void LumbraConsolePage::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.name, texts.name);
}

void LumbraConsolePage::addTabImage(platform::ImageList* imageList)
{
    if (imageList != nullptr)
        tabImageIndex = addBitmapImage(module, tabBitmapId, *imageList);
}

void PagetteHost::build(platform::Dialog& page, VornPluginWindowed& pagePlugin, int32_t placeholderId,
                        const platform::Rect& start, const char* thrower)
{
    stack.bar.subclassDlgItem(placeholderId, &page);
    // The plugin's handle is filled before the page exists and attached only after its
    // initialisation; the holder's handle names it as parent now.
    if (pagePlugin.windowHandle != nullptr)
        pagePlugin.windowHandle->attach(&page);
    holder.reset(new (std::nothrow) CEmptyChildDialog);
    if (holder == nullptr)
        throw Exc_OutOfMemory(thrower);
    holderHandle.parent = pagePlugin.windowHandle;
    if (!holder->createHolder(&page, thisModule(), &stack, &holderHandle, start))
        throw Exc_InternalError(thrower);
}

void PagetteHost::place(const platform::Rect& scrollBar, const platform::Rect& holderRect)
{
    stack.bar.moveWindow(scrollBar, false);
    if (holder != nullptr && holder->exists())
        holder->moveWindow(holderRect, false);
    stack.layout(false);
}

} // namespace lumbra
