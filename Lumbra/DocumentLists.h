#pragma once

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

} // namespace lumbra
