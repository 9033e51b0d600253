#pragma once

#include "platform/Message.h"
#include "platform/Services.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class MAI;
class MAI_Doc;
class RecentFileList;

// Import and export of the active document through the "File Import" and "File Export" plugins,
// with file dialogs whose type lists are built once per run from the plugins loaded then.
class FileCommands
{
public:
    // Files read or written successfully go to the front of `recentFiles`, when given.
    explicit FileCommands(MAI& mai, RecentFileList* recentFiles = nullptr) : mai_(mai), recentFiles_(recentFiles) {}

    // Asks for a file and reads it with the importer of the chosen type, else with the first
    // importer of the file's extension, else with the first importer that can read it.
    void importFile(platform::WindowHandle owner);
    // Reads the file with the importer of filter `filterIndex` (1 for the first importer; any other
    // value: none chosen), else with the first importer of its extension, else with the first
    // importer that can read it. A file that none takes is reported with the reason.
    void importPath(const std::string& path, int32_t filterIndex, platform::WindowHandle owner);
    // Imports the recent file at `index` like a file named for import, once `prepareDocument` (when
    // given) answers that a document is there to take it. A file that no longer exists is reported
    // and taken off the list instead.
    void importRecent(std::size_t index, platform::WindowHandle owner,
                      const std::function<bool()>& prepareDocument = {});
    // Asks for a file name and type and writes the document with that type's exporter. True when
    // the file was written; the document then no longer counts as edited.
    bool exportFile(platform::WindowHandle owner);
    // Before `document` closes: when its model was edited since its last export, asks "Export the
    // changes to <title>?". Yes exports it through the export dialog (it must be the active
    // document, the one exporters write), No lets the changes go. False, and the document stays
    // open, for Cancel, a cancelled dialog or a failed export.
    bool exportChangesBeforeClosing(MAI_Doc& document, const std::string& title, platform::WindowHandle owner);

private:
    MAI& mai_;
    RecentFileList* recentFiles_;
    bool importFiltersBuilt_ = false;
    std::vector<platform::FileFilter> importFilters_;
    std::string importExtension_;
    bool exportFiltersBuilt_ = false;
    std::vector<platform::FileFilter> exportFilters_;
    std::string exportExtension_;
    std::string lastImported_;
};
