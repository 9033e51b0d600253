#include "Lumbra/Perspective/PerspectiveDrawObjects.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveTools.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "VornData/VornProperty.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/DeviceContext.h"
#include "plugins/MAI.h"

#include <new>
#include <string>

namespace lumbra
{

const VornSelectable* representativeOf(const VornSelectable* object)
{
    while (object->isInClosedGroup())
    {
        const VornGroup* parent = object->getParentGroup();
        if (parent == nullptr)
            break;
        object = parent;
    }
    return object;
}

void drawModelLine(platform::DeviceContext& context, const PerspectiveView& camera, const Vector3& from,
                   const Vector3& to)
{
    ScreenOffset fromOffset, toOffset;
    if (!camera.projectLine(from, to, fromOffset, toOffset))
        return;
    context.moveTo(camera.pixelOf(fromOffset));
    context.lineTo(camera.pixelOf(toOffset));
}

void drawMemberLines(platform::DeviceContext& context, const PerspectiveView& camera, BlockList<VornMember>& members,
                     const ScreenOffsetList& offsets, const std::function<Vector3(uint32_t)>& positionOf,
                     const std::function<platform::Pen(const VornMember&)>& penFor)
{
    const platform::Pen previous = context.currentPen();
    const int32_t previousMode = context.setBkMode(platform::TRANSPARENT); // dotted lines keep their gaps
    for (uint32_t index = members.getCount(); index-- > 0;)
    {
        const VornMember& member = members[index];
        VornJoint* start = member.getStartJoint();
        VornJoint* end = member.getEndJoint();
        if (start == nullptr || end == nullptr)
            continue;
        const uint32_t startIndex = BlockList<VornJoint>::getIndex(start);
        const uint32_t endIndex = BlockList<VornJoint>::getIndex(end);
        const ScreenOffset& startOffset = offsets[startIndex];
        const ScreenOffset& endOffset = offsets[endIndex];
        context.selectObject(penFor(member));
        if (PerspectiveView::isDrawn(startOffset) && PerspectiveView::isDrawn(endOffset))
        {
            context.moveTo(camera.pixelOf(startOffset));
            context.lineTo(camera.pixelOf(endOffset));
        }
        else
            drawModelLine(context, camera, positionOf(startIndex), positionOf(endIndex));
    }
    context.setBkMode(previousMode);
    context.selectObject(previous);
}

void showPerspectiveAbout(PluginWindowHandle* parent, const char* text, int32_t year, const char* caption)
{
    showAboutBox(parent, caption, std::string(text) + "\n" + std::to_string(year));
}

namespace
{

// The payload of a property-change channel: the changed object and the address of the value that
// changed inside it (null for the whole object).
struct ChangedObjectRecord
{
    VornBaseObject* object;
    const void* value;
};

platform::Pen solidPen(uint32_t colour)
{
    return {platform::PS_SOLID, 0, colour};
}

// The closed groups around an object, from the innermost out: the groups whose state a band
// changes along with the object.
template <class Action>
void forEachClosedGroupAround(VornSelectable& object, Action action)
{
    VornSelectable* current = &object;
    while (current->isInClosedGroup())
    {
        VornGroup* parent = current->getParentGroup();
        if (parent == nullptr)
            break;
        action(*parent);
        current = parent;
    }
}

// Selected as a bit, for groups as well (a group's isSelected means closed).
bool selectedBit(const VornBaseObject& object)
{
    return object.hasFlagBits(VornFlag::Selected);
}

// The band of the view relative to the centre of the window, normalised.
struct BandBox
{
    explicit BandBox(const PerspectiveView& view)
    {
        x1 = view.bandAnchor.x - view.centreX();
        x2 = view.bandCorner.x - view.centreX();
        y1 = view.bandAnchor.y - view.centreY();
        y2 = view.bandCorner.y - view.centreY();
        if (x1 > x2)
            std::swap(x1, x2);
        if (y1 > y2)
            std::swap(y1, y2);
    }
    bool contains(const ScreenOffset& point) const
    {
        return x1 < point.x && point.x < x2 && y1 < point.y && point.y < y2;
    }
    // Whether the segment between two points outside the band crosses it.
    bool crossedBy(const ScreenOffset& first, const ScreenOffset& second) const
    {
        if ((first.x <= x1 && second.x <= x1) || (first.x >= x2 && second.x >= x2) ||
            (first.y <= y1 && second.y <= y1) || (first.y >= y2 && second.y >= y2))
            return false;
        const ScreenOffset& a = first.y <= second.y ? first : second;
        const ScreenOffset& b = first.y <= second.y ? second : first;
        if ((b.y - y1) * (a.x - x1) < (a.y - y1) * (b.x - x1) && (b.y - y2) * (a.x - x1) < (a.y - y2) * (b.x - x1))
            return false;
        if ((a.y - y1) * (b.x - x2) < (b.y - y1) * (a.x - x2) && (a.y - y2) * (b.x - x2) < (b.y - y2) * (a.x - x2))
            return false;
        return true;
    }

    double x1, x2, y1, y2;
};

// What a band in mode 2 to 5 does to one object that is (or is not) inside it. `restoreOutside`: an
// object outside a toggling band gets its selection state back (joints), or keeps its state (members).
void applyBand(VornSelectable& object, bool inside, int32_t mode, bool restoreOutside)
{
    switch (mode)
    {
    case BandMode::Replace:
        object.setPreSelected(inside);
        if (inside)
            forEachClosedGroupAround(object, [](VornGroup& group) { group.markPreSelected(); });
        break;
    case BandMode::Add:
        if (inside)
        {
            object.markPreSelected();
            forEachClosedGroupAround(object, [](VornGroup& group) { group.markPreSelected(); });
        }
        break;
    case BandMode::Subtract:
        if (inside)
        {
            object.clearPreSelected();
            forEachClosedGroupAround(object, [](VornGroup& group) { group.clearPreSelected(); });
        }
        break;
    case BandMode::Toggle:
        if (inside)
        {
            object.setPreSelected(!selectedBit(object));
            forEachClosedGroupAround(object, [](VornGroup& group) { group.setPreSelected(!selectedBit(group)); });
        }
        else if (restoreOutside)
            object.setPreSelected(selectedBit(object));
        break;
    default:
        break;
    }
}

// Modes 0 and 1 for every element of a list: selected := pre-selected; on commit the pre-selected
// join the document's current selection.
template <class T>
void settleBand(BlockList<T>* list, int32_t mode, VornDocument* document)
{
    for (uint32_t index = list->getCount(); index-- > 0;)
    {
        T& object = (*list)[index];
        const bool preSelected = object.isPreSelected();
        object.setSelected(preSelected);
        if (mode == BandMode::Commit && preSelected && document != nullptr)
            document->getSelection()->add(&object);
    }
}

VornDocument* documentOfView(const PerspectiveView& view);

// A band over the elements of a list: modes 0 and 1 settle it; the others test each element, from
// the last, with `inside`.
template <class T, class Inside>
void selectListInBand(PerspectiveView& camera, BlockList<T>* list, int32_t mode, bool restoreOutside, Inside inside)
{
    if (list == nullptr)
        return;
    if (mode == BandMode::Start || mode == BandMode::Commit)
    {
        settleBand(list, mode, documentOfView(camera));
        return;
    }
    const ScreenOffsetList* offsets = camera.screenCoor;
    if (offsets == nullptr)
        return;
    const BandBox band(camera);
    for (uint32_t index = list->getCount(); index-- > 0;)
        applyBand((*list)[index], inside(band, *offsets, (*list)[index], index), mode, restoreOutside);
}

template <class T>
bool anyRepresentativeSelected(BlockList<T>* list)
{
    for (uint32_t index = list != nullptr ? list->getCount() : 0; index-- > 0;)
        if (selectedBit(*representativeOf(&(*list)[index])))
            return true;
    return false;
}

VornDocument* documentOfView(const PerspectiveView& view)
{
    return view.ownerView != nullptr && view.ownerView->document != nullptr ? &view.ownerView->document->document
                                                                              : nullptr;
}

// Fills the projected joints unless this paint did already.
ScreenOffsetList* currentOffsets(PerspectiveView& view, int32_t paintTime)
{
    ScreenOffsetList* offsets = view.screenOffsets();
    if (offsets == nullptr || offsets->stamp == paintTime)
        return offsets;
    BlockList<VornJoint>& joints = *view.jointList();
    for (uint32_t index = joints.getCount(); index-- > 0;)
        view.project((*offsets)[index], joints[index].getPosition());
    offsets->stamp = paintTime;
    return offsets;
}

class DrawObjectGrid : public PerspectiveDrawObject
{
public:
    using PerspectiveDrawObject::PerspectiveDrawObject;

    void draw(platform::DeviceContext& context, int32_t) override
    {
        PerspectiveView& camera = view();
        const double u = std::abs(camera.cosTilt * camera.cosDirection);
        const double v = std::abs(camera.sinDirection);
        const double w = std::abs(camera.sinTilt * camera.cosDirection);
        if (u > v)
            camera.gridPlane = u > w ? 2 : 0;
        else
            camera.gridPlane = u > w ? 1 : 0;

        struct Family
        {
            Vector3 from, to, step;
        };
        static const Family families[3][2] = {
            {{{-100, 100, 0}, {-100, -100, 0}, {10, 0, 0}}, {{-100, -100, 0}, {100, -100, 0}, {0, 10, 0}}},
            {{{-100, 0, 100}, {-100, 0, -100}, {10, 0, 0}}, {{-100, 0, -100}, {100, 0, -100}, {0, 0, 10}}},
            {{{0, -100, 100}, {0, -100, -100}, {0, 10, 0}}, {{0, -100, -100}, {0, 100, -100}, {0, 0, 10}}},
        };
        Family lines[2] = {families[camera.gridPlane][0], families[camera.gridPlane][1]};
        const platform::Pen grey = solidPen(0xA0A0A0);
        const platform::Pen black = solidPen(0x000000);
        const platform::Pen previous = context.selectObject(grey);
        for (int32_t i = 0; i <= 20; ++i)
        {
            if (i == 10)
                context.selectObject(black);
            else if (i == 11)
                context.selectObject(grey);
            for (Family& family : lines)
            {
                drawModelLine(context, camera, family.from, family.to);
                family.from += family.step;
                family.to += family.step;
            }
        }
        context.selectObject(previous);
    }
};

class DrawObjectJoints : public PerspectiveDrawObject
{
public:
    using PerspectiveDrawObject::PerspectiveDrawObject;

    void draw(platform::DeviceContext& context, int32_t paintTime) override
    {
        PerspectiveView& camera = view();
        ScreenOffsetList* offsets = camera.screenOffsets();
        if (offsets == nullptr)
            return;
        BlockList<VornJoint>& joints = *camera.jointList();
        const platform::Pen defaultPen = solidPen(camera.defaultColor);
        const platform::Pen selectedPen = solidPen(camera.selectedColor);
        const platform::Pen hiddenPen = solidPen(camera.hiddenColor);
        const platform::Pen frozenPen = solidPen(camera.frozenColor);
        const platform::Pen previousPen = context.currentPen();
        const platform::Brush previousBrush = context.currentBrush();
        for (uint32_t index = joints.getCount(); index-- > 0;)
        {
            VornJoint& joint = joints[index];
            ScreenOffset& offset = (*offsets)[index];
            camera.project(offset, joint.getPosition());
            const VornSelectable* shown = representativeOf(&joint);
            if (shown->isHidden())
            {
                context.selectObject(platform::Brush::hollow());
                context.selectObject(hiddenPen);
            }
            else if (shown->isFrozen())
            {
                context.selectObject(platform::Brush::hollow());
                context.selectObject(frozenPen);
            }
            else
            {
                context.selectObject(platform::Brush::solid(shown->getColor()));
                context.selectObject(shown->isPreSelected() ? selectedPen : defaultPen);
            }
            if (!PerspectiveView::isDrawn(offset))
                continue;
            const platform::Point pixel = camera.pixelOf(offset);
            context.rectangle({pixel.x - 2, pixel.y - 2, pixel.x + 3, pixel.y + 3});
        }
        context.selectObject(previousPen);
        context.selectObject(previousBrush);
        offsets->stamp = paintTime;
    }

    void selectInBand(int32_t mode) override
    {
        selectListInBand(view(), view().jointList(), mode, true,
                         [](const BandBox& band, const ScreenOffsetList& offsets, VornJoint&, uint32_t index) {
                             return band.contains(offsets[index]);
                         });
    }

    bool hasSelectedItems() override { return anyRepresentativeSelected(view().jointList()); }
};

class DrawObjectJointSupports : public PerspectiveDrawObject
{
public:
    using PerspectiveDrawObject::PerspectiveDrawObject;

    void draw(platform::DeviceContext& context, int32_t paintTime) override
    {
        PerspectiveView& camera = view();
        ScreenOffsetList* offsets = currentOffsets(camera, paintTime);
        if (offsets == nullptr)
            return;
        BlockList<VornJoint>& joints = *camera.jointList();
        const platform::Pen white = solidPen(0xFFFFFF);
        const platform::Pen black = solidPen(0x000000);
        const platform::Pen previous = context.currentPen();
        auto side = [&](bool whiteSide, int32_t x, int32_t y) {
            context.selectObject(whiteSide ? white : black);
            context.lineTo(x, y);
        };
        for (uint32_t index = joints.getCount(); index-- > 0;)
        {
            const uint8_t supports = joints[index].supportFlags & 0x3F;
            if (supports == 0 || !PerspectiveView::isDrawn((*offsets)[index]))
                continue;
            const platform::Point p = camera.pixelOf((*offsets)[index]);
            if ((supports & JointSupport::Rotation) != 0)
            {
                context.moveTo(p.x - 6, p.y + 6);
                side(supports & JointSupport::RotationX, p.x - 6, p.y - 6);
                side(supports & JointSupport::RotationY, p.x + 6, p.y - 6);
                side(supports & JointSupport::RotationZ, p.x + 6, p.y + 6);
                side((supports & JointSupport::Rotation) == JointSupport::Rotation, p.x - 6, p.y + 6);
            }
            if ((supports & 0x07) != 0)
            {
                context.moveTo(p.x - 8, p.y + 8);
                side(supports & JointSupport::TranslationX, p.x, p.y);
                side(supports & JointSupport::TranslationZ, p.x + 8, p.y + 8);
                side(supports & JointSupport::TranslationY, p.x - 8, p.y + 8);
            }
        }
        context.selectObject(previous);
    }
};

class DrawObjectMembers : public PerspectiveDrawObject
{
public:
    DrawObjectMembers(PluginDrawObject* plugin, PerspectiveView* owner, MemberColouring colouring)
        : PerspectiveDrawObject(plugin, owner), colouring(colouring)
    {
        if (colouring != MemberColouring::Own)
            enabled = 0;
    }

    void draw(platform::DeviceContext& context, int32_t paintTime) override
    {
        PerspectiveView& camera = view();
        ScreenOffsetList* offsets = currentOffsets(camera, paintTime);
        BlockList<VornMember>* members = camera.memberList();
        if (offsets == nullptr || members == nullptr)
            return;
        const platform::Pen hiddenPen = solidPen(camera.hiddenColor);
        const platform::Pen frozenPen = solidPen(camera.frozenColor);
        BlockList<VornJoint>& joints = *camera.jointList();
        const auto positionOf = [&joints](uint32_t joint) { return joints[joint].getPosition(); };
        drawMemberLines(context, camera, *members, *offsets, positionOf, [&](const VornMember& member) {
            const VornSelectable* shown = representativeOf(&member);
            if (shown->isHidden())
                return hiddenPen;
            if (shown->isFrozen())
                return frozenPen;
            return colouredPen(member, *shown, camera);
        });
    }

    void selectInBand(int32_t mode) override
    {
        // A band dragged to the left takes what it touches, one dragged to the right what lies inside.
        const bool touching = view().bandCorner.x < view().bandAnchor.x;
        selectListInBand(view(), view().memberList(), mode, false,
                         [touching](const BandBox& band, const ScreenOffsetList& offsets, VornMember& member, uint32_t) {
                             VornJoint* start = member.getStartJoint();
                             VornJoint* end = member.getEndJoint();
                             if (start == nullptr || end == nullptr)
                                 return false;
                             const ScreenOffset& a = offsets[BlockList<VornJoint>::getIndex(start)];
                             const ScreenOffset& b = offsets[BlockList<VornJoint>::getIndex(end)];
                             if (touching)
                                 return band.contains(a) || band.contains(b) || band.crossedBy(a, b);
                             return band.contains(a) && band.contains(b);
                         });
    }

    bool hasSelectedItems() override { return anyRepresentativeSelected(view().memberList()); }

private:
    platform::Pen colouredPen(const VornMember& member, const VornSelectable& shown, const PerspectiveView& camera) const
    {
        const int32_t style = shown.isPreSelected() ? platform::PS_DOT : platform::PS_SOLID;
        const VornBaseObject* colourSource = &shown;
        if (colouring == MemberColouring::Material)
            colourSource = member.getMaterial();
        else if (colouring == MemberColouring::CrossSection)
            colourSource = member.getCrossSection();
        if (colourSource == nullptr)
            return {platform::PS_DASHDOT, 0, shown.isPreSelected() ? camera.selectedColor : camera.defaultColor};
        return {style, 0, colourSource->getColor()};
    }

    MemberColouring colouring;
};

// The origin layer: a place for the axes, which it does not draw.
class DrawObjectOrigin : public PerspectiveDrawObject
{
public:
    using PerspectiveDrawObject::PerspectiveDrawObject;
    void draw(platform::DeviceContext&, int32_t) override {}
};

template <class Layer, class... Arguments>
PerspectiveDrawObject* makeOrThrow(const char* thrower, Arguments... arguments)
{
    auto* layer = new (std::nothrow) Layer(arguments...);
    if (layer == nullptr)
        throw Exc_OutOfMemory(thrower);
    return layer;
}

} // namespace

void PerspectiveLayerPlugin::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, texts.aboutText, texts.aboutYear, texts.aboutCaption);
}

VornPluginBase* PerspectiveLayerPlugin::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginVPMIShowType(this);
    if (item == nullptr)
        throw Exc_OutOfMemory(texts.packageThrower);
    return package(item);
}

DrawObject* PerspectiveLayerPlugin::getDrawObject(ViewTypeInfo* owner)
{
    auto* view = dynamic_cast<PerspectiveView*>(owner);
    return view != nullptr ? makeLayer(view) : nullptr;
}

PluginVPDOGrid::PluginVPDOGrid()
    : PerspectiveLayerPlugin({"Grid", "Grid", "default", 143, 143, "Grid [Perspective]:\noptionally draws grid.",
                              "Grid [Perspective]", 1999, "PluginVPDOGrid", "PluginVPDOGrid::getDrawObject",
                              "PluginVPDOGrid::GetPackagedPlugin"})
{
}

PerspectiveDrawObject* PluginVPDOGrid::makeLayer(PerspectiveView* owner)
{
    return makeOrThrow<DrawObjectGrid>(texts.drawObjectThrower, this, owner);
}

PluginVPDOJoints::PluginVPDOJoints()
    : PerspectiveLayerPlugin({"Joints", "Joints", "default", 141, 141, "Joints [Perspective]:\noptionally draws joints.",
                              "Joints [Perspective]", 1999, "PluginVPDOJoints", "PluginVPDOOrigin::getDrawObject",
                              "PluginVPDOJoints::GetPackagedPlugin"})
{
}

PerspectiveDrawObject* PluginVPDOJoints::makeLayer(PerspectiveView* owner)
{
    return makeOrThrow<DrawObjectJoints>(texts.drawObjectThrower, this, owner);
}

PluginVPDOJointSupports::PluginVPDOJointSupports()
    : PerspectiveLayerPlugin({"JointSupport", "JointSupport", "Simple", 144, 146,
                              "JointSupport [Perspective]:\noptionally draws JointSupportsupports.",
                              "JointSupport [Perspective]", 1999, "PluginVPDOJointSupports",
                              "PluginVPDOJSupport::getDrawObject", "PluginVPDOJointSupports::GetPackagedPlugin"})
{
}

PerspectiveDrawObject* PluginVPDOJointSupports::makeLayer(PerspectiveView* owner)
{
    return makeOrThrow<DrawObjectJointSupports>(texts.drawObjectThrower, this, owner);
}

PluginVPDOMembers::PluginVPDOMembers()
    : PluginVPDOMembers({"Members", "Members", "by Hierarchy", 142, 142,
                         "Members [Perspective]:\noptionally draws Members.", "Members [Perspective]", 1999,
                         "PluginVPDOMembers", "PluginVPDOMembers::getDrawObject",
                         "PluginVPDOMembers::GetPackagedPlugin"},
                        MemberColouring::Own)
{
}

PluginVPDOMembers::PluginVPDOMembers(const LayerTexts& texts, MemberColouring colouring)
    : PerspectiveLayerPlugin(texts), colouring(colouring)
{
}

PerspectiveDrawObject* PluginVPDOMembers::makeLayer(PerspectiveView* owner)
{
    return makeOrThrow<DrawObjectMembers>(texts.drawObjectThrower, this, owner, colouring);
}

void PluginVPDOMembers::repaintActiveLayers()
{
    if (mai == nullptr)
        return;
    for (DrawObject* layer = drawObjects; layer != nullptr; layer = layer->nextOfPlugin)
    {
        ViewTypeInfo* info = layer->owner;
        if (info != nullptr && info->isActive() && info->ownerView->document == mai->activeDocument)
            info->ownerView->invalidate(false);
    }
}

PropertyColouredMembers::PropertyColouredMembers(const LayerTexts& texts, MemberColouring colouring,
                                                 const char* changeChannel, int32_t (*propertyTypeId)())
    : PluginVPDOMembers(texts, colouring), changeChannel(changeChannel), propertyTypeId(propertyTypeId)
{
}

void PropertyColouredMembers::registerListeners()
{
    if (mai == nullptr || changeListener.isSubscribed())
        return;
    mai->notifierRegistry.addListener(changeChannel, &changeListener);
    mai->notifierRegistry.addListener(Channel::AppliedToSelection, &appliedListener);
}

void PropertyColouredMembers::ChangeListener::notify(void* payload)
{
    // A change of the whole list, or of the colour of a property that some member uses.
    const auto* notice = static_cast<const ChangedObjectRecord*>(payload);
    if (notice != nullptr && notice->object != nullptr)
    {
        const auto* property = dynamic_cast<const VornProperty*>(notice->object);
        if (property == nullptr || property->members.isEmpty() || notice->value != &property->colorAndFlags)
            return;
    }
    plugin.repaintActiveLayers();
}

void PropertyColouredMembers::AppliedListener::notify(void* payload)
{
    const auto* applied = static_cast<const VornBaseObject*>(payload);
    if (applied != nullptr && applied->isKindOf(plugin.propertyTypeId()))
        plugin.repaintActiveLayers();
}

PluginVPDOMembersByMat::PluginVPDOMembersByMat()
    : PropertyColouredMembers({"Members by Material", "Members", "by Material", 142, 142,
                               "Members by Material [Perspective]:\noptionally draws Members colored with their "
                               "Material color.",
                               "Members by Material [Perspective]", 1999, "PluginVPDOMembersByMat",
                               "PluginVPDOMembersByMat::getDrawObject", "PluginVPDOMembersByMat::GetPackagedPlugin"},
                              MemberColouring::Material, Channel::MaterialsChanged, &VornMaterial::staticTypeID)
{
}

PluginVPDOMembersByCrs::PluginVPDOMembersByCrs()
    : PropertyColouredMembers({"Members by Cross-section", "Members", "by Cross-section", 142, 142,
                               "Members by Cross-section [Perspective]:\noptionally draws Members colored with their "
                               "Cross-section color.",
                               "Members by Cross-section [Perspective]", 1999, "PluginVPDOMembersByCrs",
                               "PluginVPDOMembersByCrs::getDrawObject", "PluginVPDOMembersByCrs::GetPackagedPlugin"},
                              MemberColouring::CrossSection, Channel::CrossSectionsChanged,
                              &VornCrossSection::staticTypeID)
{
}

PluginVPDOOrigin::PluginVPDOOrigin()
    : PerspectiveLayerPlugin({"Origin", "Origin", "default", 0, 0,
                              "Origin [Perspective]:\noptionally draws XYZ-axis at the origin.", "Origin [Perspective]",
                              1999, "PluginVPDOOrigin", "PluginVPDOOrigin::getDrawObject",
                              "PluginVPDOOrigin::GetPackagedPlugin"})
{
}

PerspectiveDrawObject* PluginVPDOOrigin::makeLayer(PerspectiveView* owner)
{
    return makeOrThrow<DrawObjectOrigin>(texts.drawObjectThrower, this, owner);
}

} // namespace lumbra
