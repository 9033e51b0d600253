#include "Zintel/BoundingBox.h"

namespace zintel
{

namespace
{

void extend(double value, double& low, double& high)
{
    if (value < low)
        low = value;
    else if (value > high)
        high = value;
}

} // namespace

void BoundingBox::addPoint(double x, double y, double z)
{
    if (empty)
    {
        empty = false;
        minX = maxX = x;
        minY = maxY = y;
        minZ = maxZ = z;
        return;
    }
    extend(x, minX, maxX);
    extend(y, minY, maxY);
    extend(z, minZ, maxZ);
}

} // namespace zintel
