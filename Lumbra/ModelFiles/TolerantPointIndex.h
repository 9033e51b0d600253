#pragma once

#include "VornData/VornMath.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumbra
{

// True when `candidate` lies within the import's matching tolerance of `point`: in each
// coordinate strictly between c * (1 - 1e-9) and c * (1 + 1e-9), widened by the smallest normal
// float so that 0 matches only (almost) 0.
bool withinTolerance(const Vector3& point, const Vector3& candidate);

// The points an import has made, found again by position within the tolerance above. Points are
// kept in cells of a hash so that a lookup looks at its neighbourhood only; of several points that
// match, the one added first is answered, whatever cell it lies in.
class TolerantPointIndex
{
public:
    static constexpr uint32_t none = UINT32_MAX;

    // The position of the first added point that matches, or `none`.
    uint32_t find(const Vector3& point) const;
    // The matching point's position, or the position of `point` added at the end.
    uint32_t findOrAdd(const Vector3& point);
    const std::vector<Vector3>& points() const { return points_; }
    // How many cells hold points. A lookup compares with the points of a few cells only, so points
    // that do not match each other should spread over many.
    std::size_t cellCount() const { return cellCount_; }

private:
    struct Cell
    {
        int64_t x, y, z;
        bool operator==(const Cell&) const = default;
    };

    // The points of a cell, chained in the order they were added, in one slot of an open-addressed
    // table: small slots, so that the table stays in the caches. The slot keeps the cell's hash;
    // its first point tells the cell itself.
    struct Slot
    {
        uint64_t hash;
        uint32_t first; // `none` in an empty slot
        uint32_t last;
    };

    static Cell cellOf(const Vector3& point);
    static uint64_t hashOf(const Cell& cell);
    // The cell's slot, or null when no point lies in it.
    const Slot* slotOf(const Cell& cell, uint64_t hash) const;
    // The cell's slot, added empty when no point lies in it yet.
    Slot& slotFor(const Cell& cell, uint64_t hash);
    void growTable();

    std::vector<Vector3> points_;
    std::vector<uint32_t> nextInCell_;
    std::vector<Slot> slots_;
    std::size_t cellCount_ = 0;
};

} // namespace lumbra
