#include "platform/BmpFile.h"

#include "platform/Files.h"
#include "platform/Surface.h"

#include <cstdint>
#include <vector>

namespace platform
{
namespace
{

void putWord(std::vector<unsigned char>& out, std::uint16_t value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void putDoubleWord(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
}

std::vector<unsigned char> encodeBmp(const Surface& image)
{
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    constexpr std::uint32_t kBitsPerPixel = 24;
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = ((width * kBitsPerPixel + 31) / 32) * 4;
    const std::uint32_t imageSize = rowBytes * height;
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<unsigned char> out;
    out.reserve(dataOffset + imageSize);
    putWord(out, 0x4D42); // "BM"
    putDoubleWord(out, dataOffset + imageSize);
    putWord(out, 0);
    putWord(out, 0);
    putDoubleWord(out, dataOffset);

    putDoubleWord(out, kInfoHeaderSize);
    putDoubleWord(out, width);
    putDoubleWord(out, height); // positive: rows bottom up
    putWord(out, 1); // planes
    putWord(out, kBitsPerPixel);
    putDoubleWord(out, 0); // no compression
    putDoubleWord(out, imageSize);
    putDoubleWord(out, 0); // resolution unknown
    putDoubleWord(out, 0);
    putDoubleWord(out, 0); // no colour table
    putDoubleWord(out, 0);

    for (std::int32_t y = image.height() - 1; y >= 0; --y)
    {
        const std::uint32_t* row = image.row(y);
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const std::uint32_t colour = Surface::colourOf(row[x]); // 0x00BBGGRR
            out.push_back(static_cast<unsigned char>((colour >> 16) & 0xFF)); // blue
            out.push_back(static_cast<unsigned char>((colour >> 8) & 0xFF)); // green
            out.push_back(static_cast<unsigned char>(colour & 0xFF)); // red
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

} // namespace

BmpWriteError writeBmpFile(const std::string& path, const Surface& image)
{
    if (image.isEmpty())
        return BmpWriteError::EmptyImage;
    const std::vector<unsigned char> bytes = encodeBmp(image);
    FileWriter writer;
    if (writer.open(path) && writer.writeBytes(bytes.data(), bytes.size()) && writer.close())
        return BmpWriteError::None;
    switch (writer.failedStep())
    {
    case FileWriter::Step::Create:
        return BmpWriteError::CreateFile;
    case FileWriter::Step::Replace:
        return BmpWriteError::ReplaceFile;
    default:
        return BmpWriteError::WriteFile;
    }
}

} // namespace platform
