#include "Lumbra/ModelFiles/PluginFileImportDXF.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/ModelFiles/DxfReader.h"
#include "Lumbra/ModelFiles/ImportCommit.h"
#include "plugins/MAI.h"
#include "platform/Files.h"
#include "platform/SystemValues.h"

#include <cstdint>
#include <string>

namespace lumbra
{

namespace
{

constexpr const char* formatName = "Drawing Exchange Format";
constexpr const char* errorCaption = "Error PluginFileImportDXF";
constexpr const char* waitingText =
    "DXF Import\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
    "Abort Import?\nRetry to gain access?\nOr ignore? (the import is given up)";

// Enough lines of a file to tell whether it is a DXF file: comment groups come first at most.
constexpr size_t linesOfTheStart = 1000;

// The first lines of the file joined by LF; false when it cannot be opened or read.
bool readStartOfFile(const char* path, std::string& text)
{
    platform::TextFileReader reader;
    if (path == nullptr || !reader.open(path))
        return false;
    std::string line;
    for (size_t count = 0; count < linesOfTheStart && reader.readLine(line); ++count)
    {
        text += line;
        text += '\n';
    }
    return reader.error() == platform::FileErrorCause::None;
}

// The file name without its folder.
std::string fileTitle(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

const char* PluginFileImportDXF::getName()
{
    return formatName;
}

const char* PluginFileImportDXF::getDescription()
{
    return "Drawing Exchange Format:\nDrawing Exchange Format.";
}

void PluginFileImportDXF::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, formatName, "DXF Importer");
}

const char* PluginFileImportDXF::getExtension()
{
    return "dxf";
}

const char* PluginFileImportDXF::getFormatName()
{
    return formatName;
}

bool PluginFileImportDXF::canImport(const char* path)
{
    std::string text;
    return readStartOfFile(path, text) && looksLikeDxf(text);
}

bool PluginFileImportDXF::import(const char* path)
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
    {
        showError("No active document");
        return false;
    }
    if (document->document.getWorldGroup() == nullptr)
    {
        showError("Can't retrieve WorldGroup", "DXF Import Error");
        return false;
    }
    const ImportLists lists = importListsOf(document);
    if (lists.joints == nullptr || lists.members == nullptr)
    {
        showError("The document has no list of joints or members");
        return false;
    }

    std::string text;
    if (path == nullptr || platform::readWholeFile(path, text) != 0)
    {
        showError(std::string("Failed to open file \"") + (path != nullptr ? path : "") + "\"");
        return false;
    }
    const DxfReading reading = readDxf(text);
    if (!reading.ok)
    {
        showError(reading.error);
        return false;
    }
    // A drawing read to its end is imported, also when it holds nothing this import makes: then
    // the document stays as it was and the summary says why.
    if (!reading.drawing.model.members.empty() &&
        !commitModelFragment(*document, lists, reading.drawing.model, fileTitle(path), waitingText, lockTimeout))
        return false;
    mai->messageBox(describeDxfDrawing(reading.drawing).c_str(), formatName,
                    platform::MB_OK | platform::MB_ICONINFORMATION);
    return true;
}

void PluginFileImportDXF::showError(const std::string& text, const char* caption)
{
    if (mai != nullptr)
        mai->messageBox(text.c_str(), caption != nullptr ? caption : errorCaption,
                        platform::MB_OK | platform::MB_ICONWARNING);
}

} // namespace lumbra
