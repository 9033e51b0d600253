// The kit's cursors and holder template as the core plugin library registers them.

#include "KitTestSupport.h"

#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "platform/Cursor.h"
#include "uikit/KitCursors.h"
#include "uikit/PagetteButton.h"

#include <gtest/gtest.h>

namespace
{

TEST(KitResources, CursorsComeFromTheLibraryOnceAndStay)
{
    platformApplication();
    // Outside any library's resource context there is no cursor: the arrow shows.
    EXPECT_EQ(getCursorSelect(), nullptr);

    lumbra::registerKitResources();
    platform::ResourceModuleScope scope(lumbra::thisModule());
    platform::Cursor* (*const getters[])() = {getCursorCreateForce,       getCursorCreateJoint,
                                              getCursorCreateMemberStart, getCursorCreateMemberEnd,
                                              getCursorPagetteButton,     getCursorSelect};
    std::vector<platform::Cursor*> cursors;
    for (auto getter : getters)
    {
        platform::Cursor* cursor = getter();
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(getter(), cursor) << "the same cursor on every call";
        for (platform::Cursor* other : cursors)
            EXPECT_NE(other, cursor) << "six different cursors";
        cursors.push_back(cursor);
    }
    EXPECT_EQ(platform::loadCursor(lumbra::thisModule(), KitCursorId::CreateJoint), getCursorCreateJoint());
    const platform::CursorResource* select = platform::findCursorResource(lumbra::thisModule(), KitCursorId::Select);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->hotspotX, 0);
    EXPECT_EQ(select->pixels.size(), static_cast<size_t>(select->width * select->height));
}

TEST(KitResources, HolderTemplateIsAnEmptyChildDialog)
{
    lumbra::registerKitResources();
    const platform::DialogTemplate* holder =
        platform::findDialogTemplate(lumbra::thisModule(), CEmptyChildDialog::templateId);
    ASSERT_NE(holder, nullptr);
    EXPECT_TRUE(holder->items.empty());
    EXPECT_EQ(holder->rect.width, 144);
    EXPECT_EQ(holder->rect.height, 114);
    EXPECT_NE(holder->style & platform::WS_CHILD, 0u);
}

} // namespace
