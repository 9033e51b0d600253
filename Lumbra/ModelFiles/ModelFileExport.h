#pragma once

// The exporter of the model file "TempFormat": writes the six model lists of the active document
// to a temporary file beside the target and renames it into place once every write succeeded, so
// a failure leaves the old file as it was.

#include "Lumbra/ModelFiles/TempFormatPlugin.h"
#include "plugins/VornPluginFile.h"

#include <string>

class VornDocument;

namespace lumbra
{

class PluginFileExportTempFormat : public TempFormatPlugin<VornPluginFileExport>
{
public:
    PluginFileExportTempFormat();
    bool exportFile(const char* path) override;
    bool canExport() override;
};

// Why a model could not be written.
enum class ModelWriteResult
{
    Written,
    OpenFailed, // the temporary file could not be made
    WriteFailed, // writing, flushing or renaming failed
    UnwritableName, // a name holds a line feed or is longer than a name may be
    NonFiniteValue // a value is infinite or not a number, which the reader refuses
};

// Writes the document's model to the file. On a failure `reason`, when given, receives why: the
// system's words, or the element whose value is not finite.
ModelWriteResult writeModelFile(VornDocument& document, const std::string& path, std::string* reason = nullptr);

} // namespace lumbra
