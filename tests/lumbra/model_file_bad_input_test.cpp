// Files the importer refuses: each fault of a small file gives its message with the line at fault,
// and the document stays exactly as it was, also for a file cut after any of its lines.

#include "tests/lumbra/ModelFileTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace
{

// A valid small model: one material, a Rectangle section, two joints, a member and a force.
const std::vector<std::string> sampleLines = {
    "Quorl2 TempASCII", "VERSION", "1",                                               // 1-3
    "MATERIALS", "1", "Steel", "8454016", "7.8e+03", "2e+11", "1.2e-07", "2e+08", "2e+08", // 4-12
    "CROSS-SECTIONS", "1", "Box", "0", "1e-02", "1e-05", "1e-05", "0e+00", "2e-05",   // 13-21
    "Rectangle", "1", "1e-01", "1e-01", "1", "8e-02", "8e-02",                         // 22-28
    "JOINTS", "2", "J1", "0", "0e+00", "0e+00", "0e+00", "192",                        // 29-36
    "J2", "0", "1e+00", "0e+00", "0e+00", "0",                                         // 37-42
    "MEMBERS", "1", "M1", "0", "0", "1", "0", "0", "1e+00", "0e+00",                   // 43-52
    "FORCEDEFINITIONS", "1", "Load", "0", "0e+00", "0e+00", "-1e+03",                  // 53-59
    "FORCEINSTANCES", "1", "F1", "0", "0", "0"};                                       // 60-65

std::string joinLines(const std::vector<std::string>& lines, std::size_t count)
{
    std::string text;
    for (std::size_t index = 0; index < count && index < lines.size(); ++index)
        text += lines[index] + "\r\n";
    return text;
}

// The sample with one line replaced, or cut after `keep` lines.
struct BadFile
{
    const char* fault;
    std::size_t line; // 1-based line to replace; 0: none
    std::string replacement;
    std::size_t keep; // lines kept; 0: all
    std::string expected; // the message, "P" standing for the path
};

std::string withPath(std::string text, const std::string& path)
{
    for (std::size_t at = text.find("\"P\""); at != std::string::npos; at = text.find("\"P\"", at + path.size()))
        text.replace(at + 1, 1, path);
    return text;
}

const std::string invalid = "Invalid value in\nfile\"P\"\nLine ";
const std::string endOfFile = "Unexpected End Of File in file\"P\"\nLine ";

std::string header(const char* name, int line)
{
    return std::string("Can't locate \"") + name + "\"-Header in\nfile\"P\"\nLine " + std::to_string(line);
}

const BadFile badFiles[] = {
    {"no magic", 1, "Quorl2 TempASCII ", 0, "Error in file \"P\"\nLine 1"},
    {"nothing after the magic", 0, "", 1,
     "Incomplete header in\nfile\"P\"\nCan't locate \"VERSION\" or \"MATERIALS\" tag\nLine 2"},
    {"no version number", 0, "", 2, "Can't read version number in\nfile\"P\"\nLine 3"},
    {"version 2", 3, "2", 0,
     "Unsupported version number (2) in\nfile\"P\"\nFile is either corrupted\nor created by an upgraded version of "
     "Quorl2\nLine 3"},
    {"nothing after the version", 0, "", 3, "Unexpected end of\nfile\"P\"\nLine 4"},
    {"materials header", 4, "Materials", 0, header("MATERIALS", 4)},
    {"cross-sections header", 13, "CROSS-SECTION", 0, header("CROSS-SECTIONS", 13)},
    {"joints header", 29, "", 0, header("JOINTS", 29)},
    {"members header", 43, "MEMBERS ", 0, header("MEMBERS", 43)},
    {"force definitions header", 53, "FORCEINSTANCES", 0, header("FORCEDEFINITIONS", 53)},
    {"force definitions header missing", 0, "", 52, header("FORCEDEFINITIONS", 53)},
    {"force instances header", 60, "FORCEDEFINITIONS", 0, header("FORCEINSTANCES", 60)},
    {"shape name with a trailing blank", 22, "Rectangle ", 0,
     "Unknown shape: \"Rectangle  in\nfile\"P\"\nLine 22"},
    {"count missing", 0, "", 4, endOfFile + "5"},
    {"record cut short", 0, "", 9, endOfFile + "10"},
    {"shape parameter missing", 0, "", 27, endOfFile + "28"},
    {"negative count", 5, "-1", 0, invalid + "5"},
    // The records are read until the file shows the count wrong; no room is taken for the count.
    {"count beyond the file", 5, "4294967295", 0, invalid + "15"},
    {"count in words", 30, "two", 0, invalid + "30"},
    {"count with a blank", 30, " 2", 0, invalid + "30"},
    {"word with a fraction", 7, "1.5", 0, invalid + "7"},
    {"word in hexadecimal", 7, "0x10", 0, invalid + "7"},
    {"word too large", 7, "4294967296", 0, invalid + "7"},
    {"real not a number", 8, "nan", 0, invalid + "8"},
    {"real infinite", 8, "inf", 0, invalid + "8"},
    {"real overflowing", 8, "1e400", 0, invalid + "8"},
    {"real with trailing text", 8, "7.8e+03 kg", 0, invalid + "8"},
    {"real with a decimal comma", 9, "2,5", 0, invalid + "9"},
    {"real empty", 17, "", 0, invalid + "17"},
    {"flag parameter not a number", 23, "yes", 0, invalid + "23"},
    {"parameter beyond single precision", 24, "1e300", 0, invalid + "24"},
    {"support byte beyond a byte", 36, "256", 0, invalid + "36"},
    {"joint index not a number", 47, "abc", 0, invalid + "47"},
    {"joint index beyond the joints", 48, "2", 0, invalid + "48"},
    {"joint index below none", 47, "-2", 0, invalid + "47"},
    {"material index beyond the materials", 49, "1", 0, invalid + "49"},
    {"section index beyond the sections", 50, "1", 0, invalid + "50"},
    {"definition index beyond the definitions", 64, "1", 0, invalid + "64"},
    {"force joint index beyond the joints", 65, "7", 0, invalid + "65"},
    {"name too long", 6, std::string(262096, 'n'), 0, "Name too long in\nfile\"P\"\nLine 6"},
};

// The document's model as the exporter writes it, the whole words of its objects (the exporter
// leaves the selection marks out) and the state of its selections.
struct DocumentState
{
    std::string model;
    std::vector<uint32_t> words;
    uint32_t selections;
    const void* current;
    uint32_t currentCount;

    bool operator==(const DocumentState&) const = default;
};

class ModelFileBadInput : public ::testing::TestWithParam<BadFile>
{
protected:
    ModelFileBadInput()
    {
        // The document already holds an imported model, selected.
        writeFileText(path, joinLines(sampleLines, sampleLines.size()));
        EXPECT_TRUE(world.importer.import(path.c_str()));
        EXPECT_TRUE(world.mai.boxes.empty());
    }

    DocumentState state()
    {
        const std::string snapshot = folder.file("snapshot.sfa");
        EXPECT_EQ(lumbra::writeModelFile(doc.document, snapshot), lumbra::ModelWriteResult::Written);
        VornSelection* current = doc.document.getSelection();
        uint32_t count = 0;
        for (knot* link = current->objects.getFirst(); link != nullptr; link = link->getNext())
            ++count;
        std::vector<uint32_t> words;
        addWords<VornMaterial>(words, "VornMaterial");
        addWords<VornCrossSection>(words, "VornCrossSection");
        addWords<VornJoint>(words, "VornJoint");
        addWords<VornMember>(words, "VornMember");
        addWords<VornForceDefinition>(words, "VornForceDefinition");
        addWords<VornForceInstance>(words, "VornForceInstance");
        return {readFileText(snapshot), words, doc.document.getSelectionList()->getCount(), current, count};
    }

    template <class Element>
    void addWords(std::vector<uint32_t>& words, const char* listName)
    {
        BlockList<Element>* list = documentList<Element>(doc.document, listName);
        for (uint32_t index = 0; index < list->getCount(); ++index)
            words.push_back((*list)[index].colorAndFlags);
    }

    // Imports the file; it must be refused with that message and change nothing.
    void expectRefused(const std::string& text, const std::string& expected)
    {
        writeFileText(path, text);
        const DocumentState before = state();
        const std::size_t boxes = world.mai.boxes.size();
        ChannelLog log(world.mai, {Channel::SelectionChanged, Channel::SelectionChanging, Channel::MaterialsChanged,
                                   Channel::CrossSectionsChanged, Channel::ForceDefinitionsChanged});
        EXPECT_FALSE(world.importer.import(path.c_str()));
        ASSERT_EQ(world.mai.boxes.size(), boxes + 1);
        EXPECT_EQ(world.mai.boxes.back().text, withPath(expected, path));
        EXPECT_EQ(world.mai.boxes.back().caption, "Error PluginFileImportTempFormat");
        EXPECT_EQ(world.mai.boxes.back().type, platform::MB_OK | platform::MB_ICONWARNING);
        EXPECT_TRUE(before == state()) << "the document changed";
        EXPECT_TRUE(log.heard.empty());
    }

    ModelFileWorld world;
    CountingDoc& doc = world.newDocument();
    ScratchFolder folder;
    std::string path = folder.file("bad.sfa");
};

TEST_P(ModelFileBadInput, IsRefusedWithItsMessageAndChangesNothing)
{
    const BadFile& file = GetParam();
    std::vector<std::string> lines = sampleLines;
    if (file.line != 0)
        lines[file.line - 1] = file.replacement;
    expectRefused(joinLines(lines, file.keep != 0 ? file.keep : lines.size()), file.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ModelFileBadInput, ::testing::ValuesIn(badFiles),
                         [](const ::testing::TestParamInfo<BadFile>& info) {
                             std::string name;
                             for (const char* c = info.param.fault; *c != '\0'; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

class ModelFileRefusals : public ModelFileBadInput
{
};

TEST_F(ModelFileRefusals, AMissingFileAndAMissingDocumentChangeNothing)
{
    const std::string missing = folder.file("missing.sfa");
    EXPECT_FALSE(world.importer.canImport(missing.c_str()));
    EXPECT_FALSE(world.importer.import(missing.c_str()));
    EXPECT_EQ(world.mai.boxes.back().text, "Failed to open file \"" + missing + "\"");

    const DocumentState before = state();
    writeFileText(path, "");
    EXPECT_FALSE(world.importer.canImport(path.c_str()));
    EXPECT_FALSE(world.importer.import(path.c_str()));
    EXPECT_EQ(world.mai.boxes.back().text, "Error in file \"" + path + "\"\nLine 1");

    writeFileText(path, joinLines(sampleLines, sampleLines.size()));
    EXPECT_TRUE(world.importer.canImport(path.c_str()));
    world.mai.activeDocument = nullptr;
    EXPECT_FALSE(world.importer.import(path.c_str()));
    EXPECT_EQ(world.mai.boxes.back().text, "No active document");
    world.mai.activeDocument = &doc;
    EXPECT_TRUE(before == state());
}

TEST_F(ModelFileRefusals, ASampleCutAfterAnyOfItsLinesChangesNothing)
{
    world.mai.activeDocument = &world.buildEveryKind();
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    world.mai.activeDocument = &doc;
    const std::string whole = readFileText(path);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = whole.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(whole.substr(start, end - start));
    ASSERT_GT(lines.size(), 100u);
    for (std::size_t keep = 1; keep < lines.size(); ++keep)
    {
        SCOPED_TRACE("cut after line " + std::to_string(keep));
        writeFileText(path, joinLines(lines, keep));
        const DocumentState before = state();
        EXPECT_FALSE(world.importer.import(path.c_str()));
        EXPECT_TRUE(before == state());
        if (HasFailure())
            break;
    }
}

TEST_F(ModelFileRefusals, TheVersionLineIsReadUpToItsFirstNonDigit)
{
    std::vector<std::string> lines = sampleLines;
    lines[2] = "1.5";
    writeFileText(path, joinLines(lines, lines.size()));
    EXPECT_TRUE(world.importer.import(path.c_str()));
}

TEST_F(ModelFileRefusals, SelectionAndStateMarksOfTheFileAreNotTakenOver)
{
    std::vector<std::string> lines = sampleLines;
    lines[31] = std::to_string(0xFF123456u); // J1: every flag bit
    lines[6] = std::to_string(0xD3654321u); // Steel: 0x01, 0x02, 0x10, 0x40, 0x80
    writeFileText(path, joinLines(lines, lines.size()));
    auto* joints = documentList<VornJoint>(doc.document, "VornJoint");
    const uint32_t before = joints->getCount();
    ASSERT_TRUE(world.importer.import(path.c_str()));
    // Selected by the import, the joint keeps hidden, frozen and 0x20 of the file.
    EXPECT_EQ((*joints)[before].colorAndFlags, 0x2F123456u);
    auto* materials = documentList<VornMaterial>(doc.document, "VornMaterial");
    EXPECT_EQ((*materials)[materials->getCount() - 1].colorAndFlags, 0x00654321u);
}

TEST_F(ModelFileRefusals, AVersionZeroFileKeepsItsSectionValuesAndReadsNoForces)
{
    const std::vector<std::string> lines = {
        "Quorl2 TempASCII", "MATERIALS", "1", "Old", "0", "7.8e+03", "2e+11", "1.2e-07",
        "CROSS-SECTIONS", "2", "OldTube", "0", "3.3e-03", "1.1e-06", "2.2e-06", "Tube",
        "OldH", "0", "4.4e-03", "5.5e-06", "6.6e-06", "HBeam",
        "JOINTS", "0", "MEMBERS", "0", "FORCEDEFINITIONS", "1"};
    writeFileText(path, joinLines(lines, lines.size()));
    ASSERT_TRUE(world.importer.import(path.c_str()));
    auto* sections = documentList<VornCrossSection>(doc.document, "VornCrossSection");
    VornCrossSection* tube = findNamed(sections, "OldTube");
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->getArea(), 3.3e-03);
    EXPECT_EQ(tube->getIx(), 1.1e-06);
    EXPECT_EQ(tube->getIy(), 2.2e-06);
    EXPECT_EQ(tube->shape, world.shape("Tube"));
    VornCrossSection* hBeam = findNamed(sections, "OldH");
    ASSERT_NE(hBeam, nullptr);
    EXPECT_EQ(hBeam->getIy(), 6.6e-06);
    VornMaterial* old = findNamed(documentList<VornMaterial>(doc.document, "VornMaterial"), "Old");
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->getTension(), VornMaterial::DefaultTension);
}

TEST_F(ModelFileRefusals, AnImportThatIsNotGrantedTheDocumentLockChangesNothing)
{
    writeFileText(path, joinLines(sampleLines, sampleLines.size()));
    const DocumentState before = state();
    std::atomic<bool> holding{false};
    std::atomic<bool> done{false};
    std::thread calculation([&] {
        std::lock_guard<DocumentLock> lock(*doc.getLock());
        holding = true;
        while (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    while (!holding)
        std::this_thread::yield();
    world.importer.lockTimeout = std::chrono::milliseconds(5);
    world.mai.answers = {platform::IDRETRY, platform::IDABORT};
    const bool imported = world.importer.import(path.c_str());
    done = true;
    calculation.join();
    EXPECT_FALSE(imported);
    ASSERT_EQ(world.mai.boxes.size(), 2u);
    EXPECT_EQ(world.mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(world.mai.boxes[0].type, platform::MB_ABORTRETRYIGNORE | platform::MB_ICONWARNING | platform::MB_TOPMOST);
    EXPECT_TRUE(before == state());
}

TEST_F(ModelFileRefusals, TheImportWaitsForTheDocumentLock)
{
    writeFileText(path, joinLines(sampleLines, sampleLines.size()));
    std::atomic<bool> holding{false};
    std::atomic<bool> released{false};
    std::thread calculation([&] {
        std::lock_guard<DocumentLock> lock(*doc.getLock());
        holding = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        released = true;
    });
    while (!holding)
        std::this_thread::yield();
    std::optional<bool> releasedWhenAdded;
    ChannelLog log(world.mai, {Channel::SelectionChanging});
    log.probe = [&] {
        releasedWhenAdded = released.load();
        return 0;
    };
    EXPECT_TRUE(world.importer.import(path.c_str()));
    calculation.join();
    ASSERT_TRUE(releasedWhenAdded.has_value());
    EXPECT_TRUE(*releasedWhenAdded);
}

} // namespace
