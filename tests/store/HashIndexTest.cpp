// The hash index: keys, home slots, probing, statistics, the statistics file and sizing.
#include <gmock/gmock.h>

#include "ScopedCommaLocale.h"
#include "StoreFixture.h"
#include "zam/platform/FileSystem.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Probe steps from the home slot of `key` to `slot` in a table of `indexSize`, from the key's text.
std::int32_t StepsFromHome(const std::string& key, std::int32_t slot, std::int32_t indexSize) {
    return (slot - IniStore::HomeSlot(key, indexSize) + indexSize + 1) % (indexSize + 1);
}

// Entry names of file "F", section "S" whose key has home slot `home` in a table of `indexSize`.
std::vector<std::string> NamesWithHome(std::int32_t home, std::int32_t indexSize, std::size_t n) {
    std::vector<std::string> names;
    for (int i = 0; names.size() < n && i < 100000; ++i) {
        std::string name = "k" + std::to_string(i);
        if (IniStore::HomeSlot(IniStore::BuildIniKey("F", "S", name), indexSize) == home)
            names.push_back(name);
    }
    return names;
}

// `bulk` has loaded `path` as its file 1 in one go; a store that starts with `startSize` slots and
// registers the same entries one by one, in file order, must lay them out alike: every slot holds
// the same key at the same position, its probe distance counted from the key's home.
void ExpectLaidOutAsOneByOne(IniStore& bulk, const std::string& path, std::int32_t startSize,
                             UserInterface& ui) {
    IniStore single(ui, startSize);
    for (std::int32_t s = 1; s <= bulk.SectionCount(1); ++s)
        for (std::int32_t e = 1; e <= bulk.EntryCount(1, s); ++e)
            single.FindIniEntry(path, bulk.SectionName(1, s), bulk.Entry({1, s, e}).name);
    ASSERT_EQ(bulk.IndexSize(), single.IndexSize());
    for (std::int32_t i = 0; i <= bulk.IndexSize(); ++i) {
        const std::string key = bulk.Slot(i).key;
        ASSERT_EQ(key, single.Slot(i).key) << i;
        ASSERT_EQ(bulk.Slot(i).position, single.Slot(i).position) << i;
        ASSERT_EQ(bulk.ProbeDistance(i), key.empty() ? -1 : StepsFromHome(key, i, bulk.IndexSize()))
            << i;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

using HashIndexTest = StoreTest;

TEST_F(HashIndexTest, KeyIsUpperCaseSumIsPositionWeightedAndHomeSlotsSpreadBelowIndexSize) {
    EXPECT_EQ(IniStore::BuildIniKey("C:\\Sierra\\GPL\\Core.ini", "Sound", "volume"),
              "C:\\SIERRA\\GPL\\CORE.INI;SOUND;VOLUME");
    EXPECT_EQ(IniStore::BuildIniKey("A", "B", "C"), "A;B;C");
    EXPECT_EQ(IniStore::HashSum("A;B;C"), 952.0);
    EXPECT_EQ(IniStore::HashSum("a;b;c"), 952.0);
    // Home slots lie below the index size and spread.
    std::vector<int> used(101, 0);
    for (int i = 0; i < 2000; ++i) {
        std::int32_t h = IniStore::HomeSlot("FILE;SECTION;ENTRY" + std::to_string(i), 100);
        ASSERT_GE(h, 0);
        ASSERT_LT(h, 100);
        used[static_cast<std::size_t>(h)] = 1;
    }
    EXPECT_GT(std::count(used.begin(), used.end(), 1), 60);
    EXPECT_EQ(used[100], 0);  // the last slot is reached only by probing
}

TEST_F(HashIndexTest, LookupWithoutSearchChangesNothingWithSearchCreatesAndIgnoresCaseNotParts) {
    store.SetFullPathIniValue("F", "S", "a", "1");
    std::int32_t occupied = store.OccupiedSlots();
    EXPECT_EQ(store.LocateIniEntry("F", "S", "b", false), IniPosition{});
    EXPECT_EQ(store.LocateIniEntry("G", "S", "a", false), IniPosition{});
    EXPECT_EQ(store.FileCount(), 1);
    EXPECT_EQ(store.SectionCount(1), 1);
    EXPECT_EQ(store.EntryCount(1, 1), 1);
    EXPECT_EQ(store.OccupiedSlots(), occupied);

    IniPosition p = store.LocateIniEntry("New.ini", "Sec", "Name", true);
    EXPECT_EQ(p, (IniPosition{2, 1, 1}));
    EXPECT_EQ(store.FileName(2), "New.ini");
    EXPECT_THAT(Records(2), ElementsAre("Sec|Name||"));
    EXPECT_FALSE(store.FileChanged(2));
    EXPECT_EQ(store.Slot(store.HashIndex("NEW.INI;SEC;NAME")).position, p);
    // Lookup ignores case.
    store.SetFullPathIniValue("C:\\x\\Core.ini", "Sound", "Volume", "7");
    IniPosition a = store.LocateIniEntry("c:\\X\\CORE.INI", "SOUND", "volume", false);
    EXPECT_EQ(a, (IniPosition{3, 1, 1}));
    EXPECT_EQ(store.FullPathIniValue("C:\\X\\core.INI", "sound", "VOLUME"), "7");
    // Keys spelled alike from different parts stay apart.
    store.SetFullPathIniValue("A;B", "C", "x", "1");
    store.SetFullPathIniValue("A", "B;C", "x", "2");
    EXPECT_EQ(store.FileCount(), 5);
    EXPECT_EQ(store.FullPathIniValue("A;B", "C", "x"), "1");
    EXPECT_EQ(store.FullPathIniValue("A", "B;C", "x"), "2");
}

TEST_F(HashIndexTest, NamelessEntriesShareOneSlotNamingTheNewestAlsoInALoadedFile) {
    IniPosition first = store.FindIniEntry("F", "S", "");
    IniPosition second = store.LocateIniEntry("F", "S", "", false);
    EXPECT_EQ(first, (IniPosition{1, 1, 1}));
    EXPECT_EQ(second, (IniPosition{1, 1, 2}));
    EXPECT_EQ(store.OccupiedSlots(), 1);
    EXPECT_EQ(store.Slot(store.HashIndex("F;S;")).position, second);

    // The nameless key of a loaded file names its newest entry.
    std::string path = Write("nameless.ini", "[S]\r\nfirst\r\na=1\r\nsecond\r\n");
    store.ReadIniFile(path);
    const std::string key = IniStore::BuildIniKey(path, "S", "");
    EXPECT_EQ(store.Slot(store.HashIndex(key)).position, (IniPosition{2, 1, 3}));
    IniPosition third = store.FindIniEntry(path, "S", "");  // added once the table is laid out
    EXPECT_EQ(third, (IniPosition{2, 1, 4}));
    EXPECT_EQ(store.Slot(store.HashIndex(key)).position, third);
    EXPECT_EQ(store.OccupiedSlots(), 3);
}

TEST_F(HashIndexTest, ProbingWrapsToZeroANewKeyCountsItsProbeTwiceAndAFullTableGrows) {
    IniStore small(ui, 7);
    auto names = NamesWithHome(6, 7, 3);
    ASSERT_EQ(names.size(), 3u);
    for (const auto& n : names) small.SetFullPathIniValue("F", "S", n, n);
    EXPECT_EQ(small.Slot(6).key, IniStore::BuildIniKey("F", "S", names[0]));
    EXPECT_EQ(small.Slot(7).key, IniStore::BuildIniKey("F", "S", names[1]));
    EXPECT_EQ(small.Slot(0).key, IniStore::BuildIniKey("F", "S", names[2]));
    EXPECT_EQ(small.Slot(0).position, (IniPosition{1, 1, 3}));
    EXPECT_THAT((std::vector<std::int32_t>{small.ProbeDistance(6), small.ProbeDistance(7),
                                           small.ProbeDistance(0), small.ProbeDistance(1),
                                           small.ProbeDistance(8), small.ProbeDistance(-1)}),
                ElementsAre(0, 1, 2, -1, -1, -1));

    std::int32_t hits = small.Hits(), mishits = small.Mishits(), first = small.FirstTimeHits();
    EXPECT_EQ(small.FullPathIniValue("F", "S", names[2]), names[2]);
    EXPECT_EQ(small.Hits() - hits, 1);
    EXPECT_EQ(small.Mishits() - mishits, 2);
    EXPECT_EQ(small.FirstTimeHits() - first, 0);
    EXPECT_EQ(small.FullPathIniValue("f", "s", names[0]), names[0]);
    EXPECT_EQ(small.FirstTimeHits() - first, 1);
    EXPECT_EQ(small.HashIndex(IniStore::BuildIniKey("F", "S", names[2])), 0);

    // Setting a new key counts the probe twice.
    IniStore other(ui, 7);
    names = NamesWithHome(3, 7, 2);
    ASSERT_EQ(names.size(), 2u);
    other.SetFullPathIniValue("F", "S", names[0], "1");
    EXPECT_EQ(other.Mishits(), 0);
    other.SetFullPathIniValue("F", "S", names[1], "2");  // look-up, then registration
    EXPECT_EQ(other.Mishits(), 2);
    EXPECT_EQ(other.Hits(), 0);

    // A full table grows and keeps every position.
    IniStore tiny(ui, 3);
    std::vector<IniPosition> positions;
    for (int i = 0; i < 9; ++i) {
        std::string name = "e" + std::to_string(i);
        tiny.SetFullPathIniValue("F", i < 5 ? "S" : "T", name, name);
        positions.push_back(tiny.LocateIniEntry("F", i < 5 ? "S" : "T", name, false));
    }
    EXPECT_EQ(tiny.IndexSize(), 12);
    EXPECT_EQ(tiny.OccupiedSlots(), 9);
    for (int i = 0; i < 9; ++i) {
        std::string name = "e" + std::to_string(i);
        EXPECT_EQ(tiny.LocateIniEntry("F", i < 5 ? "S" : "T", name, false), positions[i]);
        EXPECT_EQ(tiny.FullPathIniValue("F", i < 5 ? "S" : "T", name), name);
    }
    int registered = 0;
    for (std::int32_t s = 0; s <= tiny.IndexSize(); ++s) {
        HashSlotView slot = tiny.Slot(s);
        if (slot.key.empty()) continue;
        ++registered;
        EXPECT_EQ(tiny.HashIndex(slot.key), s);
        EXPECT_EQ(tiny.ProbeDistance(s), StepsFromHome(slot.key, s, tiny.IndexSize())) << s;
    }
    EXPECT_EQ(registered, 9);
}

TEST_F(HashIndexTest, KeysLoadedInBulkEvenIntoCrowdedTablesGetTheSlotsTheyGetOneByOne) {
    std::string wideText;
    for (int s = 0; s < 30; ++s) {
        wideText += "[Section" + std::to_string(s) + "]\r\n; about it\r\nwords\r\n";
        for (int e = 0; e < 40; ++e)
            wideText += "key" + std::to_string(e) + "=" + std::to_string(s) + "\r\n";
    }
    const std::string widePath = Write("bulk.ini", wideText);
    IniStore wide(ui, 50);
    wide.ReadIniFile(widePath);  // registered while loading, laid out when first looked at
    ExpectLaidOutAsOneByOne(wide, widePath, 50, ui);
    EXPECT_EQ(wide.IndexSize(), 1600);
    EXPECT_EQ(wide.OccupiedSlots(), 30 * 42);

    for (std::int32_t indexSize : {7, 31, 100}) {
        const std::string path = Write("crowd.ini", "");
        // Keys homed in the last slots, among others, so that runs of keys wrap round to slot 0.
        std::vector<std::string> names;
        for (int i = 0; names.size() <= static_cast<std::size_t>(indexSize) && i < 100000; ++i) {
            std::string name = "k" + std::to_string(i);
            std::int32_t home =
                IniStore::HomeSlot(IniStore::BuildIniKey(path, "S", name), indexSize);
            if (home >= indexSize - 2 || i % 3 == 0) names.push_back(name);
        }
        ASSERT_EQ(names.size(), static_cast<std::size_t>(indexSize) + 1);
        // Every slot taken, one slot left, a quarter left.
        for (std::size_t count : {names.size(), names.size() - 1, names.size() * 3 / 4}) {
            std::string text = "[S]\r\n";
            for (std::size_t i = 0; i < count; ++i) text += names[i] + "=1\r\n";
            Write("crowd.ini", text);
            SCOPED_TRACE(std::to_string(indexSize) + " slots, " + std::to_string(count) + " keys");
            IniStore bulk(ui, indexSize);
            bulk.ReadIniFile(path);
            // A key placed after the bulk layout (the last entry) finds the same slot.
            if (count < names.size()) bulk.FindIniEntry(path, "S", "late");
            ExpectLaidOutAsOneByOne(bulk, path, indexSize, ui);
            ASSERT_EQ(bulk.IndexSize(), indexSize);
        }
    }
}

TEST_F(HashIndexTest, StatisticsFileWithAndWithoutHitsOfWhichNoneWhileInitialising) {
    ScopedCurrentDir here(dir.path());
    ASSERT_TRUE(store.ListHashTable().ok());
    auto lines = Lines(dir.read("HashTable.csv"));
    ASSERT_EQ(lines.size(), 8u + 10001u);
    EXPECT_EQ(lines[2], "Average,  0.000 Hits/Access");
    EXPECT_EQ(lines[4], "Usage,0");
    EXPECT_EQ(lines.back(), " 10000 ,, 0 , 0 , 0 ");
    // Nothing is counted while initialising.
    store.SetFullPathIniValue("F", "S", "a", "1");
    Initialising = true;
    store.FullPathIniValue("F", "S", "a");
    store.FullPathIniValue("F", "S", "b");
    EXPECT_EQ(store.Hits(), 0);
    Initialising = false;
    store.FullPathIniValue("F", "S", "a");
    EXPECT_EQ(store.Hits(), 1);

    IniStore small(ui, 7);
    auto names = NamesWithHome(2, 7, 2);
    ASSERT_EQ(names.size(), 2u);
    Initialising = true;
    small.SetFullPathIniValue("F", "S", names[0], "a");
    small.SetFullPathIniValue("F", "S", names[1], "b");
    Initialising = false;
    for (int i = 0; i < 5; ++i) {
        small.FullPathIniValue("F", "S", names[0]);
        small.FullPathIniValue("F", "S", names[1]);
    }
    ASSERT_TRUE(small.ListHashTable().ok());
    lines = Lines(dir.read("HashTable.csv"));
    ASSERT_EQ(lines.size(), 8u + 8u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 8),
                ElementsAre("Hits, 10 ", "Mishits, 5 ", "Average,  1.500 Hits/Access",
                            "First Time Hits, 5 ", "Usage,25", "", "Hash Table:", ""));
    EXPECT_EQ(lines[8], " 0 ,, 0 , 0 , 0 ");
    EXPECT_EQ(lines[8 + 2], " 2 ," + IniStore::BuildIniKey("F", "S", names[0]) + ", 1 , 1 , 1 ");
    EXPECT_EQ(lines[8 + 3], " 3 ," + IniStore::BuildIniKey("F", "S", names[1]) + ", 1 , 1 , 2 ");
}

class IndexSizingTest : public StoreTest {
protected:
    IndexSizingTest() : here(dir.path()) {}
    ScopedCurrentDir here;
};

// Larger settings enlarge the table, smaller or unreadable ones keep ten thousand, and a garbled
// one must not ask for more memory than there is: the table stops at 2^24 slots. The setting is
// read as far as it is a number (" 12000.6xyz" below, under two locales).
TEST_F(IndexSizingTest, TheSettingSizesTheTableWithinItsLimitsAndFourTimesTheUseIsRecorded) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"20000", 20000},  {"5000", 10000}, {"abc", 10000},    {"", 10000},
        {"-30000", 10000}, {"nan", 10000},  {"-1e999", 10000}, {"1e999", 1 << 24}};
    for (const auto& [value, size] : cases) {
        SCOPED_TRACE(value);
        dir.write("ZAM.Ini", std::string("[ZAM]\r\nIndexSize=") + value + "\r\n");
        IniStore fresh(ui);
        fresh.SizeIndexFrom("ZAM.Ini");
        EXPECT_EQ(fresh.IndexSize(), size);
        EXPECT_EQ(fresh.FileCount(), 1);
        EXPECT_EQ(fresh.FullPathIniValue("ZAM.Ini", "ZAM", "IndexSize"), value);
        EXPECT_EQ(fresh.Slot(size).key, "");
    }

    // The size recorded is four times the occupied slots.
    dir.write("ZAM.Ini", "[ZAM]\r\nIndexSize=100\r\n");
    store.SizeIndexFrom("ZAM.Ini");
    for (int i = 0; i < 2999; ++i)
        store.SetFullPathIniValue("F", "S", "k" + std::to_string(i), "v");
    ASSERT_EQ(store.OccupiedSlots(), 3000);
    store.RecordIndexSize("ZAM.Ini");
    EXPECT_EQ(store.FullPathIniValue("ZAM.Ini", "ZAM", "IndexSize"), "12000");
    EXPECT_TRUE(store.FileChanged(store.FileNumber("zam.ini")));
}

// The desktop's locale (Qt sets it) must not change how the setting is read nor what the
// statistics file holds: the same bytes as under the C locale, with "." as decimal point.
TEST_F(IndexSizingTest, ReadAndWrittenTheSameUnderACommaLocale) {
    dir.write("ZAM.Ini", "[ZAM]\r\nIndexSize= 12000.6xyz\r\n");
    auto listing = [&] {
        IniStore fresh(ui);
        fresh.SizeIndexFrom("ZAM.Ini");
        EXPECT_EQ(fresh.IndexSize(), 12001);
        for (int i = 0; i < 3; ++i) fresh.FullPathIniValue("ZAM.Ini", "ZAM", "IndexSize");
        EXPECT_TRUE(fresh.ListHashTable().ok());
        return dir.read("HashTable.csv");
    };
    const std::string plain = listing();
    ScopedCommaLocale comma;
    if (!comma) GTEST_SKIP() << kNoCommaLocale;
    const std::string underComma = listing();
    EXPECT_EQ(underComma, plain);
    EXPECT_THAT(Lines(underComma), ::testing::IsSupersetOf({"Average,  1.000 Hits/Access",
                                                            "Usage,0.00833194467588735"}));
}

}  // namespace
}  // namespace zam::test
