#include "uikit/PropertyListTracer.h"

#include "Knots/knotList.h"
#include "VornData/VornBaseObject.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/MAI.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <cassert>
#include <new>

namespace
{

// One per library: every module that compiles the kit has its own.
PropertyListTracer* libraryTracer = nullptr;

constexpr uint32_t growthSlack = 1023;

} // namespace

PropertyListTracer& PropertyListTracer::instanciate()
{
    if (libraryTracer == nullptr)
        libraryTracer = new PropertyListTracer();
    return *libraryTracer;
}

PropertyListTracer* PropertyListTracer::instance()
{
    return libraryTracer;
}

PropertyListTracer::PropertyListTracer() : idleTask(this)
{
    IdleTaskManager::instanciate().addTask(&idleTask);
}

PropertyListTracer::~PropertyListTracer()
{
    clearTracedItems();
}

void PropertyListTracer::knotRemoved(knotLink*)
{
    changed = true;
}

bool PropertyListTracer::reserve(uint32_t n)
{
    if (n <= capacity)
        return true;
    const uint64_t wanted = static_cast<uint64_t>(n) + growthSlack;
    if (wanted > UINT32_MAX)
        return false;
    std::unique_ptr<knot[]> grown(new (std::nothrow) knot[wanted]);
    if (!grown)
        return false;
    for (uint32_t i = 0; i < wanted; ++i)
        grown[i].setObject(this);
    for (uint32_t i = 0; i < count; ++i)
    {
        if (items[i].isInChain())
            items[i].moveToNotify(&grown[i], this);
    }
    items = std::move(grown);
    capacity = static_cast<uint32_t>(wanted);
    return true;
}

int32_t PropertyListTracer::addTracedItem(VornBaseObject* object)
{
    assert(object != nullptr && "traceditem");
    if (object == nullptr || count >= static_cast<uint32_t>(INT32_MAX) || !reserve(count + 1))
        return -1;
    linkOwnedKnot(object->getReferenceList(), &items[count]);
    return static_cast<int32_t>(count++);
}

void PropertyListTracer::clearTracedItems()
{
    for (uint32_t i = 0; i < count; ++i)
        items[i].unlink();
    count = 0;
}

VornBaseObject* PropertyListTracer::getTracedObject(uint32_t index) const
{
    if (index >= count)
        return nullptr;
    // Only model objects are traced, so the list owner of a row's knot is one.
    return static_cast<VornBaseObject*>(items[index].getListOwner());
}

void PropertyListTracer::runIdle()
{
    if (!changed)
        return;
    changed = false;
    if (MAI* mai = GlobalObjectDevice::getApplicationInterface())
        mai->notifierRegistry.notify(Channel::PropertyListChanged, nullptr);
}
