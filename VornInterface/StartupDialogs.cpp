#include "VornInterface/StartupDialogs.h"

#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/PaintDC.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

#include <filesystem>
#include <memory>

using namespace platform;

const char* const startupVersionText = "version 2.0 \xDF (build 11:04:33 Jun 12 2002)";

void paintStartupPicture(DeviceContext& context)
{
    DeviceContext memory = DeviceContext::createCompatibleDC();
    const Bitmap picture(hostBitmap(HostResource::StartupPicture));
    const Bitmap previousBitmap = memory.selectObject(picture);
    context.bitBlt(0, 0, 500, 500, memory, 0, 0, SRCCOPY);
    memory.selectObject(previousBitmap);

    const int32_t previousMode = context.setBkMode(TRANSPARENT);
    const Font previousFont = context.selectObject(Font{"MS Sans Serif", 8});
    // Light text with a black shadow one pixel right and down: the picture is dark blue there.
    const ColorRef previousColour = context.setTextColor(0x000000);
    context.textOut(60, 64, startupVersionText);
    context.setTextColor(versionTextColour);
    context.textOut(59, 63, startupVersionText);
    context.setTextColor(previousColour);
    context.selectObject(previousFont);
    context.setBkMode(previousMode);
}

CSplashDialog::CSplashDialog() : Dialog(HostResource::SplashDialog)
{
    registerHostDialogResources();
}

bool CSplashDialog::open()
{
    if (!create(nullptr, hostResourceModule()))
        return false;
    setWindowText("Starting...");
    showWindow(SW_SHOW);
    updateWindow();
    return true;
}

void CSplashDialog::setStatus(const std::string& text)
{
    status = text;
    setDlgItemText(StatusId, status);
    if (Window* line = dlgItem(StatusId))
        line->updateWindow();
}

LResult CSplashDialog::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    if (message != WM_PAINT)
        return Dialog::windowProc(message, wParam, lParam);
    PaintDC context(*this);
    paintStartupPicture(context);
    return 0;
}

CDialogBetaWarning::CDialogBetaWarning() : Dialog(HostResource::BetaWarningDialog)
{
    registerHostDialogResources();
}

int32_t CDialogBetaWarning::run(const std::string& workingFolder)
{
    const int32_t result = doModal(hostResourceModule());
    if (result == IDOK)
        openDocument((std::filesystem::path(workingFolder) / "doc" / "introduction.html").string());
    return result;
}

void CDialogBetaWarning::showNotice(const std::string& workingFolder)
{
    CDialogBetaWarning notice;
    notice.run(workingFolder);
}

CAboutDlg::CAboutDlg() : Dialog(HostResource::AboutDialog)
{
    registerHostDialogResources();
}

void CAboutDlg::showModal(Window* owner)
{
    CAboutDlg about;
    about.doModal(hostResourceModule(), owner);
}

LResult CAboutDlg::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    if (message != WM_PAINT)
        return Dialog::windowProc(message, wParam, lParam);
    PaintDC context(*this);
    paintStartupPicture(context);
    return 0;
}

void installStartupDialogs(CVornInterfaceApp& application)
{
    // The splash lives from the first step of the start-up until it closes.
    static std::unique_ptr<CSplashDialog> splash;
    static std::unique_ptr<SplashProgressListener> listener;
    application.hooks.showSplash = []() -> StartupStatus* {
        splash = std::make_unique<CSplashDialog>();
        if (!splash->open())
            return nullptr;
        listener = std::make_unique<SplashProgressListener>(*splash);
        return listener.get();
    };
    application.hooks.closeSplash = [] {
        listener.reset();
        splash.reset();
    };
    application.hooks.loadAccelerators = [&application](StartupStatus&) {
        loadDefaultAccelerators(application.mai().accelerators, application.registry(),
                                splash ? splash->handle() : WindowHandle::None);
        updateMenuItemHotkeyTexts(application.mai());
    };
    application.hooks.showBetaNotice = [&application] {
        const char* working = application.mai().getWorkingFolder();
        CDialogBetaWarning::showNotice(working != nullptr ? working : ".");
    };
}
