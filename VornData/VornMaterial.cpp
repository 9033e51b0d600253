#include "VornData/VornMaterial.h"

void VornMaterial::updateShearModulus()
{
    const double denominator = 2.0 * (1.0 + poissonRatio);
    shearModulus = denominator == 0.0 ? elasticity * 0.390625 : elasticity / denominator;
}

double VornMaterial::storeAndNotify(double& field, double value, int32_t code)
{
    field = value;
    if (code == MaterialCode::Elasticity || code == MaterialCode::PoissonRatio)
        updateShearModulus();
    notifyLinked(code);
    return field;
}

double VornMaterial::setElasticity(double value)
{
    return storeAndNotify(elasticity, value, MaterialCode::Elasticity);
}

double VornMaterial::setPoissonRatio(double value)
{
    return storeAndNotify(poissonRatio, value, MaterialCode::PoissonRatio);
}

double VornMaterial::setDensity(double value)
{
    return storeAndNotify(density, value, MaterialCode::Density);
}

double VornMaterial::setParameter3(double value)
{
    return storeAndNotify(parameter3, value, MaterialCode::Parameter3);
}

double VornMaterial::setTension(double value)
{
    return storeAndNotify(tension, value, MaterialCode::Tension);
}

double VornMaterial::setCompression(double value)
{
    return storeAndNotify(compression, value, MaterialCode::Compression);
}

bool VornMaterial::isEqual(const VornMaterial& other) const
{
    return colorAndFlags == other.colorAndFlags && elasticity == other.elasticity &&
        poissonRatio == other.poissonRatio && density == other.density && parameter3 == other.parameter3 &&
        tension == other.tension && compression == other.compression;
}

void VornMaterial::setDefaults()
{
    elasticity = DefaultElasticity;
    poissonRatio = DefaultPoissonRatio;
    density = DefaultDensity;
    parameter3 = DefaultParameter3;
    tension = DefaultTension;
    compression = DefaultCompression;
    updateShearModulus();
    VornProperty::setDefaults();
}

void VornMaterial::copyTo(VornMaterial& other)
{
    other.elasticity = elasticity;
    other.poissonRatio = poissonRatio;
    other.density = density;
    other.parameter3 = parameter3;
    other.tension = tension;
    other.compression = compression;
    other.shearModulus = shearModulus;
    VornProperty::copyTo(other);
}

const double* VornMaterial::valueAddress(int32_t code) const
{
    switch (code)
    {
    case MaterialCode::Elasticity:
        return &elasticity;
    case MaterialCode::Density:
        return &density;
    case MaterialCode::Parameter3:
        return &parameter3;
    case MaterialCode::Tension:
        return &tension;
    case MaterialCode::Compression:
        return &compression;
    case MaterialCode::PoissonRatio:
        return &poissonRatio;
    default:
        return nullptr;
    }
}
