#include "Zintel/DrawObjects/JointSupports.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/Joints.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

namespace zintel
{

namespace
{

constexpr uint8_t supportBits = 0x3F;
constexpr uint8_t localSupports = 0x40;

struct Point3
{
    double x, y, z;
};

void face(VertexBatch& batch, Point3 normal, std::initializer_list<Point3> corners, bool withNormal = true)
{
    batch.begin(VertexBatch::Shape::Polygon);
    if (withNormal)
        batch.normal(normal.x, normal.y, normal.z);
    for (const Point3& corner : corners)
        batch.vertex(corner.x, corner.y, corner.z);
    batch.end();
}

void pyramid(VertexBatch& batch, double s)
{
    const Point3 apex{0, 0, 0};
    const double b = 2 * s, z = -4 * s;
    face(batch, {0, -0.9, 0.45}, {apex, {-b, -b, z}, {b, -b, z}});
    face(batch, {0, 0.9, 0.45}, {apex, {b, b, z}, {-b, b, z}});
    face(batch, {0.9, 0, 0.45}, {apex, {b, -b, z}, {b, b, z}});
    face(batch, {-0.9, 0, 0.45}, {apex, {-b, b, z}, {-b, -b, z}});
    face(batch, {0, 0, -1}, {{b, -b, z}, {-b, -b, z}, {-b, b, z}, {b, b, z}});
}

// The sides of a box of half-width b from z0 up to z1, outward and wound counter-clockwise.
void boxSides(VertexBatch& batch, double b, double z0, double z1)
{
    face(batch, {0, 1, 0}, {{-b, b, z0}, {-b, b, z1}, {b, b, z1}, {b, b, z0}});
    face(batch, {0, -1, 0}, {{-b, -b, z0}, {b, -b, z0}, {b, -b, z1}, {-b, -b, z1}});
    face(batch, {1, 0, 0}, {{b, -b, z0}, {b, b, z0}, {b, b, z1}, {b, -b, z1}});
    face(batch, {-1, 0, 0}, {{-b, -b, z0}, {-b, -b, z1}, {-b, b, z1}, {-b, b, z0}});
}

void slab(VertexBatch& batch, double s)
{
    const double b = 2 * s, bottom = -6 * s, top = -5 * s;
    // The bottom keeps the normal of the block drawn before it.
    face(batch, {0, 0, 0}, {{b, -b, bottom}, {-b, -b, bottom}, {-b, b, bottom}, {b, b, bottom}}, false);
    face(batch, {0, 0, 0.5}, {{b, -b, top}, {b, b, top}, {-b, b, top}, {-b, -b, top}});
    boxSides(batch, b, bottom, top);
}

void block(VertexBatch& batch, double s)
{
    const double b = 2 * s, top = -s, bottom = -4 * s;
    face(batch, {0, 0, 1}, {{b, -b, top}, {b, b, top}, {-b, b, top}, {-b, -b, top}});
    boxSides(batch, b, bottom, top);
    face(batch, {0, 0, -1}, {{b, -b, bottom}, {-b, -b, bottom}, {-b, b, bottom}, {b, b, bottom}});
}

// The square wedge ring about z: each side is the +x side turned by a quarter turn.
void ring(VertexBatch& batch, double s)
{
    const double length = std::sqrt(0.3 * 0.3 + 1.0);
    const double p = -0.3 / length, q = 1.0 / length;
    const double outer = 3 * s, inner = 2 * s, h = 0.3 * s;
    // Turns (x, y) of the +x side onto side `side`: +x, -x, +y, -y.
    const auto turn = [](int side, Point3 v) -> Point3 {
        switch (side)
        {
        case 1:
            return {-v.x, -v.y, v.z};
        case 2:
            return {-v.y, v.x, v.z};
        case 3:
            return {v.y, -v.x, v.z};
        default:
            return v;
        }
    };
    for (int side = 0; side < 4; ++side)
    {
        const auto t = [&](Point3 v) { return turn(side, v); };
        face(batch, t({1, 0, 0}), {t({outer, -outer, -h}), t({outer, outer, -h}), t({outer, outer, h}), t({outer, -outer, h})});
        face(batch, t({p, 0, q}), {t({inner, -inner, 0}), t({outer, -outer, h}), t({outer, outer, h}), t({inner, inner, 0})});
        face(batch, t({p, 0, -q}), {t({inner, -inner, 0}), t({inner, inner, 0}), t({outer, outer, -h}), t({outer, -outer, -h})});
    }
}

// The turns the symbols are made with: a quarter turn (+1) or back (-1) about y or x.
void turnY(double matrix[16], int quarter)
{
    const double turn[16] = {0, 0, -1.0 * quarter, 0, 0, 1, 0, 0, 1.0 * quarter, 0, 0, 0, 0, 0, 0, 1};
    multiplyMatrix(matrix, turn);
}

void turnX(double matrix[16], int quarter)
{
    const double turn[16] = {1, 0, 0, 0, 0, 0, 1.0 * quarter, 0, 0, -1.0 * quarter, 0, 0, 0, 0, 0, 1};
    multiplyMatrix(matrix, turn);
}

// Adds the symbol of the support bits k, made of size s, to the batch, placed by the matrix.
// Symbols are made of others; a turn made for one part holds for the parts after it.
void addSymbol(VertexBatch& into, uint32_t k, double s, double matrix[16])
{
    const auto call = [&](uint32_t part) { addSymbol(into, part, s, matrix); };
    const auto shape = [&](auto... makers) {
        VertexBatch made;
        (makers(made, s), ...);
        into.append(made, matrix);
    };
    const uint32_t rotation = k & 0x38;
    const uint32_t translation = k & 0x07;
    switch (k)
    {
    case 0:
        break;
    case 7:
        shape(pyramid);
        break;
    case 4:
        // The slab's bottom keeps the normal of the pyramid's base.
        shape(pyramid, slab);
        break;
    case 1:
        turnY(matrix, 1);
        call(4);
        break;
    case 2:
        turnX(matrix, 1);
        call(4);
        break;
    case 3:
        turnY(matrix, 1);
        call(4);
        turnX(matrix, 1);
        call(4);
        break;
    case 5:
        call(4);
        turnY(matrix, 1);
        call(4);
        break;
    case 6:
        call(4);
        turnX(matrix, 1);
        call(4);
        break;
    case 32:
        shape(ring);
        break;
    case 8:
        turnY(matrix, 1);
        call(32);
        turnY(matrix, -1);
        break;
    case 16:
        turnX(matrix, 1);
        call(32);
        turnX(matrix, -1);
        break;
    case 24:
        call(8);
        call(16);
        break;
    case 40:
        call(32);
        call(8);
        break;
    case 48:
        call(32);
        call(16);
        break;
    case 56:
        call(32);
        call(8);
        call(16);
        break;
    case 63:
        shape(block);
        break;
    case 60:
        shape(block, slab);
        break;
    case 57:
        turnY(matrix, 1);
        call(60);
        break;
    case 58:
        turnX(matrix, 1);
        call(60);
        break;
    case 59:
        turnY(matrix, 1);
        call(60);
        turnY(matrix, -1);
        turnX(matrix, 1);
        call(60);
        break;
    case 61:
        call(60);
        turnY(matrix, 1);
        call(60);
        break;
    case 62:
        call(60);
        turnX(matrix, 1);
        call(60);
        break;
    default:
        // A blocked rotation with blocked translations: the rings, then the rollers.
        call(rotation);
        call(translation);
        break;
    }
}

} // namespace

OpenGLDrawObjectJointSupports::OpenGLDrawObjectJointSupports(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

BlockList<VornJoint>* OpenGLDrawObjectJointSupports::joints() const
{
    return documentList<VornJoint>(*this, "VornJoint");
}

void OpenGLDrawObjectJointSupports::ensureSymbols()
{
    symbols.ensure(view()->symbolSize(), [](std::array<VertexBatch, 64>& made, double s) {
        for (uint32_t k = 0; k < made.size(); ++k)
        {
            double matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
            addSymbol(made[k], k, s, matrix);
        }
    });
}

void OpenGLDrawObjectJointSupports::drawSymbols(bool coloured)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr)
        return;
    ensureSymbols();
    const OpenGLView& info = *view();
    placed.clear();
    double frame[16];
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        const uint8_t bits = joint.supportFlags & supportBits;
        if (bits == 0)
            continue;
        jointFrame(joint, (joint.supportFlags & localSupports) != 0, frame);
        if (coloured)
        {
            const VornBaseObject& representative = representativeOf(joint);
            placed.color(halvedColor(representative.isHidden()   ? info.hiddenColor.word()
                                     : representative.isFrozen() ? info.frozenColor.word()
                                                                 : representative.getColor()));
        }
        placed.append(symbols[bits], frame);
    }
    glDepthFunc(GL_LESS);
    placed.draw(true, coloured);
}

void OpenGLDrawObjectJointSupports::draw(int32_t mode, uint32_t tickCount)
{
    drawSymbols(true);
}

void OpenGLDrawObjectJointSupports::drawShadow()
{
    drawSymbols(false);
}

void OpenGLDrawObjectJointSupports::addToBounds(BoundingBox* box, bool selectedOnly)
{
    BlockList<VornJoint>* list = joints();
    if (list == nullptr || box == nullptr || selectedOnly)
        return;
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornJoint& joint = (*list)[index];
        if (!joint.isHidden() && (joint.supportFlags & supportBits) != 0)
            box->addPoint(joint.getPosition().x, joint.getPosition().y, joint.getPosition().z);
    }
}

const char* PluginVODOJointSupports::getName()
{
    return "Joint Supports";
}

const char* PluginVODOJointSupports::getDescription()
{
    return "Joints Supports [OpenGL]:\noptionally draws joint supports.";
}

void PluginVODOJointSupports::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOJointSupports", "Joint Supports[OpenGL]\n1999");
}

DrawObject* PluginVODOJointSupports::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectJointSupports>(this, owner, "PluginVODOOrigin::getDrawObject");
}

const char* PluginVODOJointSupports::getDisplayName()
{
    return "Joint Supports";
}

int32_t PluginVODOJointSupports::getBitmapID()
{
    return BitmapId::JointLayer;
}

} // namespace zintel
