#include "Zintel/DrawObjects/JointForces.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/Joints.h"
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

// The tail of the arrow relative to its joint, in world axes.
Vector3 tailOffset(const VornForceInstance& force, const VornJoint& joint)
{
    Vector3 tail = force.getVector();
    tail.scale(-OpenGLDrawObjectJointForces::getForceScale());
    if (force.isLocal())
        joint.getOrientation().transformTransposed(tail);
    return tail;
}

// The arrow's frame (column-major): local +x along the force, the joint at the origin.
void arrowFrame(const VornForceInstance& force, const VornJoint& joint, double matrix[16])
{
    jointFrame(joint, force.isLocal(), matrix);
    if (const VornForceDefinition* definition = force.getForceDefinition())
    {
        double axes[16];
        definition->getAxes().toGLMatrix(axes);
        multiplyMatrix(matrix, axes);
    }
}

double arrowLength(const VornForceInstance& force)
{
    const VornForceDefinition* definition = force.getForceDefinition();
    return definition != nullptr ? definition->getMagnitude() * OpenGLDrawObjectJointForces::getForceScale() : 0.0;
}

void addLine(VertexBatch& batch, double fromX, double toX)
{
    batch.begin(VertexBatch::Shape::Lines);
    batch.vertex(fromX, 0, 0);
    batch.vertex(toX, 0, 0);
    batch.end();
}

// The arrow head of size s, the force along +x, its joint at the origin.
void addHead(VertexBatch& batch, double s)
{
    const double back = -7.5 * s, half = 1.8 * s, tip = -1.5 * s;
    constexpr double along = 0.2873478855663454, across = 0.9578262852211513;
    batch.begin(VertexBatch::Shape::TriangleFan);
    batch.normal(-0.2, 0, 0);
    batch.vertex(-6 * s, 0, 0);
    batch.normal(-1, 0, 0);
    batch.vertex(back, half, -half);
    batch.vertex(back, -half, -half);
    batch.vertex(back, -half, half);
    batch.vertex(back, half, half);
    batch.vertex(back, half, -half);
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
        batch.begin(VertexBatch::Shape::Polygon);
        batch.normal(side.normal[0], side.normal[1], side.normal[2]);
        batch.vertex(tip, 0, 0);
        batch.vertex(side.a[0], side.a[1], side.a[2]);
        batch.vertex(side.b[0], side.b[1], side.b[2]);
    }
    batch.end();
}

// The shaft of an arrow `length` long whose head has size s: a square tube from the head back to
// the tail, closed there.
void addShaft(VertexBatch& batch, double s, double length)
{
    const double w = 0.4 * s, x0 = -6 * s, tail = -length;
    batch.begin(VertexBatch::Shape::TriangleStrip);
    const double ring[5][3] = {{0, w, 0}, {0, 0, w}, {0, -w, 0}, {0, 0, -w}, {0, w, 0}};
    const double normals[5][3] = {{0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1}, {0, 1, 0}};
    for (int i = 0; i < 5; ++i)
    {
        batch.normal(normals[i][0], normals[i][1], normals[i][2]);
        batch.vertex(x0, ring[i][1], ring[i][2]);
        batch.vertex(tail, ring[i][1], ring[i][2]);
    }
    batch.begin(VertexBatch::Shape::Polygon);
    batch.normal(-1, 0, 0);
    batch.vertex(tail, w, 0);
    batch.vertex(tail, 0, -w);
    batch.vertex(tail, -w, 0);
    batch.vertex(tail, 0, w);
    batch.end();
}

// Draws `drawing` without fog while the view fogs.
template <class Drawing>
void unfogged(const OpenGLView& info, Drawing drawing)
{
    if (info.fogOn)
        glDisable(GL_FOG);
    drawing();
    if (info.fogOn)
        glEnable(GL_FOG);
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

void OpenGLDrawObjectJointForces::ensureHead()
{
    head.ensure(view()->symbolSize(), [](std::array<VertexBatch, 1>& made, double s) { addHead(made[0], s); });
}

void OpenGLDrawObjectJointForces::addArrow(VertexBatch& solids, VertexBatch& lines, const VornForceInstance& force,
                                           const VornJoint& joint, bool withShaft)
{
    double frame[16];
    arrowFrame(force, joint, frame);
    const double length = arrowLength(force);
    arrow.clear();
    addLine(arrow, -length, 0);
    lines.append(arrow, frame);
    arrow.clear();
    if (withShaft)
        addShaft(arrow, head.size(), length);
    solids.append(arrow, frame);
    solids.append(head[0], frame);
}

void OpenGLDrawObjectJointForces::draw(int32_t mode, uint32_t tickCount)
{
    auto* joints = documentList<VornJoint>(*this, "VornJoint");
    if (joints == nullptr)
        return;
    ensureHead();
    const OpenGLView& info = *view();
    const int8_t detail = info.detailLevel;
    const uint32_t selected = halvedColor(info.selectedColor.word());
    for (VertexBatch* batch : {&markSolids, &markLines, &solids, &lines})
        batch->clear();
    double frame[16];
    for (uint32_t index = joints->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*joints)[index];
        knotIterator iterator;
        for (joint.beginForces(iterator); iterator.isValid(); iterator.next())
        {
            const auto* force = static_cast<const VornForceInstance*>(iterator.getObject());
            const bool preSelected = force->isPreSelected();
            markSolids.color(selected);
            markLines.color(selected);
            solids.color(halvedColor(force->getColor()));
            lines.color(halvedColor(force->getColor()));
            if (detail >= Detail::Medium)
            {
                if (preSelected)
                    addArrow(markSolids, markLines, *force, joint, detail >= Detail::Maximum);
                addArrow(solids, lines, *force, joint, detail >= Detail::Maximum);
                continue;
            }
            // At low detail the arrow is a line from its tail to the joint.
            const Vector3 tail = tailOffset(*force, joint);
            jointFrame(joint, false, frame);
            arrow.clear();
            arrow.begin(VertexBatch::Shape::Lines);
            arrow.vertex(tail.x, tail.y, tail.z);
            arrow.vertex(0, 0, 0);
            arrow.end();
            if (preSelected)
                markLines.append(arrow, frame);
            lines.append(arrow, frame);
        }
    }
    glDepthFunc(GL_LESS);
    glLineStipple(4, 0xAAAA);
    // Pre-selected heads and shafts show the selection in the checkerboard of marked solids, their
    // lines stippled, without fog, before the arrows themselves.
    glPolygonStipple(checkerboardStipple());
    glDisable(GL_LIGHTING);
    const auto drawMarkLines = [this] {
        glEnable(GL_LINE_STIPPLE);
        markLines.draw(false, true);
        glDisable(GL_LINE_STIPPLE);
    };
    const auto drawMarkSolids = [this] {
        glEnable(GL_POLYGON_STIPPLE);
        markSolids.draw(false, true);
        glDisable(GL_POLYGON_STIPPLE);
    };
    const auto drawSolids = [this] {
        glEnable(GL_LIGHTING);
        solids.draw(true, true);
        glDisable(GL_LIGHTING);
    };
    if (!markLines.empty())
        unfogged(info, [&] {
            // The shafts at full detail are marked before the lines, the heads at medium after.
            if (detail >= Detail::Maximum)
                drawMarkSolids();
            drawMarkLines();
            if (detail < Detail::Maximum)
                drawMarkSolids();
        });
    if (detail >= Detail::Maximum)
        drawSolids();
    lines.draw(false, true);
    if (detail < Detail::Maximum)
        drawSolids();
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
        ensureHead();
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
            // Each force is drawn under its own name: the pick region is small, and the few forces
            // that may show in it are drawn one by one.
            pickSolids.clear();
            pickLines.clear();
            addArrow(pickSolids, pickLines, force, *joint, detail >= Detail::Maximum);
            pickLines.draw(false, false);
            pickSolids.draw(false, false);
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
