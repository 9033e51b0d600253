#include "Zintel/DrawObjects/MemberSolid.h"

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "plugins/VornPluginObjectType.h"

#include <GL/gl.h>

#include <array>

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

void vertex(double x, const float* point)
{
    glVertex3d(x, static_cast<double>(point[0]), static_cast<double>(point[1]));
}

void normal(const float* direction)
{
    glNormal3d(0.0, static_cast<double>(direction[0]), static_cast<double>(direction[1]));
}

void drawCap(const ShapeList& outline, double x, double normalX, bool withNormals)
{
    const float* points = outline.getPoints();
    const int32_t* indices = outline.getIndexList();
    glBegin(GL_TRIANGLE_STRIP);
    if (withNormals)
        glNormal3d(normalX, 0.0, 0.0);
    for (uint32_t i = 0; i < outline.getIndexCount(); ++i)
    {
        if (indices[i] < 0)
        {
            glEnd();
            glBegin(GL_TRIANGLE_STRIP);
        }
        else if (static_cast<uint32_t>(indices[i]) < outline.getPointCount())
            vertex(x, points + ShapeList::FloatsPerPoint * indices[i]);
    }
    glEnd();
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

void drawMemberSolid(const VornMember& member, const ShapeList& outline, bool withNormals)
{
    const VornJoint* start = member.getStartJoint();
    if (start == nullptr || outline.isNull())
        return;
    const Vector3& origin = start->getPosition();
    double frame[16];
    member.localAxes().toGLMatrix(frame);
    const double length = member.getLength();
    const float* points = outline.getPoints();
    const auto at = [points](uint32_t index) { return points + ShapeList::FloatsPerPoint * index; };

    glPushMatrix();
    glTranslated(origin.x, origin.y, origin.z);
    glMultMatrixd(frame);
    uint32_t k = 0;
    for (uint32_t list = 0; list < outline.getListCount(); ++list)
    {
        const uint32_t first = k;
        const uint32_t n = outline.getListLength(list);
        if (n == 0 || first + n > outline.getPointCount())
            break;
        for (uint32_t wall = 0; wall + 1 < n; ++wall)
        {
            glBegin(GL_TRIANGLE_STRIP);
            if (withNormals)
                normal(at(k) + 4);
            vertex(0.0, at(k));
            vertex(length, at(k));
            ++k;
            if (withNormals)
                normal(at(k) + 2);
            vertex(0.0, at(k));
            vertex(length, at(k));
            glEnd();
        }
        glBegin(GL_TRIANGLE_STRIP);
        if (withNormals)
            normal(at(k) + 4);
        vertex(0.0, at(k));
        vertex(length, at(k));
        if (withNormals)
            normal(at(first) + 2);
        vertex(0.0, at(first));
        vertex(length, at(first));
        glEnd();
        ++k;
    }
    if (outline.getIndexCount() > 0)
    {
        drawCap(outline, 0.0, -1.0, withNormals);
        glFrontFace(GL_CW);
        drawCap(outline, length, 1.0, withNormals);
        glFrontFace(GL_CCW);
    }
    glPopMatrix();
}

void drawMemberLine(const VornMember& member)
{
    const VornJoint* start = member.getStartJoint();
    const VornJoint* end = member.getEndJoint();
    if (start == nullptr || end == nullptr)
        return;
    glBegin(GL_LINES);
    glVertex3d(start->getPosition().x, start->getPosition().y, start->getPosition().z);
    glVertex3d(end->getPosition().x, end->getPosition().y, end->getPosition().z);
    glEnd();
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
