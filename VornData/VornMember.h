#pragma once

#include "VornData/VornModifiable.h"
#include "VornData/VornMath.h"

class VornJoint;
class VornMaterial;
class VornCrossSection;

// Values a member uses when it has no usable material or cross-section.
namespace MemberDefaults
{
constexpr double HalfMassPerLength = 600.0;
constexpr double EA = 6.0e9;
constexpr double InverseArea = 100.0;
constexpr double SectionValue = 8.33333333e-06; // Ix and Iy
constexpr double GJ = 1101562.5;
} // namespace MemberDefaults

// A bar between two joints, with a material, a cross-section and a rotation about its own axis. It
// keeps its length, local frame and stiffness values and recomputes them whenever a linked object
// tells it that it changed.
class VornMember : public VornModifiable
{
    VORN_MODEL_TYPE(VornModifiable, ObjectType::Member)

public:
    VornMember() = default;

    // Elements per block of the document's list of this type.
    static constexpr uint32_t itemsPerBlock = 1024;

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    // Two joints: the start joint (index 0) and the end joint (index 1).
    int32_t getLinkCount(int32_t typeID) const override;
    VornBaseObject* getLinkedObject(int32_t typeID, int32_t index) const override;
    // A material or a cross-section.
    bool canLink(const VornBaseObject* object) const override;
    VornBaseObject* getLink(const VornBaseObject* object) const override;
    bool link(VornBaseObject* object) override;
    void linkedObjectChanged(VornBaseObject* source, int32_t code) override;

    void applyModifiers() override {}
    void resetToCreation() override {}
    void reapplyModifiers() override {}
    void commitModifiers() override {}

    VornJoint* getStartJoint() const;
    VornJoint* getEndJoint() const;
    VornMaterial* getMaterial() const;
    VornCrossSection* getCrossSection() const;
    // Link the member to a joint (leaving its previous one; null: to none) and recompute its length
    // and, with both joints set, its frame.
    bool setStartJoint(VornJoint* joint);
    bool setEndJoint(VornJoint* joint);
    // Link the member to a property (leaving its previous one; null: to none) and recompute mass
    // and section values.
    bool setMaterial(VornMaterial* material);
    bool setCrossSection(VornCrossSection* crossSection);

    // Rotation about the member's own axis, in degrees.
    double getAngle() const { return angle; }
    double getCosAngle() const { return cosAngle; }
    double getSinAngle() const { return sinAngle; }
    void setAngle(double degrees);

    double getLength() const { return length; }
    // Stores the length, then updateLength (which keeps it only for a member of fixed length).
    void setLength(double value);
    bool isLengthFixed() const { return hasFlagBits(VornFlag::LengthFixed); }
    double getHalfMassPerLength() const { return halfMassPerLength; }
    double getEA() const { return ea; }
    // The elasticity: EA times the inverse area.
    double getE() const { return ea * inverseArea; }
    double getInverseArea() const { return inverseArea; }
    double getIx() const { return ix; }
    double getIy() const { return iy; }
    double getSectionValueY() const { return ix; }
    double getSectionValueZ() const { return iy; }
    double getGJ() const { return gj; }
    // Local axes: row 0 from the start to the end joint, rows 1 and 2 across, turned by the angle.
    const Matrix3x3& getFrame() const { return frame; }
    const Matrix3x3& localAxes() const { return frame; }

    double updateLength();
    void updateMass();
    double updateSection();

    void setDefaults();
    void copyTo(VornMember& other);
    void release();

    knot startKnot{this};
    knot endKnot{this};
    knot materialKnot{this};
    knot crossSectionKnot{this};

private:
    void rebuildFrame();
    // The cross-section when it has a usable (positive) area, else null.
    VornCrossSection* usableCrossSection() const;
    void useDefaultStiffness();
    void unlinkAll();
    bool setJoint(knot& end, VornJoint* joint);

    double angle = 0;
    double cosAngle = 1;
    double sinAngle = 0;
    Matrix3x3 frame;
    double length = 0;
    double halfMassPerLength = MemberDefaults::HalfMassPerLength;
    double ea = MemberDefaults::EA;
    double inverseArea = MemberDefaults::InverseArea;
    double ix = MemberDefaults::SectionValue;
    double iy = MemberDefaults::SectionValue;
    double gj = MemberDefaults::GJ;
};
