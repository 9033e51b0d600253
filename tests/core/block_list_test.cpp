#include "BlockLists/BlockList.h"
#include "BlockLists/BlockListGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// Values of the elements released, in order, by every list of the tests.
std::vector<int32_t> releasedValues;

struct Record
{
    int32_t value = -1;
    void setDefaults() { value = 0; }
    void release() { releasedValues.push_back(value); }
    void copyTo(Record* other) const { other->value = value; }
};
struct SmallBlockRecord : Record
{
    static constexpr uint32_t itemsPerBlock = 128;
};
struct LargeBlockRecord : Record
{
    static constexpr uint32_t itemsPerBlock = 1024;
};
// A plain record without element operations: reset by assignment, moved by copy.
struct Shadow
{
    double value;
};

// An element whose release removes another element of the same list (as an emptied group ends
// itself): the element holding `partner`, when there is one.
struct Chained
{
    int32_t value = 0;
    int32_t partner = -1;
    void setDefaults() { value = 0, partner = -1; }
    void release()
    {
        releasedValues.push_back(value);
        BlockList<Chained>* list = BlockList<Chained>::listOf(this);
        for (uint32_t i = 0; i < list->getCount(); ++i)
        {
            if ((*list)[i].value == partner && partner >= 0)
                list->remove(&(*list)[i]);
        }
    }
    void copyTo(Chained* other) const { *other = *this; }
};

template <class T>
void fill(BlockList<T>& list, int32_t elements)
{
    for (int32_t i = 0; i < elements; ++i)
        list.add()->value = i;
}

template <class T>
std::vector<int32_t> valuesOf(BlockList<T>& list)
{
    std::vector<int32_t> values;
    for (uint32_t i = 0; i < list.getCount(); ++i)
        values.push_back(static_cast<int32_t>(list[i].value));
    return values;
}

class BlockListTest : public testing::Test
{
protected:
    void SetUp() override { releasedValues.clear(); }
};

TEST_F(BlockListTest, AddAllocatesBlocksOnDemandAndIndexesFollowSlots)
{
    BlockList<Record> list("Records");
    EXPECT_EQ(list.getBlockCount(), 0u);
    Record* first = list.add();
    EXPECT_EQ(first->value, 0) << "setDefaults ran";
    EXPECT_EQ(list.getBlockCount(), 1u);
    EXPECT_EQ(BlockList<Record>::getIndex(first), 0u);

    for (int32_t i = 1; i < 256; ++i)
        list.add()->value = i;
    Record* overflow = list.add();
    EXPECT_EQ(list.getBlockCount(), 2u);
    EXPECT_EQ(list.getCapacity(), 512u);
    EXPECT_EQ(list.getIndex(overflow), 256u);
    EXPECT_EQ(&list[256], overflow);
    EXPECT_EQ(BlockList<Record>::listOf(overflow), &list);
    EXPECT_EQ(BlockList<Record>::listOf(&list[255]), &list);
    EXPECT_EQ(BlockList<Record>::listOf(first), &list);
}

struct HoleCase
{
    int32_t size;
    uint32_t removed;
    std::vector<int32_t> expected;
};

TEST_F(BlockListTest, RemovalFillsTheHoleWithTheLastElement)
{
    const HoleCase cases[] = {
        {10, 3, {0, 1, 2, 9, 4, 5, 6, 7, 8}},
        {10, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {10, 0, {9, 1, 2, 3, 4, 5, 6, 7, 8}},
        {1, 0, {}},
        {300, 3, {}}, // across blocks: element 299 (block 1) moves into slot 3 (block 0)
    };
    for (const HoleCase& c : cases)
    {
        SCOPED_TRACE("size " + std::to_string(c.size) + ", removed " + std::to_string(c.removed));
        BlockList<Record> list("Records");
        fill(list, c.size);
        list.remove(&list[c.removed]);
        EXPECT_EQ(list.getCount(), static_cast<uint32_t>(c.size - 1));
        if (!c.expected.empty())
        {
            EXPECT_EQ(valuesOf(list), c.expected);
        }
        if (c.removed < list.getCount())
        {
            EXPECT_EQ(list[c.removed].value, c.size - 1);
            EXPECT_EQ(list.getIndex(&list[c.removed]), c.removed);
        }
        EXPECT_EQ(releasedValues, std::vector<int32_t>{static_cast<int32_t>(c.removed)});
        releasedValues.clear();
    }
}

TEST_F(BlockListTest, IndexOutOfRangeThrows)
{
    BlockList<Record> list("Records");
    fill(list, 3);
    try
    {
        list[3];
        FAIL();
    }
    catch (const generalException& e)
    {
        EXPECT_STREQ(e.message, "BlockList Index out of range");
        EXPECT_STREQ(e.where, "BlockList< T >::operator[]");
    }
    EXPECT_THROW(list.remove(3u), Exc_BlockListIndexOutOfRange);
    EXPECT_EQ(list.getCount(), 3u);
}

// A list with three blocks and `elements` elements in use (a list that grew and shrank again).
template <class T>
void shrinkFromThreeBlocks(BlockList<T>& list, uint32_t elements)
{
    fill(list, static_cast<int32_t>(2 * BlockList<T>::ITEMSPERBLOCK + 1));
    while (list.getCount() > elements)
        list.remove(list.getCount() - 1);
}

template <class T>
void expectReleaseThreshold()
{
    constexpr uint32_t perBlock = BlockList<T>::ITEMSPERBLOCK;
    constexpr uint32_t threshold = perBlock + perBlock / 4 + 1;
    SCOPED_TRACE("items per block " + std::to_string(perBlock));
    for (uint32_t freeAfter : {threshold, threshold + 1})
    {
        BlockList<T> list("Records");
        const uint32_t before = 3 * perBlock - freeAfter + 1;
        shrinkFromThreeBlocks(list, before);
        ASSERT_EQ(list.getCapacity(), 3 * perBlock);
        list.remove(&list[0]);
        const bool released = freeAfter > threshold;
        EXPECT_EQ(list.getCapacity(), (released ? 2 : 3) * perBlock) << "free slots after the removal " << freeAfter;
        EXPECT_EQ(list.getBlockCount(), released ? 2u : 3u);
    }
}

TEST_F(BlockListTest, BlocksAreReleasedOnlyBeyondABlockAndAQuarterOfFreeSlots)
{
    EXPECT_EQ(BlockList<Record>::RELEASETHRESHOLD, 321u);
    EXPECT_EQ(BlockList<SmallBlockRecord>::RELEASETHRESHOLD, 161u);
    EXPECT_EQ(BlockList<LargeBlockRecord>::RELEASETHRESHOLD, 1281u);
    expectReleaseThreshold<Record>();
    expectReleaseThreshold<SmallBlockRecord>();
    expectReleaseThreshold<LargeBlockRecord>();

    // The spelled-out case: 256 per block, three blocks, count 447 or 448.
    BlockList<Record> list("Records");
    shrinkFromThreeBlocks(list, 448);
    list.remove(&list[0]);
    EXPECT_EQ(list.getCapacity(), 768u);
    list.remove(&list[0]);
    EXPECT_EQ(list.getCapacity(), 512u);
}

TEST_F(BlockListTest, UnlockReleasesEverySurplusBlock)
{
    BlockList<Record> list("Records");
    fill(list, 1024);
    list.lock();
    for (uint32_t i = 0; i < 1000; ++i)
        list.remove(&list[i]);
    EXPECT_EQ(list.getCount(), 1024u) << "queued removals keep their slots until the unlock";
    list.unlock();
    EXPECT_EQ(list.getCount(), 24u);
    EXPECT_EQ(list.getBlockCount(), 1u);
    EXPECT_EQ(releasedValues.size(), 1000u);
}

struct QueueCase
{
    int32_t size;
    std::vector<uint32_t> removed; // indexes, in removal order, while locked
    std::vector<int32_t> expected;
};

TEST_F(BlockListTest, LockedRemovalsAreReplayedNewestFirstInParentAndChildren)
{
    const QueueCase cases[] = {
        {8, {2, 5}, {0, 1, 6, 3, 4, 7}}, {5, {4, 1}, {0, 3, 2}}, // the slot of 1 takes the queue place of 4, then 3 fills it
        {6, {4, 5, 1}, {0, 3, 2}},       {6, {0, 5}, {4, 1, 2, 3}}, {6, {5, 4, 3}, {0, 1, 2}},
        {5, {0, 1, 2, 3, 4}, {}},        {3, {1, 1, 1}, {0, 2}}, // a queued element removed again: nothing more
    };
    for (const QueueCase& c : cases)
    {
        SCOPED_TRACE("size " + std::to_string(c.size));
        BlockList<Record> parent("Parent");
        BlockList<Shadow> first("First");
        BlockList<LargeBlockRecord> second("Second");
        parent.addChild(&first);
        parent.addChild(&second);
        fill(parent, c.size);
        for (int32_t i = 0; i < c.size; ++i)
        {
            first[i].value = i;
            second[i].value = i;
        }
        parent.lock();
        parent.lock();
        for (uint32_t index : c.removed)
            parent.remove(&parent[index]);
        parent.unlock();
        EXPECT_EQ(parent.getCount(), static_cast<uint32_t>(c.size)) << "still locked once";
        EXPECT_EQ(second.getLockCount(), 1);
        parent.unlock();

        EXPECT_EQ(valuesOf(parent), c.expected);
        EXPECT_EQ(valuesOf(first), c.expected);
        EXPECT_EQ(valuesOf(second), c.expected);
        releasedValues.clear();
    }
}

TEST_F(BlockListTest, LockingAChildAtItsParentsLevelLocksTheParentAndSiblings)
{
    BlockList<Record> parent("Parent");
    BlockList<Shadow> first("First");
    BlockList<Shadow> second("Second");
    parent.addChild(&first);
    parent.addChild(&second);
    fill(parent, 4);

    first.lock();
    EXPECT_EQ(parent.getLockCount(), 1);
    EXPECT_EQ(second.getLockCount(), 1);
    parent.remove(&parent[1]);
    EXPECT_EQ(second.getCount(), 4u) << "queued in every child";
    second.unlock();
    EXPECT_EQ(parent.getLockCount(), 0);
    EXPECT_EQ(first.getCount(), 3u);
    EXPECT_EQ(valuesOf(parent), (std::vector<int32_t>{0, 3, 2}));

    // Unbalanced unlocks change nothing.
    parent.unlock();
    first.unlock();
    EXPECT_EQ(parent.getLockCount(), 0);
    EXPECT_EQ(first.getLockCount(), 0);
    parent.lock();
    EXPECT_EQ(first.getLockCount(), 1);
    parent.unlock();
}

TEST_F(BlockListTest, CurrentElementFollowsAMovedElementAndIsDroppedWithItsElement)
{
    BlockList<Record> list("Records");
    fill(list, 6);
    list.currentElement = &list[5];
    list.remove(&list[1]);
    ASSERT_NE(list.current, nullptr);
    EXPECT_EQ(list.current, &list[1]);
    EXPECT_EQ(list.currentElement->value, 5);

    list.lock();
    list.remove(&list[2]);
    list.remove(&list[0]);
    EXPECT_EQ(list.currentElement->value, 5) << "nothing moves while locked";
    list.unlock();
    EXPECT_EQ(list.currentElement->value, 5);
    EXPECT_EQ(valuesOf(list), (std::vector<int32_t>{4, 5, 3}));

    list.remove(list.currentElement);
    EXPECT_EQ(list.current, nullptr);
}

TEST_F(BlockListTest, RemoveChecksThatTheElementIsInUseInThisList)
{
    BlockList<Record> list("Records");
    try
    {
        Record stray;
        list.remove(&stray);
        FAIL();
    }
    catch (const generalException& e)
    {
        EXPECT_STREQ(e.message, "BlockList Alien Item");
        EXPECT_STREQ(e.where, "BlockList<T>::remove(...) !(activeBlock|usedCount) ");
    }

    BlockList<Record> other("Other");
    fill(list, 3);
    fill(other, 300);
    EXPECT_THROW(list.remove(&other[0]), Exc_BlockListAlienItem);
    EXPECT_THROW(list.remove(&other[299]), Exc_BlockListAlienItem) << "an index beyond this list's blocks";
    EXPECT_THROW(list.remove(nullptr), Exc_BlockListAlienItem);
    EXPECT_TRUE(releasedValues.empty()) << "nothing is released before the checks";

    Record* last = &list[2];
    list.remove(last);
    list.remove(last); // already released: a no-op
    EXPECT_EQ(list.getCount(), 2u);
    EXPECT_EQ(releasedValues.size(), 1u);
}

TEST_F(BlockListTest, ClearReleasesEveryElementOnceAndResetsChildrenCurrentAndQueue)
{
    BlockList<Record> parent("Parent");
    BlockList<Shadow> child("Child");
    parent.addChild(&child);
    fill(parent, 600);
    parent.currentElement = &parent[7];
    parent.lock();
    parent.remove(&parent[3]);
    parent.clear();
    EXPECT_EQ(parent.getCount(), 0u);
    EXPECT_EQ(parent.getCapacity(), 0u);
    EXPECT_EQ(child.getCount(), 0u);
    EXPECT_EQ(child.getCapacity(), 0u);
    EXPECT_EQ(parent.currentElement, nullptr);
    parent.unlock(); // the dropped queue must not be replayed
    EXPECT_EQ(parent.getCount(), 0u);

    std::vector<int32_t> sorted = releasedValues;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted.size(), 600u);
    for (int32_t i = 0; i < 600; ++i)
        EXPECT_EQ(sorted[i], i);

    fill(parent, 2);
    EXPECT_EQ(child.getCount(), 2u) << "the list works after clear";
}

TEST_F(BlockListTest, AReleaseThatRemovesAnotherElementOfTheListKeepsTheListSound)
{
    BlockList<Chained> list("Groups");
    BlockList<Shadow> child("Child");
    list.addChild(&child);
    fill(list, 6);
    for (uint32_t i = 0; i < 6; ++i)
        child[i].value = i;
    list[5].partner = 1; // removing 5 ends 1 as well
    list[2].partner = 4;

    list.remove(&list[5]);
    EXPECT_EQ(list.getCount(), 4u);
    EXPECT_EQ(valuesOf(list), valuesOf(child));
    EXPECT_EQ(releasedValues, (std::vector<int32_t>{5, 1}));

    list.clear();
    EXPECT_EQ(releasedValues.size(), 6u) << "every element released exactly once";
}

TEST_F(BlockListTest, ChildrenGrowWithTheirParentAndAreFoundByNameAndOwner)
{
    int ownerA = 0, ownerB = 0;
    BlockList<Record> parent("VornJoint");
    fill(parent, 5);
    BlockList<Shadow> a("ScreenCoor", nullptr, &ownerA);
    a.add()->value = 1.5;
    BlockList<Shadow> b("ScreenCoor", nullptr, &ownerB);
    parent.addChild(&a);
    parent.addChild(&b);
    EXPECT_EQ(a.getCount(), 5u);
    EXPECT_EQ(a[0].value, 1.5);
    EXPECT_EQ(a[4].value, 0.0) << "a grown element is in its default state";
    EXPECT_EQ(b.getCount(), 5u);

    parent.add();
    EXPECT_EQ(a.getCount(), 6u);
    EXPECT_EQ(b.getCount(), 6u);

    EXPECT_EQ(parent.getChild("ScreenCoor"), &b) << "the most recently added child first";
    EXPECT_EQ(parent.getChild("ScreenCoor", &ownerA), &a);
    EXPECT_EQ(parent.getChild("ScreenCoor", &parent), nullptr);
    EXPECT_EQ(parent.getChild("screencoor"), nullptr);
    EXPECT_EQ(parent.getFirstChild(), &b);
    EXPECT_EQ(b.getNext(), &a);
    EXPECT_EQ(a.getParent(), &parent);
}

TEST_F(BlockListTest, AddChildRefusesChildrenThatCannotStayInStep)
{
    BlockList<Record> parent("Parent");
    fill(parent, 2);
    BlockList<Shadow> longer("Longer");
    for (int i = 0; i < 3; ++i)
        longer.add();
    EXPECT_THROW(parent.addChild(&longer), Exc_InternalError);
    EXPECT_THROW(parent.addChild(&parent), Exc_InternalError);
    EXPECT_THROW(parent.addChild(nullptr), Exc_InternalError);

    BlockList<Shadow> child("Child");
    parent.addChild(&child);
    BlockList<Record> other("Other");
    EXPECT_THROW(other.addChild(&child), Exc_InternalError) << "already chained";
    BlockList<Record> grandchild("Grandchild");
    child.addChild(&grandchild);
    EXPECT_THROW(grandchild.addChild(&parent), Exc_InternalError) << "an ancestor";

    BlockList<Shadow> locked("Locked");
    locked.lock();
    EXPECT_THROW(parent.addChild(&locked), Exc_InternalError);
    locked.unlock();
}

TEST_F(BlockListTest, AChildAddedToALockedListJoinsAtItsLevelWithItsPendingRemovals)
{
    BlockList<Record> parent("Parent");
    fill(parent, 6);
    parent.lock();
    parent.remove(&parent[4]);
    parent.remove(&parent[1]);
    BlockList<LargeBlockRecord> child("Child");
    parent.addChild(&child);
    EXPECT_EQ(child.getLockCount(), 1);
    for (uint32_t i = 0; i < 6; ++i)
        child[i].value = static_cast<int32_t>(i);
    parent.remove(&parent[2]);
    parent.unlock();
    EXPECT_EQ(child.getLockCount(), 0);
    EXPECT_EQ(valuesOf(parent), (std::vector<int32_t>{0, 3, 5}));
    EXPECT_EQ(valuesOf(child), valuesOf(parent));
}

TEST_F(BlockListTest, DestructionClearsTheHolderAndLeavesParentChildrenAndGroup)
{
    BlockList<Record>* holder = nullptr;
    BlockListGroup group;
    BlockList<Shadow> survivor("Survivor");
    {
        BlockList<Record> list("Doomed", &holder);
        EXPECT_EQ(holder, &list);
        group.addBlockList(&list);
        list.addChild(&survivor);
        {
            BlockList<Shadow> child("Child");
            list.addChild(&child);
            EXPECT_EQ(list.getFirstChild(), &child);
        }
        EXPECT_EQ(list.getFirstChild(), &survivor);
        EXPECT_EQ(survivor.getPrevious(), nullptr);
    }
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(group.getBlockList(0), nullptr);
    EXPECT_EQ(survivor.getParent(), nullptr);
    EXPECT_EQ(survivor.getNext(), nullptr);
    survivor.add(); // a top-level list of its own now
    EXPECT_EQ(survivor.getCount(), 1u);
}

TEST(BlockListGroupTest, ListsAreFoundByNameAndPosition)
{
    BlockListGroup group;
    EXPECT_EQ(group.getBlockList("A"), nullptr);
    EXPECT_EQ(group.getBlockList(0), nullptr);
    BlockList<Record> a("A"), b("B"), c("C"), secondB("B");
    group.addBlockList(&a);
    group.addBlockList(&b);
    group.addBlockList(&c);
    EXPECT_EQ(group.getBlockList(0), &c);
    EXPECT_EQ(group.getBlockList(2), &a);
    EXPECT_EQ(group.getBlockList(3), nullptr);
    EXPECT_EQ(group.getBlockList(-1), nullptr);
    EXPECT_EQ(group.getBlockList("B"), &b);
    EXPECT_EQ(group.getBlockList("D"), nullptr);
    group.addBlockList(&secondB);
    EXPECT_EQ(group.getBlockList("B"), &secondB) << "the later list of a name is found first";
    EXPECT_EQ(a.getGroup(), &group);

    EXPECT_THROW(group.addBlockList(&a), Exc_InternalError);
    EXPECT_THROW(group.addBlockList(nullptr), Exc_InternalError);

    group.removeBlockList(&b);
    EXPECT_EQ(group.getBlockList(2), &a);
    EXPECT_EQ(b.getNext(), nullptr);
    group.removeBlockList(&b); // not in the group: nothing
    EXPECT_EQ(group.getBlockList(0), &secondB);
}

TEST(BlockListGroupTest, GroupLocksNestAndTheLastUnlockReplaysEveryList)
{
    releasedValues.clear();
    BlockListGroup group;
    BlockList<Record> a("A"), b("B");
    group.addBlockList(&a);
    group.addBlockList(&b);
    fill(a, 3);
    fill(b, 3);
    group.lock();
    group.lock();
    a.remove(&a[0]);
    b.remove(&b[1]);
    BlockList<Record> late("Late");
    fill(late, 2);
    group.addBlockList(&late);
    late.remove(&late[0]);
    group.unlock();
    EXPECT_EQ(a.getCount(), 3u);
    EXPECT_EQ(late.getCount(), 2u) << "a list added to a locked group is locked with it";
    group.unlock();
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(valuesOf(b), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(valuesOf(late), (std::vector<int32_t>{1}));
    group.unlock(); // unbalanced: nothing
    EXPECT_EQ(group.getLockCount(), 0);
    EXPECT_EQ(a.getLockCount(), 0);

    group.clearAll();
    EXPECT_EQ(a.getCount() + b.getCount() + late.getCount(), 0u);
}

TEST(BlockListGroupTest, DestroyingTheGroupLeavesItsListsAliveAndUnlinked)
{
    BlockList<Record> a("A"), b("B");
    {
        BlockListGroup group;
        group.addBlockList(&a);
        group.addBlockList(&b);
        group.lock();
        a.add();
        a.remove(0u);
    }
    EXPECT_EQ(b.getNext(), nullptr);
    EXPECT_EQ(a.getPrevious(), nullptr);
    EXPECT_EQ(a.getGroup(), nullptr);
    EXPECT_EQ(a.getLockCount(), 0) << "a list leaving a locked group is unlocked";
    EXPECT_EQ(a.getCount(), 0u);
}
} // namespace

namespace
{
// A record whose release throws for the values listed in `failing`.
std::vector<int32_t> failingReleases;
struct Fragile
{
    int32_t value = 0;
    void setDefaults() { value = 0; }
    void release()
    {
        if (std::find(failingReleases.begin(), failingReleases.end(), value) != failingReleases.end())
            throw Exc_InternalError("Fragile::release");
        releasedValues.push_back(value);
    }
    void copyTo(Fragile* other) const { other->value = value; }
};

class BlockListMisuseTest : public BlockListTest
{
protected:
    void SetUp() override
    {
        BlockListTest::SetUp();
        failingReleases.clear();
        parent.addChild(&second);
        parent.addChild(&first);
        fill(parent, 5);
        for (uint32_t i = 0; i < 5; ++i)
            first[i].value = second[i].value = static_cast<int32_t>(i);
    }
    // Both children hold their parent's values, element for element, and nothing is locked.
    void expectInStep()
    {
        EXPECT_EQ(valuesOf(first), valuesOf(parent));
        EXPECT_EQ(valuesOf(second), valuesOf(parent));
        for (const BlockListBase* list : {static_cast<BlockListBase*>(&parent), static_cast<BlockListBase*>(&first),
                                          static_cast<BlockListBase*>(&second)})
            EXPECT_EQ(list->getLockCount(), 0) << list->getName();
    }

    BlockList<Fragile> parent{"Parent"};
    BlockList<Fragile> first{"First"};
    BlockList<Fragile> second{"Second"};
};

TEST_F(BlockListMisuseTest, AChildRefusesToBeClearedOrToRemoveOnItsOwn)
{
    using Misuse = void (*)(BlockList<Fragile>&);
    const std::pair<const char*, Misuse> misuses[] = {
        {"clear", [](BlockList<Fragile>& child) { child.clear(); }},
        {"remove by index", [](BlockList<Fragile>& child) { child.remove(2u); }},
        {"remove by element", [](BlockList<Fragile>& child) { child.remove(&child[2]); }},
        {"clear through the base", [](BlockList<Fragile>& child) { static_cast<BlockListBase&>(child).clear(); }},
    };
    for (const auto& [what, misuse] : misuses)
    {
        SCOPED_TRACE(what);
        EXPECT_THROW(misuse(first), Exc_InternalError);
        EXPECT_TRUE(releasedValues.empty()) << "nothing released";
        expectInStep();
    }
    // The parent still removes in step with both children.
    parent.remove(1u);
    EXPECT_EQ(valuesOf(parent), (std::vector<int32_t>{0, 4, 2, 3}));
    expectInStep();
    parent.clear();
    EXPECT_EQ(first.getCount(), 0u);
    EXPECT_EQ(second.getCount(), 0u);
}

TEST_F(BlockListMisuseTest, AThrowingReleaseLeavesNoListLockedAndTheChildrenInStep)
{
    struct Case
    {
        const char* what;
        BlockList<Fragile>* failing; // the list whose release of value 1 throws
        bool parentKeepsTheElement;
    };
    const Case cases[] = {
        {"the parent's release", &parent, true},
        {"the first child's release", &first, false},
        {"the last child's release", &second, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        parent.clear();
        fill(parent, 5);
        for (uint32_t i = 0; i < 5; ++i)
            first[i].value = second[i].value = static_cast<int32_t>(i);
        // Only the failing list's element 1 throws: its values are set apart from the others'.
        for (uint32_t i = 0; i < 5; ++i)
            (*c.failing)[i].value += 100;
        failingReleases = {101};
        EXPECT_THROW(parent.remove(1u), Exc_InternalError);
        for (const BlockListBase* list : {static_cast<BlockListBase*>(&parent), static_cast<BlockListBase*>(&first),
                                          static_cast<BlockListBase*>(&second)})
            EXPECT_EQ(list->getLockCount(), 0) << list->getName();
        const uint32_t expected = c.parentKeepsTheElement ? 5u : 4u;
        EXPECT_EQ(parent.getCount(), expected) << "a released element is not counted any more";
        EXPECT_EQ(first.getCount(), expected);
        EXPECT_EQ(second.getCount(), expected);
        failingReleases.clear();
        // A later removal works and keeps the lists in step.
        releasedValues.clear();
        parent.remove(0u);
        EXPECT_EQ(parent.getCount(), expected - 1);
        EXPECT_EQ(first.getCount(), expected - 1);
        EXPECT_EQ(second.getCount(), expected - 1);
        EXPECT_EQ(releasedValues.size(), 3u);
    }
}

} // namespace
