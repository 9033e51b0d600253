// A plugin library built like Lumbra and Zintel from the same core; the core tests build it twice
// under two names.

#include "tests/core/CoreProbe.h"
#include "tests/support/ProbeLibrary.h"

void probeLibraryReceivesDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

VornPlugin* makeProbePlugin()
{
    return new CoreProbePlugin;
}
