#include "VornInterface/VornInterfaceApp.h"

#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/MAI_Doc_VornInterface.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/StartupStatus.h"
#include "VornData/generalException.h"
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

// The program's own exceptions show the function that threw as text and the kind of failure as
// caption; the platform describes the rest.
std::optional<platform::ExceptionText> describeProgramException(const std::exception_ptr& failure)
{
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const generalException& exception)
    {
        return platform::ExceptionText{exception.where != nullptr ? exception.where : "",
                                       exception.message != nullptr ? exception.message : ""};
    }
    catch (...)
    {
        return std::nullopt;
    }
}

} // namespace

CVornInterfaceApp::CVornInterfaceApp() : mai_(new MAI_VornInterface)
{
    theApplication = this;
    platform::setExceptionDescriber(describeProgramException);
    GlobalObjectDevice::initiate(mai_);
    mai_->notifierRegistry.addNotifier(&enterChannel_);
    mai_->notifierRegistry.addNotifier(&escapeChannel_);
    mai_->notifierRegistry.addNotifier(&tabChannel_);
    registry_ = PluginManager::instanciate();
}

CVornInterfaceApp::~CVornInterfaceApp()
{
    if (theApplication == this)
    {
        theApplication = nullptr;
        platform::setExceptionDescriber(nullptr);
    }
}

CVornInterfaceApp* CVornInterfaceApp::instance()
{
    return theApplication;
}

bool CVornInterfaceApp::loadPlugins(const std::string& folder, StartupStatus* status)
{
    registerHostPluginTypes(*registry_, *mai_);
    StatusRegistryListener listener(status);
    registration_ =
        registerPluginLibraries(folder, GlobalObjectDevice::instance(), mai_, *registry_, status, &listener);
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
    case platform::VK_RETURN:
        channel = &enterChannel_;
        break;
    case platform::VK_ESCAPE:
        channel = &escapeChannel_;
        break;
    case platform::VK_TAB:
        channel = &tabChannel_;
        break;
    default:
        return false;
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
