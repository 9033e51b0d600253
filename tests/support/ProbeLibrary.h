#pragma once

// A test plugin library that hands out one plugin. ProbeLibrary.cpp gives it the exported entry
// points; the library's own source defines the two functions below.

class GlobalObjectDevice;
class VornPlugin;

// Receives the host's device when the library is loaded.
void probeLibraryReceivesDevice(GlobalObjectDevice* device);
// The library's one plugin, made anew for each call.
VornPlugin* makeProbePlugin();
