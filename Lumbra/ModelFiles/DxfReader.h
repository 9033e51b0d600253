#pragma once

#include "Lumbra/ModelFiles/ModelFragment.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumbra
{

// A drawing read from the text of a DXF file: the members of its LINE entities and LWPOLYLINE
// segments between shared joints, and what the reader left out on the way.
struct DxfDrawing
{
    ModelFragment model;
    // Segments not made: both ends on one joint, or the closing segment of a closed polyline that
    // would double its only member.
    uint32_t skippedSegments = 0;
    // Polylines that ended before the vertex count they declared.
    uint32_t shortPolylines = 0;
    // Polylines that held more vertices than they declared, and those vertices, which are not read.
    uint32_t longPolylines = 0;
    uint64_t verticesBeyondCount = 0;
    // Entities of other kinds, by their name, in the order they first appeared.
    std::vector<std::pair<std::string, uint32_t>> entitiesNotRead;
};

// The outcome of reading: the drawing, or the error that stopped the reading (its text names the
// line).
struct DxfReading
{
    bool ok = false;
    DxfDrawing drawing;
    std::string error;
};

// Reads the entity section of a DXF file in text form: LINE and LWPOLYLINE (bulges, widths and
// thickness ignored), comment groups (999) skipped everywhere. Points that lie within the
// import's tolerance of an earlier point share its joint.
DxfReading readDxf(std::string_view text);

// True when the text begins like a DXF file: after any comment groups, the group (0, "SECTION"),
// or the sentinel of the binary form (which readDxf refuses with a message).
bool looksLikeDxf(std::string_view text);

// The text shown after a successful reading: "linecount" with the number of members, then one line
// for each thing left out. When the drawing holds no member, a text that says nothing was imported.
std::string describeDxfDrawing(const DxfDrawing& drawing);

} // namespace lumbra
