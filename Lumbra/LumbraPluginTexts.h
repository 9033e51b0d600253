#pragma once

class PluginWindowHandle;

namespace lumbra
{

// The fixed texts of one of the library's model plugins (object types and shapes).
struct PluginTexts
{
    const char* name;
    const char* description; // begins with the name, a colon and a line break
    const char* aboutCaption;
};

// The plugin's about box: its name with the year under it, captioned, OK only.
void showPluginAbout(PluginWindowHandle* parent, const PluginTexts& texts);

} // namespace lumbra
