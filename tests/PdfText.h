#pragma once

// Reading printed PDF files back in tests: the text that a reader can search, the raw bytes, and
// the first page as pixels.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace pdf_test
{

// The searchable text of the PDF file (pdftotext of poppler-utils); nullopt without pdftotext.
inline std::optional<std::string> extractText(const std::string& path)
{
    if (std::system("command -v pdftotext > /dev/null 2>&1") != 0)
        return std::nullopt;
    FILE* pipe = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, read);
    pclose(pipe);
    return text;
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The first page rendered to pixels, 0x00RRGGBB words, rows top down.
struct PageImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // The smallest rectangle (left, top, right, bottom; right and bottom exclusive) holding every
    // pixel that is not near white; all zero on a blank page.
    struct Box
    {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    Box inkBox() const
    {
        Box box{width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const std::uint32_t c = at(x, y);
                if (((c >> 16) & 0xFF) > 240 && ((c >> 8) & 0xFF) > 240 && (c & 0xFF) > 240)
                    continue;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        return box.right == 0 ? Box{} : box;
    }
};

// The first page of the PDF file at `dpi` (pdftoppm of poppler-utils); nullopt without pdftoppm
// or when the file cannot be rendered.
inline std::optional<PageImage> renderFirstPage(const std::string& path, int dpi)
{
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        return std::nullopt;
    const std::string prefix = path + ".page";
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -singlefile -f 1 -l 1 '" + path + "' '" +
        prefix + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    std::ifstream file(prefix + ".ppm", std::ios::binary);
    std::string magic;
    int maximum = 0;
    PageImage page;
    file >> magic >> page.width >> page.height >> maximum;
    file.get(); // the one white-space character before the samples
    if (!file || magic != "P6" || maximum != 255 || page.width <= 0 || page.height <= 0)
        return std::nullopt;
    std::vector<unsigned char> samples(static_cast<size_t>(page.width) * page.height * 3);
    file.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size()));
    if (!file)
        return std::nullopt;
    page.pixels.resize(static_cast<size_t>(page.width) * page.height);
    for (size_t i = 0; i < page.pixels.size(); ++i)
        page.pixels[i] =
            (std::uint32_t{samples[i * 3]} << 16) | (std::uint32_t{samples[i * 3 + 1]} << 8) | samples[i * 3 + 2];
    file.close();
    std::filesystem::remove(prefix + ".ppm");
    return page;
}

// Whether the first page shows one image (the ink of the page) with the proportions
// `widthByHeight` whose left and right halves are `left` and `right` (0x00RRGGBB, within a few
// steps: images may be compressed), as a printed GL frame of two halves is.
inline ::testing::AssertionResult printedHalves(const std::string& path, double widthByHeight, std::uint32_t left,
                                                std::uint32_t right)
{
    const std::optional<PageImage> page = renderFirstPage(path, 40);
    if (!page)
        return ::testing::AssertionFailure() << "pdftoppm (poppler-utils) cannot render " << path;
    const PageImage::Box ink = page->inkBox();
    if (ink.right - ink.left < 20 || ink.bottom - ink.top < 20)
        return ::testing::AssertionFailure() << "the page is nearly blank";
    const double ratio = static_cast<double>(ink.right - ink.left) / (ink.bottom - ink.top);
    if (std::abs(ratio - widthByHeight) > 0.05)
        return ::testing::AssertionFailure() << "the ink's proportions are " << ratio << ", not " << widthByHeight;
    auto near = [](std::uint32_t colour, std::uint32_t expected) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((colour >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
                24)
                return false;
        return true;
    };
    const int middle = (ink.top + ink.bottom) / 2;
    const int quarter = (ink.right - ink.left) / 4;
    for (const auto& [x, expected] : {std::pair{ink.left + quarter, left}, std::pair{ink.right - 1 - quarter, right}})
        if (!near(page->at(x, middle), expected))
            return ::testing::AssertionFailure() << std::hex << "0x" << page->at(x, middle) << " at " << std::dec << x
                                                 << "," << middle << ", not 0x" << std::hex << expected;
    return ::testing::AssertionSuccess();
}

} // namespace pdf_test
