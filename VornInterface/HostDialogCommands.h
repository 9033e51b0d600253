#pragma once

#include <cstdint>

class MAI;
class MAI_View;
class PluginManager;
class VornDocument;

namespace platform
{
class Window;
}

// What the document window's dialog and snapshot commands act on.
struct HostDialogCommandContext
{
    MAI& mai;
    PluginManager& registry;
    platform::Window* owner = nullptr; // the view: owner of the dialogs and boxes
    MAI_View* activeView = nullptr; // the application interface's active view
    VornDocument* activeDocument = nullptr; // the model of the active document
};

// Runs the commands Plugins, Accelerators (then the menus' hot-key texts are rebuilt), Object
// Hierarchy, the three snapshot commands and About. False for any other command id.
bool runHostDialogCommand(uint32_t commandId, const HostDialogCommandContext& context);

// The check mark of those commands: "&Auto Snapshot" while the active document takes automatic
// snapshots; none for the others.
bool isHostDialogCommandChecked(uint32_t commandId, const VornDocument* activeDocument);
