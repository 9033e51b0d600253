#include "VornInterface/FileCommands.h"

#include "VornInterface/RecentFileList.h"

#include "VornData/TextCompare.h"
#include "platform/Files.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginFile.h"

#include <algorithm>
#include <filesystem>

namespace
{

template <class Plugin>
std::vector<Plugin*> pluginsOf(VornPluginBase* head)
{
    std::vector<Plugin*> plugins;
    for (; head != nullptr; head = head->getNext())
        plugins.push_back(static_cast<Plugin*>(head));
    return plugins;
}

// "<format> (*.<extension>)" with the pattern "*.<extension>".
template <class Plugin>
platform::FileFilter filterOf(Plugin* plugin)
{
    const std::string extension = plugin->getExtension() != nullptr ? plugin->getExtension() : "";
    const std::string format = plugin->getFormatName() != nullptr ? plugin->getFormatName() : "";
    return {format + " (*." + extension + ")", "*." + extension};
}

// The extension of the file name (a dot in a folder name does not count), without its dot.
std::string extensionOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).filename().extension().string();
    return extension.empty() ? extension : extension.substr(1);
}

} // namespace

void FileCommands::importFile(platform::WindowHandle owner)
{
    const std::vector<VornPluginFileImport*> importers = pluginsOf<VornPluginFileImport>(mai_.pluginLists.fileImports);
    if (importers.empty())
        return;
    if (!importFiltersBuilt_)
    {
        std::string allPatterns;
        for (VornPluginFileImport* importer : importers)
        {
            importFilters_.push_back(filterOf(importer));
            allPatterns += (allPatterns.empty() ? "" : ";") + importFilters_.back().patterns;
        }
        importFilters_.push_back({"All Supported Types", allPatterns});
        importFilters_.push_back({"All Files (*.*)", "*.*"});
        importExtension_ = importers.front()->getExtension() != nullptr ? importers.front()->getExtension() : "";
        importFiltersBuilt_ = true;
    }
    platform::FileDialogRequest request;
    request.owner = owner;
    request.title = "Import";
    request.filters = importFilters_;
    request.filterIndex = static_cast<int32_t>(importers.size()) + 1;
    request.defaultExtension = importExtension_;
    request.fileName = lastImported_;
    request.flags = platform::OFN_FILEMUSTEXIST;
    if (!platform::chooseFile(request))
        return;
    lastImported_ = request.fileName;
    importPath(request.fileName, request.filterIndex, owner);
}

void FileCommands::importPath(const std::string& path, int32_t filterIndex, platform::WindowHandle owner)
{
    const std::string extension = extensionOf(path);
    if (sameTextIgnoringCase(extension, "qr2"))
    {
        // The declared document type holds no model: models travel through import and export.
        platform::messageBox(owner, "\"Open\" is NOT implemented yet\nUSE \"IMPORT\"", "BETA NOTIFICATION",
                             platform::MB_ICONEXCLAMATION);
        return;
    }
    const std::vector<VornPluginFileImport*> importers = pluginsOf<VornPluginFileImport>(mai_.pluginLists.fileImports);
    auto importWith = [&](VornPluginFileImport* importer) {
        if (!importer->import(path.c_str()))
            platform::messageBox(owner, path, "Error during reading...", platform::MB_OK);
        else if (recentFiles_ != nullptr)
            recentFiles_->add(path);
    };
    const std::size_t chosen = static_cast<std::size_t>(filterIndex);
    if (chosen >= 1 && chosen <= importers.size() && importers[chosen - 1]->canImport(path.c_str()))
        return importWith(importers[chosen - 1]);
    for (VornPluginFileImport* importer : importers)
    {
        if ((extension.empty() || sameTextIgnoringCase(extension.c_str(), importer->getExtension())) &&
            importer->canImport(path.c_str()))
            return importWith(importer);
    }
    // No importer takes the file: the user is told why rather than left without an answer.
    const int readError = platform::fileReadError(path);
    const std::string reason = readError != 0
        ? "This file cannot be opened: " + platform::systemErrorText(readError) + "."
        : std::string("This file is not a model or drawing this program reads.");
    platform::messageBox(owner, path + "\n" + reason, "Quorl2", platform::MB_ICONEXCLAMATION);
}

void FileCommands::importRecent(std::size_t index, platform::WindowHandle owner,
                                const std::function<bool()>& prepareDocument)
{
    if (recentFiles_ == nullptr || index >= recentFiles_->paths().size())
        return;
    const std::string path = recentFiles_->paths()[index];
    std::error_code error;
    if (!std::filesystem::exists(path, error))
    {
        platform::messageBox(owner, path + "\nThis file no longer exists. It is removed from the recent files.",
                             "Quorl2", platform::MB_ICONEXCLAMATION);
        recentFiles_->remove(index);
        return;
    }
    if (prepareDocument && !prepareDocument())
        return;
    importPath(path, 0, owner);
}

bool FileCommands::exportFile(platform::WindowHandle owner)
{
    const std::vector<VornPluginFileExport*> exporters = pluginsOf<VornPluginFileExport>(mai_.pluginLists.fileExports);
    if (exporters.empty())
        return false;
    if (!exportFiltersBuilt_)
    {
        for (VornPluginFileExport* exporter : exporters)
            exportFilters_.push_back(filterOf(exporter));
        exportFilters_.push_back({"All Files (*.*)", "*.*"});
        exportExtension_ = exporters.front()->getExtension() != nullptr ? exporters.front()->getExtension() : "";
        exportFiltersBuilt_ = true;
    }
    platform::FileDialogRequest request;
    request.save = true;
    request.owner = owner;
    request.title = "Export";
    request.filters = exportFilters_;
    request.defaultExtension = exportExtension_;
    request.flags = platform::OFN_HIDEREADONLY | platform::OFN_OVERWRITEPROMPT;
    if (!platform::chooseFile(request))
        return false;
    const std::size_t chosen = static_cast<std::size_t>(request.filterIndex);
    if (chosen < 1 || chosen > exporters.size())
    {
        platform::messageBox(owner, "No filetype specified...", "Error", platform::MB_OK);
        return false;
    }
    VornPluginFileExport* exporter = exporters[chosen - 1];
    std::string path = request.fileName;
    if (extensionOf(path).empty())
    {
        if (path.empty() || path.back() != '.')
            path += '.';
        path += exporter->getExtension() != nullptr ? exporter->getExtension() : "";
    }
    // The exporter writes the active document.
    MAI_Doc* document = mai_.activeDocument;
    if (!exporter->exportFile(path.c_str()))
    {
        platform::messageBox(owner, "There were error during file export", "Quorl2", platform::MB_OK);
        return false;
    }
    if (document != nullptr)
        document->markExported();
    if (recentFiles_ != nullptr)
        recentFiles_->add(path);
    return true;
}

bool FileCommands::exportChangesBeforeClosing(MAI_Doc& document, const std::string& title, platform::WindowHandle owner)
{
    if (!document.hasUnexportedChanges())
        return true;
    switch (platform::messageBox(owner, "Export the changes to " + title + "?", "Quorl2",
                                 platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION))
    {
    case platform::IDYES:
        return mai_.activeDocument == &document && exportFile(owner);
    case platform::IDNO:
        return true;
    default:
        return false;
    }
}
