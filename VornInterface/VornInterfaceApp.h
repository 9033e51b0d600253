#pragma once

#include "VornInterface/MAI_VornInterface.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/PluginLibraries.h"
#include "__globalobjectdevice/Notifier.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <functional>
#include <memory>
#include <string>

class PluginManager;
class StartupStatus;

namespace platform
{
class Application;
struct Message;
} // namespace platform

// The steps of the start-up that other parts of the host provide: the splash and its status line,
// the default accelerators and the beta notice. Any of them may be empty.
struct StartupHooks
{
    // Shows the splash; answers the status line it shows (null: no status shown).
    std::function<StartupStatus*()> showSplash;
    std::function<void()> closeSplash;
    // Loads "system/default.acc" and sets the menu items' hot-key texts.
    std::function<void(StartupStatus&)> loadAccelerators;
    // Shows the beta notice once the main frame is up.
    std::function<void()> showBetaNotice;
};

// The application object: owns the application interface, the process's global object device and
// plugin registry, and the three key channels; runs the start-up and hands the running program's
// messages, idle time and exit to the plugin libraries.
class CVornInterfaceApp
{
public:
    // Makes the application interface, the global object device and the plugin registry.
    CVornInterfaceApp();
    ~CVornInterfaceApp();
    CVornInterfaceApp(const CVornInterfaceApp&) = delete;
    CVornInterfaceApp& operator=(const CVornInterfaceApp&) = delete;

    static CVornInterfaceApp* instance();

    MAI_VornInterface& mai() { return *mai_; }
    PluginManager& registry() { return *registry_; }

    // Registers the host's plugin types, loads the plugin libraries of `folder` and reads the
    // plugin configuration. False, after the fatal message, when no library handed out a plugin.
    bool loadPlugins(const std::string& folder, StartupStatus* status);
    const PluginRegistration& pluginRegistration() const { return registration_; }
    // The configuration entries of plugins whose library did not load: written back at close.
    const std::vector<PluginConfigurationEntry>& absentPluginEntries() const { return absentPluginEntries_; }

    // Connects the platform's message loop: key channels and library filters before dispatch,
    // library idle after.
    void connect(platform::Application& application);

    // Offers a queued message to the key channels: Enter, Escape and Tab key-downs go to
    // "KP_ENTER", "KP_ESC" and "KP_TAB" when that channel has a listener, and go no further.
    bool preTranslateMessage(platform::Message& message);

    // Stops the calculation of every open document.
    void exitInstance();

    StartupHooks hooks;

private:
    MAI_VornInterface* mai_; // lives until the process ends, as the plugins that hold it
    PluginManager* registry_;
    Notifier enterChannel_{Channel::EnterKey};
    Notifier escapeChannel_{Channel::EscapeKey};
    Notifier tabChannel_{Channel::TabKey};
    PluginRegistration registration_;
    std::vector<PluginConfigurationEntry> absentPluginEntries_;
};

// The fatal message of a start-up without plugins.
inline constexpr const char* noPluginLibraryText = "No Plugin Library found in \"system\\\"";
