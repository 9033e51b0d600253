#include "Lumbra/Creators/MemberModels.h"

#include "Lumbra/Console/SelectionLinks.h"
#include "Lumbra/DocumentLists.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "plugins/InputEvent.h"
#include "plugins/VornPluginViewBase.h"
#include "uikit/TextEntry.h"

namespace lumbra
{

namespace
{

// The name a joint made at a snapped point is shown with until the user types another.
constexpr const char* pointName = "---";

} // namespace

// ---- Joints pagette ----

void MemberEndFields::showJoint(const VornJoint& joint)
{
    name = joint.name.getString();
    const Vector3& at = joint.getPosition();
    coordinates.show(0, at.x);
    coordinates.show(1, at.y);
    coordinates.show(2, at.z);
}

void MemberEndFields::showPoint(const double* point)
{
    for (size_t index = 0; index < 3; ++index)
        coordinates.show(index, point != nullptr ? point[index] : 0.0);
}

void MemberJointsModel::tellChanged() const
{
    if (changed)
        changed();
}

void MemberJointsModel::onSnapPoint(const SnapPoint& snap, uint32_t flags, VornJoint* startJoint)
{
    const bool jointSnap = snap.source != nullptr && hasSnapKind(snap.source, "Joint") && snap.joint != nullptr;
    const bool pointSnap = snap.source != nullptr && hasSnapKind(snap.source, "Point");
    if ((flags & InputEvent::LeftHeld) != 0)
    {
        for (MemberEndFields* fields : {&start, &end})
        {
            fields->nameEnabled = true;
            fields->nameReadOnly = false;
            fields->coordinates.enabled = true;
            fields->coordinates.readOnly = false;
        }
        endColourEnabled = true;
    }
    else if (startJoint == nullptr)
    {
        start.nameEnabled = true;
        start.coordinates.enabled = true;
        end.nameEnabled = false;
        end.coordinates.enabled = false;
        endColourEnabled = false;
        end.name.clear();
        end.showPoint(nullptr);
        start.coordinates.readOnly = true;
        start.nameReadOnly = jointSnap;
        if (jointSnap)
            start.showJoint(*snap.joint);
        else if (pointSnap)
        {
            start.name = pointName;
            start.showPoint(snap.point);
        }
        else
            start.showPoint(nullptr);
    }
    else
    {
        if (shownStartJoint.get() != static_cast<knotOwner*>(startJoint))
        {
            start.showJoint(*startJoint);
            shownStartJoint.set(startJoint);
        }
        start.nameEnabled = false;
        start.coordinates.enabled = false;
        end.nameEnabled = true;
        end.coordinates.enabled = true;
        end.coordinates.readOnly = true;
        if (pointSnap)
        {
            end.name = pointName;
            end.nameReadOnly = false;
            end.showPoint(snap.point);
        }
        else if (jointSnap)
        {
            end.nameReadOnly = true;
            end.showJoint(*snap.joint);
        }
        else
            end.showPoint(nullptr);
    }
    tellChanged();
}

bool MemberJointsModel::readTyped(MAI* mai)
{
    return start.coordinates.readTyped(mai) && end.coordinates.readTyped(mai);
}

VornJoint* MemberJointsModel::makeJoint(VornDocument& document, MemberEndFields& fields)
{
    auto* joints = dynamic_cast<BlockList<VornJoint>*>(document.getBlockList("VornJoint"));
    if (joints == nullptr)
        return nullptr;
    VornJoint* joint = joints->add();
    if (VornGroup* world = document.getWorldGroup())
        world->addChild(joint);
    fields.name = trimmedText(fields.name);
    if (!fields.name.empty())
        joint->name.set(&document.getStringStorage(), fields.name.c_str());
    joint->colorAndFlags = fields.colour & 0xFFFFFFu;
    const Vector3 at(fields.coordinates.value(0), fields.coordinates.value(1), fields.coordinates.value(2));
    joint->getCreationCoordinate() = at;
    joint->getPosition() = at;
    tellChanged();
    return joint;
}

// ---- several members ----

void forEachSelectedMember(VornSelection& selection, const std::function<void(VornMember&)>& visit)
{
    for (knot* link = selection.objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        if (object->getTypeID() == VornMember::staticTypeID())
            visit(*static_cast<VornMember*>(object));
    }
}

void MemberValueSummary::add(double value)
{
    if (count == 0)
        first = value;
    allEqual = allEqual && value == first;
    sum += value;
    ++count;
}

double MemberValueSummary::shown() const
{
    if (count == 0)
        return 0.0;
    return allEqual ? first : sum / count;
}

// ---- cross-section and material ----

template <class Element>
void MemberPropertyModel<Element>::tellChanged() const
{
    if (changed)
        changed();
}

template <class Element>
void MemberPropertyModel<Element>::fill(VornSelection& selection)
{
    entries.clear();
    chosen = -1;
    if (Element* common = sharedLinkOf<Element>(&selection).common)
    {
        entries.push_back({common->name.getString(), common});
        chosen = 0;
    }
    tellChanged();
}

template <class Element>
void MemberPropertyModel<Element>::listAll(MAI_Doc* document, const char* listName)
{
    entries.clear();
    chosen = -1;
    if (BlockList<Element>* elements = listOf<Element>(document, listName))
        for (uint32_t index = elements->getCount(); index-- > 0;)
        {
            Element* element = &(*elements)[index];
            entries.push_back({element->name.getString(), element});
        }
    tellChanged();
}

template <class Element>
void MemberPropertyModel<Element>::showOnly(Element* element)
{
    entries.clear();
    chosen = -1;
    if (element != nullptr)
    {
        entries.push_back({element->name.getString(), element});
        chosen = 0;
    }
    tellChanged();
}

template class MemberPropertyModel<VornCrossSection>;
template class MemberPropertyModel<VornMaterial>;

// ---- angle ----

void MemberAngleModel::tellChanged() const
{
    if (changed)
        changed();
}

void MemberAngleModel::fill(VornSelection& selection)
{
    MemberValueSummary angles;
    forEachSelectedMember(selection, [&angles](VornMember& member) { angles.add(member.getAngle()); });
    angle = angles.shown();
    absoluteAngle = angles.allEqual;
    absoluteShown = !angles.allEqual;
    readOnly = !angles.allEqual;
    lastAngle = angle;
    tellChanged();
}

void MemberAngleModel::applySpin(VornSelection& selection, double value)
{
    angle = value;
    forEachSelectedMember(selection, [this](VornMember& member) {
        member.setAngle(absoluteAngle ? angle : member.getAngle() + angle - lastAngle);
    });
    lastAngle = angle;
    tellChanged();
}

void MemberAngleModel::makeAbsolute(VornSelection& selection)
{
    forEachSelectedMember(selection, [this](VornMember& member) { member.setAngle(angle); });
    absoluteAngle = true;
    absoluteShown = false;
    readOnly = false;
    tellChanged();
}

void MemberAngleModel::applyTyped(VornSelection& selection, double value)
{
    if (!absoluteAngle)
        return;
    angle = value;
    forEachSelectedMember(selection, [value](VornMember& member) { member.setAngle(value); });
}

// ---- length ----

void MemberLengthModel::tellChanged() const
{
    if (changed)
        changed();
}

void MemberLengthModel::fill(VornSelection& selection)
{
    summarise(selection);
    tellChanged();
}

void MemberLengthModel::summarise(VornSelection& selection)
{
    MemberValueSummary lengths;
    uint8_t anyFlags = 0;
    uint8_t allFlags = 0xFF;
    forEachSelectedMember(selection, [&](VornMember& member) {
        lengths.add(member.getLength());
        anyFlags |= member.getFlags();
        allFlags &= member.getFlags();
    });
    automatic = (anyFlags & VornFlag::LengthFixed) == 0                               ? FromJoints
                : lengths.count > 0 && (allFlags & VornFlag::LengthFixed) != 0 ? Fixed
                                                                                    : Mixed;
    length = lengths.shown();
    editShown = !lengths.allEqual;
    lengthEnabled = lengths.allEqual;
    lengthReadOnly = !lengths.allEqual || automatic != Fixed;
    spinEnabled = lengths.allEqual && automatic == Fixed;
}

void MemberLengthModel::clickAutomatic(VornSelection& selection)
{
    if (automatic == FromJoints)
    {
        forEachSelectedMember(selection, [](VornMember& member) { member.setFlagBits(VornFlag::LengthFixed); });
        automatic = Fixed;
        lengthEnabled = true;
        lengthReadOnly = false;
        spinEnabled = true;
        editEnabled = true;
        tellChanged();
        return;
    }
    forEachSelectedMember(selection, [](VornMember& member) {
        member.clearFlagBits(VornFlag::LengthFixed);
        member.updateLength();
    });
    editEnabled = false;
    summarise(selection);
    // Lengths that follow their joints show "Edit:" while they agree and hide it where they differ.
    editShown = lengthEnabled;
    tellChanged();
}

void MemberLengthModel::applyLength(VornSelection& selection, double value)
{
    length = value;
    forEachSelectedMember(selection, [value](VornMember& member) { member.setLength(value); });
    tellChanged();
}

} // namespace lumbra
