#pragma once

// The plain state of the member creator's Joints pagette and of the member editor pages: what
// their controls show and what the selected members receive from them. The windows only show a
// model and pass the user's input on, so the pages work (and are tested) without windows.

#include "Lumbra/Creators/CreatorModels.h"
#include "Knots/knotList.h"

#include <functional>
#include <string>
#include <vector>

class MAI_Doc;
class VornCrossSection;
class VornDocument;
class VornJoint;
class VornMember;
class VornSelection;
struct SnapPoint;

namespace lumbra
{

// One block of the Joints pagette: the end shown there, and the name, colour and position that a
// joint made for that end receives.
struct MemberEndFields
{
    std::string name;
    uint32_t colour = NameAndColourModel::defaultColour;
    NumberTripleModel coordinates; // also says whether the x, y, z edits are enabled, read-only
    bool nameEnabled = true;
    bool nameReadOnly = false;

    // Shows the joint's name and working position.
    void showJoint(const VornJoint& joint);
    void showPoint(const double* point);
};

// The Joints pagette of the member creator. It follows the creator's snaps: in the start phase
// the start block shows the joint or point under the mouse and the end block is closed; in the
// end phase the start block shows the chosen start joint and the end block follows the mouse.
// While the left button is held every field is open.
class MemberJointsModel
{
public:
    // `startJoint` is the creator's start joint, null while it chooses the start.
    void onSnapPoint(const SnapPoint& snap, uint32_t flags, VornJoint* startJoint);
    // Takes the typed coordinates of both blocks; false (after saying why through `mai`) when a
    // text holds no number or one out of range.
    bool readTyped(MAI* mai);
    // A new joint of the document from the block: its name (trimmed, in the block too), colour
    // with every flag bit clear, creation coordinate and working position. Null without the
    // joint list.
    VornJoint* makeJoint(VornDocument& document, MemberEndFields& fields);

    MemberEndFields start;
    MemberEndFields end;
    bool endColourEnabled = true;
    // The start joint whose name and position the start block shows; empties itself when the
    // joint goes.
    knotReference shownStartJoint;
    std::function<void()> changed;

private:
    void tellChanged() const;
};

// Calls `visit` with every member of the selection, in selection order.
void forEachSelectedMember(VornSelection& selection, const std::function<void(VornMember&)>& visit);

// The number shown by a member page for several members: their common value or their mean.
struct MemberValueSummary
{
    int32_t count = 0;
    double first = 0.0;
    double sum = 0.0;
    bool allEqual = true;

    void add(double value);
    // The common value (0 without members), or the mean when they differ.
    double shown() const;
};

// The member editor's CrossSection and Material pages: the property element the selected
// members share, as the only entry of the combo, or every element of the document while the
// combo is open.
template <class Element>
class MemberPropertyModel
{
public:
    struct Entry
    {
        std::string name;
        Element* element;
    };

    // The common element of the selected members; nothing when they differ or have none.
    void fill(VornSelection& selection);
    // Every element of the document's list, from the last to the first; none chosen.
    void listAll(MAI_Doc* document, const char* listName);
    // The element alone, chosen.
    void showOnly(Element* element);

    std::vector<Entry> entries;
    int32_t chosen = -1; // index into entries
    std::function<void()> changed;

private:
    void tellChanged() const;
};

// The angle row of the CrossSection page. For members with different angles the row shows their
// mean, read-only, with its "Abs:" button: a spin then turns each member by the same amount.
class MemberAngleModel
{
public:
    void fill(VornSelection& selection);
    // A spin changed the angle shown: one angle for all, or each turned by the change.
    void applySpin(VornSelection& selection, double angle);
    // "Abs:": every member takes the angle shown.
    void makeAbsolute(VornSelection& selection);
    // The user typed an angle: taken by every member while the row holds one angle for all.
    void applyTyped(VornSelection& selection, double angle);

    double angle = 0.0;
    double lastAngle = 0.0;
    bool absoluteAngle = true;
    bool absoluteShown = false; // the "Abs:" button
    bool readOnly = false;
    std::function<void()> changed;

private:
    void tellChanged() const;
};

// The CrossSection page: the shared cross-section and the angle about the members' axes.
struct MemberCrossSectionModel
{
    MemberPropertyModel<VornCrossSection> crossSection;
    MemberAngleModel angle;
};

// The Length page: the selected members' length and whether it follows their joints
// ("Automatic") or was entered by hand (fixed).
class MemberLengthModel
{
public:
    // 0 every member's length is fixed, 1 every one is automatic, 2 mixed.
    enum Automatic : int32_t
    {
        Fixed = 0,
        FromJoints = 1,
        Mixed = 2,
    };

    void fill(VornSelection& selection);
    // "Automatic" clicked: from automatic every length becomes fixed at its value; from fixed or
    // mixed every length follows its joints again and is recomputed.
    void clickAutomatic(VornSelection& selection);
    // Typed or spun: every selected member takes the length (a member whose length follows its
    // joints keeps their distance).
    void applyLength(VornSelection& selection, double value);

    int32_t automatic = Fixed;
    double length = 0.0;
    bool editShown = false; // the "Edit:" button
    bool editEnabled = false;
    bool lengthEnabled = true;
    bool lengthReadOnly = true;
    bool spinEnabled = false;
    std::function<void()> changed;

private:
    // The selected members' common or mean length and what the controls allow for it.
    void summarise(VornSelection& selection);
    void tellChanged() const;
};

} // namespace lumbra
