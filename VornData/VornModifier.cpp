#include "VornData/VornModifier.h"

#include "VornData/VornDocument.h"
#include "VornData/VornDocumentHost.h"

VornModifier::VornModifier() : pivot(0, 0, 0), frameAngles(0, 0, 0)
{
}

void VornModifier::knotRemoved(knotLink* link)
{
    const bool ownList = link == &selectedVertices || link == &linkedVertices || link == &otherModifiables;
    if (ownList && hasNoObjects() && !isRemoved() && !isInMassRelease())
        removeFromList();
}

void VornModifier::removeFromList()
{
    if (isRemoved())
        return;
    VornDocument* document = getDocument();
    if (VornDocumentHost* host = document ? document->getHost() : nullptr; host && host->getActiveModifier() == this)
        host->setActiveModifier(nullptr);
    removeFromOwnList(this);
}

void VornModifier::removeAllLinks()
{
    for (knotList* list : {&selectedVertices, &linkedVertices, &otherModifiables})
        list->removeAllLinks();
}

void VornModifier::setDefaults()
{
    VornBaseObject::setDefaults();
    removeAllLinks();
    pivot.setZero();
    frameAngles.setZero();
    modifierPlugin = nullptr;
    parameters.free();
}

void VornModifier::copyTo(VornModifier& other)
{
    other.pivot = pivot;
    other.frameAngles = frameAngles;
    other.modifierPlugin = modifierPlugin;
    parameters.moveTo(other.parameters);
    selectedVertices.moveLinkedTo(&other.selectedVertices, &other);
    linkedVertices.moveLinkedTo(&other.linkedVertices, &other);
    otherModifiables.moveLinkedTo(&other.otherModifiables, &other);
    VornBaseObject::copyTo(other);
}

void VornModifier::release()
{
    // The document interface holds its active modifier through a reference, which the base release
    // empties; the links go without telling the modifier.
    markRemoved();
    removeAllLinks();
    VornBaseObject::release();
    modifierPlugin = nullptr;
    parameters.free();
}
