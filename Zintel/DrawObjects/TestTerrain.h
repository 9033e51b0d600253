#pragma once

// A demonstration landscape for the OpenGL view: textured islands on a hexagonal height grid, their
// mirror images under the water level and translucent water over them. It draws no part of the
// model and takes no part in picking, snapping or bounds.

#include "Zintel/ColorRGBA.h"
#include "Zintel/OpenGLFamilies.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zintel
{

namespace Terrain
{
constexpr int32_t gridSize = 41; // points per row and rows
constexpr int32_t cellCount = gridSize - 1;
constexpr int32_t triangleCount = 2 * cellCount * cellCount;
constexpr int32_t textureSize = 256;
constexpr float waterLevel = -25.0f;
// Heights below it are sea floor, drawn at the water level.
constexpr float seaBelow = 0.0f;
} // namespace Terrain

// One triangle of the landscape: land or water, its face normal, and per corner a colour (given
// to GL as signed bytes, 127 full) and a shading normal.
struct TerrainTriangle
{
    int32_t land = 1;
    float faceNormal[3] = {0.0f, 0.0f, 1.0f};
    ColorRGBA colors[3] = {{51, 127, 38, 64}, {51, 127, 38, 64}, {51, 127, 38, 64}};
    float normals[3][3] = {{0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}};
};

using TerrainHeights = std::array<float, Terrain::gridSize * Terrain::gridSize>;
using TerrainTriangles = std::vector<TerrainTriangle>;
// Numbers from 0 to 32767, and a new start of their sequence.
struct TerrainRandom
{
    std::function<int32_t()> next;
    std::function<void()> reseed;
};
// The program's generator, started again from the millisecond clock at each reseed.
TerrainRandom clockSeededRandom();

// The position of grid point (row, column) without the skirt of column 0.
std::array<float, 3> terrainPoint(const TerrainHeights& heights, int32_t row, int32_t column);
// The grid points (row, column) of the corners of triangle `index`, in their order.
std::array<std::array<int32_t, 2>, 3> terrainCorners(int32_t index);
// The existing hexagonal neighbours of grid point (row, column).
std::vector<std::array<int32_t, 2>> terrainNeighbours(int32_t row, int32_t column);

// The 256 x 256 RGB texture: grown lines, blurred, shaded grey from 128 to 255.
std::vector<uint8_t> generateTerrainTexture(const TerrainRandom& random);
// Sea floor with fifteen smoothed hills; every height ends either at the water level or at 0 and above.
TerrainHeights generateTerrainHeights(const TerrainRandom& random);
// The triangles of the grid, from their initial contents: normals, land or water, dark shore corners.
TerrainTriangles buildTerrainTriangles(const TerrainHeights& heights);
// Smooth normals, light on the land and foam on the water next to land.
void shadeTerrain(TerrainTriangles& triangles);

// The landscape every view shows, made on the first draw of any enabled test object and kept for
// the whole run. Its triangles are built and shaded once: a view that opens later shows the same
// colours.
struct TerrainLandscape
{
    std::vector<uint8_t> texture;
    std::unique_ptr<TerrainHeights> heights;
    TerrainTriangles triangles;

    // Makes what is missing.
    void complete(const TerrainRandom& random);
};
TerrainLandscape& sharedTerrainLandscape();

// One vertex as the draw passes send it.
struct TerrainVertex
{
    ColorRGBA color;
    float normal[3];
    float texture[2];
    float position[3];
};
// Six vertices per land triangle: its corners, then their mirror image in the water level (first,
// third, second corner). Column 0 reaches 500 units further to -x.
std::vector<TerrainVertex> terrainLandVertices(const TerrainLandscape& landscape);
// Three vertices per water triangle.
std::vector<TerrainVertex> terrainWaterVertices(const TerrainLandscape& landscape);

// The landscape in one view. Its texture belongs to the view's GL context.
class OpenGLDrawObjectTest : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectTest(PluginDrawObject* plugin, OpenGLView* view);

    // The land and its mirror image.
    void draw(int32_t mode, uint32_t tickCount) override;
    // The water.
    void drawBlended() override;
    // The context goes: its texture goes with it.
    void forgetDisplayLists() override;

    uint32_t textureName = 0;

private:
    // Binds the texture of the current context, made from the landscape when it has none.
    void bindTexture(const TerrainLandscape& landscape);
};

class PluginVODOTest : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
    int32_t getBitmapID() override;
};

} // namespace zintel
