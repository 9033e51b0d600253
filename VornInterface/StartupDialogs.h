#pragma once

#include <cstdint>

#include "VornInterface/StartupStatus.h"
#include "platform/Dialog.h"

#include <string>

class CVornInterfaceApp;

namespace platform
{
class DeviceContext;
}

// The version line under the start-up picture, and its colour (light grey, 0x00BBGGRR).
extern const char* const startupVersionText;
inline constexpr uint32_t versionTextColour = 0xC0C0C0;

// Paints the start-up picture with the version line and its black shadow: the splash and the about
// box show the same.
void paintStartupPicture(platform::DeviceContext& context);

// The splash that stands during start-up and shows what is being loaded.
class CSplashDialog : public platform::Dialog
{
public:
    enum : int32_t
    {
        StatusId = 1004
    };

    CSplashDialog();
    // Makes the modeless splash titled "Starting..." and shows it.
    bool open();
    // Shows the text on the status line at once.
    void setStatus(const std::string& text);
    const std::string& getStatus() const { return status; }

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    std::string status;
};

// The splash's status line as the start-up and the plugin registry report to it.
class SplashProgressListener : public StartupStatus
{
public:
    explicit SplashProgressListener(CSplashDialog& splash) : splash(splash) {}
    void showStatus(const std::string& text) override { splash.setStatus(text); }

private:
    CSplashDialog& splash;
};

// The beta notice shown once at the end of start-up; "&Read Introduction" opens the
// introduction of the help folder below the working folder, "&OK" only closes it.
class CDialogBetaWarning : public platform::Dialog
{
public:
    CDialogBetaWarning();
    // Shows the notice modally without parent; answers the id of the button that closed it.
    int32_t run(const std::string& workingFolder);
    static void showNotice(const std::string& workingFolder);
};

// The about box of the Help menu: the start-up picture in a captioned window.
class CAboutDlg : public platform::Dialog
{
public:
    CAboutDlg();
    static void showModal(platform::Window* owner);

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
};

// Gives the application's start-up its splash, default accelerators with their hot-key texts and
// beta notice.
void installStartupDialogs(CVornInterfaceApp& application);
