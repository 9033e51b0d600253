// The GL view surface: frames drawn with GL 1.1 on the EGL pbuffer, handed over by the swap, and
// the legacy features the views rely on (lighting, fog, display lists, stipple, selection picking).
#include "platform/GlSurface.h"
#include "tests/support/GlRequirement.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

using platform::GlSurface;

constexpr int kWidth = 160;
constexpr int kHeight = 120;

std::uint32_t pixelAt(const std::vector<std::uint32_t>& pixels, int width, int x, int y)
{
    return pixels[static_cast<size_t>(y) * width + x];
}

int red(std::uint32_t colour)
{
    return static_cast<int>(colour & 0xFF);
}
int green(std::uint32_t colour)
{
    return static_cast<int>((colour >> 8) & 0xFF);
}
int blue(std::uint32_t colour)
{
    return static_cast<int>((colour >> 16) & 0xFF);
}

void orthographicPixels(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // y down, like window coordinates, so expectations read as pixel rows.
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void clearTo(float r, float g, float b)
{
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

class GlSurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!surface.makeCurrent())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << surface.error());
    }
    void TearDown() override { surface.doneCurrent(); }

    GlSurface surface{kWidth, kHeight};
};

TEST_F(GlSurfaceTest, SwapPresentsTheFrameAndReleasesTheContext)
{
    orthographicPixels(kWidth, kHeight);
    clearTo(0.0f, 0.0f, 1.0f);
    int presentedWidth = 0;
    int presentedHeight = 0;
    std::uint32_t presentedCorner = 0;
    surface.setFramePresenter([&](const std::uint32_t* pixels, int width, int height) {
        presentedWidth = width;
        presentedHeight = height;
        presentedCorner = pixels[0];
    });
    ASSERT_TRUE(surface.isCurrent());
    ASSERT_TRUE(surface.swapBuffers());
    EXPECT_FALSE(surface.isCurrent());
    EXPECT_EQ(presentedWidth, kWidth);
    EXPECT_EQ(presentedHeight, kHeight);
    EXPECT_EQ(presentedCorner, 0xFF0000u);
    ASSERT_EQ(surface.frame().size(), static_cast<size_t>(kWidth) * kHeight);
}

TEST_F(GlSurfaceTest, EachSurfaceKeepsItsOwnContext)
{
    orthographicPixels(kWidth, kHeight);
    clearTo(1.0f, 0.0f, 0.0f);
    ASSERT_TRUE(surface.swapBuffers());

    GlSurface other(40, 30);
    ASSERT_TRUE(other.makeCurrent()) << other.error();
    orthographicPixels(40, 30);
    clearTo(0.0f, 1.0f, 0.0f);
    ASSERT_TRUE(other.swapBuffers());

    // Drawing in the second surface left the first one's frame alone.
    EXPECT_EQ(surface.readPixels().front(), 0x0000FFu);
    EXPECT_EQ(other.frame().front(), 0x00FF00u);
}

TEST_F(GlSurfaceTest, ResizeKeepsDisplayLists)
{
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor3f(1.0f, 1.0f, 0.0f);
    glRectf(0.0f, 0.0f, 10.0f, 10.0f);
    glEndList();
    surface.doneCurrent();

    ASSERT_TRUE(surface.resize(64, 32));
    ASSERT_TRUE(surface.makeCurrent());
    EXPECT_TRUE(glIsList(list));
    orthographicPixels(64, 32);
    clearTo(0.0f, 0.0f, 0.0f);
    glCallList(list);
    ASSERT_TRUE(surface.swapBuffers());
    EXPECT_EQ(surface.frameWidth(), 64);
    EXPECT_EQ(surface.frameHeight(), 32);
    EXPECT_EQ(pixelAt(surface.frame(), 64, 5, 5), 0x00FFFFu);
    EXPECT_EQ(pixelAt(surface.frame(), 64, 40, 20), 0x000000u);
}

// Two white quads facing the viewer, one near and one far, in linear fog towards grey and lit by
// a directional light; compiled into a display list and drawn through it.
TEST_F(GlSurfaceTest, LitFoggedSceneFromADisplayList)
{
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, static_cast<double>(kWidth) / kHeight, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat lightDirection[] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat darkAmbient[] = {0.1f, 0.1f, 0.1f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, darkAmbient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    glEnable(GL_FOG);
    const GLfloat fogColour[] = {0.5f, 0.5f, 0.5f, 1.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 1.0f);
    glFogf(GL_FOG_END, 20.0f);
    glFogfv(GL_FOG_COLOR, fogColour);

    const GLuint scene = glGenLists(1);
    glNewList(scene, GL_COMPILE);
    glColor3f(1.0f, 0.0f, 0.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS); // near, left half of the view, facing the light
    glVertex3f(-3.0f, -1.0f, -3.0f);
    glVertex3f(-0.2f, -1.0f, -3.0f);
    glVertex3f(-0.2f, 1.0f, -3.0f);
    glVertex3f(-3.0f, 1.0f, -3.0f);
    glEnd();
    glBegin(GL_QUADS); // far, right half
    glVertex3f(0.5f, -4.0f, -16.0f);
    glVertex3f(12.0f, -4.0f, -16.0f);
    glVertex3f(12.0f, 4.0f, -16.0f);
    glVertex3f(0.5f, 4.0f, -16.0f);
    glEnd();
    glNormal3f(0.0f, 0.7071f, 0.7071f);
    glBegin(GL_QUADS); // near, bottom strip, tilted away from the light
    glVertex3f(-3.0f, -1.6f, -3.0f);
    glVertex3f(-0.2f, -1.6f, -3.0f);
    glVertex3f(-0.2f, -1.2f, -3.0f);
    glVertex3f(-3.0f, -1.2f, -3.0f);
    glEnd();
    glEndList();

    clearTo(0.0f, 0.0f, 0.0f);
    glCallList(scene);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ASSERT_TRUE(surface.swapBuffers());
    const auto& frame = surface.frame();

    const std::uint32_t nearFacing = pixelAt(frame, kWidth, 40, 60);
    const std::uint32_t far = pixelAt(frame, kWidth, 130, 60);
    const std::uint32_t nearTilted = pixelAt(frame, kWidth, 40, 107);
    const std::uint32_t background = pixelAt(frame, kWidth, 80, 5);
    EXPECT_EQ(background, 0u);
    // Red surfaces get greyer with distance: the far quad is closer to the fog's grey.
    EXPECT_GT(red(nearFacing), 200);
    EXPECT_LT(green(nearFacing), 60);
    EXPECT_GT(green(far), green(nearFacing) + 40);
    EXPECT_EQ(green(far), blue(far));
    EXPECT_LT(red(far), red(nearFacing));
    // The same red tilted away from the light is darker.
    EXPECT_GT(red(nearTilted), 40);
    EXPECT_LT(red(nearTilted), red(nearFacing) - 40);
}

TEST_F(GlSurfaceTest, PolygonStippleLeavesACheckerboard)
{
    orthographicPixels(kWidth, kHeight);
    clearTo(0.0f, 0.0f, 0.0f);
    GLubyte checkerboard[128];
    for (int row = 0; row < 32; ++row)
        for (int byte = 0; byte < 4; ++byte)
            checkerboard[row * 4 + byte] = (row % 2 == 0) ? 0xAA : 0x55;
    glPolygonStipple(checkerboard);
    glEnable(GL_POLYGON_STIPPLE);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(20.0f, 20.0f, 100.0f, 100.0f);
    ASSERT_TRUE(surface.swapBuffers());

    int lit = 0;
    for (int y = 30; y < 90; ++y)
        for (int x = 30; x < 90; ++x)
        {
            const std::uint32_t here = pixelAt(surface.frame(), kWidth, x, y);
            ASSERT_TRUE(here == 0u || here == 0xFFFFFFu) << x << "," << y;
            EXPECT_NE(here, pixelAt(surface.frame(), kWidth, x + 1, y)) << x << "," << y;
            EXPECT_NE(here, pixelAt(surface.frame(), kWidth, x, y + 1)) << x << "," << y;
            lit += here != 0u;
        }
    EXPECT_EQ(lit, 60 * 60 / 2);
}

// A stippled vertical line drawn from the top down must show every dash of its pattern over its
// whole length (framebuffer objects on Mesa's software renderer drop such lines).
TEST_F(GlSurfaceTest, StippledVerticalLineDrawnDownwardsIsComplete)
{
    orthographicPixels(kWidth, kHeight);
    clearTo(0.0f, 0.0f, 0.0f);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(4, 0xAAAA);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex2f(50.5f, 4.0f);
    glVertex2f(50.5f, 116.0f);
    glEnd();
    ASSERT_TRUE(surface.swapBuffers());

    std::vector<int> litRows;
    for (int y = 0; y < kHeight; ++y)
        if (pixelAt(surface.frame(), kWidth, 50, y) != 0u)
            litRows.push_back(y);
    // 112 pixels of a pattern that is on for 4 and off for 4: 56 lit in 14 dashes.
    ASSERT_EQ(litRows.size(), 56u);
    EXPECT_LE(litRows.front(), 12);
    EXPECT_GE(litRows.back(), 108);
    int dashes = 1;
    for (size_t i = 1; i < litRows.size(); ++i)
        if (litRows[i] != litRows[i - 1] + 1)
        {
            EXPECT_EQ(litRows[i] - litRows[i - 1], 5) << "gap at row " << litRows[i - 1];
            ++dashes;
        }
    EXPECT_EQ(dashes, 14);
}

struct Hit
{
    GLuint name;
    GLuint minimumDepth;
};

// Picks at window pixel (x, y) (y down) with a 3 x 3 pick box; answers the hits in buffer order.
std::vector<Hit> pickAt(int x, int y, void (*drawScene)())
{
    GLuint buffer[64] = {};
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 3.0, 3.0, viewport);
    gluPerspective(60.0, static_cast<double>(viewport[2]) / viewport[3], 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    drawScene();
    const GLint hitCount = glRenderMode(GL_RENDER);
    std::vector<Hit> hits;
    GLuint* record = buffer;
    for (GLint i = 0; i < hitCount; ++i)
    {
        const GLuint names = record[0];
        hits.push_back({names > 0 ? record[3 + names - 1] : 0u, record[1]});
        record += 3 + names;
    }
    return hits;
}

void quadAt(float left, float right, float z)
{
    glBegin(GL_QUADS); // counter-clockwise seen from the viewer: front facing
    glVertex3f(left, -1.0f, z);
    glVertex3f(right, -1.0f, z);
    glVertex3f(right, 1.0f, z);
    glVertex3f(left, 1.0f, z);
    glEnd();
}

void pickScene()
{
    glLoadIdentity();
    glLoadName(1); // near, left of the centre
    quadAt(-2.0f, 0.5f, -5.0f);
    glLoadName(2); // far, right of the centre
    quadAt(-0.5f, 4.0f, -8.0f);
    glLoadName(3); // back facing, culled: never hit
    glBegin(GL_QUADS);
    glVertex3f(-4.0f, 2.0f, -6.0f);
    glVertex3f(-4.0f, 3.0f, -6.0f);
    glVertex3f(4.0f, 3.0f, -6.0f);
    glVertex3f(4.0f, 2.0f, -6.0f);
    glEnd();
}

TEST_F(GlSurfaceTest, SelectionModePickingWithAPickMatrix)
{
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    const std::vector<Hit> overlap = pickAt(kWidth / 2, kHeight / 2, pickScene);
    ASSERT_EQ(overlap.size(), 2u);
    const auto nearHit = std::find_if(overlap.begin(), overlap.end(), [](const Hit& h) { return h.name == 1; });
    const auto farHit = std::find_if(overlap.begin(), overlap.end(), [](const Hit& h) { return h.name == 2; });
    ASSERT_NE(nearHit, overlap.end());
    ASSERT_NE(farHit, overlap.end());
    EXPECT_LT(nearHit->minimumDepth, farHit->minimumDepth);

    const std::vector<Hit> leftOnly = pickAt(50, kHeight / 2, pickScene);
    ASSERT_EQ(leftOnly.size(), 1u);
    EXPECT_EQ(leftOnly[0].name, 1u);

    const std::vector<Hit> rightOnly = pickAt(120, kHeight / 2, pickScene);
    ASSERT_EQ(rightOnly.size(), 1u);
    EXPECT_EQ(rightOnly[0].name, 2u);

    // Above both quads lies only the culled one.
    EXPECT_TRUE(pickAt(kWidth / 2, 12, pickScene).empty());
}

} // namespace
