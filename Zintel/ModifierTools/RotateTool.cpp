#include "Zintel/ModifierTools/RotateTool.h"

#include "Zintel/Cursors.h"
#include "Zintel/ModifierTools/ToolGeometry.h"
#include "Zintel/OpenGLView.h"
#include "VornData/VornModifier.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace zintel
{

using namespace tools;

namespace
{

constexpr double pi = 3.14159265358979323846;
constexpr int32_t ringMasks[3] = {1, 2, 4};
constexpr int ringColours[3][3] = {{0, 0, 127}, {127, 0, 0}, {0, 127, 0}};

// The frames of the rings, each after the previous one.
void outerFrame(const Point3f& angles)
{
    glRotatef(angles.x, -1, 0, 0);
}

void middleFrame(const Point3f& angles)
{
    glScalef(0.95f, 0.95f, 0.95f);
    glRotatef(90, 0, 0, 1);
    glRotatef(90 - angles.y, 1, 0, 0);
}

void innerFrame(const Point3f& angles)
{
    glScalef(0.95f, 0.95f, 0.95f);
    glRotatef(90, 0, 1, 0);
    glRotatef(90, 0, 0, 1);
    glRotatef(angles.z, -1, 0, 0);
}

} // namespace

Vector3 OpenGLModifierToolRotate::ringAxis(int32_t handle, const Point3f& angles)
{
    switch (handle)
    {
    case 0:
        return {1.0, 0.0, 0.0};
    case 1:
        return turnedAxis({0.0, 1.0, 0.0}, angles.x, 0.0, 0.0);
    default:
        return turnedAxis({0.0, 0.0, 1.0}, angles.x, angles.y, 0.0);
    }
}

bool OpenGLModifierToolRotate::ensureDisplayLists()
{
    if (ringList != 0)
        return true;
    const GLuint lists = glGenLists(2);
    if (lists == 0)
        return false;
    const double c = std::cos(15.0 * DEGREES_TO_RADIANS);
    const double s = std::sin(15.0 * DEGREES_TO_RADIANS);
    glNewList(lists, GL_COMPILE);
    glDisable(GL_LIGHTING);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 30; ++i)
        glVertex3d(0, 60 * std::cos(i * 2 * pi / 30), 60 * std::sin(i * 2 * pi / 30));
    glEnd();
    glEnable(GL_LIGHTING);
    glBegin(GL_TRIANGLE_STRIP);
    glNormal3d(0, c, s);
    glVertex3d(0, 60 * c, 60 * s);
    glNormal3d(1, 0, 0);
    glVertex3d(2.5, 61.5, 0);
    glVertex3d(-2.5, 61.5, 0);
    glNormal3d(0, c, -s);
    glVertex3d(0, 60 * c, -60 * s);
    glEnd();
    for (const double side : {-1.0, 1.0})
    {
        glBegin(GL_TRIANGLE_STRIP);
        glNormal3d(side * 6 / 6.2, -2.5 * c / 6.2, 2.5 * s / 6.2);
        glVertex3d(0, 60 * c, 60 * s);
        glNormal3d(side * 6 / 6.2, -2.5 / 6.2, 0);
        if (side < 0)
        {
            glVertex3d(-2.5, 61.5, 0);
            glVertex3d(0, 54, 0);
        }
        else
        {
            glVertex3d(0, 54, 0);
            glVertex3d(2.5, 61.5, 0);
        }
        glNormal3d(side * 6 / 6.2, -2.5 * c / 6.2, -2.5 * s / 6.2);
        glVertex3d(0, 60 * c, -60 * s);
        glEnd();
    }
    glEndList();
    glNewList(lists + 1, GL_COMPILE);
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glVertex3d(0, 0, 60);
    glVertex3d(0, 0, 57);
    glVertex3d(0, 0, -60);
    glVertex3d(0, 0, -57);
    glEnd();
    glEndList();
    ringList = lists;
    return true;
}

void OpenGLModifierToolRotate::forgetDisplayLists()
{
    ringList = 0;
}

int32_t OpenGLModifierToolRotate::getHandleCount(VornModifier* modifier)
{
    return modifier != nullptr ? 3 : 0;
}

void OpenGLModifierToolRotate::draw(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters))
        return;
    const Vector3 centre = toolCentre(*modifier, parameters);
    scaleFactor = toolScaleFactor(*view, centre);
    if (!ensureDisplayLists())
        return;
    const Point3f& angles = parameters.rotate;
    beginToolPass(*modifier, centre, scaleFactor, false);
    outerFrame(angles);
    if (highlightMask & 1)
    {
        sendColour(0, 0, 127);
        glCallList(ringList);
    }
    glCallList(ringList + 1);
    middleFrame(angles);
    if (highlightMask & 2)
    {
        sendColour(127, 0, 0);
        glCallList(ringList);
    }
    glCallList(ringList + 1);
    if (highlightMask & 4)
    {
        innerFrame(angles);
        sendColour(0, 127, 0);
        glCallList(ringList);
    }
    glEnable(GL_LIGHTING);
    endToolPass();
}

void OpenGLModifierToolRotate::drawBlended(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters) || !ensureDisplayLists())
        return;
    const Point3f& angles = parameters.rotate;
    glDepthFunc(GL_ALWAYS);
    beginToolPass(*modifier, toolCentre(*modifier, parameters), scaleFactor, true);
    void (*const frames[3])(const Point3f&) = {outerFrame, middleFrame, innerFrame};
    for (int ring = 0; ring < 3; ++ring)
    {
        frames[ring](angles);
        sendColour(ringColours[ring][0], ringColours[ring][1], ringColours[ring][2],
                   (highlightMask & ringMasks[ring]) ? 0x40 : 0x20);
        glCallList(ringList);
    }
    glEnable(GL_LIGHTING);
    endToolPass();
    glDepthFunc(GL_LESS);
}

void OpenGLModifierToolRotate::drawHandlePick(uint32_t firstName, VornModifier* modifier)
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
        outerFrame(parameters.rotate);
        glLoadName(firstName);
        glCallList(ringList);
        middleFrame(parameters.rotate);
        glLoadName(firstName + 1);
        glCallList(ringList);
        glCallList(ringList + 1);
        innerFrame(parameters.rotate);
        glLoadName(firstName + 2);
        glCallList(ringList);
    }
    glPopMatrix();
}

platform::CursorHandle OpenGLModifierToolRotate::getHandleCursor(int32_t handle, VornModifier*)
{
    switch (handle)
    {
    case 0:
        return getCursorHandleX();
    case 1:
        return getCursorHandleY();
    case 2:
        return getCursorHandleZ();
    default:
        return platform::CursorHandle{};
    }
}

bool OpenGLModifierToolRotate::startDrag(int32_t handle, const VornModifier& modifier,
                                         const TransformParameters& parameters, int32_t x, int32_t y)
{
    if (handle < 0 || handle > 2)
        return false;
    const Vector3 centre = toolCentre(modifier, parameters);
    const Vector3 ring = ringAxis(handle, parameters.rotate);
    const double angle = vectorAngle(ring, subtract(centre, Vector3(view->povX, view->povY, view->povZ)));
    if (angle > 0.49 * pi && angle < 0.51 * pi)
    {
        double p[3], q[3];
        gluProject(centre.x, centre.y, centre.z, view->modelviewMatrix, view->projectionMatrix, view->viewport, &p[0],
                   &p[1], &p[2]);
        gluProject(centre.x + ring.x, centre.y + ring.y, centre.z + ring.z, view->modelviewMatrix,
                   view->projectionMatrix, view->viewport, &q[0], &q[1], &q[2]);
        Vector3 direction(-(p[1] - q[1]), p[0] - q[0], 0.0);
        normalizeVector(direction);
        screenDirection = direction;
        planeMode = false;
    }
    else
    {
        // A ray along the ring's plane meets it nowhere: no drag can follow the mouse around it.
        Vector3 grabbed;
        if (!intersectRayPlane(ring, centre, mouseRay(*view, x, y), grabbed))
        {
            refuse();
            return false;
        }
        grab = grabbed;
        planeMode = true;
    }
    axis = ring;
    highlightMask = ringMasks[handle];
    startAngles = parameters.rotate;
    return true;
}

DraggingTool::Step OpenGLModifierToolRotate::stepDrag(int32_t handle, const VornModifier& modifier,
                                                      TransformParameters& parameters, int32_t x, int32_t y)
{
    if (handle < 0 || handle > 2)
        return Step::Refuse;
    double angle = 0.0;
    if (!planeMode)
        angle = (x - startX) * screenDirection.x + (y - startY) * screenDirection.y;
    else
    {
        const Vector3 centre = toolCentre(modifier, parameters);
        Vector3 point;
        // The ray along the ring's plane: the angle stays where the last step left it.
        if (!intersectRayPlane(axis, centre, mouseRay(*view, x, y), point))
            return Step::Keep;
        const Vector3 u = subtract(grab, centre);
        const Vector3 w = subtract(point, centre);
        // At the centre itself the turn has no direction.
        if (dotProduct(u, u) == 0.0 || dotProduct(w, w) == 0.0)
            return Step::Keep;
        angle = vectorAngle(u, w) * 57.29577951308232;
        if (dotProduct(axis, crossProduct(u, w)) > 0.0)
            angle = -angle;
    }
    float* angles[3] = {&parameters.rotate.x, &parameters.rotate.y, &parameters.rotate.z};
    const float starts[3] = {startAngles.x, startAngles.y, startAngles.z};
    *angles[handle] = static_cast<float>(starts[handle] + angle);
    return Step::Apply;
}

} // namespace zintel
