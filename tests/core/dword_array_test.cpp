#include "VornData/generalException.h"
#include "dwordarraymanager/DWordArrayHandle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr uint32_t header = DWordArrayEntry::HEADERSIZE;

// Each test gets its own store, installed as the module's store for the handles' reallocate.
class DWordArrayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        previous = DWordArrayManager::instance();
        DWordArrayManager::setInstance(&store);
    }
    void TearDown() override { DWordArrayManager::setInstance(previous); }

    // Fills an array with doubles so that a move that loses words or alignment shows.
    static void fillDoubles(DWordArrayHandle& handle, double seed)
    {
        const uint32_t doubles = handle.getLength() / 2;
        for (uint32_t i = 0; i < doubles; ++i)
        {
            double value = seed + i;
            std::memcpy(handle.getData() + 2 * i, &value, sizeof value);
        }
    }
    static bool holdsDoubles(const DWordArrayHandle& handle, double seed)
    {
        const uint32_t doubles = handle.getLength() / 2;
        for (uint32_t i = 0; i < doubles; ++i)
        {
            double value;
            std::memcpy(&value, handle.getData() + 2 * i, sizeof value);
            if (value != seed + i)
                return false;
        }
        return true;
    }

    DWordArrayManager* previous = nullptr;
    DWordArrayManager store;
};

struct ModuleStoreInstalled
{
    ModuleStoreInstalled() { DWordArrayManager::initiate(); }
};
const ModuleStoreInstalled moduleStoreInstalled;

TEST(DWordArrayModuleStore, InitiateCreatesOnceAndSetInstanceSharesAnotherStore)
{
    DWordArrayManager* own = DWordArrayManager::initiate();
    EXPECT_EQ(own, DWordArrayManager::initiate());
    EXPECT_EQ(own, DWordArrayManager::instance());

    DWordArrayManager hosts;
    DWordArrayManager::setInstance(&hosts);
    DWordArrayHandle handle;
    handle.reallocate(3);
    EXPECT_EQ(hosts.getEntryCount(), 1u);
    EXPECT_EQ(own->getEntryCount(), 0u);
    handle.free();
    DWordArrayManager::setInstance(own);
}

TEST_F(DWordArrayTest, ReallocateKeepsAnEntryOfTheSameLengthAndReplacesOtherwise)
{
    DWordArrayHandle handle;
    EXPECT_TRUE(handle.isEmpty());
    EXPECT_EQ(handle.getData(), nullptr);
    EXPECT_EQ(handle.getLength(), 0u);

    handle.reallocate(10);
    ASSERT_EQ(handle.getLength(), 10u);
    for (uint32_t i = 0; i < 10; ++i)
        handle.getData()[i] = 100 + i;
    DWordArrayEntry* first = handle.getEntry();

    handle.reallocate(10);
    EXPECT_EQ(handle.getEntry(), first);
    EXPECT_EQ(handle.getData()[9], 109u);

    handle.reallocate(12);
    EXPECT_EQ(handle.getLength(), 12u);
    EXPECT_EQ(store.getEntryCount(), 1u);
    EXPECT_EQ(store.getUsed(), header + 12);

    handle.reallocate(0);
    EXPECT_TRUE(handle.isEmpty());
    EXPECT_EQ(store.getEntryCount(), 0u);
    EXPECT_EQ(store.getUsed(), 0u);
}

TEST_F(DWordArrayTest, RemovingTheFirstOfThreeMovesTheOthersDownAndTheirHandlesFollow)
{
    DWordArrayHandle a, b, c;
    a.reallocate(8);
    b.reallocate(6);
    c.reallocate(4);
    fillDoubles(b, 2.5);
    fillDoubles(c, -7.0);

    a.free();
    ASSERT_EQ(b.getEntry()->offset, 0u);
    EXPECT_EQ(c.getEntry()->offset, 6 + header);
    EXPECT_TRUE(holdsDoubles(b, 2.5));
    EXPECT_TRUE(holdsDoubles(c, -7.0));
    EXPECT_EQ(b.getEntry()->owner, &b);
    EXPECT_EQ(store.getUsed(), 6 + header + 4 + header);
    EXPECT_EQ(store.getEntryCount(), 2u);
}

TEST_F(DWordArrayTest, DataStaysEightByteAlignedThroughMoves)
{
    // Odd and even lengths mixed: an odd length takes a padding word so the next entry stays aligned.
    const uint32_t lengths[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89};
    std::vector<std::unique_ptr<DWordArrayHandle>> handles;
    for (uint32_t length : lengths)
    {
        handles.push_back(std::make_unique<DWordArrayHandle>());
        handles.back()->reallocate(length);
        fillDoubles(*handles.back(), length * 10.0);
    }
    for (size_t removed : {0u, 4u, 2u, 8u})
    {
        handles[removed]->free();
        for (size_t i = 0; i < handles.size(); ++i)
        {
            if (handles[i]->isEmpty())
                continue;
            EXPECT_EQ(reinterpret_cast<uintptr_t>(handles[i]->getData()) % 8, 0u) << "length " << lengths[i];
            EXPECT_TRUE(holdsDoubles(*handles[i], lengths[i] * 10.0)) << "length " << lengths[i];
        }
    }
}

TEST_F(DWordArrayTest, AnEmptiedBlockStaysAsTheOnlySpare)
{
    // Two entries that cannot share a block.
    DWordArrayHandle big1, big2;
    big1.reallocate(40000);
    big2.reallocate(40000);
    ASSERT_EQ(store.getBlockCount(), 2u);
    EXPECT_EQ(store.getCapacity(), 2u * 0x10000);

    big2.free();
    EXPECT_EQ(store.getBlockCount(), 2u) << "the emptied block is the spare";
    big1.free();
    EXPECT_EQ(store.getBlockCount(), 1u) << "a second empty block is freed";
    EXPECT_EQ(store.getCapacity(), 0x10000u);
    EXPECT_EQ(store.getUsed(), 0u);

    big1.reallocate(40000);
    EXPECT_EQ(store.getBlockCount(), 1u) << "the spare is reused";
}

TEST_F(DWordArrayTest, LengthLimitIsCheckedAndLeavesTheHandleAsItWas)
{
    DWordArrayHandle handle;
    handle.reallocate(DWordArrayManager::MAXLENGTH);
    EXPECT_EQ(handle.getLength(), DWordArrayManager::MAXLENGTH);
    EXPECT_EQ(store.getBlockCount(), 1u);

    handle.reallocate(5);
    handle.getData()[4] = 42;
    try
    {
        handle.reallocate(DWordArrayManager::MAXLENGTH + 1);
        FAIL() << "an oversize array must be refused";
    }
    catch (const generalException& e)
    {
        EXPECT_STREQ(e.message, "Internal Error");
        EXPECT_STREQ(e.where, "DWordArrayManager::createEntryOfLength");
    }
    EXPECT_EQ(handle.getLength(), 5u);
    EXPECT_EQ(handle.getData()[4], 42u);
}

TEST_F(DWordArrayTest, HandleOwnershipFollowsMovesAndEndsWithTheHandle)
{
    DWordArrayHandle before;
    before.reallocate(4);
    {
        DWordArrayHandle scoped;
        scoped.reallocate(7);
        EXPECT_EQ(store.getEntryCount(), 2u);
    }
    EXPECT_EQ(store.getEntryCount(), 1u) << "a destroyed handle frees its entry";

    DWordArrayHandle from, to, after;
    from.reallocate(6);
    fillDoubles(from, 1.0);
    after.reallocate(2);
    to.reallocate(3);
    from.moveTo(to);
    EXPECT_TRUE(from.isEmpty());
    EXPECT_EQ(to.getLength(), 6u);
    EXPECT_EQ(store.getEntryCount(), 3u) << "the target's own entry was freed";

    before.free(); // moves the taken-over entry down; the new owner must follow
    EXPECT_EQ(to.getEntry()->offset, 0u);
    EXPECT_TRUE(holdsDoubles(to, 1.0));
    EXPECT_EQ(after.getLength(), 2u);
}

TEST(DWordArrayStoreLifetime, DestroyingTheStoreEmptiesItsHandles)
{
    DWordArrayHandle handle;
    {
        DWordArrayManager store;
        store.createEntryOfLength(5, &handle);
        store.createEntryOfLength(5, nullptr);
        EXPECT_EQ(store.getEntryCount(), 1u);
    }
    EXPECT_TRUE(handle.isEmpty());
}
} // namespace
