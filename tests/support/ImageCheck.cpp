#include "tests/support/ImageCheck.h"

#include "platform/DrawingConstants.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace vorn_test
{
namespace
{

bool channelsClose(uint32_t a, uint32_t b, int limit)
{
    for (int shift = 0; shift < 24; shift += 8)
    {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > limit)
            return false;
    }
    return true;
}

bool updatingReferences()
{
    const char* value = std::getenv("VORN_UPDATE_IMAGES");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

std::filesystem::path outputFile(const std::filesystem::path& folder, const std::string& name, const char* suffix)
{
    return folder / (name + suffix);
}

} // namespace

int differingPixels(const platform::Surface& actual, const platform::Surface& expected, ImageTolerance tolerance)
{
    int differing = 0;
    for (int32_t y = 0; y < actual.height(); ++y)
        for (int32_t x = 0; x < actual.width(); ++x)
            if (!channelsClose(actual.pixel(x, y), expected.pixel(x, y), tolerance.channel))
                ++differing;
    return differing;
}

std::filesystem::path saveActualImage(const platform::Surface& actual, const std::string& name,
                                      const std::filesystem::path& outputFolder)
{
    const std::filesystem::path path = outputFile(outputFolder, name, ".out.png");
    actual.savePng(path.string());
    return path;
}

testing::AssertionResult imagesMatch(const platform::Surface& actual, const platform::Surface& expected,
                                     const std::string& name, const std::filesystem::path& outputFolder,
                                     ImageTolerance tolerance)
{
    // Pictures of an earlier failing run would tell of a fault that may be gone.
    std::error_code ignored;
    std::filesystem::remove(outputFile(outputFolder, name, ".out.png"), ignored);
    std::filesystem::remove(outputFile(outputFolder, name, ".diff.png"), ignored);
    if (actual.size() != expected.size())
    {
        const std::filesystem::path out = saveActualImage(actual, name, outputFolder);
        return testing::AssertionFailure()
            << name << ": drawn " << actual.width() << "x" << actual.height() << ", expected " << expected.width()
            << "x" << expected.height() << " (drawn image: " << out.string() << ")";
    }
    const int differing = differingPixels(actual, expected, tolerance);
    if (differing <= tolerance.pixels)
        return testing::AssertionSuccess();

    platform::Surface difference(actual.width(), actual.height());
    platform::Rect box{actual.width(), actual.height(), 0, 0};
    for (int32_t y = 0; y < actual.height(); ++y)
        for (int32_t x = 0; x < actual.width(); ++x)
        {
            const uint32_t colour = actual.pixel(x, y);
            if (channelsClose(colour, expected.pixel(x, y), tolerance.channel))
            {
                difference.setPixel(x, y, (colour >> 2) & 0x3F3F3F);
                continue;
            }
            difference.setPixel(x, y, platform::rgb(255, 0, 0));
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    const std::filesystem::path out = saveActualImage(actual, name, outputFolder);
    const std::filesystem::path diff = outputFile(outputFolder, name, ".diff.png");
    difference.savePng(diff.string());
    return testing::AssertionFailure() << name << ": " << differing << " pixels differ (" << tolerance.pixels
                                       << " allowed) within x " << box.left << ".." << box.right - 1 << ", y "
                                       << box.top << ".." << box.bottom - 1 << "; see " << out.string() << " and "
                                       << diff.string();
}

testing::AssertionResult imageMatchesFile(const platform::Surface& actual, const std::filesystem::path& reference,
                                          const std::string& name, const std::filesystem::path& outputFolder,
                                          ImageTolerance tolerance)
{
    if (updatingReferences())
    {
        std::filesystem::create_directories(reference.parent_path());
        if (!actual.savePng(reference.string()))
            return testing::AssertionFailure() << name << ": cannot write the reference " << reference.string();
        std::cout << "[ IMAGE    ] " << name << ": reference written to " << reference.string() << "\n";
        return testing::AssertionSuccess();
    }
    const platform::Surface expected = platform::Surface::loadImage(reference.string());
    if (expected.isEmpty())
    {
        const std::filesystem::path out = saveActualImage(actual, name, outputFolder);
        return testing::AssertionFailure()
            << name << ": no reference image " << reference.string() << " (drawn image: " << out.string()
            << "; VORN_UPDATE_IMAGES=1 writes the reference)";
    }
    return imagesMatch(actual, expected, name, outputFolder, tolerance);
}

} // namespace vorn_test
