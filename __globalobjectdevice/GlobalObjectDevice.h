#pragma once

// The one object through which every module of the process agrees on the shared services. Each
// module compiles the data model in itself and so has its own module variables for the application
// interface, the knot pool, the type registry and the dword-array store; the host creates the
// device once, and every plugin library copies the device's pointers into its own variables.

class MAI;
class knotManager;
class VornTypeIDManager;
class DWordArrayManager;

class GlobalObjectDevice
{
public:
    GlobalObjectDevice(const GlobalObjectDevice&) = delete;
    GlobalObjectDevice& operator=(const GlobalObjectDevice&) = delete;

    // The host: creates the device, and with it this module's knot pool, type registry and
    // dword-array store where the module has none yet, and makes it the module's device.
    // `applicationInterface` may be null in a host without one (tests). Throws Exc_InternalError
    // when the module has a device already, Exc_OutOfMemory when an allocation fails.
    static GlobalObjectDevice* initiate(MAI* applicationInterface);
    // A plugin library: makes the host's device this module's device and points the module's
    // variables at the device's services. A null device changes nothing.
    static void attach(GlobalObjectDevice* device);
    // This module's device. Throws Exc_InternalError before initiate or attach.
    static GlobalObjectDevice* instance();
    static bool hasInstance();
    // This module's application interface; null before initiate or attach.
    static MAI* getApplicationInterface();

    MAI* applicationInterface = nullptr;
    knotManager* knots = nullptr;
    VornTypeIDManager* typeRegistry = nullptr;
    DWordArrayManager* dwordArrays = nullptr;

private:
    GlobalObjectDevice();
};

// What a plugin library's ProcessGlobalObjectDevice does first: attach to the host's device, then
// register the object type tree into the shared registry. Returns false, having done nothing, for a
// null device.
bool attachPluginLibrary(GlobalObjectDevice* device);
