// The arithmetic of the OpenGL view's layers and tools without GL: the stress colours of the
// displaced members, the grid's lines, pan, rotate and zoom drags, and the fit of Zoom All and Zoom
// Selected over random viewing directions and window shapes.
#include "Zintel/BoundingBox.h"
#include "Zintel/Cursors.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/DisplacedMembers.h"
#include "Zintel/DrawObjects/Grid.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/ViewTools.h"
#include "Zintel/ZintelLibrary.h"
#include "platform/Resources.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{

using namespace zintel;

constexpr double pi = 3.14159265358979323846;

struct RelativeCase
{
    double stress, tensile, compressive;
    float red, green, blue; // of 255
};

TEST(StressColours, RelativeStressBlendsFromNeutralAndStopsAtTheStrength)
{
    installModelServices();
    DocItemOpenGL settings(nullptr);
    const RelativeCase cases[] = {
        {1e8, 2e8, 2e8, 223.5f, 96.0f, 96.0f}, // half the tensile strength: halfway to red
        {2e8, 2e8, 2e8, 255.0f, 0.0f, 0.0f}, // at the strength: the tension colour
        {9e9, 2e8, 2e8, 255.0f, 0.0f, 0.0f}, // beyond it: no more than the tension colour
        {-1e8, 2e8, 2e8, 96.0f, 96.0f, 223.5f}, // half the compressive strength: halfway to blue
        {-5e8, 2e8, 2e8, 0.0f, 0.0f, 255.0f}, // beyond it
        {0.0, 2e8, 2e8, 192.0f, 192.0f, 192.0f}, // no stress: neutral
        {0.0, 2e8, 0.0, 0.0f, 0.0f, 255.0f}, // no compressive strength: even 0 is full compression
        {1.0, 0.0, 2e8, 255.0f, 0.0f, 0.0f}, // no tensile strength: any tension is full, no division
    };
    for (const RelativeCase& c : cases)
    {
        const std::array<float, 3> colour = relativeStressColor(c.stress, c.tensile, c.compressive, settings);
        EXPECT_NEAR(colour[0] * 255.0f, c.red, 1e-3) << c.stress << " of " << c.tensile;
        EXPECT_NEAR(colour[1] * 255.0f, c.green, 1e-3) << c.stress << " of " << c.tensile;
        EXPECT_NEAR(colour[2] * 255.0f, c.blue, 1e-3) << c.stress << " of " << c.tensile;
        EXPECT_TRUE(std::isfinite(colour[0]) && std::isfinite(colour[1]) && std::isfinite(colour[2]));
    }
}

TEST(StressColours, TheSignOfTheForceChoosesHalvedColoursWithHalfAlpha)
{
    installModelServices();
    DocItemOpenGL settings(nullptr);
    settings.tensionColor = ColorRGBA(200, 100, 50);
    EXPECT_EQ(stressSignColor(1e-9, settings), 0x40193264u) << "tension, whatever its size";
    EXPECT_EQ(stressSignColor(-3e6, settings), 0x407F0000u) << "compression: blue 255 becomes 127";
    EXPECT_EQ(stressSignColor(0.0, settings), 0x40606060u) << "neutral";
}

struct GridCase
{
    bool uniform;
    int32_t plane;
    int u, v, normal; // the axes the lines run in and the axis they lie across
    double su, sv; // the spacings seen
};

TEST(GridGeometry, TwentyCellsEachWayInThePlaneThroughTheOffsetPoint)
{
    installModelServices();
    DocItemOpenGL settings(nullptr);
    settings.gridSpacingX = 2.0;
    settings.gridSpacingY = 3.0;
    settings.gridSpacingZ = 5.0;
    settings.gridOffsetX = 1.0;
    settings.gridOffsetY = -1.0;
    settings.gridOffsetZ = 4.0;
    const double offset[3] = {1.0, -1.0, 4.0};
    const GridCase cases[] = {
        {false, 0, 0, 1, 2, 2.0, 3.0}, {false, 1, 0, 2, 1, 2.0, 5.0}, {false, 2, 1, 2, 0, 3.0, 5.0},
        {true, 0, 0, 1, 2, 2.0, 2.0},  {true, 2, 1, 2, 0, 2.0, 2.0},
    };
    for (const GridCase& c : cases)
    {
        settings.gridUniform = c.uniform;
        const GridGeometry grid = gridGeometry(settings, c.plane);
        for (const GridSegment& line : grid.lines)
            for (const auto& end : line)
                EXPECT_EQ(end[c.normal], offset[c.normal]) << "in the plane, plane " << c.plane;
        // The outermost line first, ten cells out, across the whole grid.
        EXPECT_DOUBLE_EQ(grid.lines[0][0][c.u], offset[c.u] + 10 * c.su) << c.plane << c.uniform;
        EXPECT_DOUBLE_EQ(grid.lines[0][0][c.v], offset[c.v] - 10 * c.sv);
        EXPECT_DOUBLE_EQ(grid.lines[0][1][c.v], offset[c.v] + 10 * c.sv);
        // The innermost lines one cell out; the centre lines are only the cross.
        EXPECT_DOUBLE_EQ(grid.lines[39][0][c.v], offset[c.v] - c.sv);
        EXPECT_DOUBLE_EQ(grid.cross[0][0][c.v], offset[c.v]);
        EXPECT_DOUBLE_EQ(grid.cross[1][0][c.u], offset[c.u]);
    }
    settings.gridSpacingX = 0.0;
    settings.gridUniform = true;
    for (const GridSegment& line : gridGeometry(settings, 1).lines)
        for (const auto& end : line)
            EXPECT_EQ(end, (std::array<double, 3>{1.0, -1.0, 4.0})) << "a spacing of 0 collapses to the offset point";
}

// A view with the matrices of a frame painted in a window of the given size: the camera's own
// modelview and a perspective projection as gluPerspective makes it.
void paintMatrices(OpenGLView& view, int32_t width, int32_t height)
{
    view.width = width;
    view.height = height;
    view.cameraMatrix(view.modelviewMatrix);
    const double aspect = double(width) / height;
    const double f = 1.0 / std::tan(view.fovY * pi / 360.0);
    double* p = view.projectionMatrix;
    std::fill(p, p + 16, 0.0);
    p[0] = f / aspect;
    p[5] = f;
    p[10] = (view.zFar + view.zNear) / (view.zNear - view.zFar);
    p[11] = -1.0;
    p[14] = 2.0 * view.zFar * view.zNear / (view.zNear - view.zFar);
    view.viewport[0] = view.viewport[1] = 0;
    view.viewport[2] = width;
    view.viewport[3] = height;
}

// The point in normalised device coordinates of the view's matrices; w is the clip w.
std::array<double, 4> deviceCoordinates(const OpenGLView& view, const double point[3])
{
    double eye[4], clip[4];
    for (int row = 0; row < 4; ++row)
        eye[row] = view.modelviewMatrix[row] * point[0] + view.modelviewMatrix[4 + row] * point[1] +
            view.modelviewMatrix[8 + row] * point[2] + view.modelviewMatrix[12 + row];
    for (int row = 0; row < 4; ++row)
        clip[row] = view.projectionMatrix[row] * eye[0] + view.projectionMatrix[4 + row] * eye[1] +
            view.projectionMatrix[8 + row] * eye[2] + view.projectionMatrix[12 + row] * eye[3];
    return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3], clip[3]};
}

std::array<double, 2> windowOf(const OpenGLView& view, const Vector3& point)
{
    const double at[3] = {point.x, point.y, point.z};
    const std::array<double, 4> d = deviceCoordinates(view, at);
    return {(d[0] + 1) * view.viewport[2] / 2, (d[1] + 1) * view.viewport[3] / 2};
}

TEST(ZoomFit, EveryCornerOfTheEnlargedBoxIsInsideTheViewFromAnyDirectionAndWindowShape)
{
    std::mt19937 random(20261211);
    std::uniform_real_distribution<double> angle(-180.0, 180.0), tiltAngle(-89.0, 89.0), coordinate(-50.0, 50.0),
        extent(0.0, 30.0);
    std::uniform_int_distribution<int32_t> side(50, 1600);
    for (int trial = 0; trial < 500; ++trial)
    {
        OpenGLView view(nullptr, nullptr, nullptr);
        view.direction = static_cast<float>(angle(random));
        view.tilt = static_cast<float>(tiltAngle(random));
        view.roll = static_cast<float>(angle(random));
        view.fovY = 10.0 + extent(random) * 3.0;
        const int32_t width = side(random), height = side(random);
        view.width = width;
        view.height = height;
        BoundingBox box;
        box.addPoint(coordinate(random), coordinate(random), coordinate(random));
        box.addPoint(box.minX + extent(random), box.minY + extent(random), box.minZ + extent(random));
        ASSERT_TRUE(fitCamera(view, box, true));
        paintMatrices(view, width, height);
        const double s = view.symbolSize();
        for (int corner = 0; corner < 8; ++corner)
        {
            const double point[3] = {(corner & 1 ? box.maxX + 4 * s : box.minX - 4 * s),
                                     (corner & 2 ? box.maxY + 4 * s : box.minY - 4 * s),
                                     (corner & 4 ? box.maxZ + 4 * s : box.minZ - 4 * s)};
            const std::array<double, 4> d = deviceCoordinates(view, point);
            ASSERT_GT(d[3], 0.0) << "in front of the camera, trial " << trial;
            ASSERT_LE(std::fabs(d[0]), 1.0 + 1e-9) << "trial " << trial << " window " << width << "x" << height;
            ASSERT_LE(std::fabs(d[1]), 1.0 + 1e-9) << "trial " << trial << " window " << width << "x" << height;
        }
    }
}

TEST(ZoomFit, TheCameraStaysOnItsViewingAxisAndOnlyZoomAllShrinksTheClipRange)
{
    OpenGLView view(nullptr, nullptr, nullptr);
    BoundingBox joint;
    joint.addPoint(1, 2, 3);
    ASSERT_TRUE(fitCamera(view, joint, true));
    EXPECT_GT(view.povX, 1.0) << "the default camera looks along -x";
    EXPECT_NEAR(view.povY, 2.0, 1e-12);
    EXPECT_NEAR(view.povZ, 3.0, 1e-12);
    EXPECT_DOUBLE_EQ(view.zFar, 10.0) << "100 symbol sizes for a box of one point";
    EXPECT_NEAR(view.zNear, 0.3, 1e-12);

    BoundingBox large;
    large.addPoint(-100, -100, -100);
    large.addPoint(100, 100, 100);
    ASSERT_TRUE(fitCamera(view, large, true));
    const double farOfAll = view.zFar, nearOfAll = view.zNear;
    ASSERT_GT(nearOfAll, 0.3);
    ASSERT_TRUE(fitCamera(view, joint, false));
    EXPECT_EQ(view.zFar, farOfAll) << "a small selection keeps the far end of the larger range";
    EXPECT_NEAR(view.zNear, 0.3, 1e-12) << "and brings the near end in for its own size";
    view.projectionDirty = false;
    ASSERT_TRUE(fitCamera(view, joint, false));
    EXPECT_FALSE(view.projectionDirty) << "a range that already holds the box stays";
    ASSERT_TRUE(fitCamera(view, joint, true));
    EXPECT_DOUBLE_EQ(view.zFar, 10.0);

    view.fovY = 0.0;
    const double x = view.povX;
    EXPECT_FALSE(fitCamera(view, large, true)) << "an empty field of view";
    EXPECT_EQ(view.povX, x);
}

struct DragCase
{
    int32_t dx, dy;
};

TEST(ViewTools, APanKeepsTheAnchorUnderTheCursor)
{
    const DragCase drags[] = {{10, 0}, {0, -25}, {-40, 13}, {0, 0}, {300, 200}};
    for (const DragCase& drag : drags)
    {
        OpenGLView view(nullptr, nullptr, nullptr);
        view.direction = 30.0f;
        view.tilt = 20.0f;
        paintMatrices(view, 640, 480);
        const Vector3 anchor(-5, 3, 2);
        const std::array<double, 2> before = windowOf(view, anchor);
        Vector3 pov(view.povX, view.povY, view.povZ);
        ASSERT_TRUE(panCamera(view, anchor, drag.dx, drag.dy, pov));
        view.povX = pov.x, view.povY = pov.y, view.povZ = pov.z;
        paintMatrices(view, 640, 480);
        const std::array<double, 2> after = windowOf(view, anchor);
        EXPECT_NEAR(after[0] - before[0], drag.dx, 1e-6) << drag.dx << "," << drag.dy;
        EXPECT_NEAR(after[1] - before[1], -drag.dy, 1e-6) << "window y grows upwards";
    }
}

TEST(ViewTools, APanWithUnusableMatricesLeavesTheCameraWhereItWas)
{
    OpenGLView view(nullptr, nullptr, nullptr);
    std::fill(view.projectionMatrix, view.projectionMatrix + 16, 0.0); // singular
    Vector3 pov(view.povX, view.povY, view.povZ);
    EXPECT_FALSE(panCamera(view, Vector3(0, 0, 0), 10, 10, pov));
    EXPECT_EQ(pov.x, 50.0);
    EXPECT_EQ(pov.y, 0.0);
    EXPECT_EQ(pov.z, 0.0);

    const double anchorWindow[3] = {10, 10, 0.5};
    view.direction = 40.0f;
    EXPECT_FALSE(orbitCamera(view, Vector3(0, 0, 0), anchorWindow, 30, 30, 1.0f));
    EXPECT_EQ(view.direction, 40.0f);
    EXPECT_EQ(view.tilt, 0.0f);
    EXPECT_EQ(view.povX, 50.0);
}

struct RotateCase
{
    float direction, tilt;
    int32_t dx, dy;
    float newDirection, newTilt;
};

TEST(ViewTools, ARotationTurnsByThePixelsAndOrbitsTheAnchor)
{
    const RotateCase cases[] = {
        {170.0f, 0.0f, -200, 0, 10.0f, 0.0f}, // 370 wraps to 10
        {0.0f, 0.0f, 30, 0, -30.0f, 0.0f}, // right decreases the direction
        {0.0f, 10.0f, 0, 20, 0.0f, 30.0f}, // down increases the tilt
        {-170.0f, 175.0f, 10, 10, 180.0f, -175.0f}, // -180 becomes 180; 185 becomes -175
    };
    for (const RotateCase& c : cases)
    {
        OpenGLView view(nullptr, nullptr, nullptr);
        view.direction = c.direction;
        view.tilt = c.tilt;
        paintMatrices(view, 400, 300);
        const Vector3 anchor(3, -2, 1);
        const std::array<double, 2> window = windowOf(view, anchor);
        const double at[3] = {anchor.x, anchor.y, anchor.z};
        const double depth = (deviceCoordinates(view, at)[2] + 1) / 2;
        const double anchorWindow[3] = {window[0], window[1], depth};
        ASSERT_TRUE(orbitCamera(view, anchor, anchorWindow, c.dx, c.dy, 1.0f));
        EXPECT_FLOAT_EQ(view.direction, c.newDirection);
        EXPECT_FLOAT_EQ(view.tilt, c.newTilt);
        paintMatrices(view, 400, 300);
        const std::array<double, 2> after = windowOf(view, anchor);
        EXPECT_NEAR(after[0], window[0], 1e-6) << "the anchor keeps its place on the screen";
        EXPECT_NEAR(after[1], window[1], 1e-6);
    }
}

struct ZoomCase
{
    int32_t travel;
    double distanceFactor;
};

TEST(ViewTools, AZoomDoublesOrHalvesTheDistanceToTheAnchorPerHundredPixels)
{
    const Vector3 anchor(1, 2, 3), start(11, 2, 3);
    const ZoomCase cases[] = {{100, 2.0}, {-100, 0.5}, {0, 1.0}, {200, 4.0}, {100 - 100, 1.0}, {-300, 0.125}};
    for (const ZoomCase& c : cases)
    {
        const Vector3 pov = zoomCamera(anchor, start, c.travel, 0.01);
        EXPECT_NEAR(pov.x - anchor.x, 10.0 * c.distanceFactor, 1e-12) << c.travel;
        EXPECT_EQ(pov.y, 2.0);
        EXPECT_EQ(pov.z, 3.0);
    }
}

TEST(ViewTools, TheCameraLooksBackAlongItsDirectionWithModelZUp)
{
    // Direction 90: the camera sits on the +y side and looks along -y.
    OpenGLView view(nullptr, nullptr, nullptr);
    view.povX = 0, view.povY = 10, view.povZ = 0;
    view.direction = 90.0f;
    paintMatrices(view, 100, 100);
    const double ahead[3] = {0, 0, 0};
    const std::array<double, 4> centre = deviceCoordinates(view, ahead);
    EXPECT_NEAR(centre[0], 0.0, 1e-9);
    EXPECT_NEAR(centre[1], 0.0, 1e-9);
    EXPECT_GT(centre[3], 0.0);
    EXPECT_GT(view.modelviewMatrix[9], 0.9) << "model +z is screen up";
}

TEST(HandleCursors, TheArrowsTipIsDrawnAtTheHotSpot)
{
    registerCursorResources();
    // The handle cursors X, Y, Z, XY, XZ, YZ and XYZ.
    for (int32_t id = 181; id <= 187; ++id)
    {
        const platform::CursorResource* cursor = platform::findCursorResource(thisModule(), id);
        ASSERT_NE(cursor, nullptr) << id;
        auto pixel = [cursor](int32_t x, int32_t y) {
            return cursor->pixels[static_cast<size_t>(y * cursor->width + x)];
        };
        const int32_t x = cursor->hotspotX, y = cursor->hotspotY;
        ASSERT_GT(x, 0) << id;
        ASSERT_GT(y, 0) << id;
        EXPECT_EQ(pixel(x, y), 0x000000u) << id << ": the tip";
        EXPECT_EQ(pixel(x + 1, y + 1), 0x000000u) << id << ": the arrow's edge goes on down-right";
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {0, -1}, {-1, -1}, {1, 0}, {1, -1}})
            EXPECT_EQ(pixel(x + dx, y + dy), cursor->transparentColour) << id << ": nothing beyond the tip";
    }
}

} // namespace
