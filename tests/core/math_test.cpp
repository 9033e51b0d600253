#include "VornData/VornMath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>

namespace
{
constexpr double tolerance = 1e-12;

Matrix3x3 rowsOf(Vector3 r0, Vector3 r1, Vector3 r2)
{
    Matrix3x3 m;
    m.rows[0] = r0;
    m.rows[1] = r1;
    m.rows[2] = r2;
    return m;
}

void expectVector(const Vector3& actual, double x, double y, double z)
{
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

void expectRows(const Matrix3x3& m, Vector3 r0, Vector3 r1, Vector3 r2)
{
    SCOPED_TRACE("row 0");
    expectVector(m.rows[0], r0.x, r0.y, r0.z);
    SCOPED_TRACE("row 1");
    expectVector(m.rows[1], r1.x, r1.y, r1.z);
    SCOPED_TRACE("row 2");
    expectVector(m.rows[2], r2.x, r2.y, r2.z);
}

void expectMatrix4(const Matrix4x4& m, std::initializer_list<double> expected)
{
    int i = 0;
    for (double value : expected)
    {
        EXPECT_NEAR(m.m[i], value, tolerance) << "entry " << i;
        ++i;
    }
}

Matrix4x4 identity4()
{
    Matrix4x4 m;
    m.set(0.0, 1.0);
    return m;
}

const Matrix3x3 a = rowsOf({1, 2, 3}, {4, 5, 6}, {7, 8, 10});
const Matrix3x3 b = rowsOf({1, 0, 2}, {0, 1, 0}, {3, 0, 1});

TEST(VectorMath, ComponentsArithmeticAndLengths)
{
    Vector3 v(3, 4, 12);
    EXPECT_EQ(v.length(), 13.0);
    EXPECT_EQ(v[0], 3.0);
    EXPECT_EQ(v[2], 12.0);
    v[1] = -4;
    EXPECT_EQ(v.getY(), -4.0);
    v += Vector3(1, 1, 1);
    expectVector(v, 4, -3, 13);
    v -= Vector3(4, 1, 1);
    expectVector(v, 0, -4, 12);
    v.scale(0.5);
    expectVector(v, 0, -2, 6);
    EXPECT_EQ(Vector3(1, 2, 3).distanceTo(Vector3(4, 6, 3)), 5.0);
    v.setZero();
    expectVector(v, 0, 0, 0);
    v.set(1, 2, 3);
    EXPECT_EQ(&v.getVector(), &v);
}

TEST(VectorMath, LengthsWhoseSquaresOverflowAreScaledAndOthersStayThePlainFormula)
{
    struct Case
    {
        Vector3 from, to;
        double distance;
    };
    const Case cases[] = {
        {{0, 0, -1e200}, {0, 0, 1e200}, 2e200},
        {{-1e154, 0, 0}, {1e154, 0, 0}, 2e154},
        {{0, 0, 0}, {1e154, 1e154, 1e154}, std::sqrt(3.0) * 1e154},
        {{0, 0, 0}, {1.7e308, 0, 0}, 1.7e308},
        {{0, 0, -1.7e308}, {0, 0, 1.7e308}, INFINITY}, // the difference itself overflows
    };
    for (const Case& c : cases)
    {
        EXPECT_DOUBLE_EQ(c.from.distanceTo(c.to), c.distance) << c.to.z;
        Vector3 difference = c.to;
        difference -= c.from;
        EXPECT_DOUBLE_EQ(difference.length(), c.distance) << c.to.z;
    }
    EXPECT_TRUE(std::isnan(Vector3(NAN, 0, 0).length()));

    // Everything that does not overflow: exactly sqrt(x² + y² + z²), also where hypot would differ.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-150, 150);
    for (int i = 0; i < 10000; ++i)
    {
        const Vector3 v(std::pow(10.0, exponent(random)), -std::pow(10.0, exponent(random)) / 3,
                        std::pow(10.0, exponent(random)) / 7);
        const double plain = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        ASSERT_EQ(std::bit_cast<uint64_t>(v.length()), std::bit_cast<uint64_t>(plain)) << i;
    }
}

TEST(MatrixMath, ConstructionFillAndRowsShareTheStorage)
{
    Matrix3x3 identity;
    expectRows(identity, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    expectRows(Matrix3x3(2, 5), {5, 2, 2}, {2, 5, 2}, {2, 2, 5});
    Matrix3x3 m(7, 7);
    m.setDiagonal(1);
    expectRows(m, {1, 7, 7}, {7, 1, 7}, {7, 7, 1});
    static_assert(sizeof(Matrix3x3) == 9 * sizeof(double));
    EXPECT_EQ(&m.getRow1(), &m.getRows() + 1);
    EXPECT_EQ(reinterpret_cast<const double*>(&m.getRow2()), &m(2, 0));
    Matrix3x3 copy(0, 0);
    a.copyTo(copy);
    expectRows(copy, {1, 2, 3}, {4, 5, 6}, {7, 8, 10});

    Matrix4x4 four(3.0);
    EXPECT_EQ(four(2, 1), 3.0);
    four.set(2.0, 9.0);
    expectMatrix4(four, {9, 2, 2, 2, 2, 9, 2, 2, 2, 2, 9, 2, 2, 2, 2, 9});
}

TEST(MatrixMath, TransformsAndProductsMatchHandComputedValues)
{
    Vector3 v(1, 1, 1);
    a.transform(v);
    expectVector(v, 6, 15, 25);
    v.set(1, 1, 1);
    a.transformTransposed(v);
    expectVector(v, 12, 15, 19);
    v.set(1, 1, 1);
    a.toGlobal(v);
    expectVector(v, 12, 15, 19);

    Matrix3x3 m;
    m.multiply(a, b);
    expectRows(m, {10, 2, 5}, {22, 5, 14}, {37, 8, 24});
    m.multiplyTransposedRight(a, b);
    expectRows(m, {7, 2, 6}, {16, 5, 18}, {27, 8, 31});
    m.multiplyTransposedLeft(a, b);
    expectRows(m, {22, 4, 9}, {26, 5, 12}, {33, 6, 16});
    m.multiplyTransposedBoth(a, b);
    expectRows(m, {15, 4, 10}, {18, 5, 14}, {23, 6, 19});

    // The target may be an operand.
    m = a;
    m.multiply(m, b);
    expectRows(m, {10, 2, 5}, {22, 5, 14}, {37, 8, 24});
}

TEST(MatrixMath, DeterminantAndInverse)
{
    const Matrix3x3 m = rowsOf({1, 2, 3}, {0, 1, 4}, {5, 6, 0});
    EXPECT_EQ(m.determinant(), 1.0);
    EXPECT_EQ(a.determinant(), -3.0);
    Matrix3x3 inverse(0, 0);
    m.getInverse(inverse);
    expectRows(inverse, {-24, 18, 5}, {20, -15, -4}, {-5, 4, 1});

    const Matrix3x3 singular = rowsOf({1, 2, 3}, {2, 4, 6}, {0, 1, 1});
    Matrix3x3 untouched(4, 4);
    singular.getInverse(untouched);
    expectRows(untouched, {4, 4, 4}, {4, 4, 4}, {4, 4, 4});
}

TEST(MatrixMath, RotationBuilders)
{
    const double angle = 30 * DEGREES_TO_RADIANS;
    const double c = std::sqrt(3.0) / 2, s = 0.5;
    Matrix3x3 m;
    m.setRotationX(angle);
    expectRows(m, {1, 0, 0}, {0, c, -s}, {0, s, c});
    m.setRotationY(angle);
    expectRows(m, {c, 0, s}, {0, 1, 0}, {-s, 0, c});
    m.setRotationZ(angle);
    expectRows(m, {c, -s, 0}, {s, c, 0}, {0, 0, 1});

    m.setRotation(Vector3(0, 0, 0));
    expectRows(m, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    m.setRotation(Vector3(0, 0, std::numbers::pi / 2));
    Vector3 v(1, 0, 0);
    m.transform(v);
    expectVector(v, 0, 1, 0);
    // A third of a turn about (1, 1, 1) takes x to y and y to z.
    Vector3 axis(1, 1, 1);
    axis.scale(2 * std::numbers::pi / 3 / std::sqrt(3.0));
    m.setRotation(axis);
    expectRows(m, {0, 0, 1}, {1, 0, 0}, {0, 1, 0});
}

TEST(MatrixMath, OrthonormalizeKeepsRowZeroAndBuildsARightHandedFrame)
{
    Matrix3x3 m = rowsOf({2, 0, 0}, {1, 3, 0}, {5, 5, 5});
    m.orthonormalize();
    expectRows(m, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    const double h = 1 / std::sqrt(2.0);
    m = rowsOf({1, 1, 0}, {0, 1, 0}, {0, 0, 0});
    m.orthonormalize();
    expectRows(m, {h, h, 0}, {-h, h, 0}, {0, 0, 1});
}

struct FrameCase
{
    double length;
    Vector3 direction;
    Vector3 r0, r1, r2;
};

TEST(MatrixMath, DirectionFrames)
{
    const FrameCase cases[] = {
        {5, {0, 0, 5}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {5, {0, 0, -5}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        {5, {3, 4, 0}, {0.6, 0.8, 0}, {-0.8, 0.6, 0}, {0, 0, 1}},
        {0, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        // General: (2, 0, 2) of length √8: ex = 1, ey = 0, zl = rl = 1/√2.
        {std::sqrt(8.0),
         {2, 0, 2},
         {1 / std::sqrt(2.0), 0, 1 / std::sqrt(2.0)},
         {0, 1, 0},
         {-1 / std::sqrt(2.0), 0, 1 / std::sqrt(2.0)}},
    };
    for (const FrameCase& f : cases)
    {
        SCOPED_TRACE("direction " + std::to_string(f.direction.x) + " " + std::to_string(f.direction.y) + " " +
                     std::to_string(f.direction.z));
        Matrix3x3 m(9, 9);
        m.setDirectionFrame(f.length, f.direction);
        expectRows(m, f.r0, f.r1, f.r2);
    }

    Matrix3x3 rolled;
    rolled.setDirectionFrame(0, Vector3(0, 0, 0), 0, 1);
    expectRows(rolled, {1, 0, 0}, {0, 0, 1}, {0, -1, 0});
    rolled.setDirectionFrame(5, Vector3(0, 0, 5), 0, 1);
    expectRows(rolled, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0});
    const double c = std::cos(30 * DEGREES_TO_RADIANS), s = std::sin(30 * DEGREES_TO_RADIANS);
    rolled.setDirectionFrame(5, Vector3(3, 4, 0), c, s);
    expectRows(rolled, {0.6, 0.8, 0}, {-0.8 * c, 0.6 * c, s}, {0.8 * s, -0.6 * s, c});
}

TEST(MatrixMath, FourByFourRotationsArePostMultipliedTransposesOfTheThreeByThreeBuilders)
{
    const double angle = 30 * DEGREES_TO_RADIANS;
    const double c = std::sqrt(3.0) / 2, s = 0.5;
    Matrix4x4 m = identity4();
    m.rotateZ(angle);
    expectMatrix4(m, {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    m = identity4();
    m.rotateX(angle);
    expectMatrix4(m, {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1});
    m = identity4();
    m.rotateY(angle);
    expectMatrix4(m, {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});

    // Post-multiplication: a translation followed by a rotation turns the point before moving it.
    m = identity4();
    m.translate(1, 2, 3);
    m.rotateZ(std::numbers::pi / 2);
    Vector3 p(1, 0, 0);
    m.transformPoint(p);
    expectVector(p, 1, 1, 3);
}

TEST(MatrixMath, TranslateScaleAndPointTransforms)
{
    Matrix4x4 m = identity4();
    m.translate(1, 2, 3);
    Vector3 origin(0, 0, 0);
    m.transformPoint(origin);
    expectVector(origin, 1, 2, 3);
    Vector3 columnMajor(0, 0, 0);
    m.transformPointColumnMajor(columnMajor);
    expectVector(columnMajor, 0, 0, 0);

    m.scale(2, 3, 4);
    Vector3 moved;
    m.transformPointTo(Vector3(1, 1, 1), moved);
    expectVector(moved, 3, 5, 7);

    // The same numbers read column by column: a translation stored in the bottom row.
    Matrix4x4 gl = identity4();
    gl.m[12] = 5, gl.m[13] = 6, gl.m[14] = 7;
    Point3f point{1, 1, 1};
    const Point3f& same = gl.transformPointColumnMajor(point);
    EXPECT_EQ(&same, &point);
    EXPECT_FLOAT_EQ(point.x, 6);
    EXPECT_FLOAT_EQ(point.y, 7);
    EXPECT_FLOAT_EQ(point.z, 8);
    Point3f target{};
    gl.transformPointColumnMajorTo(Point3f{0, 0, 0}, target);
    EXPECT_FLOAT_EQ(target.z, 7);
    Vector3 vectorTarget;
    gl.transformPointColumnMajorTo(Vector3(1, 0, 0), vectorTarget);
    expectVector(vectorTarget, 6, 6, 7);
}

TEST(MatrixMath, FourByFourProducts)
{
    Matrix4x4 m = identity4();
    m.m[1] = 2; // row 0: 1 2 0 0
    m.m[10] = 2; // row 2: 0 0 2 0
    m.multiply(m);
    expectMatrix4(m, {1, 4, 0, 0, 0, 1, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1});

    Matrix4x4 translation = identity4();
    translation.translate(1, 2, 3);
    Matrix4x4 scaling = identity4();
    scaling.scale(2, 2, 2);
    Matrix4x4 out;
    translation.preMultiply(scaling, out); // out := S·T
    Vector3 p(0, 0, 0);
    out.transformPoint(p);
    expectVector(p, 2, 4, 6);
    translation.multiply(scaling, out); // out := T·S
    p.setZero();
    out.transformPoint(p);
    expectVector(p, 1, 2, 3);
    translation.preMultiply(scaling);
    expectMatrix4(translation, {2, 0, 0, 2, 0, 2, 0, 4, 0, 0, 2, 6, 0, 0, 0, 1});
}

TEST(MatrixMath, ConversionsToFourByFour)
{
    Matrix4x4 out(8.0);
    a.toMatrix4x4(out);
    expectMatrix4(out, {1, 2, 3, 8, 4, 5, 6, 8, 7, 8, 10, 8, 8, 8, 8, 8});
    a.makeMatrix4x4(out);
    expectMatrix4(out, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 10, 0, 0, 0, 0, 1});

    // Column-major: the first three columns are the rows of the matrix.
    double gl[16];
    a.toGLMatrix(gl);
    const double expected[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 10, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(gl[i], expected[i]) << i;
}
} // namespace
