#pragma once

#include "VornData/VornProperty.h"
#include "dwordarraymanager/DWordArrayHandle.h"

class VornPluginShape;

// Change codes a cross-section sends its members.
namespace CrossSectionCode
{
constexpr int32_t Values = 0; // several values at once (setValues)
constexpr int32_t Area = 5;
constexpr int32_t Ix = 6;
constexpr int32_t Iy = 7;
constexpr int32_t Ixy = 8;
constexpr int32_t J = 9;
} // namespace CrossSectionCode

// Section values of the members that use it, and optionally the shape plugin that generated its
// outline with that outline's data. A cross-section may have no shape (null).
class VornCrossSection : public VornProperty
{
    VORN_MODEL_TYPE(VornProperty, ObjectType::CrossSection)

public:
    VornCrossSection() = default;

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    double getArea() const { return area; }
    double getIx() const { return ix; }
    double getIy() const { return iy; }
    double getIxy() const { return ixy; }
    double getJ() const { return j; }
    // Each setter stores the value, tells the members and returns the stored value.
    double setArea(double value) { return storeAndNotify(area, value, CrossSectionCode::Area); }
    double setIx(double value) { return storeAndNotify(ix, value, CrossSectionCode::Ix); }
    double setIy(double value) { return storeAndNotify(iy, value, CrossSectionCode::Iy); }
    double setIxy(double value) { return storeAndNotify(ixy, value, CrossSectionCode::Ixy); }
    double setJ(double value) { return storeAndNotify(j, value, CrossSectionCode::J); }
    // Stores all five and tells the members once; nothing when all five are already stored.
    void setValues(double newArea, double newIx, double newIy, double newIxy, double newJ);
    bool isEqual(const VornCrossSection& other) const;
    // The address of the value of a change code (Area to J), which change notices name; null for
    // any other code.
    const double* valueAddress(int32_t code) const;

    void setDefaults();
    void copyTo(VornCrossSection& other);
    void release();

    static constexpr double DefaultArea = 0.01;

    // The shape plugin that built the shape data; null when the cross-section has no shape.
    VornPluginShape* shape = nullptr;
    // The shape plugin's parameters followed by a shape list; empty without a shape.
    DWordArrayHandle shapeData;

private:
    double storeAndNotify(double& field, double value, int32_t code);

    double area = DefaultArea;
    double ix = 0;
    double iy = 0;
    double ixy = 0;
    double j = 0;
};
