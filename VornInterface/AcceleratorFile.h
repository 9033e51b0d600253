#pragma once

#include "platform/Message.h"

#include <string>

class AcceleratorTable;
class MAI;
class PluginManager;

// Accelerator files (".acc"): the lines "ACCELERATORS" and "version 1", then three lines per
// binding in increasing event code: "Event: <code>", the plugin's type name and its name.

inline constexpr const char* defaultAcceleratorFilePath = "system/default.acc";

// Adds the bindings of the file to the end of the table's lists; the table is not cleared first.
// Every problem is reported once in a box owned by `owner` and answers false; the bindings read
// before it stay in the table (callers that must not lose what the table held load into a table
// of their own and swap it in on success). A plugin that is not present asks Abort, Retry or
// Ignore: Ignore skips the binding, Retry looks for the plugin again. A null path answers false
// without a box.
bool loadAcceleratorFile(const char* path, AcceleratorTable& table, const PluginManager& registry,
                         platform::WindowHandle owner);

// The file's text for the table: header and bindings, every line ended by CR LF.
std::string formatAcceleratorFile(const AcceleratorTable& table);

// Writes the table through a temporary file that replaces the old one; a failure is reported in a
// box owned by `owner` and leaves the old file. A null path answers false without a box.
bool saveAcceleratorFile(const char* path, const AcceleratorTable& table, platform::WindowHandle owner);

// Start-up: loads "system/default.acc" below the current folder. When there is no such file, a
// default file holding the table's bindings is written instead, so a fresh installation starts
// without an error box and the file is there to be edited.
bool loadDefaultAccelerators(AcceleratorTable& table, const PluginManager& registry, platform::WindowHandle owner);

// The hot-key text of a key code (72-1095) as a menu shows it: the unshifted key capitalised
// ("Page up", "Del" for the Delete key), else "Shift+", "Ctrl+" or "Shift+Ctrl+" and the key's
// name. Empty for a code that is no key or a key without a name.
std::string hotKeyTextOfCode(uint32_t code);

// Recomputes every menu item's hot-key text from the key bindings: an item shows the key of the
// lowest key code whose list it heads; items whose text changes are marked for a menu rebuild.
bool updateMenuItemHotkeyTexts(MAI& mai);
