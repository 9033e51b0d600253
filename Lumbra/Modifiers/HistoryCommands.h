#pragma once

// The commands of the History pagette's context menu, on a document interface. Those that change
// the model ask first where the pagette asks, and take the document lock.

#include <chrono>
#include <cstdint>

class MAI_Doc;
class VornModifier;

namespace lumbra
{

namespace HistoryCommand
{
constexpr uint32_t AutoSelectModifier = 0xB000;
constexpr uint32_t DeleteHistory = 0xB001;
constexpr uint32_t SelectAllModifiedObjects = 0xB002;
constexpr uint32_t SelectObjects = 0xB003;
constexpr uint32_t ToggleHistory = 0xB004;
constexpr uint32_t DisplayModifierOptions = 0xB005;
constexpr uint32_t CutModifier = 0xB006;
constexpr uint32_t CopyModifier = 0xB007;
constexpr uint32_t PasteModifier = 0xB008;
constexpr uint32_t PasteModifierInstance = 0xB009;
constexpr uint32_t DeleteModifier = 0xB00A;
constexpr uint32_t DetachModifier = 0xB00B;
constexpr uint32_t DisableModifier = 0xB00C;
constexpr uint32_t SelectOriginalSelection = 0xB00D;
} // namespace HistoryCommand

// How long a history command waits for the document lock before it asks the user.
std::chrono::milliseconds& historyLockTimeout();

// Asks, then makes the current state of every selected modifiable object its creation state and
// cuts its records off it. True when it ran.
bool deleteHistory(MAI_Doc& document);
// Asks before disabling (which only clears the document's history switch); enabling asks nothing.
void toggleHistory(MAI_Doc& document);
// Flips the record's disabled mark and recomputes its objects (and the active record's base).
bool disableModifier(MAI_Doc& document, VornModifier* record);
// Asks, then takes the record off all its objects and out of the document.
bool deleteModifier(MAI_Doc& document, VornModifier* record);
// Asks, then takes the record off its objects that are selected; it stays for the others.
bool detachModifier(MAI_Doc& document, VornModifier* record);
// A new current selection of the record's selected vertices (with its linked vertices when
// `withLinkedVertices`) and its other objects.
bool selectRecordObjects(MAI_Doc& document, VornModifier* record, bool withLinkedVertices);
// Narrows the current selection to the objects of that type.
bool selectObjectsOfType(MAI_Doc& document, int32_t typeId);

} // namespace lumbra
