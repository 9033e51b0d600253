// Snapshots: file names, the target dialog, the bitmap file, automatic snapshots paced by a
// calculation, and failures reported once without a partial file.
#include "VornData/VornDocument.h"
#include "VornInterface/HostDialogCommands.h"
#include "VornInterface/HostMenus.h"
#include "VornInterface/Snapshots.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "tests/host/HostDialogTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace
{

TEST(SnapshotNames, NumberedFilesAfterThePrefix)
{
    EXPECT_EQ(snapshotFileName("run", 0), "run0000.bmp");
    EXPECT_EQ(snapshotFileName("run", 1), "run0001.bmp");
    EXPECT_EQ(snapshotFileName("/tmp/shots/run", 9999), "/tmp/shots/run9999.bmp");
    EXPECT_EQ(snapshotFileName("run", 10000), "run10000.bmp");
}

TEST(SnapshotNames, PrefixDropsOnlyTheFileNamesExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/run.bmp", "/home/ann/run"},
        {"/home/ann/run", "/home/ann/run"},
        {"/home/ann/model.v2/run", "/home/ann/model.v2/run"},
        {"/home/ann/model.v2/run.bmp", "/home/ann/model.v2/run"},
        {"/home/ann/run.final.bmp", "/home/ann/run.final"},
        {"run.bmp", "run"},
    };
    for (const auto& [chosen, prefix] : cases)
        EXPECT_EQ(snapshotPrefixOf(chosen), prefix) << chosen;
}

struct SnapshotFixture : ::testing::Test
{
    ScratchFolder folder;
    platform::ScriptedInteraction interaction;
    Snapshots& snapshots = Snapshots::instance();
    FakeMAI mai;
    FakeDoc document{&mai};
    FakeView view{&document};
    FakeView otherView{&document};
    VornDocument model;

    SnapshotFixture() { snapshots.reset(); }
    ~SnapshotFixture() override { snapshots.reset(); }

    void target(const std::string& path)
    {
        interaction.fileAnswers.push_back(platform::ScriptedInteraction::FileAnswer{path, 1});
        ASSERT_TRUE(snapshots.chooseTarget(platform::WindowHandle::None));
    }

    static platform::Surface picture()
    {
        platform::Surface image(5, 3, 0x00FFFFFF);
        image.setPixel(0, 0, 0x000000FF); // red at the top left
        image.setPixel(4, 2, 0x00FF0000); // blue at the bottom right
        return image;
    }
};

TEST_F(SnapshotFixture, ChoosingTheTargetSetsThePrefixAndRestartsTheNumbering)
{
    target(folder.file("run.bmp"));
    ASSERT_EQ(interaction.fileRequests.size(), 1u);
    const platform::FileDialogRequest& request = interaction.fileRequests[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.title, "Enter SnapShot Target File");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "Bitmap (*.bmp)");
    EXPECT_EQ(request.filters[0].patterns, "*.bmp");
    EXPECT_EQ(request.defaultExtension, "bmp");
    EXPECT_EQ(request.flags, platform::OFN_HIDEREADONLY | platform::OFN_OVERWRITEPROMPT);
    EXPECT_EQ(snapshots.getPrefix(), folder.file("run"));
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text, folder.file("run"));
    EXPECT_EQ(interaction.boxes[0].caption, folder.file("run.bmp"));

    snapshots.writeSnapshot(picture(), platform::WindowHandle::None);
    EXPECT_EQ(snapshots.getCounter(), 1);
    interaction.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(snapshots.chooseTarget(platform::WindowHandle::None));
    EXPECT_EQ(snapshots.getCounter(), 1) << "cancel changes nothing";
    EXPECT_EQ(interaction.fileRequests[1].fileName, folder.file("run.bmp")) << "the last name is offered again";
    target(folder.file("other.bmp"));
    EXPECT_EQ(snapshots.getCounter(), 0);
}

uint32_t littleEndian(const std::string& bytes, std::size_t offset, int size)
{
    uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(index)]);
    return value;
}

TEST_F(SnapshotFixture, SnapshotIsAValid24BitBitmapThatImageToolsOpen)
{
    target(folder.file("run.bmp"));
    ASSERT_TRUE(snapshots.writeSnapshot(picture(), platform::WindowHandle::None));
    const std::string bytes = readFileText(folder.file("run0000.bmp"));
    const uint32_t rowBytes = 16; // 5 pixels x 3 bytes, padded to 4
    ASSERT_EQ(bytes.size(), 54u + rowBytes * 3);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(littleEndian(bytes, 2, 4), bytes.size());
    EXPECT_EQ(littleEndian(bytes, 10, 4), 54u);
    EXPECT_EQ(littleEndian(bytes, 14, 4), 40u);
    EXPECT_EQ(littleEndian(bytes, 18, 4), 5u);
    EXPECT_EQ(littleEndian(bytes, 22, 4), 3u) << "positive height: rows bottom up";
    EXPECT_EQ(littleEndian(bytes, 26, 2), 1u);
    EXPECT_EQ(littleEndian(bytes, 28, 2), 24u);
    EXPECT_EQ(littleEndian(bytes, 30, 4), 0u);
    // Pixels are stored blue, green, red: read as a little-endian word they give 0xRRGGBB.
    EXPECT_EQ(littleEndian(bytes, 54, 3), 0xFFFFFFu) << "bottom row starts white";
    EXPECT_EQ(littleEndian(bytes, 54 + 4 * 3, 3), 0x0000FFu) << "bottom row ends blue";
    EXPECT_EQ(littleEndian(bytes, 54 + 2 * rowBytes, 3), 0xFF0000u) << "top row starts red";

    platform::Surface read = platform::Surface::loadImage(folder.file("run0000.bmp"));
    ASSERT_EQ(read.size(), picture().size());
    EXPECT_EQ(read.pixel(0, 0), 0x000000FFu);
    EXPECT_EQ(read.pixel(4, 2), 0x00FF0000u);

    // ImageMagick (installed with the build's dependencies) must read the file as we meant it.
    std::FILE* identify =
        ::popen(("identify -format '%w %h %m' '" + folder.file("run0000.bmp") + "' 2>&1").c_str(), "r");
    ASSERT_NE(identify, nullptr);
    char answer[128] = {};
    const std::size_t length = std::fread(answer, 1, sizeof answer - 1, identify);
    EXPECT_EQ(::pclose(identify), 0) << "identify failed: " << answer;
    EXPECT_EQ(std::string(answer, length).substr(0, 7), "5 3 BMP") << answer;
}

TEST_F(SnapshotFixture, MakeSnapshotAsksTheActiveViewsNextPaintOnly)
{
    interaction.fileAnswers.push_back(std::nullopt);
    snapshots.makeSnapshot(&view, platform::WindowHandle::None);
    EXPECT_EQ(view.snapshotRequested, 0) << "cancelling the target ends the command";

    target(folder.file("run.bmp"));
    snapshots.makeSnapshot(&view, platform::WindowHandle::None);
    EXPECT_EQ(view.snapshotRequested, 1);
    int renders = 0;
    auto render = [&renders] {
        ++renders;
        return picture();
    };
    snapshots.afterPaint(view, true, nullptr, render, platform::WindowHandle::None);
    snapshots.afterPaint(view, true, nullptr, render, platform::WindowHandle::None);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(std::filesystem::exists(folder.file("run0000.bmp")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("run0001.bmp")));
}

TEST_F(SnapshotFixture, AnotherViewKeepsItsRequestUntilItIsActive)
{
    target(folder.file("run.bmp"));
    snapshots.toggleAutoSnapshot(&model, platform::WindowHandle::None);
    EXPECT_TRUE(Snapshots::isAutoSnapshotOn(&model));
    snapshots.afterPaint(otherView, false, &model, picture, platform::WindowHandle::None);
    EXPECT_EQ(otherView.snapshotRequested, 1);
    EXPECT_EQ(model.pendingIterations.load(), 0);
    snapshots.afterPaint(view, true, &model, picture, platform::WindowHandle::None);
    EXPECT_EQ(model.pendingIterations.load(), autoSnapshotIterations);
    snapshots.afterPaint(otherView, true, &model, picture, platform::WindowHandle::None);
    EXPECT_EQ(otherView.snapshotRequested, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.file("run0001.bmp")));

    snapshots.toggleAutoSnapshot(&model, platform::WindowHandle::None);
    EXPECT_EQ(model.pendingIterations.load(), -1);
    EXPECT_FALSE(Snapshots::isAutoSnapshotOn(&model));
}

// A calculator that honours the pending-iteration count, as the real iterators do.
class FakeCalculator
{
public:
    explicit FakeCalculator(VornDocument& model) : model(model), worker([this] { run(); }) {}
    ~FakeCalculator()
    {
        stop = true;
        worker.join();
    }

private:
    void run()
    {
        while (!stop)
        {
            if (!model.mayIterate())
            {
                std::this_thread::yield();
                continue;
            }
            model.countCompletedIteration();
        }
    }

    VornDocument& model;
    std::atomic<bool> stop{false};
    std::thread worker;
};

TEST_F(SnapshotFixture, AutoSnapshotEvery200IterationsOfARunningCalculation)
{
    target(folder.file("run.bmp"));
    snapshots.toggleAutoSnapshot(&model, platform::WindowHandle::None);
    std::vector<int32_t> iterationsAtSnapshot;
    auto render = [&] {
        iterationsAtSnapshot.push_back(model.iterationCount.load());
        return picture();
    };
    {
        FakeCalculator calculator(model);
        // The view's update timer: paint over and over until four snapshots were taken.
        while (iterationsAtSnapshot.size() < 4)
        {
            snapshots.afterPaint(view, true, &model, render, platform::WindowHandle::None);
            std::this_thread::yield();
        }
    }
    EXPECT_EQ(iterationsAtSnapshot, (std::vector<int32_t>{0, 200, 400, 600}));
    for (const char* name : {"run0000.bmp", "run0001.bmp", "run0002.bmp", "run0003.bmp"})
        EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    EXPECT_TRUE(interaction.boxes.size() == 1u) << "only the box that showed the target";
}

TEST_F(SnapshotFixture, CaptureFailureStillReleasesTheCalculation)
{
    target(folder.file("run.bmp"));
    snapshots.toggleAutoSnapshot(&model, platform::WindowHandle::None);
    snapshots.afterPaint(
        view, true, &model, [] { return platform::Surface(); }, platform::WindowHandle::None);
    EXPECT_EQ(model.pendingIterations.load(), autoSnapshotIterations);
    EXPECT_FALSE(std::filesystem::exists(folder.file("run0000.bmp")));
}

TEST_F(SnapshotFixture, UnwritableFolderIsReportedOnceAndLeavesNoFile)
{
    std::vector<std::string> targets = {folder.file("missing/run.bmp")};
    if (::geteuid() != 0)
        targets.push_back(folder.lockedFolder() + "/run.bmp");
    for (const std::string& path : targets)
    {
        SCOPED_TRACE(path);
        target(path);
        interaction.boxes.clear();
        snapshots.toggleAutoSnapshot(&model, platform::WindowHandle::None);
        for (int paint = 0; paint < 3; ++paint)
        {
            model.pendingIterations = 0; // the calculation ran its 200 iterations
            snapshots.afterPaint(view, true, &model, picture, platform::WindowHandle::None);
        }
        ASSERT_EQ(interaction.boxes.size(), 1u);
        EXPECT_EQ(interaction.boxes[0].caption, "err");
        EXPECT_NE(interaction.boxes[0].text.find(snapshotFileName(snapshotPrefixOf(path), 0)), std::string::npos);
        const std::filesystem::path where = std::filesystem::path(path).parent_path();
        EXPECT_TRUE(!std::filesystem::exists(where) || std::filesystem::is_empty(where)) << "no partial file";
        EXPECT_EQ(snapshots.getCounter(), 3) << "failed numbers are used up";
        model.pendingIterations = -1;
    }
    target(folder.file("run.bmp"));
    EXPECT_TRUE(snapshots.writeSnapshot(picture(), platform::WindowHandle::None));
}

TEST_F(SnapshotFixture, DocumentWindowCommandsReachTheSnapshots)
{
    PluginManager registry;
    const HostDialogCommandContext context{mai, registry, nullptr, &view, &model};
    interaction.fileAnswers.push_back(platform::ScriptedInteraction::FileAnswer{folder.file("shot.bmp"), 1});
    EXPECT_TRUE(runHostDialogCommand(HostCommand::SnapshotTarget, context));
    EXPECT_EQ(snapshots.getPrefix(), folder.file("shot"));
    EXPECT_TRUE(runHostDialogCommand(HostCommand::MakeSnapshot, context));
    EXPECT_EQ(view.snapshotRequested, 1);
    EXPECT_FALSE(isHostDialogCommandChecked(HostCommand::AutoSnapshot, &model));
    EXPECT_TRUE(runHostDialogCommand(HostCommand::AutoSnapshot, context));
    EXPECT_TRUE(isHostDialogCommandChecked(HostCommand::AutoSnapshot, &model));
    EXPECT_FALSE(isHostDialogCommandChecked(HostCommand::AutoSnapshot, nullptr)) << "no check without a document";
    EXPECT_FALSE(runHostDialogCommand(HostCommand::Import, context)) << "not a dialog command";
}

} // namespace
