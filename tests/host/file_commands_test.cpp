// Import and export through the file plugins and the file dialogs.
#include "VornInterface/FileCommands.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/RecentFileList.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginFile.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

struct Log
{
    std::vector<std::string> lines;
};

class Importer : public VornPluginFileImport
{
public:
    Importer(std::string name, std::string extension, Log& log, bool reads = true, bool succeeds = true)
        : name(std::move(name)), extension(std::move(extension)), log(log), reads(reads), succeeds(succeeds)
    {
    }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    const char* getExtension() override { return extension.c_str(); }
    const char* getFormatName() override { return name.c_str(); }
    bool canImport(const char*) override { return reads; }
    bool import(const char* path) override
    {
        log.lines.push_back(name + " imports " + path);
        return succeeds;
    }
    std::string name, extension;
    Log& log;
    bool reads, succeeds;
};

class Exporter : public VornPluginFileExport
{
public:
    Exporter(std::string name, std::string extension, Log& log, bool succeeds = true)
        : name(std::move(name)), extension(std::move(extension)), log(log), succeeds(succeeds)
    {
    }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    const char* getExtension() override { return extension.c_str(); }
    const char* getFormatName() override { return name.c_str(); }
    bool canExport() override { return true; }
    bool exportFile(const char* path) override
    {
        log.lines.push_back(name + " exports " + path);
        return succeeds;
    }
    std::string name, extension;
    Log& log;
    bool succeeds;
};

struct FileCommandsTest : ::testing::Test
{
    FakeMAI mai;
    PluginManager registry;
    Log log;
    platform::ScriptedInteraction script;
    RecentFileList recent;
    FileCommands commands{mai, &recent};
    Importer* ascii;
    Importer* drawing;

    FileCommandsTest()
    {
        registerHostPluginTypes(registry, mai);
        // Lists are newest first: the ASCII importer is the first.
        registry.addPlugin(drawing = new Importer("Drawing Exchange Format", "dxf", log));
        registry.addPlugin(ascii = new Importer("TempFormat", "sfa", log));
        registry.addPlugin(new Exporter("TempFormat", "sfa", log));
    }

    void choose(const std::string& path, int32_t filterIndex)
    {
        script.fileAnswers.push_back(platform::ScriptedInteraction::FileAnswer{path, filterIndex});
    }
};

TEST_F(FileCommandsTest, ImportDialogListsEveryFormatAndStartsWithAllSupportedTypes)
{
    choose("/models/frame.SFA", 3);
    commands.importFile(platform::WindowHandle::None);
    ASSERT_EQ(script.fileRequests.size(), 1u);
    const platform::FileDialogRequest& request = script.fileRequests[0];
    EXPECT_EQ(request.title, "Import");
    ASSERT_EQ(request.filters.size(), 4u);
    EXPECT_EQ(request.filters[0].description, "TempFormat (*.sfa)");
    EXPECT_EQ(request.filters[2].description, "All Supported Types");
    EXPECT_EQ(request.filters[2].patterns, "*.sfa;*.dxf");
    EXPECT_EQ(request.filters[3].patterns, "*.*");
    EXPECT_EQ(request.filterIndex, 3);
    EXPECT_EQ(request.defaultExtension, "sfa");
    EXPECT_EQ(log.lines, std::vector<std::string>{"TempFormat imports /models/frame.SFA"})
        << "the extension chooses the importer, ignoring case";
    EXPECT_TRUE(script.boxes.empty()) << "no boxes before an import";
}

TEST_F(FileCommandsTest, ChosenTypeWinsAndAFileWithoutExtensionGoesToTheFirstThatReadsIt)
{
    choose("/models/frame.sfa", 2);
    commands.importFile(platform::WindowHandle::None);
    ascii->reads = false;
    choose("/models.v2/frame", 3);
    commands.importFile(platform::WindowHandle::None);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"Drawing Exchange Format imports /models/frame.sfa",
                                        "Drawing Exchange Format imports /models.v2/frame"}))
        << "a dot in a folder name is no extension";
    EXPECT_EQ(script.fileRequests[1].fileName, "/models/frame.sfa") << "the last name is offered again";
}

TEST_F(FileCommandsTest, FailedImportIsReportedAndCancelDoesNothing)
{
    ascii->succeeds = false;
    choose("/models/frame.sfa", 1);
    commands.importFile(platform::WindowHandle::None);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "/models/frame.sfa");
    EXPECT_EQ(script.boxes[0].caption, "Error during reading...");
    script.fileAnswers.push_back(std::nullopt);
    commands.importFile(platform::WindowHandle::None);
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(FileCommandsTest, ExportAddsTheExtensionAndNeedsAType)
{
    choose("/models/frame", 1);
    commands.exportFile(platform::WindowHandle::None);
    choose("/models/frame.", 1);
    commands.exportFile(platform::WindowHandle::None);
    choose("/models/frame.txt", 1);
    commands.exportFile(platform::WindowHandle::None);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"TempFormat exports /models/frame.sfa", "TempFormat exports /models/frame.sfa",
                                        "TempFormat exports /models/frame.txt"}));
    const platform::FileDialogRequest& request = script.fileRequests[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.title, "Export");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
    EXPECT_TRUE(script.boxes.empty());

    choose("/models/frame.sfa", 2);
    commands.exportFile(platform::WindowHandle::None);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "No filetype specified...");
    EXPECT_EQ(script.boxes[0].caption, "Error");
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST_F(FileCommandsTest, DocumentFilesGetTheNoticeInsteadOfAnImport)
{
    commands.importPath("/models/frame.QR2", 0, platform::WindowHandle::None);
    EXPECT_TRUE(log.lines.empty());
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "\"Open\" is NOT implemented yet\nUSE \"IMPORT\"");
    EXPECT_EQ(script.boxes[0].caption, "BETA NOTIFICATION");
}

TEST_F(FileCommandsTest, FilesReadOrWrittenGoToTheRecentFiles)
{
    choose("/models/read.sfa", 1);
    commands.importFile(platform::WindowHandle::None);
    choose("/models/written", 1);
    commands.exportFile(platform::WindowHandle::None);
    ascii->succeeds = false;
    choose("/models/broken.sfa", 1);
    commands.importFile(platform::WindowHandle::None);
    commands.importPath("/models/frame.qr2", 0, platform::WindowHandle::None);
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/models/written.sfa", "/models/read.sfa"}))
        << "a failed import and a document file are not listed";
}

TEST_F(FileCommandsTest, ChoosingARecentFileImportsItIntoTheDocument)
{
    const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) / "recent_frame.sfa";
    std::ofstream(file) << "model\n";
    recent.add("/models/other.sfa");
    recent.add(file.string());
    int prepared = 0;
    commands.importRecent(0, platform::WindowHandle::None, [&prepared] { return ++prepared > 1; });
    EXPECT_TRUE(log.lines.empty()) << "no document to take it: nothing is read";
    commands.importRecent(0, platform::WindowHandle::None, [&prepared] { return ++prepared > 1; });
    EXPECT_EQ(log.lines, std::vector<std::string>{"TempFormat imports " + file.string()});
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_EQ(recent.paths()[0], file.string());
    std::filesystem::remove(file);
}

TEST_F(FileCommandsTest, AVanishedRecentFileIsReportedOnceAndDropped)
{
    const std::string missing = (std::filesystem::path(::testing::TempDir()) / "no_such_frame.sfa").string();
    recent.add("/models/kept.sfa");
    recent.add(missing);
    bool prepared = false;
    commands.importRecent(0, platform::WindowHandle::None, [&prepared] { return prepared = true; });
    EXPECT_FALSE(prepared) << "no document is made for a file that is gone";
    EXPECT_TRUE(log.lines.empty());
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_NE(script.boxes[0].text.find(missing), std::string::npos);
    EXPECT_EQ(recent.paths(), std::vector<std::string>{"/models/kept.sfa"});
    commands.importRecent(1, platform::WindowHandle::None);
    EXPECT_EQ(script.boxes.size(), 1u) << "an index past the list does nothing";
}

struct CloseAnswer
{
    const char* name;
    int32_t button;
    bool dialogChoosesFile;
    bool exportSucceeds;
    bool mayClose;
    std::size_t exports;
};

TEST_F(FileCommandsTest, AnEditedDocumentMayCloseOnceItsChangesAreExportedOrLetGo)
{
    const CloseAnswer answers[] = {
        {"Yes, exported", platform::IDYES, true, true, true, 1},
        {"Yes, export dialog cancelled", platform::IDYES, false, true, false, 0},
        {"Yes, export failed", platform::IDYES, true, false, false, 1},
        {"No", platform::IDNO, false, true, true, 0},
        {"Cancel", platform::IDCANCEL, false, true, false, 0},
    };
    auto* exporter = static_cast<Exporter*>(mai.pluginLists.fileExports);
    for (const CloseAnswer& answer : answers)
    {
        SCOPED_TRACE(answer.name);
        FakeDoc document(&mai);
        mai.activeDocument = &document;
        document.markModelEdited();
        log.lines.clear();
        script.boxes.clear();
        script.boxAnswers = {answer.button};
        script.fileAnswers = {std::nullopt};
        if (answer.dialogChoosesFile)
            script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/frame.sfa", 1}};
        exporter->succeeds = answer.exportSucceeds;

        EXPECT_EQ(commands.exportChangesBeforeClosing(document, "Frame", platform::WindowHandle::None),
                  answer.mayClose);
        ASSERT_FALSE(script.boxes.empty());
        EXPECT_EQ(script.boxes[0].text, "Export the changes to Frame?");
        EXPECT_EQ(script.boxes[0].type & platform::MB_TYPEMASK, platform::MB_YESNOCANCEL);
        EXPECT_EQ(script.fileRequests.size(), answer.button == platform::IDYES ? 1u : 0u)
            << "Yes opens the export dialog";
        EXPECT_EQ(log.lines.size(), answer.exports);
        EXPECT_EQ(document.hasUnexportedChanges(), !(answer.mayClose && answer.exports == 1))
            << "only a successful export clears the mark";
        script.fileRequests.clear();
        mai.activeDocument = nullptr;
    }
}

TEST_F(FileCommandsTest, AnUneditedOrExportedDocumentClosesWithoutAQuestion)
{
    FakeDoc document(&mai);
    mai.activeDocument = &document;
    EXPECT_TRUE(commands.exportChangesBeforeClosing(document, "Frame", platform::WindowHandle::None));
    document.markModelEdited();
    choose("/models/frame.sfa", 1);
    EXPECT_TRUE(commands.exportFile(platform::WindowHandle::None));
    EXPECT_TRUE(commands.exportChangesBeforeClosing(document, "Frame", platform::WindowHandle::None));
    EXPECT_TRUE(script.boxes.empty());
    mai.activeDocument = nullptr;
}

TEST_F(FileCommandsTest, WithoutPluginsNoDialogOpens)
{
    FakeMAI empty;
    FileCommands none(empty);
    none.importFile(platform::WindowHandle::None);
    none.exportFile(platform::WindowHandle::None);
    EXPECT_TRUE(script.fileRequests.empty());
}

} // namespace
