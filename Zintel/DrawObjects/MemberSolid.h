#pragma once

// The geometry of a member: its cross-section outline extruded from the start joint to the end
// joint (walls, and end caps when the outline has cap strips), or a line. The same recipe serves
// the lit pass, the overlays, the shadows and the pick draw.

#include "VornData/ShapeList.h"

#include <cstdint>

class VornMember;

namespace zintel
{

class DocItemOpenGL;
class VertexBatch;

// The outline a member is drawn with at a detail level: the default cross-section's at Medium,
// the member's own (or the default one) at High, its fine outline at Maximum (the coarse one for
// shadows). A null list below Medium, or when no outline can be had: the member is a line.
ShapeList memberOutline(const VornMember& member, const DocItemOpenGL* settings, int8_t detailLevel, bool forShadow);

// Adds the walls and caps of the member in its frame (x runs along the member from the start
// joint) to the batch, in the batch's current colour.
void drawMemberSolid(VertexBatch& batch, const VornMember& member, const ShapeList& outline, bool withNormals);

void drawMemberLine(VertexBatch& batch, const VornMember& member);

// How far the outline reaches from the member's axis (0 for a null outline).
double outlineRadius(const ShapeList& outline);

// The checkerboard stipple of marks on solids.
const uint8_t* checkerboardStipple();

} // namespace zintel
