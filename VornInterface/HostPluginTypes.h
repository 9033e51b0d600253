#pragma once

#include "plugins/MAI.h"

#include <array>

class PluginManager;

// The eleven plugin types the host knows, in the order it registers them, each bound to its list
// in the application interface.
struct HostPluginType
{
    const char* name;
    VornPluginBase* PluginLists::*list;
};

const std::array<HostPluginType, 11>& hostPluginTypes();

// Registers the eleven types with the registry; "Standard MenuItem" also becomes a menu-item type
// of the application interface, whose items may be bound to keys and mouse gestures.
void registerHostPluginTypes(PluginManager& registry, MAI& mai);
