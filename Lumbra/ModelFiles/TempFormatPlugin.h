#pragma once

// What the importer and the exporter of the model file share: the format's name and extension,
// their description and about box, and their error box.

#include "Lumbra/LumbraPluginTexts.h"
#include "plugins/MAI.h"
#include "platform/SystemValues.h"

#include <string>

namespace lumbra
{

template <class FilePlugin>
class TempFormatPlugin : public FilePlugin
{
public:
    const char* getName() override { return "TempFormat"; }
    // Like every plugin's, the description begins with the name, a colon and a line break.
    const char* getDescription() override { return "TempFormat:\nTemporary ASCII Format for development pourposes."; }
    void about(PluginWindowHandle* parent) override { showPluginAbout(parent, aboutTexts); }
    const char* getExtension() override { return "sfa"; }
    const char* getFormatName() override { return "TempFormat"; }

protected:
    // `aboutName` names the plugin in its about box, `errorCaption` captions its error boxes.
    TempFormatPlugin(const char* aboutName, const char* errorCaption)
        : aboutTexts{aboutName, "", "TempFormat"}, errorCaption(errorCaption)
    {
    }

    // A warning box without owner window.
    void showError(const std::string& message)
    {
        if (this->mai != nullptr)
            this->mai->messageBox(message.c_str(), errorCaption, platform::MB_OK | platform::MB_ICONWARNING);
    }

private:
    PluginTexts aboutTexts;
    const char* errorCaption;
};

} // namespace lumbra
