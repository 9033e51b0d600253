#include "VornData/VornBaseObject.h"

#include "BlockLists/BlockListGroup.h"
#include "Knots/knotManager.h"
#include "VornData/VornDocument.h"

VornBaseObject::~VornBaseObject()
{
    // The windows that trace the object must not keep naming it.
    references.clearOwnedNotify();
}

bool VornBaseObject::isKindOf(int32_t id) const
{
    return isTypeID(id, staticTypeID());
}

VornDocument* VornBaseObject::getDocument() const
{
    BlockListBase* list = getOwnerList();
    if (!list)
        return nullptr;
    return dynamic_cast<VornDocument*>(list->getGroup());
}

StringManager* VornBaseObject::getStringStorage() const
{
    VornDocument* document = getDocument();
    return document ? &document->getStringStorage() : nullptr;
}

bool VornBaseObject::isInMassRelease() const
{
    VornDocument* document = getDocument();
    return document && document->isReleasingAll();
}

void VornBaseObject::setDefaults()
{
    colorAndFlags = 0;
    name.release();
    references.clearOwnedNotify();
    references.setOwner(this);
}

void VornBaseObject::copyTo(VornBaseObject& other)
{
    other.colorAndFlags = colorAndFlags;
    name.moveTo(&other.name);
    references.moveOwnedNotifyTo(&other.references, &other);
    // The old slot is free now: a pointer somebody kept to it finds an object that has left.
    markRemoved();
}

void VornBaseObject::release()
{
    markRemoved();
    name.release();
    references.clearOwnedNotify();
}

void removeLinkedObject(VornBaseObject* object, knot& linkToList)
{
    if (object->getOwnerList())
        object->removeFromList();
    else
        linkToList.unlink();
}

ModelCascadeGuard::ModelCascadeGuard(const VornBaseObject* object)
{
    if (BlockListBase* list = object ? object->getOwnerList() : nullptr)
    {
        if (BlockListGroup* group = list->getGroup())
        {
            group->lock();
            lockedGroup = group;
        }
        else
        {
            list->lock();
            lockedList = list;
        }
    }
    knotManager::instance()->lockDefrag();
    defragLocked = true;
}

ModelCascadeGuard::~ModelCascadeGuard()
{
    if (lockedGroup)
        lockedGroup->unlock();
    if (lockedList)
        lockedList->unlock();
    if (defragLocked)
        knotManager::instance()->unlockDefrag();
}
