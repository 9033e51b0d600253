// The demonstration landscape: its texture, height grid, triangles, shading and drawn geometry from
// a fixed random sequence, and in a document window of the host: off until switched on, and the
// same colours however many GL contexts draw it.
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ZintelHost.h"

#include "Zintel/DrawObjects/TestTerrain.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

using namespace zintel;

// The program's generator from a fixed seed, started again from another fixed seed at each reseed.
TerrainRandom fixedRandom()
{
    platform::seedRandom(7);
    return {platform::randomNumber, [] { platform::seedRandom(11); }};
}

float heightAt(const TerrainHeights& heights, int32_t row, int32_t column)
{
    return heights[static_cast<size_t>(column + Terrain::gridSize * row)];
}

bool sameColour(const ColorRGBA& a, const ColorRGBA& b)
{
    return a.word() == b.word();
}

class TerrainGeneration : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        landscape = new TerrainLandscape;
        landscape->complete(fixedRandom());
        unshaded = new TerrainTriangles(buildTerrainTriangles(*landscape->heights));
    }

    static inline TerrainLandscape* landscape = nullptr;
    static inline TerrainTriangles* unshaded = nullptr;
};

TEST(TerrainGrid, RowsAreShiftedHalfACellAndTrianglesTakeTheirCornersByRowParity)
{
    TerrainHeights heights{};
    const std::array<float, 3> origin = terrainPoint(heights, 0, 0);
    EXPECT_FLOAT_EQ(origin[0], -400.0f);
    EXPECT_FLOAT_EQ(origin[1], -346.4f);
    EXPECT_FLOAT_EQ(terrainPoint(heights, 1, 2)[0], -350.0f) << "odd rows half a cell to the right";
    EXPECT_NEAR(terrainPoint(heights, 40, 0)[1], 346.4f, 0.01f);

    using Corners = std::array<std::array<int32_t, 2>, 3>;
    const struct
    {
        int32_t index;
        Corners corners;
    } cases[] = {
        {0, {{{0, 0}, {0, 1}, {1, 0}}}}, // even row, first
        {1, {{{1, 0}, {0, 1}, {1, 1}}}}, // even row, second
        {80 + 2 * 5, {{{2, 5}, {1, 5}, {2, 6}}}}, // odd row, first
        {80 + 2 * 5 + 1, {{{2, 6}, {1, 5}, {1, 6}}}}, // odd row, second
        {3199, {{{40, 40}, {39, 39}, {39, 40}}}},
    };
    for (const auto& [index, corners] : cases)
        EXPECT_EQ(terrainCorners(index), corners) << index;

    // Even rows lean left, odd rows right; the border has fewer neighbours.
    using Points = std::vector<std::array<int32_t, 2>>;
    EXPECT_EQ(terrainNeighbours(2, 5), (Points{{2, 4}, {2, 6}, {1, 5}, {3, 5}, {1, 4}, {3, 4}}));
    EXPECT_EQ(terrainNeighbours(3, 5), (Points{{3, 4}, {3, 6}, {2, 5}, {4, 5}, {2, 6}, {4, 6}}));
    EXPECT_EQ(terrainNeighbours(0, 0), (Points{{0, 1}, {1, 0}}));
}

TEST_F(TerrainGeneration, TheTextureIsGreyFrom128To255)
{
    ASSERT_EQ(landscape->texture.size(), 3u * 256u * 256u);
    uint8_t lowest = 255, highest = 0;
    for (size_t pixel = 0; pixel < landscape->texture.size(); pixel += 3)
    {
        const uint8_t red = landscape->texture[pixel];
        ASSERT_EQ(landscape->texture[pixel + 1], red) << pixel / 3;
        ASSERT_EQ(landscape->texture[pixel + 2], red) << pixel / 3;
        lowest = std::min(lowest, red);
        highest = std::max(highest, red);
    }
    EXPECT_GE(lowest, 128);
    EXPECT_GT(highest, lowest) << "the grown lines show";
}

TEST_F(TerrainGeneration, HeightsAreWaterOrLandAndTheHillsStandInTheMiddle)
{
    const TerrainHeights& heights = *landscape->heights;
    int32_t land = 0;
    float highest = -1e9f;
    int32_t highestRow = 0, highestColumn = 0;
    for (int32_t row = 0; row < Terrain::gridSize; ++row)
        for (int32_t column = 0; column < Terrain::gridSize; ++column)
        {
            const float h = heightAt(heights, row, column);
            ASSERT_TRUE(h == Terrain::waterLevel || h >= 0.0f) << row << ", " << column << ": " << h;
            land += h >= 0.0f ? 1 : 0;
            if (h > highest)
            {
                highest = h;
                highestRow = row;
                highestColumn = column;
            }
        }
    EXPECT_GT(land, 0);
    EXPECT_GE(highestRow, 13);
    EXPECT_LE(highestRow, 28);
    EXPECT_GE(highestColumn, 13);
    EXPECT_LE(highestColumn, 28);
    // The edges stay sea.
    for (int32_t k = 0; k < Terrain::gridSize; ++k)
        for (const auto& [row, column] : {std::array{0, k}, std::array{40, k}, std::array{k, 0}, std::array{k, 40}})
            EXPECT_EQ(heightAt(heights, row, column), Terrain::waterLevel);
}

TEST_F(TerrainGeneration, WaterIsExactlyWhereAllCornersAreAtTheWaterLevelAndShoresAreDark)
{
    const TerrainHeights& heights = *landscape->heights;
    int32_t shores = 0;
    for (int32_t index = 0; index < Terrain::triangleCount; ++index)
    {
        const TerrainTriangle& triangle = (*unshaded)[static_cast<size_t>(index)];
        const auto corners = terrainCorners(index);
        int wet = 0;
        for (const auto& [row, column] : corners)
            wet += heightAt(heights, row, column) == Terrain::waterLevel ? 1 : 0;
        ASSERT_EQ(triangle.land, wet == 3 ? 0 : 1) << index;
        for (int corner = 0; corner < 3; ++corner)
        {
            const bool atWater = heightAt(heights, corners[corner][0], corners[corner][1]) == Terrain::waterLevel;
            const ColorRGBA expected = wet == 3 ? ColorRGBA{64, 64, 127, 64}
                : atWater                       ? ColorRGBA{32, 32, 32, 0}
                                                : ColorRGBA{51, 127, 38, 64};
            ASSERT_TRUE(sameColour(triangle.colors[corner], expected)) << index << " corner " << corner;
        }
        shores += triangle.land != 0 && wet > 0 ? 1 : 0;
        const float* n = triangle.faceNormal;
        EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-5f);
        EXPECT_GT(n[2], 0.0f) << "every face looks up";
    }
    EXPECT_GT(shores, 0);
}

TEST_F(TerrainGeneration, ShadingLightsLandFromPlusXAndPutsFoamBesideIt)
{
    const TerrainTriangles& shaded = landscape->triangles;
    int32_t lit = 0, foam = 0;
    for (size_t index = 0; index < shaded.size(); ++index)
    {
        const TerrainTriangle& triangle = shaded[index];
        for (int corner = 0; corner < 3; ++corner)
        {
            const ColorRGBA& colour = triangle.colors[corner];
            if (triangle.land == 0)
            {
                // Every water corner ends flat: foam where the smoothing bent it, plain water elsewhere.
                EXPECT_EQ(triangle.normals[corner][2], 1.0f);
                const bool isFoam = sameColour(colour, {127, 112, 112, 80});
                EXPECT_TRUE(isFoam || sameColour(colour, {64, 64, 127, 64})) << index;
                foam += isFoam ? 1 : 0;
                continue;
            }
            const float w = 0.5f * triangle.normals[corner][0];
            const ColorRGBA& before = (*unshaded)[index].colors[corner];
            if (w <= 0.0f)
            {
                EXPECT_TRUE(sameColour(colour, before)) << index;
                continue;
            }
            ++lit;
            EXPECT_EQ(colour.red, static_cast<uint8_t>(w * before.red + (1.0f - w) * 99.0f)) << index;
            EXPECT_EQ(colour.green, static_cast<uint8_t>(w * before.green + (1.0f - w) * 127.0f)) << index;
            EXPECT_EQ(colour.blue, static_cast<uint8_t>(w * before.blue + (1.0f - w) * 70.0f)) << index;
            EXPECT_EQ(colour.alpha, before.alpha);
        }
    }
    EXPECT_GT(lit, 0);
    EXPECT_GT(foam, 0);
}

TEST_F(TerrainGeneration, LandIsMirroredInTheWaterLevelAndTheLeftEdgeReachesTheHorizon)
{
    const std::vector<TerrainVertex> land = terrainLandVertices(*landscape);
    const auto landTriangles = std::count_if(landscape->triangles.begin(), landscape->triangles.end(),
                                             [](const TerrainTriangle& t) { return t.land != 0; });
    ASSERT_EQ(land.size(), static_cast<size_t>(6 * landTriangles));
    for (size_t first = 0; first < land.size(); first += 6)
    {
        // The mirror takes the corners first, third, second.
        for (const auto& [mirror, original] : {std::pair{3, 0}, std::pair{4, 2}, std::pair{5, 1}})
        {
            const TerrainVertex& a = land[first + original];
            const TerrainVertex& b = land[first + mirror];
            EXPECT_EQ(b.position[0], a.position[0]);
            EXPECT_EQ(b.position[1], a.position[1]);
            EXPECT_FLOAT_EQ(b.position[2], -50.0f - a.position[2]);
            EXPECT_TRUE(sameColour(a.color, b.color));
        }
    }
    // Every drawn vertex takes its texture from its drawn position; only column 0 moves left.
    const std::vector<TerrainVertex> water = terrainWaterVertices(*landscape);
    ASSERT_FALSE(water.empty());
    bool skirt = false;
    for (const TerrainVertex& vertex : water)
    {
        EXPECT_FLOAT_EQ(vertex.texture[0], 0.025f * vertex.position[0]);
        EXPECT_FLOAT_EQ(vertex.texture[1], 0.025f * vertex.position[1]);
        EXPECT_EQ(vertex.position[2], Terrain::waterLevel);
        const bool oddRow = std::fmod(std::round((vertex.position[1] + 346.4f) / 17.32f), 2.0f) != 0.0f;
        const float rowStart = oddRow ? -390.0f : -400.0f;
        if (vertex.position[0] < rowStart)
        {
            EXPECT_FLOAT_EQ(vertex.position[0], rowStart - 500.0f);
            skirt = true;
        }
        EXPECT_LE(vertex.position[0], 410.0f) << "no other edge is extended";
    }
    EXPECT_TRUE(skirt);
}

// The landscape in the OpenGL view, looked at from above.
class TerrainInWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr);
        OpenGLView& state = *host.info();
        for (DrawObject* object = state.drawObjects; object != nullptr; object = object->next)
        {
            if (std::string(object->plugin->getName()) == "Test")
                terrain = static_cast<OpenGLDrawObjectTest*>(object);
            else
                object->enabled = 0;
        }
        ASSERT_NE(terrain, nullptr) << "every view gets the landscape";
        state.povX = 0.0;
        state.povY = 0.0;
        state.povZ = 600.0;
        state.tilt = 90.0f; // looking straight down
        state.direction = 0.0f;
        state.zFar = 2000.0;
        state.fogOn = false;
        state.projectionDirty = true;
    }

    // The pixels of the middle of the window, where the islands stand.
    std::vector<uint32_t> middlePixels() const
    {
        std::vector<uint32_t> pixels;
        const platform::Rect client = host.view()->clientRect();
        for (int y = client.height() / 4; y < 3 * client.height() / 4; y += 7)
            for (int x = client.width() / 4; x < 3 * client.width() / 4; x += 7)
                pixels.push_back(host.pixel(x, y));
        return pixels;
    }

    ZintelHost& host = ZintelHost::instance();
    OpenGLDrawObjectTest* terrain = nullptr;
};

TEST_F(TerrainInWindow, OffNothingIsMadeOrDrawnOnTheSameColoursInEveryNewContext)
{
    EXPECT_EQ(terrain->enabled, 0) << "a new view does not show the landscape";
    host.paint();
    const std::vector<uint32_t> background = middlePixels();
    EXPECT_TRUE(sharedTerrainLandscape().texture.empty()) << "nothing is generated while it is off";
    EXPECT_EQ(sharedTerrainLandscape().heights, nullptr);

    terrain->enabled = 1;
    host.paint();
    ASSERT_FALSE(sharedTerrainLandscape().triangles.empty());
    EXPECT_NE(terrain->textureName, 0u);
    const std::vector<uint32_t> first = middlePixels();
    EXPECT_NE(first, background) << "the landscape shows";

    // Each new context (a view that opens, a view type shown again) draws the very same colours.
    for (int context = 0; context < 2; ++context)
    {
        host.viewType->deactivateView(host.viewInterface(), nullptr);
        EXPECT_EQ(terrain->textureName, 0u) << "the texture went with its context";
        host.paint();
        EXPECT_NE(terrain->textureName, 0u);
        EXPECT_EQ(middlePixels(), first) << "context " << context + 2;
    }
    terrain->enabled = 0;
}

} // namespace
