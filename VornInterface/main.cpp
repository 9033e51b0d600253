#include "VornInterface/StartupDialogs.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, "Quorl2");
    CVornInterfaceApp host;
    installStartupDialogs(host);
    StartupStatus* status = host.hooks.showSplash();
    const bool started = host.loadPlugins("_W2K_system/", status);
    host.hooks.closeSplash();
    if (!started)
        return 1;
    host.connect(application);
    application.showMainWindow("Quorl2 beta");
    const int exitCode = application.run();
    host.exitInstance();
    return exitCode;
}
