#include "Zintel/DrawObjects/Members.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/DrawObjects/MemberSolid.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "__globalobjectdevice/Notifier.h"
#include "plugins/MAI.h"
#include "platform/Resources.h"

#include <GL/gl.h>

#include <functional>
#include <string>

namespace zintel
{

class MembersRepaintListener : public NotifierListener
{
public:
    explicit MembersRepaintListener(std::function<void(void*)> heard) : heard(std::move(heard)) {}
    void notify(void* payload) override
    {
        platform::ResourceModuleScope scope(thisModule());
        heard(payload);
    }

private:
    std::function<void(void*)> heard;
};

namespace
{

bool isKind(void* payload, int32_t typeID)
{
    return payload != nullptr && static_cast<VornBaseObject*>(payload)->isKindOf(typeID);
}

// The active views of the active document among the plugin's draw objects repaint; below detail
// High only when `anyDetail`.
void repaintActiveViews(MAI* mai, DrawObject* objects, bool anyDetail)
{
    if (mai == nullptr || mai->activeDocument == nullptr)
        return;
    for (DrawObject* object = objects; object != nullptr; object = object->nextOfPlugin)
    {
        auto* view = static_cast<OpenGLDrawObject*>(object)->view();
        if (view == nullptr || !view->isActive() || view->ownerView->document != mai->activeDocument)
            continue;
        if (anyDetail || view->detailLevel >= Detail::High)
            view->ownerView->invalidate(false);
    }
}

// False when the member's body (its line with a null outline) cannot show in the region being
// drawn.
bool mayShow(const OpenGLView::ShownRegion& region, const VornMember& member, const ShapeList& outline)
{
    const VornJoint* start = member.getStartJoint();
    const VornJoint* end = member.getEndJoint();
    if (start == nullptr || end == nullptr)
        return true;
    const double a[3] = {start->getPosition().x, start->getPosition().y, start->getPosition().z};
    const double b[3] = {end->getPosition().x, end->getPosition().y, end->getPosition().z};
    return region.mayShow(a, b, outlineRadius(outline));
}

} // namespace

// --- the draw objects ---

OpenGLDrawObjectMembers::OpenGLDrawObjectMembers(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObject(plugin, view)
{
}

BlockList<VornMember>* OpenGLDrawObjectMembers::members() const
{
    return documentList<VornMember>(*this, "VornMember");
}

uint32_t OpenGLDrawObjectMembers::memberColor(const VornMember& member, const VornBaseObject& representative)
{
    return representative.isFrozen() ? view()->frozenColor.word() : representative.getColor();
}

void OpenGLDrawObjectMembers::drawSolids(BlockList<VornMember>& list, bool xray)
{
    OpenGLView& info = *view();
    const uint32_t overlayAlpha = 0x7F000000u;
    const uint32_t memberAlpha = halvedAlpha(info.xrayAlpha);
    marks.clear();
    solids.clear();
    const OpenGLView::ShownRegion region = info.shownRegion();
    for (uint32_t index = list.getCount(); index-- > 0;)
    {
        const VornMember& member = list[index];
        const VornBaseObject& representative = representativeOf(member);
        if (representative.isHidden())
            continue;
        const ShapeList outline = memberOutline(member, info.docItem, info.detailLevel, false);
        if (outline.isNull() || !mayShow(region, member, outline))
            continue;
        const bool preSelected = representative.isPreSelected();
        if (preSelected || (!xray && member.isUnderModifier()))
        {
            if (xray)
                marks.color(halvedColor(info.selectedColor.word()) | overlayAlpha, true);
            else
                marks.color(halvedColor(preSelected ? info.selectedColor.word() : info.modifierColor.word()));
            drawMemberSolid(marks, member, outline, false);
        }
        const uint32_t color = halvedColor(memberColor(member, representative));
        solids.color(xray ? color | memberAlpha : color, xray);
        drawMemberSolid(solids, member, outline, true);
    }
    if (xray)
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    // The marks of all members go first, so that each lit solid fills only what its checkerboard
    // left free.
    if (!marks.empty())
    {
        if (info.fogOn)
            glDisable(GL_FOG);
        glPolygonStipple(checkerboardStipple());
        glEnable(GL_POLYGON_STIPPLE);
        glDisable(GL_LIGHTING);
        marks.draw(false, true);
        glDisable(GL_POLYGON_STIPPLE);
        if (info.fogOn)
            glEnable(GL_FOG);
    }
    glEnable(GL_LIGHTING);
    solids.draw(true, true);
    if (xray)
        glDisable(GL_BLEND);
}

OpenGLDrawObjectMembers::LineStyle OpenGLDrawObjectMembers::lineStyle(const VornMember& member,
                                                                      const VornBaseObject& representative,
                                                                      uint32_t& color)
{
    color = memberColor(member, representative);
    return representative.isPreSelected() ? LineStyle::Stippled : LineStyle::Plain;
}

void OpenGLDrawObjectMembers::gatherLines(BlockList<VornMember>& list, bool forShadow)
{
    for (VertexBatch& batch : lines)
        batch.clear();
    const OpenGLView::ShownRegion region = view()->shownRegion();
    for (uint32_t index = list.getCount(); index-- > 0;)
    {
        const VornMember& member = list[index];
        const VornBaseObject& representative = representativeOf(member);
        // A shadow may fall in the window from a member outside it.
        if (representative.isHidden() || (!forShadow && !mayShow(region, member, ShapeList())))
            continue;
        uint32_t color = 0;
        const LineStyle style = forShadow ? OpenGLDrawObjectMembers::lineStyle(member, representative, color)
                                          : lineStyle(member, representative, color);
        VertexBatch& batch = lines[static_cast<size_t>(style)];
        batch.color(halvedColor(color));
        drawMemberLine(batch, member);
    }
}

void OpenGLDrawObjectMembers::drawLines(BlockList<VornMember>& list, bool forShadow)
{
    gatherLines(list, forShadow);
    const bool fogOn = view()->fogOn;
    glDisable(GL_LIGHTING);
    for (size_t style = 0; style < lines.size(); ++style)
    {
        const VertexBatch& batch = lines[style];
        if (batch.empty())
            continue;
        const bool unfogged = (style & LineStyle::UnfoggedBit) != 0 && fogOn;
        if ((style & LineStyle::StippledBit) != 0)
        {
            glEnable(GL_LINE_STIPPLE);
            if ((style & LineStyle::SparseBit) != 0)
                glLineStipple(2, 0x9C9C);
            else
                glLineStipple(4, 0xAAAA);
        }
        else
            glDisable(GL_LINE_STIPPLE);
        if (unfogged)
            glDisable(GL_FOG);
        batch.draw(false, !forShadow);
        if (unfogged)
            glEnable(GL_FOG);
    }
    glLineStipple(4, 0xAAAA);
    glEnable(GL_LIGHTING);
    glDisable(GL_LINE_STIPPLE);
}

void OpenGLDrawObjectMembers::drawPass(bool xray)
{
    BlockList<VornMember>* list = members();
    // The X-ray pass draws the members while the model is X-rayed, the normal pass otherwise.
    if (list == nullptr || ((view()->xrayMode & XRay::Model) != 0) != xray)
        return;
    if (view()->detailLevel >= Detail::Medium)
        drawSolids(*list, xray);
    else
        drawLines(*list, false);
}

void OpenGLDrawObjectMembers::draw(int32_t mode, uint32_t tickCount)
{
    drawPass(false);
}

void OpenGLDrawObjectMembers::drawBlended()
{
    drawPass(true);
}

void OpenGLDrawObjectMembers::drawShadow()
{
    BlockList<VornMember>* list = members();
    OpenGLView& info = *view();
    if (list == nullptr || (info.xrayMode & XRay::Model) != 0)
        return;
    if (info.detailLevel < Detail::Medium)
    {
        drawLines(*list, true);
        return;
    }
    solids.clear();
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornMember& member = (*list)[index];
        if (isHiddenItem(member))
            continue;
        drawMemberSolid(solids, member, memberOutline(member, info.docItem, info.detailLevel, true), true);
    }
    glPolygonStipple(checkerboardStipple());
    glEnable(GL_LIGHTING);
    solids.draw(true, false);
}

void OpenGLDrawObjectMembers::drawShadowSoft()
{
}

int32_t OpenGLDrawObjectMembers::select(int32_t mode)
{
    BlockList<VornMember>* list = members();
    if (list == nullptr || list->getCount() == 0)
        return 0;
    const uint32_t count = list->getCount();
    const uint32_t first = firstPickName;
    const bool windowRule = usesWindowRule(*this);
    OpenGLView& info = *view();
    if (mode != PickMode::BandDraw && mode != PickMode::PointDraw)
    {
        applySelectionMode(*this, *list, mode, windowRule);
        return 0;
    }
    {
        const bool byEnds = windowRule && mode == PickMode::BandDraw;
        pickNameEnd = first + (byEnds ? 2 * count : count);
        const OpenGLView::ShownRegion region = info.shownRegion();
        glPushName(0);
        for (uint32_t index = count; index-- > 0;)
        {
            VornMember& member = (*list)[index];
            if (mode == PickMode::BandDraw)
                member.clearPreSelected();
            if (isHiddenItem(member))
                continue;
            if (byEnds)
            {
                for (const VornJoint* end : {member.getStartJoint(), member.getEndJoint()})
                {
                    if (end == nullptr)
                        continue;
                    glLoadName(end == member.getStartJoint() ? first + index : first + index + count);
                    glBegin(GL_POINTS);
                    glVertex3d(end->getPosition().x, end->getPosition().y, end->getPosition().z);
                    glEnd();
                }
                continue;
            }
            const ShapeList outline = memberOutline(member, info.docItem, info.detailLevel, false);
            if (!mayShow(region, member, outline))
                continue;
            // Each member is drawn under its own name: the pick region is small, and the few
            // members that may show in it are drawn one by one.
            glLoadName(first + index);
            solids.clear();
            if (outline.isNull())
                drawMemberLine(solids, member);
            else
                drawMemberSolid(solids, member, outline, false);
            solids.draw(false, false);
        }
        glPopName();
    }
    return 0;
}

int32_t OpenGLDrawObjectMembers::getPickCount()
{
    BlockList<VornMember>* list = members();
    return list != nullptr ? static_cast<int32_t>(2 * list->getCount()) : 0;
}

VornBaseObject* OpenGLDrawObjectMembers::getPickedObject(uint32_t name)
{
    return pickedItem(*this, members(), name);
}

bool OpenGLDrawObjectMembers::hasSelectedItems()
{
    return hasSelectedRepresentative(members());
}

void OpenGLDrawObjectMembers::addToBounds(BoundingBox* box, bool selectedOnly)
{
    BlockList<VornMember>* list = members();
    if (list == nullptr || box == nullptr)
        return;
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        const VornMember& member = (*list)[index];
        if (member.isHidden() || (selectedOnly && !member.isSelected()))
            continue;
        for (const VornJoint* end : {member.getStartJoint(), member.getEndJoint()})
            if (end != nullptr)
                box->addPoint(end->getPosition().x, end->getPosition().y, end->getPosition().z);
    }
}

OpenGLDrawObjectMembersbyMat::OpenGLDrawObjectMembersbyMat(PluginDrawObject* plugin, OpenGLView* view)
    : OpenGLDrawObjectMembers(plugin, view)
{
}

uint32_t OpenGLDrawObjectMembersbyMat::memberColor(const VornMember& member, const VornBaseObject& representative)
{
    if (representative.isFrozen())
        return view()->frozenColor.word();
    if (const VornMaterial* material = member.getMaterial())
        return material->getColor();
    return view()->defaultColor.word();
}

OpenGLDrawObjectMembers::LineStyle OpenGLDrawObjectMembersbyMat::lineStyle(const VornMember& member,
                                                                           const VornBaseObject& representative,
                                                                           uint32_t& color)
{
    const OpenGLView& info = *view();
    const bool preSelected = representative.isPreSelected();
    const VornMaterial* material = member.getMaterial();
    if (representative.isFrozen())
        color = info.frozenColor.word();
    else if (material != nullptr)
        color = material->getColor();
    else
        color = preSelected ? info.selectedColor.word() : info.defaultColor.word();
    if (material != nullptr)
        return preSelected ? LineStyle::Stippled : LineStyle::Plain;
    // A member without a material shows a sparser stipple; selected, it is drawn without fog.
    return preSelected && !representative.isFrozen() ? LineStyle::SparseUnfogged : LineStyle::Sparse;
}

// --- the plugins ---

namespace
{

const MembersPluginTexts byObjectTexts = {"Members", "Members [OpenGL]:\noptionally draws Members.",
                                          "PluginVODOMembers", "by Object"};
const MembersPluginTexts byMaterialTexts = {"Members by Material",
                                            "Members [OpenGL]:\noptionally draws Members using the Material color.",
                                            "PluginVODOMembersbyMat", "by Material"};

} // namespace

PluginVODOMembersKind::PluginVODOMembersKind(const MembersPluginTexts& texts) : texts(texts)
{
}

PluginVODOMembersKind::~PluginVODOMembersKind() = default;

const char* PluginVODOMembersKind::getName()
{
    return texts.name;
}

const char* PluginVODOMembersKind::getDescription()
{
    return texts.description;
}

void PluginVODOMembersKind::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, "Members [OpenGL]\n1999");
}

const char* PluginVODOMembersKind::getDisplayName()
{
    return "Members";
}

const char* PluginVODOMembersKind::getModeName()
{
    return texts.modeName;
}

int32_t PluginVODOMembersKind::getBitmapID()
{
    return BitmapId::MemberLayer;
}

void PluginVODOMembersKind::repaintViews(bool anyDetail)
{
    repaintActiveViews(mai, drawObjects, anyDetail);
}

void PluginVODOMembersKind::listen(const char* channel, std::function<void(void*)> heard)
{
    if (mai == nullptr)
        return;
    listeners.push_back(std::make_unique<MembersRepaintListener>(std::move(heard)));
    mai->notifierRegistry.addListener(channel, listeners.back().get());
}

PluginVODOMembers::PluginVODOMembers() : PluginVODOMembersKind(byObjectTexts)
{
}

void PluginVODOMembers::registerListeners()
{
    if (listening())
        return;
    // The record of a changed cross-section does not say yet which value changed: every change
    // of a cross-section repaints.
    listen(Channel::CrossSectionsChanged, [this](void*) { repaintViews(false); });
    listen(Channel::AppliedToSelection, [this](void* payload) {
        if (isKind(payload, VornCrossSection::staticTypeID()))
            repaintViews(false);
    });
}

DrawObject* PluginVODOMembers::getDrawObject(ViewTypeInfo* owner)
{
    DrawObject* object = makeDrawObject<OpenGLDrawObjectMembers>(this, owner, "PluginVODOMembers::getDrawObject");
    object->enabled = 0; // a view shows members by material until the user switches
    return object;
}

PluginVODOMembersbyMat::PluginVODOMembersbyMat() : PluginVODOMembersKind(byMaterialTexts)
{
}

void PluginVODOMembersbyMat::registerListeners()
{
    if (listening())
        return;
    // The records of changed cross-sections and materials do not say yet which value changed:
    // every change repaints.
    listen(Channel::CrossSectionsChanged, [this](void*) { repaintViews(false); });
    listen(Channel::MaterialsChanged, [this](void*) { repaintViews(true); });
    listen(Channel::AppliedToSelection, [this](void* payload) {
        if (isKind(payload, VornCrossSection::staticTypeID()))
            repaintViews(false);
        else if (isKind(payload, VornMaterial::staticTypeID()))
            repaintViews(true);
    });
}

DrawObject* PluginVODOMembersbyMat::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectMembersbyMat>(this, owner, "PluginVODOMembersbyMat::getDrawObject");
}

} // namespace zintel
