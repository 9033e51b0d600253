// The size negotiation of a dialog bar, as a table: state before, query, answer and state after.
#include "platform/DialogBarLayout.h"

#include <gtest/gtest.h>

// The table of cases below keeps its hand-made layout.
// clang-format off

namespace
{

using namespace platform;

struct LayoutCase
{
    const char* what;
    std::int32_t modeFlags;
    Size docked;
    Size floating;
    std::int32_t length;
    std::uint32_t mode;
    Size answer;
    bool beep;
    bool stretch;
    Size dockedAfter;
    Size floatingAfter;
};

constexpr Size kReference{150, 350};
constexpr Size kMinimum{200, 200};
constexpr Size kMaximum{32767, 32767};

const LayoutCase kCases[] = {
    {"docked horizontally, asked to stretch: beep, full length", 0, {220, 400}, {220, 400}, 0,
     LM_HORZDOCK | LM_HORZ | LM_STRETCH, {32767, 400}, true, false, {220, 400}, {220, 400}},
    {"docked vertically, asked to stretch: beep, full height", 0, {220, 400}, {220, 400}, 0,
     LM_VERTDOCK | LM_STRETCH, {220, 32767}, true, false, {220, 400}, {220, 400}},
    {"docked: the docked size", 0, {220, 400}, {300, 500}, 0, LM_VERTDOCK, {220, 400}, false, false,
     {220, 400}, {300, 500}},
    {"docked with sizes apart and stretching: children follow", 12, {220, 400}, {300, 500}, 0, LM_VERTDOCK,
     {220, 400}, false, true, {220, 400}, {300, 500}},
    {"docked, stretching only: children stay", 8, {220, 400}, {300, 500}, 0, LM_HORZDOCK, {220, 400},
     false, false, {220, 400}, {300, 500}},
    {"docked, equal sizes: nothing to stretch", 12, {300, 500}, {300, 500}, 0, LM_VERTDOCK, {300, 500},
     false, false, {300, 500}, {300, 500}},
    {"floating, most recently used: the floating size", 12, {220, 400}, {300, 500}, 0,
     LM_MRUWIDTH, {300, 500}, false, true, {220, 400}, {300, 500}},
    {"resizing the width: both sizes follow", 0, {220, 400}, {220, 400}, 260, LM_HORZ, {260, 400}, false,
     false, {260, 400}, {260, 400}},
    {"resizing the height: both sizes follow", 0, {220, 400}, {220, 400}, 450, LM_LENGTHY, {220, 450},
     false, false, {220, 450}, {220, 450}},
    {"width below the minimum is clamped", 0, {220, 400}, {220, 400}, 50, 0, {200, 400}, false, false,
     {200, 400}, {200, 400}},
    {"height below the minimum is clamped", 0, {220, 400}, {220, 400}, -5, LM_LENGTHY, {220, 200}, false,
     false, {220, 200}, {220, 200}},
    {"fixed width ignores a new width", 2, {220, 400}, {220, 400}, 260, 0, {220, 400}, false, false, {220, 400},
     {220, 400}},
    {"fixed height ignores a new height", 1, {220, 400}, {220, 400}, 450, LM_LENGTHY, {220, 400}, false,
     false, {220, 400}, {220, 400}},
    {"fixed width still takes a new height", 2, {220, 400}, {220, 400}, 450, LM_LENGTHY, {220, 450}, false,
     false, {220, 450}, {220, 450}},
    {"docked size kept apart while resizing", 4, {220, 400}, {220, 400}, 260, 0, {260, 400}, false, false,
     {220, 400}, {260, 400}},
    {"stretching children while resizing", 8, {220, 400}, {220, 400}, 260, 0, {260, 400}, false, true, {260, 400},
     {260, 400}},
    {"the console's flags (10): width fixed, children stretch with the height", 10, {220, 400}, {220, 400}, 600,
     LM_LENGTHY, {220, 600}, false, true, {220, 600}, {220, 600}},
};

class DialogBarLayoutTable : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(DialogBarLayoutTable, AnswersAndRemembers)
{
    const LayoutCase& c = GetParam();
    DialogBarSizes sizes{c.docked, c.floating, kReference, kMinimum, kMaximum, c.modeFlags};
    const DialogBarLayout answer = calcDialogBarLayout(sizes, c.length, c.mode);
    EXPECT_EQ(answer.size, c.answer);
    EXPECT_EQ(answer.beep, c.beep);
    EXPECT_EQ(answer.stretchChildren, c.stretch);
    if (c.stretch)
    {
        EXPECT_EQ(answer.stretchFrom, kReference);
        EXPECT_EQ(answer.stretchTo, c.answer);
    }
    EXPECT_EQ(sizes.docked, c.dockedAfter);
    EXPECT_EQ(sizes.floating, c.floatingAfter);
    // A beep answers without laying anything out; every other answer becomes the reference.
    EXPECT_EQ(sizes.reference, c.beep ? kReference : c.answer);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogBarLayoutTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DialogBarLayout, MaximumBoundsTheLength)
{
    DialogBarSizes sizes{{220, 400}, {220, 400}, kReference, kMinimum, {300, 300}, 0};
    EXPECT_EQ(calcDialogBarLayout(sizes, 1000, 0).size, (Size{300, 400}));
    EXPECT_EQ(calcDialogBarLayout(sizes, 1000, LM_LENGTHY).size, (Size{300, 300}));
}

struct StretchCase
{
    Size child;
    Size reference;
    Size target;
    Size expected;
};

TEST(DialogBarLayout, StretchedChildSizes)
{
    const StretchCase cases[] = {
        {{200, 300}, {220, 400}, {260, 500}, {240, 400}},  // large child grows with the bar
        {{100, 150}, {220, 400}, {260, 500}, {100, 150}},  // children up to half keep their size
        {{110, 200}, {220, 400}, {260, 500}, {110, 200}},  // exactly half keeps its size
        {{250, 390}, {220, 400}, {240, 410}, {225, 400}},  // capped: 15 inside the width, the height
        {{200, 300}, {220, 400}, {150, 80}, {130, 0}},     // shrinking never goes below 0
    };
    for (const StretchCase& c : cases)
        EXPECT_EQ(stretchedChildSize(c.child, c.reference, c.target), c.expected)
            << c.child.width << "x" << c.child.height;
}

} // namespace
// clang-format on
