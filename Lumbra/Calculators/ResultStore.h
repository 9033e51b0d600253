#pragma once

#include "VornData/DocumentItem.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class BlockListBase;
class BlockListGroup;
class VornDocument;

namespace lumbra
{

// One kind of result: the list its results are children of, the names of its three lists and how
// to make and clear such a list.
struct ResultKind
{
    int32_t id;
    const char* parentList;
    // In the order of creation; the first is the public name readers look for.
    const char* names[3];
    const char* sourceName;
    const char* targetName;
    BlockListBase* (*createList)(const char* name, void* owner);
    // Sets every element to its reset value, from the last index down.
    void (*resetElements)(BlockListBase& list);
};

// The result kinds of the calculators; the id is the one getResults is asked for, except for the
// joint velocities, which no reader asks for.
extern const ResultKind jointDisplacements; // 0, "Displacements" under "VornJoint"
extern const ResultKind memberNormalForces; // 1, "NForces" under "VornMember"
extern const ResultKind jointReorientations; // 2, "Reorientation" under "VornJoint"
extern const ResultKind memberReactions; // 3, "MReactions" under "VornMember"
extern const ResultKind jointVelocities; // 4, "JointV" under "VornJoint"
inline constexpr int32_t jointVelocitiesId = 4;

// The three lists of one result kind and their rotating roles: a worker reads the source and
// writes the target, readers read the published list under the public name. Source and published
// are one list after a start, a reset and a publish; the target is never the published list.
class ResultTriple
{
public:
    explicit ResultTriple(const ResultKind& kind) : kind(kind) {}
    // Destroys the lists this triple made (a parent list does not destroy its children).
    ~ResultTriple();
    ResultTriple(const ResultTriple&) = delete;
    ResultTriple& operator=(const ResultTriple&) = delete;

    // Finds the three lists among the children of the kind's parent list by name and makes the
    // missing ones. The roles follow the names: published the list under the public name, source
    // the same list, target the list under the second name. False without the parent list.
    bool attach(BlockListGroup& lists);
    bool isAttached() const { return lists_[0] != nullptr; }
    // Source := published, and every published element back to its reset value.
    void resetPublished();
    // After an iteration: the target becomes the source, and the next target is the list that is
    // neither published nor source.
    void advance();
    // Makes the source the published list under the public name.
    void publish();

    BlockListBase* published() const { return lists_[published_]; }
    BlockListBase* source() const { return lists_[source_]; }
    BlockListBase* target() const { return lists_[target_]; }

    const ResultKind& kind;

private:
    void nameRoles();

    BlockListBase* lists_[3]{};
    // The lists this triple made, whatever names they carry now.
    BlockListBase* made_[3]{};
    int published_ = 0;
    int source_ = 0;
    int target_ = 1;
};

// The lock of the result lists' roles. It is held only for the moment of a switch or a publish,
// so a timed take polls a plain mutex in short naps: a worker, which takes it after every
// iteration, pays for a plain mutex only. (Thread checkers follow a plain mutex, not timed waits.)
class RolesLock
{
public:
    void lock() { mutex_.lock(); }
    bool try_lock() { return mutex_.try_lock(); }
    void unlock() { mutex_.unlock(); }
    template <class Rep, class Period>
    bool try_lock_for(const std::chrono::duration<Rep, Period>& timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!mutex_.try_lock())
        {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return true;
    }

private:
    std::mutex mutex_;
};

// The result lists of one document, shared by all its calculators: one triple per result kind, so
// that no two lists ever carry one name, and the mutex that guards their roles. Each calculator's
// item keeps the store alive while its worker may use it. The store owns the lists it made: they
// go with it when the document closes, before the model's lists.
class ResultStore
{
public:
    // The store of the document, made on first use.
    static std::shared_ptr<ResultStore> of(VornDocument& document);
    // The store of the document, or null while no calculator has made one.
    static std::shared_ptr<ResultStore> find(VornDocument& document);

    ResultTriple& triple(int32_t id);
    // The triple of the kind with that id, or null when no calculator makes that kind.
    ResultTriple* findTriple(int32_t id);

    // Guards the roles and names of the lists: held while a worker advances them and while
    // getResults publishes them.
    RolesLock roles;

private:
    ResultTriple triples_[5]{ResultTriple{jointDisplacements}, ResultTriple{memberNormalForces},
                             ResultTriple{jointReorientations}, ResultTriple{memberReactions},
                             ResultTriple{jointVelocities}};
};

} // namespace lumbra
