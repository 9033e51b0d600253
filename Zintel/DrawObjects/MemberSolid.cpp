#include "Zintel/DrawObjects/MemberSolid.h"

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLView.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "plugins/VornPluginObjectType.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zintel
{

namespace
{

ShapeList outlineOf(VornCrossSection* section, bool fine)
{
    if (section == nullptr || section->shape == nullptr)
        return ShapeList();
    return fine ? section->shape->getSecondShapeList(section) : section->shape->getShapeList(section);
}

// The member's frame: the start joint's position and its local axes (x along the member). The
// vertices are placed in the model here rather than through the GL matrix stack, so that the walls
// of many members go to GL in one batch.
struct MemberFrame
{
    VertexBatch& batch;
    Vector3 origin;
    const Matrix3x3* axes;

    void vertex(double x, const float* point) const
    {
        const double px = point[0], py = point[1];
        const Vector3& ex = axes->rows[0];
        const Vector3& ey = axes->rows[1];
        const Vector3& ez = axes->rows[2];
        batch.vertex(origin.x + x * ex.x + px * ey.x + py * ez.x, origin.y + x * ex.y + px * ey.y + py * ez.y,
                   origin.z + x * ex.z + px * ey.z + py * ez.z);
    }
    void normal(double nx, double ny, double nz) const
    {
        const Vector3& ex = axes->rows[0];
        const Vector3& ey = axes->rows[1];
        const Vector3& ez = axes->rows[2];
        batch.normal(nx * ex.x + ny * ey.x + nz * ez.x, nx * ex.y + ny * ey.y + nz * ez.y,
                   nx * ex.z + ny * ey.z + nz * ez.z);
    }
    // An edge normal of the outline (in the section plane).
    void normal(const float* direction) const { normal(0.0, direction[0], direction[1]); }
};

// The cap strips of the outline at x. The far cap faces the other way: its triangles are sent
// with the opposite winding (as the strips would show with the front face switched), as plain
// triangles so that no state changes between members.
void drawCap(const MemberFrame& frame, const ShapeList& outline, double x, double normalX, bool withNormals,
             bool reversed)
{
    const float* points = outline.getPoints();
    const int32_t* indices = outline.getIndexList();
    const uint32_t count = outline.getIndexCount();
    const auto point = [&](uint32_t i) { return points + ShapeList::FloatsPerPoint * indices[i]; };
    const auto valid = [&](uint32_t i) { return static_cast<uint32_t>(indices[i]) < outline.getPointCount(); };
    VertexBatch& batch = frame.batch;
    batch.begin(reversed ? VertexBatch::Shape::Triangles : VertexBatch::Shape::TriangleStrip);
    if (withNormals)
        frame.normal(normalX, 0.0, 0.0);
    uint32_t stripStart = 0;
    for (uint32_t i = 0; i < count; ++i)
    {
        if (indices[i] < 0)
        {
            stripStart = i + 1;
            if (!reversed)
                batch.begin(VertexBatch::Shape::TriangleStrip);
            continue;
        }
        if (!valid(i))
            continue;
        if (!reversed)
        {
            frame.vertex(x, point(i));
            continue;
        }
        // Triangle n of a strip ends at its vertex n + 2; its winding alternates.
        const uint32_t n = i - stripStart;
        if (n < 2 || !valid(i - 1) || !valid(i - 2))
            continue;
        const bool even = n % 2 == 0;
        frame.vertex(x, point(even ? i - 1 : i - 2));
        frame.vertex(x, point(even ? i - 2 : i - 1));
        frame.vertex(x, point(i));
    }
    batch.end();
}

} // namespace

ShapeList memberOutline(const VornMember& member, const DocItemOpenGL* settings, int8_t detailLevel, bool forShadow)
{
    if (detailLevel < Detail::Medium || settings == nullptr)
        return ShapeList();
    auto* fallback = const_cast<VornCrossSection*>(&settings->defaultCrossSection);
    if (detailLevel < Detail::High)
        return outlineOf(fallback, false);
    VornCrossSection* own = member.getCrossSection();
    VornCrossSection* section = own != nullptr && own->shape != nullptr ? own : fallback;
    const bool fine = detailLevel >= Detail::Maximum && !forShadow;
    return outlineOf(section, fine);
}

void drawMemberSolid(VertexBatch& batch, const VornMember& member, const ShapeList& outline, bool withNormals)
{
    const VornJoint* start = member.getStartJoint();
    if (start == nullptr || outline.isNull())
        return;
    const MemberFrame frame{batch, start->getPosition(), &member.localAxes()};
    const double length = member.getLength();
    const float* points = outline.getPoints();
    const auto at = [points](uint32_t index) { return points + ShapeList::FloatsPerPoint * index; };
    // One wall from point `from` to point `to`: the after-normal of the first, the before-normal
    // of the second.
    const auto wall = [&](uint32_t from, uint32_t to) {
        batch.begin(VertexBatch::Shape::TriangleStrip);
        if (withNormals)
            frame.normal(at(from) + 4);
        frame.vertex(0.0, at(from));
        frame.vertex(length, at(from));
        if (withNormals)
            frame.normal(at(to) + 2);
        frame.vertex(0.0, at(to));
        frame.vertex(length, at(to));
        batch.end();
    };
    uint32_t k = 0;
    for (uint32_t list = 0; list < outline.getListCount(); ++list)
    {
        const uint32_t first = k;
        const uint32_t n = outline.getListLength(list);
        if (n == 0 || first + n > outline.getPointCount())
            break;
        for (; k + 1 < first + n; ++k)
            wall(k, k + 1);
        wall(k, first);
        ++k;
    }
    if (outline.getIndexCount() > 0)
    {
        drawCap(frame, outline, 0.0, -1.0, withNormals, false);
        drawCap(frame, outline, length, 1.0, withNormals, true);
    }
}

void drawMemberLine(VertexBatch& batch, const VornMember& member)
{
    const VornJoint* start = member.getStartJoint();
    const VornJoint* end = member.getEndJoint();
    if (start == nullptr || end == nullptr)
        return;
    batch.begin(VertexBatch::Shape::Lines);
    batch.vertex(start->getPosition().x, start->getPosition().y, start->getPosition().z);
    batch.vertex(end->getPosition().x, end->getPosition().y, end->getPosition().z);
    batch.end();
}

double outlineRadius(const ShapeList& outline)
{
    double radius = 0.0;
    if (!outline.isNull())
        for (uint32_t point = 0; point < outline.getPointCount(); ++point)
        {
            const float* at = outline.getPoints() + ShapeList::FloatsPerPoint * point;
            radius = std::max(radius, std::hypot(static_cast<double>(at[0]), static_cast<double>(at[1])));
        }
    return radius;
}

const uint8_t* checkerboardStipple()
{
    static const std::array<uint8_t, 128> pattern = [] {
        std::array<uint8_t, 128> rows{};
        for (size_t row = 0; row < 32; ++row)
            for (size_t byte = 0; byte < 4; ++byte)
                rows[row * 4 + byte] = row % 2 == 0 ? 0xAA : 0x55;
        return rows;
    }();
    return pattern.data();
}

} // namespace zintel
