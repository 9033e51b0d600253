// The vertex batch the OpenGL view's passes draw with: a batch of primitives shows, pixel for
// pixel, what the same primitives sent one by one in immediate mode show, lit and fogged under a
// perspective camera as in the view, also when shapes are placed by a matrix.
#include "Zintel/DrawObjects/VertexBatch.h"

#include "Zintel/ColorRGBA.h"
#include "platform/GlSurface.h"
#include "tests/support/GlRequirement.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace
{

using zintel::VertexBatch;
using Shape = zintel::VertexBatch::Shape;

constexpr int width = 160;
constexpr int height = 120;

struct Point
{
    double position[3];
    double normal[3];
    uint32_t color; // a halved colour word with an alpha byte
};

struct Primitive
{
    Shape shape;
    std::vector<Point> points;
};

GLenum glModeOf(Shape shape)
{
    switch (shape)
    {
    case Shape::Triangles:
        return GL_TRIANGLES;
    case Shape::TriangleStrip:
    case Shape::ClockwiseTriangleStrip:
        return GL_TRIANGLE_STRIP;
    case Shape::TriangleFan:
        return GL_TRIANGLE_FAN;
    case Shape::Polygon:
        return GL_POLYGON;
    case Shape::Lines:
        return GL_LINES;
    case Shape::LineStrip:
        return GL_LINE_STRIP;
    }
    return GL_POINTS;
}

// A point of a wavy sheet in front of the camera, coloured and bent so that every vertex lights
// differently.
Point sheetPoint(double u, double v, uint32_t color)
{
    const double z = 0.3 * std::sin(2.1 * u + 0.7 * v);
    const double length = std::sqrt(1.0 + 0.1 * u * u);
    return {{u, v, z}, {0.3 * u / length, -0.2 * v / length, 1.0 / length}, color};
}

// Points going right, alternately at the top (y0) and at the bottom (y1): a strip of front faces.
std::vector<Point> zigzag(int count, double y0, double y1)
{
    std::vector<Point> points;
    for (int k = 0; k < count; ++k)
        points.push_back(sheetPoint(-1.7 + 0.45 * k + 0.05 * (k % 3), k % 2 == 0 ? y0 : y1,
                                    0x7F102030u + 0x00071309u * static_cast<uint32_t>(k)));
    return points;
}

std::vector<Point> ring(int count, double cx, double cy, double radius)
{
    std::vector<Point> points{sheetPoint(cx, cy, 0x7F406070u)};
    for (int k = 0; k < count; ++k)
    {
        const double angle = 0.3 + 6.283185307179586 * k / count;
        points.push_back(sheetPoint(cx + radius * std::cos(angle), cy + 0.8 * radius * std::sin(angle),
                                    0x3F201070u + 0x00090503u * static_cast<uint32_t>(k)));
    }
    return points;
}

// The same ring without its centre: the corners of a polygon.
std::vector<Point> corners(int count, double cx, double cy, double radius)
{
    std::vector<Point> points = ring(count, cx, cy, radius);
    points.erase(points.begin());
    return points;
}

// The view's state: perspective, depth test, back faces culled, one light with colour material,
// linear fog. The eye straight on the axis makes a camera matrix without rounding.
void setUpScene(bool eyeOnAxis)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, static_cast<double>(width) / height, 0.3, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (eyeOnAxis)
        gluLookAt(0.0, 0.0, 7.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    else
        gluLookAt(0.3, -0.4, 7.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const GLfloat light[4] = {0.4f, 0.3f, 0.8f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0.3f);
    glFogf(GL_FOG_END, 20.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

enum class Colors
{
    Opaque,      // glColor3bv before every vertex
    Translucent, // glColor4bv
    Current,     // none: GL's current colour
    Floats,      // glColor4f of channels made of the colour word
};

// The float channels a point is given with Colors::Floats.
std::array<float, 4> floatChannels(uint32_t word)
{
    return {static_cast<float>(word & 0xFF) / 131.3f, static_cast<float>((word >> 8) & 0xFF) / 127.9f,
            static_cast<float>((word >> 16) & 0xFF) / 129.1f, 0.75f};
}

void sendImmediately(const std::vector<Primitive>& primitives, Colors colors)
{
    for (const Primitive& primitive : primitives)
    {
        const bool clockwise = primitive.shape == Shape::ClockwiseTriangleStrip;
        if (clockwise)
            glFrontFace(GL_CW);
        glBegin(glModeOf(primitive.shape));
        for (const Point& point : primitive.points)
        {
            if (colors == Colors::Floats)
            {
                const std::array<float, 4> channels = floatChannels(point.color);
                glColor4f(channels[0], channels[1], channels[2], channels[3]);
            }
            GLbyte bytes[4];
            for (int channel = 0; channel < 4; ++channel)
                bytes[channel] = static_cast<GLbyte>((point.color >> (8 * channel)) & 0x7F);
            if (colors == Colors::Translucent)
                glColor4bv(bytes);
            else if (colors == Colors::Opaque)
                glColor3bv(bytes);
            glNormal3dv(point.normal);
            glVertex3dv(point.position);
        }
        glEnd();
        if (clockwise)
            glFrontFace(GL_CCW);
    }
}

void gather(VertexBatch& batch, const std::vector<Primitive>& primitives, Colors colors)
{
    for (const Primitive& primitive : primitives)
    {
        batch.begin(primitive.shape);
        for (const Point& point : primitive.points)
        {
            if (colors == Colors::Floats)
            {
                const std::array<float, 4> channels = floatChannels(point.color);
                batch.color(channels[0], channels[1], channels[2], channels[3]);
            }
            else
                batch.color(point.color, colors == Colors::Translucent);
            batch.normal(point.normal[0], point.normal[1], point.normal[2]);
            batch.vertex(point.position[0], point.position[1], point.position[2]);
        }
        batch.end();
    }
}

class VertexBatchPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!surface.makeCurrent())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << surface.error());
    }
    void TearDown() override { surface.doneCurrent(); }

    std::vector<uint32_t> pixelsOf(const std::function<void()>& drawing, bool lit, bool eyeOnAxis = false)
    {
        setUpScene(eyeOnAxis);
        if (lit)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        drawing();
        return surface.readPixels();
    }

    static size_t differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
    {
        size_t count = 0;
        for (size_t k = 0; k < a.size() && k < b.size(); ++k)
            count += a[k] != b[k] ? 1 : 0;
        return count;
    }

    static size_t drawn(const std::vector<uint32_t>& pixels)
    {
        size_t count = 0;
        for (const uint32_t pixel : pixels)
            count += pixel != pixels.front() ? 1 : 0;
        return count;
    }

    platform::GlSurface surface{width, height};
};

struct BatchCase
{
    const char* name;
    std::vector<Primitive> primitives;
    bool lit;
    Colors colors;
};

TEST_F(VertexBatchPixels, ShowsThePixelsOfThePrimitivesSentOneByOne)
{
    const std::vector<BatchCase> cases = {
        {"a strip: every other triangle turned", {{Shape::TriangleStrip, zigzag(9, 0.6, -0.9)}}, true, Colors::Opaque},
        {"a fan", {{Shape::TriangleFan, ring(7, 0.2, -0.1, 1.4)}}, true, Colors::Opaque},
        {"a polygon", {{Shape::Polygon, corners(6, -0.3, 0.2, 1.2)}},
         true, Colors::Opaque},
        {"separate triangles", {{Shape::Triangles, zigzag(9, 1.0, -1.2)}}, true, Colors::Opaque},
        {"translucent triangles, blended in their order",
         {{Shape::TriangleStrip, zigzag(8, 0.4, -1.0)}, {Shape::TriangleFan, ring(6, 0.1, 0.0, 1.0)}},
         true, Colors::Translucent},
        {"a strip wound clockwise, drawn as under a clockwise front face",
         {{Shape::ClockwiseTriangleStrip, zigzag(9, -0.9, 0.6)}},
         true, Colors::Opaque},
        {"colours given as floats", {{Shape::TriangleFan, ring(7, 0.2, -0.1, 1.4)}}, true, Colors::Floats},
        {"a line strip", {{Shape::LineStrip, zigzag(10, 0.9, -1.1)}}, false, Colors::Opaque},
        {"separate lines", {{Shape::Lines, zigzag(10, 1.2, -0.5)}}, false, Colors::Opaque},
        {"shapes of every kind in one batch, overlapping at the same depth",
         {{Shape::TriangleStrip, zigzag(9, 0.6, -0.9)},
          {Shape::Polygon, corners(5, 0.0, 0.0, 1.3)},
          {Shape::TriangleFan, ring(7, 0.2, -0.1, 1.4)},
          {Shape::Triangles, zigzag(6, 1.0, -1.2)}},
         true, Colors::Opaque},
    };
    for (const BatchCase& c : cases)
    {
        const auto immediate = pixelsOf(
            [&] { sendImmediately(c.primitives, c.colors); }, c.lit);
        VertexBatch batch;
        gather(batch, c.primitives, c.colors);
        const auto batched = pixelsOf([&] { batch.draw(true, true); }, c.lit);
        EXPECT_GT(drawn(immediate), 100u) << c.name << ": the scene shows the shapes";
        EXPECT_EQ(differing(immediate, batched), 0u) << c.name;
    }
}

TEST_F(VertexBatchPixels, PlacesShapesAsTheMatrixStackWould)
{
    // Exact matrices (quarter turns, halvings, whole steps) under an exact camera, so that GL's
    // float arithmetic and the batch's agree to the last bit (otherwise they may differ in the
    // last bit, and an edge through a pixel centre may move by that pixel): a squeezed axis shows
    // whether the normals follow the inverse transpose of the turn.
    const std::vector<Primitive> shape = {{Shape::TriangleStrip, zigzag(9, 0.6, -0.9)},
                                          {Shape::TriangleFan, ring(7, 0.2, -0.1, 1.0)}};
    const double matrices[][16] = {
        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, -0.25, 1, 1},
        {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0.25, 0.5, 0, 1},
        {0.5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, -1, 1},
    };
    for (const auto& matrix : matrices)
    {
        const auto immediate = pixelsOf(
            [&] {
                glPushMatrix();
                glMultMatrixd(matrix);
                glColor3b(0x30, 0x50, 0x70);
                sendImmediately(shape, Colors::Current);
                glPopMatrix();
            },
            true, true);
        VertexBatch local;
        gather(local, shape, Colors::Current);
        VertexBatch placed;
        placed.color(0x705030);
        placed.append(local, matrix);
        const auto batched = pixelsOf([&] { placed.draw(true, true); }, true, true);
        EXPECT_GT(drawn(immediate), 100u);
        EXPECT_EQ(differing(immediate, batched), 0u) << matrix[0] << " " << matrix[1] << " " << matrix[10];
    }
}

// The shadows: lit, blended, in the colour the view set.
TEST_F(VertexBatchPixels, DrawsInGLsCurrentColourWithoutItsOwn)
{
    const std::vector<Primitive> shape = {{Shape::TriangleFan, ring(7, 0.2, -0.1, 1.4)}};
    const auto immediate = pixelsOf(
        [&] {
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
            sendImmediately(shape, Colors::Current);
        },
        true);
    VertexBatch batch;
    gather(batch, shape, Colors::Current);
    const auto batched = pixelsOf(
        [&] {
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
            batch.draw(true, false);
        },
        true);
    EXPECT_EQ(differing(immediate, batched), 0u);
}

} // namespace
