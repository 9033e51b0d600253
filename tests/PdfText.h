#pragma once

// Reading printed PDF files back in tests: the text that a reader can search, and the raw bytes.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

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

} // namespace pdf_test
