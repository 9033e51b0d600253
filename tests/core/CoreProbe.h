#pragma once

#include "Knots/knotManager.h"
#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "__globalobjectdevice/Notifier.h"
#include "dwordarraymanager/DWordArrayHandle.h"
#include "plugins/VornPlugin.h"

// A plugin whose virtual operations run the core code compiled into its own library, so the host
// can see which shared instances that library's module variables name. Everything here is inline:
// the library's object runs the library's copies through its virtual table.
class CoreProbePlugin : public VornPlugin
{
public:
    const char* getTypeName() override { return "Core Probe"; }
    const char* getName() override { return "Core Probe"; }
    void about(PluginWindowHandle* parent) override {}

    virtual GlobalObjectDevice* moduleDevice()
    {
        return GlobalObjectDevice::hasInstance() ? GlobalObjectDevice::instance() : nullptr;
    }
    virtual VornTypeIDManager* moduleTypeRegistry() { return getTypeIDManager(); }
    virtual knotManager* moduleKnotPool() { return knotManager::hasInstance() ? knotManager::instance() : nullptr; }
    virtual DWordArrayManager* moduleDWordArrays()
    {
        try
        {
            return DWordArrayManager::instance();
        }
        catch (const generalException&)
        {
            return nullptr;
        }
    }
    // A new array of `length` words in this module's store, filled with `value`.
    virtual void fillArrayInModule(DWordArrayHandle* handle, std::uint32_t length, std::uint32_t value)
    {
        handle->reallocate(length);
        for (std::uint32_t word = 0; word < length; ++word)
            handle->getData()[word] = value;
    }
    virtual std::int32_t moduleTypeID(ObjectType type) { return objectTypeID(type); }
    virtual std::int32_t registerTypeInModule(const char* name, std::int32_t base)
    {
        return getTypeIDManager()->registerType(name, base);
    }
    virtual void linkInModule(knotList* a, knotList* b) { knotManager::instance()->link(a, b); }
    virtual void removeAllLinksInModule(knotList* list) { list->removeAllLinks(); }
    virtual void notifyInModule(NotifierRegistry* registry, const char* channel, void* payload)
    {
        registry->notify(channel, payload);
    }
};
