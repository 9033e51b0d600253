#pragma once

#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

namespace lumbra
{

// The document's list of that name when it holds that element class; null otherwise.
template <class Element>
BlockList<Element>* listOf(MAI_Doc* document, const char* listName)
{
    if (document == nullptr)
        return nullptr;
    return dynamic_cast<BlockList<Element>*>(document->document.getBlockList(listName));
}

// Calls `visit` with every joint of the selection, in selection order.
template <class Visit>
void forEachSelectedJoint(VornSelection& selection, Visit visit)
{
    for (knot* link = selection.objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->getTypeID() == VornJoint::staticTypeID())
            visit(*static_cast<VornJoint*>(object));
    }
}

} // namespace lumbra
