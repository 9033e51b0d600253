#include "Zintel/DrawObjects/Grid.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/ZintelLibrary.h"

#include <GL/gl.h>

namespace zintel
{

namespace
{

constexpr double halfCells = 10.0;

void sendSegments(const GridSegment* segments, size_t count)
{
    glBegin(GL_LINES);
    for (size_t index = 0; index < count; ++index)
    {
        glVertex3dv(segments[index][0].data());
        glVertex3dv(segments[index][1].data());
    }
    glEnd();
}

} // namespace

GridGeometry gridGeometry(const DocItemOpenGL& settings, int32_t viewPlane)
{
    const double spacing[3] = {settings.gridSpacingX,
                               settings.gridUniform ? settings.gridSpacingX : settings.gridSpacingY,
                               settings.gridUniform ? settings.gridSpacingX : settings.gridSpacingZ};
    const double offset[3] = {settings.gridOffsetX, settings.gridOffsetY, settings.gridOffsetZ};
    // The two axes of the plane: XY, XZ or YZ.
    const int u = viewPlane == 2 ? 1 : 0;
    const int v = viewPlane == 0 ? 1 : 2;
    const auto point = [&](double du, double dv) {
        std::array<double, 3> p = {offset[0], offset[1], offset[2]};
        p[u] += du;
        p[v] += dv;
        return p;
    };
    const double U = halfCells * spacing[u], V = halfCells * spacing[v];
    GridGeometry geometry;
    for (int k = 0; k < 10; ++k)
    {
        const double a = (halfCells - k) * spacing[u], b = (halfCells - k) * spacing[v];
        geometry.lines[4 * k] = {point(a, -V), point(a, V)};
        geometry.lines[4 * k + 1] = {point(-a, -V), point(-a, V)};
        geometry.lines[4 * k + 2] = {point(U, b), point(-U, b)};
        geometry.lines[4 * k + 3] = {point(U, -b), point(-U, -b)};
    }
    geometry.cross = {GridSegment{point(U, 0), point(-U, 0)}, GridSegment{point(0, -V), point(0, V)}};
    return geometry;
}

void OpenGLDrawObjectGrid::draw(int32_t, uint32_t)
{
    if (view()->docItem == nullptr)
        return;
    const GridGeometry geometry = gridGeometry(*view()->docItem, view()->viewPlane);
    glDisable(GL_LIGHTING);
    glColor3d(0.0, 0.0, 0.0);
    sendSegments(geometry.cross.data(), geometry.cross.size());
    glEnable(GL_LIGHTING);
}

void OpenGLDrawObjectGrid::drawBlended()
{
    if (view()->docItem == nullptr)
        return;
    const GridGeometry geometry = gridGeometry(*view()->docItem, view()->viewPlane);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(0.7, 0.7, 0.7, 0.5);
    sendSegments(geometry.lines.data(), geometry.lines.size());
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

const char* PluginVODOGrid::getName()
{
    return "Grid";
}

const char* PluginVODOGrid::getDescription()
{
    return "Grid [OpenGL]:\noptionally draws grid.";
}

void PluginVODOGrid::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOGrid", "Grid [OpenGL]\n2000");
}

DrawObject* PluginVODOGrid::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectGrid>(this, owner, "PluginVODOGrid::getDrawObject");
}

const char* PluginVODOGrid::getDisplayName()
{
    return "Grid";
}

int32_t PluginVODOGrid::getBitmapID()
{
    return BitmapId::GridLayer;
}

} // namespace zintel
