#pragma once

// The plain state of the creation pagettes: what their controls show, whether the controls can be
// used, and what a new object receives from them. The pagette windows only show a model and pass
// the user's input to it, so the creators work (and are tested) without windows.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MAI;
class MAI_Doc;
class VornSelection;
class VornBaseObject;
class VornDocument;
class VornJoint;
struct SnapPoint;

namespace lumbra
{

// Three numbers, each shown in an edit. The program shows values (value and text together); the
// user types texts, which become values only when they are read.
class NumberTripleModel
{
public:
    NumberTripleModel();

    double value(size_t index) const { return values[index]; }
    const std::string& text(size_t index) const { return texts[index]; }
    // The program shows a value in the edit.
    void show(size_t index, double value);
    // The user typed into the edit.
    void type(size_t index, std::string text);
    // Takes every typed text as its value. When a text holds no number or one out of range, a box
    // says so through `mai` and no value changes: false.
    bool readTyped(MAI* mai);
    // Whether an edit holds other text than its value shown.
    bool hasTypedChanges() const;
    // Takes the edit's text as its value when it reads as a number (a spin starts from it).
    void takeTextQuietly(size_t index);
    // The address of a value, for a spin button.
    double* valueAddress(size_t index) { return &values[index]; }

    bool enabled = true;
    bool readOnly = false;
    // Tells the window to show the model again.
    std::function<void()> changed;

protected:
    void tellChanged() const;

    std::array<double, 3> values{};
    std::array<std::string, 3> texts;
};

// The Coordinates pagette: where the next joint goes. It follows the mouse: a snapped point makes
// the edits read-only, a raw mouse position disables them; once the mouse has left the views
// (either notice with the leave flag) the edits take typing again.
class JointCoordinatesModel : public NumberTripleModel
{
public:
    // Takes the point of a snap of kind "Point"; other kinds leave the values as they are.
    void onSnapPoint(const SnapPoint& snap, uint32_t flags);
    void onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags);
    // Creation coordinate and working position.
    void applyTo(VornJoint& joint) const;

private:
    void mouseLeftViews();
};

// The Orientation pagette: three angles in degrees, turned about x, then y, then z.
class JointOrientationModel : public NumberTripleModel
{
public:
    void applyTo(VornJoint& joint) const;
};

// The Support pagette: blocked translations and rotations, rigid or hinge, local or global axes.
// The "all" boxes are three-state: 0 none, 1 all, 2 some of their row.
class JointSupportModel
{
public:
    enum Row : size_t
    {
        Translation = 0,
        Rotation = 1,
    };

    // The row's box of axis 0..2 was clicked: it toggles and the row's "all" box follows.
    void clickAxis(Row row, size_t axis);
    // The row's "all" box was clicked: with nothing of the row set it sets all three, otherwise
    // it clears them.
    void clickAll(Row row);
    // The joint's support-flag byte from the boxes.
    uint8_t flagByte() const;
    void applyTo(VornJoint& joint) const;

    std::array<std::array<int32_t, 3>, 2> blocked{}; // [row][axis]: 0 or 1
    std::array<int32_t, 2> all{}; // [row]: 0, 1 or 2
    bool rigid = true; // else hinge
    bool local = true; // else global
    std::function<void()> changed;

private:
    void updateAll(Row row);
};

// The Name-and-colour pagette of every creator: the name and colour of the next object. The name
// counts up with every object made with it.
class NameAndColourModel
{
public:
    static constexpr uint32_t defaultColour = 0x80FF80;

    // The first name: the object type name followed by "000".
    void start(const char* objectTypeName);
    // The user typed a name; numbering goes on from it.
    void type(std::string text);
    // Names the object (blanks trimmed at both ends; an empty name leaves it unnamed) and gives it
    // the colour with every flag bit clear; then the name advances.
    void applyTo(VornDocument& document, VornBaseObject& object);

    std::string name;
    uint32_t colour = defaultColour;
    std::function<void()> changed;
};

} // namespace lumbra

namespace lumbra
{

// A change of the selected joints' support-flag bytes: these bits cleared, then these set.
struct SupportFlagChange
{
    uint8_t clear = 0;
    uint8_t set = 0;
};

// The joint editor's Support page: the common supports of the selected joints. Every box is 0
// (clear on all), 1 (set on all) or 2 (mixed); a radio pair shows neither side for a mixed
// selection.
class JointEditSupportModel
{
public:
    using Row = JointSupportModel::Row;

    // From the AND and the OR of the selected joints' flag bytes.
    void fill(uint8_t allBits, uint8_t anyBits);
    // What a click asks for: a box that is not clear (mixed included) clears its bits, a clear one
    // sets them.
    SupportFlagChange clickAxis(Row row, size_t axis) const;
    SupportFlagChange clickAll(Row row) const;

    std::array<std::array<int32_t, 3>, 2> blocked{};
    std::array<int32_t, 2> all{};
    bool rigid = true, hinge = false, local = true, global = false;
    std::function<void()> changed;
};

// The joint editor's Displacement page: the displacement of the selected joints, or their mean.
class JointDisplacementModel
{
public:
    // From the published "Displacements" list of the document's joints; "n.a." without it.
    void fill(MAI_Doc* document, VornSelection& selection);

    std::array<double, 4> values{}; // x, y, z, length
    std::array<std::string, 4> labels;
    bool available = false; // the list exists: else the edits show "n.a."
    std::function<void()> changed;
};

} // namespace lumbra

namespace lumbra
{

// The joint editor's Coordinates page: where the selected joints were created. An axis on which
// they differ shows their mean, greyed, with its "Abs:" button to give them one value.
class JointEditCoordinatesModel : public NumberTripleModel
{
public:
    // Shows the selection; the joints are not touched.
    void fill(VornSelection& selection);
    // The shown values become the joints' creation coordinates: a uniform axis gets its value, a
    // mixed one moves each joint by the change of the shown mean; the modifiers run again.
    void commit(VornSelection& selection);
    // The "Abs:" button of an axis: pressing it gives every joint the shown value as its creation
    // coordinate on that axis (uniform); releasing it gives each joint its own coordinate back.
    // The modifiers run again either way.
    void toggleAbsolute(VornSelection& selection, size_t axis);

    std::array<bool, 3> uniform = {true, true, true};
    std::array<double, 3> last{};
    std::array<bool, 3> absoluteShown{};
    std::array<bool, 3> absoluteChecked{};

private:
    // Per axis, the selected joints' own coordinates (in selection order) while "Abs:" is pressed.
    std::array<std::vector<double>, 3> ownCoordinates;
};

} // namespace lumbra
