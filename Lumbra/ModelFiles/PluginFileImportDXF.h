#pragma once

#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginFile.h"

#include <chrono>

namespace lumbra
{

// "Drawing Exchange Format": reads the LINE and LWPOLYLINE entities of a DXF drawing in text form
// into the active document as joints and members. The file is read and checked whole first; only
// a file read without error changes the document, in one step under the document lock.
class PluginFileImportDXF : public VornPluginFileImport
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getExtension() override;
    const char* getFormatName() override;
    // True when the entity section was read to its end, also when it held nothing to import.
    bool import(const char* path) override;
    bool canImport(const char* path) override;

    // How long the import waits for the document lock before it asks.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    void showError(const std::string& text, const char* caption = nullptr);
};

} // namespace lumbra
