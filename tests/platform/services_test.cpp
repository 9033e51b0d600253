#include "PlatformTestApplication.h"
#include "UiThreadRecording.h"

#include "platform/Files.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Threads.h"
#include "platform/Time.h"
#include "tests/support/OrdinaryUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace
{

TEST(ScriptedInteraction, MessageBoxesAreRecordedAndAnsweredFromTheScript)
{
    ScriptedInteraction script;
    script.boxAnswers = {IDRETRY, IDNO};
    EXPECT_EQ(messageBox(WindowHandle::None, "Document is locked", "Quorl2", MB_ABORTRETRYIGNORE | MB_ICONERROR),
              IDRETRY);
    EXPECT_EQ(messageBox(WindowHandle::None, "Overwrite?", "Export", MB_YESNO | MB_ICONQUESTION), IDNO);
    // Without a scripted answer a box answers its default button.
    EXPECT_EQ(messageBox(WindowHandle::None, "x", "y", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(messageBox(WindowHandle::None, "x", "y", MB_OKCANCEL), IDOK);
    ASSERT_EQ(script.boxes.size(), 4u);
    EXPECT_EQ(script.boxes[0].text, "Document is locked");
    EXPECT_EQ(script.boxes[0].caption, "Quorl2");
    EXPECT_EQ(script.boxes[0].type, MB_ABORTRETRYIGNORE | MB_ICONERROR);
}

TEST(ScriptedInteraction, BeepsAreCountedAndTheRealServiceComesBack)
{
    InteractionService* real = &interactionService();
    {
        ScriptedInteraction script;
        for (int beep = 0; beep < 10; ++beep)
            messageBeep(MB_OK);
        messageBeep(MB_ICONEXCLAMATION);
        EXPECT_EQ(script.beeps.size(), 11u);
        EXPECT_EQ(script.beeps.back(), MB_ICONEXCLAMATION);
        EXPECT_EQ(&interactionService(), &script);
    }
    EXPECT_EQ(&interactionService(), real);
}

TEST(ScriptedInteraction, TheColourDialogStartsWithTheColourAndCancelChangesNothing)
{
    ScriptedInteraction script;
    script.colourAnswers = {std::nullopt, 0x123456FF};
    uint32_t colour = 0x80FF80;
    EXPECT_FALSE(chooseColour(WindowHandle::None, colour));
    EXPECT_EQ(colour, 0x80FF80u);
    EXPECT_TRUE(chooseColour(WindowHandle::None, colour));
    EXPECT_EQ(colour, 0x3456FFu) << "24 bits";
    ASSERT_EQ(script.colourRequests.size(), 2u);
    EXPECT_EQ(script.colourRequests[0].initialColour, 0x80FF80u);
    EXPECT_EQ(script.colourRequests[0].flags, CC_RGBINIT | CC_FULLOPEN);
    EXPECT_EQ(&customColours(), &customColours()) << "kept for the run";
}

TEST(ScriptedInteraction, FileDialogsAndDocumentsThatCannotBeOpened)
{
    platformApplication();
    ScriptedInteraction script;
    script.fileAnswers = {ScriptedInteraction::FileAnswer{"/tmp/model.sfa", 2}, std::nullopt};
    FileDialogRequest request;
    request.title = "Import";
    request.filters = {{"ASCII Model (*.sfa)", "*.sfa"}, {"All Supported Types", "*.sfa;*.dxf"}};
    request.flags = OFN_FILEMUSTEXIST;
    EXPECT_TRUE(chooseFile(request));
    EXPECT_EQ(request.fileName, "/tmp/model.sfa");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_FALSE(chooseFile(request));
    EXPECT_EQ(script.fileRequests.front().title, "Import");

    script.documentsOpen = false;
    EXPECT_FALSE(openDocument("doc/introduction.html"));
    ASSERT_EQ(script.boxes.size(), 1u) << "a failure is reported";
    EXPECT_NE(script.boxes[0].text.find("doc/introduction.html"), std::string::npos);
    EXPECT_EQ(script.openedDocuments.size(), 1u);
}

TEST(Time, TheTickCountAdvancesInMillisecondsAndIsComparedByDifference)
{
    const uint32_t start = tickCount();
    sleepMilliseconds(20);
    const uint32_t elapsed = tickCount() - start;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 5000u);
    // Differences stay right across the wrap of the 32-bit count.
    const uint32_t beforeWrap = 0xFFFFFFF0u;
    EXPECT_EQ(static_cast<uint32_t>(beforeWrap + 0x20u) - beforeWrap, 0x20u);
}

class TextFiles : public testing::Test
{
protected:
    // Per process: the headless and the X run of this program may run at the same time.
    std::string path(const char* name)
    {
        return std::string(VORN_TEST_BINARY_DIR) + "/" + std::to_string(getpid()) + "_" + name;
    }
    static std::string contents(const std::string& file)
    {
        std::ifstream stream(file, std::ios::binary);
        std::stringstream text;
        text << stream.rdbuf();
        return text.str();
    }
};

TEST_F(TextFiles, LinesEndingInCrLfOrLfReadTheSame)
{
    const std::string file = path("mixed_line_ends.txt");
    {
        std::ofstream stream(file, std::ios::binary);
        stream << "PLUGINCONFIG\r\nversion 1\nMenuItem\r\n\r\nlast without end";
    }
    TextFileReader reader;
    ASSERT_TRUE(reader.open(file));
    std::vector<std::string> lines;
    for (std::string line; reader.readLine(line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"PLUGINCONFIG", "version 1", "MenuItem", "", "last without end"}));
}

TEST_F(TextFiles, WritingEndsLinesWithCrLfAndReplacesTheFileOnlyWhenClosed)
{
    const std::string file = path("written.cfg");
    std::remove(file.c_str());
    {
        FileWriter writer;
        ASSERT_TRUE(writer.open(file));
        writer.writeLine("PLUGINCONFIG");
        char number[32];
        std::snprintf(number, sizeof number, "%g", 1.5);
        writer.writeLine(number);
        EXPECT_TRUE(contents(file).empty()) << "not there before close";
        EXPECT_TRUE(writer.close());
    }
    EXPECT_EQ(contents(file), "PLUGINCONFIG\r\n1.5\r\n") << "C-locale numbers";
    {
        FileWriter abandoned;
        ASSERT_TRUE(abandoned.open(file));
        abandoned.writeLine("half");
    }
    EXPECT_EQ(contents(file), "PLUGINCONFIG\r\n1.5\r\n") << "an unfinished write leaves the old file";
}

TEST_F(TextFiles, FailuresCarryTheirCauseNumbers)
{
    TextFileReader reader;
    EXPECT_FALSE(reader.open(path("no_such_file.txt")));
    EXPECT_EQ(reader.error(), FileErrorCause::FileNotFound);
    EXPECT_EQ(static_cast<int>(FileErrorCause::FileNotFound), 2);
    FileWriter writer;
    EXPECT_FALSE(writer.open(path("no_such_folder/file.txt")));
    EXPECT_EQ(writer.error(), FileErrorCause::FileNotFound);
    EXPECT_EQ(fileErrorCauseFromErrno(EACCES), FileErrorCause::AccessDenied);
    EXPECT_EQ(fileErrorCauseFromErrno(ENOSPC), FileErrorCause::DiskFull);
    EXPECT_EQ(static_cast<int>(fileErrorCauseFromErrno(ENOSPC)), 13);
}

TEST_F(TextFiles, AWholeFileIsReadAsItsBytesOrTheSystemSaysWhyNot)
{
    const std::string file = path("whole.bin");
    const std::string bytes = std::string("0\r\nSECTION\rno end\0after a zero", 31) + std::string(3 << 20, 'x');
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::string content = "left over";
    EXPECT_EQ(readWholeFile(file, content), 0);
    EXPECT_TRUE(content == bytes) << "line ends and zero bytes as they are, several reads long";
    EXPECT_EQ(fileReadError(file), 0);
    std::remove(file.c_str());

    EXPECT_EQ(readWholeFile(path("no_such_file.txt"), content), ENOENT);
    EXPECT_TRUE(content.empty());
    EXPECT_EQ(fileReadError(VORN_TEST_BINARY_DIR), EISDIR) << "a folder opens, but is no file to read";
    EXPECT_EQ(readWholeFile(VORN_TEST_BINARY_DIR, content), EISDIR);
    EXPECT_EQ(systemErrorText(EISDIR), "Is a directory");
    EXPECT_EQ(systemErrorText(ENOSPC), "No space left on device");
}

// A folder of its own for each test, so that a left-over temporary file shows.
class SafeWrites : public TextFiles
{
protected:
    void SetUp() override
    {
        folder = path("safe_writes");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        target = folder + "/model.cfg";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    std::string folder;
    std::string target;
};

// Files of this process may grow to `bytes` only; writing beyond fails with EFBIG instead of a signal.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST_F(SafeWrites, AFailureLeavesTheOldFileAndNoTemporaryFile)
{
    struct Case
    {
        const char* what;
        std::function<void(FileWriter&)> write;
        FileWriter::Step failedStep;
    };
    const std::vector<Case> cases = {
        {"abandoned before close", [](FileWriter& writer) { writer.writeLine("half"); }, FileWriter::Step::None},
        {"the data does not fit",
         [](FileWriter& writer) {
             FileSizeLimit limit(64);
             writer.writeText(std::string(100000, 'x'));
             EXPECT_FALSE(writer.close());
         },
         FileWriter::Step::Write},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.what);
        {
            std::ofstream(target, std::ios::binary) << "old content";
        }
        FileWriter::Step failedStep = FileWriter::Step::None;
        {
            FileWriter writer;
            ASSERT_TRUE(writer.open(target));
            EXPECT_EQ(names().size(), 2u) << "the temporary file sits beside the target";
            test.write(writer);
            failedStep = writer.failedStep();
        }
        EXPECT_EQ(failedStep, test.failedStep);
        EXPECT_EQ(contents(target), "old content");
        EXPECT_EQ(names(), std::vector<std::string>{"model.cfg"});
    }

    // A folder in the way of the target: the rename fails and the temporary file goes.
    std::filesystem::remove(target);
    std::filesystem::create_directories(target + "/inside");
    FileWriter writer;
    ASSERT_TRUE(writer.open(target));
    writer.writeLine("data");
    EXPECT_FALSE(writer.close());
    EXPECT_EQ(writer.failedStep(), FileWriter::Step::Replace);
    EXPECT_NE(writer.error(), FileErrorCause::None);
    EXPECT_EQ(names(), std::vector<std::string>{"model.cfg"});
    EXPECT_TRUE(std::filesystem::is_directory(target + "/inside"));
}

mode_t permissionsOf(const std::string& file)
{
    struct stat status = {};
    stat(file.c_str(), &status);
    return status.st_mode & 07777;
}

TEST_F(SafeWrites, AFileThatIsReplacedKeepsItsPermissionsAndLinksAreWrittenThrough)
{
    struct Case
    {
        const char* what;
        mode_t mode; // of the file written in the end
        bool link; // the target is reached through a symbolic link
    };
    const Case cases[] = {
        {"a private file", 0600, false},
        {"a file others may only read", 0644, false},
        {"a file its group may write", 0664, false},
        {"a link to a private file", 0600, true},
    };
    const std::string linked = folder + "/linked/real.cfg";
    std::filesystem::create_directories(folder + "/linked");
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.what);
        const std::string written = test.link ? linked : target;
        std::filesystem::remove(target);
        {
            std::ofstream(written, std::ios::binary) << "old content";
        }
        chmod(written.c_str(), test.mode);
        if (test.link)
            std::filesystem::create_symlink("linked/real.cfg", target);
        FileWriter writer;
        ASSERT_TRUE(writer.open(target));
        writer.writeLine("new");
        ASSERT_TRUE(writer.close()) << writer.reason();
        EXPECT_EQ(contents(written), "new\r\n");
        EXPECT_EQ(permissionsOf(written), test.mode);
        EXPECT_EQ(std::filesystem::is_symlink(target), test.link) << "a link stays a link";
    }

    // A link to a file not there yet makes that file.
    std::filesystem::remove(target);
    std::filesystem::remove(linked);
    std::filesystem::create_symlink("linked/real.cfg", target);
    FileWriter writer;
    ASSERT_TRUE(writer.open(target));
    writer.writeLine("first");
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(contents(linked), "first\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_EQ(names(), (std::vector<std::string>{"linked", "model.cfg"}));
}

TEST_F(SafeWrites, AFileTheUserMayNotWriteIsRefusedAndStaysAsItWas)
{
    {
        std::ofstream(target, std::ios::binary) << "old content";
    }
    chmod(target.c_str(), 0444);
    // The folder would let anybody make the temporary file: the file's own permissions refuse.
    chmod(folder.c_str(), 0777);
    EXPECT_TRUE(asOrdinaryUser([this] {
        FileWriter writer;
        const bool refused = !writer.open(target) && writer.failedStep() == FileWriter::Step::Create &&
            writer.error() == FileErrorCause::AccessDenied && writer.reason() == "Permission denied";
        return refused && contents(target) == "old content" && names() == std::vector<std::string>{"model.cfg"};
    }));
    EXPECT_EQ(permissionsOf(target), 0444u);
}

TEST_F(SafeWrites, FailuresSayWhyInTheSystemsWords)
{
    struct Case
    {
        const char* what;
        std::function<bool(FileWriter&)> write; // answers whether the writing went through
        FileWriter::Step failedStep;
        const char* reason;
    };
    const std::string inFolder = folder + "/closed/model.cfg";
    const std::string loop = folder + "/loop.cfg";
    const std::vector<Case> cases = {
        {"no such folder", [&](FileWriter& writer) { return writer.open(folder + "/none/model.cfg"); },
         FileWriter::Step::Create, "No such file or directory"},
        {"links in a loop", [&](FileWriter& writer) { return writer.open(loop); }, FileWriter::Step::Create,
         "Too many levels of symbolic links"},
        {"the data does not fit",
         [&](FileWriter& writer) {
             if (!writer.open(target))
                 return false;
             FileSizeLimit limit(64);
             writer.writeText(std::string(100000, 'x'));
             return writer.close();
         },
         FileWriter::Step::Write, "File too large"},
        {"a folder in the way",
         [&](FileWriter& writer) {
             std::filesystem::create_directories(folder + "/in the way/inside");
             return writer.open(folder + "/in the way") && writer.close();
         },
         FileWriter::Step::Replace, "Is a directory"},
    };
    std::filesystem::create_symlink("loop.cfg", loop);
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.what);
        FileWriter writer;
        EXPECT_FALSE(test.write(writer));
        EXPECT_EQ(writer.failedStep(), test.failedStep);
        EXPECT_EQ(writer.reason(), test.reason);
    }

    // A folder the user may not write in.
    std::filesystem::create_directories(folder + "/closed");
    chmod((folder + "/closed").c_str(), 0555);
    EXPECT_TRUE(asOrdinaryUser([&] {
        FileWriter writer;
        return !writer.open(inFolder) && writer.reason() == "Permission denied";
    }));
    chmod((folder + "/closed").c_str(), 0755);
}

TEST_F(SafeWrites, TwoWritersOfOneFileDoNotShareTheirTemporaryFile)
{
    FileWriter first;
    FileWriter second;
    ASSERT_TRUE(first.open(target));
    ASSERT_TRUE(second.open(target));
    EXPECT_EQ(names().size(), 2u) << "two temporary files";
    first.writeLine("first");
    second.writeLine("second");
    EXPECT_TRUE(first.close());
    EXPECT_EQ(contents(target), "first\r\n");
    EXPECT_TRUE(second.close());
    EXPECT_EQ(contents(target), "second\r\n") << "the last one closed wins, whole";
    EXPECT_EQ(names(), std::vector<std::string>{"model.cfg"});
}

TEST(Folders, TheCurrentFolderCanBeChangedAndRead)
{
    const std::string start = currentFolder();
    ASSERT_FALSE(start.empty());
    ASSERT_TRUE(setCurrentFolder(VORN_TEST_BINARY_DIR));
    EXPECT_EQ(currentFolder(), VORN_TEST_BINARY_DIR);
    EXPECT_FALSE(setCurrentFolder("/no/such/folder"));
    EXPECT_TRUE(setCurrentFolder(start));
}

TEST(MessageBoxText, LongLinesAndManyLinesAreCutWhereTheBoxShowsThem)
{
    const std::string longLine(300000, 'x');
    const std::string fullLine(boxLineLength, 'y');
    std::string manyLines;
    for (int line = 0; line < 1000; ++line)
        manyLines += "line " + std::to_string(line) + "\n";
    struct Case
    {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"Could not open\n\"model.sfa\"", "Could not open\n\"model.sfa\""},
        {"", ""},
        {fullLine + "\n" + fullLine, fullLine + "\n" + fullLine},
        {"Line 3:\n" + longLine + "\nend", "Line 3:\n" + std::string(boxLineLength - 3, 'x') + "...\nend"},
        {fullLine + "z", std::string(boxLineLength - 3, 'y') + "..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(boxTextShown(c.text), c.shown) << c.text.substr(0, 40);

    const std::string many = boxTextShown(manyLines);
    EXPECT_EQ(std::count(many.begin(), many.end(), '\n'), static_cast<long>(boxLineCount));
    EXPECT_EQ(many.substr(many.size() - 4), "\n...");
    EXPECT_EQ(many.substr(0, 14), "line 0\nline 1\n");

    // Two-byte characters: the cut never leaves half of one.
    std::string accented;
    for (int count = 0; count < 300; ++count)
        accented += "\xC3\xA9";
    const std::string cut = boxTextShown("x" + accented);
    ASSERT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(cut.size(), boxLineLength);
    EXPECT_EQ((cut.size() - 3 - 1) % 2, 0u) << "whole characters only";
    EXPECT_NE(static_cast<unsigned char>(cut[cut.size() - 4]), 0xC3u);
}

TEST(RandomNumbers, ASeedGivesTheSameSequenceOnEveryMachine)
{
    // The numbers of seed 1, which is also the sequence before any seeding.
    const std::vector<int32_t> seedOne = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419};
    auto draw = [](size_t count) {
        std::vector<int32_t> numbers;
        for (size_t index = 0; index < count; ++index)
            numbers.push_back(randomNumber());
        return numbers;
    };
    seedRandom(1);
    EXPECT_EQ(draw(seedOne.size()), seedOne);
    seedRandom(1733875200);
    const std::vector<int32_t> timed = draw(20);
    seedRandom(1733875200);
    EXPECT_EQ(draw(20), timed) << "seeding again repeats the sequence";
    seedRandom(1733875201);
    EXPECT_NE(draw(20), timed);
}

TEST(RandomNumbers, NumbersCoverTheWholeRangeAndNoMore)
{
    seedRandom(7);
    int32_t lowest = randomMaximum;
    int32_t highest = 0;
    std::vector<int> quarters(4, 0);
    for (int draw = 0; draw < 100000; ++draw)
    {
        const int32_t number = randomNumber();
        ASSERT_GE(number, 0);
        ASSERT_LE(number, randomMaximum);
        lowest = std::min(lowest, number);
        highest = std::max(highest, number);
        ++quarters[static_cast<size_t>(number / 8192)];
    }
    EXPECT_LT(lowest, 10);
    EXPECT_GT(highest, randomMaximum - 10);
    for (int count : quarters)
        EXPECT_NEAR(count, 25000, 1500) << "even spread";
    // The colour rule draws (r >> 8) & 3: all four values come up.
    std::set<int32_t> rotations;
    for (int draw = 0; draw < 100; ++draw)
        rotations.insert((randomNumber() >> 8) & 3);
    EXPECT_EQ(rotations.size(), 4u);
}

TEST(Threads, TheOwnerPollsAWorkersExitCode)
{
    WorkerThread worker;
    std::atomic<bool> release{false};
    ASSERT_TRUE(worker.start([&] {
        while (!release.load())
            sleepMilliseconds(1);
        return 7u;
    }));
    EXPECT_EQ(worker.exitCode(), WorkerThread::StillActive);
    EXPECT_FALSE(worker.start([] { return 0u; })) << "one body at a time";
    EXPECT_FALSE(worker.wait(20));
    release = true;
    EXPECT_TRUE(worker.wait(3000));
    EXPECT_EQ(worker.exitCode(), 7u);

    ASSERT_TRUE(worker.start([]() -> uint32_t { throw std::runtime_error("broken"); }));
    EXPECT_TRUE(worker.wait(3000));
    EXPECT_EQ(worker.exitCode(), WorkerThread::Failed) << "an exception ends the thread, not the program";
}

TEST(Threads, AStartWithoutAThreadLeftAnswersFalseAndTheNextOneWorks)
{
    WorkerThread worker;
    simulateThreadCreationFailures(1);
    std::atomic<bool> ran{false};
    EXPECT_FALSE(worker.start([&] {
        ran = true;
        return 0u;
    }));
    EXPECT_FALSE(worker.isRunning());
    EXPECT_TRUE(worker.wait(0)) << "nothing to wait for";
    ASSERT_TRUE(worker.start([&] {
        ran = true;
        return 3u;
    }));
    EXPECT_TRUE(worker.wait(3000));
    EXPECT_TRUE(ran.load());
    EXPECT_EQ(worker.exitCode(), 3u);
}

TEST(UiThread, AWorkersBoxIsAskedOnTheUiThreadAndItsAnswerComesBack)
{
    platformApplication();
    UiThreadRecordingInteraction script;
    script.boxAnswers = {IDIGNORE};
    WorkerThread worker;
    std::atomic<int32_t> answer{-1};
    ASSERT_TRUE(worker.start([&] {
        answer = messageBox(WindowHandle::None, "waiting", "Access TimeOut", MB_ABORTRETRYIGNORE);
        return 0u;
    }));
    while (worker.isRunning())
        processMessages();
    EXPECT_EQ(answer.load(), IDIGNORE);
    EXPECT_EQ(script.askedOnUiThread, std::vector<bool>{true});
}

TEST(UiThread, AStopReleasesAWorkerWaitingForABusyUiThread)
{
    platformApplication();
    UiThreadRecordingInteraction script;
    WorkerThread worker;
    std::atomic<bool> asking{false};
    std::atomic<int32_t> answer{-1};
    std::atomic<bool> callRan{false};
    std::atomic<bool> callFinished{true};
    ASSERT_TRUE(worker.start([&] {
        asking = true;
        answer = messageBox(WindowHandle::None, "waiting", "Access TimeOut", MB_ABORTRETRYIGNORE);
        callFinished = runOnUiThread([&] { callRan = true; }, currentWorkerStopToken());
        return 0u;
    }));
    // This thread does not look at its queue: without the stop the worker would wait for ever.
    while (!asking.load())
        sleepMilliseconds(1);
    sleepMilliseconds(20);
    worker.requestStop();
    EXPECT_TRUE(worker.wait(5000));
    EXPECT_EQ(answer.load(), messageBoxStopped);
    EXPECT_FALSE(callFinished.load()) << "a stopped worker does not wait any more";
    processMessages();
    EXPECT_TRUE(script.boxes.empty()) << "a question whose asker stopped is not asked";
    EXPECT_FALSE(callRan.load());
}

TEST(UiThread, WhatTheCallThrowsReachesTheWorker)
{
    platformApplication();
    WorkerThread worker;
    std::string caught;
    ASSERT_TRUE(worker.start([&] {
        try
        {
            runOnUiThread([] { throw std::runtime_error("no window"); });
        }
        catch (const std::runtime_error& error)
        {
            caught = error.what();
        }
        return 0u;
    }));
    while (worker.isRunning())
        processMessages();
    worker.wait(0);
    EXPECT_EQ(caught, "no window");
}

} // namespace
