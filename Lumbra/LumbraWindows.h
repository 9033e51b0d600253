#pragma once

#include "Lumbra/LumbraLibrary.h"
#include "platform/Dialog.h"
#include "plugins/PluginWindowFactory.h"
#include "plugins/VornPlugin.h"

#include <memory>

namespace lumbra
{

// The window maker of one of the library's dialog classes, for its window table: the object is made
// with (parent window, plugin) and its window from the library's dialog template as a child of the
// parent; null when the window cannot be made (the object is then freed).
template <class DialogClass>
platform::Window* makeLumbraDialog(platform::Window* parent, VornPluginWindowed* plugin)
{
    auto dialog = std::make_unique<DialogClass>(parent, plugin);
    if (!dialog->create(parent, thisModule()))
        return nullptr;
    return dialog.release();
}

// The window maker of a plugin that keeps its own dialog object (made by its window request): the
// window is made around that object, so the plugin reaches the window it shows.
inline platform::Window* makeOwnDialog(platform::Window* parent, VornPluginWindowed* plugin)
{
    if (plugin == nullptr)
        return nullptr;
    plugin->getWindowRequest();
    platform::Dialog* dialog = plugin->dialogObject;
    if (dialog == nullptr || dialog->exists() || !dialog->create(parent, thisModule()))
        return nullptr;
    return dialog;
}

} // namespace lumbra
