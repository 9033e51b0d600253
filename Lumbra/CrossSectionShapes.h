#pragma once

// The parametric cross-section shapes: how their parameters turn into the five section values and
// into the outlines the views draw members with. The arithmetic is kept in plain functions so that
// it can be checked without a document; the plugins bind it to a cross-section's shape data.

#include "Lumbra/LumbraPluginTexts.h"
#include "VornData/ShapeList.h"
#include "plugins/VornPluginObjectType.h"

#include <cstdint>

namespace lumbra
{

// Bits of the flag word of a shape's parameter block.
namespace ShapeFlag
{
constexpr uint32_t TubeMark = 1; // always set by the Tube
constexpr uint32_t Solid = 2;
constexpr uint32_t Square = 4; // "Square" of the Rectangle, "Circle" of the Tube
} // namespace ShapeFlag

// The parameter block at the start of a Rectangle's or a Tube's shape data: the flag word and the
// full outer and inner extents along x and y, in single precision.
struct ShapeParameters
{
    static constexpr uint32_t Words = 5;

    uint32_t flags = 0;
    float outerX = 0;
    float outerY = 0;
    float innerX = 0;
    float innerY = 0;

    bool isSolid() const { return (flags & ShapeFlag::Solid) != 0; }
    bool isSquare() const { return (flags & ShapeFlag::Square) != 0; }
    // Extent of a parameter index (1 outer x, 2 outer y, 4 inner x, 5 inner y); null for others.
    float* extent(int32_t index);
    // Whether a parameter index is an inner extent, which may be 0 where an outer one may not.
    static bool isInnerExtent(int32_t index) { return index == 4 || index == 5; }

    static ShapeParameters readFrom(const uint32_t* words);
    void writeTo(uint32_t* words) const;
};

// Area, Ix, Iy, Ixy and J of a section.
struct SectionValues
{
    double area = 0;
    double ix = 0;
    double iy = 0;
    double ixy = 0;
    double j = 0;
};

// The factor of b t^3 that gives the torsion constant of a solid rectangle with side ratio q <= 1.
double torsionFactor(double q);
// Solid or hollow rectangle of the block's extents (the inner ones only count when hollow).
SectionValues rectangleValues(const ShapeParameters& parameters);
// Solid or hollow ellipse of the block's axis lengths.
SectionValues tubeValues(const ShapeParameters& parameters);

// The extents a shape applied afresh derives from a cross-section's area: the Rectangle a solid
// square of that area (a 0.1 square for no area), the Tube a solid circle (zero extents for no area).
ShapeParameters rectangleFromArea(double area);
ShapeParameters tubeFromArea(double area);

// Points around a tube's coarse and fine outline.
constexpr uint32_t coarseTubePoints = 6;
constexpr uint32_t fineTubePoints = 12;

// Words of each outline, from the points, lists and indices it is made of.
uint32_t rectangleOutlineWords(bool solid);
uint32_t tubeOutlineWords(uint32_t pointsAround, bool solid);
uint32_t hBeamOutlineWords();

// Each writer fills a shape list at `words`, which must hold the words its size function answers.
ShapeList writeRectangleOutline(uint32_t* words, const ShapeParameters& parameters);
ShapeList writeTubeOutline(uint32_t* words, uint32_t pointsAround, const ShapeParameters& parameters);
// An H of that area (its absolute value).
ShapeList writeHBeamOutline(uint32_t* words, double area);

// What the Rectangle and the Tube share: six parameters kept in the block at the start of the
// shape data, outlines after it, and the rules that keep the inner extents inside the outer ones.
class ParametricShape : public VornPluginShape
{
public:
    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;

    void applyToCrossSection(VornCrossSection* crossSection) override;
    int32_t getParameterCount() override { return 6; }
    bool isBooleanParameter(int32_t index) override { return index == 0 || index == 3; }
    const char* getParameterName(int32_t index) override;
    bool isParameterEditable(int32_t index, VornCrossSection* crossSection) override;
    bool getBoolParameter(int32_t index, VornCrossSection* crossSection) override;
    double getDoubleParameter(int32_t index, VornCrossSection* crossSection) override;
    bool setBoolParameter(int32_t index, VornCrossSection* crossSection, bool value) override;
    // The value is stored in single precision; a value that is not finite there is refused.
    bool setDoubleParameter(int32_t index, VornCrossSection* crossSection, double value) override;

protected:
    ParametricShape(const PluginTexts& texts, const char* const (&parameterNames)[6])
        : texts(texts), parameterNames(parameterNames)
    {
    }

    // The parameters to build from: the stored block when the shape built the section before,
    // else derived from the area.
    virtual ShapeParameters storedParameters(const uint32_t* words) = 0;
    virtual ShapeParameters derivedParameters(double area) = 0;
    virtual SectionValues computeValues(const ShapeParameters& parameters) = 0;
    virtual uint32_t dataWords(const ShapeParameters& parameters) = 0;
    // Writes the outlines behind the parameter block.
    virtual void writeOutlines(uint32_t* data, const ShapeParameters& parameters) = 0;

private:
    // The parameter block of a cross-section that has shape data; null otherwise.
    static uint32_t* parameterWords(VornCrossSection* crossSection);

    PluginTexts texts;
    const char* const (&parameterNames)[6];
};

// A solid rectangle or a rectangular tube, optionally square ("Rectangle").
class PluginShapeRectangle : public ParametricShape
{
public:
    PluginShapeRectangle();
    ShapeList getShapeList(VornCrossSection* crossSection) override;
    ShapeList getSecondShapeList(VornCrossSection* crossSection) override { return getShapeList(crossSection); }

protected:
    ShapeParameters storedParameters(const uint32_t* words) override;
    ShapeParameters derivedParameters(double area) override { return rectangleFromArea(area); }
    SectionValues computeValues(const ShapeParameters& parameters) override { return rectangleValues(parameters); }
    uint32_t dataWords(const ShapeParameters& parameters) override;
    void writeOutlines(uint32_t* data, const ShapeParameters& parameters) override;
};

// A solid ellipse or an elliptic tube, optionally circular, with a coarse and a fine outline
// ("Tube"). Word 5 of its data holds where the fine outline starts.
class PluginShapeTube : public ParametricShape
{
public:
    PluginShapeTube();
    ShapeList getShapeList(VornCrossSection* crossSection) override;
    ShapeList getSecondShapeList(VornCrossSection* crossSection) override;

protected:
    ShapeParameters storedParameters(const uint32_t* words) override;
    ShapeParameters derivedParameters(double area) override { return tubeFromArea(area); }
    SectionValues computeValues(const ShapeParameters& parameters) override { return tubeValues(parameters); }
    uint32_t dataWords(const ShapeParameters& parameters) override;
    void writeOutlines(uint32_t* data, const ShapeParameters& parameters) override;
};

// An H drawn with the cross-section's area; the values stay as they were typed ("HBeam").
class PluginShapeHBeam : public VornPluginShape
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;

    void applyToCrossSection(VornCrossSection* crossSection) override;
    ShapeList getShapeList(VornCrossSection* crossSection) override;
    ShapeList getSecondShapeList(VornCrossSection* crossSection) override { return getShapeList(crossSection); }
    int32_t getParameterCount() override { return 0; }
    bool isBooleanParameter(int32_t) override { return false; }
    const char* getParameterName(int32_t) override { return ""; }
    bool isParameterEditable(int32_t, VornCrossSection*) override { return true; }
    bool getBoolParameter(int32_t, VornCrossSection*) override { return false; }
    double getDoubleParameter(int32_t, VornCrossSection*) override { return 0; }
    bool setBoolParameter(int32_t, VornCrossSection*, bool) override { return false; }
    bool setDoubleParameter(int32_t, VornCrossSection*, double) override { return false; }
};

} // namespace lumbra
