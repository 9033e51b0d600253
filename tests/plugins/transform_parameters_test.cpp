#include "VornData/VornModifier.h"
#include "plugins/TransformParameters.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace
{

struct MatrixCase
{
    const char* name;
    Vector3 pivot;
    Vector3 frameAngles;
    Point3f move, rotate, scale;
    Vector3 point, expectedPoint;
    Vector3 axis, expectedAxis; // one local axis through axesMatrix
};

const MatrixCase matrixCases[] = {
    {"neutral block is the identity", {5, -3, 2}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1},
     {2, 7, -4}, {2, 7, -4}, {0, 1, 0}, {0, 1, 0}},
    {"rotate z 90 about (1,0,0)", {1, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 90}, {1, 1, 1},
     {2, 0, 0}, {1, -1, 0}, {1, 0, 0}, {0, -1, 0}},
    {"scale 2 about (1,1,1) leaves the axes", {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {2, 2, 2},
     {2, 1, 1}, {3, 1, 1}, {0, 0, 1}, {0, 0, 1}},
    {"move", {4, 4, 4}, {0, 0, 0}, {1, -2, 3}, {0, 0, 0}, {1, 1, 1},
     {0, 0, 0}, {1, -2, 3}, {1, 0, 0}, {1, 0, 0}},
    {"a frame angle turns the move", {0, 0, 0}, {0, 0, 90}, {1, 0, 0}, {0, 0, 0}, {1, 1, 1},
     {0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 0, 0}},
    {"scale along a turned frame axis", {0, 0, 0}, {0, 0, 90}, {0, 0, 0}, {0, 0, 0}, {2, 1, 1},
     {0, 1, 0}, {0, 2, 0}, {0, 1, 0}, {0, 1, 0}},
};

class TransformMatrices : public ::testing::TestWithParam<MatrixCase>
{
};

void expectNear(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
    EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

} // namespace

TEST_P(TransformMatrices, TakePointsAndAxesWhereTheParametersSay)
{
    const MatrixCase& c = GetParam();
    TransformParameters parameters = TransformParameters::neutral();
    parameters.move = c.move;
    parameters.rotate = c.rotate;
    parameters.scale = c.scale;
    buildTransformMatrices(c.pivot, c.frameAngles, parameters);

    Vector3 point = c.point;
    parameters.pointMatrix.transformPoint(point);
    expectNear(point, c.expectedPoint);
    Vector3 axis = c.axis;
    parameters.axesMatrix.transformPoint(axis);
    expectNear(axis, c.expectedAxis);
}

INSTANTIATE_TEST_SUITE_P(Table, TransformMatrices, ::testing::ValuesIn(matrixCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(TransformParameterBlock, IsReadAndWrittenOnlyWhenTheRecordHasItsLength)
{
    installModelServices();
    VornModifier record;
    TransformParameters parameters = TransformParameters::neutral();
    EXPECT_FALSE(writeTransformParameters(record, parameters));
    EXPECT_FALSE(rebuildTransformMatrices(record));

    record.parameters.reallocate(transformParameterWords - 1);
    EXPECT_FALSE(readTransformParameters(record, parameters));

    record.parameters.reallocate(transformParameterWords);
    parameters.move = {1, 2, 3};
    ASSERT_TRUE(writeTransformParameters(record, parameters));
    record.pivot = {0, 0, 0};
    record.frameAngles = {0, 0, 0};
    ASSERT_TRUE(rebuildTransformMatrices(record));
    TransformParameters back{};
    ASSERT_TRUE(readTransformParameters(record, back));
    EXPECT_EQ(back.move.z, 3.0f);
    EXPECT_EQ(back.pointMatrix(0, 3), 1.0);
    EXPECT_EQ(back.pointMatrix(2, 3), 3.0);
    record.parameters.free();
}
