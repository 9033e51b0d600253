// Costs of the links between model objects and of the notification channels.

#include "Knots/knotManager.h"
#include "__globalobjectdevice/Notifier.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{

knotManager& sharedPool()
{
    if (!knotManager::hasInstance())
        knotManager::initiate();
    return *knotManager::instance();
}

class Holder : public knotOwner
{
public:
    knotList links{this, knotKind::pooled};
};

// Links `state.range(0)` pairs between two lists, then removes them all: the pool grows block by
// block and gives the spare blocks back.
void LinkAndRemovePairs(benchmark::State& state)
{
    knotManager& pool = sharedPool();
    const auto pairs = static_cast<int>(state.range(0));
    Holder a, b;
    for (auto _ : state)
    {
        for (int pair = 0; pair < pairs; ++pair)
            pool.link(&a.links, &b.links);
        a.links.removeAllLinks();
    }
    state.SetItemsProcessed(state.iterations() * pairs);
}
BENCHMARK(LinkAndRemovePairs)->Arg(100)->Arg(5000);

// Removes every second link of a list of 5000 through an iterator: each release moves the pool's
// top knot into the hole.
void RemoveEverySecondLink(benchmark::State& state)
{
    knotManager& pool = sharedPool();
    std::vector<std::unique_ptr<Holder>> others(5000);
    for (auto& other : others)
        other = std::make_unique<Holder>();
    Holder hub;
    for (auto _ : state)
    {
        state.PauseTiming();
        for (auto& other : others)
            pool.link(&hub.links, &other->links);
        state.ResumeTiming();
        for (knotIterator walk(&hub.links); walk.isValid(); walk.next())
            walk.removeCurrent();
        state.PauseTiming();
        hub.links.removeAllLinks();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 2500);
}
BENCHMARK(RemoveEverySecondLink);

void WalkAList(benchmark::State& state)
{
    knotManager& pool = sharedPool();
    Holder hub, other;
    for (int pair = 0; pair < 1000; ++pair)
        pool.link(&hub.links, &other.links);
    for (auto _ : state)
    {
        int count = 0;
        for (knotIterator walk(&hub.links); walk.isValid(); walk.next())
            count += walk.getObject() == &other;
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    hub.links.removeAllLinks();
}
BENCHMARK(WalkAList);

class CountingListener : public NotifierListener
{
public:
    void notify(void* payload) override { benchmark::DoNotOptimize(++calls); }
    int calls = 0;
};

// A send on one of the thirteen model channels with eight listeners.
void NotifyAChannel(benchmark::State& state)
{
    NotifierRegistry registry;
    const char* codes[] = {"SELCH", "PRESL", "DOCCH", "MATCH", "CRSCH", "FDFCH", "MODCH",
                           "HSTCH", "CLCCH", "PRLCH", "LOPCH", "CESCH", "APLSL"};
    std::vector<std::unique_ptr<CountingListener>> listeners;
    for (const char* code : codes)
    {
        for (int i = 0; i < 8; ++i)
        {
            listeners.push_back(std::make_unique<CountingListener>());
            registry.addListener(code, listeners.back().get());
        }
    }
    for (auto _ : state)
        registry.notify("SELCH", nullptr);
}
BENCHMARK(NotifyAChannel);

} // namespace
