#include "Lumbra/Console/PropertyListTabs.h"

#include "VornData/VornTypeIDManager.h"

namespace lumbra
{

std::vector<int32_t> propertyListTabTypes(const VornTypeIDManager& types, std::span<const int32_t> listedTypeIds)
{
    const int32_t typeCount = types.getTypeCount();
    std::vector<int32_t> direct(static_cast<size_t>(typeCount), 0);
    std::vector<int32_t> total(static_cast<size_t>(typeCount), 0);
    for (int32_t id : listedTypeIds)
        if (id >= 0 && id < typeCount)
        {
            ++direct[static_cast<size_t>(id)];
            ++total[static_cast<size_t>(id)];
        }
    // A subtype always has a higher id than its base: from the top down every total is complete
    // before it is added to its base.
    for (int32_t id = typeCount - 1; id >= 0; --id)
    {
        const int32_t base = types.getBaseClassID(id);
        if (base >= 0 && base < typeCount)
            total[static_cast<size_t>(base)] += total[static_cast<size_t>(id)];
    }
    std::vector<int32_t> tabs;
    for (int32_t id = 0; id < typeCount; ++id)
    {
        if (direct[static_cast<size_t>(id)] > 0)
        {
            tabs.push_back(id);
            continue;
        }
        if (total[static_cast<size_t>(id)] == 0)
            continue;
        for (int32_t child = types.getFirstChildID(id); child >= 0 && child < typeCount;
             child = types.getNextSiblingID(child))
            if (total[static_cast<size_t>(child)] != 0)
            {
                if (total[static_cast<size_t>(child)] != total[static_cast<size_t>(id)])
                    tabs.push_back(id);
                break;
            }
    }
    return tabs;
}

} // namespace lumbra
