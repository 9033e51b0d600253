#pragma once

#include "Zintel/DrawObjects/VertexBatch.h"
#include "Zintel/OpenGLFamilies.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class NotifierListener;
class VornMember;

namespace zintel
{

// The members of the document as lit solids of their cross-sections (lines at low detail), with
// the checkerboard of the selection or of the active modifier, translucent while the model is
// X-rayed. The colour of a member is its own (or its closed group's).
class OpenGLDrawObjectMembers : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectMembers(PluginDrawObject* plugin, OpenGLView* view);

    void draw(int32_t mode, uint32_t tickCount) override;
    int32_t select(int32_t mode) override;
    int32_t getPickCount() override;
    VornBaseObject* getPickedObject(uint32_t name) override;
    bool hasSelectedItems() override;
    void drawBlended() override;
    void drawShadow() override;
    void drawShadowSoft() override;
    void addToBounds(BoundingBox* box, bool selectedOnly) override;

protected:
    // How the line of a member is drawn at low detail: stippled (with the sparse stipple), and
    // without fog.
    enum LineStyle : uint8_t
    {
        StippledBit = 1,
        SparseBit = 2,
        UnfoggedBit = 4,
        Plain = 0,
        Stippled = StippledBit,
        Sparse = StippledBit | SparseBit,
        SparseUnfogged = StippledBit | SparseBit | UnfoggedBit,
    };

    // The colour a member is drawn with; `representative` stands for it.
    virtual uint32_t memberColor(const VornMember& member, const VornBaseObject& representative);
    // The style and colour of a member's line (detail below Medium), in the normal and the X-ray
    // pass: stippled while pre-selected, in the member's colour.
    virtual LineStyle lineStyle(const VornMember& member, const VornBaseObject& representative, uint32_t& color);

    BlockList<VornMember>* members() const;

private:
    void drawPass(bool xray);
    void drawSolids(BlockList<VornMember>& members, bool xray);
    // The lines of the members not hidden, a batch for each style, drawn style by style; their
    // shadows without colours, only the selection stipples.
    void drawLines(BlockList<VornMember>& members, bool forShadow);
    void gatherLines(BlockList<VornMember>& members, bool forShadow);

    // Filled again in every pass; kept only for their memory.
    VertexBatch marks;
    VertexBatch solids;
    std::array<VertexBatch, 8> lines;
};

// The same members, each in the colour of its material.
class OpenGLDrawObjectMembersbyMat : public OpenGLDrawObjectMembers
{
public:
    OpenGLDrawObjectMembersbyMat(PluginDrawObject* plugin, OpenGLView* view);

protected:
    uint32_t memberColor(const VornMember& member, const VornBaseObject& representative) override;
    // Stippled while pre-selected; a member without a material in the sparse stipple, in the
    // selection colour (then without fog) or the default colour; frozen ones in the frozen colour.
    LineStyle lineStyle(const VornMember& member, const VornBaseObject& representative, uint32_t& color) override;
};

// Repaints the active views of the active document that show members, when what they show of
// cross-sections or materials may have changed.
class MembersRepaintListener;

// The fixed answers of a members plugin.
struct MembersPluginTexts
{
    const char* name;
    const char* description;
    const char* aboutCaption;
    const char* modeName;
};

// What the two members plugins share: their answers from texts, and listeners that repaint.
class PluginVODOMembersKind : public PluginVODrawObject
{
public:
    explicit PluginVODOMembersKind(const MembersPluginTexts& texts);
    ~PluginVODOMembersKind() override;
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getDisplayName() override;
    const char* getModeName() override;
    int32_t getBitmapID() override;

    // Asks the active views of the active document to repaint: at detail High or more, or at any
    // detail with `anyDetail`.
    void repaintViews(bool anyDetail);

protected:
    // Subscribes a listener of the channel, once.
    void listen(const char* channel, std::function<void(void*)> heard);
    bool listening() const { return !listeners.empty(); }

private:
    const MembersPluginTexts& texts;
    std::vector<std::unique_ptr<MembersRepaintListener>> listeners;
};

class PluginVODOMembers : public PluginVODOMembersKind
{
public:
    PluginVODOMembers();
    void registerListeners() override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
};

class PluginVODOMembersbyMat : public PluginVODOMembersKind
{
public:
    PluginVODOMembersbyMat();
    void registerListeners() override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
};

} // namespace zintel
