#pragma once

// The columns of the property list: one entry per registered object type with the property
// descriptors of the type and all its base types (the root's first), and the column arithmetic
// of the header (hit test, resizing, moving). Plain data without window code.

#include <cstdint>
#include <vector>

class PropertyDescriptor;

struct ProplistColumn
{
    PropertyDescriptor* descriptor = nullptr;
    // Pixels; a hidden column has a negative width whose absolute value it gets back when shown.
    int32_t width = 40;
    // The person set the width: the column no longer grows to show its texts.
    bool sizedByHand = false;
};

struct ProplistTypeEntry
{
    int32_t columnCount = 0;
    int32_t directCount = 0; // scratch: listed objects of exactly this type
    int32_t totalCount = 0; // scratch: listed objects of this type and its subtypes
    std::vector<ProplistColumn> columns;
};

// The library's column table, indexed by type id; empty until initProplistTypeArray built it.
// Widths, order and visibility persist for the whole run.
extern std::vector<ProplistTypeEntry> proplistTypeArray;
// The type whose columns the header and the list show; -1 shows nothing.
extern int32_t currentProplistType;

// Builds the column table once from the module's type registry; later calls do nothing. Throws
// Exc_OutOfMemory when the table cannot be allocated.
void initProplistTypeArray();
bool proplistTypeArrayBuilt();

// The entry of the current type, or null when the current type has no entry in the table.
ProplistTypeEntry* currentProplistEntry();

namespace PropertyColumns
{

inline constexpr int32_t noColumn = 0x7FFFFFFF;
inline constexpr int32_t resizeZone = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t minimumWidth = 8;
inline constexpr int32_t maximumWidth = 500;

// The column at header x: its index, with resizeZone set within 5 pixels right of its right
// edge; noColumn when x is right of every visible column.
int32_t hitTest(const std::vector<ProplistColumn>& columns, int32_t x);

// Changes a column's width by dx, kept within [minimumWidth, maximumWidth]; from then on the
// column keeps the width the person gives it.
void resizeColumn(ProplistColumn& column, int32_t dx);

// The room a cell gives its text: 4 pixels at its left and as many at its right.
inline constexpr int32_t cellTextMargins = 8;
// Widens a shown column that the person has not sized so that a cell text `textWidth` pixels
// wide fits (up to maximumWidth); never narrows it. True when it grew.
bool widenForText(ProplistColumn& column, int32_t textWidth);

// Moves the dragged `column` past its visible neighbours while the mouse (at x) has gone further
// than a neighbour's width from lastX; `column` and `lastX` follow. True when it moved.
bool moveColumn(std::vector<ProplistColumn>& columns, int32_t& column, int32_t& lastX, int32_t x);

} // namespace PropertyColumns
