#include "plugins/AcceleratorTable.h"

#include <algorithm>
#include <iterator>
#include <new>

AcceleratorTable::AcceleratorTable()
{
    std::fill(std::begin(heads), std::end(heads), nullptr);
}

AcceleratorTable::~AcceleratorTable()
{
    clear();
}

AcceleratorBinding* AcceleratorTable::addBinding(uint32_t code, VornPluginMenuItem* plugin)
{
    if (code >= AcceleratorCode::Count)
        return nullptr;
    AcceleratorBinding* binding = new (std::nothrow) AcceleratorBinding{plugin, nullptr, 0, code};
    if (binding == nullptr)
        return nullptr;
    AcceleratorBinding** end = &heads[code];
    while (*end != nullptr)
        end = &(*end)->next;
    *end = binding;
    ++count;
    return binding;
}

AcceleratorBinding* AcceleratorTable::getBindings(uint32_t code) const
{
    return code < AcceleratorCode::Count ? heads[code] : nullptr;
}

void AcceleratorTable::removeBinding(AcceleratorBinding* binding)
{
    if (binding == nullptr || binding->code >= AcceleratorCode::Count)
        return;
    for (AcceleratorBinding** link = &heads[binding->code]; *link != nullptr; link = &(*link)->next)
    {
        if (*link == binding)
        {
            *link = binding->next;
            --count;
            delete binding;
            return;
        }
    }
}

void AcceleratorTable::clear()
{
    for (AcceleratorBinding*& head : heads)
    {
        while (head != nullptr)
        {
            AcceleratorBinding* binding = head;
            head = binding->next;
            delete binding;
        }
    }
    count = 0;
}

void AcceleratorTable::swap(AcceleratorTable& other)
{
    std::swap(heads, other.heads);
    std::swap(count, other.count);
}
