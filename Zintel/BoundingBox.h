#pragma once

namespace zintel
{

// The axis-aligned box around the points added to it; the extents mean nothing while it is empty.
struct BoundingBox
{
    void addPoint(double x, double y, double z);

    bool empty = true;
    double minX = 0.0, minY = 0.0, minZ = 0.0;
    double maxX = 0.0, maxY = 0.0, maxZ = 0.0;
};

} // namespace zintel
