#include "Zintel/ZintelPlugins.h"

#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ScalelessSize.h"
#include "plugins/PluginLibraryApplication.h"
#include "plugins/VornPluginViewBase.h"

namespace zintel
{

namespace
{

constexpr uint32_t viewTypeIndex = 1;

VornPluginViewBase* keptViewType = nullptr;

} // namespace

const std::array<PluginTableEntry, 2> pluginTable = {{
    {"Dialog", "Scaleless Size Dialog", makeTablePlugin<PluginScalelessSizeDialog>},
    {"View Base", "OpenGL", makeTablePlugin<PluginViewOpenGL>},
}};

VornPlugin* createPlugin(uint32_t index)
{
    VornPlugin* plugin = createTablePlugin(pluginTable, index);
    if (index == viewTypeIndex && plugin != nullptr)
        keptViewType = dynamic_cast<VornPluginViewBase*>(plugin);
    return plugin;
}

VornPluginViewBase* openGLViewType()
{
    return keptViewType;
}

PluginLibraryApplication& application()
{
    static PluginLibraryApplication zintelApplication("Zintel.dll", false);
    return zintelApplication;
}

} // namespace zintel
