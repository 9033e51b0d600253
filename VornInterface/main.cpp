#include "VornInterface/HostDialogResources.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/StartupDialogs.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, "Quorl2");
    registerHostDialogResources();
    application.setWindowIcon(hostResourceModule(), HostResource::ApplicationIcon);
    CVornInterfaceApp host;
    installStartupDialogs(host);
    StartupStatus* status = host.hooks.showSplash ? host.hooks.showSplash() : nullptr;
    if (!host.loadPlugins("_W2K_system/", status))
        return 1;
    host.connect(application);
    if (host.hooks.closeSplash)
        host.hooks.closeSplash();
    // The frame object lives until the process ends, like the plugins that reach it.
    auto* frame = new CMainFrame;
    if (!frame->create())
        return 1;
    application.setMainWindow(frame);
    // The idle work of the frame: the toolbar buttons' states through the command routing.
    application.setIdleHandler([&application](int32_t count) {
        if (auto* shown = dynamic_cast<CMainFrame*>(application.mainWindow()); shown != nullptr && count == 0)
            shown->onIdleUpdate();
        return false;
    });
    frame->show();
    // A new document window; a file named on the command line is imported into it, since
    // documents are not opened as files.
    if (frame->newDocument() != nullptr && argc > 1)
        frame->fileCommands().importPath(argv[1], 0, frame->handle());
    if (host.hooks.showBetaNotice)
        host.hooks.showBetaNotice();
    // The frame may have been closed while the notice was open.
    const int exitCode = application.mainWindow() != nullptr ? application.run() : 0;
    host.exitInstance();
    return exitCode;
}
