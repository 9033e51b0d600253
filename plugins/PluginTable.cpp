#include "plugins/PluginTable.h"

#include "VornData/generalException.h"

#include <new>

VornPlugin* createTablePlugin(std::span<const PluginTableEntry> table, uint32_t index)
{
    if (index >= table.size() || table[index].create == nullptr)
        return nullptr;
    try
    {
        return table[index].create();
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    catch (const Exc_OutOfMemory&)
    {
        return nullptr;
    }
}
