#pragma once

class PluginWindowHandle;

// Shows or hides a plugin's bar (a toolbar or docking bar the host made for it) in the frame that
// holds it, then lets the frame lay itself out again. False, with nothing changed, when the handle
// is null, its window is gone, or the window belongs to no frame.
bool showBarInFrame(PluginWindowHandle* bar, bool show);
