#pragma once

#include "VornData/VornSelection.h"

namespace lumbra
{

// What the selected objects that can take an element of the kind (a material, a cross-section)
// link to: `canTake` when at least one can, `common` the element all of them share, null when
// they differ.
template <class Element>
struct SharedLink
{
    bool canTake = false;
    Element* common = nullptr;
};

template <class Element>
SharedLink<Element> sharedLinkOf(const VornSelection* selection)
{
    SharedLink<Element> shared;
    if (selection == nullptr || selection->isEmpty())
        return shared;
    Element probe;
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (!object->canLink(&probe))
            continue;
        auto* linked = static_cast<Element*>(object->getLink(&probe));
        if (!shared.canTake)
        {
            shared.canTake = true;
            shared.common = linked;
        }
        else if (linked != shared.common)
        {
            shared.common = nullptr;
            break;
        }
    }
    return shared;
}

} // namespace lumbra
