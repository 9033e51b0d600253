#include "Zintel/DrawObjects/TestTerrain.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/ZintelLibrary.h"
#include "platform/Random.h"
#include "platform/Time.h"

#include <GL/gl.h>

#include <cmath>

namespace zintel
{

namespace
{

using Terrain::gridSize;

constexpr int32_t cells = Terrain::textureSize * Terrain::textureSize;
constexpr uint8_t grown = 240;
constexpr float skirt = 500.0f;
constexpr float textureScale = 0.025f;
constexpr ColorRGBA waterColor{64, 64, 127, 64};
constexpr ColorRGBA shoreColor{32, 32, 32, 0};
constexpr ColorRGBA foamColor{127, 112, 112, 80};

int32_t gridIndex(int32_t row, int32_t column)
{
    return column + gridSize * row;
}

// A cell of a 256 x 256 work buffer; offsets wrap row into row and the last cell into the first.
uint8_t cellAt(const uint8_t* buffer, int32_t index, int32_t offset)
{
    return buffer[static_cast<uint32_t>(index + offset) & (cells - 1)];
}

// One growth step from `source` into `target`: an empty cell next to a line, with room on the far
// side, joins the line. Answers whether a cell joined.
bool growLines(const uint8_t* source, uint8_t* target)
{
    bool changed = false;
    for (int32_t i = 0; i < cells; ++i)
    {
        target[i] = source[i];
        if (source[i] != 0)
            continue;
        const auto any = [&](std::initializer_list<int32_t> offsets) {
            for (int32_t offset : offsets)
                if (cellAt(source, i, offset) != 0)
                    return true;
            return false;
        };
        const bool n1 = any({256, 257}), f1 = n1 || any({511, 512, 513});
        const bool n2 = any({-256, -257}), f2 = n2 || any({-511, -512, -513});
        const bool n3 = any({1, -255}), f3 = n3 || any({258, 2, -254});
        const bool n4 = any({255, -1}), f4 = n4 || any({254, -2, -258});
        const bool vertical = !f3 || !f4, horizontal = !f1 || !f2;
        if ((n2 && !f1 && vertical) || (n1 && !f2 && vertical) || (n3 && !f4 && horizontal) ||
            (n4 && !f3 && horizontal))
        {
            target[i] = grown;
            changed = true;
        }
    }
    return changed;
}

int32_t blurSum(const uint8_t* buffer, int32_t i)
{
    int32_t sum = 3 * buffer[i];
    for (int32_t offset : {-1, 1, -256, 256})
        sum += 2 * cellAt(buffer, i, offset);
    for (int32_t offset : {-257, -255, 255, 257})
        sum += cellAt(buffer, i, offset);
    return sum;
}

std::array<float, 3> unitCross(const std::array<float, 3>& a, const std::array<float, 3>& b)
{
    std::array<float, 3> n = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0.0f)
        for (float& component : n)
            component /= length;
    return n;
}

void setUnitSum(float target[3], const TerrainTriangles& triangles, std::initializer_list<int32_t> faces)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int32_t face : faces)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += triangles[static_cast<size_t>(face)].faceNormal[axis];
    const float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    for (int axis = 0; axis < 3; ++axis)
        target[axis] = length > 0.0f ? sum[axis] / length : sum[axis];
}

// Corner `corner` (1 to 3) of triangle `index`.
float* cornerNormal(TerrainTriangles& triangles, int32_t index, int corner)
{
    return triangles[static_cast<size_t>(index)].normals[corner - 1];
}

void copyNormal(TerrainTriangles& triangles, int32_t target, int targetCorner, int32_t source, int sourceCorner)
{
    const float* from = cornerNormal(triangles, source, sourceCorner);
    float* to = cornerNormal(triangles, target, targetCorner);
    for (int axis = 0; axis < 3; ++axis)
        to[axis] = from[axis];
}

// Where a corner is drawn: column 0 reaches out to the horizon on the left.
std::array<float, 3> drawnPoint(const TerrainHeights& heights, const std::array<int32_t, 2>& corner)
{
    std::array<float, 3> point = terrainPoint(heights, corner[0], corner[1]);
    if (corner[1] == 0)
        point[0] -= skirt;
    return point;
}

TerrainVertex vertexOf(const TerrainTriangle& triangle, int corner, const std::array<float, 3>& point, float z)
{
    TerrainVertex vertex;
    vertex.color = triangle.colors[corner];
    for (int axis = 0; axis < 3; ++axis)
        vertex.normal[axis] = triangle.normals[corner][axis];
    vertex.texture[0] = textureScale * point[0];
    vertex.texture[1] = textureScale * point[1];
    vertex.position[0] = point[0];
    vertex.position[1] = point[1];
    vertex.position[2] = z;
    return vertex;
}

// GL_TRIANGLES batches of `perBatch` vertices, colours as signed bytes (127 full).
void sendBatches(const std::vector<TerrainVertex>& vertices, size_t perBatch, bool alpha)
{
    for (size_t first = 0; first + perBatch <= vertices.size(); first += perBatch)
    {
        glBegin(GL_TRIANGLES);
        for (size_t index = first; index < first + perBatch; ++index)
        {
            const TerrainVertex& vertex = vertices[index];
            const ColorRGBA& color = vertex.color;
            if (alpha)
                glColor4b(static_cast<GLbyte>(color.red), static_cast<GLbyte>(color.green),
                          static_cast<GLbyte>(color.blue), static_cast<GLbyte>(color.alpha));
            else
                glColor3b(static_cast<GLbyte>(color.red), static_cast<GLbyte>(color.green),
                          static_cast<GLbyte>(color.blue));
            glNormal3fv(vertex.normal);
            glTexCoord2fv(vertex.texture);
            glVertex3fv(vertex.position);
        }
        glEnd();
    }
}

} // namespace

TerrainRandom clockSeededRandom()
{
    return {platform::randomNumber, [] { platform::seedRandom(platform::tickCount()); }};
}

std::array<float, 3> terrainPoint(const TerrainHeights& heights, int32_t row, int32_t column)
{
    // The rows are laid out as the running sum in single precision.
    float y = -346.4f;
    for (int32_t step = 0; step < row; ++step)
        y += 17.32f;
    const float x = (row % 2 == 0 ? -400.0f : -390.0f) + 20.0f * static_cast<float>(column);
    return {x, y, heights[static_cast<size_t>(gridIndex(row, column))]};
}

std::array<std::array<int32_t, 2>, 3> terrainCorners(int32_t index)
{
    const int32_t t = index / (2 * Terrain::cellCount);
    const int32_t c = (index % (2 * Terrain::cellCount)) / 2;
    const bool first = index % 2 == 0;
    if (t % 2 == 0)
        return first ? std::array<std::array<int32_t, 2>, 3>{{{t, c}, {t, c + 1}, {t + 1, c}}}
                     : std::array<std::array<int32_t, 2>, 3>{{{t + 1, c}, {t, c + 1}, {t + 1, c + 1}}};
    return first ? std::array<std::array<int32_t, 2>, 3>{{{t + 1, c}, {t, c}, {t + 1, c + 1}}}
                 : std::array<std::array<int32_t, 2>, 3>{{{t + 1, c + 1}, {t, c}, {t, c + 1}}};
}

std::vector<std::array<int32_t, 2>> terrainNeighbours(int32_t row, int32_t column)
{
    const int32_t diagonal = row % 2 == 0 ? column - 1 : column + 1;
    const std::array<std::array<int32_t, 2>, 6> candidates = {{{row, column - 1},
                                                               {row, column + 1},
                                                               {row - 1, column},
                                                               {row + 1, column},
                                                               {row - 1, diagonal},
                                                               {row + 1, diagonal}}};
    std::vector<std::array<int32_t, 2>> neighbours;
    for (const auto& point : candidates)
        if (point[0] >= 0 && point[0] < gridSize && point[1] >= 0 && point[1] < gridSize)
            neighbours.push_back(point);
    return neighbours;
}

std::vector<uint8_t> generateTerrainTexture(const TerrainRandom& random)
{
    std::vector<uint8_t> image(static_cast<size_t>(3 * cells), 0);
    uint8_t* a = image.data();
    uint8_t* b = image.data() + cells;
    random.reseed();
    for (int32_t i = 0; i < cells; ++i)
        a[i] = random.next() < 327 ? grown : 0;
    // Each cycle grows A into B and back; the lines stop where they meet.
    for (bool changed = true; changed;)
    {
        changed = growLines(a, b);
        changed = growLines(b, a) || changed;
    }
    for (int32_t i = 0; i < cells; ++i)
    {
        const int32_t v = (blurSum(a, i) + 128) / 32;
        b[i] = v < 33 ? 0 : static_cast<uint8_t>(v + 96 + (random.next() & 31));
    }
    for (int32_t i = 0; i < cells; ++i)
        a[i] = static_cast<uint8_t>((blurSum(b, i) + 128) / 16);
    // Downwards, so that the pixels overwrite only cells already read.
    for (int32_t i = cells - 1; i >= 0; --i)
    {
        const int32_t noise = random.next() & 15;
        const int32_t v = a[i];
        int32_t channel = 0;
        if (v < 145)
        {
            const float t = static_cast<float>(v) / 144.0f;
            channel = static_cast<int32_t>(192.0f * t + 128.0f * (1.0f - t));
        }
        else
        {
            const float t = static_cast<float>(v - 144) / 111.0f;
            channel = static_cast<int32_t>(240.0f * t + 192.0f * (1.0f - t));
        }
        const auto byte = static_cast<uint8_t>(channel + noise);
        image[static_cast<size_t>(3 * i)] = byte;
        image[static_cast<size_t>(3 * i + 1)] = byte;
        image[static_cast<size_t>(3 * i + 2)] = byte;
    }
    return image;
}

TerrainHeights generateTerrainHeights(const TerrainRandom& random)
{
    TerrainHeights heights;
    for (float& height : heights)
        height = static_cast<float>((random.next() & 31) - 50);
    random.reseed();
    for (int hill = 0; hill < 15; ++hill)
    {
        const int32_t column = (random.next() & 15) + 13;
        const int32_t row = (random.next() & 15) + 13;
        const auto top = static_cast<float>((random.next() & 127) + 70);
        heights[static_cast<size_t>(gridIndex(row, column))] = top;
        for (const auto& [r, c] : terrainNeighbours(row, column))
        {
            float& h = heights[static_cast<size_t>(gridIndex(r, c))];
            h = h + (top - h) * 0.7f;
        }
    }
    TerrainHeights other;
    for (int pass = 0; pass < 4; ++pass)
    {
        const TerrainHeights& from = pass % 2 == 0 ? heights : other;
        TerrainHeights& to = pass % 2 == 0 ? other : heights;
        for (int32_t row = 0; row < gridSize; ++row)
            for (int32_t column = 0; column < gridSize; ++column)
            {
                const std::vector<std::array<int32_t, 2>> neighbours = terrainNeighbours(row, column);
                float sum = 2.0f * from[static_cast<size_t>(gridIndex(row, column))];
                for (const auto& [r, c] : neighbours)
                    sum += from[static_cast<size_t>(gridIndex(r, c))];
                to[static_cast<size_t>(gridIndex(row, column))] = sum / static_cast<float>(2 + neighbours.size());
            }
    }
    for (float& height : heights)
        if (height < Terrain::seaBelow)
            height = Terrain::waterLevel;
    return heights;
}

TerrainTriangles buildTerrainTriangles(const TerrainHeights& heights)
{
    TerrainTriangles triangles(static_cast<size_t>(Terrain::triangleCount));
    for (int32_t index = 0; index < Terrain::triangleCount; ++index)
    {
        TerrainTriangle& triangle = triangles[static_cast<size_t>(index)];
        std::array<std::array<float, 3>, 3> p;
        const auto corners = terrainCorners(index);
        for (int corner = 0; corner < 3; ++corner)
            p[corner] = terrainPoint(heights, corners[corner][0], corners[corner][1]);
        const std::array<float, 3> normal = unitCross({p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]},
                                                      {p[2][0] - p[1][0], p[2][1] - p[1][1], p[2][2] - p[1][2]});
        for (int corner = 0; corner < 3; ++corner)
            for (int axis = 0; axis < 3; ++axis)
            {
                triangle.faceNormal[axis] = normal[axis];
                triangle.normals[corner][axis] = normal[axis];
            }
        triangle.land = 1;
        int wet = 0;
        for (int corner = 0; corner < 3; ++corner)
            wet += p[corner][2] == Terrain::waterLevel ? 1 : 0;
        if (wet == 3)
        {
            triangle.land = 0;
            for (ColorRGBA& color : triangle.colors)
                color = waterColor;
            continue;
        }
        for (int corner = 0; corner < 3; ++corner)
            if (p[corner][2] == Terrain::waterLevel)
                triangle.colors[corner] = shoreColor;
    }
    return triangles;
}

void shadeTerrain(TerrainTriangles& triangles)
{
    constexpr int32_t row = 2 * Terrain::cellCount;
    for (int32_t k = 2; k <= 36; k += 2)
        for (int32_t c = 2; c <= 37; ++c)
        {
            const int32_t f = row * k + 2 * c;
            setUnitSum(cornerNormal(triangles, f, 3), triangles, {f, f - 1, f + 1, f + 79, f + 80, f + 81});
            setUnitSum(cornerNormal(triangles, f, 2), triangles, {f, f + 1, f + 2, f - 80, f - 79, f - 78});
        }
    for (int32_t k = 2; k <= 36; k += 2)
        for (int32_t c = 1; c <= 38; ++c)
        {
            const int32_t f = row * k + 2 * c;
            copyNormal(triangles, f, 1, f - 2, 2);
            copyNormal(triangles, f + 1, 1, f, 3);
            copyNormal(triangles, f + 1, 2, f, 2);
            copyNormal(triangles, f + 1, 3, f + 2, 3);
            copyNormal(triangles, f - 80, 1, f, 1);
            copyNormal(triangles, f - 80, 3, f, 2);
            copyNormal(triangles, f + 80, 2, f, 3);
            copyNormal(triangles, f - 79, 1, f, 2);
            copyNormal(triangles, f + 81, 3, f + 1, 3);
            copyNormal(triangles, f + 81, 2, f, 3);
        }
    // The light comes along +x.
    constexpr float light[3] = {99.0f, 127.0f, 70.0f};
    for (TerrainTriangle& triangle : triangles)
    {
        if (triangle.land == 0)
            continue;
        for (int corner = 0; corner < 3; ++corner)
        {
            const float w = 0.5f * triangle.normals[corner][0];
            if (w <= 0.0f)
                continue;
            ColorRGBA& color = triangle.colors[corner];
            uint8_t* channels[3] = {&color.red, &color.green, &color.blue};
            for (int channel = 0; channel < 3; ++channel)
                *channels[channel] =
                    static_cast<uint8_t>(w * static_cast<float>(*channels[channel]) + (1.0f - w) * light[channel]);
        }
    }
    // Water corners whose normals the smoothing bent lie next to land.
    for (TerrainTriangle& triangle : triangles)
    {
        if (triangle.land != 0)
            continue;
        for (int corner = 0; corner < 3; ++corner)
            if (triangle.normals[corner][2] != 1.0f)
            {
                triangle.colors[corner] = foamColor;
                triangle.normals[corner][0] = 0.0f;
                triangle.normals[corner][1] = 0.0f;
                triangle.normals[corner][2] = 1.0f;
            }
    }
}

void TerrainLandscape::complete(const TerrainRandom& random)
{
    if (texture.empty())
        texture = generateTerrainTexture(random);
    if (heights == nullptr)
        heights = std::make_unique<TerrainHeights>(generateTerrainHeights(random));
    if (triangles.empty())
    {
        triangles = buildTerrainTriangles(*heights);
        shadeTerrain(triangles);
    }
}

TerrainLandscape& sharedTerrainLandscape()
{
    static TerrainLandscape* landscape = new TerrainLandscape;
    return *landscape;
}

std::vector<TerrainVertex> terrainLandVertices(const TerrainLandscape& landscape)
{
    std::vector<TerrainVertex> vertices;
    if (landscape.heights == nullptr)
        return vertices;
    for (int32_t index = 0; index < static_cast<int32_t>(landscape.triangles.size()); ++index)
    {
        const TerrainTriangle& triangle = landscape.triangles[static_cast<size_t>(index)];
        if (triangle.land == 0)
            continue;
        const auto corners = terrainCorners(index);
        std::array<std::array<float, 3>, 3> points;
        for (int corner = 0; corner < 3; ++corner)
            points[corner] = drawnPoint(*landscape.heights, corners[corner]);
        for (int corner : {0, 1, 2})
            vertices.push_back(vertexOf(triangle, corner, points[corner], points[corner][2]));
        // Reversed, so that the mirror image faces the same way.
        for (int corner : {0, 2, 1})
            vertices.push_back(
                vertexOf(triangle, corner, points[corner], 2.0f * Terrain::waterLevel - points[corner][2]));
    }
    return vertices;
}

std::vector<TerrainVertex> terrainWaterVertices(const TerrainLandscape& landscape)
{
    std::vector<TerrainVertex> vertices;
    if (landscape.heights == nullptr)
        return vertices;
    for (int32_t index = 0; index < static_cast<int32_t>(landscape.triangles.size()); ++index)
    {
        const TerrainTriangle& triangle = landscape.triangles[static_cast<size_t>(index)];
        if (triangle.land != 0)
            continue;
        const auto corners = terrainCorners(index);
        for (int corner = 0; corner < 3; ++corner)
        {
            const std::array<float, 3> point = drawnPoint(*landscape.heights, corners[corner]);
            vertices.push_back(vertexOf(triangle, corner, point, point[2]));
        }
    }
    return vertices;
}

OpenGLDrawObjectTest::OpenGLDrawObjectTest(PluginDrawObject* plugin, OpenGLView* view) : OpenGLDrawObject(plugin, view)
{
    enabled = 0;
}

void OpenGLDrawObjectTest::bindTexture(const TerrainLandscape& landscape)
{
    if (textureName != 0 && glIsTexture(textureName) == GL_TRUE)
    {
        glBindTexture(GL_TEXTURE_2D, textureName);
        return;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    textureName = name;
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, Terrain::textureSize, Terrain::textureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 landscape.texture.data());
}

void OpenGLDrawObjectTest::draw(int32_t, uint32_t)
{
    TerrainLandscape& landscape = sharedTerrainLandscape();
    landscape.complete(clockSeededRandom());
    glEnable(GL_TEXTURE_2D);
    bindTexture(landscape);
    // The texture has no mipmaps: it is complete only with a minification filter that needs none.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glEnable(GL_LIGHTING);
    sendBatches(terrainLandVertices(landscape), 6, false);
    glDisable(GL_TEXTURE_2D);
}

void OpenGLDrawObjectTest::drawBlended()
{
    const TerrainLandscape& landscape = sharedTerrainLandscape();
    if (landscape.triangles.empty() || landscape.heights == nullptr)
        return;
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    bindTexture(landscape);
    sendBatches(terrainWaterVertices(landscape), 3, true);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void OpenGLDrawObjectTest::forgetDisplayLists()
{
    textureName = 0;
}

const char* PluginVODOTest::getName()
{
    return "Test";
}

const char* PluginVODOTest::getDescription()
{
    return "Test [OpenGL]:\noptionally draws Test.";
}

void PluginVODOTest::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOTest", "Test [OpenGL]\n1999");
}

DrawObject* PluginVODOTest::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectTest>(this, owner, "PluginVODOOrigin::getDrawObject");
}

const char* PluginVODOTest::getDisplayName()
{
    return "Test";
}

int32_t PluginVODOTest::getBitmapID()
{
    return BitmapId::JointLayer;
}

} // namespace zintel
