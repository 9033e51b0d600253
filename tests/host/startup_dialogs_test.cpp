// The splash, the about box and the beta notice.
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/StartupDialogs.h"
#include "platform/DeviceContext.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

int countPixels(const platform::Surface& image, const platform::Rect& area, uint32_t colour)
{
    int count = 0;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// Brightness of a 0x00BBGGRR colour, 0 to 255.
int brightness(uint32_t colour)
{
    return static_cast<int>((299 * (colour & 0xFF) + 587 * ((colour >> 8) & 0xFF) + 114 * ((colour >> 16) & 0xFF)) / 1000);
}

TEST(StartupPicture, PictureWithTheVersionLineAndItsShadow)
{
    platformApplication();
    platform::Surface image(320, 220, 0x123456);
    platform::DeviceContext context(image);
    paintStartupPicture(context);
    const platform::Surface picture = hostBitmap(HostResource::StartupPicture);
    ASSERT_EQ(picture.size(), (platform::Size{300, 196}));
    for (platform::Point probe : {platform::Point{5, 5}, platform::Point{150, 190}, platform::Point{299, 0}})
        EXPECT_EQ(image.pixel(probe.x, probe.y), picture.pixel(probe.x, probe.y));
    const platform::Rect line{59, 63, 280, 80};
    EXPECT_GT(countPixels(image, line, versionTextColour), 20) << "the version line";
    EXPECT_GT(countPixels(image, line, 0x000000), 5) << "its black shadow one pixel right and down";
    // Readable: the line stands out from the picture behind it.
    int64_t background = 0;
    for (int32_t y = line.top; y < line.bottom; ++y)
        for (int32_t x = line.left; x < line.right; ++x)
            background += brightness(picture.pixel(x, y));
    background /= line.width() * line.height();
    EXPECT_GE(std::abs(brightness(versionTextColour) - static_cast<int>(background)), 100)
        << "text brightness " << brightness(versionTextColour) << " on a picture of brightness " << background;
}

TEST(StartupDialogs, SplashAndAboutBoxShowTheSamePicture)
{
    platformApplication();
    CSplashDialog splash;
    ASSERT_TRUE(splash.open());
    EXPECT_EQ(splash.windowText(), "Starting...");
    CAboutDlg about;
    ASSERT_TRUE(about.create(nullptr, hostResourceModule()));
    EXPECT_EQ(about.windowText(), "About...");
    EXPECT_EQ(about.dlgItem(platform::IDOK)->style() & platform::WS_VISIBLE, 0u) << "its OK button is hidden";
    about.showWindow(platform::SW_SHOW);
    about.invalidate();
    about.updateWindow();
    splash.invalidate();
    splash.updateWindow();
    processMessages();
    ASSERT_NE(splash.surface(), nullptr);
    ASSERT_NE(about.surface(), nullptr);
    const platform::Rect compared{0, 0, 290, 150};
    int differing = 0;
    for (int32_t y = compared.top; y < compared.bottom; ++y)
        for (int32_t x = compared.left; x < compared.right; ++x)
            differing += splash.surface()->pixel(x, y) != about.surface()->pixel(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(splash.surface()->pixel(5, 5), hostBitmap(HostResource::StartupPicture).pixel(5, 5));
}

TEST(StartupDialogs, SplashListenerShowsEachStatusAtOnce)
{
    platformApplication();
    CSplashDialog splash;
    ASSERT_TRUE(splash.open());
    SplashProgressListener listener(splash);
    StartupStatus& status = listener;
    status.showStatus("Loading Plugin Configuration");
    status.showStatus("Adding: 'Full Iterator' of type 'Calculator'");
    EXPECT_EQ(splash.getStatus(), "Adding: 'Full Iterator' of type 'Calculator'");
    EXPECT_EQ(splash.dlgItemText(CSplashDialog::StatusId), "Adding: 'Full Iterator' of type 'Calculator'");
}

// Closes itself through one of its buttons as soon as it is up.
class ClickedBetaWarning : public CDialogBetaWarning
{
public:
    explicit ClickedBetaWarning(int32_t button) : button(button) {}
    bool onInitDialog() override
    {
        CDialogBetaWarning::onInitDialog();
        postMessage(platform::WM_COMMAND, platform::makeWParam(static_cast<uint32_t>(button), platform::BN_CLICKED),
                    platform::handleToLParam(dlgItem(button)->handle()));
        return true;
    }
    int32_t button;
};

TEST(StartupDialogs, BetaNoticeOpensTheIntroductionOnlyWhenAsked)
{
    platformApplication();
    platform::ScriptedInteraction interaction;
    ClickedBetaWarning closedWithOk(platform::IDCANCEL);
    EXPECT_EQ(closedWithOk.run("/opt/quorl"), platform::IDCANCEL);
    EXPECT_TRUE(interaction.openedDocuments.empty()) << "\"&OK\" opens no document";

    ClickedBetaWarning readIntroduction(platform::IDOK);
    EXPECT_EQ(readIntroduction.run("/opt/quorl"), platform::IDOK);
    EXPECT_EQ(interaction.openedDocuments, std::vector<std::string>{"/opt/quorl/doc/introduction.html"});
}

} // namespace
