#include "Lumbra/LumbraPluginTexts.h"

#include "Lumbra/LumbraLibrary.h"

#include <string>

namespace lumbra
{

void showPluginAbout(PluginWindowHandle* parent, const PluginTexts& texts)
{
    showAboutBox(parent, texts.aboutCaption, std::string(texts.name) + "\n1999");
}

} // namespace lumbra
