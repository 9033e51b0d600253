#include "VornData/DocumentItem.h"

#include "VornData/IntrusiveList.h"
#include "VornData/VornDocument.h"

DocumentItem::~DocumentItem()
{
    DocumentItem* noChain = nullptr;
    unlinkFrom<&DocumentItem::previous, &DocumentItem::next>(document ? document->firstDocumentItem : noChain, this);
}
