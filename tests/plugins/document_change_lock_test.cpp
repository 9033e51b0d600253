// The document lock a change of the model takes, and the Abort/Retry/Ignore wait when it is held.
#include "platform/SystemValues.h"
#include "plugins/DocumentChangeLock.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "tests/support/HeldLock.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

using namespace std::chrono_literals;

TEST(DocumentLockWait, RetryWaitsAgainAndAbortOrIgnoreGiveUp)
{
    DocumentLock lock;
    HeldLock calculation(lock);

    for (int32_t answer : {platform::IDABORT, platform::IDIGNORE})
    {
        int asked = 0;
        EXPECT_FALSE(lockOrGiveUp(lock, 5ms,
                                  [&] {
                                      ++asked;
                                      return answer;
                                  }))
            << "answer " << answer;
        EXPECT_EQ(asked, 1);
    }

    int asked = 0;
    EXPECT_TRUE(lockOrGiveUp(lock, 5ms, [&] {
        if (++asked == 2)
            calculation.release = true;
        return platform::IDRETRY;
    }));
    EXPECT_GE(asked, 2);
    lock.unlock();
}

class DocumentChangeLockTest : public testing::Test
{
protected:
    // Whether another thread could take the document lock now.
    bool freeElsewhere()
    {
        bool taken = false;
        std::thread other([&] {
            taken = document.lock.try_lock();
            if (taken)
                document.lock.unlock();
        });
        other.join();
        return taken;
    }

    FakeMAI mai;
    FakeDoc document{&mai};
};

TEST_F(DocumentChangeLockTest, AFreeLockIsTakenAtOnceAndReleasedWithTheGuard)
{
    {
        DocumentChangeLock guard(&document, "Delete function\nis waiting to gain access to the database.");
        EXPECT_TRUE(guard.isLocked());
        EXPECT_FALSE(freeElsewhere());
    }
    EXPECT_TRUE(freeElsewhere());
    EXPECT_TRUE(mai.boxTexts.empty());
    EXPECT_FALSE(DocumentChangeLock(nullptr, "x").isLocked());
}

TEST_F(DocumentChangeLockTest, AHeldLockAsksWithTheWaitingTextAndOnlyRetryWaitsOn)
{
    HeldLock calculation(document.lock);
    for (int32_t answer : {platform::IDABORT, platform::IDIGNORE})
    {
        mai.boxTexts.clear();
        mai.boxAnswer = answer;
        DocumentChangeLock guard(&document, "Hide function waits", 5ms);
        EXPECT_FALSE(guard.isLocked()) << "answer " << answer;
        EXPECT_EQ(mai.boxTexts, (std::vector<std::string>{"Hide function waits"}));
    }
    calculation.release = true;
    mai.boxAnswer = platform::IDRETRY;
    DocumentChangeLock guard(&document, "Hide function waits", 5ms);
    EXPECT_TRUE(guard.isLocked()) << "retried until the holder let go";
}

TEST_F(DocumentChangeLockTest, AGrantedChangeOfTheModelMarksTheDocumentEditedUntilItIsExported)
{
    EXPECT_FALSE(document.hasUnexportedChanges()) << "a new document holds no edit";
    {
        DocumentChangeLock selecting(&document, "Select", 5ms, ChangeScope::OpenDocumentState);
        ASSERT_TRUE(selecting.isLocked());
    }
    EXPECT_FALSE(document.hasUnexportedChanges()) << "the selection is no edit of the model";
    {
        HeldLock calculation(document.lock);
        mai.boxAnswer = platform::IDABORT;
        DocumentChangeLock refused(&document, "Delete function waits", 5ms);
        ASSERT_FALSE(refused.isLocked());
    }
    EXPECT_FALSE(document.hasUnexportedChanges()) << "a change given up made no edit";
    {
        DocumentChangeLock deleting(&document, "Delete function waits");
        ASSERT_TRUE(deleting.isLocked());
    }
    EXPECT_TRUE(document.hasUnexportedChanges());
    document.markExported();
    EXPECT_FALSE(document.hasUnexportedChanges());
}

} // namespace
