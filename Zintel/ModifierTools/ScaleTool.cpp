#include "Zintel/ModifierTools/ScaleTool.h"

#include "Zintel/Cursors.h"
#include "Zintel/ModifierTools/ToolGeometry.h"
#include "Zintel/OpenGLView.h"
#include "VornData/VornModifier.h"

#include <GL/gl.h>

#include <cmath>

namespace zintel
{

using namespace tools;

namespace
{

constexpr int axisColours[3][3] = {{0, 0, 127}, {0, 127, 0}, {127, 0, 0}};
constexpr int32_t axisMasks[3] = {1, 2, 4};
// Handle 0 the X handle, 1 the Z handle, 2 the Y handle: the axis each stretches.
constexpr int handleAxis[3] = {0, 2, 1};
constexpr int32_t handleMasks[3] = {1, 4, 2};

// The box lo ≤ x ≤ hi on the first axis and ±half on the others as six faces, with the outward
// normals when asked.
void box(double lo, double hi, double half, bool normals)
{
    const double x[2] = {lo, hi};
    const double h[2] = {-half, half};
    struct Face
    {
        double normal[3];
        int corners[4][3]; // indices into x, h (y), h (z)
    };
    const Face faces[6] = {
        {{0, 0, 1}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}},
        {{0, 0, -1}, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}},
        {{-1, 0, 0}, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}},
        {{1, 0, 0}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
        {{0, 1, 0}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}},
        {{0, -1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
    };
    for (const Face& face : faces)
    {
        glBegin(GL_POLYGON);
        if (normals)
            glNormal3dv(face.normal);
        for (const auto& corner : face.corners)
            glVertex3d(x[corner[0]], h[corner[1]], h[corner[2]]);
        glEnd();
    }
}

void axisVertex(int axis, double length)
{
    glVertex3d(axis == 0 ? length : 0.0, axis == 1 ? length : 0.0, axis == 2 ? length : 0.0);
}

void translateAlong(int axis, double length)
{
    glTranslated(axis == 0 ? length : 0.0, axis == 1 ? length : 0.0, axis == 2 ? length : 0.0);
}

float& component(Point3f& point, int axis)
{
    return axis == 0 ? point.x : (axis == 1 ? point.y : point.z);
}

} // namespace

bool OpenGLModifierToolScale::ensureDisplayLists()
{
    if (handleList != 0)
        return true;
    const GLuint lists = glGenLists(4);
    if (lists == 0)
        return false;
    glNewList(lists, GL_COMPILE);
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glVertex3d(3, 0, 0);
    glVertex3d(62, 0, 0);
    glEnd();
    glEnable(GL_LIGHTING);
    box(62, 68, 3, true);
    glEndList();
    glNewList(lists + 1, GL_COMPILE);
    glDisable(GL_LIGHTING);
    for (const double x : {6.0, -6.0})
    {
        glBegin(GL_LINE_STRIP);
        glVertex3d(x, 6, 6);
        glVertex3d(x, -6, 6);
        glVertex3d(x, -6, -6);
        glVertex3d(x, 6, -6);
        glVertex3d(x, 6, 6);
        glEnd();
    }
    glBegin(GL_LINES);
    for (const double y : {6.0, -6.0})
        for (const double z : {6.0, -6.0})
        {
            glVertex3d(6, y, z);
            glVertex3d(-6, y, z);
        }
    glEnd();
    glEndList();
    glNewList(lists + 2, GL_COMPILE);
    box(-3, 3, 3, false);
    glEndList();
    glNewList(lists + 3, GL_COMPILE);
    box(-3, 3, 3, true);
    glEndList();
    handleList = lists;
    return true;
}

void OpenGLModifierToolScale::forgetDisplayLists()
{
    handleList = 0;
}

int32_t OpenGLModifierToolScale::getHandleCount(VornModifier* modifier)
{
    return modifier != nullptr ? 4 : 0;
}

void OpenGLModifierToolScale::beginTurnedPass(const VornModifier& modifier, const TransformParameters& parameters,
                                              float scale, bool blended) const
{
    beginToolPass(modifier, toolCentre(modifier, parameters), scale, blended);
    glRotatef(parameters.rotate.x, -1, 0, 0);
    glRotatef(parameters.rotate.y, 0, -1, 0);
    glRotatef(parameters.rotate.z, 0, 0, -1);
}

void OpenGLModifierToolScale::draw(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters))
        return;
    scaleFactor = toolScaleFactor(*view, toolCentre(*modifier, parameters));
    if (!ensureDisplayLists())
        return;
    beginTurnedPass(*modifier, parameters, scaleFactor, false);
    sendColour(127, 127, 0);
    glCallList(handleList + 1);
    for (int axis = 0; axis < 3; ++axis)
    {
        if (!(highlightMask & axisMasks[axis]))
            continue;
        sendColour(axisColours[axis][0], axisColours[axis][1], axisColours[axis][2]);
        const float length = displayFactors[axis] * 65.0f;
        glDisable(GL_LIGHTING);
        glBegin(GL_LINES);
        axisVertex(axis, 3);
        axisVertex(axis, length - 3);
        glEnd();
        glEnable(GL_LIGHTING);
        translateAlong(axis, length);
        glCallList(handleList + 3);
        translateAlong(axis, -length);
    }
    endToolPass();
}

void OpenGLModifierToolScale::drawBlended(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters) || !ensureDisplayLists())
        return;
    glDepthFunc(GL_ALWAYS);
    beginTurnedPass(*modifier, parameters, scaleFactor, true);
    sendColour(127, 127, 0, 0x40);
    glCallList(handleList + 1);
    for (int axis = 0; axis < 3; ++axis)
    {
        sendColour(axisColours[axis][0], axisColours[axis][1], axisColours[axis][2],
                   (highlightMask & axisMasks[axis]) ? 0x30 : 0x20);
        const float factor = displayFactors[axis];
        const float length = factor * 65.0f;
        glDisable(GL_LIGHTING);
        glBegin(GL_LINES);
        if (factor >= 1.0f)
        {
            axisVertex(axis, 3);
            axisVertex(axis, length - 3);
        }
        else if (factor >= 0.0f)
        {
            axisVertex(axis, 3);
            axisVertex(axis, 62);
        }
        else
        {
            axisVertex(axis, 62);
            axisVertex(axis, length + 3);
        }
        glEnd();
        glEnable(GL_LIGHTING);
        translateAlong(axis, length);
        glCallList(handleList + 3);
        translateAlong(axis, -length);
        // A faint cap where the handle rests shows where the stretch began.
        if (factor != 1.0f)
        {
            translateAlong(axis, 65);
            glCallList(handleList + 3);
            translateAlong(axis, -65);
        }
    }
    endToolPass();
    glDepthFunc(GL_LESS);
}

void OpenGLModifierToolScale::drawHandlePick(uint32_t firstName, VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters))
        return;
    glPushMatrix();
    if (ensureDisplayLists())
    {
        const Vector3 centre = toolCentre(*modifier, parameters);
        glTranslatef(static_cast<float>(centre.x), static_cast<float>(centre.y), static_cast<float>(centre.z));
        glScalef(scaleFactor, scaleFactor, scaleFactor);
        glRotatef(parameters.rotate.x, -1, 0, 0);
        glRotatef(parameters.rotate.y, 0, -1, 0);
        glRotatef(parameters.rotate.z, 0, 0, -1);
        // The centre cube in front of everything: it wins wherever it overlaps a handle.
        glLoadName(firstName + 3);
        glDepthRange(0, 0.00001);
        glCallList(handleList + 2);
        glDepthRange(0, 1);
        glLoadName(firstName);
        glCallList(handleList);
        glRotatef(-90, 0, 1, 0);
        glLoadName(firstName + 1);
        glCallList(handleList);
        glRotatef(90, 0, 0, 1);
        glLoadName(firstName + 2);
        glCallList(handleList);
    }
    glPopMatrix();
}

platform::CursorHandle OpenGLModifierToolScale::getHandleCursor(int32_t handle, VornModifier*)
{
    switch (handle)
    {
    case 0:
        return getCursorHandleX();
    case 1:
        return getCursorHandleZ();
    case 2:
        return getCursorHandleY();
    case 3:
        return getCursorHandleXYZ();
    default:
        return platform::CursorHandle{};
    }
}

bool OpenGLModifierToolScale::startDrag(int32_t handle, const VornModifier& modifier,
                                        const TransformParameters& parameters, int32_t x, int32_t y)
{
    if (handle == 3)
        highlightMask = 7;
    else if (handle >= 0 && handle <= 2)
    {
        Ray ray = mouseRay(*view, x, y);
        normalizeVector(ray.direction);
        const Vector3 local = handle == 0 ? Vector3(1, 0, 0) : (handle == 1 ? Vector3(0, 0, 1) : Vector3(0, 1, 0));
        Vector3 turned = turnedAxis(local, parameters.rotate.x, parameters.rotate.y, parameters.rotate.z);
        if (handle == 1 && turned.x == 0.0 && turned.y == 0.0)
            turned.set(0.00001, 0.0, 1.0);
        Vector3 grabbed;
        if (nearestPointOnAxis(turned, toolCentre(modifier, parameters), ray, grabbed) != 0)
        {
            refuse();
            return false;
        }
        dragAxis = turned;
        grab = grabbed;
        highlightMask = handleMasks[handle];
    }
    else
        return false;
    startScale = parameters.scale;
    displayFactors[0] = displayFactors[1] = displayFactors[2] = 1.0f;
    return true;
}

float centreDragFactor(int32_t travel)
{
    constexpr double pixelsPerUnit = 32.5;
    return static_cast<float>(travel / pixelsPerUnit + 1.0);
}

DraggingTool::Step OpenGLModifierToolScale::stepDrag(int32_t handle, const VornModifier& modifier,
                                                     TransformParameters& parameters, int32_t x, int32_t y)
{
    if (handle == 3)
    {
        const float factor = centreDragFactor((y - startY) + (x - startX));
        for (int axis = 0; axis < 3; ++axis)
        {
            displayFactors[axis] = factor;
            component(parameters.scale, axis) = component(startScale, axis) * factor;
        }
        return Step::Apply;
    }
    if (handle < 0 || handle > 2)
        return Step::Refuse;
    Ray ray = mouseRay(*view, x, y);
    normalizeVector(ray.direction);
    const Vector3 centre = toolCentre(modifier, parameters);
    Vector3 point;
    if (nearestPointOnAxis(dragAxis, centre, ray, point) != 0)
    {
        refuse();
        return Step::Refuse;
    }
    const Vector3 offset = subtract(point, centre);
    double factor = offset.length() / (scaleFactor * 65.0);
    if (dotProduct(offset, dragAxis) < 0.0)
        factor = -factor;
    const int axis = handleAxis[handle];
    displayFactors[axis] = static_cast<float>(factor);
    component(parameters.scale, axis) = static_cast<float>(component(startScale, axis) * factor);
    return Step::Apply;
}

void OpenGLModifierToolScale::dragEnded()
{
    displayFactors[0] = displayFactors[1] = displayFactors[2] = 1.0f;
}

} // namespace zintel
