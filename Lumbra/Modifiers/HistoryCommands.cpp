#include "Lumbra/Modifiers/HistoryCommands.h"

#include "Knots/knotManager.h"
#include "VornData/VornModifiable.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"
#include "platform/SystemValues.h"

#include <vector>

namespace lumbra
{

namespace
{

bool confirmed(MAI_Doc& document, const char* text, const char* caption)
{
    return document.mai != nullptr &&
        document.mai->messageBox(text, caption, platform::MB_YESNO | platform::MB_ICONQUESTION) == platform::IDYES;
}

void send(MAI_Doc& document, const char* channel)
{
    if (document.mai != nullptr)
        document.mai->notifierRegistry.notify(channel, nullptr);
}

VornBaseObject* objectOf(const knot* link)
{
    return static_cast<VornBaseObject*>(link->getObject());
}

VornPluginObjectModifier* pluginOf(VornModifier* record)
{
    return record != nullptr ? dynamic_cast<VornPluginObjectModifier*>(record->modifierPlugin) : nullptr;
}

void rebuildAndUpdate(VornModifier* record)
{
    if (VornPluginObjectModifier* plugin = pluginOf(record))
    {
        plugin->rebuildBase(record);
        plugin->updateModifier(record);
    }
}

// The record's objects, its three lists one after another.
std::vector<VornBaseObject*> objectsOf(VornModifier* record)
{
    std::vector<VornBaseObject*> objects;
    for (knotList* list : {&record->selectedVertices, &record->linkedVertices, &record->otherModifiables})
        for (knot* link = list->getFirst(); link != nullptr; link = link->getNext())
            objects.push_back(objectOf(link));
    return objects;
}

// The active record's base again from its objects' older records, after a record left them.
void rebuildActiveBase(MAI_Doc& document)
{
    if (VornModifier* active = document.getActiveModifier(); active != nullptr)
        if (VornPluginObjectModifier* plugin = pluginOf(active))
            plugin->rebuildBase(active);
}

DocumentChangeLock lockFor(MAI_Doc& document, const char* operation)
{
    return DocumentChangeLock(&document, documentLockWaitingText(operation).c_str(), historyLockTimeout());
}

// Selecting changes the selection only, which is no edit of the model.
DocumentChangeLock lockForSelecting(MAI_Doc& document)
{
    return DocumentChangeLock(&document, documentLockWaitingText("Select").c_str(), historyLockTimeout(),
                              ChangeScope::OpenDocumentState);
}

} // namespace

std::chrono::milliseconds& historyLockTimeout()
{
    static std::chrono::milliseconds timeout = documentLockTimeout;
    return timeout;
}

bool deleteHistory(MAI_Doc& document)
{
    if (!confirmed(document, "Are you sure you want to delete\nthe history of all selected items?", "Delete History"))
        return false;
    const DocumentChangeLock lock = lockFor(document, "Delete History");
    if (!lock)
        return false;
    {
        const knotDefragLock held;
        VornSelection* selection = document.document.findSelection();
        for (knot* link = selection != nullptr ? selection->objects.getFirst() : nullptr; link != nullptr;
             link = link->getNext())
        {
            auto* object = dynamic_cast<VornModifiable*>(VornSelection::objectOf(link));
            if (object == nullptr)
                continue;
            object->commitModifiers();
            // A record left without objects ends itself.
            while (knot* entry = object->modifiers.getFirst())
                entry->remove();
            object->clearFlagBits(VornFlag::UnderModifier);
        }
    }
    send(document, Channel::ModifierHistoryChanged);
    document.invalidateViews();
    return true;
}

void toggleHistory(MAI_Doc& document)
{
    if (!document.historyEnabled)
    {
        document.historyEnabled = true;
        return;
    }
    if (!confirmed(document, "\"Disable History\" will delete all modifiers in this project!\n\nAre you sure?",
                   "Disable History"))
        return;
    if (document.mai != nullptr)
        document.mai->beep();
    document.historyEnabled = false;
}

bool disableModifier(MAI_Doc& document, VornModifier* record)
{
    if (record == nullptr)
        return false;
    const DocumentChangeLock lock = lockFor(document, "Disable Modifier");
    if (!lock)
        return false;
    record->setDisabled(!record->isDisabled());
    // The record's own objects are recomputed whichever record is active; the active one then
    // gets the base that the change left it.
    rebuildAndUpdate(record);
    VornModifier* active = document.getActiveModifier();
    if (active != nullptr && active != record)
        rebuildAndUpdate(active);
    document.invalidateViews();
    return true;
}

bool deleteModifier(MAI_Doc& document, VornModifier* record)
{
    if (record == nullptr || !confirmed(document, "Are you sure you want to delete this modifier?", "Delete Modifier"))
        return false;
    const DocumentChangeLock lock = lockFor(document, "Delete Modifier");
    if (!lock)
        return false;
    try
    {
        const bool wasActive = document.getActiveModifier() == record;
        if (wasActive)
            document.setActiveModifier(nullptr);
        record->markDisabled();
        for (VornBaseObject* object : objectsOf(record))
        {
            if (wasActive)
                object->clearFlagBits(VornFlag::UnderModifier);
            if (auto* modifiable = dynamic_cast<VornModifiable*>(object))
                modifiable->applyModifiers();
        }
        record->removeFromList();
        // The record that stays active starts from a base without the deleted record's change.
        if (!wasActive)
            rebuildActiveBase(document);
        send(document, Channel::ModifierHistoryChanged);
        document.invalidateViews();
    }
    catch (const generalException& failure)
    {
        if (document.mai != nullptr)
            document.mai->messageBox(failure.message, failure.where, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    return true;
}

bool detachModifier(MAI_Doc& document, VornModifier* record)
{
    if (record == nullptr ||
        !confirmed(document, "Are you sure you want to exclude this modifier from the current selection?",
                   "Detach Modifier"))
        return false;
    const DocumentChangeLock lock = lockFor(document, "Detach Modifier");
    if (!lock)
        return false;
    {
        const knotDefragLock held;
        const bool wasActive = document.getActiveModifier() == record;
        if (wasActive)
            document.setActiveModifier(nullptr);
        const bool wasDisabled = record->isDisabled();
        record->markDisabled();
        // What goes is gathered first: the record ends itself with its last link, after which
        // its lists are no longer its own.
        struct Cut
        {
            knot* link;
            VornBaseObject* object;
            bool vertex;
        };
        std::vector<Cut> cuts;
        int32_t stayed = 0;
        knotList* lists[] = {&record->selectedVertices, &record->linkedVertices, &record->otherModifiables};
        for (size_t index = 0; index < 3; ++index)
            for (knot* link = lists[index]->getFirst(); link != nullptr; link = link->getNext())
            {
                VornBaseObject* object = objectOf(link);
                if (object->isPreSelected())
                    cuts.push_back({link, object, index < 2});
                else
                    ++stayed;
            }
        for (const Cut& cut : cuts)
        {
            if (wasActive)
                cut.object->clearFlagBits(VornFlag::UnderModifier);
            if (cut.vertex)
                if (auto* modifiable = dynamic_cast<VornModifiable*>(cut.object))
                    modifiable->applyModifiers();
        }
        if (stayed > 0)
            record->setDisabled(wasDisabled);
        // Parked while defragmentation is held, the gathered knots stay where they are.
        for (const Cut& cut : cuts)
            cut.link->remove();
        if (!wasActive)
            rebuildActiveBase(document);
    }
    send(document, Channel::ModifierHistoryChanged);
    document.invalidateViews();
    return true;
}

bool selectRecordObjects(MAI_Doc& document, VornModifier* record, bool withLinkedVertices)
{
    if (record == nullptr)
        return false;
    const DocumentChangeLock lock = lockForSelecting(document);
    if (!lock)
        return false;
    send(document, Channel::SelectionChanging);
    if (VornSelection* current = document.document.findSelection())
        current->clearFlags(VornFlag::Selected | VornFlag::PreSelected);
    VornSelection* selection = document.document.newSelection();
    std::vector<knotList*> lists = {&record->selectedVertices};
    if (withLinkedVertices)
        lists.push_back(&record->linkedVertices);
    lists.push_back(&record->otherModifiables);
    for (knotList* list : lists)
        for (knot* link = list->getFirst(); link != nullptr; link = link->getNext())
            if (auto* object = dynamic_cast<VornSelectable*>(objectOf(link)))
                selection->add(object);
    selection->setFlags(VornFlag::Selected | VornFlag::PreSelected);
    send(document, Channel::SelectionChanged);
    document.invalidateViews();
    return true;
}

bool selectObjectsOfType(MAI_Doc& document, int32_t typeId)
{
    if (typeId == 0)
        return false;
    const DocumentChangeLock lock = lockForSelecting(document);
    if (!lock)
        return false;
    VornSelection* old = document.document.findSelection();
    if (old == nullptr)
        return false;
    send(document, Channel::SelectionChanging);
    const bool wasNamed = old->isNamed();
    // Named for the moment, the old selection stays while the new one is made.
    old->setNamed(true);
    VornSelection* narrowed = document.document.getModifiableSelection();
    for (knot* link = old->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->getTypeID() == typeId)
        {
            object->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
            narrowed->add(object);
        }
        else
            object->clearFlagBits(VornFlag::Selected | VornFlag::PreSelected);
    }
    if (!wasNamed)
        old->removeFromList();
    send(document, Channel::SelectionChanged);
    document.invalidateViews();
    return true;
}

} // namespace lumbra
