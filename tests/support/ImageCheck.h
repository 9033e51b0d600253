#pragma once

// Compares drawn images with small reference PNG files kept beside the tests
// (tests/<module>/images/<name>.png). On a mismatch, and only then, it writes <name>.out.png (what
// was drawn) and <name>.diff.png (red where the images differ, the drawn image dimmed elsewhere)
// into the test's output folder and says how many pixels differ and where the files are.
//
// VORN_UPDATE_IMAGES=1 in the environment writes the drawn image as the new reference instead of
// comparing; the test then passes and says so.

#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vorn_test
{

struct ImageTolerance
{
    int channel = 0; // how far each of red, green and blue may be off for a pixel to count as equal
    int pixels = 0; // how many pixels may differ beyond that
};

// Pixels of two images of the same size that differ by more than the tolerance's channel limit.
int differingPixels(const platform::Surface& actual, const platform::Surface& expected, ImageTolerance tolerance);

// Writes <name>.out.png into `outputFolder`; answers its path.
std::filesystem::path saveActualImage(const platform::Surface& actual, const std::string& name,
                                      const std::filesystem::path& outputFolder);

// Success when `actual` matches `expected` within the tolerance; otherwise writes the actual and
// difference images and says how many pixels differ and where.
testing::AssertionResult imagesMatch(const platform::Surface& actual, const platform::Surface& expected,
                                     const std::string& name, const std::filesystem::path& outputFolder,
                                     ImageTolerance tolerance = {});

// The same against the PNG file `reference` (or, when updating, writes `reference`).
testing::AssertionResult imageMatchesFile(const platform::Surface& actual, const std::filesystem::path& reference,
                                          const std::string& name, const std::filesystem::path& outputFolder,
                                          ImageTolerance tolerance = {});

#if defined(VORN_TEST_SOURCE_DIR) && defined(VORN_TEST_BINARY_DIR)
// The reference images/<name>.png beside the test's sources; the output goes to the test's folder.
inline testing::AssertionResult matchesReferenceImage(const platform::Surface& actual, const std::string& name,
                                                      ImageTolerance tolerance = {})
{
    return imageMatchesFile(actual, std::filesystem::path(VORN_TEST_SOURCE_DIR) / "images" / (name + ".png"), name,
                            VORN_TEST_BINARY_DIR, tolerance);
}
#endif

} // namespace vorn_test
