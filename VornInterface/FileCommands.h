#pragma once

#include "platform/Message.h"
#include "platform/Services.h"

#include <string>
#include <vector>

class MAI;

// Import and export of the active document through the "File Import" and "File Export" plugins,
// with file dialogs whose type lists are built once per run from the plugins loaded then.
class FileCommands
{
public:
    explicit FileCommands(MAI& mai) : mai_(mai) {}

    // Asks for a file and reads it with the importer of the chosen type, else with the first
    // importer of the file's extension, else with the first importer that can read it.
    void importFile(platform::WindowHandle owner);
    // Reads the file with the importer of filter `filterIndex` (1 for the first importer; any other
    // value: none chosen), else with the first importer of its extension, else with the first
    // importer that can read it.
    void importPath(const std::string& path, int32_t filterIndex, platform::WindowHandle owner);
    // Asks for a file name and type and writes the document with that type's exporter.
    void exportFile(platform::WindowHandle owner);

private:
    MAI& mai_;
    bool importFiltersBuilt_ = false;
    std::vector<platform::FileFilter> importFilters_;
    std::string importExtension_;
    bool exportFiltersBuilt_ = false;
    std::vector<platform::FileFilter> exportFilters_;
    std::string exportExtension_;
    std::string lastImported_;
};
