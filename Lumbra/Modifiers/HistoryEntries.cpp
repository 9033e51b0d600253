#include "Lumbra/Modifiers/HistoryEntries.h"

#include "VornData/VornModifiable.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"
#include "plugins/VornPluginObjectType.h"

#include <algorithm>
#include <cctype>

namespace lumbra
{

namespace
{

VornModifier* recordOf(const knot* link)
{
    return static_cast<VornModifier*>(link->getObject());
}

// The entry of the record in the list from `start` on; null when it is not there.
knot* findFrom(knot* start, const VornModifier* record)
{
    for (knot* link = start; link != nullptr; link = link->getNext())
        if (recordOf(link) == record)
            return link;
    return nullptr;
}

knot* entryBefore(const knot* link)
{
    knotLink* previous = link->getPrev();
    return previous != nullptr ? previous->asKnot() : nullptr;
}

HistoryEntry recordEntry(VornModifier* record)
{
    auto* plugin = dynamic_cast<VornPluginObjectModifier*>(record->modifierPlugin);
    const char* caption = plugin != nullptr ? plugin->getToolCaption(0) : nullptr;
    return {HistoryEntryKind::Record, caption != nullptr ? caption : "", record, 0};
}

HistoryEntry notSharedEntry()
{
    return {HistoryEntryKind::NotShared, "not shared modifiers", nullptr, 0};
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// The modifiable objects of the selection, in selection order.
std::vector<VornModifiable*> modifiablesOf(VornSelection& selection)
{
    std::vector<VornModifiable*> found;
    for (knot* link = selection.objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->isKindOf(VornModifiable::staticTypeID()))
            if (auto* modifiable = dynamic_cast<VornModifiable*>(object))
                found.push_back(modifiable);
    }
    return found;
}

class TreeBuilder
{
public:
    TreeBuilder(const HistoryInput& input, HistoryTree& tree) : input(input), tree(tree) {}

    void add(HistoryEntry entry)
    {
        if (entry.kind == HistoryEntryKind::Record && entry.record == input.activeRecord)
            keyEntry = static_cast<int32_t>(tree.entries.size());
        tree.entries.push_back(std::move(entry));
    }

    // The records of one selected object, youngest first.
    void addRecordsOf(VornModifiable& object)
    {
        for (knot* link = object.modifiers.getFirst(); link != nullptr; link = link->getNext())
            add(recordEntry(recordOf(link)));
    }

    // The records of the first modifiable object that every later one shares, in order; where
    // the histories differ, "not shared modifiers".
    void addSharedRecords(const std::vector<VornModifiable*>& objects)
    {
        if (objects.empty())
            return;
        VornModifiable& first = *objects.front();
        const std::vector<VornModifiable*> others(objects.begin() + 1, objects.end());
        if (first.modifiers.isEmpty())
        {
            if (std::any_of(others.begin(), others.end(), [](VornModifiable* x) { return !x->modifiers.isEmpty(); }))
                add(notSharedEntry());
            return;
        }
        VornModifier* lastListed = nullptr;
        bool gap = false; // an object has a record of its own between the shared ones
        bool lastShared = false;
        bool olderFollow = false; // after the last candidate, an object has older records
        for (knot* candidate = first.modifiers.getFirst(); candidate != nullptr; candidate = candidate->getNext())
        {
            VornModifier* record = recordOf(candidate);
            olderFollow = false;
            bool shared = true;
            for (VornModifiable* other : others)
            {
                knot* start = other->modifiers.getFirst();
                if (lastListed != nullptr)
                {
                    knot* listed = findFrom(start, lastListed);
                    start = listed != nullptr ? listed->getNext() : nullptr;
                }
                knot* found = findFrom(start, record);
                if (found == nullptr)
                {
                    shared = false;
                    break;
                }
                if (found->getNext() != nullptr)
                    olderFollow = true;
                if (!gap)
                    if (knot* before = entryBefore(found); before != nullptr && recordOf(before) != lastListed)
                        gap = true;
            }
            lastShared = shared;
            if (!shared)
                continue;
            if (gap)
            {
                add(notSharedEntry());
                gap = false;
            }
            add(recordEntry(record));
            lastListed = record;
        }
        if (!lastShared || olderFollow)
            add(notSharedEntry());
    }

    // The creation entries; answers true when the rebuild ends with them (the single creation
    // entry is all the tree holds).
    bool addCreationEntries(VornSelection& selection)
    {
        knot* firstLink = selection.objects.getFirst();
        const int32_t firstType = VornSelection::objectOf(firstLink)->getTypeID();
        for (knot* link = firstLink->getNext(); link != nullptr; link = link->getNext())
        {
            if (VornSelection::objectOf(link)->getTypeID() == firstType)
                continue;
            std::vector<int32_t> types = {firstType};
            for (knot* rest = link; rest != nullptr; rest = rest->getNext())
            {
                const int32_t type = VornSelection::objectOf(rest)->getTypeID();
                if (std::find(types.begin(), types.end(), type) == types.end())
                    types.push_back(type);
            }
            std::vector<HistoryEntry> grouped;
            for (int32_t type : types)
                grouped.push_back({HistoryEntryKind::GroupedCreation, creationEntryText(type), nullptr, type});
            std::stable_sort(grouped.begin(), grouped.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
                return lessIgnoringCase(a.text, b.text);
            });
            add({HistoryEntryKind::CreationGroup, "Creation", nullptr, 0});
            for (HistoryEntry& entry : grouped)
                add(std::move(entry));
            return false;
        }
        add({HistoryEntryKind::SingleCreation, creationEntryText(firstType), nullptr, firstType});
        if (tree.entries.size() != 1)
            return false;
        tree.deactivateActive = input.activeRecord != nullptr;
        tree.selected = 0;
        return true;
    }

    void chooseSelection()
    {
        if (input.activeRecord != nullptr && keyEntry >= 0)
        {
            if (input.activeRecordToolActive)
                tree.selected = keyEntry;
            else
                tree.showNothing = true;
        }
        else if (input.autoSelectModifier)
            tree.selected = 0;
        else
        {
            tree.deactivateActive = input.activeRecord != nullptr;
            tree.showNothing = true;
        }
    }

private:
    const HistoryInput& input;
    HistoryTree& tree;
    int32_t keyEntry = -1;
};

} // namespace

std::string creationEntryText(int32_t typeId)
{
    const char* name = nullptr;
    if (VornTypeIDManager* types = getTypeIDManager())
    {
        try
        {
            name = types->getName(typeId);
        }
        catch (const generalException&)
        {
            name = nullptr;
        }
    }
    return std::string(name != nullptr ? name : "Unknown") + " creation";
}

HistoryTree buildHistoryTree(const HistoryInput& input)
{
    HistoryTree tree;
    if (input.selection == nullptr || input.selection->isEmpty())
    {
        tree.entries.push_back({HistoryEntryKind::NoObjectsSelected, "no objects selected", nullptr, 0});
        tree.showNothing = true;
        return tree;
    }
    TreeBuilder builder(input, tree);
    VornSelection& selection = *input.selection;
    if (selection.isSingle())
    {
        VornSelectable* only = VornSelection::objectOf(selection.objects.getFirst());
        if (only->isKindOf(VornModifiable::staticTypeID()))
            if (auto* modifiable = dynamic_cast<VornModifiable*>(only))
                builder.addRecordsOf(*modifiable);
    }
    else
        builder.addSharedRecords(modifiablesOf(selection));
    if (!builder.addCreationEntries(selection))
        builder.chooseSelection();
    return tree;
}

} // namespace lumbra
