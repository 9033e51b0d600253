#include "VornData/StringManager.h"
#include "VornData/generalException.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t header = StringEntry::HEADERWORDS;

// Words an entry takes in its block.
uint32_t entryWords(const StringHandle& handle)
{
    const StringEntry* entry = handle.getEntry();
    return static_cast<uint32_t>(
        (reinterpret_cast<const std::byte*>(entry->next) - reinterpret_cast<const std::byte*>(entry)) / 4);
}

// A text whose entry takes exactly `words` words.
std::string textOfWords(uint32_t words, char letter)
{
    return std::string((words - header) / 2 * 8 - 2, letter);
}

struct SizeCase
{
    const char* text;
    uint32_t textWords; // text, zero byte and padding to 8 bytes
    uint32_t length;
};

TEST(StringManagerTest, EntriesTakeTheHeaderAndTheTextPaddedToEightBytes)
{
    const SizeCase cases[] = {
        {"a", 2, 1}, {"abc", 2, 3}, {"abcd", 2, 4}, {"abcdefg", 2, 7}, {"abcdefgh", 4, 8}, {"abcdefghijklmno", 4, 15},
    };
    StringManager strings;
    for (const SizeCase& c : cases)
    {
        SCOPED_TRACE(c.text);
        StringHandle handle;
        strings.storeString(&handle, c.text);
        EXPECT_EQ(entryWords(handle), header + c.textWords);
        EXPECT_EQ(handle.getLength(), c.length);
        EXPECT_STREQ(handle.getText(), c.text);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(handle.getEntry()) % 8, 0u);
    }

    StringHandle empty;
    EXPECT_EQ(empty.getLength(), 0u);
    EXPECT_EQ(empty.getText(), nullptr);
    EXPECT_STREQ(empty.getString(), "");
    strings.storeString(&empty, "");
    EXPECT_TRUE(empty.isEmpty());
    strings.storeString(&empty, nullptr);
    EXPECT_TRUE(empty.isEmpty());
    strings.storeString(nullptr, "ignored");
}

TEST(StringManagerTest, ReleasingAMiddleTextMovesTheLaterOnesDown)
{
    StringManager strings;
    StringHandle first, middle, last;
    strings.storeString(&first, "first");
    strings.storeString(&middle, "the middle one");
    strings.storeString(&last, "last");
    const StringEntry* before = last.getEntry();
    const uint32_t usedBefore = strings.getFirstBlock()->used;

    strings.releaseString(&middle);
    EXPECT_TRUE(middle.isEmpty());
    EXPECT_NE(last.getEntry(), before);
    EXPECT_EQ(last.getEntry(), first.getEntry()->next);
    EXPECT_STREQ(last.getText(), "last");
    EXPECT_EQ(last.getEntry()->owner, &last);
    EXPECT_EQ(strings.getFirstBlock()->used, usedBefore - (header + 4));
    EXPECT_EQ(strings.getReleaseCount(), 1u);
}

TEST(StringManagerTest, SetStringReplacesOrEmptiesTheText)
{
    StringManager strings;
    StringHandle name, other;
    name.set(&strings, "Joint 1");
    other.set(&strings, "Member 7");
    name.set(&strings, "a much longer name for the joint");
    EXPECT_STREQ(name.getText(), "a much longer name for the joint");
    EXPECT_STREQ(other.getText(), "Member 7");

    name.set(nullptr, "no storage: nothing changes");
    EXPECT_STREQ(name.getText(), "a much longer name for the joint");

    name.set(&strings, other.getText()); // a text that lives in the storage itself
    EXPECT_STREQ(name.getText(), "Member 7");
    strings.storeString(&other, other.getText()); // a handle given its own text again
    EXPECT_STREQ(other.getText(), "Member 7");

    name.set(&strings, "");
    EXPECT_TRUE(name.isEmpty());
    other.release();
    EXPECT_EQ(strings.getFirstBlock()->used, 0u);
}

TEST(StringManagerTest, EveryTwoHundredthReleaseCompacts)
{
    StringManager strings;
    std::vector<std::unique_ptr<StringHandle>> handles;
    for (int i = 0; i < 260; ++i)
    {
        handles.push_back(std::make_unique<StringHandle>());
        strings.storeString(handles.back().get(), ("text " + std::to_string(i)).c_str());
    }
    for (int i = 0; i < 50; ++i)
        strings.releaseString(handles[i].get(), false);
    EXPECT_EQ(strings.getReleaseCount(), 50u) << "releases without compaction are counted";
    for (int i = 50; i < 199; ++i)
        strings.releaseString(handles[i].get(), true);
    EXPECT_EQ(strings.getReleaseCount(), 199u);
    strings.releaseString(handles[199].get(), true);
    EXPECT_EQ(strings.getReleaseCount(), 0u);
    for (int i = 200; i < 260; ++i)
        strings.releaseString(handles[i].get(), false);
    EXPECT_EQ(strings.getReleaseCount(), 60u);
}

TEST(StringManagerTest, CompactionSortsBlocksByUseAndMergesTheSecondIntoTheFirst)
{
    StringManager strings;
    const uint32_t capacity = StringBlock::STANDARDCAPACITY;
    StringHandle big1, small, big2, large;
    const std::string smallText = textOfWords(100, 's');
    const std::string largeText = textOfWords(200, 'l');
    strings.storeString(&big1, textOfWords(capacity - header - 150, '1').c_str());
    strings.storeString(&small, smallText.c_str());
    strings.storeString(&large, largeText.c_str());
    strings.storeString(&big2, textOfWords(capacity - header - 210, '2').c_str());
    ASSERT_EQ(strings.getBlockCount(), 2u);
    ASSERT_EQ(entryWords(small), 100u);
    ASSERT_EQ(entryWords(large), 200u);
    strings.releaseString(&big1, false);
    strings.releaseString(&big2, false);
    ASSERT_EQ(strings.getFirstBlock()->used, 100u);
    ASSERT_EQ(strings.getFirstBlock()->next->used, 200u);

    strings.compact();
    EXPECT_EQ(strings.getBlockCount(), 1u);
    EXPECT_EQ(strings.getFirstBlock()->used, 300u);
    EXPECT_EQ(large.getEntry(), strings.getFirstBlock()->entryAt(0)) << "the fuller block keeps its texts first";
    EXPECT_EQ(small.getEntry()->block, strings.getFirstBlock());
    EXPECT_EQ(small.getText(), smallText);
    EXPECT_EQ(large.getText(), largeText);
}

TEST(StringManagerTest, ChurnWithCompactionKeepsEveryHandlesText)
{
    std::mt19937 random(20261210);
    StringManager strings;
    constexpr int slots = 1200;
    std::vector<std::unique_ptr<StringHandle>> handles;
    std::vector<std::string> expected(slots);
    for (int i = 0; i < slots; ++i)
        handles.push_back(std::make_unique<StringHandle>());
    auto randomText = [&](int i) {
        std::uniform_int_distribution<int> length(1, 1500);
        return std::to_string(i) + ":" + std::string(length(random), static_cast<char>('a' + i % 26));
    };
    auto checkAll = [&] {
        for (int i = 0; i < slots; ++i)
        {
            if (expected[i].empty())
            {
                ASSERT_TRUE(handles[i]->isEmpty()) << i;
            }
            else
            {
                ASSERT_EQ(handles[i]->getString(), expected[i]) << i;
                ASSERT_EQ(handles[i]->getLength(), expected[i].size()) << i;
            }
        }
    };

    for (int i = 0; i < slots; ++i)
    {
        expected[i] = randomText(i);
        strings.storeString(handles[i].get(), expected[i].c_str());
    }
    const uint32_t blocksWhenFull = strings.getBlockCount();
    ASSERT_GE(blocksWhenFull, 3u);
    std::uniform_int_distribution<int> pick(0, slots - 1);
    for (int step = 0; step < 4000; ++step)
    {
        const int i = pick(random);
        if (step % 3 == 0)
        {
            expected[i] = randomText(i);
            handles[i]->set(&strings, expected[i].c_str());
        }
        else
        {
            handles[i]->release();
            expected[i].clear();
        }
        if (step % 200 == 199)
            checkAll();
    }
    strings.compact();
    checkAll();
    EXPECT_LT(strings.getBlockCount(), blocksWhenFull) << "merging freed blocks";
}

// Where a text of `words` words belongs: the first block of the chain with room for it and the
// terminator behind it; null when no block has that room.
const StringBlock* firstBlockWithRoom(const StringManager& strings, uint64_t words)
{
    for (const StringBlock* block = strings.getFirstBlock(); block; block = block->next)
        if (block->hasRoom(words))
            return block;
    return nullptr;
}

const StringBlock* blockAt(const StringManager& strings, int position)
{
    const StringBlock* block = strings.getFirstBlock();
    for (int i = 0; block && i < position; ++i)
        block = block->next;
    return block;
}

struct RoomCase
{
    uint32_t words;
    int block; // position in the chain, 3 for a new block
};

TEST(StringManagerTest, ATextGoesToTheFirstBlockWithRoomForIt)
{
    const uint32_t capacity = StringBlock::STANDARDCAPACITY;
    const uint32_t rooms[] = {100, 300, 50};
    const RoomCase cases[] = {{8, 0}, {100, 0}, {102, 1}, {300, 1}, {302, 3}};
    for (const RoomCase& c : cases)
    {
        SCOPED_TRACE(c.words);
        StringManager strings;
        StringHandle fillers[3], text;
        for (int i = 0; i < 3; ++i)
            strings.storeString(&fillers[i], textOfWords(capacity - header - rooms[i], 'f').c_str());
        ASSERT_EQ(strings.getBlockCount(), 3u);

        strings.storeString(&text, textOfWords(c.words, 't').c_str());
        ASSERT_EQ(entryWords(text), c.words);
        EXPECT_EQ(text.getEntry()->block, blockAt(strings, c.block));
        EXPECT_EQ(strings.getBlockCount(), c.block == 3 ? 4u : 3u);
    }
}

TEST(StringManagerTest, FreedRoomIsFoundAgainAcrossManyBlocksAndCompactions)
{
    // Names of every length up to the longest a standard block holds, stored, renamed and released
    // at random over some dozens of blocks: every text lands where a walk of the chain finds room.
    const uint32_t longestInABlock = (StringBlock::STANDARDCAPACITY - 2 * header) / 2 * 8 - 1;
    std::mt19937 random(4242);
    StringManager strings;
    constexpr int slots = 30000;
    std::vector<std::unique_ptr<StringHandle>> handles;
    std::vector<std::string> expected(slots);
    for (int i = 0; i < slots; ++i)
        handles.push_back(std::make_unique<StringHandle>());
    auto randomText = [&](int i) {
        const int kind = std::uniform_int_distribution<int>(0, 999)(random);
        const size_t length = kind == 0   ? longestInABlock
                              : kind < 20 ? std::uniform_int_distribution<size_t>(100, 5000)(random)
                                          : std::uniform_int_distribution<size_t>(1, 60)(random);
        return std::string(length, static_cast<char>('a' + i % 26));
    };
    auto storeChecked = [&](int i) {
        std::string text = randomText(i);
        const StringBlock* room = firstBlockWithRoom(strings, StringEntry::words(text.size()));
        const uint32_t blocks = strings.getBlockCount();
        const bool releasesOld = !handles[i]->isEmpty();
        handles[i]->set(&strings, text.c_str());
        expected[i] = std::move(text);
        if (releasesOld && strings.getReleaseCount() == 0)
            return; // the release compacted, and the text may have moved since
        if (room)
            ASSERT_EQ(handles[i]->getEntry()->block, room) << "slot " << i;
        else
            ASSERT_EQ(strings.getBlockCount(), blocks + 1) << "slot " << i;
    };

    for (int i = 0; i < slots; ++i)
        storeChecked(i);
    ASSERT_GE(strings.getBlockCount(), 20u);
    std::uniform_int_distribution<int> pick(0, slots - 1);
    for (int step = 0; step < 30000; ++step)
    {
        const int i = pick(random);
        if (step % 2 == 0)
        {
            storeChecked(i);
        }
        else
        {
            handles[i]->release();
            expected[i].clear();
        }
    }
    for (int i = 0; i < slots; ++i)
        ASSERT_EQ(handles[i]->getString(), expected[i]) << i;
}

TEST(StringManagerTest, LongNamesGetABlockOfTheirOwn)
{
    // The longest text a standard block holds, one more, and a 300,000-character name.
    const uint32_t longestInABlock = (StringBlock::STANDARDCAPACITY - 2 * header) / 2 * 8 - 1;
    for (uint32_t length : {longestInABlock, longestInABlock + 1, 300000u})
    {
        SCOPED_TRACE(length);
        StringManager strings;
        StringHandle before, name, after;
        strings.storeString(&before, "before");
        std::string text(length, 'x');
        for (uint32_t i = 0; i < length; i += 997)
            text[i] = static_cast<char>('A' + i % 26);
        name.set(&strings, text.c_str());
        strings.storeString(&after, "after");
        EXPECT_EQ(name.getLength(), length);
        EXPECT_EQ(name.getString(), text);
        EXPECT_STREQ(before.getText(), "before");
        EXPECT_STREQ(after.getText(), "after");
        const StringBlock* block = name.getEntry()->block;
        EXPECT_LE(block->used + header, block->capacity) << "the entry and its terminator fit the block";
        EXPECT_EQ(block->capacity > StringBlock::STANDARDCAPACITY, length > longestInABlock);

        strings.releaseString(&before);
        EXPECT_EQ(name.getString(), text);
        name.release();
        strings.compact();
        EXPECT_STREQ(after.getText(), "after");
        EXPECT_EQ(strings.getBlockCount(), 1u);
    }
}

TEST(StringManagerTest, ClearAndDestructionEmptyEveryHandle)
{
    StringHandle survivor;
    std::vector<std::unique_ptr<StringHandle>> handles;
    {
        StringManager strings;
        for (int i = 0; i < 100; ++i)
        {
            handles.push_back(std::make_unique<StringHandle>());
            strings.storeString(handles.back().get(), std::string(3000, 'c').c_str());
        }
        ASSERT_GT(strings.getBlockCount(), 1u);
        strings.clear();
        for (const auto& handle : handles)
            EXPECT_TRUE(handle->isEmpty());
        EXPECT_EQ(strings.getBlockCount(), 0u);
        survivor.set(&strings, "survivor");
    }
    EXPECT_TRUE(survivor.isEmpty());
}

TEST(StringManagerTest, MovedHandlesAreFollowedAndReleasedWhereTheyLive)
{
    StringManager strings, otherStrings;
    StringHandle first, moving, target;
    strings.storeString(&first, "first");
    strings.storeString(&moving, "moving");
    otherStrings.storeString(&target, "target's old text");
    moving.moveTo(&target);
    EXPECT_TRUE(moving.isEmpty());
    EXPECT_STREQ(target.getText(), "moving");
    EXPECT_EQ(otherStrings.getFirstBlock()->used, 0u) << "the target's old text was released";

    strings.releaseString(&first); // moves the entry down; the new owner follows
    EXPECT_STREQ(target.getText(), "moving");
    EXPECT_EQ(target.getEntry(), strings.getFirstBlock()->entryAt(0));

    otherStrings.releaseString(&target); // released in the storage that holds it
    EXPECT_TRUE(target.isEmpty());
    EXPECT_EQ(strings.getFirstBlock()->used, 0u);
}

TEST(StringManagerTest, StatisticsCountUseBlocksAndReleases)
{
    StringManager strings;
    StringHandle a, b;
    strings.storeString(&a, "abc");
    strings.storeString(&b, "abcdefgh");
    a.release();
    StringManagerStatistics statistics{};
    strings.getStatistics(&statistics);
    EXPECT_EQ(statistics.usedWords, header + 4);
    EXPECT_EQ(statistics.blockCount, 1u);
    EXPECT_EQ(statistics.blockDataWords, StringBlock::STANDARDCAPACITY);
    EXPECT_EQ(statistics.releaseCount, 1u);
    EXPECT_EQ(statistics.compactionThreshold, 200u);
}

TEST(StringManagerTest, OutOfMemoryCarriesItsTexts)
{
    try
    {
        throw Exc_OutOfMemory("StringManager::addBlock");
    }
    catch (const generalException& e)
    {
        EXPECT_STREQ(e.message, "Out of Memory");
        EXPECT_STREQ(e.where, "StringManager::addBlock");
    }
}
} // namespace

namespace
{

std::string bytesOfFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A 32-bit little-endian byte count and the bytes it counts.
std::string countedBytes(uint32_t count, const std::string& bytes)
{
    std::string file(4, '\0');
    for (int i = 0; i < 4; ++i)
        file[i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    return file + bytes;
}

// Four registered places: "Joint 1", "M", an empty place, "Node".
class StringRegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        first.set(&manager, "Joint 1");
        second.set(&manager, "M");
        fourth.set(&manager, "Node");
        ASSERT_EQ(manager.registerHandle(&first), 1u);
        ASSERT_EQ(manager.registerHandle(&second), 2u);
        manager.setRegistryEntry(4, &fourth);
    }
    std::vector<std::string> texts() const { return {first.getString(), second.getString(), fourth.getString()}; }

    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/registered_strings.bin";
    StringManager manager;
    StringHandle first, second, fourth;
};

TEST_F(StringRegistryTest, NumbersStartAtOneAndOnlyHandlesWithATextAreRegistered)
{
    StringHandle empty;
    EXPECT_EQ(manager.registerHandle(&empty), 0u);
    EXPECT_EQ(manager.registerHandle(nullptr), 0u);
    EXPECT_EQ(manager.getRegistrySize(), 4u);
    EXPECT_EQ(manager.getRegistryEntry(3), nullptr) << "the place left out by setRegistryEntry";
    EXPECT_EQ(manager.getRegistryEntry(4), &fourth);
    EXPECT_EQ(manager.registerHandle(&first), 5u) << "appended behind the highest place";
    manager.setRegistryEntry(0, &second);
    EXPECT_EQ(manager.getRegistrySize(), 5u);
    manager.resetRegistry();
    EXPECT_EQ(manager.getRegistrySize(), 0u);
    EXPECT_EQ(manager.registerHandle(&second), 1u);
}

TEST_F(StringRegistryTest, SavedTextsAreLoadedBackInNumberOrder)
{
    ASSERT_TRUE(manager.saveStrings(path));
    EXPECT_EQ(bytesOfFile(path), countedBytes(16, std::string("Joint 1\0M\0\0Node\0", 16)));

    first.set(&manager, "changed");
    second.release();
    fourth.set(&manager, "a much longer text than before");
    ASSERT_TRUE(manager.loadStrings(path));
    EXPECT_EQ(texts(), (std::vector<std::string>{"Joint 1", "M", "Node"}));

    // An empty text empties its handle.
    writeFile(path, countedBytes(5, std::string("A\0\0\0\0", 5)));
    ASSERT_TRUE(manager.loadStrings(path));
    EXPECT_EQ(first.getString(), std::string("A"));
    EXPECT_TRUE(second.isEmpty());
    EXPECT_EQ(fourth.getString(), std::string(""));
}

TEST_F(StringRegistryTest, ARefusedLoadChangesNothing)
{
    ASSERT_TRUE(manager.saveStrings(path));
    const std::string good = bytesOfFile(path);
    struct Case
    {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"truncated: the last byte cut", good.substr(0, good.size() - 1)},
        {"truncated: half the count", good.substr(0, 2)},
        {"empty", ""},
        {"oversized: a byte behind the count", good + 'x'},
        {"oversized: a count beyond the largest file",
         countedBytes(StringManager::MAXSTRINGSFILEBYTES + 1, std::string("Joint 1\0M\0\0Node\0", 16))},
        {"fewer texts than places", countedBytes(11, std::string("Joint 1\0M\0\0", 11))},
        {"more texts than places", countedBytes(18, std::string("Joint 1\0M\0\0Node\0X\0", 18))},
        {"the last text without its zero byte", countedBytes(15, std::string("Joint 1\0M\0\0Node", 15))},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        first.set(&manager, "kept 1");
        second.set(&manager, "kept 2");
        fourth.set(&manager, "kept 4");
        writeFile(path, c.bytes);
        EXPECT_FALSE(manager.loadStrings(path));
        EXPECT_EQ(texts(), (std::vector<std::string>{"kept 1", "kept 2", "kept 4"}));
        EXPECT_EQ(manager.getRegistrySize(), 4u);
    }
    EXPECT_FALSE(manager.loadStrings(path + ".missing"));
    EXPECT_EQ(texts(), (std::vector<std::string>{"kept 1", "kept 2", "kept 4"}));
}

} // namespace
