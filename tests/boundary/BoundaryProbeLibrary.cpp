#include "tests/boundary/BoundaryProbe.h"
#include "tests/support/ProbeLibrary.h"

void probeLibraryReceivesDevice(GlobalObjectDevice*)
{
}

VornPlugin* makeProbePlugin()
{
    return new BoundaryProbePlugin;
}
