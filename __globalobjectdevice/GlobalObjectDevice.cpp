#include "__globalobjectdevice/GlobalObjectDevice.h"

#include "Knots/knotManager.h"
#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"
#include "dwordarraymanager/DWordArrayManager.h"

#include <new>

namespace
{

// This module's variables for the shared instances.
GlobalObjectDevice* moduleDevice = nullptr;
MAI* moduleApplicationInterface = nullptr;

} // namespace

GlobalObjectDevice::GlobalObjectDevice()
{
    if (!knotManager::hasInstance())
        knotManager::initiate();
    VornTypeIDManager::initiate();
    knots = knotManager::instance();
    typeRegistry = getTypeIDManager();
    dwordArrays = DWordArrayManager::initiate();
}

GlobalObjectDevice* GlobalObjectDevice::initiate(MAI* applicationInterface)
{
    if (moduleDevice != nullptr)
        throw Exc_InternalError("GlobalObjectDevice::initiate");
    GlobalObjectDevice* device = new (std::nothrow) GlobalObjectDevice;
    if (device == nullptr)
        throw Exc_OutOfMemory("GlobalObjectDevice::initiate");
    device->applicationInterface = applicationInterface;
    moduleApplicationInterface = applicationInterface;
    moduleDevice = device;
    return device;
}

void GlobalObjectDevice::attach(GlobalObjectDevice* device)
{
    if (device == nullptr)
        return;
    moduleDevice = device;
    moduleApplicationInterface = device->applicationInterface;
    knotManager::setInstance(device->knots);
    VornTypeIDManager::setInstance(device->typeRegistry);
    DWordArrayManager::setInstance(device->dwordArrays);
}

GlobalObjectDevice* GlobalObjectDevice::instance()
{
    if (moduleDevice == nullptr)
        throw Exc_InternalError("GlobalObjectDevice::instance");
    return moduleDevice;
}

bool GlobalObjectDevice::hasInstance()
{
    return moduleDevice != nullptr;
}

MAI* GlobalObjectDevice::getApplicationInterface()
{
    return moduleApplicationInterface;
}

bool attachPluginLibrary(GlobalObjectDevice* device)
{
    if (device == nullptr)
        return false;
    GlobalObjectDevice::attach(device);
    registerObjectTypeTree();
    return true;
}
