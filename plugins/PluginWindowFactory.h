#pragma once

#include "plugins/PluginWindow.h"

#include <cstdint>
#include <span>

// Makes the window object of one dialog of the library and its window from the library's dialog
// resource of that id, as a child of `parent`; null when either cannot be made.
using PluginWindowMaker = platform::Window* (*)(platform::Window* parent, VornPluginWindowed* plugin);

struct PluginWindowTableEntry
{
    int32_t dialogId;
    PluginWindowMaker make; // null while the window is not part of the library yet
};

// A library's window factory (its GetPluginWindow) over its table of dialogs. The new handle goes
// through the request's handle field before the window exists, so the window can reach it while it
// initialises. Null for a null request, for a parent that is null or whose window is gone, for an
// id the table does not make, and when the window cannot be made; then nothing is kept and the
// handle field holds what it held before.
PluginWindowHandle* makePluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request,
                                     std::span<const PluginWindowTableEntry> table,
                                     PluginWindowHandle* (*makeHandle)());
