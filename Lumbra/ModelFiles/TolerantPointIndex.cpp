#include "Lumbra/ModelFiles/TolerantPointIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace lumbra
{

namespace
{

constexpr double smallestNormalFloat = std::numeric_limits<float>::min();

bool coordinateWithinTolerance(double point, double candidate)
{
    double high = point >= 0 ? point * 1.000000001 : point * 0.999999999;
    double low = point >= 0 ? point * 0.999999999 : point * 1.000000001;
    high += smallestNormalFloat;
    low -= smallestNormalFloat;
    return low < candidate && candidate < high;
}

// Below this magnitude the absolute part of the tolerance (the smallest normal float) outweighs the
// relative one, so cells there have one fixed width: eight times that absolute part, the width of
// the relative cells at the floor. Cell 0 is centred on 0, so that a point at 0 looks at one cell.
constexpr double cellFloor = 0x1p-95;
constexpr double fixedCellWidth = 0x1p-123;
constexpr int64_t fixedCellsEachSide = 1ll << 28; // cellFloor / fixedCellWidth

// A coordinate's cell. Below the floor: its multiple of the fixed width, rounded. Above: the
// ordered bit pattern of the double counted in steps of 2^24 units in the last place, so a cell is
// 2^-29 to 2^-28 of the value wide at every magnitude, wider than the tolerance. The cells are
// numbered in the order of the values, so the points that match lie in the cells between those of
// the tolerance's ends.
int64_t cellCoordinate(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude < cellFloor)
        return static_cast<int64_t>(std::floor(value / fixedCellWidth + 0.5));
    if (!(magnitude >= cellFloor))
        return 0; // not a number
    const uint64_t steps = (std::bit_cast<uint64_t>(magnitude) - std::bit_cast<uint64_t>(cellFloor)) >> 24;
    const int64_t cell = static_cast<int64_t>(steps) + fixedCellsEachSide + 1;
    return value < 0 ? -cell : cell;
}

} // namespace

bool withinTolerance(const Vector3& point, const Vector3& candidate)
{
    return coordinateWithinTolerance(point.x, candidate.x) && coordinateWithinTolerance(point.y, candidate.y) &&
           coordinateWithinTolerance(point.z, candidate.z);
}

uint64_t TolerantPointIndex::hashOf(const Cell& cell)
{
    uint64_t hash = static_cast<uint64_t>(cell.x) * 0x9E3779B97F4A7C15ull;
    hash ^= static_cast<uint64_t>(cell.y) * 0xC2B2AE3D27D4EB4Full + (hash << 6) + (hash >> 2);
    hash ^= static_cast<uint64_t>(cell.z) * 0x165667B19E3779F9ull + (hash << 6) + (hash >> 2);
    // The table takes the low bits: mix the high ones into them.
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

const TolerantPointIndex::Slot* TolerantPointIndex::slotOf(const Cell& cell, uint64_t hash) const
{
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t index = hash & mask;; index = (index + 1) & mask)
    {
        const Slot& slot = slots_[index];
        if (slot.first == none)
            return nullptr;
        if (slot.hash == hash && cellOf(points_[slot.first]) == cell)
            return &slot;
    }
}

TolerantPointIndex::Slot& TolerantPointIndex::slotFor(const Cell& cell, uint64_t hash)
{
    // At most half full, so that the probes stay short.
    if ((cellCount_ + 1) * 2 > slots_.size())
        growTable();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t index = hash & mask;; index = (index + 1) & mask)
    {
        Slot& slot = slots_[index];
        if (slot.first == none)
        {
            slot.hash = hash;
            ++cellCount_;
            return slot;
        }
        if (slot.hash == hash && cellOf(points_[slot.first]) == cell)
            return slot;
    }
}

void TolerantPointIndex::growTable()
{
    std::vector<Slot> previous = std::move(slots_);
    slots_.assign(std::max<std::size_t>(64, previous.size() * 2), Slot{0, none, none});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& moved : previous)
    {
        if (moved.first == none)
            continue;
        std::size_t index = moved.hash & mask;
        while (slots_[index].first != none)
            index = (index + 1) & mask;
        slots_[index] = moved;
    }
}

TolerantPointIndex::Cell TolerantPointIndex::cellOf(const Vector3& point)
{
    return {cellCoordinate(point.x), cellCoordinate(point.y), cellCoordinate(point.z)};
}

uint32_t TolerantPointIndex::find(const Vector3& point) const
{
    // Only the cells that the tolerance around the point reaches: mostly the point's own.
    int64_t first[3];
    int64_t last[3];
    for (int axis = 0; axis < 3; ++axis)
    {
        const double reach = std::fabs(point[axis]) * 2e-9 + 2 * smallestNormalFloat;
        first[axis] = cellCoordinate(point[axis] - reach);
        last[axis] = cellCoordinate(point[axis] + reach);
    }
    uint32_t found = none;
    for (int64_t x = first[0]; x <= last[0]; ++x)
        for (int64_t y = first[1]; y <= last[1]; ++y)
            for (int64_t z = first[2]; z <= last[2]; ++z)
            {
                const Cell cell{x, y, z};
                const Slot* slot = slotOf(cell, hashOf(cell));
                if (slot == nullptr)
                    continue;
                // The chain runs in the order of adding: its first match is its earliest.
                for (uint32_t index = slot->first; index != none && index < found; index = nextInCell_[index])
                    if (withinTolerance(point, points_[index]))
                    {
                        found = index;
                        break;
                    }
            }
    return found;
}

uint32_t TolerantPointIndex::findOrAdd(const Vector3& point)
{
    const uint32_t found = find(point);
    if (found != none)
        return found;
    const auto index = static_cast<uint32_t>(points_.size());
    points_.push_back(point);
    nextInCell_.push_back(none);
    const Cell cell = cellOf(point);
    Slot& slot = slotFor(cell, hashOf(cell));
    if (slot.first == none)
        slot.first = index;
    else
        nextInCell_[slot.last] = index;
    slot.last = index;
    return index;
}

} // namespace lumbra
