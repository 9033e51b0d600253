#include "platform/OffscreenGlContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace
{

std::uint32_t pixelAt(const std::vector<std::uint32_t>& pixels, int width, int x, int y)
{
    return pixels[static_cast<size_t>(y) * width + x];
}

} // namespace

TEST(OffscreenGlContext, RendersWithTheCompatibilityProfile)
{
    platform::OffscreenGlContext context(64, 48);
    ASSERT_TRUE(context.isValid()) << context.error();
    ASSERT_TRUE(context.makeCurrent());
    // Fixed-function GL 1.1: an orthographic square in the lower left quarter on a blue ground.
    glViewport(0, 0, 64, 48);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 64, 0, 48, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(32, 0);
    glVertex2f(32, 24);
    glVertex2f(0, 24);
    glEnd();
    glFinish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const std::vector<std::uint32_t> pixels = context.readPixels();
    context.doneCurrent();

    ASSERT_EQ(pixels.size(), 64u * 48u);
    // Rows come top down and colours as 0x00BBGGRR: the red square is at the bottom left.
    EXPECT_EQ(pixelAt(pixels, 64, 2, 45), 0x0000FFu);
    EXPECT_EQ(pixelAt(pixels, 64, 2, 2), 0xFF0000u);
    EXPECT_EQ(pixelAt(pixels, 64, 60, 45), 0xFF0000u);
}

TEST(OffscreenGlContext, ResizeKeepsTheContextUsable)
{
    platform::OffscreenGlContext context(16, 16);
    ASSERT_TRUE(context.isValid()) << context.error();
    ASSERT_TRUE(context.resize(40, 30));
    EXPECT_EQ(context.width(), 40);
    EXPECT_EQ(context.height(), 30);
    ASSERT_TRUE(context.makeCurrent());
    glViewport(0, 0, 40, 30);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const std::vector<std::uint32_t> pixels = context.readPixels();
    context.doneCurrent();
    ASSERT_EQ(pixels.size(), 40u * 30u);
    EXPECT_EQ(pixelAt(pixels, 40, 39, 29), 0x00FF00u);
}
