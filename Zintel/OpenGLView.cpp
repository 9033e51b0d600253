#include "Zintel/OpenGLView.h"

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "plugins/MAI.h"
#include "platform/DeviceContext.h"
#include "platform/GlWindow.h"
#include "platform/Services.h"
#include "platform/Time.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>

namespace zintel
{

namespace
{

constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;

} // namespace

OpenGLView::OpenGLView(VornPluginViewBase* viewType, MAI_View* owner, DocItemOpenGL* item)
    : ViewTypeInfo(viewType, owner), docItem(item)
{
}

OpenGLView::~OpenGLView()
{
    // The host destroys the state after its window; a handle whose window is gone does nothing.
    deleteContext();
}

PluginViewOpenGL* OpenGLView::viewType() const
{
    return static_cast<PluginViewOpenGL*>(viewTypePlugin);
}

OpenGLDrawObject* OpenGLView::firstDrawObject() const
{
    return static_cast<OpenGLDrawObject*>(drawObjects);
}

double OpenGLView::symbolSize() const
{
    return docItem != nullptr ? docItem->getScalelessSize() : 0.1;
}

double OpenGLView::floorHeight() const
{
    if (ownerView == nullptr || ownerView->document == nullptr)
        return 0.0;
    return ownerView->document->document.floorHeight.load();
}

void OpenGLView::resize(int32_t newWidth, int32_t newHeight)
{
    width = newWidth;
    height = newHeight;
    projectionDirty = true;
}

void OpenGLView::invalidate()
{
    if (PluginViewOpenGL* plugin = viewType())
        plugin->updatePages();
}

platform::CursorHandle OpenGLView::getCursor(int32_t x, int32_t y, uint32_t flags)
{
    if (PluginViewOpenGL* plugin = viewType())
        return plugin->pickHandle(*this, x, y);
    return platform::CursorHandle{};
}

namespace
{

// The rotation by `degrees` about the coordinate axis `axis` (0 x, 1 y, 2 z), as glRotated makes it
// (row-major 3 x 3).
std::array<double, 9> axisRotation(double degrees, int axis)
{
    const double c = std::cos(degrees * degreesToRadians), s = std::sin(degrees * degreesToRadians);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    std::array<double, 9> m{};
    m[axis * 3 + axis] = 1.0;
    m[a * 3 + a] = c;
    m[b * 3 + b] = c;
    m[a * 3 + b] = -s;
    m[b * 3 + a] = s;
    return m;
}

std::array<double, 9> product(const std::array<double, 9>& l, const std::array<double, 9>& r)
{
    std::array<double, 9> m{};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            for (int k = 0; k < 3; ++k)
                m[row * 3 + column] += l[row * 3 + k] * r[k * 3 + column];
    return m;
}

} // namespace

void OpenGLView::cameraMatrix(double matrix[16]) const
{
    std::array<double, 9> rotation = axisRotation(roll - 90.0, 2);
    rotation = product(rotation, axisRotation(tilt, 1));
    rotation = product(rotation, axisRotation(direction == 0.0f ? 0.00001 : direction, 0));
    rotation = product(rotation, axisRotation(-90.0, 1));
    const double pov[3] = {povX, povY, povZ};
    // Column-major, as GL keeps it: the rotation, then the eye moved to the origin.
    for (int row = 0; row < 3; ++row)
    {
        for (int column = 0; column < 3; ++column)
            matrix[column * 4 + row] = rotation[row * 3 + column];
        matrix[12 + row] =
            -(rotation[row * 3] * pov[0] + rotation[row * 3 + 1] * pov[1] + rotation[row * 3 + 2] * pov[2]);
        matrix[row * 4 + 3] = 0.0;
    }
    matrix[15] = 1.0;
}

void OpenGLView::setCamera()
{
    double matrix[16];
    cameraMatrix(matrix);
    glLoadMatrixd(matrix);
}

void OpenGLView::setupLighting()
{
    glEnable(GL_LIGHTING);
    reportGLError("glEnable (GL_LIGHTING) ;");
    glEnable(GL_LIGHT0);
    reportGLError("glEnable (GL_LIGHT0) ;");
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
    reportGLError("glLightModeli() ;");

    GLfloat position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    if (!lightingOff)
    {
        const double azimuth = (lightAzimuth + (lightRelative ? direction : 0.0f)) * degreesToRadians;
        const double elevation = lightElevation * degreesToRadians;
        position[0] = static_cast<GLfloat>(std::cos(elevation) * std::cos(azimuth));
        position[1] = static_cast<GLfloat>(std::cos(elevation) * std::sin(azimuth));
        position[2] = static_cast<GLfloat>(std::sin(elevation));
        // The shadow falls along the light onto the floor (z = floor height), so that shadows
        // drawn only while the eye is above the floor lie on it.
        const double k = std::tan((90.0 - lightElevation) * degreesToRadians);
        const double kx = std::cos(azimuth) * k;
        const double ky = std::sin(azimuth) * k;
        const double floor = floorHeight();
        const double matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, -kx, -ky, 0, 0, kx * floor, ky * floor, floor, 1};
        for (int i = 0; i < 16; ++i)
            shadowMatrix[i] = matrix[i];
    }
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

OpenGLView::ShownRegion OpenGLView::shownRegion() const
{
    ShownRegion region;
    if (viewport[2] <= 0 || viewport[3] <= 0)
        return region;
    // The region in window coordinates, a few pixels wider to cover the rasterisation of edges
    // and lines, then as the bounds of x / w and y / w.
    constexpr double marginPixels = 3.0;
    double left = viewport[0], bottom = viewport[1], right = viewport[0] + viewport[2], top = viewport[1] + viewport[3];
    if (pickRegion.active)
    {
        left = pickRegion.left;
        bottom = pickRegion.bottom;
        right = pickRegion.right;
        top = pickRegion.top;
    }
    const double low[2] = {2.0 * (left - marginPixels - viewport[0]) / viewport[2] - 1.0,
                           2.0 * (bottom - marginPixels - viewport[1]) / viewport[3] - 1.0};
    const double high[2] = {2.0 * (right + marginPixels - viewport[0]) / viewport[2] - 1.0,
                            2.0 * (top + marginPixels - viewport[1]) / viewport[3] - 1.0};
    // Rows x, y and w of projection times modelview.
    double rows[3][4];
    for (int r = 0; r < 3; ++r)
    {
        const int row = r < 2 ? r : 3;
        for (int column = 0; column < 4; ++column)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += projectionMatrix[4 * k + row] * modelviewMatrix[4 * column + k];
            rows[r][column] = sum;
        }
    }
    // A point lies beyond a side (x < low w, x > high w, and so for y) where the side's plane
    // function is positive.
    for (int axis = 0; axis < 2; ++axis)
        for (int column = 0; column < 4; ++column)
        {
            region.sides[2 * axis][column] = low[axis] * rows[2][column] - rows[axis][column];
            region.sides[2 * axis + 1][column] = rows[axis][column] - high[axis] * rows[2][column];
        }
    region.everywhere = false;
    return region;
}

bool OpenGLView::ShownRegion::mayShow(const double a[3], const double b[3], double radius) const
{
    if (everywhere)
        return true;
    // The body lies in the box around the segment. A point beyond a side of the region (x > bound
    // w, say) shows nowhere, whatever the sign of w; the box is beyond the side when the least
    // value of the side's (linear) function over the box is positive.
    double centre[3], half[3];
    for (int axis = 0; axis < 3; ++axis)
    {
        centre[axis] = 0.5 * (a[axis] + b[axis]);
        half[axis] = 0.5 * std::abs(a[axis] - b[axis]) + radius;
    }
    for (const auto& side : sides)
    {
        const double least = side[0] * centre[0] + side[1] * centre[1] + side[2] * centre[2] + side[3] -
            (std::abs(side[0]) * half[0] + std::abs(side[1]) * half[1] + std::abs(side[2]) * half[2]);
        if (least > 0.0)
            return false;
    }
    return true;
}

int32_t OpenGLView::viewPlaneFor(float tilt, float direction)
{
    const int a = (static_cast<int>(tilt) + 225) % 180;
    const int b = (static_cast<int>(direction) + 225) % 180;
    if (a > 90)
        return 0;
    return b < 90 ? 2 : 1;
}

void OpenGLView::render()
{
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, static_cast<GLfloat>(zNear));
    glFogf(GL_FOG_END, static_cast<GLfloat>(zFar));
    glFogf(GL_FOG_DENSITY, 0.02f);
    glFogfv(GL_FOG_COLOR, fogColor);
    glEnable(GL_DEPTH_TEST);
    reportGLError("glEnable (GL_DEPTH_TEST);");
    glClearColor(backgroundColor.red / 255.0f, backgroundColor.green / 255.0f, backgroundColor.blue / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);

    if (bandStart.x != noBand && bandStart.y != noBand && bandEnd.x != noBand && bandEnd.y != noBand)
    {
        const GLint left = bandStart.x < bandEnd.x ? bandStart.x : bandEnd.x;
        const GLint bottom = bandStart.y < bandEnd.y ? bandStart.y : bandEnd.y;
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnable(GL_SCISSOR_TEST);
        glScissor(left, bottom, std::abs(bandEnd.x - bandStart.x), std::abs(bandEnd.y - bandStart.y));
        glClearColor(bandColor.red / 255.0f, bandColor.green / 255.0f, bandColor.blue / 255.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    }

    glMatrixMode(GL_MODELVIEW);
    reportGLError("MatrixMode");
    setCamera();
    setupLighting();
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelviewMatrix);
    glGetDoublev(GL_PROJECTION_MATRIX, projectionMatrix);

    const uint32_t tick = platform::tickCount();
    viewPlane = viewPlaneFor(tilt, direction);

    for (DrawObject* object = drawObjects; object != nullptr; object = object->next)
    {
        if (!object->enabled)
            continue;
        setCamera();
        static_cast<OpenGLDrawObject*>(object)->draw(0, tick);
    }

    if (!lightingOff && shadowsOn && povZ > floorHeight())
    {
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        for (DrawObject* object = drawObjects; object != nullptr; object = object->next)
        {
            if (!object->enabled)
                continue;
            setCamera();
            glMultMatrixd(shadowMatrix);
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
            static_cast<OpenGLDrawObject*>(object)->drawShadow();
            glColor4f(0.0f, 0.0f, 0.0f, 0.1f);
            static_cast<OpenGLDrawObject*>(object)->drawShadowSoft();
        }
        glEnable(GL_LIGHTING);
    }

    for (DrawObject* object = drawObjects; object != nullptr; object = object->next)
    {
        if (!object->enabled)
            continue;
        setCamera();
        static_cast<OpenGLDrawObject*>(object)->drawBlended();
    }
    glFlush();
}

void OpenGLView::paint(platform::DeviceContext& context)
{
    if (projectionDirty)
    {
        if (width == -2 && height == -2 && ownerView != nullptr)
        {
            platform::Rect client;
            ownerView->getClientRect(client);
            width = client.right;
            height = client.bottom;
        }
        resizeViewport(context, width, height);
        projectionDirty = false;
    }
    if (!platform::makeGlCurrent(context))
    {
        // Without a context there is nothing to draw on: no frame is drawn or shown.
        traceFormat("wglMakeCurrent Failed %x\r\n", static_cast<unsigned>(errno));
        platform::releaseGlCurrent();
        return;
    }
    render();
    if (!platform::swapGlBuffers(context))
        traceFormat("SwapBuffers Failed\r\n");
    platform::releaseGlCurrent();
}

int32_t OpenGLView::setupPixelFormat(platform::DeviceContext& context)
{
    if (!platform::makeGlCurrent(context))
    {
        traceFormat("wglCreateContext Failed %x\r\n", static_cast<unsigned>(errno));
        platform::releaseGlCurrent();
        return -1;
    }
    contextWindow = context.window();
    platform::releaseGlCurrent();
    return 0;
}

void OpenGLView::resizeViewport(platform::DeviceContext& context, int32_t newWidth, int32_t newHeight)
{
    if (newWidth <= 0 || newHeight <= 0)
        return;
    if (!platform::makeGlCurrent(context))
    {
        traceFormat("wglMakeCurrent Failed %x\r\n", static_cast<unsigned>(errno));
        platform::releaseGlCurrent();
        return;
    }
    glMatrixMode(GL_PROJECTION);
    reportGLError("MatrixMode");
    glLoadIdentity();
    gluPerspective(fovY, static_cast<double>(newWidth) / newHeight, zNear, zFar);
    glViewport(0, 0, newWidth, newHeight);
    platform::releaseGlCurrent();
}

void OpenGLView::deleteContext()
{
    for (DrawObject* object = drawObjects; object != nullptr; object = object->next)
        static_cast<OpenGLDrawObject*>(object)->forgetDisplayLists();
    platform::releaseGlCurrent();
    if (hasContext())
    {
        platform::releaseGlSurface(contextWindow);
        contextWindow = platform::WindowHandle::None;
    }
}

void OpenGLView::reportGLError(const char* label)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    platform::messageBeep(platform::MB_SIMPLEBEEP);
    traceFormat("%s had error: #(%d) %s\r\n", label, static_cast<int>(error),
                reinterpret_cast<const char*>(gluErrorString(error)));
}

} // namespace zintel
