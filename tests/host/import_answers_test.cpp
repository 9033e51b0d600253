// Every file handed to the import gets an answer: the host's real importers either read it or one
// box says why not, the document stays as it was, and only files that were read go to the recent
// files.
#include "Lumbra/ModelFiles/PluginFileImportDXF.h"
#include "VornInterface/FileCommands.h"
#include "VornInterface/RecentFileList.h"
#include "tests/lumbra/ModelFileTestSupport.h"
#include "tests/support/OrdinaryUser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{

// What an import that is refused must leave as it was.
struct DocumentState
{
    std::vector<uint32_t> counts;
    VornSelection* selection;
    bool operator==(const DocumentState&) const = default;
};

class ImportAnswers : public ::testing::Test
{
protected:
    ImportAnswers()
    {
        // The host's order: the newest importer first.
        dxf.mai = &world.mai;
        PluginManager::pushFront(world.mai.pluginLists.fileImports, &dxf);
        PluginManager::pushFront(world.mai.pluginLists.fileImports, &world.importer);
        document = &world.buildEveryKind();
    }
    ~ImportAnswers() override
    {
        PluginManager::unlink(world.mai.pluginLists.fileImports, &world.importer);
        PluginManager::unlink(world.mai.pluginLists.fileImports, &dxf);
    }

    DocumentState state()
    {
        VornDocument& model = document->document;
        return {{documentList<VornMaterial>(model, "VornMaterial")->getCount(),
                 documentList<VornCrossSection>(model, "VornCrossSection")->getCount(),
                 documentList<VornJoint>(model, "VornJoint")->getCount(),
                 documentList<VornMember>(model, "VornMember")->getCount(),
                 documentList<VornForceDefinition>(model, "VornForceDefinition")->getCount(),
                 documentList<VornForceInstance>(model, "VornForceInstance")->getCount()},
                model.getSelection()};
    }

    // The boxes the user sees: the host's and the importers'.
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const platform::MessageBoxRequest& box : script.boxes)
            texts.push_back(box.text);
        for (const ScriptedMAI::Box& box : world.mai.boxes)
            texts.push_back(box.text);
        return texts;
    }

    ModelFileWorld world;
    lumbra::PluginFileImportDXF dxf;
    CountingDoc* document = nullptr;
    platform::ScriptedInteraction script;
    RecentFileList recent;
    FileCommands commands{world.mai, &recent};
    ScratchFolder folder;
};

const std::string notReadHere = "This file is not a model or drawing this program reads.";

TEST_F(ImportAnswers, AFileNoImporterTakesGetsOneBoxWithTheReasonAndChangesNothing)
{
    std::mt19937 random(39);
    std::string noise(1 << 20, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());

    struct Case
    {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"notes.txt", [](const std::string& path) { writeFileText(path, "A frame of three bays.\n"); }, notReadHere},
        {"noise.bin", [&](const std::string& path) { writeFileText(path, noise); }, notReadHere},
        {"empty.sfa", [](const std::string& path) { writeFileText(path, ""); }, notReadHere},
        {"no first line.sfa",
         [](const std::string& path) { writeFileText(path, "VERSION\r\n1\r\nMATERIALS\r\n0\r\n"); }, notReadHere},
        {"carriage returns only.dxf",
         [](const std::string& path) { writeFileText(path, "  0\rSECTION\r  2\rENTITIES\r"); }, notReadHere},
        {"folder.dxf", [](const std::string& path) { std::filesystem::create_directories(path); },
         "This file cannot be opened: Is a directory."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        c.make(path);
        const DocumentState before = state();
        script.boxes.clear();
        commands.importPath(path, 0, platform::WindowHandle::None);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{path + "\n" + c.reason});
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(recent.paths().empty());
    }
}

TEST_F(ImportAnswers, AFileTheUserMayNotReadIsNamedWithTheSystemsReason)
{
    const std::string path = folder.file("private.sfa");
    world.mai.activeDocument = document;
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    std::filesystem::permissions(folder.path, std::filesystem::perms::all);
    const DocumentState before = state();
    EXPECT_TRUE(asOrdinaryUser([&] {
        commands.importPath(path, 0, platform::WindowHandle::None);
        return boxTexts() == std::vector<std::string>{path + "\nThis file cannot be opened: Permission denied."} &&
            state() == before && recent.paths().empty();
    }));
}

TEST_F(ImportAnswers, ARecentFileThatBecameAFolderIsNamedWithTheReasonAndStaysListed)
{
    const std::string path = folder.file("frame.sfa");
    std::filesystem::create_directories(path);
    recent.add(path);
    const DocumentState before = state();
    commands.importRecent(0, platform::WindowHandle::None);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{path + "\nThis file cannot be opened: Is a directory."});
    EXPECT_EQ(state(), before);
    EXPECT_EQ(recent.paths(), std::vector<std::string>{path});
}

TEST_F(ImportAnswers, ADrawingWithNothingToImportGivesItsSummaryAloneAndJoinsTheRecentFiles)
{
    const std::string path = folder.file("polylines.dxf");
    writeFileText(path, readFileText(std::string(VORN_TEST_SOURCE_DIR) + "/../lumbra/dxf/ezdxf_r12_polylines.dxf"));
    const DocumentState before = state();
    commands.importPath(path, 0, platform::WindowHandle::None);
    EXPECT_EQ(boxTexts(),
              std::vector<std::string>{"Nothing was imported: the drawing holds no LINE or LWPOLYLINE "
                                       "segment between two points.\nNot read: 2 POLYLINE"});
    EXPECT_EQ(state(), before);
    EXPECT_EQ(recent.paths(), std::vector<std::string>{path});
}

} // namespace
