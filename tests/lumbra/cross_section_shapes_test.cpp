// The cross-section shapes on cross-sections of a model: the section values against their closed
// forms, the outlines point by point, the parameter rules, and sections without extent.

#include "Lumbra/CrossSectionShapes.h"
#include "tests/core/ModelFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace
{

using lumbra::PluginShapeHBeam;
using lumbra::PluginShapeRectangle;
using lumbra::PluginShapeTube;

// What a shape list holds, copied out of the shape data.
struct Outline
{
    uint32_t pointCount = 0;
    std::vector<uint32_t> listEnds;
    std::vector<std::array<float, 6>> points;
    std::vector<int32_t> indices;
};

Outline read(const ShapeList& list)
{
    Outline outline;
    if (list.isNull())
        return outline;
    outline.pointCount = list.getPointCount();
    for (uint32_t index = 0; index < list.getListCount(); ++index)
        outline.listEnds.push_back(list.getListEnd(index));
    const float* points = list.getPoints();
    for (uint32_t index = 0; index < list.getPointCount(); ++index)
    {
        std::array<float, 6> point{};
        std::copy(points + 6 * index, points + 6 * index + 6, point.begin());
        outline.points.push_back(point);
    }
    const int32_t* indices = list.getIndexList();
    outline.indices.assign(indices, indices + list.getIndexCount());
    return outline;
}

// The six parameters of a Rectangle or a Tube, as the cross-section pages set them.
struct Extents
{
    bool square;
    double outerX;
    double outerY;
    bool solid;
    double innerX;
    double innerY;
};

void expectNear(double actual, double expected, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-6 + 1e-15) << what;
}

void expectValues(VornCrossSection* section, const std::array<double, 4>& areaIxIyJ)
{
    expectNear(section->getArea(), areaIxIyJ[0], "area");
    expectNear(section->getIx(), areaIxIyJ[1], "Ix");
    expectNear(section->getIy(), areaIxIyJ[2], "Iy");
    EXPECT_EQ(section->getIxy(), 0.0);
    expectNear(section->getJ(), areaIxIyJ[3], "J");
}

void expectPoints(const Outline& outline, const std::vector<std::array<double, 6>>& expected)
{
    ASSERT_EQ(outline.points.size(), expected.size());
    for (size_t point = 0; point < expected.size(); ++point)
        for (size_t word = 0; word < 6; ++word)
            EXPECT_NEAR(outline.points[point][word], expected[point][word], 2e-7)
                << "point " << point << " float " << word;
}

class Shapes : public ::testing::Test
{
protected:
    VornCrossSection* section(double area)
    {
        VornCrossSection* made = model.crossSections->add();
        made->setArea(area);
        return made;
    }

    // A section of that area shaped, then given the extents and shaped again.
    VornCrossSection* build(VornPluginShape& shape, const Extents& extents)
    {
        VornCrossSection* made = section(0.01);
        shape.applyToCrossSection(made);
        shape.setBoolParameter(0, made, extents.square);
        shape.setBoolParameter(3, made, extents.solid);
        shape.setDoubleParameter(1, made, extents.outerX);
        if (!extents.square)
            shape.setDoubleParameter(2, made, extents.outerY);
        if (!extents.solid)
        {
            shape.setDoubleParameter(4, made, extents.innerX);
            if (!extents.square)
                shape.setDoubleParameter(5, made, extents.innerY);
        }
        shape.applyToCrossSection(made);
        return made;
    }

    // Every value and every float of every outline of the section is finite.
    void expectFinite(VornCrossSection* made)
    {
        for (double value : {made->getArea(), made->getIx(), made->getIy(), made->getIxy(), made->getJ()})
            EXPECT_TRUE(std::isfinite(value));
        for (const ShapeList& list : {made->shape->getShapeList(made), made->shape->getSecondShapeList(made)})
        {
            ASSERT_FALSE(list.isNull());
            for (const auto& point : read(list).points)
                for (float word : point)
                    EXPECT_TRUE(std::isfinite(word));
        }
    }

    ModelDocument model;
    PluginShapeRectangle rectangle;
    PluginShapeTube tube;
    PluginShapeHBeam hBeam;
};

// ---- section values ----

struct ValuesCase
{
    const char* what;
    bool tubeShape;
    Extents extents;
    std::array<double, 4> areaIxIyJ;
};

class ShapeValues : public Shapes, public ::testing::WithParamInterface<ValuesCase>
{
};

TEST_P(ShapeValues, MatchTheClosedFormsOfTheSection)
{
    const ValuesCase& c = GetParam();
    VornCrossSection* made = build(c.tubeShape ? static_cast<VornPluginShape&>(tube) : rectangle, c.extents);
    expectValues(made, c.areaIxIyJ);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ShapeValues,
    ::testing::Values(
        // J of a solid rectangle: (0.333 - 0.20757576 q) b t^3 up to q = 0.66, then (0.3027647 - 0.1617647 q).
        ValuesCase{
            "flat rectangle", false, {false, 0.2, 0.1, true, 0, 0}, {0.02, 1.666667e-5, 6.666667e-5, 4.584242e-5}},
        ValuesCase{"tall rectangle", false, {false, 0.1, 0.3, true, 0, 0}, {0.03, 2.25e-4, 2.5e-5, 7.914242e-5}},
        ValuesCase{"nearly square", false, {false, 0.1, 0.12, true, 0, 0}, {0.012, 1.44e-5, 1.0e-5, 2.015529e-5}},
        // Thin walls both ways: Bredt's formula on the centre lines.
        ValuesCase{"thin square tube",
                   false,
                   {true, 0.2, 0.2, false, 0.18, 0.18},
                   {0.0076, 4.585333e-5, 4.585333e-5, 6.859e-5}},
        ValuesCase{"thin rectangular tube",
                   false,
                   {false, 0.3, 0.2, false, 0.28, 0.18},
                   {0.0096, 6.392e-5, 1.2072e-4, 1.265004e-4}},
        // Thin in one direction only: the solid rule on the outer sizes.
        ValuesCase{"thick-walled tube",
                   false,
                   {false, 0.2, 0.1, false, 0.19, 0.05},
                   {0.0105, 1.46875e-5, 3.80875e-5, 4.584242e-5}},
        ValuesCase{
            "solid ellipse", true, {false, 0.2, 0.1, true, 0, 0}, {0.01570796, 9.817477e-6, 3.926991e-5, 4.908739e-5}},
        ValuesCase{"hollow circle",
                   true,
                   {true, 0.2, 0.2, false, 0.16, 0.16},
                   {0.01130973, 4.636991e-5, 4.636991e-5, 9.273982e-5}},
        ValuesCase{"hollow ellipse",
                   true,
                   {false, 0.2, 0.1, false, 0.16, 0.08},
                   {5.654867e-3, 5.796238e-6, 2.318495e-5, 2.898119e-5}}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& letter : name)
            if (letter == ' ' || letter == '-')
                letter = '_';
        return name;
    });

TEST_F(Shapes, AppliedAfreshTheyBuildASolidSquareOrCircleOfTheArea)
{
    VornCrossSection* square = section(0.01);
    rectangle.applyToCrossSection(square);
    expectValues(square, {0.01, 8.333333e-6, 8.333333e-6, 1.41e-5});
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(1, square), 0.1f);
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(2, square), 0.1f);
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(4, square), 0.08f);
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(5, square), 0.08f);
    EXPECT_TRUE(rectangle.getBoolParameter(0, square));
    EXPECT_TRUE(rectangle.getBoolParameter(3, square));

    VornCrossSection* circle = section(-0.01); // the shapes take the area's size
    tube.applyToCrossSection(circle);
    expectValues(circle, {0.01, 7.957747e-6, 7.957747e-6, 1.591549e-5});
    EXPECT_FLOAT_EQ(tube.getDoubleParameter(1, circle), 0.1128379f);
    EXPECT_FLOAT_EQ(tube.getDoubleParameter(5, circle), 0.8f * 0.1128379f);
    EXPECT_EQ(circle->shapeData.getData()[0], 7u); // 1, solid, circle
    EXPECT_EQ(square->shapeData.getData()[0], 6u); // solid, square
}

TEST_F(Shapes, ApplyingAShapeAgainLeavesTheValuesAsTheyAre)
{
    // The values come from the stored single-precision extents on both paths: a second application
    // and a section rebuilt from the written area (as the model reader does) find the same numbers.
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&tube), static_cast<VornPluginShape*>(&rectangle)})
    {
        SCOPED_TRACE(shape->getName());
        VornCrossSection* first = section(0.01);
        shape->applyToCrossSection(first);
        const std::array<double, 5> built = {first->getArea(), first->getIx(), first->getIy(), first->getIxy(),
                                             first->getJ()};
        EXPECT_NEAR(built[0], 0.01, 1e-9);
        shape->applyToCrossSection(first);
        EXPECT_EQ(
            (std::array<double, 5>{first->getArea(), first->getIx(), first->getIy(), first->getIxy(), first->getJ()}),
            built);

        VornCrossSection* reread = section(first->getArea());
        shape->applyToCrossSection(reread);
        EXPECT_TRUE(reread->isEqual(*first));
    }
}

TEST_F(Shapes, TheHBeamKeepsTheTypedValues)
{
    VornCrossSection* made = section(0.02);
    made->setValues(0.02, 1e-5, 2e-5, 3e-7, 4e-6);
    hBeam.applyToCrossSection(made);
    EXPECT_EQ(made->shape, &hBeam);
    EXPECT_EQ(made->getArea(), 0.02);
    EXPECT_EQ(made->getIx(), 1e-5);
    EXPECT_EQ(made->getIy(), 2e-5);
    EXPECT_EQ(made->getIxy(), 3e-7);
    EXPECT_EQ(made->getJ(), 4e-6);
    EXPECT_EQ(hBeam.getParameterCount(), 0);
}

TEST_F(Shapes, SwitchingShapesReplacesTheParametersByASolidOfTheSameArea)
{
    VornCrossSection* made = build(rectangle, {false, 0.3, 0.1, false, 0.2, 0.05});
    const double area = made->getArea();
    tube.applyToCrossSection(made);
    EXPECT_NEAR(made->getArea(), area, area * 1e-6);
    EXPECT_TRUE(tube.getBoolParameter(3, made));
    EXPECT_TRUE(tube.getBoolParameter(0, made));
    EXPECT_FLOAT_EQ(tube.getDoubleParameter(1, made), tube.getDoubleParameter(2, made));
    rectangle.applyToCrossSection(made);
    EXPECT_NEAR(made->getArea(), area, area * 1e-6);
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(1, made), static_cast<float>(std::sqrt(area)));
}

// ---- outlines ----

TEST_F(Shapes, SolidRectangleOutline)
{
    VornCrossSection* made = build(rectangle, {false, 0.2, 0.1, true, 0, 0});
    EXPECT_EQ(made->shapeData.getLength(), 5u + 32u);
    const Outline outline = read(rectangle.getShapeList(made));
    EXPECT_EQ(outline.listEnds, (std::vector<uint32_t>{4}));
    expectPoints(
        outline,
        {{0.1, 0.05, 0, 1, 1, 0}, {0.1, -0.05, 1, 0, 0, -1}, {-0.1, -0.05, 0, -1, -1, 0}, {-0.1, 0.05, -1, 0, 0, 1}});
    EXPECT_EQ(outline.indices, (std::vector<int32_t>{0, 1, 3, 2}));
    EXPECT_EQ(rectangle.getSecondShapeList(made).getWords(), rectangle.getShapeList(made).getWords());
}

TEST_F(Shapes, RectangularTubeOutline)
{
    VornCrossSection* made = build(rectangle, {false, 0.2, 0.1, false, 0.16, 0.06});
    EXPECT_EQ(made->shapeData.getLength(), 5u + 63u);
    const Outline outline = read(rectangle.getShapeList(made));
    EXPECT_EQ(outline.listEnds, (std::vector<uint32_t>{4, 8}));
    expectPoints(outline,
                 {{0.1, 0.05, 0, 1, 1, 0},
                  {0.1, -0.05, 1, 0, 0, -1},
                  {-0.1, -0.05, 0, -1, -1, 0},
                  {-0.1, 0.05, -1, 0, 0, 1},
                  {0.08, 0.03, -0.8, 0, 0, -0.8},
                  {-0.08, 0.03, 0, -0.8, 0.8, 0},
                  {-0.08, -0.03, 0.8, 0, 0, 0.8},
                  {0.08, -0.03, 0, 0.8, -0.8, 0}});
    EXPECT_EQ(outline.indices, (std::vector<int32_t>{4, 0, 7, 1, 6, 2, 5, 3, 4, 0}));
    EXPECT_EQ(made->shapeData.getData()[0], 0u); // neither solid nor square
}

TEST_F(Shapes, SolidTubeOutlinesCoarseAndFine)
{
    VornCrossSection* made = section(0.01);
    tube.applyToCrossSection(made);
    EXPECT_EQ(made->shapeData.getLength(), 140u);
    EXPECT_EQ(made->shapeData.getData()[5], 52u);
    EXPECT_EQ(tube.getShapeList(made).getWords(), made->shapeData.getData() + 6);
    EXPECT_EQ(tube.getSecondShapeList(made).getWords(), made->shapeData.getData() + 52);

    const Outline coarse = read(tube.getShapeList(made));
    EXPECT_EQ(coarse.listEnds, (std::vector<uint32_t>{6}));
    const double r = 0.05641896, half = 0.02820948, high = 0.04886025, s = 0.8660254;
    // Clockwise from the positive x axis, in steps of 60 degrees.
    expectPoints(coarse,
                 {{r, 0, 1, 0, 1, 0},
                  {half, -high, 0.5, -s, 0.5, -s},
                  {-half, -high, -0.5, -s, -0.5, -s},
                  {-r, 0, -1, 0, -1, 0},
                  {-half, high, -0.5, s, -0.5, s},
                  {half, high, 0.5, s, 0.5, s}});
    EXPECT_EQ(coarse.indices, (std::vector<int32_t>{0, 1, 5, 2, 4, 3}));

    const Outline fine = read(tube.getSecondShapeList(made));
    EXPECT_EQ(fine.listEnds, (std::vector<uint32_t>{12}));
    EXPECT_EQ(fine.indices, (std::vector<int32_t>{0, 1, 11, 2, 10, 3, 9, 4, 8, 5, 7, 6}));
    EXPECT_NEAR(fine.points[3][0], 0.0, 1e-7); // a quarter turn clockwise: straight down
    EXPECT_NEAR(fine.points[3][1], -r, 1e-7);
}

TEST_F(Shapes, HollowTubeOutlines)
{
    VornCrossSection* made = build(tube, {true, 0.2, 0.2, false, 0.16, 0.16});
    EXPECT_EQ(made->shapeData.getLength(), 272u);
    EXPECT_EQ(made->shapeData.getData()[5], 97u);
    EXPECT_EQ(made->shapeData.getData()[0], 5u); // 1 and circle, not solid

    const Outline coarse = read(tube.getShapeList(made));
    EXPECT_EQ(coarse.listEnds, (std::vector<uint32_t>{6, 12}));
    EXPECT_EQ(coarse.indices, (std::vector<int32_t>{6, 0, 11, 1, 10, 2, 9, 3, 8, 4, 7, 5, 6, 0}));
    // The hole runs the other way round and its normals, 0.8 long, point to the centre.
    const double s = 0.8660254;
    Outline hole;
    hole.points.assign(coarse.points.begin() + 6, coarse.points.begin() + 8);
    expectPoints(hole, {{0.08, 0, -0.8, 0, -0.8, 0}, {0.04, 0.08 * s, -0.4, -0.8 * s, -0.4, -0.8 * s}});

    const Outline fine = read(tube.getSecondShapeList(made));
    EXPECT_EQ(fine.listEnds, (std::vector<uint32_t>{12, 24}));
    EXPECT_EQ(fine.indices, (std::vector<int32_t>{12, 0,  23, 1,  22, 2,  21, 3,  20, 4,  19, 5,  18,
                                                  6,  17, 7,  16, 8,  15, 9,  14, 10, 13, 11, 12, 0}));
}

TEST_F(Shapes, EllipseOutlinesLieOnTheEllipseWithNormalsAcrossIt)
{
    VornCrossSection* made = build(tube, {false, 0.3, 0.1, false, 0.2, 0.06});
    for (const ShapeList& list : {tube.getShapeList(made), tube.getSecondShapeList(made)})
    {
        const Outline outline = read(list);
        const size_t around = outline.points.size() / 2;
        for (size_t index = 0; index < outline.points.size(); ++index)
        {
            SCOPED_TRACE(index);
            const bool hole = index >= around;
            const double a = hole ? 0.1 : 0.15, b = hole ? 0.03 : 0.05;
            const auto& p = outline.points[index];
            EXPECT_NEAR(p[0] * p[0] / (a * a) + p[1] * p[1] / (b * b), 1.0, 1e-5);
            // The ellipse's gradient (x / a², y / b²) is along the normal: outward outside, inward in the hole.
            const double gradientX = p[0] / (a * a), gradientY = p[1] / (b * b);
            EXPECT_NEAR(p[2] * gradientY - p[3] * gradientX, 0.0, 1e-4 * std::hypot(gradientX, gradientY));
            EXPECT_EQ(p[2] * gradientX + p[3] * gradientY > 0, !hole);
            EXPECT_NEAR(std::hypot(p[2], p[3]), hole ? 0.8 : 1.0, 1e-6);
            EXPECT_EQ(p[2], p[4]);
            EXPECT_EQ(p[3], p[5]);
        }
    }
}

TEST_F(Shapes, HBeamOutlineHasTheSectionsArea)
{
    VornCrossSection* made = section(0.01);
    hBeam.applyToCrossSection(made);
    EXPECT_EQ(made->shapeData.getLength(), 5u + 90u);
    const Outline outline = read(hBeam.getShapeList(made));
    EXPECT_EQ(outline.listEnds, (std::vector<uint32_t>{12}));
    const double b = 0.0883883476;
    expectPoints(outline,
                 {{b, b, 0, 1, 1, 0},
                  {b, 0.8 * b, 1, 0, 0, -1},
                  {0.15 * b, 0.8 * b, 0, -1, 1, 0},
                  {0.15 * b, -0.8 * b, 1, 0, 0, 1},
                  {b, -0.8 * b, 0, 1, 1, 0},
                  {b, -b, 1, 0, 0, -1},
                  {-b, -b, 0, -1, -1, 0},
                  {-b, -0.8 * b, -1, 0, 0, 1},
                  {-0.15 * b, -0.8 * b, 0, 1, -1, 0},
                  {-0.15 * b, 0.8 * b, -1, 0, 0, -1},
                  {-b, 0.8 * b, 0, -1, -1, 0},
                  {-b, b, -1, 0, 0, 1}});
    EXPECT_EQ(outline.indices, (std::vector<int32_t>{0, 1, 11, 10, -1, 9, 2, 8, 3, -1, 4, 5, 7, 6}));
    // Shoelace area of the contour.
    double twiceArea = 0;
    for (size_t index = 0; index < 12; ++index)
    {
        const auto& p = outline.points[index];
        const auto& q = outline.points[(index + 1) % 12];
        twiceArea += p[0] * q[1] - q[0] * p[1];
    }
    EXPECT_NEAR(std::fabs(twiceArea) / 2, 0.01, 1e-8);
}

TEST_F(Shapes, AnOutlineIsOnlyFoundInASectionTheShapeBuilt)
{
    VornCrossSection* made = section(0.01);
    EXPECT_TRUE(tube.getShapeList(made).isNull());
    EXPECT_TRUE(tube.getShapeList(nullptr).isNull());
    rectangle.applyToCrossSection(made);
    // The Rectangle's words read as a Tube's would point its fine outline anywhere.
    EXPECT_TRUE(tube.getShapeList(made).isNull());
    EXPECT_TRUE(tube.getSecondShapeList(made).isNull());
    EXPECT_TRUE(hBeam.getShapeList(made).isNull());
    EXPECT_FALSE(rectangle.getShapeList(made).isNull());
}

// ---- parameters ----

TEST(ShapeParameterNames, NamesKindsAndCount)
{
    PluginShapeRectangle rectangle;
    PluginShapeTube tube;
    PluginShapeHBeam hBeam;
    const char* rectangleNames[] = {"Square", "width", "height", "Solid", "inner width", "inner height", "", ""};
    const char* tubeNames[] = {"Circle", "outer rX", "outer rY", "Solid", "inner rX", "inner rY", "", ""};
    const int32_t indices[] = {0, 1, 2, 3, 4, 5, 6, -1};
    for (size_t at = 0; at < std::size(indices); ++at)
    {
        const int32_t index = indices[at];
        SCOPED_TRACE(index);
        EXPECT_STREQ(rectangle.getParameterName(index), rectangleNames[at]);
        EXPECT_STREQ(tube.getParameterName(index), tubeNames[at]);
        EXPECT_STREQ(hBeam.getParameterName(index), "");
        EXPECT_EQ(rectangle.isBooleanParameter(index), index == 0 || index == 3);
        EXPECT_EQ(tube.isBooleanParameter(index), index == 0 || index == 3);
        EXPECT_FALSE(hBeam.isBooleanParameter(index));
    }
    EXPECT_EQ(rectangle.getParameterCount(), 6);
    EXPECT_EQ(tube.getParameterCount(), 6);
}

struct EditableCase
{
    bool square;
    bool solid;
    std::array<bool, 7> editable; // indices 0 to 6
};

class ShapeEditable : public Shapes, public ::testing::WithParamInterface<EditableCase>
{
};

TEST_P(ShapeEditable, FollowsSquareAndSolid)
{
    const EditableCase& c = GetParam();
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&tube), static_cast<VornPluginShape*>(&rectangle)})
    {
        VornCrossSection* made = section(0.01);
        shape->applyToCrossSection(made);
        shape->setBoolParameter(0, made, c.square);
        shape->setBoolParameter(3, made, c.solid);
        for (int32_t index = 0; index < 7; ++index)
            EXPECT_EQ(shape->isParameterEditable(index, made), c.editable[index]) << shape->getName() << " " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, ShapeEditable,
                         ::testing::Values(EditableCase{true, true, {true, true, false, true, false, false, false}},
                                           EditableCase{false, true, {true, true, true, true, false, false, false}},
                                           EditableCase{true, false, {true, true, false, true, true, false, false}},
                                           EditableCase{false, false, {true, true, true, true, true, true, false}}));

TEST_F(Shapes, FlagSettersAnswerWhetherTheFlagChanged)
{
    VornCrossSection* made = section(0.01);
    rectangle.applyToCrossSection(made);
    EXPECT_FALSE(rectangle.setBoolParameter(0, made, true)); // already square
    EXPECT_TRUE(rectangle.setBoolParameter(0, made, false));
    EXPECT_FALSE(rectangle.getBoolParameter(0, made));
    EXPECT_TRUE(rectangle.setBoolParameter(3, made, false));
    EXPECT_FALSE(rectangle.getBoolParameter(3, made));
    for (int32_t index : {1, 2, 4, 5, 6, -1})
        EXPECT_FALSE(rectangle.setBoolParameter(index, made, true)) << index;
    EXPECT_EQ(made->shapeData.getData()[0], 0u);
    // The extents are not touched.
    EXPECT_FLOAT_EQ(rectangle.getDoubleParameter(1, made), 0.1f);
}

struct SetterCase
{
    const char* what;
    bool square;
    int32_t index;
    double value;
    bool changed;
    std::array<float, 4> extents; // outer x, outer y, inner x, inner y after the call
};

class ShapeExtentSetter : public Shapes, public ::testing::WithParamInterface<SetterCase>
{
};

TEST_P(ShapeExtentSetter, KeepsTheHoleInsideTheOutline)
{
    const SetterCase& c = GetParam();
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&tube), static_cast<VornPluginShape*>(&rectangle)})
    {
        SCOPED_TRACE(shape->getName());
        // Outer 0.1 by 0.1, inner 0.08 by 0.08, hollow.
        VornCrossSection* made = section(0.01);
        rectangle.applyToCrossSection(made);
        made->shape = shape;
        shape->setBoolParameter(3, made, false);
        shape->setBoolParameter(0, made, c.square);
        EXPECT_EQ(shape->setDoubleParameter(c.index, made, c.value), c.changed);
        const std::array<float, 4> extents = {static_cast<float>(shape->getDoubleParameter(1, made)),
                                              static_cast<float>(shape->getDoubleParameter(2, made)),
                                              static_cast<float>(shape->getDoubleParameter(4, made)),
                                              static_cast<float>(shape->getDoubleParameter(5, made))};
        EXPECT_EQ(extents, c.extents);
    }
}

constexpr float below(float value)
{
    return static_cast<float>(0.99999 * static_cast<double>(value));
}
constexpr float above(float value)
{
    return static_cast<float>(1.00001 * static_cast<double>(value));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ShapeExtentSetter,
    ::testing::Values(
        SetterCase{"narrower_than_the_hole", false, 1, 0.05, true, {0.05f, 0.1f, below(0.05f), 0.08f}},
        SetterCase{"square_narrower", true, 1, 0.05, true, {0.05f, 0.05f, below(0.05f), below(0.05f)}},
        SetterCase{"square_wider", true, 1, 0.3, true, {0.3f, 0.3f, 0.08f, 0.08f}},
        SetterCase{"lower_than_the_hole", false, 2, 0.05, true, {0.1f, 0.05f, 0.08f, below(0.05f)}},
        SetterCase{"hole_wider_than_outline", false, 4, 0.2, true, {above(0.2f), 0.1f, 0.2f, 0.08f}},
        SetterCase{"square_hole_wider", true, 4, 0.2, true, {above(0.2f), above(0.2f), 0.2f, 0.2f}},
        SetterCase{"hole_higher_than_outline", false, 5, 0.2, true, {0.1f, above(0.2f), 0.08f, 0.2f}},
        SetterCase{"same_value", false, 1, 0.1f, false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{"solid_flag", false, 3, 1.0, false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{"square_flag", false, 0, 1.0, false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{"past_the_last", false, 6, 1.0, false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{
            "not_a_number", false, 1, std::numeric_limits<double>::quiet_NaN(), false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{"infinite", false, 4, std::numeric_limits<double>::infinity(), false, {0.1f, 0.1f, 0.08f, 0.08f}},
        SetterCase{"beyond_single_precision", false, 1, 1e39, false, {0.1f, 0.1f, 0.08f, 0.08f}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Shapes, SquareAndCircleTakeEffectAtTheNextApplication)
{
    VornCrossSection* box = build(rectangle, {false, 0.2, 0.1, true, 0, 0});
    rectangle.setBoolParameter(0, box, true);
    rectangle.applyToCrossSection(box);
    expectValues(box, {0.04, 1.333333e-4, 1.333333e-4, 2.256e-4});

    VornCrossSection* ellipse = build(tube, {false, 0.2, 0.1, true, 0, 0});
    tube.setBoolParameter(0, ellipse, true);
    tube.applyToCrossSection(ellipse);
    expectValues(ellipse, {0.01570796, 9.817477e-6, 3.926991e-5, 4.908739e-5});
    tube.setDoubleParameter(1, ellipse, 0.3);
    EXPECT_FLOAT_EQ(tube.getDoubleParameter(2, ellipse), 0.3f);
}

TEST_F(Shapes, OperationsOnNoSectionOrNoShapeDataAnswerNothing)
{
    VornCrossSection* bare = section(0.01);
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&tube), static_cast<VornPluginShape*>(&rectangle)})
        for (VornCrossSection* target : {static_cast<VornCrossSection*>(nullptr), bare})
        {
            EXPECT_FALSE(shape->isParameterEditable(1, target));
            EXPECT_FALSE(shape->getBoolParameter(3, target));
            EXPECT_EQ(shape->getDoubleParameter(1, target), 0.0);
            EXPECT_FALSE(shape->setBoolParameter(0, target, false));
            EXPECT_FALSE(shape->setDoubleParameter(1, target, 0.5));
            EXPECT_TRUE(shape->getShapeList(target).isNull());
        }
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&tube), static_cast<VornPluginShape*>(&rectangle),
                                   static_cast<VornPluginShape*>(&hBeam)})
        shape->applyToCrossSection(nullptr);
    EXPECT_TRUE(bare->shapeData.isEmpty());
    EXPECT_EQ(bare->shape, nullptr);
    // The HBeam has no parameters whatever the section.
    EXPECT_TRUE(hBeam.isParameterEditable(1, nullptr));
    EXPECT_FALSE(hBeam.setBoolParameter(0, bare, true));
    EXPECT_FALSE(hBeam.setDoubleParameter(1, bare, 0.5));
    EXPECT_EQ(hBeam.getDoubleParameter(1, bare), 0.0);
}

// ---- sections without extent ----

TEST_F(Shapes, AreaZeroGivesASquareOfTenCentimetresOrATubeOfNoExtent)
{
    VornCrossSection* square = section(0.0);
    rectangle.applyToCrossSection(square);
    expectValues(square, {0.01, 8.333333e-6, 8.333333e-6, 1.41e-5});

    VornCrossSection* point = section(0.0);
    tube.applyToCrossSection(point);
    expectValues(point, {0, 0, 0, 0});
    EXPECT_EQ(tube.getDoubleParameter(1, point), 0.0);
    expectFinite(point);
    // The normals of a tube of no extent point out as a circle's do.
    const Outline coarse = read(tube.getShapeList(point));
    EXPECT_NEAR(coarse.points[1][2], 0.5, 1e-7);
    EXPECT_NEAR(coarse.points[1][3], -0.8660254, 1e-7);
}

struct DegenerateCase
{
    const char* what;
    bool tubeShape;
    double area;
    Extents extents; // given to a section of area 0.01 when outerX is not negative
};

class DegenerateSections : public Shapes, public ::testing::WithParamInterface<DegenerateCase>
{
};

TEST_P(DegenerateSections, HaveFiniteValuesAndOutlines)
{
    const DegenerateCase& c = GetParam();
    VornPluginShape& shape = c.tubeShape ? static_cast<VornPluginShape&>(tube) : rectangle;
    VornCrossSection* made = c.extents.outerX >= 0 ? build(shape, c.extents) : section(c.area);
    shape.applyToCrossSection(made);
    expectFinite(made);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DegenerateSections,
    ::testing::Values(
        DegenerateCase{"tube_of_no_area", true, 0.0, {false, -1, 0, true, 0, 0}},
        DegenerateCase{"hollow_tube_of_no_area", true, 0.0, {true, 0, 0, false, 0, 0}},
        DegenerateCase{"tube_of_no_height", true, 0.01, {false, 0.1, 0, false, 0.05, 0}},
        DegenerateCase{"rectangle_of_no_width", false, 0.01, {false, 0, 0.1, true, 0, 0}},
        DegenerateCase{"rectangle_of_nothing", false, 0.01, {true, 0, 0, true, 0, 0}},
        DegenerateCase{"hollow_rectangle_of_nothing", false, 0.01, {true, 0, 0, false, 0, 0}},
        DegenerateCase{"thin_rectangle_of_no_width", false, 0.01, {false, 0, 0.1, false, 0, 0.05}},
        DegenerateCase{
            "rectangle_of_infinite_area", false, std::numeric_limits<double>::infinity(), {false, -1, 0, true, 0, 0}},
        DegenerateCase{
            "tube_of_undefined_area", true, std::numeric_limits<double>::quiet_NaN(), {false, -1, 0, true, 0, 0}},
        DegenerateCase{"tube_of_huge_area", true, 1e300, {false, -1, 0, true, 0, 0}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Shapes, AnHBeamOfNoOrUndefinedAreaIsAPoint)
{
    for (double area : {0.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
    {
        VornCrossSection* made = section(area);
        hBeam.applyToCrossSection(made);
        for (const auto& point : read(hBeam.getShapeList(made)).points)
            for (float word : point)
                EXPECT_TRUE(std::isfinite(word));
    }
}

} // namespace
