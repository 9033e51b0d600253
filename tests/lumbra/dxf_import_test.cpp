#include "Lumbra/ModelFiles/PluginFileImportDXF.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <future>
#include <memory>

using namespace lumbra;

namespace
{

std::string fixture(const std::string& name)
{
    return std::string(VORN_TEST_SOURCE_DIR) + "/dxf/" + name;
}

// What a failed import must leave as it was.
struct ModelState
{
    uint32_t joints;
    uint32_t members;
    uint32_t selections;
    std::vector<uint32_t> words; // colour-and-flags of J1, J2, M1
    VornSelection* current;
    bool operator==(const ModelState&) const = default;
};

class DxfImport : public LumbraCommandTest
{
protected:
    DxfImport() { adopt(importer); }

    ModelState state()
    {
        VornSelection* current = doc.document.getSelection(); // made when there is none
        return {model.joints->getCount(),
                model.members->getCount(),
                model.selections->getCount(),
                {object("J1")->colorAndFlags, object("J2")->colorAndFlags, object("M1")->colorAndFlags},
                current};
    }

    VornJoint& joint(uint32_t index) { return (*model.joints)[index]; }
    VornMember& member(uint32_t index) { return (*model.members)[index]; }

    PluginFileImportDXF importer;
};

// ---- the fixtures ----

struct FixtureCase
{
    const char* file;
    bool imported;
    uint32_t joints; // added
    uint32_t members; // added
    std::string message;
};

class DxfImportFixtures : public DxfImport, public ::testing::WithParamInterface<FixtureCase>
{
};

TEST_P(DxfImportFixtures, AddsTheModelExpectedOrChangesNothingAndSaysWhy)
{
    const FixtureCase& c = GetParam();
    select({"J1", "M1"});
    const ModelState before = state();
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});

    ASSERT_TRUE(importer.canImport(fixture(c.file).c_str()));
    EXPECT_EQ(importer.import(fixture(c.file).c_str()), c.imported);

    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, c.message);
    if (!c.imported)
    {
        EXPECT_EQ(mai.boxes[0].caption, "Error PluginFileImportDXF");
        EXPECT_EQ(mai.boxes[0].type, platform::MB_OK | platform::MB_ICONWARNING);
        EXPECT_EQ(state(), before) << "a failed import changes nothing";
        EXPECT_TRUE(log.heard.empty());
        return;
    }
    EXPECT_EQ(mai.boxes[0].caption, "Drawing Exchange Format");
    EXPECT_EQ(mai.boxes[0].type, platform::MB_OK | platform::MB_ICONINFORMATION);
    if (c.members == 0)
    {
        EXPECT_EQ(state(), before) << "a drawing with nothing to import changes nothing";
        EXPECT_TRUE(log.heard.empty());
        return;
    }
    EXPECT_EQ(model.joints->getCount(), before.joints + c.joints);
    EXPECT_EQ(model.members->getCount(), before.members + c.members);
    // The selection left, then the import's selection made current.
    EXPECT_EQ(
        log.heard,
        (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged, Channel::SelectionChanged}));
    VornSelection* selection = doc.document.getSelection();
    EXPECT_STREQ(selection->name.getString(), c.file);
    EXPECT_TRUE(selection->isNamed());
    uint32_t inSelection = 0;
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        EXPECT_TRUE(VornSelection::objectOf(link)->isSelected());
        ++inSelection;
    }
    EXPECT_EQ(inSelection, c.joints + c.members);
    EXPECT_FALSE(object("J1")->isSelected()) << "the objects selected before lose their marks";
}

const std::string binaryRefusal =
    "This is a DXF file in binary form; only DXF files in text form can be read.\n(line 1)";

INSTANTIATE_TEST_SUITE_P(
    Files, DxfImportFixtures,
    ::testing::Values(
        FixtureCase{"lines_near_shared.dxf", true, 3, 2, "linecount 2\nNot read: 1 CIRCLE"},
        FixtureCase{"lwpolyline_open_bulges.dxf", true, 4, 3, "linecount 3"},
        FixtureCase{"closed_and_degenerate.dxf", true, 9, 8,
                    "linecount 8\n2 segments skipped (both ends on one joint, or closing a polyline onto its only "
                    "member)"},
        FixtureCase{"comments_crlf.dxf", true, 2, 1, "linecount 1"},
        FixtureCase{"tilted_extrusion.dxf", true, 6, 3, "linecount 3"},
        FixtureCase{"missing_eof.dxf", true, 2, 1, "linecount 1"},
        FixtureCase{"huge_vertex_count.dxf", true, 5, 3,
                    "linecount 3\n1 LWPOLYLINE holds fewer vertices than declared"},
        FixtureCase{"ezdxf_r12.dxf", true, 5, 5, "linecount 5\nNot read: 2 POLYLINE, 1 CIRCLE, 1 INSERT"},
        FixtureCase{"ezdxf_r2018.dxf", true, 13, 10, "linecount 10\nNot read: 1 POLYLINE, 1 CIRCLE, 1 TEXT, 1 INSERT"},
        FixtureCase{"ezdxf_r12_polylines.dxf", true, 0, 0,
                    "Nothing was imported: the drawing holds no LINE or LWPOLYLINE segment between two points.\n"
                    "Not read: 2 POLYLINE"},
        FixtureCase{"no_entities.dxf", true, 0, 0,
                    "Nothing was imported: the drawing holds no LINE or LWPOLYLINE segment between two points."},
        FixtureCase{"missing_endsec.dxf", false, 0, 0, "Unexpected End Of File\n(after line 20)"},
        FixtureCase{"truncated_group.dxf", false, 0, 0, "Unexpected End Of File\n(after line 21)"},
        FixtureCase{"vertex_count_one.dxf", false, 0, 0,
                    "Illegal Polyline [Number of Vertices specified: 1]\n(line 32)"},
        FixtureCase{"number_overflow.dxf", false, 0, 0, "Number out of range: 1e400\n(line 12)"},
        FixtureCase{"number_not_numeric.dxf", false, 0, 0, "Can not determine real value of abc\n(line 16)"},
        FixtureCase{"binary_form.dxf", false, 0, 0, binaryRefusal}),
    [](const ::testing::TestParamInfo<FixtureCase>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST_F(DxfImport, JointsLieWhereTheDrawingPutsThemAndAreMadeAsTheImportMakesThem)
{
    ASSERT_TRUE(importer.import(fixture("tilted_extrusion.dxf").c_str()));

    // Extrusion +X, elevation 5: (2, 3) lies at (5, 2, 3). Extrusion -Z (length 2), elevation 1:
    // (1, 1) lies at (-1, 1, -1). Extrusion (0.6, 0, 0.8), elevation 3: (1, 2) lies at (0.2, 1, 3.6).
    const double expected[][3] = {{5, 2, 3}, {5, 4, 3}, {-1, 1, -1}, {-2, 1, -1}, {0.2, 1, 3.6}, {1.8, 0, 2.4}};
    for (uint32_t index = 0; index < 6; ++index)
    {
        VornJoint& made = joint(3 + index);
        EXPECT_NEAR(made.getPosition().x, expected[index][0], 1e-12) << index;
        EXPECT_NEAR(made.getPosition().y, expected[index][1], 1e-12) << index;
        EXPECT_NEAR(made.getPosition().z, expected[index][2], 1e-12) << index;
        EXPECT_EQ(made.getCreationCoordinate().z, made.getPosition().z);
        EXPECT_EQ(made.getUnmodifiedPosition().z, made.getPosition().z);
        EXPECT_EQ(made.getModifiedPosition().z, made.getPosition().z);
        EXPECT_EQ(made.getColor(), 0xFF0000u);
        EXPECT_EQ(made.supportFlags, 0);
        EXPECT_FALSE(made.hasFlagBits(0x40));
    }
    // Names continue the counts of the lists (three joints and two members were there).
    EXPECT_STREQ(joint(3).name.getString(), "j4");
    EXPECT_STREQ(joint(8).name.getString(), "j9");
    EXPECT_STREQ(member(2).name.getString(), "m0003");
    EXPECT_EQ(member(2).getStartJoint(), &joint(3));
    EXPECT_EQ(member(2).getEndJoint(), &joint(4));
    EXPECT_EQ(member(2).getColor(), 0xFF0000u);
}

TEST_F(DxfImport, NeverReusesJointsThatWereThereAndTwoImportsMakeEverythingTwice)
{
    // lwpolyline_open_bulges.dxf starts at (0, 0, 2); J1 stands at (0, 0, 0), so put one there too.
    model.addJoint("J4", 0, 0, 2);
    ASSERT_TRUE(importer.import(fixture("lwpolyline_open_bulges.dxf").c_str()));
    ASSERT_TRUE(importer.import(fixture("lwpolyline_open_bulges.dxf").c_str()));

    EXPECT_EQ(model.joints->getCount(), 4u + 8u);
    EXPECT_EQ(model.members->getCount(), 2u + 6u);
    EXPECT_STREQ(joint(8).name.getString(), "j9");
    EXPECT_EQ(model.selections->getCount(), 2u) << "two named import selections";
}

TEST_F(DxfImport, MembersGetTheCreationCrossSectionAndMaterial)
{
    VornCrossSection* section = model.crossSections->add();
    VornMaterial* material = model.materials->add();
    doc.creationCrossSection.set(section);
    doc.creationMaterial.set(material);

    ASSERT_TRUE(importer.import(fixture("missing_eof.dxf").c_str()));

    EXPECT_EQ(member(2).getCrossSection(), section);
    EXPECT_EQ(member(2).getMaterial(), material);
}

TEST_F(DxfImport, WaitsForARunningCalculationAndChangesNothingWhenTheUserGivesUp)
{
    importer.lockTimeout = std::chrono::milliseconds(5);
    const ModelState before = state();
    {
        HeldLock calculation(doc.lock);
        mai.answers = {platform::IDABORT};
        EXPECT_FALSE(importer.import(fixture("missing_eof.dxf").c_str()));
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(mai.boxes[0].type & platform::MB_TYPEMASK, platform::MB_ABORTRETRYIGNORE);
    EXPECT_EQ(state(), before);

    // Retry waits again; once the calculation lets go the import goes through.
    mai.boxes.clear();
    auto calculation = std::make_unique<HeldLock>(doc.lock);
    mai.answers = {platform::IDRETRY};
    mai.onBox = [&] {
        if (mai.boxes.size() == 1)
            calculation.reset();
    };
    EXPECT_TRUE(importer.import(fixture("missing_eof.dxf").c_str()));
    EXPECT_EQ(model.joints->getCount(), before.joints + 2);
}

TEST_F(DxfImport, TheSelectionIsAnnouncedUnderTheLockAndTheSummaryShownAfterIt)
{
    auto lockIsFree = [this] {
        return std::async(std::launch::async,
                          [this] {
                              const bool free = doc.lock.try_lock();
                              if (free)
                                  doc.lock.unlock();
                              return free;
                          })
            .get();
    };
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    log.probe = [&] { return lockIsFree() ? 1 : 0; };
    bool freeAtTheBox = false;
    mai.onBox = [&] { freeAtTheBox = lockIsFree(); };

    ASSERT_TRUE(importer.import(fixture("missing_eof.dxf").c_str()));

    // As every import's selection does: "PRESL", then "SELCH" for the selection left and for the
    // import's selection made current, all within the change.
    EXPECT_EQ(log.probes, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(freeAtTheBox) << "a box waits for the user: a calculation must not wait with it";
}

TEST_F(DxfImport, RefusesWithoutDocumentOrFileAndRecognisesDxfFiles)
{
    mai.activeDocument = nullptr;
    EXPECT_FALSE(importer.import(fixture("missing_eof.dxf").c_str()));
    CountingDoc withoutWorld(&mai); // never reset: no root group
    mai.activeDocument = &withoutWorld;
    EXPECT_FALSE(importer.import(fixture("missing_eof.dxf").c_str()));
    mai.activeDocument = &doc;
    EXPECT_FALSE(importer.import(fixture("no_such_file.dxf").c_str()));
    ASSERT_EQ(mai.boxes.size(), 3u);
    EXPECT_EQ(mai.boxes[0].text, "No active document");
    EXPECT_EQ(mai.boxes[1].text, "Can't retrieve WorldGroup");
    EXPECT_EQ(mai.boxes[1].caption, "DXF Import Error");
    EXPECT_EQ(mai.boxes[2].text, "Failed to open file \"" + fixture("no_such_file.dxf") + "\"");
    EXPECT_EQ(mai.boxes[2].caption, "Error PluginFileImportDXF");

    EXPECT_FALSE(importer.canImport(fixture("make_ezdxf_fixtures.py").c_str()));
    EXPECT_FALSE(importer.canImport(fixture("no_such_file.dxf").c_str()));
    EXPECT_TRUE(importer.canImport(fixture("comments_crlf.dxf").c_str())) << "a file may begin with comments";
    EXPECT_EQ(model.joints->getCount(), 3u);
}

TEST(DxfImportPlugin, NamesItselfAndSitsAtItsPlaceInTheTable)
{
    PluginFileImportDXF importer;
    EXPECT_STREQ(importer.getName(), "Drawing Exchange Format");
    EXPECT_STREQ(importer.getFormatName(), "Drawing Exchange Format");
    EXPECT_STREQ(importer.getDescription(), "Drawing Exchange Format:\nDrawing Exchange Format.");
    EXPECT_STREQ(importer.getExtension(), "dxf");
    EXPECT_STREQ(importer.getTypeName(), "File Import");
}

} // namespace
