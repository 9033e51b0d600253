#pragma once

#include "Zintel/OpenGLFamilies.h"

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
    // The colour a member is drawn with; `representative` stands for it.
    virtual uint32_t memberColor(const VornMember& member, const VornBaseObject& representative);
    // The members drawn as lines (detail below Medium), in the normal and the X-ray pass.
    virtual void drawLines(BlockList<VornMember>& members);

    BlockList<VornMember>* members() const;

private:
    void drawPass(bool xray);
    void drawSolids(BlockList<VornMember>& members, bool xray);
};

// The same members, each in the colour of its material.
class OpenGLDrawObjectMembersbyMat : public OpenGLDrawObjectMembers
{
public:
    OpenGLDrawObjectMembersbyMat(PluginDrawObject* plugin, OpenGLView* view);

protected:
    uint32_t memberColor(const VornMember& member, const VornBaseObject& representative) override;
    void drawLines(BlockList<VornMember>& members) override;
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
