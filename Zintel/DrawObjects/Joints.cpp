#include "Zintel/DrawObjects/Joints.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/ShowTypeItem.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/SnapObjects.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace zintel
{

namespace
{

constexpr double pi = 3.14159265358979323846;
constexpr uint8_t rigidJoint = 0x80;

// Names within the eight lists, each body followed by its outline.
constexpr uint32_t cubeList = 0;
constexpr uint32_t coarseSphereList = 2;
constexpr uint32_t mediumSphereList = 4;
constexpr uint32_t fineSphereList = 6;

void ringVertex(double radius, double theta, double phi, bool mirrored)
{
    const double x = std::sin(phi) * std::sin(theta) * (mirrored ? -1.0 : 1.0);
    const double y = std::cos(phi) * std::sin(theta);
    const double z = std::cos(theta);
    glNormal3d(x, y, z);
    glVertex3d(radius * x, radius * y, radius * z);
}

// The azimuth index walk of a ring: 0, m-1, ..., 1, 0.
template <class Visit>
void walkRing(int32_t slices, Visit visit)
{
    visit(0);
    for (int32_t j = slices - 1; j >= 1; --j)
        visit(j);
    visit(0);
}

void buildCube(double s)
{
    struct Face
    {
        double normal[3];
        double corners[4][3];
    };
    const Face faces[] = {
        {{0, 0, 1}, {{s, s, s}, {-s, s, s}, {-s, -s, s}, {s, -s, s}}},
        {{0, 0, -1}, {{s, s, -s}, {s, -s, -s}, {-s, -s, -s}, {-s, s, -s}}},
        {{-1, 0, 0}, {{-s, s, s}, {-s, s, -s}, {-s, -s, -s}, {-s, -s, s}}},
        {{1, 0, 0}, {{s, s, s}, {s, -s, s}, {s, -s, -s}, {s, s, -s}}},
        {{0, 1, 0}, {{-s, s, -s}, {-s, s, s}, {s, s, s}, {s, s, -s}}},
        {{0, -1, 0}, {{-s, -s, -s}, {s, -s, -s}, {s, -s, s}, {-s, -s, s}}},
    };
    for (const Face& face : faces)
    {
        glBegin(GL_POLYGON);
        glNormal3dv(face.normal);
        for (const auto& corner : face.corners)
            glVertex3dv(corner);
        glEnd();
    }
}

void buildCubeOutline(double s)
{
    const double a = 1.02 * s;
    glBegin(GL_LINE_STRIP);
    glVertex3d(a, a, a);
    glVertex3d(a, -a, a);
    glVertex3d(a, -a, -a);
    glVertex3d(-a, -a, -a);
    glVertex3d(-a, -a, a);
    glVertex3d(-a, a, a);
    glEnd();
    glBegin(GL_LINE_STRIP);
    glVertex3d(-a, -a, -a);
    glVertex3d(-a, a, -a);
    glVertex3d(-a, a, a);
    glVertex3d(a, a, a);
    glVertex3d(a, a, -a);
    glVertex3d(a, -a, -a);
    glEnd();
    glBegin(GL_LINES);
    glVertex3d(-a, a, -a);
    glVertex3d(a, a, -a);
    glVertex3d(a, -a, a);
    glVertex3d(-a, -a, a);
    glEnd();
}

} // namespace

void drawSolidSphere(double radius, int32_t stacks, int32_t slices)
{
    stacks = stacks < 2 ? 2 : stacks;
    slices = slices < 3 ? 3 : slices;
    const double dTheta = pi / stacks;
    const double dPhi = 2 * pi / slices;
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(0, 0, 1);
    glVertex3d(0, 0, radius);
    walkRing(slices, [&](int32_t j) { ringVertex(radius, dTheta, j * dPhi, false); });
    glEnd();
    for (int32_t i = 2; i <= stacks - 1; ++i)
    {
        glBegin(GL_TRIANGLE_STRIP);
        walkRing(slices, [&](int32_t j) {
            ringVertex(radius, (i - 1) * dTheta, j * dPhi, false);
            ringVertex(radius, i * dTheta, j * dPhi, false);
        });
        glEnd();
    }
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(0, 0, -1);
    glVertex3d(0, 0, -radius);
    walkRing(slices, [&](int32_t j) { ringVertex(radius, pi - dTheta, j * dPhi, true); });
    glEnd();
}

void drawSphereOutline(double radius, int32_t stacks, int32_t slices)
{
    stacks = stacks < 2 ? 2 : stacks;
    slices = slices < 3 ? 3 : slices;
    glBegin(GL_LINE_STRIP);
    glVertex3d(0, 0, radius);
    for (int32_t k = 1; k < 2 * stacks; ++k)
    {
        const double t = 2 * pi - k * pi / stacks;
        glVertex3d(0, radius * std::sin(t), radius * std::cos(t));
    }
    glVertex3d(0, 0, radius);
    for (int32_t k = 1; k < 2 * stacks; ++k)
    {
        const double t = 2 * pi - k * pi / stacks;
        glVertex3d(radius * std::sin(t), 0, radius * std::cos(t));
    }
    glVertex3d(0, 0, radius);
    glEnd();
    glBegin(GL_LINE_STRIP);
    glVertex3d(0, radius, 0);
    for (int32_t k = 1; k < slices; ++k)
    {
        const double t = 2 * pi - k * 2 * pi / slices;
        glVertex3d(radius * std::sin(t), radius * std::cos(t), 0);
    }
    glVertex3d(0, radius, 0);
    glEnd();
}

namespace
{

// The joint's symbol frame: at its position, turned into its axes.
void pushJointFrame(const VornJoint& joint)
{
    double axes[16];
    joint.getOrientation().toGLMatrix(axes);
    glPushMatrix();
    glTranslated(joint.getPosition().x, joint.getPosition().y, joint.getPosition().z);
    glMultMatrixd(axes);
}

} // namespace

OpenGLDrawObjectJoints::OpenGLDrawObjectJoints(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

BlockList<VornJoint>* OpenGLDrawObjectJoints::joints() const
{
    return documentList<VornJoint>(*this, "VornJoint");
}

bool OpenGLDrawObjectJoints::ensureDisplayLists()
{
    return lists.ensure(8, view()->symbolSize(), [](uint32_t listBase, double s) { buildDisplayLists(listBase, s); });
}

void OpenGLDrawObjectJoints::buildDisplayLists(uint32_t listBase, double s)
{
    const double r = 1.5 * s;
    glNewList(listBase + cubeList, GL_COMPILE);
    buildCube(s);
    glEndList();
    glNewList(listBase + cubeList + 1, GL_COMPILE);
    buildCubeOutline(s);
    glEndList();
    const std::array<std::array<int32_t, 3>, 3> spheres = {{
        {coarseSphereList, 2, 4},
        {mediumSphereList, 4, 8},
        {fineSphereList, 8, 16},
    }};
    for (const auto& sphere : spheres)
    {
        glNewList(listBase + sphere[0], GL_COMPILE);
        drawSolidSphere(r, sphere[1], sphere[2]);
        glEndList();
        glNewList(listBase + sphere[0] + 1, GL_COMPILE);
        drawSphereOutline(1.02 * r, sphere[1], sphere[2]);
        glEndList();
    }
}

void OpenGLDrawObjectJoints::forgetDisplayLists()
{
    lists.forget();
}

uint32_t OpenGLDrawObjectJoints::symbolFor(const VornJoint& joint, bool forShadow) const
{
    const OpenGLView& info = *view();
    const uint32_t listBase = lists.base;
    const double builtSize = lists.builtSize;
    if ((joint.supportFlags & rigidJoint) != 0)
        return listBase + cubeList;
    if (info.detailLevel < Detail::High)
        return listBase + coarseSphereList;
    const double k = 1.0 / (3.732 * std::tan(info.fovY * 0.008726646259971648));
    const double far2 = 160000.0 * builtSize * builtSize * k * k;
    const double near2 = far2 * 0.03125;
    const Vector3& at = joint.getPosition();
    const double dx = at.x - info.povX, dy = at.y - info.povY, dz = at.z - info.povZ;
    const double d2 = dx * dx + dy * dy + dz * dz;
    if (d2 > far2)
        return listBase + coarseSphereList;
    if (forShadow || d2 >= near2 || info.detailLevel < Detail::Maximum)
        return listBase + mediumSphereList;
    return listBase + fineSphereList;
}

void OpenGLDrawObjectJoints::draw(int32_t mode, uint32_t tickCount)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr || !ensureDisplayLists())
        return;
    OpenGLView& info = *view();
    glDepthFunc(GL_LESS);
    // The unlit outlines of all joints first, then the lit bodies: switching the lighting for
    // every joint costs the software renderer more than the symbols themselves. Marked outlines
    // are drawn without fog.
    glDisable(GL_LIGHTING);
    for (const bool marked : {false, true})
    {
        if (marked && info.fogOn)
            glDisable(GL_FOG);
        for (uint32_t index = list->getCount(); index-- > 0;)
        {
            const VornJoint& joint = (*list)[index];
            const bool preSelected = representativeOf(joint).isPreSelected();
            if ((preSelected || joint.isUnderModifier()) != marked)
                continue;
            pushJointFrame(joint);
            sendColor(!marked           ? info.defaultColor.word()
                          : preSelected ? info.selectedColor.word()
                                        : info.modifierColor.word());
            glCallList(symbolFor(joint, false) + 1);
            glPopMatrix();
        }
        if (marked && info.fogOn)
            glEnable(GL_FOG);
    }
    glEnable(GL_LIGHTING);
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        const VornBaseObject& representative = representativeOf(joint);
        pushJointFrame(joint);
        sendColor(representative.isHidden()       ? info.hiddenColor.word()
                      : representative.isFrozen() ? info.frozenColor.word()
                                                  : representative.getColor());
        glCallList(symbolFor(joint, false));
        glPopMatrix();
    }
}

void OpenGLDrawObjectJoints::drawShadow()
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr || !ensureDisplayLists())
        return;
    glDepthFunc(GL_LESS);
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        pushJointFrame(joint);
        glCallList(symbolFor(joint, true));
        glPopMatrix();
    }
}

int32_t OpenGLDrawObjectJoints::select(int32_t mode)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr)
        return 0;
    if (mode != PickMode::BandDraw && mode != PickMode::PointDraw)
    {
        applySelectionMode(*this, *list, mode, false);
        return 0;
    }
    const uint32_t count = list->getCount();
    glDepthFunc(GL_LESS);
    pickNameEnd = firstPickName + count;
    // The picked cube reaches its corners, 1.02 s times the square root of 3 from the joint.
    const double pickRadius = 1.02 * 1.7320508075688772 * view()->symbolSize();
    if (!ensureDisplayLists())
        return 0;
    glPushName(0);
    for (uint32_t index = count; index-- > 0;)
    {
        VornJoint& joint = (*list)[index];
        if (mode == PickMode::BandDraw)
            joint.clearPreSelected();
        // Hidden joints are drawn for the eye only: they are neither picked nor snapped to.
        if (isHiddenItem(joint))
            continue;
        const double at[3] = {joint.getPosition().x, joint.getPosition().y, joint.getPosition().z};
        if (!view()->mayHitPickRegion(at, at, pickRadius))
            continue;
        glLoadName(firstPickName + index);
        pushJointFrame(joint);
        glCallList(lists.base + cubeList);
        glCallList(lists.base + cubeList + 1);
        glPopMatrix();
    }
    glPopName();
    return 0;
}

int32_t OpenGLDrawObjectJoints::getPickCount()
{
    BlockList<VornJoint>* list = joints();
    return list != nullptr ? static_cast<int32_t>(list->getCount()) : 0;
}

VornBaseObject* OpenGLDrawObjectJoints::getPickedObject(uint32_t name)
{
    return pickedItem(*this, joints(), name);
}

bool OpenGLDrawObjectJoints::hasSelectedItems()
{
    return hasSelectedRepresentative(joints());
}

void OpenGLDrawObjectJoints::addToBounds(BoundingBox* box, bool selectedOnly)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr || box == nullptr)
        return;
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        if (joint.isHidden() || (selectedOnly && !joint.isSelected()))
            continue;
        box->addPoint(joint.getPosition().x, joint.getPosition().y, joint.getPosition().z);
    }
}

const char* PluginVODOJoints::getName()
{
    return "Joints";
}

VornPluginBase* PluginVODOJoints::GetPackagedPlugin(uint32_t index)
{
    static constexpr std::array<PackagedPluginFactory, 2> packaged = {
        makeShowTypeItem,
        [](VornPlugin& packager) -> VornPluginBase* {
            auto* snapObject = packager.package(
                new (std::nothrow) PluginVPSODrawObject(5, static_cast<PluginDrawObject*>(&packager), "Joint"));
            if (snapObject != nullptr && packager.mai != nullptr)
                packager.mai->addSnapObject(snapObject);
            return snapObject;
        },
    };
    return makePackagedPlugin(*this, packaged, index, "PluginVODOJoints::GetPackagedPlugin");
}

const char* PluginVODOJoints::getDescription()
{
    return "Joints [OpenGL]:\noptionally draws joints.";
}

void PluginVODOJoints::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOJoints", "Joints [OpenGL]\n1999");
}

DrawObject* PluginVODOJoints::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectJoints>(this, owner, "PluginVODOOrigin::getDrawObject");
}

const char* PluginVODOJoints::getDisplayName()
{
    return "Joints";
}

int32_t PluginVODOJoints::getBitmapID()
{
    return BitmapId::JointLayer;
}

} // namespace zintel
