// The model file written and read back: every kind of object comes back with the same values bit
// for bit, defaults and repeated imports merge instead of multiplying, and the line layout of the
// format holds.

#include "Lumbra/ModelFiles/ModelFileFormat.h"
#include "tests/lumbra/ModelFileTestSupport.h"
#include "tests/support/OrdinaryUser.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <numbers>

namespace
{

using lumbra::modelfile::keptWordBits;

// Bit patterns, so that -0.0 and 0.0 or two NaNs are told apart.
uint64_t bits(double value)
{
    return std::bit_cast<uint64_t>(value);
}

void expectSameVector(const Vector3& a, const Vector3& b, const std::string& what)
{
    EXPECT_EQ(bits(a.getX()), bits(b.getX())) << what;
    EXPECT_EQ(bits(a.getY()), bits(b.getY())) << what;
    EXPECT_EQ(bits(a.getZ()), bits(b.getZ())) << what;
}

// The element of the other document that stands for `element`: the one of the same name for
// materials, cross-sections and definitions (a merge on import fills the place of a merged element
// with the list's last one), the one at the same position for the others.
template <class Element>
const Element* counterpart(BlockList<Element>* in, BlockList<Element>* from, const Element* element, bool byName)
{
    if (element == nullptr)
        return nullptr;
    if (byName)
        return findNamed(in, element->name.getString());
    for (uint32_t index = 0; index < from->getCount(); ++index)
        if (&(*from)[index] == element)
            return index < in->getCount() ? &(*in)[index] : nullptr;
    return nullptr;
}

// The counterparts of every element of `a`'s list in `b`'s, in the same number; checks names and
// colour-and-flags words and hands each pair on.
template <class Element, class Check>
void forEachPair(VornDocument& a, VornDocument& b, const char* listName, bool byName, Check check)
{
    BlockList<Element>* listA = documentList<Element>(a, listName);
    BlockList<Element>* listB = documentList<Element>(b, listName);
    ASSERT_NE(listA, nullptr);
    ASSERT_NE(listB, nullptr);
    ASSERT_EQ(listA->getCount(), listB->getCount()) << listName;
    for (uint32_t index = 0; index < listA->getCount(); ++index)
    {
        Element& x = (*listA)[index];
        auto* y = const_cast<Element*>(counterpart(listB, listA, &x, byName));
        ASSERT_NE(y, nullptr) << listName << " " << index;
        EXPECT_STREQ(x.name.getString(), y->name.getString()) << listName << " " << index;
        // The import marks its objects selected.
        EXPECT_EQ(x.colorAndFlags & keptWordBits, y->colorAndFlags & keptWordBits) << listName << " " << index;
        check(x, *y, std::string(listName) + " " + std::to_string(index));
    }
}

// Every value the file carries, and every value derived from them, equal bit for bit; links lead
// to counterparts.
void expectSameModel(VornDocument& a, VornDocument& b)
{
    auto* jointsA = documentList<VornJoint>(a, "VornJoint");
    auto* jointsB = documentList<VornJoint>(b, "VornJoint");
    auto sameName = [](const VornBaseObject* x, const VornBaseObject* y) {
        return (x == nullptr && y == nullptr) ||
            (x != nullptr && y != nullptr && std::string(x->name.getString()) == y->name.getString());
    };

    forEachPair<VornMaterial>(a, b, "VornMaterial", true, [](VornMaterial& x, VornMaterial& y, const std::string& what) {
        for (auto value : {&VornMaterial::getDensity, &VornMaterial::getElasticity, &VornMaterial::getParameter3,
                           &VornMaterial::getTension, &VornMaterial::getCompression, &VornMaterial::getShearModulus})
            EXPECT_EQ(bits((x.*value)()), bits((y.*value)())) << what;
    });
    forEachPair<VornCrossSection>(
        a, b, "VornCrossSection", true, [](VornCrossSection& x, VornCrossSection& y, const std::string& what) {
            for (auto value : {&VornCrossSection::getArea, &VornCrossSection::getIx, &VornCrossSection::getIy,
                               &VornCrossSection::getIxy, &VornCrossSection::getJ})
                EXPECT_EQ(bits((x.*value)()), bits((y.*value)())) << what;
            EXPECT_EQ(x.shape, y.shape) << what;
            const uint32_t* dataX = x.shapeData.getData();
            const uint32_t* dataY = y.shapeData.getData();
            EXPECT_EQ(std::vector<uint32_t>(dataX, dataX + x.shapeData.getLength()),
                      std::vector<uint32_t>(dataY, dataY + y.shapeData.getLength()))
                << "shape data of " << what;
        });
    forEachPair<VornJoint>(a, b, "VornJoint", false, [](VornJoint& x, VornJoint& y, const std::string& what) {
        expectSameVector(x.getPosition(), y.getPosition(), what);
        expectSameVector(x.getPosition(), y.getCreationCoordinate(), "creation coordinate of " + what);
        EXPECT_EQ(x.supportFlags, y.supportFlags) << what;
    });
    forEachPair<VornMember>(a, b, "VornMember", false, [&](VornMember& x, VornMember& y, const std::string& what) {
        EXPECT_EQ(counterpart(jointsB, jointsA, x.getStartJoint(), false), y.getStartJoint()) << what;
        EXPECT_EQ(counterpart(jointsB, jointsA, x.getEndJoint(), false), y.getEndJoint()) << what;
        EXPECT_TRUE(sameName(x.getMaterial(), y.getMaterial())) << what;
        EXPECT_TRUE(sameName(x.getCrossSection(), y.getCrossSection())) << what;
        for (auto value : {&VornMember::getLength, &VornMember::getAngle, &VornMember::getEA, &VornMember::getIx,
                           &VornMember::getIy, &VornMember::getGJ, &VornMember::getHalfMassPerLength,
                           &VornMember::getInverseArea})
            EXPECT_EQ(bits((x.*value)()), bits((y.*value)())) << what;
    });
    forEachPair<VornForceDefinition>(
        a, b, "VornForceDefinition", true, [](VornForceDefinition& x, VornForceDefinition& y, const std::string& what) {
            expectSameVector(x.getVector(), y.getVector(), what);
            EXPECT_EQ(bits(x.getMagnitude()), bits(y.getMagnitude())) << what;
        });
    forEachPair<VornForceInstance>(
        a, b, "VornForceInstance", false, [&](VornForceInstance& x, VornForceInstance& y, const std::string& what) {
            EXPECT_TRUE(sameName(x.getForceDefinition(), y.getForceDefinition())) << what;
            EXPECT_EQ(counterpart(jointsB, jointsA, x.getJoint(), false), y.getJoint()) << what;
            expectSameVector(x.getVector(), y.getVector(), what);
        });
}

class ModelFileRoundTrip : public ::testing::Test
{
protected:
    // Exports the active document and imports the file into a new document, which it answers.
    CountingDoc& exportAndImport(CountingDoc& source)
    {
        world.mai.activeDocument = &source;
        EXPECT_TRUE(world.exporter.exportFile(path.c_str()));
        CountingDoc& target = world.newDocument();
        EXPECT_TRUE(world.importer.import(path.c_str()));
        EXPECT_TRUE(world.mai.boxes.empty()) << world.mai.boxes.front().text;
        return target;
    }

    ModelFileWorld world;
    ScratchFolder folder;
    std::string path = folder.file("model.sfa");
};

TEST_F(ModelFileRoundTrip, EveryKindOfObjectComesBackBitForBit)
{
    CountingDoc& source = world.buildEveryKind();
    CountingDoc& target = exportAndImport(source);
    expectSameModel(source.document, target.document);

    // Writing the same document twice gives the same file.
    const std::string first = readFileText(path);
    world.mai.activeDocument = &source;
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    EXPECT_EQ(readFileText(path), first);
}

TEST_F(ModelFileRoundTrip, ANewDocumentMergesIntoAnotherNewDocument)
{
    CountingDoc& source = world.newDocument();
    CountingDoc& target = exportAndImport(source);
    EXPECT_EQ(documentList<VornCrossSection>(target.document, "VornCrossSection")->getCount(), 1u);
    EXPECT_EQ(documentList<VornMaterial>(target.document, "VornMaterial")->getCount(), 1u);
    expectSameModel(source.document, target.document);
    EXPECT_EQ(lineCount(readFileText(path)), 36u);
}

TEST_F(ModelFileRoundTrip, ImportingTwiceMergesPropertiesAndAddsTheStructureAgain)
{
    CountingDoc& source = world.buildEveryKind();
    CountingDoc& target = exportAndImport(source);
    ASSERT_TRUE(world.importer.import(path.c_str()));
    VornDocument& document = target.document;
    EXPECT_EQ(documentList<VornMaterial>(document, "VornMaterial")->getCount(), 2u);
    EXPECT_EQ(documentList<VornCrossSection>(document, "VornCrossSection")->getCount(), 8u);
    EXPECT_EQ(documentList<VornForceDefinition>(document, "VornForceDefinition")->getCount(), 2u);
    EXPECT_EQ(documentList<VornJoint>(document, "VornJoint")->getCount(), 8u);
    EXPECT_EQ(documentList<VornMember>(document, "VornMember")->getCount(), 12u);
    auto* forces = documentList<VornForceInstance>(document, "VornForceInstance");
    ASSERT_EQ(forces->getCount(), 6u);
    // The second import's forces use the definitions of the first.
    EXPECT_EQ((*forces)[3].getForceDefinition(), (*forces)[0].getForceDefinition());
    auto* members = documentList<VornMember>(document, "VornMember");
    EXPECT_EQ((*members)[6].getCrossSection(), (*members)[0].getCrossSection());
    EXPECT_EQ((*members)[6].getMaterial(), (*members)[0].getMaterial());
    EXPECT_NE((*members)[6].getStartJoint(), (*members)[0].getStartJoint());

    // The current selection is the second import's, named after the file, its objects marked.
    VornSelection* selection = document.getSelection();
    EXPECT_TRUE(selection->isNamed());
    EXPECT_STREQ(selection->name.getString(), "model.sfa");
    int selected = 0;
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext(), ++selected)
        EXPECT_EQ(VornSelection::objectOf(link)->getFlags() & 3, 3);
    EXPECT_EQ(selected, 4 + 6 + 3);
    EXPECT_EQ(document.getSelectionList()->getCount(), 2u);
}

TEST_F(ModelFileRoundTrip, ADefinitionThatOnlySharesANameIsNumberedOn)
{
    CountingDoc& source = world.newDocument();
    auto* definitions = documentList<VornForceDefinition>(source.document, "VornForceDefinition");
    VornForceDefinition* definition = definitions->add();
    definition->name.set(&source.document.getStringStorage(), "Force#001");
    definition->setVector(0, 0, 1);
    CountingDoc& target = exportAndImport(source);
    auto* imported = documentList<VornForceDefinition>(target.document, "VornForceDefinition");
    // Other values under the file's name: the file's definition becomes Force#002.
    (*imported)[0].setVector(0, 0, 2);
    ASSERT_TRUE(world.importer.import(path.c_str()));
    ASSERT_EQ(imported->getCount(), 2u);
    // Force#002 taken by other values too: each new name is tried against the whole list again.
    (*imported)[1].setVector(0, 0, 3);
    ASSERT_TRUE(world.importer.import(path.c_str()));
    ASSERT_EQ(imported->getCount(), 3u);
    EXPECT_STREQ((*imported)[0].name.getString(), "Force#001");
    EXPECT_STREQ((*imported)[1].name.getString(), "Force#002");
    EXPECT_STREQ((*imported)[2].name.getString(), "Force#003");
}

TEST_F(ModelFileRoundTrip, LinesEndInCrLfAndLfAloneReadsTheSame)
{
    CountingDoc& source = world.buildEveryKind();
    world.mai.activeDocument = &source;
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    const std::string written = readFileText(path);
    std::string unix;
    for (char character : written)
        if (character != '\r')
            unix += character;
    EXPECT_EQ(lineCount(written) * 2, written.size() - unix.size() + lineCount(unix));
    writeFileText(path, unix);
    CountingDoc& target = world.newDocument();
    ASSERT_TRUE(world.importer.import(path.c_str()));
    expectSameModel(source.document, target.document);
}

TEST_F(ModelFileRoundTrip, NumbersIgnoreTheUsersLocale)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr && std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    CountingDoc& source = world.buildEveryKind();
    CountingDoc& target = exportAndImport(source);
    std::setlocale(LC_ALL, "C");
    expectSameModel(source.document, target.document);
    EXPECT_EQ(readFileText(path).find(','), std::string::npos);
}

// ---- the layout ----

TEST_F(ModelFileRoundTrip, EmptyListsWriteFifteenLines)
{
    CountingDoc& doc = world.newDocument();
    documentList<VornMaterial>(doc.document, "VornMaterial")->clear();
    documentList<VornCrossSection>(doc.document, "VornCrossSection")->clear();
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    EXPECT_EQ(readFileText(path), "Quorl2 TempASCII\r\nVERSION\r\n1\r\nMATERIALS\r\n0\r\nCROSS-SECTIONS\r\n0\r\n"
                                   "JOINTS\r\n0\r\nMEMBERS\r\n0\r\nFORCEDEFINITIONS\r\n0\r\nFORCEINSTANCES\r\n0\r\n");
}

TEST_F(ModelFileRoundTrip, TheExampleModelWritesFortyTwoLines)
{
    CountingDoc& doc = world.newDocument();
    VornDocument& document = doc.document;
    documentList<VornCrossSection>(document, "VornCrossSection")->clear();
    auto* joints = documentList<VornJoint>(document, "VornJoint");
    for (double x : {0.0, 2.0})
        joints->add()->getPosition().set(x, 0, 0);
    VornMember* member = documentList<VornMember>(document, "VornMember")->add();
    member->setStartJoint(&(*joints)[0]);
    member->setEndJoint(&(*joints)[1]);
    member->setMaterial(&(*documentList<VornMaterial>(document, "VornMaterial"))[0]);
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    const std::string text = readFileText(path);
    EXPECT_EQ(lineCount(text), 42u);
    EXPECT_NE(text.find("MEMBERS\r\n1\r\n\r\n0\r\n0\r\n1\r\n0\r\n-1\r\n2e+00\r\n0e+00\r\nFORCEDEFINITIONS\r\n0\r\n"),
              std::string::npos)
        << text;
}

TEST_F(ModelFileRoundTrip, RealsAreWrittenInTheShortestFormThatReadsBackExactly)
{
    std::string out;
    lumbra::modelfile::appendReal(out, 0.1);
    EXPECT_EQ(out, "1e-01");
    for (double value : {1.0 / 3, 0.112837918, 5e-324, -1.7976931348623157e308, -0.0, 7.957747154594767e-06})
    {
        out.clear();
        lumbra::modelfile::appendReal(out, value);
        const auto back = lumbra::modelfile::readReal(out);
        ASSERT_TRUE(back.has_value()) << out;
        EXPECT_EQ(bits(*back), bits(value)) << out;
    }
}

// ---- records that refer to nothing ----

TEST_F(ModelFileRoundTrip, AMemberThatLostAJointAndAForceThatLostItsDefinitionAreLeftOut)
{
    CountingDoc& source = world.buildEveryKind();
    auto* members = documentList<VornMember>(source.document, "VornMember");
    (*members)[1].setStartJoint(nullptr);
    auto* forces = documentList<VornForceInstance>(source.document, "VornForceInstance");
    (*forces)[1].setForceDefinition(nullptr);
    CountingDoc& target = exportAndImport(source);
    const std::string text = readFileText(path);
    EXPECT_NE(text.find("M2\r\n0\r\n-1\r\n0\r\n-1\r\n-1\r\n"), std::string::npos);
    auto* imported = documentList<VornMember>(target.document, "VornMember");
    ASSERT_EQ(imported->getCount(), 5u);
    EXPECT_STREQ((*imported)[1].name.getString(), "M3 fixed");
    auto* importedForces = documentList<VornForceInstance>(target.document, "VornForceInstance");
    ASSERT_EQ(importedForces->getCount(), 2u);
    EXPECT_STREQ((*importedForces)[1].name.getString(), "F3");
}

TEST_F(ModelFileRoundTrip, ASectionWithoutShapeKeepsItsValuesAndStaysWithoutShape)
{
    CountingDoc& source = world.buildEveryKind();
    CountingDoc& target = exportAndImport(source);
    VornCrossSection* bare = findNamed(documentList<VornCrossSection>(target.document, "VornCrossSection"), "Bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->shape, nullptr);
    EXPECT_EQ(bare->getIxy(), -1e-7 / 3);
    EXPECT_NE(readFileText(path).find("Bare\r\n" + std::to_string(0x08ABCDEF)), std::string::npos);
}

// ---- the exporter's failures ----

TEST_F(ModelFileRoundTrip, AnExportThatCannotWriteSaysSoAndLeavesTheOldFile)
{
    CountingDoc& doc = world.buildEveryKind();
    writeFileText(path, "old");
    world.mai.activeDocument = &doc;
    const std::string missing = folder.file("no folder/model.sfa");
    EXPECT_FALSE(world.exporter.exportFile(missing.c_str()));
    ASSERT_EQ(world.mai.boxes.size(), 1u);
    EXPECT_EQ(world.mai.boxes[0].text, "Unable to open file \"" + missing + "\"\nNo such file or directory");
    EXPECT_EQ(world.mai.boxes[0].caption, "PluginFileExportTempFormat Error");

    // A name that a line cannot hold: refused, the old file stays, no temporary file is left.
    (*documentList<VornJoint>(doc.document, "VornJoint"))[0].name.set(&doc.document.getStringStorage(), "two\nlines");
    EXPECT_FALSE(world.exporter.exportFile(path.c_str()));
    EXPECT_EQ(readFileText(path), "old");
    for (const auto& entry : std::filesystem::directory_iterator(folder.path))
        EXPECT_EQ(entry.path().extension(), entry.is_directory() ? "" : ".sfa") << entry.path();
    EXPECT_EQ(world.mai.boxes.size(), 2u);
}

TEST_F(ModelFileRoundTrip, AnExportThatFailsSaysWhyInTheSystemsWords)
{
    world.mai.activeDocument = &world.buildEveryKind();
    // A file the user may not write, in a folder anybody may write in.
    writeFileText(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::others_read);
    std::filesystem::permissions(folder.path, std::filesystem::perms::all);
    EXPECT_TRUE(asOrdinaryUser([this] {
        return !world.exporter.exportFile(path.c_str()) && world.mai.boxes.size() == 1 &&
            world.mai.boxes[0].text == "Unable to open file \"" + path + "\"\nPermission denied" &&
            readFileText(path) == "old";
    }));

    // A folder in the way of the file: the finished file cannot take its place.
    const std::string folderInTheWay = folder.file("in the way.sfa");
    std::filesystem::create_directories(folderInTheWay + "/inside");
    EXPECT_FALSE(world.exporter.exportFile(folderInTheWay.c_str()));
    ASSERT_EQ(world.mai.boxes.size(), 1u);
    EXPECT_EQ(world.mai.boxes[0].text, "Unable to write file \"" + folderInTheWay + "\"\nIs a directory");
}

// Joints far apart, with a member between them: the member's length fits a double although its
// square does not, so the file reads back; a length beyond the largest double refuses the export.
TEST_F(ModelFileRoundTrip, ExtremeFiniteModelsReadBackOrTheExportIsRefused)
{
    struct Case
    {
        Vector3 start, end;
        double length; // 0: the export is refused
    };
    const double huge = 1.7e308;
    const Case cases[] = {
        {{0, 0, -1e200}, {0, 0, 1e200}, 2e200},
        {{-1e154, -1e154, -1e154}, {1e154, 1e154, 1e154}, std::sqrt(12.0) * 1e154},
        {{0, 0, 0}, {huge, 0, 0}, huge},
        {{0, -huge, 0}, {0, huge, 0}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.end.x + c.end.y + c.end.z);
        world.mai.boxes.clear();
        CountingDoc& source = world.newDocument();
        StringManager* strings = &source.document.getStringStorage();
        auto* joints = documentList<VornJoint>(source.document, "VornJoint");
        for (const Vector3& at : {c.start, c.end})
        {
            VornJoint* joint = joints->add();
            joint->getPosition() = at;
            joint->getCreationCoordinate() = at;
        }
        VornMember* member = documentList<VornMember>(source.document, "VornMember")->add();
        member->name.set(strings, "Far");
        member->setStartJoint(&(*joints)[0]);
        member->setEndJoint(&(*joints)[1]);
        writeFileText(path, "old");
        world.mai.activeDocument = &source;

        if (c.length == 0)
        {
            EXPECT_FALSE(world.exporter.exportFile(path.c_str()));
            ASSERT_EQ(world.mai.boxes.size(), 1u);
            EXPECT_EQ(world.mai.boxes[0].text,
                      "Unable to write file \"" + path +
                          "\"\n\"Far\" holds a value that is not a finite number (inf), which could not be read back.");
            EXPECT_EQ(world.mai.boxes[0].caption, "PluginFileExportTempFormat Error");
            EXPECT_EQ(readFileText(path), "old");
            continue;
        }
        EXPECT_DOUBLE_EQ(member->getLength(), c.length);
        CountingDoc& target = exportAndImport(source);
        expectSameModel(source.document, target.document);
    }
}

TEST_F(ModelFileRoundTrip, AnExportWithoutDocumentWritesNothing)
{
    EXPECT_FALSE(world.exporter.exportFile(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ModelFilePlugins, DescribeThemselvesAndSitInTheLibrarysTable)
{
    for (uint32_t index : {41u, 43u})
    {
        std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(index));
        ASSERT_NE(plugin, nullptr);
        EXPECT_STREQ(plugin->getName(), "TempFormat");
        EXPECT_STREQ(plugin->getDescription(), "TempFormat:\nTemporary ASCII Format for development pourposes.");
        EXPECT_STREQ(plugin->getTypeName(), lumbra::pluginTable[index].typeName);
        platform::ScriptedInteraction boxes;
        plugin->about(nullptr);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, "TempFormat");
        EXPECT_EQ(boxes.boxes[0].text, index == 41 ? "TempFormat Importer\n1999" : "TempFormat Exporter\n1999");
    }
    lumbra::PluginFileImportTempFormat importer;
    lumbra::PluginFileExportTempFormat exporter;
    EXPECT_STREQ(importer.getExtension(), "sfa");
    EXPECT_STREQ(importer.getFormatName(), "TempFormat");
    EXPECT_STREQ(exporter.getExtension(), "sfa");
    EXPECT_STREQ(exporter.getFormatName(), "TempFormat");
    EXPECT_TRUE(exporter.canExport());
}

} // namespace

namespace
{

TEST_F(ModelFileRoundTrip, AnImportAnnouncesTheSelectionAndTheListsThatGrew)
{
    CountingDoc& source = world.buildEveryKind();
    world.mai.activeDocument = &source;
    ASSERT_TRUE(world.exporter.exportFile(path.c_str()));
    world.newDocument();
    ChannelLog log(world.mai, {Channel::SelectionChanging, Channel::SelectionChanged, Channel::MaterialsChanged,
                               Channel::CrossSectionsChanged, Channel::ForceDefinitionsChanged});
    ASSERT_TRUE(world.importer.import(path.c_str()));
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::ForceDefinitionsChanged,
                                                   Channel::MaterialsChanged, Channel::CrossSectionsChanged,
                                                   Channel::SelectionChanged, Channel::SelectionChanged}));

    // Everything merges the second time: no list announces a change.
    log.heard.clear();
    ASSERT_TRUE(world.importer.import(path.c_str()));
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged,
                                                   Channel::SelectionChanged}));
}

} // namespace
