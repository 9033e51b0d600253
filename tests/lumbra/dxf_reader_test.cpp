#include "Lumbra/ModelFiles/DxfReader.h"
#include "Lumbra/ModelFiles/TolerantPointIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace lumbra;

namespace
{

// The groups as the lines of a file: code, value, code, value ...
std::string groups(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\n";
    return text;
}

std::string entitySection(const std::string& body)
{
    return groups({"0", "SECTION", "2", "ENTITIES"}) + body + groups({"0", "ENDSEC", "0", "EOF"});
}

// ---- the tolerant point index ----

// The first point in adding order within the tolerance: what the index must answer.
uint32_t firstMatchByWalking(const std::vector<Vector3>& points, const Vector3& query)
{
    for (uint32_t index = 0; index < points.size(); ++index)
        if (withinTolerance(query, points[index]))
            return index;
    return TolerantPointIndex::none;
}

TEST(TolerantPointIndex, MatchesWithinOneBillionthAndZeroOnlyAlmostZero)
{
    struct Case
    {
        double point;
        double candidate;
        bool matches;
    };
    const Case cases[] = {
        {1.0, 1.0 + 1e-14, true},       // line ends written by different routines
        {1.0, 1.0 + 0.9e-9, true},
        {1.0, 1.0 + 1.1e-9, false},
        {-1000.0, -1000.0 - 0.9e-6, true},
        {-1000.0, -1000.0 + 1.1e-6, false},
        {0.0, 0.0, true},
        {0.0, 1e-39, true},             // below the smallest normal float
        {0.0, 1e-30, false},
        {1e-30, -1e-30, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withinTolerance(Vector3(c.point, 0, 0), Vector3(c.candidate, 0, 0)), c.matches)
            << c.point << " against " << c.candidate;
}

TEST(TolerantPointIndex, AnswersTheFirstAddedMatchAcrossCellBoundaries)
{
    // Two points on either side of the query's cell, both within the tolerance: the earlier
    // one is the answer even though the later one lies in the query's own cell.
    TolerantPointIndex index;
    const double power = std::ldexp(1.0, 20); // a binade boundary, where cells change width
    EXPECT_EQ(index.findOrAdd(Vector3(power * (1 - 0.6e-9), 1, 1)), 0u);
    EXPECT_EQ(index.findOrAdd(Vector3(power * (1 + 0.6e-9), 1, 1)), 1u);
    EXPECT_EQ(index.find(Vector3(power, 1, 1)), 0u);
    EXPECT_EQ(index.findOrAdd(Vector3(power, 1, 1)), 0u) << "a match is not added again";
    EXPECT_EQ(index.points().size(), 2u);
}

TEST(TolerantPointIndex, FindsWhatAWalkOverAllPointsFinds)
{
    // Clusters at magnitudes from almost nothing to huge, on both sides of zero and of the
    // binade boundaries, each point nudged by a little less or more than the tolerance.
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> exponent(-140, 140);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_real_distribution<double> nudge(-2e-9, 2e-9);
    std::vector<double> centres = {0.0, 1e-39, -1e-39, 3e-38, -5e-38, 1e-30, std::ldexp(1.0, -95),
                                   -std::ldexp(1.0, -95), std::ldexp(1.0, -80), -std::ldexp(1.0, -80)};
    for (int i = 0; i < 40; ++i)
        centres.push_back((i % 2 ? -1 : 1) * std::ldexp(1.0, exponent(random)));
    auto coordinate = [&] {
        const double centre = centres[random() % centres.size()];
        return pick(random) < 2 ? centre : centre * (1 + nudge(random));
    };

    TolerantPointIndex index;
    std::vector<Vector3> walked;
    for (int i = 0; i < 3000; ++i)
    {
        const Vector3 point(coordinate(), coordinate(), coordinate());
        const uint32_t expected = firstMatchByWalking(walked, point);
        ASSERT_EQ(index.find(point), expected) << "point " << i;
        if (index.findOrAdd(point) == walked.size())
            walked.push_back(point);
    }
    EXPECT_EQ(index.points().size(), walked.size());
}

TEST(TolerantPointIndex, SpreadsPointsNearTheOriginOverCellsAsElsewhere)
{
    // Points that match only within the absolute part of the tolerance (about 1e-38) must not
    // crowd into one cell, or every lookup compares with all of them.
    for (const double step : {1e-37, 1e-33, 1e-28, 1e-3})
    {
        TolerantPointIndex index;
        for (int i = 0; i < 1000; ++i)
            index.findOrAdd(Vector3(i * step, (i % 7) * step, 0.0));
        EXPECT_EQ(index.points().size(), 1000u) << step;
        EXPECT_GE(index.cellCount(), 500u) << step;
    }
}

// ---- reading ----

struct ReadCase
{
    const char* what;
    std::string text;
    size_t joints;
    size_t members;
    std::string message; // the summary, or the error when the reading fails
    bool ok = true;
};

class DxfReadCases : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(DxfReadCases, GivesTheModelAndTheMessageExpected)
{
    const ReadCase& c = GetParam();
    const DxfReading reading = readDxf(c.text);
    ASSERT_EQ(reading.ok, c.ok) << reading.error;
    if (!c.ok)
    {
        EXPECT_EQ(reading.error, c.message);
        return;
    }
    EXPECT_EQ(reading.drawing.model.joints.size(), c.joints);
    EXPECT_EQ(reading.drawing.model.members.size(), c.members);
    EXPECT_EQ(describeDxfDrawing(reading.drawing), c.message);
}

const std::string lineA = groups({"0", "LINE", "10", "1", "20", "2", "30", "3", "11", "4", "21", "5", "31", "6"});

INSTANTIATE_TEST_SUITE_P(
    Texts, DxfReadCases,
    ::testing::Values(
        ReadCase{"keywords in any case", groups({"0", "section", "2", "entities", "0", "line", "11", "1", "0", "endsec"}),
                 2, 1, "linecount 1"},
        ReadCase{"blank lines and padded code lines", "\n  0\nSECTION\n\n  2\nENTITIES\n" + lineA + "  0\nENDSEC\n",
                 2, 1, "linecount 1"},
        ReadCase{"a byte order mark before the first line", "\xEF\xBB\xBF" + entitySection(lineA), 2, 1,
                 "linecount 1"},
        ReadCase{"other sections skipped",
                 groups({"0", "SECTION", "2", "BLOCKS", "0", "LINE", "11", "9", "0", "ENDSEC"}) + entitySection(lineA),
                 2, 1, "linecount 1"},
        ReadCase{"stray groups between entities", entitySection(groups({"5", "FF"}) + lineA), 2, 1, "linecount 1"},
        ReadCase{"a value with a trailing blank is no keyword",
                 groups({"0", "SECTION", "2", "ENTITIES", "0", "LINE ", "11", "1", "0", "ENDSEC"}), 0, 0,
                 "Nothing was imported: the drawing holds no LINE or LWPOLYLINE segment between two points.\n"
                 "Not read: 1 LINE "},
        ReadCase{"a polyline's vertices and sub-entities of heavy polylines",
                 entitySection(groups({"0", "POLYLINE", "66", "1", "0", "VERTEX", "10", "1", "0", "VERTEX", "10",
                                       "2", "0", "SEQEND", "0", "ARC", "0", "ARC"}) +
                               lineA),
                 2, 1, "linecount 1\nNot read: 1 POLYLINE, 2 ARC"},
        ReadCase{"many kinds of entities summed up",
                 entitySection(groups({"0", "A", "0", "B", "0", "C", "0", "D", "0", "E", "0", "F", "0", "G", "0", "H",
                                       "0", "I", "0", "J", "0", "K", "0", "L", "0", "M", "0", "N", "0", "N"}) +
                               lineA),
                 2, 1,
                 "linecount 1\nNot read: 1 A, 1 B, 1 C, 1 D, 1 E, 1 F, 1 G, 1 H, 1 I, 1 J, 1 K, 1 L, "
                 "3 other entities"},
        ReadCase{"a code line with trailing text",
                 groups({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "12abc", "1"}), 0, 0,
                 "Can not determine integer value of 12abc\n(line 7)", false},
        ReadCase{"a code line that is no number", groups({"0", "SECTION", "2", "ENTITIES", "zero", "LINE"}), 0, 0,
                 "Can not determine integer value of zero\n(line 5)", false},
        ReadCase{"no entity section", groups({"0", "SECTION", "2", "HEADER", "0", "ENDSEC", "0", "EOF"}), 0, 0,
                 "The file has no ENTITIES section\n(line 7)", false},
        ReadCase{"a flag value that is no integer",
                 entitySection(groups({"0", "LWPOLYLINE", "90", "2", "70", "one", "10", "0", "10", "1"})), 0, 0,
                 "Can not determine integer value of one\n(line 10)", false},
        ReadCase{"a polyline that ends before its first vertex",
                 entitySection(groups({"0", "LWPOLYLINE", "100", "AcDbPolyline", "90", "2"})), 0, 0,
                 "ENDSEC\nUnexpected Entity Type code [0]\n(line 11)", false},
        ReadCase{"a polyline without vertex count",
                 entitySection(groups({"0", "LWPOLYLINE", "10", "0", "10", "1"})), 0, 0,
                 "LWPOLYLINE without 90:\"Number of Vertices\" specified\n(line 5)", false},
        ReadCase{"a zero extrusion",
                 entitySection(groups({"0", "LWPOLYLINE", "90", "2", "10", "0", "10", "1", "210", "0", "220", "0",
                                       "230", "0"})),
                 0, 0, "LWPOLYLINE with an extrusion direction of length 0\n(line 5)", false},
        ReadCase{"a vertex beyond the largest double once turned",
                 entitySection(groups({"0", "LWPOLYLINE", "90", "2", "38", "1.7e308", "10", "0", "20", "1.7e308", "10",
                                       "0", "210", "0", "220", "1", "230", "1"})),
                 0, 0, "LWPOLYLINE with a vertex out of range\n(line 5)", false},
        ReadCase{"an infinite value", entitySection(groups({"0", "LINE", "10", "inf"})), 0, 0,
                 "Number out of range: inf\n(line 8)", false},
        ReadCase{"a value that is not a number", entitySection(groups({"0", "LINE", "10", "-nan"})), 0, 0,
                 "Not a number: -nan\n(line 8)", false},
        ReadCase{"a value too large with text after it", entitySection(groups({"0", "LINE", "10", "1e400m"})), 0, 0,
                 "Can not determine real value of 1e400m\n(line 8)", false},
        ReadCase{"polylines with more vertices than declared",
                 entitySection(groups({"0", "LWPOLYLINE", "90", "2", "10", "0", "10", "1", "10", "2", "10", "3", "0",
                                       "LWPOLYLINE", "90", "2", "10", "5", "10", "6", "10", "7"})),
                 4, 2,
                 "linecount 2\n2 LWPOLYLINEs hold more vertices than declared: 3 vertices beyond the count not read"},
        ReadCase{"a value too small for a double is 0",
                 entitySection(groups({"0", "LINE", "10", "1e-400", "11", "-1e-400", "21", "1"})), 2, 1,
                 "linecount 1"},
        ReadCase{"a value with two signs", entitySection(groups({"0", "LINE", "10", "+-1"})), 0, 0,
                 "Can not determine real value of +-1\n(line 8)", false},
        ReadCase{"a value with text after the number", entitySection(groups({"0", "LINE", "10", "1.5m"})), 0, 0,
                 "Can not determine real value of 1.5m\n(line 8)", false},
        ReadCase{"the binary form", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), 0, 0,
                 "This is a DXF file in binary form; only DXF files in text form can be read.\n(line 1)", false}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
        std::string name;
        for (const char* c = info.param.what; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(DxfReader, PolylineVerticesFollowTheArbitraryAxisRuleWithTheFileY)
{
    // Extrusion +X with elevation 5: the vertex (2, 3) lies at (5, 2, 3); the unit length of N
    // does not matter.
    const DxfReading reading = readDxf(entitySection(groups({"0", "LWPOLYLINE", "90", "2", "38", "5", "10", "2",
                                                             "20", "3", "10", "2", "20", "4", "210", "7", "220",
                                                             "0", "230", "0"})));
    ASSERT_TRUE(reading.ok) << reading.error;
    const std::vector<Vector3>& joints = reading.drawing.model.joints;
    ASSERT_EQ(joints.size(), 2u);
    EXPECT_DOUBLE_EQ(joints[0].x, 5);
    EXPECT_DOUBLE_EQ(joints[0].y, 2);
    EXPECT_DOUBLE_EQ(joints[0].z, 3);
    EXPECT_DOUBLE_EQ(joints[1].z, 4);
}

TEST(DxfReader, LineEndsAndVerticesShareTheFirstJointWithinTheTolerance)
{
    // The polyline's first vertex is 1e-14 off the LINE's end; the LINE back ends on the LINE's start.
    const DxfReading reading = readDxf(entitySection(
        groups({"0", "LINE", "10", "0", "20", "0", "30", "0", "11", "1", "21", "0", "31", "0"}) +
        groups({"0", "LWPOLYLINE", "90", "2", "10", "1.00000000000001", "20", "0", "10", "1", "20", "1"}) +
        groups({"0", "LINE", "10", "1", "20", "1", "30", "0", "11", "0", "21", "1e-40", "31", "0"})));
    ASSERT_TRUE(reading.ok) << reading.error;
    const ModelFragment& model = reading.drawing.model;
    ASSERT_EQ(model.joints.size(), 3u);
    ASSERT_EQ(model.members.size(), 3u);
    EXPECT_EQ(model.members[1].start, model.members[0].end);
    EXPECT_EQ(model.members[2].start, model.members[1].end);
    EXPECT_EQ(model.members[2].end, model.members[0].start);
    EXPECT_DOUBLE_EQ(model.joints[1].x, 1.0) << "the joint stays where it was first made";
}

TEST(DxfReader, AVertexCountBeyondTheVerticesReadsNoOtherEntityAndAllocatesNothingForIt)
{
    const DxfReading reading = readDxf(entitySection(
        groups({"0", "LWPOLYLINE", "90", "2000000000", "10", "0", "20", "0", "10", "1", "20", "0"}) +
        groups({"0", "LWPOLYLINE", "90", "3", "10", "0", "20", "5", "10", "1", "20", "5", "10", "2", "20", "5",
                "10", "3", "20", "5"}) +
        lineA));
    ASSERT_TRUE(reading.ok) << reading.error;
    EXPECT_EQ(reading.drawing.model.members.size(), 4u) << "1 + 2 (the fourth vertex beyond 3 is not read) + 1";
    EXPECT_EQ(reading.drawing.shortPolylines, 1u);
}

TEST(DxfReader, LooksLikeDxfAfterCommentsOrInBinaryForm)
{
    struct Case
    {
        std::string text;
        bool dxf;
    };
    const Case cases[] = {
        {" 0 \r\nSECTION\r\n", true},
        {"\xEF\xBB\xBF" "0\nSECTION\n", true},
        {"999\ncomment\n999\n\n0\nsection\n", true},
        {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), true},
        {"0\nLINE\n", false},
        {"0\n", false},
        {"", false},
        {"Quorl2 TempASCII\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeDxf(c.text), c.dxf) << c.text;
}

} // namespace
