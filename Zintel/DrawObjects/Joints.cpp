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

#include <algorithm>
#include <array>
#include <cmath>

namespace zintel
{

namespace
{

constexpr double pi = 3.14159265358979323846;
constexpr uint8_t rigidJoint = 0x80;

// The indices of the eight symbols, each body followed by its outline.
constexpr uint32_t cubeSymbol = 0;
constexpr uint32_t coarseSphereSymbol = 2;
constexpr uint32_t mediumSphereSymbol = 4;
constexpr uint32_t fineSphereSymbol = 6;

void ringVertex(VertexBatch& batch, double radius, double theta, double phi, bool mirrored)
{
    const double x = std::sin(phi) * std::sin(theta) * (mirrored ? -1.0 : 1.0);
    const double y = std::cos(phi) * std::sin(theta);
    const double z = std::cos(theta);
    batch.normal(x, y, z);
    batch.vertex(radius * x, radius * y, radius * z);
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

void buildCube(VertexBatch& batch, double s)
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
        batch.begin(VertexBatch::Shape::Polygon);
        batch.normal(face.normal[0], face.normal[1], face.normal[2]);
        for (const auto& corner : face.corners)
            batch.vertex(corner[0], corner[1], corner[2]);
        batch.end();
    }
}

void buildCubeOutline(VertexBatch& batch, double s)
{
    const double a = 1.02 * s;
    const double strips[2][6][3] = {
        {{a, a, a}, {a, -a, a}, {a, -a, -a}, {-a, -a, -a}, {-a, -a, a}, {-a, a, a}},
        {{-a, -a, -a}, {-a, a, -a}, {-a, a, a}, {a, a, a}, {a, a, -a}, {a, -a, -a}},
    };
    for (const auto& strip : strips)
    {
        batch.begin(VertexBatch::Shape::LineStrip);
        for (const auto& corner : strip)
            batch.vertex(corner[0], corner[1], corner[2]);
        batch.end();
    }
    batch.begin(VertexBatch::Shape::Lines);
    batch.vertex(-a, a, -a);
    batch.vertex(a, a, -a);
    batch.vertex(a, -a, a);
    batch.vertex(-a, -a, a);
    batch.end();
}

} // namespace

void addSolidSphere(VertexBatch& batch, double radius, int32_t stacks, int32_t slices)
{
    stacks = stacks < 2 ? 2 : stacks;
    slices = slices < 3 ? 3 : slices;
    const double dTheta = pi / stacks;
    const double dPhi = 2 * pi / slices;
    batch.begin(VertexBatch::Shape::TriangleFan);
    batch.normal(0, 0, 1);
    batch.vertex(0, 0, radius);
    walkRing(slices, [&](int32_t j) { ringVertex(batch, radius, dTheta, j * dPhi, false); });
    for (int32_t i = 2; i <= stacks - 1; ++i)
    {
        batch.begin(VertexBatch::Shape::TriangleStrip);
        walkRing(slices, [&](int32_t j) {
            ringVertex(batch, radius, (i - 1) * dTheta, j * dPhi, false);
            ringVertex(batch, radius, i * dTheta, j * dPhi, false);
        });
    }
    batch.begin(VertexBatch::Shape::TriangleFan);
    batch.normal(0, 0, -1);
    batch.vertex(0, 0, -radius);
    walkRing(slices, [&](int32_t j) { ringVertex(batch, radius, pi - dTheta, j * dPhi, true); });
    batch.end();
}

void addSphereOutline(VertexBatch& batch, double radius, int32_t stacks, int32_t slices)
{
    stacks = stacks < 2 ? 2 : stacks;
    slices = slices < 3 ? 3 : slices;
    batch.begin(VertexBatch::Shape::LineStrip);
    batch.vertex(0, 0, radius);
    for (int32_t k = 1; k < 2 * stacks; ++k)
    {
        const double t = 2 * pi - k * pi / stacks;
        batch.vertex(0, radius * std::sin(t), radius * std::cos(t));
    }
    batch.vertex(0, 0, radius);
    for (int32_t k = 1; k < 2 * stacks; ++k)
    {
        const double t = 2 * pi - k * pi / stacks;
        batch.vertex(radius * std::sin(t), 0, radius * std::cos(t));
    }
    batch.vertex(0, 0, radius);
    batch.begin(VertexBatch::Shape::LineStrip);
    batch.vertex(0, radius, 0);
    for (int32_t k = 1; k < slices; ++k)
    {
        const double t = 2 * pi - k * 2 * pi / slices;
        batch.vertex(radius * std::sin(t), radius * std::cos(t), 0);
    }
    batch.vertex(0, radius, 0);
    batch.end();
}

namespace
{

} // namespace

namespace
{

// How far from the joint its symbols reach: the corners of the cube's outline, 1.02 s times the
// square root of 3 (the spheres' outlines reach 1.53 s).
double symbolReach(double s)
{
    return 1.02 * 1.7320508075688772 * s;
}

} // namespace

void jointFrame(const VornJoint& joint, bool turned, double matrix[16])
{
    const Vector3& at = joint.getPosition();
    const double placed[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, at.x, at.y, at.z, 1};
    std::copy(placed, placed + 16, matrix);
    if (!turned)
        return;
    double axes[16];
    joint.getOrientation().toGLMatrix(axes);
    multiplyMatrix(matrix, axes);
}

OpenGLDrawObjectJoints::OpenGLDrawObjectJoints(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

BlockList<VornJoint>* OpenGLDrawObjectJoints::joints() const
{
    return documentList<VornJoint>(*this, "VornJoint");
}

void OpenGLDrawObjectJoints::ensureSymbols()
{
    symbols.ensure(view()->symbolSize(), [](std::array<VertexBatch, 8>& made, double s) {
        buildCube(made[cubeSymbol], s);
        buildCubeOutline(made[cubeSymbol + 1], s);
        const double r = 1.5 * s;
        const std::array<std::array<int32_t, 3>, 3> spheres = {{
            {coarseSphereSymbol, 2, 4},
            {mediumSphereSymbol, 4, 8},
            {fineSphereSymbol, 8, 16},
        }};
        for (const auto& sphere : spheres)
        {
            addSolidSphere(made[sphere[0]], r, sphere[1], sphere[2]);
            addSphereOutline(made[sphere[0] + 1], 1.02 * r, sphere[1], sphere[2]);
        }
    });
}

uint32_t OpenGLDrawObjectJoints::symbolFor(const VornJoint& joint, bool forShadow) const
{
    const OpenGLView& info = *view();
    const double builtSize = symbols.size();
    if ((joint.supportFlags & rigidJoint) != 0)
        return cubeSymbol;
    if (info.detailLevel < Detail::High)
        return coarseSphereSymbol;
    const double k = 1.0 / (3.732 * std::tan(info.fovY * 0.008726646259971648));
    const double far2 = 160000.0 * builtSize * builtSize * k * k;
    const double near2 = far2 * 0.03125;
    const Vector3& at = joint.getPosition();
    const double dx = at.x - info.povX, dy = at.y - info.povY, dz = at.z - info.povZ;
    const double d2 = dx * dx + dy * dy + dz * dz;
    if (d2 > far2)
        return coarseSphereSymbol;
    if (forShadow || d2 >= near2 || info.detailLevel < Detail::Maximum)
        return mediumSphereSymbol;
    return fineSphereSymbol;
}

void OpenGLDrawObjectJoints::draw(int32_t mode, uint32_t tickCount)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr)
        return;
    ensureSymbols();
    OpenGLView& info = *view();
    outlines.clear();
    markedOutlines.clear();
    bodies.clear();
    const double reach = symbolReach(info.symbolSize());
    const OpenGLView::ShownRegion region = info.shownRegion();
    double frame[16];
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        const double at[3] = {joint.getPosition().x, joint.getPosition().y, joint.getPosition().z};
        if (!region.mayShow(at, at, reach))
            continue;
        const VornBaseObject& representative = representativeOf(joint);
        const bool preSelected = representative.isPreSelected();
        const bool marked = preSelected || joint.isUnderModifier();
        const uint32_t symbol = symbolFor(joint, false);
        jointFrame(joint, true, frame);
        VertexBatch& outline = marked ? markedOutlines : outlines;
        outline.color(halvedColor(!marked         ? info.defaultColor.word()
                                  : preSelected ? info.selectedColor.word()
                                                : info.modifierColor.word()));
        outline.append(symbols[symbol + 1], frame);
        bodies.color(halvedColor(representative.isHidden()   ? info.hiddenColor.word()
                                 : representative.isFrozen() ? info.frozenColor.word()
                                                             : representative.getColor()));
        bodies.append(symbols[symbol], frame);
    }
    glDepthFunc(GL_LESS);
    // The unlit outlines of all joints first, then the lit bodies: switching the lighting for
    // every joint costs the software renderer more than the symbols themselves. Marked outlines
    // are drawn without fog.
    glDisable(GL_LIGHTING);
    outlines.draw(false, true);
    if (!markedOutlines.empty())
    {
        if (info.fogOn)
            glDisable(GL_FOG);
        markedOutlines.draw(false, true);
        if (info.fogOn)
            glEnable(GL_FOG);
    }
    glEnable(GL_LIGHTING);
    bodies.draw(true, true);
}

void OpenGLDrawObjectJoints::drawShadow()
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr)
        return;
    ensureSymbols();
    bodies.clear();
    double frame[16];
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        jointFrame(joint, true, frame);
        bodies.append(symbols[symbolFor(joint, true)], frame);
    }
    glDepthFunc(GL_LESS);
    bodies.draw(true, false);
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
    const double reach = symbolReach(view()->symbolSize());
    const OpenGLView::ShownRegion region = view()->shownRegion();
    ensureSymbols();
    glPushName(0);
    double frame[16];
    for (uint32_t index = count; index-- > 0;)
    {
        VornJoint& joint = (*list)[index];
        if (mode == PickMode::BandDraw)
            joint.clearPreSelected();
        // Hidden joints are drawn for the eye only: they are neither picked nor snapped to.
        if (isHiddenItem(joint))
            continue;
        const double at[3] = {joint.getPosition().x, joint.getPosition().y, joint.getPosition().z};
        if (!region.mayShow(at, at, reach))
            continue;
        // Each joint is drawn under its own name: the pick region is small, and the few joints
        // that may show in it are drawn one by one.
        glLoadName(firstPickName + index);
        jointFrame(joint, true, frame);
        bodies.clear();
        bodies.append(symbols[cubeSymbol], frame);
        bodies.append(symbols[cubeSymbol + 1], frame);
        bodies.draw(false, false);
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
