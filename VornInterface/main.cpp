#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, "Quorl2");
    CVornInterfaceApp host;
    if (!host.loadPlugins("_W2K_system/", nullptr))
        return 1;
    host.connect(application);
    application.showMainWindow("Quorl2 beta");
    const int exitCode = application.run();
    host.exitInstance();
    return exitCode;
}
