#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zintel
{

// The primitives of many objects gathered for one GL draw call from client arrays, so that a pass
// costs a few calls however many objects it draws. It is written like immediate mode: begin a
// primitive, give the colour and normal of the vertices that follow, the vertices, and end it.
// Positions, normals and colours keep the floats that glVertex3d, glNormal3d and glColor would
// have kept; strips, fans and polygons
// become triangles in the vertex order the renderer gives their triangles, and line strips become
// lines, so that the batch shows the pixels of the primitives sent one by one.
class VertexBatch
{
public:
    enum class Shape
    {
        Triangles,
        TriangleStrip,
        // A strip whose front faces are wound clockwise (as drawn under glFrontFace(GL_CW)): its
        // triangles are turned.
        ClockwiseTriangleStrip,
        TriangleFan,
        Polygon,
        Lines,
        LineStrip,
    };

    // Empties the batch, keeping its memory for the next pass.
    void clear();
    bool empty() const { return triangleIndices.empty() && lineIndices.empty(); }

    void begin(Shape shape);
    void end();
    // The colour of the vertices that follow: a halved colour word (see halvedColor), with its
    // top byte as alpha when `withAlpha`, else opaque.
    void color(uint32_t halvedWord, bool withAlpha = false);
    // A colour as glColor4f gives it.
    void color(float red, float green, float blue, float alpha);
    void normal(double x, double y, double z);
    void vertex(double x, double y, double z);
    // Adds the primitives of `shape`, gathered in its own axes, placed by the column-major
    // matrix as GL would place them under it (positions by the matrix, normals by the inverse
    // transpose of its turn), every vertex in the current colour.
    void append(const VertexBatch& shape, const double matrix[16]);

    // Draws the triangles, then the lines, with the normals and the colours of the vertices where
    // asked (otherwise GL's current ones), leaving the client arrays disabled.
    void draw(bool withNormals, bool withColors) const;

private:
    // The vertices are interleaved, so that GL takes them in one piece.
    struct Vertex
    {
        float position[3];
        float normal[3];
        float color[4];
    };

    void closeShape();
    uint32_t vertexCount() const { return static_cast<uint32_t>(vertices.size()); }

    std::vector<Vertex> vertices;
    std::vector<uint32_t> triangleIndices;
    std::vector<uint32_t> lineIndices;
    float currentNormal[3] = {0.0f, 0.0f, 1.0f};
    float currentColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    Shape shape = Shape::Triangles;
    uint32_t shapeStart = 0;
    bool open = false;
};

// Shapes in their own axes made at the document's symbol size, made again when the size differs
// from the one they were made at; placed with VertexBatch::append.
template <size_t Count>
class SizedShapes
{
public:
    // The shapes show `size`: when they do not, they are emptied and `make`(shapes, size) fills
    // them.
    template <class Make>
    void ensure(double size, Make make)
    {
        if (size == madeSize)
            return;
        madeSize = size;
        for (VertexBatch& shape : shapes)
            shape.clear();
        make(shapes, size);
    }
    const VertexBatch& operator[](size_t index) const { return shapes[index]; }
    double size() const { return madeSize; }

private:
    std::array<VertexBatch, Count> shapes;
    double madeSize = 0.0;
};

// a := a b for column-major matrices, as glMultMatrixd does to the current matrix.
void multiplyMatrix(double a[16], const double b[16]);

} // namespace zintel
