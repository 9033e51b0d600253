#pragma once

// What the History pagette lists for a selection, as plain data: the records of the selected
// objects, youngest first, and the creation entries of their types; and what the pagette then
// selects. The window only shows it.

#include <cstdint>
#include <string>
#include <vector>

class VornModifier;
class VornSelection;

namespace lumbra
{

enum class HistoryEntryKind : uint8_t
{
    Record, // a modifier record
    NotShared, // "not shared modifiers": the selected objects' histories differ here
    SingleCreation, // the creation entry when all selected objects are of one type
    CreationGroup, // "Creation", holding the creation entries of several types
    GroupedCreation, // a creation entry under the group
    NoObjectsSelected,
};

struct HistoryEntry
{
    HistoryEntryKind kind;
    std::string text;
    VornModifier* record = nullptr; // Record
    int32_t typeId = 0; // SingleCreation and GroupedCreation
};

// The item data of the tree's entries that are no record and no grouped creation entry.
inline constexpr intptr_t historySingleCreationData = -1;

struct HistoryInput
{
    VornSelection* selection = nullptr; // null or empty: nothing selected
    VornModifier* activeRecord = nullptr;
    // Whether the active record's modifier is the document's active tool.
    bool activeRecordToolActive = false;
    bool autoSelectModifier = false;
};

struct HistoryTree
{
    // In tree order; the grouped creation entries follow their group, sorted by text.
    std::vector<HistoryEntry> entries;
    // Index of the entry selected after the rebuild; -1 for none.
    int32_t selected = -1;
    // The active record's modifier lets go of it (the record itself stays active).
    bool deactivateActive = false;
    // The Edit page shows neither creator nor modifier pagettes.
    bool showNothing = false;
};

// The entries of the History pagette for a selection.
HistoryTree buildHistoryTree(const HistoryInput& input);

// The text of the creation entry of an object type: its name followed by " creation".
std::string creationEntryText(int32_t typeId);

} // namespace lumbra
