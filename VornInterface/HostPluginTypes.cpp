#include "VornInterface/HostPluginTypes.h"

#include "plugins/PluginManager.h"

const std::array<HostPluginType, 11>& hostPluginTypes()
{
    static const std::array<HostPluginType, 11> types = {{
        {"Standard MenuItem", &PluginLists::menuItems},
        {"Dialog", &PluginLists::dialogs},
        {"Toolbar", &PluginLists::toolbars},
        {"File Import", &PluginLists::fileImports},
        {"File Export", &PluginLists::fileExports},
        {"ObjectType", &PluginLists::objectTypes},
        {"Object Creator", &PluginLists::objectCreators},
        {"Shape", &PluginLists::shapes},
        {"Object Modifier", &PluginLists::objectModifiers},
        {"View Base", &PluginLists::viewTypes},
        {"Calculator", &PluginLists::calculators},
    }};
    return types;
}

void registerHostPluginTypes(PluginManager& registry, MAI& mai)
{
    for (const HostPluginType& type : hostPluginTypes())
    {
        PluginType* record = registry.addPluginType(&(mai.pluginLists.*type.list), type.name, nullptr);
        if (record != nullptr && type.list == &PluginLists::menuItems)
            mai.addMenuItemType(record);
    }
}
