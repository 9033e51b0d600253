#include "Lumbra/Console/DialogPlugin.h"

#include "Lumbra/LumbraLibrary.h"
#include "VornData/generalException.h"

#include <new>

namespace lumbra
{

LumbraDialogPlugin::LumbraDialogPlugin(const DialogPluginTexts& texts, int32_t dialogId)
    : WithOwnDialog(dialogId), texts(texts)
{
}

LumbraDialogPlugin::~LumbraDialogPlugin() = default;

const char* LumbraDialogPlugin::getName()
{
    return texts.name;
}

const char* LumbraDialogPlugin::getDescription()
{
    return texts.description;
}

void LumbraDialogPlugin::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, texts.aboutText);
}

VornPluginBase* LumbraDialogPlugin::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginDialogMenuItem(this, texts.menuPath);
    if (item == nullptr)
        throw Exc_OutOfMemory(texts.packagingThrower);
    return package(item);
}

const char* LumbraDialogPlugin::getWindowTitle()
{
    return texts.windowTitle;
}

} // namespace lumbra
