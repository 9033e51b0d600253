#pragma once

#include "VornData/VornProperty.h"

// Change codes a material sends its members.
namespace MaterialCode
{
constexpr int32_t Elasticity = 5;
constexpr int32_t Density = 6;
constexpr int32_t Parameter3 = 7;
constexpr int32_t Tension = 8;
constexpr int32_t Compression = 9;
constexpr int32_t PoissonRatio = 10;
} // namespace MaterialCode

// Material values of the members that use it. The shear modulus follows the elasticity and the
// Poisson ratio.
class VornMaterial : public VornProperty
{
    VORN_MODEL_TYPE(VornProperty, ObjectType::Material)

public:
    VornMaterial() = default;

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    double getElasticity() const { return elasticity; }
    double getPoissonRatio() const { return poissonRatio; }
    double getDensity() const { return density; }
    double getParameter3() const { return parameter3; }
    double getTension() const { return tension; }
    double getCompression() const { return compression; }
    double getShearModulus() const { return shearModulus; }

    // Each setter stores the value, tells the members and returns the stored value.
    double setElasticity(double value);
    double setPoissonRatio(double value);
    double setDensity(double value);
    double setParameter3(double value);
    double setTension(double value);
    double setCompression(double value);

    // Colour-and-flags and the six stored values equal (the shear modulus follows from them).
    bool isEqual(const VornMaterial& other) const;
    // The address of the value of a change code (Elasticity to PoissonRatio), which change notices
    // name; null for any other code.
    const double* valueAddress(int32_t code) const;

    void setDefaults();
    void copyTo(VornMaterial& other);
    void release() { VornProperty::release(); }

    static constexpr double DefaultElasticity = 2.0e11;
    static constexpr double DefaultPoissonRatio = 0.28;
    static constexpr double DefaultDensity = 7800.0;
    static constexpr double DefaultParameter3 = 1.2e-07;
    static constexpr double DefaultTension = 2.0e8;
    static constexpr double DefaultCompression = 2.0e8;

private:
    double storeAndNotify(double& field, double value, int32_t code);
    void updateShearModulus();

    double elasticity = 0;
    double poissonRatio = 0;
    double density = 0;
    double parameter3 = 0;
    double tension = 0;
    double compression = 0;
    double shearModulus = 0;
};
