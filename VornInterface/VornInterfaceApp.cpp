#include "VornInterface/VornInterfaceApp.h"

#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/MAI_Doc_VornInterface.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/StartupStatus.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "plugins/PluginManager.h"

#include <cstdio>

namespace
{

CVornInterfaceApp* theApplication = nullptr;

// Shows each plugin the registry adds on the start-up status line.
class StatusRegistryListener : public PluginRegistryListener
{
public:
    explicit StatusRegistryListener(StartupStatus* status) : status_(status) {}
    void pluginAdding(const char* line) override
    {
        if (status_ != nullptr)
            status_->showStatus(line);
    }

private:
    StartupStatus* status_;
};

} // namespace

CVornInterfaceApp::CVornInterfaceApp() : mai_(new MAI_VornInterface)
{
    theApplication = this;
    GlobalObjectDevice::initiate(mai_);
    mai_->notifierRegistry.addNotifier(&enterChannel_);
    mai_->notifierRegistry.addNotifier(&escapeChannel_);
    mai_->notifierRegistry.addNotifier(&tabChannel_);
    registry_ = PluginManager::instanciate();
}

CVornInterfaceApp::~CVornInterfaceApp()
{
    if (theApplication == this)
        theApplication = nullptr;
}

CVornInterfaceApp* CVornInterfaceApp::instance()
{
    return theApplication;
}

bool CVornInterfaceApp::loadPlugins(const std::string& folder, StartupStatus* status)
{
    registerHostPluginTypes(*registry_, *mai_);
    StatusRegistryListener listener(status);
    registration_ = registerPluginLibraries(folder, GlobalObjectDevice::instance(), mai_, *registry_, status, &listener);
    for (const std::string& failure : registration_.failures)
        std::fprintf(stderr, "Plugin library not loaded: %s\n", failure.c_str());
    for (const PluginLibrary& library : registration_.libraries)
        mai_->setWindowEntry(library.library.module(), library.getPluginWindow);
    if (registration_.pluginCount == 0)
    {
        if (hooks.closeSplash)
            hooks.closeSplash();
        platform::messageBox(platform::WindowHandle::None, noPluginLibraryText, "FATAL ERROR:", platform::MB_ICONERROR);
        return false;
    }
    struct : StartupStatus
    {
        void showStatus(const std::string&) override {}
    } silent;
    StartupStatus& shown = status != nullptr ? *status : silent;
    absentPluginEntries_ = loadPluginConfiguration(*registry_, shown);
    registry_->applyConfiguration();
    shown.showStatus("Loading Accelerators");
    if (hooks.loadAccelerators)
        hooks.loadAccelerators(shown);
    shown.showStatus("Initiating system...");
    return true;
}

void CVornInterfaceApp::connect(platform::Application& application)
{
    application.setPreTranslateHook([this](platform::Message& message) { return preTranslateMessage(message); });
    for (const PluginLibrary& library : registration_.libraries)
    {
        if (!library.takesMessagesAndIdle())
            continue;
        FilterDllMsgFunction filter = library.filterDllMsg;
        ProcessDllIdleFunction idle = library.processDllIdle;
        application.addLibraryHooks([filter](platform::Message& message) { return filter(&message) != 0; },
                                    [idle] { idle(); });
    }
}

bool CVornInterfaceApp::preTranslateMessage(platform::Message& message)
{
    if (message.message != platform::WM_KEYDOWN)
        return false;
    Notifier* channel = nullptr;
    switch (message.wParam)
    {
    case platform::VK_RETURN: channel = &enterChannel_; break;
    case platform::VK_ESCAPE: channel = &escapeChannel_; break;
    case platform::VK_TAB: channel = &tabChannel_; break;
    default: return false;
    }
    if (!channel->hasListeners())
        return false;
    channel->notifyListeners(&message);
    return true;
}

void CVornInterfaceApp::exitInstance()
{
    stopAllCalculations(*mai_);
}
