#pragma once

// The rows of the property list: one knot per row in the reference list of its model object, so
// that a row whose object was destroyed knows it. At the next idle time after one or more traced
// objects went away, "PRLCH" is sent once so that the list is rebuilt.

#include "Knots/knot.h"
#include "plugins/IdleTask.h"

#include <cstdint>
#include <memory>

class VornBaseObject;

class PropertyListTracer : public knotOwner
{
public:
    // The library's tracer, made on first use and kept until the process ends.
    static PropertyListTracer& instanciate();
    // The library's tracer; null before instanciate.
    static PropertyListTracer* instance();

    PropertyListTracer();
    ~PropertyListTracer() override;
    PropertyListTracer(const PropertyListTracer&) = delete;
    PropertyListTracer& operator=(const PropertyListTracer&) = delete;

    // A traced object went away.
    void knotRemoved(knotLink* link) override;

    // The index of the new row's knot, or -1 when the rows cannot grow. `object` must not be null.
    int32_t addTracedItem(VornBaseObject* object);
    // Forgets every row quietly.
    void clearTracedItems();
    // The object of row knot `index`; null when the index is not a row or the object is gone.
    VornBaseObject* getTracedObject(uint32_t index) const;
    // Room for n rows; false (nothing changed) when it cannot be allocated.
    bool reserve(uint32_t n);

    uint32_t getCount() const { return count; }
    bool hasChanged() const { return changed; }
    // The idle work: sends "PRLCH" once when an object went away since the last time.
    void runIdle();

private:
    class TracerIdleTask : public IdleTask
    {
    public:
        explicit TracerIdleTask(PropertyListTracer* tracer) : tracer(tracer) {}
        void run() override { tracer->runIdle(); }

    private:
        PropertyListTracer* tracer;
    };

    bool changed = false;
    TracerIdleTask idleTask;
    std::unique_ptr<knot[]> items;
    uint32_t capacity = 0;
    uint32_t count = 0;
};
