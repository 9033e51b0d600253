#include "VornData/DocumentItem.h"

#include "VornData/VornDocument.h"

DocumentItem::~DocumentItem()
{
    if (previous)
        previous->next = next;
    else if (document && document->firstDocumentItem == this)
        document->firstDocumentItem = next;
    if (next)
        next->previous = previous;
}
