// 24-bit BMP files for snapshots: the exact layout, readable by an image reader, written safely.
#include "platform/BmpFile.h"
#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <iterator>
#include <vector>

namespace
{

using platform::BmpWriteError;
using platform::Surface;
namespace fs = std::filesystem;

std::vector<unsigned char> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t doubleWordAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
        (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

class BmpFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("bmp_file_test_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // 3 x 2: red, green, blue on top; white, black, grey below.
    static Surface sample()
    {
        Surface image(3, 2);
        image.setPixel(0, 0, 0x0000FF);
        image.setPixel(1, 0, 0x00FF00);
        image.setPixel(2, 0, 0xFF0000);
        image.setPixel(0, 1, 0xFFFFFF);
        image.setPixel(1, 1, 0x000000);
        image.setPixel(2, 1, 0x808080);
        return image;
    }

    fs::path folder;
};

TEST_F(BmpFileTest, WritesTheStandardLayout)
{
    const fs::path path = folder / "run0000.bmp";
    ASSERT_EQ(platform::writeBmpFile(path.string(), sample()), BmpWriteError::None);
    const std::vector<unsigned char> bytes = readBytes(path);
    // Rows of 3 pixels take 9 bytes, padded to 12; two rows.
    ASSERT_EQ(bytes.size(), 14u + 40u + 24u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(doubleWordAt(bytes, 2), bytes.size());
    EXPECT_EQ(doubleWordAt(bytes, 10), 54u);
    EXPECT_EQ(doubleWordAt(bytes, 14), 40u);
    EXPECT_EQ(doubleWordAt(bytes, 18), 3u);
    EXPECT_EQ(doubleWordAt(bytes, 22), 2u);
    EXPECT_EQ(bytes[26] | (bytes[27] << 8), 1);
    EXPECT_EQ(bytes[28] | (bytes[29] << 8), 24);
    EXPECT_EQ(doubleWordAt(bytes, 30), 0u);
    EXPECT_EQ(doubleWordAt(bytes, 34), 24u);
    EXPECT_EQ(doubleWordAt(bytes, 46), 0u);
    // The bottom row comes first, each pixel as blue, green, red.
    const std::vector<unsigned char> bottomRow(bytes.begin() + 54, bytes.begin() + 66);
    EXPECT_EQ(bottomRow, (std::vector<unsigned char>{255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0}));
    const std::vector<unsigned char> topRow(bytes.begin() + 66, bytes.begin() + 78);
    EXPECT_EQ(topRow, (std::vector<unsigned char>{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}));
}

TEST_F(BmpFileTest, AnImageReaderSeesTheSamePixels)
{
    const fs::path path = folder / "shot.bmp";
    Surface image(17, 5, 0x336699);
    image.fillRect({2, 1, 9, 4}, 0x00C0FF);
    ASSERT_EQ(platform::writeBmpFile(path.string(), image), BmpWriteError::None);
    const Surface read = Surface::loadImage(path.string());
    ASSERT_EQ(read.size(), image.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(read.pixel(x, y), image.pixel(x, y)) << x << "," << y;
}

TEST_F(BmpFileTest, ReplacesAnOldFileAndLeavesNoTemporaryBehind)
{
    const fs::path path = folder / "shot.bmp";
    {
        std::ofstream(path) << "old content";
    }
    ASSERT_EQ(platform::writeBmpFile(path.string(), sample()), BmpWriteError::None);
    EXPECT_EQ(readBytes(path).size(), 78u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(BmpFileTest, FailuresAreReportedAndChangeNothing)
{
    EXPECT_EQ(platform::writeBmpFile((folder / "missing" / "shot.bmp").string(), sample()), BmpWriteError::CreateFile);
    EXPECT_EQ(platform::writeBmpFile((folder / "empty.bmp").string(), Surface()), BmpWriteError::EmptyImage);
    // A folder in the way of the target: the rename fails, the temporary file goes.
    fs::create_directories(folder / "taken.bmp" / "inside");
    EXPECT_EQ(platform::writeBmpFile((folder / "taken.bmp").string(), sample()), BmpWriteError::ReplaceFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
