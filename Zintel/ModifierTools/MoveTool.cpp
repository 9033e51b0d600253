#include "Zintel/ModifierTools/MoveTool.h"

#include "Zintel/Cursors.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/ModifierTools/ToolGeometry.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/SnapObjects.h"
#include "VornData/VornModifier.h"

#include <GL/gl.h>

namespace zintel
{

using namespace tools;

namespace
{

// The square's corners at ±6 in the view's plane, in outline order (the first again at the end).
constexpr double squareOutline[3][5][3] = {
    {{6, 6, 0}, {-6, 6, 0}, {-6, -6, 0}, {6, -6, 0}, {6, 6, 0}},
    {{6, 0, 6}, {-6, 0, 6}, {-6, 0, -6}, {6, 0, -6}, {6, 0, 6}},
    {{0, 6, 6}, {0, -6, 6}, {0, -6, -6}, {0, 6, -6}, {0, 6, 6}},
};
// The same corners as a strip of two triangles.
constexpr double squareStrip[3][4][3] = {
    {{6, 6, 0}, {-6, 6, 0}, {6, -6, 0}, {-6, -6, 0}},
    {{6, 0, 6}, {-6, 0, 6}, {6, 0, -6}, {-6, 0, -6}},
    {{0, 6, 6}, {0, 6, -6}, {0, -6, 6}, {0, -6, -6}},
};
// The normal of each view plane, the highlight of its drag and the two axes it moves.
constexpr double planeNormals[3][3] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
constexpr int32_t planeMasks[3] = {3, 5, 6};
constexpr int planeAxes[3][2] = {{0, 1}, {0, 2}, {1, 2}};

// Handle 0 the X arrow, 1 the Z arrow, 2 the Y arrow: the axis each moves along.
constexpr int arrowAxis[3] = {0, 2, 1};
constexpr int32_t arrowMasks[3] = {1, 4, 2};

bool isPlane(int32_t plane)
{
    return plane >= 0 && plane <= 2;
}

Vector3 unitAxis(int axis)
{
    return {axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
}

float& component(Point3f& point, int axis)
{
    return axis == 0 ? point.x : (axis == 1 ? point.y : point.z);
}

void arrowHead(bool withNormals)
{
    const double pairs[5][2][3] = {
        {{0.17, 0.69, -0.69}, {60, 2.5, -2.5}}, {{0.17, 0.69, 0.69}, {60, 2.5, 2.5}},
        {{0.17, -0.69, 0.69}, {60, -2.5, 2.5}}, {{0.17, -0.69, -0.69}, {60, -2.5, -2.5}},
        {{0.17, 0.69, -0.69}, {60, 2.5, -2.5}},
    };
    glBegin(GL_TRIANGLE_FAN);
    if (withNormals)
        glNormal3d(1, 0, 0);
    glVertex3d(70, 0, 0);
    for (const auto& pair : pairs)
    {
        if (withNormals)
            glNormal3dv(pair[0]);
        glVertex3dv(pair[1]);
    }
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);
    if (withNormals)
        glNormal3d(-1, 0, 0);
    glVertex3d(60, 2.5, 2.5);
    glVertex3d(60, 2.5, -2.5);
    glVertex3d(60, -2.5, 2.5);
    glVertex3d(60, -2.5, -2.5);
    glEnd();
}

} // namespace

bool OpenGLModifierToolMove::ensureDisplayLists()
{
    if (arrowList != 0)
        return true;
    const GLuint lists = glGenLists(2);
    if (lists == 0)
        return false;
    glNewList(lists, GL_COMPILE);
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glVertex3d(3, 0, 0);
    glVertex3d(60, 0, 0);
    glEnd();
    glEnable(GL_LIGHTING);
    arrowHead(true);
    glEndList();
    glNewList(lists + 1, GL_COMPILE);
    arrowHead(false);
    glEndList();
    arrowList = lists;
    return true;
}

void OpenGLModifierToolMove::forgetDisplayLists()
{
    arrowList = 0;
}

int32_t OpenGLModifierToolMove::getHandleCount(VornModifier* modifier)
{
    return modifier != nullptr ? 4 : 0;
}

void OpenGLModifierToolMove::drawSquareOutline() const
{
    glBegin(GL_LINE_STRIP);
    if (isPlane(view->viewPlane))
        for (const auto& corner : squareOutline[view->viewPlane])
            glVertex3dv(corner);
    glEnd();
}

void OpenGLModifierToolMove::drawArrows(bool blended) const
{
    const auto alpha = [this, blended](int32_t bit) { return !blended ? 127 : ((highlightMask & bit) ? 0x40 : 0x20); };
    if (blended || (highlightMask & 1))
    {
        sendColour(0, 0, 127, alpha(1));
        glCallList(arrowList);
    }
    glRotatef(-90, 0, 1, 0);
    if (blended || (highlightMask & 4))
    {
        sendColour(0, 127, 0, alpha(4));
        glCallList(arrowList);
    }
    if (blended || (highlightMask & 2))
    {
        glRotatef(90, 0, 0, 1);
        sendColour(127, 0, 0, alpha(2));
        glCallList(arrowList);
    }
}

void OpenGLModifierToolMove::draw(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters))
        return;
    const Vector3 centre = toolCentre(*modifier, parameters);
    scaleFactor = toolScaleFactor(*view, centre);
    if (!ensureDisplayLists())
        return;
    beginToolPass(*modifier, centre, scaleFactor, false);
    sendColour(127, 127, 0);
    drawSquareOutline();
    drawArrows(false);
    endToolPass();
}

void OpenGLModifierToolMove::drawBlended(VornModifier* modifier)
{
    TransformParameters parameters;
    if (modifier == nullptr || !readTransformParameters(*modifier, parameters) || !ensureDisplayLists())
        return;
    glDepthFunc(GL_ALWAYS);
    beginToolPass(*modifier, toolCentre(*modifier, parameters), scaleFactor, true);
    sendColour(127, 127, 0, 0x40);
    drawSquareOutline();
    drawArrows(true);
    endToolPass();
    glDepthFunc(GL_LESS);
}

void OpenGLModifierToolMove::drawHandlePick(uint32_t firstName, VornModifier* modifier)
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
        // The square in front of everything: it wins wherever it covers an arrow or the model.
        glLoadName(firstName + 3);
        glDisable(GL_CULL_FACE);
        glDepthRange(0, 0.00001);
        glBegin(GL_TRIANGLE_STRIP);
        if (isPlane(view->viewPlane))
            for (const auto& corner : squareStrip[view->viewPlane])
                glVertex3dv(corner);
        glEnd();
        glDepthRange(0, 1);
        glEnable(GL_CULL_FACE);
        glLoadName(firstName);
        glCallList(arrowList + 1);
        glRotatef(-90, 0, 1, 0);
        glLoadName(firstName + 1);
        glCallList(arrowList + 1);
        glRotatef(90, 0, 0, 1);
        glLoadName(firstName + 2);
        glCallList(arrowList + 1);
    }
    glPopMatrix();
}

platform::CursorHandle OpenGLModifierToolMove::getHandleCursor(int32_t handle, VornModifier*)
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
        switch (view->viewPlane)
        {
        case 0:
            return getCursorHandleXY();
        case 1:
            return getCursorHandleXZ();
        case 2:
            return getCursorHandleYZ();
        default:
            return platform::CursorHandle{};
        }
    default:
        return platform::CursorHandle{};
    }
}

bool OpenGLModifierToolMove::gridSteps(double steps[3]) const
{
    PluginVPSOGrid* grid = gridSnapObject();
    const DocItemOpenGL* item = view->docItem;
    if (grid == nullptr || !grid->isEnabled() || item == nullptr)
        return false;
    steps[0] = item->gridSpacingX;
    steps[1] = item->gridUniform ? item->gridSpacingX : item->gridSpacingY;
    steps[2] = item->gridUniform ? item->gridSpacingX : item->gridSpacingZ;
    return true;
}

bool OpenGLModifierToolMove::startDrag(int32_t handle, const VornModifier& modifier,
                                       const TransformParameters& parameters, int32_t x, int32_t y)
{
    const Ray ray = mouseRay(*view, x, y);
    const Vector3 centre = toolCentre(modifier, parameters);
    Vector3 grabbed = grab;
    Vector3 direction;
    int32_t mask = 0;
    if (handle == 3)
    {
        if (!isPlane(view->viewPlane))
            return false;
        const double* normal = planeNormals[view->viewPlane];
        direction.set(normal[0], normal[1], normal[2]);
        mask = planeMasks[view->viewPlane];
        if (!intersectRayPlane(direction, centre, ray, grabbed))
        {
            refuse();
            return false;
        }
    }
    else if (handle >= 0 && handle <= 2)
    {
        direction = unitAxis(arrowAxis[handle]);
        mask = arrowMasks[handle];
        const Vector3 head = add(centre, scaled(direction, 60.0 * scaleFactor));
        if (nearestPointOnAxis(direction, head, ray, grabbed) != 0)
        {
            refuse();
            return false;
        }
        startScale = scaleFactor;
    }
    else
        return false;
    grab = grabbed;
    dragDirection = direction;
    highlightMask = mask;
    startMove = parameters.move;
    return true;
}

DraggingTool::Step OpenGLModifierToolMove::stepDrag(int32_t handle, const VornModifier& modifier,
                                                    TransformParameters& parameters, int32_t x, int32_t y)
{
    double steps[3] = {0.0, 0.0, 0.0};
    const bool snapping = gridSteps(steps);
    const Ray ray = mouseRay(*view, x, y);
    const Vector3 centre = toolCentre(modifier, parameters);
    const auto moveAlong = [&](int axis, const Vector3& point) {
        component(parameters.move, axis) = static_cast<float>(
            component(startMove, axis) + snappedDisplacement(point[axis] - grab[axis], steps[axis], snapping));
    };
    if (handle == 3)
    {
        Vector3 point;
        if (!isPlane(view->viewPlane))
            return Step::Refuse;
        // The ray along the plane: the move stays, and the modifier is applied all the same.
        if (!intersectRayPlane(dragDirection, centre, ray, point))
            refuse();
        else
            for (int axis : planeAxes[view->viewPlane])
                moveAlong(axis, point);
        return Step::Apply;
    }
    if (handle < 0 || handle > 2)
        return Step::Refuse;
    Vector3 point;
    const Vector3 head = add(centre, scaled(dragDirection, 60.0 * startScale));
    if (nearestPointOnAxis(dragDirection, head, ray, point) != 0)
    {
        refuse();
        return Step::Refuse;
    }
    moveAlong(arrowAxis[handle], point);
    return Step::Apply;
}

} // namespace zintel
