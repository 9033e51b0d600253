#include "Zintel/DrawObjects/DisplacedMembers.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/MemberSolid.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/CalcResults.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginCalculator.h"

#include <GL/gl.h>

#include <cmath>

namespace zintel
{

namespace
{

constexpr float byteToUnit = 0.003921569f;
constexpr uint32_t stressAlpha = 0x40000000u;

std::array<float, 3> unitChannels(const ColorRGBA& color)
{
    return {color.red * byteToUnit, color.green * byteToUnit, color.blue * byteToUnit};
}

std::array<float, 3> unitDifference(const ColorRGBA& to, const ColorRGBA& from)
{
    return {(int(to.red) - int(from.red)) * byteToUnit, (int(to.green) - int(from.green)) * byteToUnit,
            (int(to.blue) - int(from.blue)) * byteToUnit};
}

std::array<float, 3> blend(const std::array<float, 3>& base, const std::array<float, 3>& delta, float t)
{
    return {base[0] + delta[0] * t, base[1] + delta[1] * t, base[2] + delta[2] * t};
}

// The displaced position of a joint; false when the joint is missing.
bool displaced(const VornJoint* joint, BlockList<CalcDisplacement>& displacements, double out[3])
{
    if (joint == nullptr)
        return false;
    const uint32_t index = BlockList<VornJoint>::getIndex(joint);
    if (index >= displacements.getCount())
        return false;
    const Vector3& position = joint->getPosition();
    const Vector3& offset = displacements[index].displacement;
    out[0] = position.x + offset.x;
    out[1] = position.y + offset.y;
    out[2] = position.z + offset.z;
    return true;
}

} // namespace

uint32_t stressSignColor(double axialForce, const DocItemOpenGL& settings)
{
    const ColorRGBA& color = axialForce < 0.0 ? settings.compressionColor
        : axialForce > 0.0                    ? settings.tensionColor
                                              : settings.neutralColor;
    return halvedColor(color.word()) | stressAlpha;
}

std::array<float, 3> relativeStressColor(double stress, double tensileStrength, double compressiveStrength,
                                         const DocItemOpenGL& settings)
{
    const std::array<float, 3> neutral = unitChannels(settings.neutralColor);
    const double compressionLimit = -compressiveStrength;
    if (stress > 0.0)
    {
        const std::array<float, 3> towardsTension = unitDifference(settings.tensionColor, settings.neutralColor);
        const float t = stress < tensileStrength ? static_cast<float>(stress / tensileStrength) : 1.0f;
        return blend(neutral, towardsTension, t);
    }
    const std::array<float, 3> towardsCompression = unitDifference(settings.compressionColor, settings.neutralColor);
    const float t = stress > compressionLimit ? static_cast<float>(stress / compressionLimit) : 1.0f;
    return blend(neutral, towardsCompression, t);
}

// --- the draw objects ---

OpenGLDrawObjectDisplacedMembers::OpenGLDrawObjectDisplacedMembers(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

const CalcNForce* OpenGLDrawObjectDisplacedMembers::normalForce(uint32_t index) const
{
    auto* list = static_cast<BlockList<CalcNForce>*>(forces);
    return list != nullptr && index < list->getCount() ? &(*list)[index] : nullptr;
}

void OpenGLDrawObjectDisplacedMembers::beginColors()
{
    xrayAlphaByte = halvedAlpha(view()->xrayAlpha);
    BlockList<VornMember>* members = documentList<VornMember>(*this, "VornMember");
    forces = members != nullptr ? members->getChild("NForces") : nullptr;
}

void OpenGLDrawObjectDisplacedMembers::colorMember(VertexBatch& batch, uint32_t, const VornMember&,
                                                   const VornBaseObject& representative, bool xray, bool line)
{
    if (line)
    {
        batch.color(0, false);
        return;
    }
    const uint32_t color = halvedColor(representative.isFrozen() ? view()->frozenColor.word()
                                                                 : representative.getColor());
    batch.color(xray ? color | xrayAlphaByte : color, xray);
}

void OpenGLDrawObjectDisplacedMembers::addSolid(const double p[3], const double q[3], const ShapeList& outline,
                                                bool withNormals)
{
    const double d[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
    const double a = std::atan2(d[1], d[0]);
    const double b = std::atan2(d[2], std::sqrt(d[0] * d[0] + d[1] * d[1]));
    const double axis[3] = {std::cos(b) * std::cos(a), std::cos(b) * std::sin(a), std::sin(b)};
    const double u[3] = {std::sin(a), -std::cos(a), 0.0};
    const double w[3] = {std::sin(b) * std::cos(a), std::sin(b) * std::sin(a), -std::cos(b)};

    const uint32_t count = outline.getPointCount();
    if (outlineTable.size() < 9 * size_t(count))
        outlineTable.resize(9 * size_t(count));
    const float* points = outline.getPoints();
    for (uint32_t k = 0; k < count; ++k)
        for (int vector = 0; vector < 3; ++vector)
        {
            const double x = points[6 * k + 2 * vector];
            const double y = points[6 * k + 2 * vector + 1];
            for (int axisIndex = 0; axisIndex < 3; ++axisIndex)
                outlineTable[9 * k + 3 * vector + axisIndex] = static_cast<float>(x * u[axisIndex] + y * w[axisIndex]);
        }
    const float* table = outlineTable.data();
    VertexBatch& batch = solids;
    const auto vertex = [table, &batch](uint32_t k, const double* end) {
        const float* offset = table + 9 * k;
        batch.vertex(offset[0] + end[0], offset[1] + end[1], offset[2] + end[2]);
    };
    const auto normal = [table, withNormals, &batch](uint32_t k, int which) {
        const float* n = table + 9 * k + 3 * which;
        if (withNormals)
            batch.normal(n[0], n[1], n[2]);
    };
    const auto wall = [&](uint32_t from, uint32_t to) {
        batch.begin(VertexBatch::Shape::TriangleStrip);
        normal(from, 2);
        vertex(from, p);
        vertex(from, q);
        normal(to, 1);
        vertex(to, p);
        vertex(to, q);
        batch.end();
    };
    uint32_t k = 0;
    for (uint32_t list = 0; list < outline.getListCount(); ++list)
    {
        const uint32_t first = k;
        const uint32_t n = outline.getListLength(list);
        if (n == 0 || first + n > count)
            break;
        for (; k + 1 < first + n; ++k)
            wall(k, k + 1);
        wall(k, first);
        ++k;
    }
    const uint32_t indexCount = outline.getIndexCount();
    if (indexCount == 0)
        return;
    const int32_t* indices = outline.getIndexList();
    // The far cap faces the other way: its strips are wound clockwise.
    const auto cap = [&](const double* end, double sign, VertexBatch::Shape strip) {
        batch.begin(strip);
        if (withNormals)
            batch.normal(sign * axis[0], sign * axis[1], sign * axis[2]);
        for (uint32_t i = 0; i < indexCount; ++i)
        {
            if (indices[i] < 0)
                batch.begin(strip);
            else if (static_cast<uint32_t>(indices[i]) < count)
                vertex(static_cast<uint32_t>(indices[i]), end);
        }
        batch.end();
    };
    cap(p, -1.0, VertexBatch::Shape::TriangleStrip);
    cap(q, 1.0, VertexBatch::Shape::ClockwiseTriangleStrip);
}

void OpenGLDrawObjectDisplacedMembers::drawPass(Pass pass, uint32_t stamp)
{
    OpenGLView& info = *view();
    const bool xrayed = (info.xrayMode & XRay::Displacements) != 0;
    if (xrayed != (pass == Pass::XRay))
        return;
    BlockList<VornJoint>* joints = documentList<VornJoint>(*this, "VornJoint");
    if (joints == nullptr)
        return;
    if (pass == Pass::Normal && info.ownerView != nullptr && info.ownerView->document != nullptr)
    {
        MAI_Doc* document = info.ownerView->document;
        if (VornPluginCalculator* calculator = document->getActiveCalculator())
            calculator->getResults(document, 0, static_cast<int32_t>(stamp));
    }
    auto* displacements = static_cast<BlockList<CalcDisplacement>*>(joints->getChild("Displacements"));
    BlockList<VornMember>* members = documentList<VornMember>(*this, "VornMember");
    if (displacements == nullptr || members == nullptr)
        return;
    const bool colored = pass != Pass::Shadow;
    const bool xray = pass == Pass::XRay;
    if (colored)
        beginColors();
    const bool lines = info.detailLevel < Detail::Medium;
    const OpenGLView::ShownRegion region = info.shownRegion();
    solids.clear();
    for (uint32_t index = members->getCount(); index-- > 0;)
    {
        const VornMember& member = (*members)[index];
        const VornBaseObject& representative = representativeOf(member);
        if (representative.isHidden())
            continue;
        double p[3], q[3];
        if (!displaced(member.getStartJoint(), *displacements, p) ||
            !displaced(member.getEndJoint(), *displacements, q))
            continue;
        // A shadow may fall in the window from a member outside it.
        const auto outside = [&](double radius) { return colored && !region.mayShow(p, q, radius); };
        if (lines)
        {
            if (outside(0.0))
                continue;
            if (colored)
                colorMember(solids, index, member, representative, xray, true);
            solids.begin(VertexBatch::Shape::Lines);
            solids.vertex(p[0], p[1], p[2]);
            solids.vertex(q[0], q[1], q[2]);
            solids.end();
            continue;
        }
        if (p[0] == q[0] && p[1] == q[1] && p[2] == q[2])
            continue;
        const ShapeList outline = memberOutline(member, info.docItem, info.detailLevel, !colored);
        if (outline.isNull() || outside(outlineRadius(outline)))
            continue;
        if (colored)
            colorMember(solids, index, member, representative, xray, false);
        addSolid(p, q, outline, colored);
    }
    if (lines)
    {
        glDisable(GL_LIGHTING);
        solids.draw(false, colored);
        glEnable(GL_LIGHTING);
        return;
    }
    if (colored)
    {
        if (xray)
        {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        glEnable(GL_LIGHTING);
    }
    solids.draw(colored, colored);
    if (colored)
        glDisable(GL_BLEND);
}

void OpenGLDrawObjectDisplacedMembers::draw(int32_t, uint32_t tickCount)
{
    drawPass(Pass::Normal, tickCount);
}

void OpenGLDrawObjectDisplacedMembers::drawBlended()
{
    drawPass(Pass::XRay, 0);
}

void OpenGLDrawObjectDisplacedMembers::drawShadow()
{
    drawPass(Pass::Shadow, 0);
}

int32_t OpenGLDrawObjectDisplacedMembers::select(int32_t)
{
    return 0;
}

bool OpenGLDrawObjectDisplacedMembers::hasSelectedItems()
{
    return false;
}

void OpenGLDrawObjectDisplacedMembersbyStress::colorMember(VertexBatch& batch, uint32_t index, const VornMember&,
                                                           const VornBaseObject&, bool xray, bool)
{
    const DocItemOpenGL* settings = view()->docItem;
    if (settings == nullptr)
        return;
    const CalcNForce* force = normalForce(index);
    batch.color(stressSignColor(force != nullptr ? force->axialForce : 0.0, *settings), xray);
}

void OpenGLDrawObjectDisplacedMembersbyRelStress::colorMember(VertexBatch& batch, uint32_t index,
                                                              const VornMember& member, const VornBaseObject&,
                                                              bool xray, bool)
{
    const DocItemOpenGL* settings = view()->docItem;
    if (settings == nullptr)
        return;
    std::array<float, 3> color{};
    if (const CalcNForce* force = normalForce(index))
    {
        const double stress = member.getInverseArea() * force->axialForce * settings->stressExaggeration;
        const VornMaterial* material = member.getMaterial();
        color = relativeStressColor(stress, material != nullptr ? material->getTension() : defaultStrength,
                                    material != nullptr ? material->getCompression() : defaultStrength, *settings);
    }
    else
        color = relativeStressColor(0.0, defaultStrength, defaultStrength, *settings);
    batch.color(color[0], color[1], color[2], xray ? 0.5f : 1.0f);
}

// --- the plugins ---

namespace
{

const DisplacedMembersTexts byObjectTexts = {
    "Displaced Members", "Displaced Members [OpenGL]:\noptionally draws displaced Members.",
    "PluginVODODisplacedMembers", "Displaced Members [OpenGL]\n2000", "by Object"};
const DisplacedMembersTexts byStressTexts = {
    "Displaced Members by Stress",
    "Displaced Members by Stress [OpenGL]:\noptionally draws displaced Members colored by stress.",
    "PluginVODODisplacedMembersbyStress", "Displaced Members by Stress [OpenGL]\n2000", "by Stress"};
const DisplacedMembersTexts byRelStressTexts = {
    "Displaced Members by Relative Stress",
    "Displaced Members by Relative Stress [OpenGL]:\noptionally draws displaced Members colored by stress.",
    "PluginVODODisplacedMembersbyRelStress", "Displaced Members by Relative Stress [OpenGL]\n2000", "by Rel.Stress"};

} // namespace

PluginVODODisplacedMembersKind::PluginVODODisplacedMembersKind(const DisplacedMembersTexts& texts) : texts(texts)
{
}

const char* PluginVODODisplacedMembersKind::getName()
{
    return texts.name;
}

const char* PluginVODODisplacedMembersKind::getDescription()
{
    return texts.description;
}

void PluginVODODisplacedMembersKind::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, texts.aboutText);
}

const char* PluginVODODisplacedMembersKind::getDisplayName()
{
    return "Displaced Members";
}

const char* PluginVODODisplacedMembersKind::getModeName()
{
    return texts.modeName;
}

int32_t PluginVODODisplacedMembersKind::getBitmapID()
{
    return BitmapId::MemberLayer;
}

PluginVODODisplacedMembers::PluginVODODisplacedMembers() : PluginVODODisplacedMembersKind(byObjectTexts)
{
}

DrawObject* PluginVODODisplacedMembers::getDrawObject(ViewTypeInfo* owner)
{
    DrawObject* object =
        makeDrawObject<OpenGLDrawObjectDisplacedMembers>(this, owner, "PluginVODODisplacedMembers::getDrawObject");
    object->enabled = 0; // a view shows the relative stress until the user switches
    return object;
}

PluginVODODisplacedMembersbyStress::PluginVODODisplacedMembersbyStress() : PluginVODODisplacedMembersKind(byStressTexts)
{
}

DrawObject* PluginVODODisplacedMembersbyStress::getDrawObject(ViewTypeInfo* owner)
{
    DrawObject* object = makeDrawObject<OpenGLDrawObjectDisplacedMembersbyStress>(
        this, owner, "PluginVODODisplacedMembersbyStress::getDrawObject");
    object->enabled = 0;
    return object;
}

PluginVODODisplacedMembersbyRelStress::PluginVODODisplacedMembersbyRelStress()
    : PluginVODODisplacedMembersKind(byRelStressTexts)
{
}

DrawObject* PluginVODODisplacedMembersbyRelStress::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectDisplacedMembersbyRelStress>(
        this, owner, "PluginVODODisplacedMembersbyRelStress::getDrawObject");
}

} // namespace zintel
