#pragma once

class HostFrame;
class MAI;
class VornPluginMenuItem;

namespace platform
{
class Menu;
}

// A menu-item plugin's entry in the menus along its menu path, and its button on its toolbar
// (the "Toolbar" plugin whose button text is the item's toolbar name, "Main Options" without one).

// Adds the entry and, for an item with a bitmap, the button. False when the item has no menu path,
// or has a bitmap but no toolbar to put it on (the entry is made all the same).
bool addToMenu(VornPluginMenuItem& item, platform::Menu& menu, MAI& mai, HostFrame& frame);

// Removes the entry (and the popups this leaves empty) and the button. False when the item has no
// menu path, or has a bitmap and no toolbar.
bool removeFromMenu(VornPluginMenuItem& item, platform::Menu& menu, MAI& mai, HostFrame& frame);
