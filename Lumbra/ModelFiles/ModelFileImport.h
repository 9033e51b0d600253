#pragma once

// The importer of the model file "TempFormat": reads the file whole and checks it, then adds its
// model to the active document under the document lock, merging materials, cross-sections and
// force definitions that the document already holds. A refused file changes nothing.

#include "Lumbra/ModelFiles/TempFormatPlugin.h"
#include "plugins/VornPluginFile.h"

#include <chrono>
#include <string>

class MAI_Doc;

namespace lumbra
{

namespace modelfile
{
struct ModelFileContent;
}

class PluginFileImportTempFormat : public TempFormatPlugin<VornPluginFileImport>
{
public:
    PluginFileImportTempFormat();
    bool import(const char* path) override;
    bool canImport(const char* path) override;

    // How long the import waits for the document lock before it asks the user.
    std::chrono::milliseconds lockTimeout;
};

// Adds a model read from a file to the document, with its objects in a named selection `title`
// made current. False (nothing changed) when the document lock was not granted.
bool addModelToDocument(MAI_Doc* documentInterface, const modelfile::ModelFileContent& content,
                        const std::string& title, std::chrono::milliseconds lockTimeout);

} // namespace lumbra
