#include "Zintel/DrawObjects/JointForces.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/MemberSolid.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

#include <GL/gl.h>

namespace zintel
{

namespace
{

void drawHead(double s);

// The tail of the arrow relative to its joint, in world axes.
Vector3 tailOffset(const VornForceInstance& force, const VornJoint& joint)
{
    Vector3 tail = force.getVector();
    tail.scale(-OpenGLDrawObjectJointForces::getForceScale());
    if (force.isLocal())
        joint.getOrientation().transformTransposed(tail);
    return tail;
}

// The arrow's frame: local +x along the force, the joint at the origin (the matrix is pushed).
void pushArrowFrame(const VornForceInstance& force, const VornJoint& joint)
{
    glPushMatrix();
    double matrix[16];
    if (force.isLocal())
    {
        joint.getOrientation().toGLMatrix(matrix);
        glMultMatrixd(matrix);
    }
    if (const VornForceDefinition* definition = force.getForceDefinition())
    {
        definition->getAxes().toGLMatrix(matrix);
        glMultMatrixd(matrix);
    }
}

double arrowLength(const VornForceInstance& force)
{
    const VornForceDefinition* definition = force.getForceDefinition();
    return definition != nullptr ? definition->getMagnitude() * OpenGLDrawObjectJointForces::getForceScale() : 0.0;
}

void line(double fromX, double toX)
{
    glBegin(GL_LINES);
    glVertex3d(fromX, 0, 0);
    glVertex3d(toX, 0, 0);
    glEnd();
}

} // namespace

OpenGLDrawObjectJointForces::OpenGLDrawObjectJointForces(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

BlockList<VornForceInstance>* OpenGLDrawObjectJointForces::forces() const
{
    return documentList<VornForceInstance>(*this, "VornForceInstance");
}

bool OpenGLDrawObjectJointForces::ensureDisplayLists()
{
    return head.ensure(1, view()->symbolSize(), [](uint32_t list, double size) {
        glNewList(list, GL_COMPILE);
        drawHead(size);
        glEndList();
    });
}

namespace
{

// The arrow head of size s, the force along +x, its joint at the origin.
void drawHead(double s)
{
    const double back = -7.5 * s, half = 1.8 * s, tip = -1.5 * s;
    constexpr double along = 0.2873478855663454, across = 0.9578262852211513;
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(-0.2, 0, 0);
    glVertex3d(-6 * s, 0, 0);
    glNormal3d(-1, 0, 0);
    glVertex3d(back, half, -half);
    glVertex3d(back, -half, -half);
    glVertex3d(back, -half, half);
    glVertex3d(back, half, half);
    glVertex3d(back, half, -half);
    glEnd();
    const struct
    {
        double normal[3];
        double a[3];
        double b[3];
    } sides[] = {
        {{along, 0, across}, {back, half, half}, {back, -half, half}},
        {{along, 0, -across}, {back, -half, -half}, {back, half, -half}},
        {{along, across, 0}, {back, half, -half}, {back, half, half}},
        {{along, -across, 0}, {back, -half, half}, {back, -half, -half}},
    };
    for (const auto& side : sides)
    {
        glBegin(GL_POLYGON);
        glNormal3dv(side.normal);
        glVertex3d(tip, 0, 0);
        glVertex3dv(side.a);
        glVertex3dv(side.b);
        glEnd();
    }
}

} // namespace

void OpenGLDrawObjectJointForces::forgetDisplayLists()
{
    head.forget();
}

void OpenGLDrawObjectJointForces::drawShaft(double length) const
{
    const double w = 0.4 * head.builtSize, x0 = -6 * head.builtSize, tail = -length;
    glBegin(GL_TRIANGLE_STRIP);
    const double ring[5][3] = {{0, w, 0}, {0, 0, w}, {0, -w, 0}, {0, 0, -w}, {0, w, 0}};
    const double normals[5][3] = {{0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1}, {0, 1, 0}};
    for (int i = 0; i < 5; ++i)
    {
        glNormal3dv(normals[i]);
        glVertex3d(x0, ring[i][1], ring[i][2]);
        glVertex3d(tail, ring[i][1], ring[i][2]);
    }
    glEnd();
    glBegin(GL_POLYGON);
    glNormal3d(-1, 0, 0);
    glVertex3d(tail, w, 0);
    glVertex3d(tail, 0, -w);
    glVertex3d(tail, -w, 0);
    glVertex3d(tail, 0, w);
    glEnd();
}

void OpenGLDrawObjectJointForces::draw(int32_t mode, uint32_t tickCount)
{
    auto* joints = documentList<VornJoint>(*this, "VornJoint");
    if (joints == nullptr)
        return;
    ensureDisplayLists();
    const OpenGLView& info = *view();
    const int8_t detail = info.detailLevel;
    const uint32_t selected = info.selectedColor.word();
    glDepthFunc(GL_LESS);
    glLineStipple(4, 0xAAAA);
    // Pre-selected heads and shafts show the selection in the checkerboard of marked solids.
    glPolygonStipple(checkerboardStipple());
    glDisable(GL_LIGHTING);
    const auto unfogged = [&info](auto drawing) {
        if (info.fogOn)
            glDisable(GL_FOG);
        drawing();
        if (info.fogOn)
            glEnable(GL_FOG);
    };
    for (uint32_t index = joints->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*joints)[index];
        knotIterator iterator;
        joint.beginForces(iterator);
        if (!iterator.isValid())
            continue;
        glPushMatrix();
        glTranslated(joint.getPosition().x, joint.getPosition().y, joint.getPosition().z);
        for (; iterator.isValid(); iterator.next())
        {
            const auto* force = static_cast<const VornForceInstance*>(iterator.getObject());
            const bool preSelected = force->isPreSelected();
            if (detail < Detail::Medium)
            {
                const Vector3 tail = tailOffset(*force, joint);
                const auto arrowLine = [&tail] {
                    glBegin(GL_LINES);
                    glVertex3d(tail.x, tail.y, tail.z);
                    glVertex3d(0, 0, 0);
                    glEnd();
                };
                if (preSelected)
                    unfogged([&] {
                        glEnable(GL_LINE_STIPPLE);
                        sendColor(selected);
                        arrowLine();
                        glDisable(GL_LINE_STIPPLE);
                    });
                sendColor(force->getColor());
                arrowLine();
                continue;
            }
            const double length = arrowLength(*force);
            pushArrowFrame(*force, joint);
            if (detail < Detail::Maximum)
            {
                if (preSelected)
                    unfogged([&] {
                        sendColor(selected);
                        glEnable(GL_LINE_STIPPLE);
                        line(-length, 0);
                        glDisable(GL_LINE_STIPPLE);
                        glEnable(GL_POLYGON_STIPPLE);
                        glCallList(head.base);
                        glDisable(GL_POLYGON_STIPPLE);
                    });
                sendColor(force->getColor());
                line(-length, 0);
                glEnable(GL_LIGHTING);
                glCallList(head.base);
                glDisable(GL_LIGHTING);
            }
            else
            {
                if (preSelected)
                    unfogged([&] {
                        sendColor(selected);
                        glEnable(GL_POLYGON_STIPPLE);
                        drawShaft(length);
                        glCallList(head.base);
                        glEnable(GL_LINE_STIPPLE);
                        line(-length, 0);
                        glDisable(GL_LINE_STIPPLE);
                        glDisable(GL_POLYGON_STIPPLE);
                    });
                sendColor(force->getColor());
                glEnable(GL_LIGHTING);
                drawShaft(length);
                glCallList(head.base);
                glDisable(GL_LIGHTING);
                line(-length, 0);
            }
            glPopMatrix();
        }
        glPopMatrix();
    }
    glEnable(GL_LIGHTING);
}

int32_t OpenGLDrawObjectJointForces::select(int32_t mode)
{
    BlockList<VornForceInstance>* list = forces();
    if (list == nullptr || list->getCount() == 0)
        return 0;
    const uint32_t count = list->getCount();
    const uint32_t first = firstPickName;
    const bool windowRule = usesWindowRule(*this);
    const int8_t detail = view()->detailLevel;
    if (mode != PickMode::BandDraw && mode != PickMode::PointDraw)
    {
        applySelectionMode(*this, *list, mode, windowRule);
        return 0;
    }
    {
        const bool byEnds = windowRule && mode == PickMode::BandDraw;
        pickNameEnd = first + (byEnds ? 2 * count : count);
        if (detail >= Detail::Medium)
            ensureDisplayLists();
        glPushName(0);
        for (uint32_t index = count; index-- > 0;)
        {
            VornForceInstance& force = (*list)[index];
            if (mode == PickMode::BandDraw)
                force.clearPreSelected();
            const VornJoint* joint = force.getJoint();
            if (joint == nullptr || isHiddenItem(force))
                continue;
            const Vector3& at = joint->getPosition();
            const Vector3 tail = tailOffset(force, *joint);
            if (byEnds)
            {
                glLoadName(first + index);
                glBegin(GL_POINTS);
                glVertex3d(at.x, at.y, at.z);
                glEnd();
                glLoadName(first + count + index);
                glBegin(GL_POINTS);
                glVertex3d(at.x + tail.x, at.y + tail.y, at.z + tail.z);
                glEnd();
                continue;
            }
            glLoadName(first + index);
            if (detail < Detail::Medium)
            {
                glBegin(GL_LINES);
                glVertex3d(at.x, at.y, at.z);
                glVertex3d(at.x + tail.x, at.y + tail.y, at.z + tail.z);
                glEnd();
                continue;
            }
            const double length = arrowLength(force);
            glPushMatrix();
            glTranslated(at.x, at.y, at.z);
            pushArrowFrame(force, *joint);
            line(-length, 0);
            if (detail >= Detail::Maximum)
                drawShaft(length);
            // The head is sent directly: Mesa's software renderer fails on display lists of
            // triangle fans in selection mode.
            drawHead(head.builtSize);
            glPopMatrix();
            glPopMatrix();
        }
        glPopName();
    }
    return 0;
}

int32_t OpenGLDrawObjectJointForces::getPickCount()
{
    // The window rule names both ends of every force.
    BlockList<VornForceInstance>* list = forces();
    return list != nullptr ? static_cast<int32_t>(2 * list->getCount()) : 0;
}

VornBaseObject* OpenGLDrawObjectJointForces::getPickedObject(uint32_t name)
{
    return pickedItem(*this, forces(), name);
}

void OpenGLDrawObjectJointForces::addToBounds(BoundingBox* box, bool selectedOnly)
{
    // The tails of the arrows; their joints are the joints draw object's.
    BlockList<VornForceInstance>* list = forces();
    if (list == nullptr || box == nullptr)
        return;
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornForceInstance& force = (*list)[index];
        const VornJoint* joint = force.getJoint();
        if (joint == nullptr || force.isHidden() || (selectedOnly && !force.isSelected()))
            continue;
        const Vector3 tail = tailOffset(force, *joint);
        box->addPoint(joint->getPosition().x + tail.x, joint->getPosition().y + tail.y,
                      joint->getPosition().z + tail.z);
    }
}

const char* PluginVODOJointForces::getName()
{
    return "Forces";
}

const char* PluginVODOJointForces::getDescription()
{
    return "Joints Forces [OpenGL]:\noptionally draws joint forces.";
}

void PluginVODOJointForces::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOJointForces", "Joint Forces [OpenGL]\n1999");
}

DrawObject* PluginVODOJointForces::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectJointForces>(this, owner, "PluginVODOOrigin::getDrawObject");
}

const char* PluginVODOJointForces::getDisplayName()
{
    return "Forces";
}

int32_t PluginVODOJointForces::getBitmapID()
{
    return BitmapId::JointLayer;
}

} // namespace zintel
