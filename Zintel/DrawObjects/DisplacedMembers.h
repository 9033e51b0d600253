#pragma once

#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLFamilies.h"

#include <array>
#include <vector>

struct CalcNForce;
class ShapeList;
class VornJoint;
class VornMember;

namespace zintel
{

class DocItemOpenGL;

// The colour of a member by the sign of its axial force: the signed-byte word (R, G, B halved)
// of the compression colour below 0, the tension colour above 0 and the neutral colour at 0,
// with alpha 0x40 (about half) for the X-ray pass.
uint32_t stressSignColor(double axialForce, const DocItemOpenGL& settings);

// The colour of a member by its exaggerated axial stress against its material's strengths
// (compressive strength positive): the neutral colour blended towards the tension or the
// compression colour, full at the strength and beyond. Channels 0..1.
std::array<float, 3> relativeStressColor(double stress, double tensileStrength, double compressiveStrength,
                                         const DocItemOpenGL& settings);

// The strengths of members without a material.
constexpr double defaultStrength = 2.0e8;

// The frame as the latest published results have displaced it: every member the straight
// connection of its two displaced joints. The normal pass asks the document's active calculator
// to publish its latest results, once per frame stamp. The colouring is the subclasses'.
class OpenGLDrawObjectDisplacedMembers : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectDisplacedMembers(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    int32_t select(int32_t mode) override;
    bool hasSelectedItems() override;
    void drawBlended() override;
    void drawShadow() override;

protected:
    enum class Pass
    {
        Normal,
        XRay,
        Shadow
    };

    // What the colours of a pass need, read afresh at its start.
    void beginColors();
    // Gives the batch the colour of member `index`; `representative` stands for it (its closed
    // group).
    virtual void colorMember(VertexBatch& batch, uint32_t index, const VornMember& member,
                             const VornBaseObject& representative, bool xray, bool line);

    // The published normal force of member `index`; null when the calculator publishes none.
    const CalcNForce* normalForce(uint32_t index) const;

private:
    void drawPass(Pass pass, uint32_t stamp);
    // Adds the member from p to q, its outline turned about the line, to the pass's batch.
    void addSolid(const double p[3], const double q[3], const ShapeList& outline, bool withNormals);

    uint32_t xrayAlphaByte = 0;
    // The list "NForces" of the pass; null when the calculator publishes none.
    BlockListBase* forces = nullptr;
    // The outline turned into model space, nine floats per point; grown to the largest outline.
    std::vector<float> outlineTable;
    // The members of the pass (solids or lines), filled again in every pass.
    VertexBatch solids;
};

class OpenGLDrawObjectDisplacedMembersbyStress : public OpenGLDrawObjectDisplacedMembers
{
public:
    using OpenGLDrawObjectDisplacedMembers::OpenGLDrawObjectDisplacedMembers;

protected:
    void colorMember(VertexBatch& batch, uint32_t index, const VornMember& member,
                     const VornBaseObject& representative, bool xray, bool line) override;
};

class OpenGLDrawObjectDisplacedMembersbyRelStress : public OpenGLDrawObjectDisplacedMembers
{
public:
    using OpenGLDrawObjectDisplacedMembers::OpenGLDrawObjectDisplacedMembers;

protected:
    void colorMember(VertexBatch& batch, uint32_t index, const VornMember& member,
                     const VornBaseObject& representative, bool xray, bool line) override;
};

// The fixed answers of a displaced-members plugin.
struct DisplacedMembersTexts
{
    const char* name;
    const char* description;
    const char* aboutCaption;
    const char* aboutText;
    const char* modeName;
};

class PluginVODODisplacedMembersKind : public PluginVODrawObject
{
public:
    explicit PluginVODODisplacedMembersKind(const DisplacedMembersTexts& texts);
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getDisplayName() override;
    const char* getModeName() override;
    int32_t getBitmapID() override;

private:
    const DisplacedMembersTexts& texts;
};

class PluginVODODisplacedMembers : public PluginVODODisplacedMembersKind
{
public:
    PluginVODODisplacedMembers();
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
};

class PluginVODODisplacedMembersbyStress : public PluginVODODisplacedMembersKind
{
public:
    PluginVODODisplacedMembersbyStress();
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
};

class PluginVODODisplacedMembersbyRelStress : public PluginVODODisplacedMembersKind
{
public:
    PluginVODODisplacedMembersbyRelStress();
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
};

} // namespace zintel
