#include "Lumbra/Creators/CreatorModels.h"

#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/Dialog.h"
#include "platform/SystemValues.h"
#include "uikit/NameNumbering.h"
#include "uikit/TextEntry.h"

namespace lumbra
{

namespace
{

constexpr const char* notANumberText = "Please enter a number.";

} // namespace

// ---- three numbers ----

NumberTripleModel::NumberTripleModel()
{
    for (size_t index = 0; index < values.size(); ++index)
        texts[index] = platform::formatDouble(values[index]);
}

void NumberTripleModel::tellChanged() const
{
    if (changed)
        changed();
}

void NumberTripleModel::show(size_t index, double value)
{
    values[index] = value;
    texts[index] = platform::formatDouble(value);
}

void NumberTripleModel::type(size_t index, std::string text)
{
    texts[index] = std::move(text);
}

bool NumberTripleModel::readTyped(MAI* mai)
{
    std::array<double, 3> read = values;
    for (size_t index = 0; index < texts.size(); ++index)
    {
        const TypedNumber number = parseTypedNumber(texts[index]);
        if (number.status == TypedNumberStatus::Accepted)
        {
            read[index] = number.value;
            continue;
        }
        if (mai != nullptr)
            mai->messageBox(number.status == TypedNumberStatus::TooLarge ? valueTooLargeText : notANumberText,
                            valueConversionCaption, platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    values = read;
    return true;
}

bool NumberTripleModel::hasTypedChanges() const
{
    for (size_t index = 0; index < texts.size(); ++index)
        if (texts[index] != platform::formatDouble(values[index]))
            return true;
    return false;
}

void NumberTripleModel::takeTextQuietly(size_t index)
{
    const TypedNumber number = parseTypedNumber(texts[index]);
    if (number.status == TypedNumberStatus::Accepted)
        values[index] = number.value;
}

// ---- coordinates ----

void JointCoordinatesModel::mouseLeftViews()
{
    enabled = true;
    readOnly = false;
}

void JointCoordinatesModel::onSnapPoint(const SnapPoint& snap, uint32_t flags)
{
    if ((flags & InputEvent::Leave) != 0)
        mouseLeftViews();
    else
    {
        readOnly = true;
        // Only point snaps carry coordinates; a joint snap's record holds a joint.
        if (snap.source != nullptr && hasSnapKind(snap.source, "Point") && snap.point != nullptr)
            for (size_t index = 0; index < 3; ++index)
                show(index, snap.point[index]);
    }
    tellChanged();
}

void JointCoordinatesModel::onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    if ((flags & InputEvent::Leave) != 0)
        mouseLeftViews();
    else
    {
        enabled = false;
        show(0, x);
        show(1, y);
        show(2, z);
    }
    tellChanged();
}

void JointCoordinatesModel::applyTo(VornJoint& joint) const
{
    const Vector3 point(values[0], values[1], values[2]);
    joint.getCreationCoordinate() = point;
    joint.getPosition() = point;
}

// ---- orientation ----

void JointOrientationModel::applyTo(VornJoint& joint) const
{
    joint.setOrientationAngles(values[0], values[1], values[2]);
}

// ---- supports ----

void JointSupportModel::updateAll(Row row)
{
    int32_t set = 0;
    for (int32_t axis : blocked[row])
        set += axis == 1 ? 1 : 0;
    all[row] = set == 0 ? 0 : set == 3 ? 1 : 2;
}

void JointSupportModel::clickAxis(Row row, size_t axis)
{
    blocked[row][axis] = blocked[row][axis] == 1 ? 0 : 1;
    updateAll(row);
    if (changed)
        changed();
}

void JointSupportModel::clickAll(Row row)
{
    bool any = false;
    for (int32_t axis : blocked[row])
        any = any || axis == 1;
    const int32_t next = any ? 0 : 1;
    blocked[row].fill(next);
    all[row] = next;
    if (changed)
        changed();
}

uint8_t JointSupportModel::flagByte() const
{
    uint8_t flags = 0;
    for (size_t axis = 0; axis < 3; ++axis)
    {
        if (blocked[Translation][axis] == 1)
            flags |= static_cast<uint8_t>(0x01u << axis);
        if (blocked[Rotation][axis] == 1)
            flags |= static_cast<uint8_t>(0x08u << axis);
    }
    if (rigid)
        flags |= JointSupport::Rigid;
    if (local)
        flags |= JointSupport::LocalAxes;
    return flags;
}

void JointSupportModel::applyTo(VornJoint& joint) const
{
    joint.supportFlags = flagByte();
}

// ---- name and colour ----

void NameAndColourModel::start(const char* objectTypeName)
{
    name = std::string(objectTypeName != nullptr ? objectTypeName : "") + "000";
    if (changed)
        changed();
}

void NameAndColourModel::type(std::string text)
{
    name = std::move(text);
}

void NameAndColourModel::applyTo(VornDocument& document, VornBaseObject& object)
{
    name = trimmedText(name);
    if (!name.empty())
        object.name.set(&document.getStringStorage(), name.c_str());
    object.colorAndFlags = colour & 0xFFFFFFu;
    makeNextName(name);
    if (changed)
        changed();
}

} // namespace lumbra

#include "Lumbra/DocumentLists.h"
#include "VornData/CalcResults.h"

#include <cmath>

namespace lumbra
{

namespace
{

constexpr uint8_t supportBit(size_t row, size_t axis)
{
    return static_cast<uint8_t>((row == 0 ? 0x01u : 0x08u) << axis);
}

int32_t stateOf(uint8_t allBits, uint8_t anyBits, uint8_t bit)
{
    if ((anyBits & bit) == 0)
        return 0;
    return (allBits & bit) != 0 ? 1 : 2;
}

} // namespace

void JointEditSupportModel::fill(uint8_t allBits, uint8_t anyBits)
{
    for (size_t row = 0; row < 2; ++row)
    {
        for (size_t axis = 0; axis < 3; ++axis)
            blocked[row][axis] = stateOf(allBits, anyBits, supportBit(row, axis));
        const auto& values = blocked[row];
        all[row] = values[0] == values[1] && values[1] == values[2] && values[0] != 2 ? values[0] : 2;
    }
    rigid = (allBits & JointSupport::Rigid) != 0;
    hinge = (anyBits & JointSupport::Rigid) == 0;
    local = (allBits & JointSupport::LocalAxes) != 0;
    global = (anyBits & JointSupport::LocalAxes) == 0;
    if (changed)
        changed();
}

SupportFlagChange JointEditSupportModel::clickAxis(Row row, size_t axis) const
{
    const uint8_t bit = supportBit(row, axis);
    return blocked[row][axis] != 0 ? SupportFlagChange{bit, 0} : SupportFlagChange{0, bit};
}

SupportFlagChange JointEditSupportModel::clickAll(Row row) const
{
    const auto bits = static_cast<uint8_t>(supportBit(row, 0) | supportBit(row, 1) | supportBit(row, 2));
    return all[row] != 0 ? SupportFlagChange{bits, 0} : SupportFlagChange{0, bits};
}

void JointDisplacementModel::fill(MAI_Doc* document, VornSelection& selection)
{
    static const std::array<const char*, 4> common = {"Displ.X", "Displ.Y", "Displ.Z", "Total Displ."};
    static const std::array<const char*, 4> mean = {"Av.Displ.X", "Av.Displ.Y", "Av.Displ.Z", "Av.Total Displ."};
    BlockList<VornJoint>* joints = listOf<VornJoint>(document, "VornJoint");
    auto* displacements =
        joints != nullptr ? dynamic_cast<BlockList<CalcDisplacement>*>(joints->getChild("Displacements")) : nullptr;
    available = displacements != nullptr;
    values = {};
    std::array<bool, 4> equal = {true, true, true, true};
    std::array<double, 4> first{};
    int32_t count = 0;
    if (displacements != nullptr)
        forEachSelectedJoint(selection, [&](VornJoint& joint) {
            const uint32_t index = BlockList<VornJoint>::getIndex(&joint);
            if (index >= displacements->getCount())
                return;
            const Vector3& d = (*displacements)[index].displacement;
            const std::array<double, 4> own = {d.x, d.y, d.z, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z)};
            if (count++ == 0)
                first = own;
            for (size_t i = 0; i < 4; ++i)
            {
                values[i] += own[i];
                equal[i] = equal[i] && own[i] == first[i];
            }
        });
    for (size_t i = 0; i < 4; ++i)
    {
        const bool shared = count == 0 || equal[i];
        labels[i] = shared ? common[i] : mean[i];
        values[i] = count == 0 ? 0.0 : shared ? first[i] : values[i] / count;
    }
    if (changed)
        changed();
}

} // namespace lumbra

namespace lumbra
{

void JointEditCoordinatesModel::fill(VornSelection& selection)
{
    std::array<double, 3> sum{};
    std::array<double, 3> first{};
    std::array<bool, 3> same = {true, true, true};
    int32_t count = 0;
    forEachSelectedJoint(selection, [&](VornJoint& joint) {
        const Vector3& at = joint.getCreationCoordinate();
        for (size_t axis = 0; axis < 3; ++axis)
        {
            if (count == 0)
                first[axis] = at[static_cast<int>(axis)];
            same[axis] = same[axis] && at[static_cast<int>(axis)] == first[axis];
            sum[axis] += at[static_cast<int>(axis)];
        }
        ++count;
    });
    if (count == 0)
        return;
    for (size_t axis = 0; axis < 3; ++axis)
    {
        uniform[axis] = same[axis];
        show(axis, same[axis] ? first[axis] : sum[axis] / count);
        absoluteShown[axis] = !same[axis];
        absoluteChecked[axis] = false;
        ownCoordinates[axis].clear();
        last[axis] = values[axis];
    }
    tellChanged();
}

void JointEditCoordinatesModel::commit(VornSelection& selection)
{
    forEachSelectedJoint(selection, [this](VornJoint& joint) {
        Vector3& creation = joint.getCreationCoordinate();
        for (size_t axis = 0; axis < 3; ++axis)
        {
            const int a = static_cast<int>(axis);
            creation[a] = uniform[axis] ? values[axis] : creation[a] + values[axis] - last[axis];
        }
        joint.applyModifiers();
    });
    last = values;
    for (size_t axis = 0; axis < 3; ++axis)
        show(axis, values[axis]);
    tellChanged();
}

void JointEditCoordinatesModel::toggleAbsolute(VornSelection& selection, size_t axis)
{
    const bool press = !absoluteChecked[axis];
    absoluteChecked[axis] = press;
    uniform[axis] = press;
    // The creation coordinate is what the modifiers start from, so the joints stay on the value
    // when a modifier is added or edited later; releasing gives each its own coordinate back.
    std::vector<double>& own = ownCoordinates[axis];
    if (press)
        own.clear();
    size_t index = 0;
    const int a = static_cast<int>(axis);
    forEachSelectedJoint(selection, [&](VornJoint& joint) {
        double& creation = joint.getCreationCoordinate()[a];
        if (press)
        {
            own.push_back(creation);
            creation = values[axis];
        }
        else if (index < own.size())
            creation = own[index++];
        joint.applyModifiers();
        joint.notifyMembers(JointMovedCode);
    });
    if (!press)
        own.clear();
    last[axis] = values[axis];
    tellChanged();
}

} // namespace lumbra
