#include "Lumbra/CrossSectionShapes.h"

#include "VornData/VornCrossSection.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

namespace lumbra
{

namespace
{

constexpr double innerShare = 0.8; // inner extents of a derived section, and inner normal length
constexpr double innerLimit = 0.99999; // an inner extent stays below this share of the outer one
constexpr double outerLimit = 1.00001; // an outer extent stays above this multiple of the inner one
constexpr double rectangleNoArea = 0.01; // the area the Rectangle takes for a section without one
constexpr uint32_t tubeFineOffsetWord = 5; // where the Tube keeps the start of its fine outline

// A length in single precision, held to the finite range: outlines and values never see infinity.
float storedLength(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

// The absolute area, or 0 for an area that is not a number or infinite.
double usableArea(double area)
{
    return std::isfinite(area) ? std::fabs(area) : 0.0;
}

// Points, lists and indices of one outline.
struct OutlineCounts
{
    uint32_t points;
    uint32_t lists;
    uint32_t indices;

    uint32_t words() const { return ShapeList::computeSize(points, lists, indices); }
};

OutlineCounts rectangleCounts(bool solid)
{
    return solid ? OutlineCounts{4, 1, 4} : OutlineCounts{8, 2, 10};
}

OutlineCounts tubeCounts(uint32_t pointsAround, bool solid)
{
    return solid ? OutlineCounts{pointsAround, 1, pointsAround}
                 : OutlineCounts{2 * pointsAround, 2, 2 * pointsAround + 2};
}

// The H: twelve corners around one contour, three strips (top flange, web, bottom flange).
constexpr int32_t hBeamIndices[] = {0, 1, 11, 10, -1, 9, 2, 8, 3, -1, 4, 5, 7, 6};
// Each corner in units of b: x, y, then the normals of the arriving and the leaving edge.
constexpr double hBeamCorners[12][6] = {
    {1.0, 1.0, 0, 1, 1, 0},     {1.0, 0.8, 1, 0, 0, -1},    {0.15, 0.8, 0, -1, 1, 0},   {0.15, -0.8, 1, 0, 0, 1},
    {1.0, -0.8, 0, 1, 1, 0},    {1.0, -1.0, 1, 0, 0, -1},   {-1.0, -1.0, 0, -1, -1, 0}, {-1.0, -0.8, -1, 0, 0, 1},
    {-0.15, -0.8, 0, 1, -1, 0}, {-0.15, 0.8, -1, 0, 0, -1}, {-1.0, 0.8, 0, -1, -1, 0},  {-1.0, 1.0, -1, 0, 0, 1},
};

OutlineCounts hBeamCounts()
{
    return {12, 1, static_cast<uint32_t>(std::size(hBeamIndices))};
}

// b per square root of the area: the H of half width b has the area 2 (2b 0.2b) + 0.3b 1.6b = 1.28 b².
constexpr double hBeamHalfWidthPerSide = 0.8838834764831844;

// Writes the counts of an outline at `words`: its lists have the given numbers of points.
ShapeList startOutline(uint32_t* words, const OutlineCounts& counts, std::initializer_list<uint32_t> listLengths)
{
    ShapeList outline(words);
    outline.setPointCount(counts.points);
    outline.setListCount(counts.lists);
    uint32_t list = 0;
    for (uint32_t length : listLengths)
        outline.setListLength(list++, length);
    outline.setIndexCount(counts.indices);
    return outline;
}

void putPoint(float* points, uint32_t index, double x, double y, double beforeX, double beforeY, double afterX,
              double afterY)
{
    float* point = points + ShapeList::FloatsPerPoint * index;
    point[0] = static_cast<float>(x);
    point[1] = static_cast<float>(y);
    point[2] = static_cast<float>(beforeX);
    point[3] = static_cast<float>(beforeY);
    point[4] = static_cast<float>(afterX);
    point[5] = static_cast<float>(afterY);
}

// A point of an ellipse with semi-axes (a, b) at the angle whose cosine and sine are given, and its
// outward unit normal. An ellipse without extent takes the circle's normal.
struct EllipsePoint
{
    double x;
    double y;
    double normalX;
    double normalY;
};

EllipsePoint ellipsePoint(double a, double b, double cosine, double sine)
{
    const double length = std::sqrt(b * b * cosine * cosine + a * a * sine * sine);
    if (!(length > 0.0))
        return {a * cosine, b * sine, cosine, sine};
    return {a * cosine, b * sine, b * cosine / length, a * sine / length};
}

// Cosine and sine of the angles -i * 360° / n for i = 0 .. n - 1: the directions of a tube's
// outline points, clockwise from the positive x axis.
struct Direction
{
    double cosine;
    double sine;
};

std::vector<Direction> clockwiseDirections(uint32_t pointsAround)
{
    std::vector<Direction> directions(pointsAround);
    const double step = -2.0 * std::numbers::pi / pointsAround;
    for (uint32_t i = 0; i < pointsAround; ++i)
        directions[i] = {std::cos(step * i), std::sin(step * i)};
    return directions;
}

// The directions of the two outlines every tube has are computed once.
std::span<const Direction> directionsAround(uint32_t pointsAround, std::vector<Direction>& other)
{
    static const std::vector<Direction> coarse = clockwiseDirections(coarseTubePoints);
    static const std::vector<Direction> fine = clockwiseDirections(fineTubePoints);
    if (pointsAround == coarseTubePoints)
        return coarse;
    if (pointsAround == fineTubePoints)
        return fine;
    other = clockwiseDirections(pointsAround);
    return other;
}

double solidRectangleTorsion(double width, double height)
{
    const double larger = std::max(width, height);
    const double smaller = std::min(width, height);
    if (larger == 0.0)
        return 0.0;
    return torsionFactor(smaller / larger) * larger * smaller * smaller * smaller;
}

} // namespace

// ---- parameter block ----

float* ShapeParameters::extent(int32_t index)
{
    switch (index)
    {
    case 1:
        return &outerX;
    case 2:
        return &outerY;
    case 4:
        return &innerX;
    case 5:
        return &innerY;
    default:
        return nullptr;
    }
}

ShapeParameters ShapeParameters::readFrom(const uint32_t* words)
{
    return {words[0], std::bit_cast<float>(words[1]), std::bit_cast<float>(words[2]), std::bit_cast<float>(words[3]),
            std::bit_cast<float>(words[4])};
}

void ShapeParameters::writeTo(uint32_t* words) const
{
    words[0] = flags;
    words[1] = std::bit_cast<uint32_t>(outerX);
    words[2] = std::bit_cast<uint32_t>(outerY);
    words[3] = std::bit_cast<uint32_t>(innerX);
    words[4] = std::bit_cast<uint32_t>(innerY);
}

// ---- section values ----

double torsionFactor(double q)
{
    return q <= 0.66 ? 0.333 - 0.20757576 * q : 0.3027647 - 0.1617647 * q;
}

SectionValues rectangleValues(const ShapeParameters& parameters)
{
    const double width = parameters.outerX;
    const double height = parameters.outerY;
    SectionValues values;
    if (parameters.isSolid())
    {
        values.area = width * height;
        values.ix = width * height * height * height / 12.0;
        values.iy = height * width * width * width / 12.0;
        values.j = solidRectangleTorsion(width, height);
        return values;
    }
    const double innerWidth = parameters.innerX;
    const double innerHeight = parameters.innerY;
    values.area = width * height - innerWidth * innerHeight;
    values.ix = (width * height * height * height - innerWidth * innerHeight * innerHeight * innerHeight) / 12.0;
    values.iy = (height * width * width * width - innerHeight * innerWidth * innerWidth * innerWidth) / 12.0;
    const bool thinWalled = width - innerWidth <= 0.2 * height && height - innerHeight <= 0.2 * width;
    if (!thinWalled)
    {
        values.j = solidRectangleTorsion(width, height);
        return values;
    }
    // Closed thin-walled section: Bredt's formula on the wall centre lines.
    const double middleWidth = (width + innerWidth) / 2.0;
    const double middleHeight = (height + innerHeight) / 2.0;
    const double sideWall = (width - innerWidth) / 2.0;
    const double topWall = (height - innerHeight) / 2.0;
    const double denominator = middleWidth * sideWall + middleHeight * topWall;
    values.j = denominator == 0.0
        ? 0.0
        : 2.0 * middleWidth * middleWidth * middleHeight * middleHeight * sideWall * topWall / denominator;
    return values;
}

SectionValues tubeValues(const ShapeParameters& parameters)
{
    constexpr double pi = std::numbers::pi;
    const double outerX = parameters.outerX;
    const double outerY = parameters.outerY;
    const double innerX = parameters.isSolid() ? 0.0 : parameters.innerX;
    const double innerY = parameters.isSolid() ? 0.0 : parameters.innerY;
    SectionValues values;
    values.area = pi * (outerX * outerY - innerX * innerY) / 4.0;
    values.ix = pi * (outerX * outerY * outerY * outerY - innerX * innerY * innerY * innerY) / 64.0;
    values.iy = pi * (outerY * outerX * outerX * outerX - innerY * innerX * innerX * innerX) / 64.0;
    values.j = values.ix + values.iy;
    return values;
}

ShapeParameters rectangleFromArea(double area)
{
    double usable = usableArea(area);
    if (usable == 0.0)
        usable = rectangleNoArea;
    const double side = std::sqrt(usable);
    const float outer = storedLength(side);
    const float inner = storedLength(innerShare * side);
    return {ShapeFlag::Solid | ShapeFlag::Square, outer, outer, inner, inner};
}

ShapeParameters tubeFromArea(double area)
{
    const double diameter = 2.0 * std::sqrt(usableArea(area) / std::numbers::pi);
    const float outer = storedLength(diameter);
    const float inner = storedLength(innerShare * diameter);
    return {ShapeFlag::TubeMark | ShapeFlag::Solid | ShapeFlag::Square, outer, outer, inner, inner};
}

// ---- outlines ----

uint32_t rectangleOutlineWords(bool solid)
{
    return rectangleCounts(solid).words();
}

uint32_t tubeOutlineWords(uint32_t pointsAround, bool solid)
{
    return tubeCounts(pointsAround, solid).words();
}

uint32_t hBeamOutlineWords()
{
    return hBeamCounts().words();
}

ShapeList writeRectangleOutline(uint32_t* words, const ShapeParameters& parameters)
{
    const bool solid = parameters.isSolid();
    const ShapeList outline =
        solid ? startOutline(words, rectangleCounts(true), {4}) : startOutline(words, rectangleCounts(false), {4, 4});
    float* points = outline.getPoints();
    const double halfWidth = parameters.outerX / 2.0;
    const double halfHeight = parameters.outerY / 2.0;
    // Outer contour clockwise from the upper right corner, unit normals pointing out.
    putPoint(points, 0, halfWidth, halfHeight, 0, 1, 1, 0);
    putPoint(points, 1, halfWidth, -halfHeight, 1, 0, 0, -1);
    putPoint(points, 2, -halfWidth, -halfHeight, 0, -1, -1, 0);
    putPoint(points, 3, -halfWidth, halfHeight, -1, 0, 0, 1);
    int32_t* indices = outline.getIndexList();
    if (solid)
    {
        constexpr int32_t strip[] = {0, 1, 3, 2};
        std::copy(std::begin(strip), std::end(strip), indices);
        return outline;
    }
    // The hole the other way round, its shorter normals pointing into it.
    const double halfInnerWidth = parameters.innerX / 2.0;
    const double halfInnerHeight = parameters.innerY / 2.0;
    const double inner = innerShare;
    putPoint(points, 4, halfInnerWidth, halfInnerHeight, -inner, 0, 0, -inner);
    putPoint(points, 5, -halfInnerWidth, halfInnerHeight, 0, -inner, inner, 0);
    putPoint(points, 6, -halfInnerWidth, -halfInnerHeight, inner, 0, 0, inner);
    putPoint(points, 7, halfInnerWidth, -halfInnerHeight, 0, inner, -inner, 0);
    constexpr int32_t ring[] = {4, 0, 7, 1, 6, 2, 5, 3, 4, 0};
    std::copy(std::begin(ring), std::end(ring), indices);
    return outline;
}

ShapeList writeTubeOutline(uint32_t* words, uint32_t pointsAround, const ShapeParameters& parameters)
{
    const bool solid = parameters.isSolid();
    const uint32_t n = pointsAround;
    const OutlineCounts counts = tubeCounts(n, solid);
    const ShapeList outline = solid ? startOutline(words, counts, {n}) : startOutline(words, counts, {n, n});
    float* points = outline.getPoints();
    const double radiusX = parameters.outerX / 2.0;
    const double radiusY = parameters.outerY / 2.0;
    const double innerRadiusX = parameters.innerX / 2.0;
    const double innerRadiusY = parameters.innerY / 2.0;
    // Both contours start on the positive x axis; the outer one runs clockwise, the hole mirrored.
    putPoint(points, 0, radiusX, 0, 1, 0, 1, 0);
    if (!solid)
        putPoint(points, n, innerRadiusX, 0, -innerShare, 0, -innerShare, 0);
    std::vector<Direction> other;
    const std::span<const Direction> directions = directionsAround(n, other);
    for (uint32_t i = 1; i < n; ++i)
    {
        const double cosine = directions[i].cosine;
        const double sine = directions[i].sine;
        const EllipsePoint outer = ellipsePoint(radiusX, radiusY, cosine, sine);
        putPoint(points, i, outer.x, outer.y, outer.normalX, outer.normalY, outer.normalX, outer.normalY);
        if (solid)
            continue;
        const EllipsePoint hole = ellipsePoint(innerRadiusX, innerRadiusY, cosine, sine);
        const double normalX = -innerShare * hole.normalX;
        const double normalY = innerShare * hole.normalY;
        putPoint(points, n + i, hole.x, -hole.y, normalX, normalY, normalX, normalY);
    }
    int32_t* indices = outline.getIndexList();
    if (solid)
    {
        // Zigzag from point 0 to the point opposite it.
        uint32_t count = 0;
        indices[count++] = 0;
        for (uint32_t low = 1, high = n - 1; low <= high; ++low, --high)
        {
            indices[count++] = static_cast<int32_t>(low);
            if (high != low)
                indices[count++] = static_cast<int32_t>(high);
        }
        return outline;
    }
    // One strip around the ring, closed on its first pair.
    uint32_t count = 0;
    indices[count++] = static_cast<int32_t>(n);
    indices[count++] = 0;
    for (uint32_t k = 1; k < n; ++k)
    {
        indices[count++] = static_cast<int32_t>(2 * n - k);
        indices[count++] = static_cast<int32_t>(k);
    }
    indices[count++] = static_cast<int32_t>(n);
    indices[count++] = 0;
    return outline;
}

ShapeList writeHBeamOutline(uint32_t* words, double area)
{
    const ShapeList outline = startOutline(words, hBeamCounts(), {12});
    const double b = std::min(std::sqrt(usableArea(area)) * hBeamHalfWidthPerSide,
                              static_cast<double>(std::numeric_limits<float>::max()));
    float* points = outline.getPoints();
    for (uint32_t corner = 0; corner < 12; ++corner)
    {
        const double* unit = hBeamCorners[corner];
        putPoint(points, corner, unit[0] * b, unit[1] * b, unit[2], unit[3], unit[4], unit[5]);
    }
    std::copy(std::begin(hBeamIndices), std::end(hBeamIndices), outline.getIndexList());
    return outline;
}

// ---- the shape plugins ----

namespace
{

constexpr PluginTexts rectangleTexts{"Rectangle", "Rectangle:\nDefines Rectangle Shape.", "Rectangle Shape"};
constexpr PluginTexts tubeTexts{"Tube", "Tube:\nDefines Tube Shape.", "Tube Shape"};
constexpr PluginTexts hBeamTexts{"HBeam", "HBeam:\nDefines HBeam Shape.", "HBeam Shape"};

constexpr const char* rectangleParameterNames[6] = {"Square", "width",       "height",
                                                    "Solid",  "inner width", "inner height"};
constexpr const char* tubeParameterNames[6] = {"Circle", "outer rX", "outer rY", "Solid", "inner rX", "inner rY"};

// The outline at `offset` words into the shape data of a cross-section built by `shape`; a null
// view when the section was built by another shape or the outline does not fit in its data.
ShapeList outlineAt(VornCrossSection* crossSection, const VornPluginShape* shape, uint32_t offset)
{
    if (crossSection == nullptr || crossSection->shape != shape)
        return ShapeList();
    const uint32_t length = crossSection->shapeData.getLength();
    // In 64 bits: a stored offset near the top of the range must not wrap around.
    if (uint64_t{offset} + 3 > length)
        return ShapeList();
    const ShapeList outline(crossSection->shapeData.getData() + offset);
    const uint64_t lists = outline.getListCount();
    if (lists > length - offset - 3)
        return ShapeList();
    const uint64_t size =
        3 + lists + uint64_t{ShapeList::FloatsPerPoint} * outline.getPointCount() + outline.getIndexCount();
    return size <= length - offset ? outline : ShapeList();
}

} // namespace

void ParametricShape::about(PluginWindowHandle* parent)
{
    showPluginAbout(parent, texts);
}

uint32_t* ParametricShape::parameterWords(VornCrossSection* crossSection)
{
    if (crossSection == nullptr || crossSection->shapeData.getLength() < ShapeParameters::Words)
        return nullptr;
    return crossSection->shapeData.getData();
}

void ParametricShape::applyToCrossSection(VornCrossSection* crossSection)
{
    if (crossSection == nullptr)
        return;
    // The parameters are read before the data is resized: a new size replaces the words.
    const uint32_t* stored = crossSection->shape == this ? parameterWords(crossSection) : nullptr;
    const ShapeParameters parameters =
        stored != nullptr ? storedParameters(stored) : derivedParameters(crossSection->getArea());
    crossSection->shapeData.reallocate(dataWords(parameters));
    uint32_t* data = crossSection->shapeData.getData();
    parameters.writeTo(data);
    writeOutlines(data, parameters);
    crossSection->shape = this;
    // The values come from the stored single-precision extents, so applying the shape again finds
    // the same values and leaves the section and its members alone.
    const SectionValues values = computeValues(parameters);
    crossSection->setValues(values.area, values.ix, values.iy, values.ixy, values.j);
}

const char* ParametricShape::getParameterName(int32_t index)
{
    return index >= 0 && index < 6 ? parameterNames[index] : "";
}

bool ParametricShape::isParameterEditable(int32_t index, VornCrossSection* crossSection)
{
    const uint32_t* words = parameterWords(crossSection);
    if (words == nullptr)
        return false;
    const ShapeParameters parameters = ShapeParameters::readFrom(words);
    switch (index)
    {
    case 0:
    case 1:
    case 3:
        return true;
    case 2:
        return !parameters.isSquare();
    case 4:
        return !parameters.isSolid();
    case 5:
        return !parameters.isSolid() && !parameters.isSquare();
    default:
        return false;
    }
}

bool ParametricShape::getBoolParameter(int32_t index, VornCrossSection* crossSection)
{
    const uint32_t* words = parameterWords(crossSection);
    if (words == nullptr)
        return false;
    const ShapeParameters parameters = ShapeParameters::readFrom(words);
    if (index == 0)
        return parameters.isSquare();
    if (index == 3)
        return parameters.isSolid();
    return false;
}

double ParametricShape::getDoubleParameter(int32_t index, VornCrossSection* crossSection)
{
    const uint32_t* words = parameterWords(crossSection);
    if (words == nullptr)
        return 0;
    ShapeParameters parameters = ShapeParameters::readFrom(words);
    const float* extent = parameters.extent(index);
    return extent != nullptr ? *extent : 0.0;
}

bool ParametricShape::setBoolParameter(int32_t index, VornCrossSection* crossSection, bool value)
{
    uint32_t* words = parameterWords(crossSection);
    if (words == nullptr || (index != 0 && index != 3))
        return false;
    const uint32_t bit = index == 0 ? ShapeFlag::Square : ShapeFlag::Solid;
    if (((words[0] & bit) != 0) == value)
        return false;
    words[0] ^= bit;
    return true;
}

bool ParametricShape::setDoubleParameter(int32_t index, VornCrossSection* crossSection, double value)
{
    uint32_t* words = parameterWords(crossSection);
    const float stored = static_cast<float>(value);
    if (words == nullptr || !std::isfinite(stored))
        return false;
    ShapeParameters parameters = ShapeParameters::readFrom(words);
    float* extent = parameters.extent(index);
    if (extent == nullptr || *extent == stored)
        return false;
    *extent = stored;
    const bool square = parameters.isSquare();
    const double below = innerLimit * stored;
    const double above = outerLimit * stored;
    switch (index)
    {
    case 1:
        if (square)
            parameters.outerY = stored;
        if (parameters.innerX > below)
        {
            parameters.innerX = storedLength(below);
            if (square)
                parameters.innerY = parameters.innerX;
        }
        break;
    case 2:
        if (parameters.innerY > below)
            parameters.innerY = storedLength(below);
        break;
    case 4:
        if (square)
            parameters.innerY = stored;
        if (parameters.outerX < above)
        {
            parameters.outerX = storedLength(above);
            if (square)
                parameters.outerY = parameters.outerX;
        }
        break;
    case 5:
        if (parameters.outerY < above)
            parameters.outerY = storedLength(above);
        break;
    default:
        break;
    }
    parameters.writeTo(words);
    return true;
}

// ---- Rectangle ----

PluginShapeRectangle::PluginShapeRectangle() : ParametricShape(rectangleTexts, rectangleParameterNames)
{
}

ShapeList PluginShapeRectangle::getShapeList(VornCrossSection* crossSection)
{
    return outlineAt(crossSection, this, ShapeParameters::Words);
}

ShapeParameters PluginShapeRectangle::storedParameters(const uint32_t* words)
{
    ShapeParameters parameters = ShapeParameters::readFrom(words);
    if (parameters.isSquare())
    {
        parameters.outerY = parameters.outerX;
        parameters.innerY = parameters.innerX;
    }
    return parameters;
}

uint32_t PluginShapeRectangle::dataWords(const ShapeParameters& parameters)
{
    return ShapeParameters::Words + rectangleOutlineWords(parameters.isSolid());
}

void PluginShapeRectangle::writeOutlines(uint32_t* data, const ShapeParameters& parameters)
{
    writeRectangleOutline(data + ShapeParameters::Words, parameters);
}

// ---- Tube ----

PluginShapeTube::PluginShapeTube() : ParametricShape(tubeTexts, tubeParameterNames)
{
}

ShapeList PluginShapeTube::getShapeList(VornCrossSection* crossSection)
{
    return outlineAt(crossSection, this, tubeFineOffsetWord + 1);
}

ShapeList PluginShapeTube::getSecondShapeList(VornCrossSection* crossSection)
{
    if (outlineAt(crossSection, this, tubeFineOffsetWord + 1).isNull())
        return ShapeList();
    return outlineAt(crossSection, this, crossSection->shapeData.getData()[tubeFineOffsetWord]);
}

ShapeParameters PluginShapeTube::storedParameters(const uint32_t* words)
{
    // An ellipse keeps its axes when "Circle" is ticked; the setters make them equal from then on.
    // The Tube owns its whole flag word: its mark and its two switches, nothing else.
    ShapeParameters parameters = ShapeParameters::readFrom(words);
    parameters.flags = ShapeFlag::TubeMark | (parameters.flags & (ShapeFlag::Solid | ShapeFlag::Square));
    return parameters;
}

uint32_t PluginShapeTube::dataWords(const ShapeParameters& parameters)
{
    const bool solid = parameters.isSolid();
    return tubeFineOffsetWord + 1 + tubeOutlineWords(coarseTubePoints, solid) + tubeOutlineWords(fineTubePoints, solid);
}

void PluginShapeTube::writeOutlines(uint32_t* data, const ShapeParameters& parameters)
{
    const ShapeList coarse = writeTubeOutline(data + tubeFineOffsetWord + 1, coarseTubePoints, parameters);
    const uint32_t fineOffset = tubeFineOffsetWord + 1 + coarse.getSize();
    data[tubeFineOffsetWord] = fineOffset;
    writeTubeOutline(data + fineOffset, fineTubePoints, parameters);
}

// ---- HBeam ----

const char* PluginShapeHBeam::getName()
{
    return hBeamTexts.name;
}

const char* PluginShapeHBeam::getDescription()
{
    return hBeamTexts.description;
}

void PluginShapeHBeam::about(PluginWindowHandle* parent)
{
    showPluginAbout(parent, hBeamTexts);
}

void PluginShapeHBeam::applyToCrossSection(VornCrossSection* crossSection)
{
    if (crossSection == nullptr)
        return;
    crossSection->shapeData.reallocate(ShapeParameters::Words + hBeamOutlineWords());
    uint32_t* data = crossSection->shapeData.getData();
    // The H has no parameters; its block stays empty rather than holding stale words.
    std::fill(data, data + ShapeParameters::Words, 0u);
    writeHBeamOutline(data + ShapeParameters::Words, crossSection->getArea());
    crossSection->shape = this;
}

ShapeList PluginShapeHBeam::getShapeList(VornCrossSection* crossSection)
{
    return outlineAt(crossSection, this, ShapeParameters::Words);
}

} // namespace lumbra
