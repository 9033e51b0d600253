// The dropped list of a combo box under the mouse, headless and on the X server: the item under
// the pointer is highlighted and a click chooses it, whoever held the capture before.
#include "ControlParent.h"
#include "PlatformTestApplication.h"

#include "platform/ComboBox.h"
#include "platform/qt/WindowState.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace
{

using namespace platform;

// The person drops the list, points at items (each is highlighted in turn) and clicks one: the
// item is chosen and the owner told, in a drop-list as in a combo with an edit field. The
// dropped list takes the mouse: a window that held the capture loses it.
TEST(ComboList, TheItemUnderThePointerIsHighlightedAndAClickChoosesIt)
{
    platformApplication();
    ControlParent parent;
    Window holder;
    ASSERT_TRUE(holder.create("Window", "", WS_CHILD | WS_VISIBLE, {200, 10, 260, 60}, &parent));
    struct Case
    {
        const char* what;
        std::uint32_t style;
        bool captureHeld;
    };
    const Case cases[] = {
        {"a drop-list opened with the mouse", CBS_DROPDOWNLIST, false},
        {"a field with a list opened with the mouse", CBS_DROPDOWN, false},
        {"a drop-list opened with the keys while another window holds the capture", CBS_DROPDOWNLIST, true},
        {"a field with a list opened with the keys while another window holds the capture", CBS_DROPDOWN, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ComboBox box;
        ASSERT_TRUE(box.create(WS_VISIBLE | c.style | CBS_SORT | WS_VSCROLL, {10, 10, 160, 130}, &parent, 1110));
        for (const char* text : {"Tube", "Rectangle", "HBeam"})
            box.addString(text);
        box.setCurSel(2);
        processMessages();
        parent.commandCodes.clear();
        auto* combo = static_cast<QComboBox*>(box.state()->widget);
        if (c.captureHeld)
        {
            holder.setCapture();
            QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        }
        else
            QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(Window::capture(), nullptr);
        auto centreOf = [&](int row) { return list->visualRect(list->model()->index(row, 0)).center(); };
        ASSERT_TRUE(list->viewport()->rect().contains(centreOf(2))) << "every item shows";
        for (const int row : {1, 0})
        {
            // On the X server the pointer's move comes back as an event of its own: waited for, bounded.
            QTest::mouseMove(list->viewport(), centreOf(row));
            EXPECT_TRUE(QTest::qWaitFor([&] { return list->currentIndex().row() == row; }, 2000))
                << "the item under the pointer is highlighted: row " << row;
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(0));
        processMessages();
        EXPECT_FALSE(list->isVisible()) << "the click closes the list";
        EXPECT_EQ(box.curSel(), 0);
        EXPECT_EQ(box.windowText(), "HBeam");
        EXPECT_EQ(parent.commandCodes, (std::vector<std::uint32_t>{CBN_DROPDOWN, CBN_SELCHANGE}));
    }
}

} // namespace
