#pragma once

// The codes of the program's fixed notification channels. Senders and listeners name a channel by
// these constants only: a mistyped code would silently reach nobody.
namespace Channel
{

// The set of selected objects has changed (payload null).
inline constexpr const char* SelectionChanged = "SELCH";
// The selection is about to change; sent right before SelectionChanged (payload null).
inline constexpr const char* SelectionChanging = "PRESL";
// The active document may have changed: a view was activated (payload null).
inline constexpr const char* ActiveDocumentChanged = "DOCCH";
// Materials were added or removed (payload null) or one changed (payload its change record).
inline constexpr const char* MaterialsChanged = "MATCH";
// Cross-sections were added or removed (payload null) or one changed (payload its change record).
inline constexpr const char* CrossSectionsChanged = "CRSCH";
// Force definitions were added or removed (payload null) or one changed (payload its change record).
inline constexpr const char* ForceDefinitionsChanged = "FDFCH";
// A modifier tool changed a modifier's parameters (payload the modifier).
inline constexpr const char* ModifierChanged = "MODCH";
// The modifier history of the selection has changed (payload null).
inline constexpr const char* ModifierHistoryChanged = "HSTCH";
// The active calculator of a document has changed (payload null).
inline constexpr const char* ActiveCalculatorChanged = "CLCCH";
// The content of the property list has changed (payload null).
inline constexpr const char* PropertyListChanged = "PRLCH";
// A property of a list of objects has changed (payload a PropertyChangeNotice).
inline constexpr const char* ObjectsPropertyChanged = "LOPCH";
// The document interface's edit state has changed (payload null).
inline constexpr const char* EditStateChanged = "CESCH";
// A material or cross-section was applied to the selected objects (payload the applied object).
inline constexpr const char* AppliedToSelection = "APLSL";

// Key-downs taken from the host's message loop while the channel has a listener (payload the
// window message record).
inline constexpr const char* EnterKey = "KP_ENTER";
inline constexpr const char* EscapeKey = "KP_ESC";
inline constexpr const char* TabKey = "KP_TAB";

} // namespace Channel
