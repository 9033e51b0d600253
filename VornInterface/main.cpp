#include "VornInterface/PluginLibraries.h"
#include "platform/Application.h"

#include <cstdio>

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, "Quorl2");
    PluginLibraryLoadResult plugins = loadPluginLibraries("_W2K_system");
    for (const std::string& failure : plugins.failures)
        std::fprintf(stderr, "Plugin library not loaded: %s\n", failure.c_str());
    application.showMainWindow("Quorl2 beta");
    return application.run();
}
