#include "VornData/VornCrossSection.h"

double VornCrossSection::storeAndNotify(double& field, double value, int32_t code)
{
    field = value;
    notifyLinked(code);
    return field;
}

void VornCrossSection::setValues(double newArea, double newIx, double newIy, double newIxy, double newJ)
{
    if (area == newArea && ix == newIx && iy == newIy && ixy == newIxy && j == newJ)
        return;
    area = newArea;
    ix = newIx;
    iy = newIy;
    ixy = newIxy;
    j = newJ;
    notifyLinked(CrossSectionCode::Values);
}

bool VornCrossSection::isEqual(const VornCrossSection& other) const
{
    return colorAndFlags == other.colorAndFlags && area == other.area && ix == other.ix && iy == other.iy &&
        ixy == other.ixy && j == other.j;
}

void VornCrossSection::setDefaults()
{
    area = DefaultArea;
    ix = iy = ixy = j = 0;
    shape = nullptr;
    shapeData.free();
    VornProperty::setDefaults();
}

void VornCrossSection::copyTo(VornCrossSection& other)
{
    other.area = area;
    other.ix = ix;
    other.iy = iy;
    other.ixy = ixy;
    other.j = j;
    other.shape = shape;
    shapeData.moveTo(other.shapeData);
    VornProperty::copyTo(other);
}

void VornCrossSection::release()
{
    shapeData.free();
    shape = nullptr;
    VornProperty::release();
}

const double* VornCrossSection::valueAddress(int32_t code) const
{
    switch (code)
    {
    case CrossSectionCode::Area:
        return &area;
    case CrossSectionCode::Ix:
        return &ix;
    case CrossSectionCode::Iy:
        return &iy;
    case CrossSectionCode::Ixy:
        return &ixy;
    case CrossSectionCode::J:
        return &j;
    default:
        return nullptr;
    }
}
