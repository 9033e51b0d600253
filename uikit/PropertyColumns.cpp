#include "uikit/PropertyColumns.h"

#include "VornData/PropertyDescriptor.h"
#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"

#include <algorithm>
#include <new>
#include <utility>

std::vector<ProplistTypeEntry> proplistTypeArray;
int32_t currentProplistType = -1;

namespace
{

bool tableBuilt = false;

ProplistTypeEntry columnsOfType(const VornTypeIDManager& registry, int32_t type)
{
    ProplistTypeEntry entry;
    for (int32_t t = type; t != NOTYPEID; t = registry.getBaseClassID(t))
        entry.columnCount += registry.getPropertyCount(t);
    if (entry.columnCount == 0)
        return entry;
    entry.columns.resize(static_cast<size_t>(entry.columnCount));
    // From the base end: each type's descriptors fill the block just before those placed already.
    size_t blockEnd = entry.columns.size();
    for (int32_t t = type; t != NOTYPEID; t = registry.getBaseClassID(t))
    {
        const size_t blockStart = blockEnd - static_cast<size_t>(registry.getPropertyCount(t));
        size_t slot = blockStart;
        for (PropertyDescriptor* d = registry.getFirstProperty(t); d != nullptr && slot < blockEnd; d = d->getNext())
            entry.columns[slot++].descriptor = d;
        blockEnd = blockStart;
    }
    return entry;
}

} // namespace

void initProplistTypeArray()
{
    const VornTypeIDManager* registryOfModule = getTypeIDManager();
    // Without a registry there is nothing to build yet; the next call tries again.
    if (tableBuilt || registryOfModule == nullptr)
        return;
    try
    {
        const VornTypeIDManager& registry = *registryOfModule;
        std::vector<ProplistTypeEntry> table;
        table.reserve(static_cast<size_t>(registry.getTypeCount()));
        for (int32_t type = 0; type < registry.getTypeCount(); ++type)
            table.push_back(columnsOfType(registry, type));
        proplistTypeArray = std::move(table);
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory("CPropertyListHeader::initProplistTypeArray");
    }
    tableBuilt = true;
}

bool proplistTypeArrayBuilt()
{
    return tableBuilt;
}

ProplistTypeEntry* currentProplistEntry()
{
    // Types registered after the table was built have no entry: they show nothing.
    if (currentProplistType < 0 || currentProplistType >= static_cast<int32_t>(proplistTypeArray.size()))
        return nullptr;
    return &proplistTypeArray[static_cast<size_t>(currentProplistType)];
}

namespace PropertyColumns
{

int32_t hitTest(const std::vector<ProplistColumn>& columns, int32_t x)
{
    int32_t sum = 0;
    for (size_t i = 0; i < columns.size(); ++i)
    {
        const int32_t width = columns[i].width;
        if (width <= 0)
            continue;
        sum += width;
        if (x < sum + 5)
            return x > sum ? (resizeZone | static_cast<int32_t>(i)) : static_cast<int32_t>(i);
    }
    return noColumn;
}

bool widenForText(ProplistColumn& column, int32_t textWidth)
{
    const int32_t needed = std::min(textWidth + cellTextMargins, maximumWidth);
    if (column.sizedByHand || column.width <= 0 || column.width >= needed)
        return false;
    column.width = needed;
    return true;
}

void resizeColumn(ProplistColumn& column, int32_t dx)
{
    column.width = std::clamp(column.width + dx, minimumWidth, maximumWidth);
    column.sizedByHand = true;
}

bool moveColumn(std::vector<ProplistColumn>& columns, int32_t& column, int32_t& lastX, int32_t x)
{
    const int32_t count = static_cast<int32_t>(columns.size());
    if (column < 0 || column >= count)
        return false;
    bool moved = false;
    for (;;)
    {
        const int32_t d = x - lastX;
        if (d == 0)
            break;
        const int32_t direction = d > 0 ? 1 : -1;
        int32_t neighbour = column + direction;
        while (neighbour >= 0 && neighbour < count && columns[static_cast<size_t>(neighbour)].width <= 0)
            neighbour += direction;
        if (neighbour < 0 || neighbour >= count)
            break;
        const int32_t neighbourWidth = columns[static_cast<size_t>(neighbour)].width;
        if (d * direction <= neighbourWidth)
            break;
        lastX += direction * neighbourWidth;
        // Step by step, so the hidden columns in between keep their order.
        while (column != neighbour)
        {
            std::swap(columns[static_cast<size_t>(column)], columns[static_cast<size_t>(column + direction)]);
            column += direction;
        }
        moved = true;
    }
    return moved;
}

} // namespace PropertyColumns
