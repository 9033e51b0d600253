#include "Lumbra/Perspective/PerspectiveView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using lumbra::PerspectiveView;
using lumbra::ScreenOffset;

namespace
{

struct CameraSetup
{
    Vector3 pointOfView;
    float direction, tilt, roll;
    double zoom;
};

// A camera without a window.
std::unique_ptr<PerspectiveView> cameraFor(const CameraSetup& setup)
{
    auto made = std::make_unique<PerspectiveView>(nullptr, nullptr);
    PerspectiveView& camera = *made;
    camera.pointOfView = setup.pointOfView;
    camera.direction = setup.direction;
    camera.tilt = setup.tilt;
    camera.roll = setup.roll;
    camera.zoom = setup.zoom;
    camera.updateDirection();
    camera.updateTilt();
    camera.updateRoll();
    return made;
}

} // namespace

TEST(PerspectiveCamera, ProjectsModelPointsToOffsetsFromTheCentre)
{
    struct Case
    {
        CameraSetup camera;
        Vector3 point;
        double x, y, depth;
    };
    const Case cases[] = {
        // A fresh camera looks along -x from (500, 0, 0): y runs to the left, z up the screen.
        {{{500, 0, 0}, 0, 0, 0, 1000}, {0, 0, 0}, 0, 0, -500},
        {{{500, 0, 0}, 0, 0, 0, 1000}, {0, 10, 0}, -20, 0, -500},
        {{{500, 0, 0}, 0, 0, 0, 1000}, {0, 0, 10}, 0, -20, -500},
        {{{500, 0, 0}, 0, 0, 0, 1000}, {250, 10, 10}, -40, -40, -250},
        // Turned by 90 degrees the camera looks along +y.
        {{{500, 0, 0}, 90, 0, 0, 1000}, {500, 100, 0}, 0, 0, -100},
        {{{500, 0, 0}, 90, 0, 0, 1000}, {510, 100, 0}, -100, 0, -100},
        // Tilted by -90 degrees it looks straight down, with +x down the screen.
        {{{0, 0, 100}, 0, -90, 0, 1000}, {0, 0, 0}, 0, 0, -100},
        {{{0, 0, 100}, 0, -90, 0, 1000}, {10, 0, 0}, 0, 100, -100},
        // Rolled by 90 degrees a point left of the centre lands above it.
        {{{500, 0, 0}, 0, 0, 90, 1000}, {0, 10, 0}, 0, 20, -500},
        // The zoom scales the picture.
        {{{500, 0, 0}, 0, 0, 0, 500}, {0, 10, 0}, -10, 0, -500},
    };
    for (const Case& c : cases)
    {
        const auto made = cameraFor(c.camera);
        const PerspectiveView& camera = *made;
        ScreenOffset offset;
        const double depth = camera.project(offset, c.point);
        EXPECT_NEAR(offset.x, c.x, 1e-9) << c.point.x << "," << c.point.y << "," << c.point.z;
        EXPECT_NEAR(offset.y, c.y, 1e-9) << c.point.x << "," << c.point.y << "," << c.point.z;
        EXPECT_NEAR(depth, c.depth, 1e-9);
        EXPECT_NEAR(camera.depthOf(c.point), c.depth, 1e-9);
    }
}

TEST(PerspectiveCamera, LineOfSightThroughAnOffsetProjectsBackOntoIt)
{
    const CameraSetup cameras[] = {
        {{500, 0, 0}, 0, 0, 0, 1000},
        {{120, -70, 35}, 33, -20, 0, 800},
        {{-40, 300, 12}, -150, 60, 15, 1500},
    };
    const double offsets[][2] = {{0, 0}, {37, -52}, {-120, 80}, {1, 0}, {0, 1}};
    for (const CameraSetup& setup : cameras)
    {
        const auto made = cameraFor(setup);
        const PerspectiveView& camera = *made;
        for (const auto& offset : offsets)
        {
            const Vector3 sight = camera.lineOfSight(offset[0], offset[1]);
            Vector3 unit = camera.pointOfView;
            unit += sight;
            EXPECT_NEAR(camera.depthOf(unit), -1.0, 1e-9);
            for (double s : {0.5, 1.0, 40.0, 900.0})
            {
                Vector3 point = sight;
                point.scale(s);
                point += camera.pointOfView;
                ScreenOffset back;
                camera.project(back, point);
                EXPECT_NEAR(back.x, offset[0], 1e-6) << "s " << s;
                EXPECT_NEAR(back.y, offset[1], 1e-6) << "s " << s;
            }
        }
    }
}

TEST(PerspectiveCamera, ResizeScalesTheZoomWithTheWidthOnceASizeIsKnown)
{
    struct Case
    {
        double width, height;
        int32_t newWidth, newHeight;
        double zoom;
    };
    const Case cases[] = {
        {400, 300, 800, 300, 2000},
        {400, 300, 200, 600, 500},
        {0, 300, 800, 300, 1000},
        {400, 0, 800, 300, 1000},
    };
    for (const Case& c : cases)
    {
        PerspectiveView camera(nullptr, nullptr);
        camera.width = c.width;
        camera.height = c.height;
        camera.resize(c.newWidth, c.newHeight);
        EXPECT_DOUBLE_EQ(camera.zoom, c.zoom);
        EXPECT_EQ(camera.width, c.newWidth);
        EXPECT_EQ(camera.height, c.newHeight);
    }
}

TEST(PerspectiveCamera, APointInTheCameraPlaneGivesAPixelFarOutsideInsteadOfUndefinedValues)
{
    PerspectiveView camera(nullptr, nullptr);
    camera.width = 200;
    camera.height = 100;
    ScreenOffset offset;
    EXPECT_EQ(camera.project(offset, {500, 10, 0}), 0.0);
    const platform::Point pixel = camera.pixelOf(offset);
    EXPECT_GT(std::abs(pixel.x - 100), 1 << 20);
    ScreenOffset nowhere;
    EXPECT_EQ(camera.project(nowhere, {500, 0, 0}), 0.0); // 0 / 0
    EXPECT_EQ(camera.pixelOf(nowhere), (platform::Point{100, 50}));
}

TEST(PerspectiveCamera, AFreshViewHasTheDefaultsAndNoBand)
{
    PerspectiveView camera(nullptr, nullptr);
    EXPECT_EQ(camera.pointOfView.x, 500.0);
    EXPECT_EQ(camera.zoom, 1000.0);
    EXPECT_FALSE(camera.hasBand());
    EXPECT_EQ(camera.bandCorner.x, lumbra::noBandPosition);
    EXPECT_EQ(camera.backgroundColor, 0x808080u);
    EXPECT_EQ(camera.hiddenColor, 0x809090u);
    EXPECT_EQ(camera.cosDirection, 1.0);
}
