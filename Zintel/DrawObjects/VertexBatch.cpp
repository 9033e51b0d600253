#include "Zintel/DrawObjects/VertexBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>

namespace zintel
{

namespace
{

// What GL makes of the byte of a halved colour (0 to 127) given as a signed byte.
float signedByteValue(uint32_t byte)
{
    return (2.0f * static_cast<float>(byte & 0x7Fu) + 1.0f) * (1.0f / 255.0f);
}

void drawIndexed(GLenum mode, const std::vector<uint32_t>& indices)
{
    if (!indices.empty())
        glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
}

} // namespace

void VertexBatch::clear()
{
    vertices.clear();
    triangleIndices.clear();
    lineIndices.clear();
    open = false;
}

void VertexBatch::begin(Shape newShape)
{
    if (open)
        closeShape();
    shape = newShape;
    shapeStart = vertexCount();
    open = true;
}

void VertexBatch::end()
{
    if (open)
        closeShape();
    open = false;
}

void VertexBatch::color(uint32_t halvedWord, bool withAlpha)
{
    color(signedByteValue(halvedWord), signedByteValue(halvedWord >> 8), signedByteValue(halvedWord >> 16),
          withAlpha ? signedByteValue(halvedWord >> 24) : 1.0f);
}

void VertexBatch::color(float red, float green, float blue, float alpha)
{
    currentColor[0] = red;
    currentColor[1] = green;
    currentColor[2] = blue;
    currentColor[3] = alpha;
}

void VertexBatch::normal(double x, double y, double z)
{
    currentNormal[0] = static_cast<float>(x);
    currentNormal[1] = static_cast<float>(y);
    currentNormal[2] = static_cast<float>(z);
}

void VertexBatch::vertex(double x, double y, double z)
{
    vertices.push_back({{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)},
                        {currentNormal[0], currentNormal[1], currentNormal[2]},
                        {currentColor[0], currentColor[1], currentColor[2], currentColor[3]}});
}

void VertexBatch::append(const VertexBatch& shape, const double m[16])
{
    // The cofactors of the turn, c[3 * column + row]: its inverse transpose times the determinant.
    const double c[9] = {m[5] * m[10] - m[6] * m[9], m[6] * m[8] - m[4] * m[10], m[4] * m[9] - m[5] * m[8],
                         m[9] * m[2] - m[10] * m[1], m[10] * m[0] - m[8] * m[2], m[8] * m[1] - m[9] * m[0],
                         m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6], m[0] * m[5] - m[1] * m[4]};
    const double determinant = m[0] * c[0] + m[4] * c[3] + m[8] * c[6];
    const double scale = determinant != 0.0 ? 1.0 / determinant : 0.0;
    const uint32_t base = vertexCount();
    vertices.resize(base + shape.vertices.size());
    Vertex* to = vertices.data() + base;
    for (const Vertex& from : shape.vertices)
    {
        const float* p = from.position;
        const float* n = from.normal;
        for (int row = 0; row < 3; ++row)
        {
            to->position[row] = static_cast<float>(m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row]);
            to->normal[row] = static_cast<float>((c[row] * n[0] + c[3 + row] * n[1] + c[6 + row] * n[2]) * scale);
        }
        std::copy(currentColor, currentColor + 4, to->color);
        ++to;
    }
    const auto appendIndices = [base](std::vector<uint32_t>& into, const std::vector<uint32_t>& from) {
        const size_t start = into.size();
        into.resize(start + from.size());
        for (size_t k = 0; k < from.size(); ++k)
            into[start + k] = base + from[k];
    };
    appendIndices(triangleIndices, shape.triangleIndices);
    appendIndices(lineIndices, shape.lineIndices);
}

void VertexBatch::closeShape()
{
    const uint32_t first = shapeStart;
    const uint32_t count = vertexCount() - first;
    const auto triangle = [this](uint32_t a, uint32_t b, uint32_t c) {
        triangleIndices.push_back(a);
        triangleIndices.push_back(b);
        triangleIndices.push_back(c);
    };
    const auto line = [this](uint32_t a, uint32_t b) {
        lineIndices.push_back(a);
        lineIndices.push_back(b);
    };
    switch (shape)
    {
    case Shape::Triangles:
        for (uint32_t i = 2; i < count; i += 3)
            triangle(first + i - 2, first + i - 1, first + i);
        break;
    case Shape::TriangleStrip:
    case Shape::ClockwiseTriangleStrip:
        // Every other triangle turns its first two vertices, keeping the strip's winding; a
        // clockwise strip turns the others.
        for (uint32_t i = 2; i < count; ++i)
            if ((i % 2 == 0) == (shape == Shape::TriangleStrip))
                triangle(first + i - 2, first + i - 1, first + i);
            else
                triangle(first + i - 1, first + i - 2, first + i);
        break;
    case Shape::TriangleFan:
        for (uint32_t i = 2; i < count; ++i)
            triangle(first, first + i - 1, first + i);
        break;
    case Shape::Polygon:
        for (uint32_t i = 2; i < count; ++i)
            triangle(first + i - 1, first + i, first);
        break;
    case Shape::Lines:
        for (uint32_t i = 1; i < count; i += 2)
            line(first + i - 1, first + i);
        break;
    case Shape::LineStrip:
        for (uint32_t i = 1; i < count; ++i)
            line(first + i - 1, first + i);
        break;
    }
}

void VertexBatch::draw(bool withNormals, bool withColors) const
{
    if (empty())
        return;
    constexpr GLsizei stride = sizeof(Vertex);
    const Vertex& first = vertices.front();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, first.position);
    if (withNormals)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, first.normal);
    }
    if (withColors)
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, stride, first.color);
    }
    drawIndexed(GL_TRIANGLES, triangleIndices);
    drawIndexed(GL_LINES, lineIndices);
    glDisableClientState(GL_VERTEX_ARRAY);
    // GL's current normal and colour are left as the last vertex's, as immediate mode leaves them.
    const Vertex& last = vertices.back();
    if (withNormals)
    {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3fv(last.normal);
    }
    if (withColors)
    {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4fv(last.color);
    }
}

void multiplyMatrix(double a[16], const double b[16])
{
    double product[16];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            product[4 * column + row] = a[row] * b[4 * column] + a[4 + row] * b[4 * column + 1] +
                a[8 + row] * b[4 * column + 2] + a[12 + row] * b[4 * column + 3];
    for (int k = 0; k < 16; ++k)
        a[k] = product[k];
}

} // namespace zintel
