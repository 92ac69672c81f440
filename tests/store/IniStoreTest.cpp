// The store: reading INI files into it, the contract through which the rest of the program reads,
// writes and deletes values, and the hash index that finds them.
#include <gmock/gmock.h>

#include "FailingFileSystem.h"
#include "ScopedCommaLocale.h"
#include "StoreFixture.h"
#include "zam/platform/FileSystem.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Reading INI files into the store: line splitting, parsing and the merging of repeated names.
using IniReadTest = StoreTest;

TEST_F(IniReadTest, EmptyOrMissingFileAddsNothingAndHeadersAloneCreateNoRecords) {
    Load("empty.ini", "");
    store.ReadIniFile(dir.logical() + "missing.ini");
    store.ReadIniFile(dir.logical());  // a folder is not a file
    EXPECT_EQ(store.FileCount(), 0);
    EXPECT_THAT(ui.messages, IsEmpty());
    // Headers alone create no records.
    Load("h.ini", "[A]\r\n[B]\r\nx=1\r\n");
    ASSERT_EQ(store.FileCount(), 1);
    EXPECT_EQ(store.SectionCount(1), 1);
    EXPECT_EQ(store.SectionName(1, 1), "B");
}

// One file a kind of line, each read into its own records.
TEST_F(IniReadTest, CommentBlankEntryHeaderTabAndRepeatedLinesBecomeTheirRecords) {
    Load("c.ini", ";  leading kept, trailing cut   \r\n   \r\n\r\n[S]\r\n;x\r\n");
    EXPECT_THAT(Records(1), ElementsAre("|; *** 1 ***||  leading kept, trailing cut",
                                        "|; *** 2 ***||   ", "|; *** 3 ***||", "S|; *** 4 ***||x"));
    Load("e.ini",
         "top = before any header\r\n"
         "[ Sec One ]  ; header comment is dropped\r\n"
         "name = value ; trailing   \r\n"
         "url=a=b=c\r\n"
         "=no name\r\n"
         "plain words ;kept comment\r\n"
         "[Open header\r\n"
         "k =  v  \r\n");
    EXPECT_THAT(Records(2), ElementsAre("|top|before any header|", "Sec One|name|value| trailing",
                                        "Sec One|url|a=b=c|", "Sec One|||",
                                        "Sec One|||kept comment", "Open header|k|v|"));
    // An empty header is a nameless entry.
    Load("eh.ini", "[A]\r\n[] ;c\r\nx=1\r\n");
    EXPECT_THAT(Records(3), ElementsAre("A|||c", "A|x|1|"));
    // Tabs are removed and control characters blanked.
    Load("t.ini", std::string("na\tme\t=\tv\x01x\xffy\t;\tc\r\n\t;\tcomment\x02\r\n"));
    EXPECT_THAT(Records(4), ElementsAre("|name|v x y|c", "|; *** 1 ***||comment\x02"));
    // Repeated names and sections merge.
    Load("r.ini",
         "[Sound]\r\nVolume=1 ;first\r\nother=x\r\n[SOUND]\r\nvolume=2\r\nnew=y\r\n"
         "[sound]\r\nVOLUME=3 ;third\r\n");
    EXPECT_THAT(Records(5), ElementsAre("Sound|Volume|3|third", "Sound|other|x|", "Sound|new|y|"));
    // Blank lines between line ends are kept.
    Load("b.ini", "a=1\n\r\n\rb=2\r\n\r\n");
    EXPECT_THAT(Records(6), ElementsAre("|a|1|", "|; *** 1 ***||", "|; *** 2 ***||", "|b|2|",
                                        "|; *** 3 ***||"));
}

TEST_F(IniReadTest, SecondReadMergesEveryLineEndEndsOneLineAndNamesIgnoreWindowsCase) {
    std::string path = Load("m.ini", "[S]\r\na=1\r\n;c\r\n");
    Write("m.ini", "[S]\r\nb=2\r\na=9\r\n;c\r\n");
    store.ReadIniFile(path);
    EXPECT_EQ(store.FileCount(), 1);
    EXPECT_THAT(Records(1), ElementsAre("S|a|9|", "S|; *** 1 ***||c", "S|b|2|"));
    EXPECT_EQ(store.FullPathIniValue(path, "s", "A"), "9");

    // Every line end ends one line.
    for (std::string text : {"a=1\nb=2\nc=3", "a=1\rb=2\rc=3\r", "a=1\r\nb=2\nc=3\r\n"}) {
        IniStore fresh(ui);
        fresh.ReadIniFile(Write("le.ini", text));
        ASSERT_EQ(fresh.FileCount(), 1) << text;
        EXPECT_THAT(Records(1, &fresh), ElementsAre("|a|1|", "|b|2|", "|c|3|")) << text;
    }

    // Names compare without regard to Windows case.
    Load("w.ini",
         "[\xe9t\xe9]\r\n\xe0=1\r\nlong_name_ascii_z=2\r\nx`{z@_ab\xe9t\xe9_[max]_tail=3\r\n");
    EXPECT_EQ(store.FullPathIniValue(dir.logical() + "W.INI", "\xc9T\xc9", "\xc0"), "1");
    // Names longer than a word, in plain ASCII and mixed, with the characters beside 'a' and
    // 'z' that have no other case.
    EXPECT_EQ(store.FullPathIniValue(dir.logical() + "w.ini", "\xe9t\xe9", "LONG_NAME_ASCII_Z"),
              "2");
    EXPECT_EQ(store.FullPathIniValue(dir.logical() + "w.ini", "\xe9t\xe9",
                                     "X`{Z@_AB\xc9T\xc9_[MAX]_TAIL"),
              "3");
    EXPECT_EQ(store.FullPathIniValue(dir.logical() + "w.ini", "\xe9t\xe9",
                                     "X@[Z@_AB\xc9T\xc9_[MAX]_TAIL"),
              "");
}

TEST_F(IniReadTest, KeyWithQuestionMarkAddsNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows allows no '?' in a file name, so there is no such file to read";
#endif
    std::string path = Write("q?.ini", "a=1\r\n");
    store.ReadIniFile(path);
    EXPECT_EQ(store.FileCount(), 0);
}

TEST_F(IniReadTest, LoadingMarksNothingCountsNothingAndRestoresInitialising) {
    Initialising = false;
    std::string path = Load("s.ini", "[S]\r\na=1\r\na=2\r\n");
    EXPECT_FALSE(store.FileChanged(1));
    EXPECT_EQ(store.Hits(), 0);
    EXPECT_EQ(store.Mishits(), 0);
    EXPECT_EQ(store.FirstTimeHits(), 0);
    EXPECT_FALSE(Initialising);
    EXPECT_THAT(ui.statusTexts, ElementsAre("Reading \r\r" + path));
    // Initialising is restored when it was set.
    Initialising = true;
    Load("t.ini", "a=1\r\n");
    EXPECT_TRUE(Initialising);
}

// The file vanishing while it is read is silent; its path vanishing ends the program, and so
// does any other failure, as an untrapped error.
TEST_F(IniReadTest, ReadFailuresAreSilentOnlyForAVanishedFile) {
    std::string path = Write("p.ini", "a=1\r\n");
    FailingFileSystem fs;
    fs.Fail(FsOp::kReadAll, 1, platform::kFileNotFound);
    fs.Fail(FsOp::kReadAll, 2, platform::kPathNotFound);
    fs.Fail(FsOp::kReadAll, 3, platform::kIoError);
    platform::ScopedFileSystem use(fs);
    store.ReadIniFile(path);
    EXPECT_EQ(store.FileCount(), 0);
    EXPECT_THAT(ui.messages, IsEmpty());

    EXPECT_THROW(store.ReadIniFile(path), ProgramEnded);
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("Path Error :\r" + path));
    EXPECT_FALSE(Initialising);

    ui.messages.clear();
    ui.ended = false;
    Initialising = true;
    EXPECT_THROW(store.ReadIniFile(path), ProgramEnded);
    EXPECT_THAT(ui.MessageTexts(),
                ElementsAre("Untrapped error  57 Device I/O error\r in ReadIniFile"));
    EXPECT_TRUE(Initialising);
    EXPECT_TRUE(ui.ended);
}

TEST_F(IniReadTest, ManyLinesInOneSectionStayInOrder) {
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
    std::string path = Load("big.ini", text);
    ASSERT_EQ(store.EntryCount(1, 1), 20000);
    EXPECT_EQ(store.Entry({1, 1, 12345}).name, "key12344");
    EXPECT_EQ(store.FullPathIniValue(path, "BIG", "KEY19999"), std::to_string(19999 * 7));
    EXPECT_EQ(store.OccupiedSlots(), 20000);
    EXPECT_GE(store.IndexSize(), 19999);
}

// The contract through which the rest of the program reads, writes and deletes values.
class ValueAccessTest : public StoreTest {
protected:
    ValueAccessTest() {
        store.SetDirectory(dir.logical());
        core =
            Load("Core.ini", "[Sound]\r\nvolume=  Loud Music \r\ncommented=1 ;note\r\nempty=\r\n");
    }
    std::string core;
};

TEST_F(ValueAccessTest, MissingAndEmptyValuesReadAsEmptyAndAnEmptyNameAppends) {
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "missing"), "");
    EXPECT_EQ(store.IniValue("Core.ini", "Nowhere", "volume"), "");
    EXPECT_EQ(store.IniValue("Other.ini", "Sound", "volume"), "");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "empty"), "");
    EXPECT_EQ(store.IniValue("Core.ini", "sound", "VOLUME"), "Loud Music");
    EXPECT_EQ(store.OccupiedSlots(), 3);
    EXPECT_EQ(store.FileCount(), 1);
    // An empty entry name appends, even on a read.
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", ""), "");
    EXPECT_EQ(store.EntryCount(1, 1), 4);
    EXPECT_EQ(store.IniValue("Fresh.ini", "S", ""), "");
    EXPECT_EQ(store.FileCount(), 2);
}

TEST_F(ValueAccessTest, QuestionMarkFilesAreIgnoredAndWritesCreateWhatIsMissingExactly) {
    store.SetFullPathIniValue("a?b", "S", "e", "v");
    store.SetFullPathIniValue("?", "S", "e", "v");
    EXPECT_EQ(store.FullPathIniValue("a?b", "S", "e"), "");
    EXPECT_EQ(store.FileCount(), 1);
    store.DeleteIniEntry(" ? ", "S", "e");
    EXPECT_EQ(store.FileCount(), 1);
    store.DeleteIniEntry("a?b", "S", "e");  // only a key of exactly "?" is ignored here
    ASSERT_EQ(store.FileCount(), 2);
    EXPECT_TRUE(store.Entry({2, 1, 1}).deleted);
    EXPECT_FALSE(store.FileChanged(2));

    store.SetIniValue("Core.ini", "Sound", "volume", "  quiet ");
    store.SetIniValue("Core.ini", "Graphics", "res", "800");
    store.SetIniValue("Players\\New.ini", "A", "b", "c");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "  quiet ");
    EXPECT_EQ(store.SectionName(1, 2), "Graphics");
    EXPECT_EQ(store.FileName(3), dir.logical() + "Players\\New.ini");
    EXPECT_TRUE(store.FileChanged(1));
    EXPECT_TRUE(store.FileChanged(3));
}

TEST_F(ValueAccessTest, WritesDuringStartUpDoNotMarkButTheSameValueOnACommentedEntryDoes) {
    Initialising = true;
    store.SetIniValue("Core.ini", "Sound", "volume", "changed");
    Initialising = false;
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "changed");
    EXPECT_FALSE(store.FileChanged(1));
    // The same value on a commented entry marks the file.
    store.SetIniValue("Core.ini", "Sound", "commented", "1");
    EXPECT_TRUE(store.FileChanged(1));
    EXPECT_EQ(store.Entry({1, 1, 2}).comment, "note");
}

TEST_F(ValueAccessTest, DefaultsFillOnlyEmptyValuesAndValuesWrittenLaterLiveBesideTheReadText) {
    store.SetDefaultValue(core, "Sound", "volume", "x");
    store.SetDefaultValue(core, "Sound", "empty", "filled");
    store.SetDefaultValue(core, "Sound", "absent", "new");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "Loud Music");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "empty"), "filled");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "absent"), "new");
    // Values written later live beside the read text.
    for (int i = 0; i < 200; ++i)
        store.SetIniValue("Core.ini", "Sound", "k" + std::to_string(i),
                          std::string(static_cast<std::size_t>(i), 'x'));
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "Loud Music");
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "k150"), std::string(150, 'x'));
    EXPECT_THAT(store.Entry({1, 1, 2}).comment, "note");
}

TEST_F(ValueAccessTest, DeletionKeepsTheValueAndPlaceUntilRewrittenAndCreatesAMissingEntry) {
    store.DeleteIniValue("Core.ini", "New", "gone");
    IniPosition p = store.LocateIniEntry(core, "New", "gone", false);
    EXPECT_EQ(p, (IniPosition{1, 2, 1}));
    EXPECT_TRUE(store.Entry(p).deleted);
    EXPECT_FALSE(store.FileChanged(1));

    store.DeleteIniValue("Core.ini", "Sound", "volume");
    EXPECT_FALSE(store.FileChanged(1));
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "Loud Music");
    EXPECT_EQ(store.PositionalIniValue({1, 1, 1}), "Loud Music");
    EXPECT_TRUE(store.Entry({1, 1, 1}).deleted);
    store.SetIniValue("Core.ini", "Sound", "volume", "back");
    EXPECT_FALSE(store.Entry({1, 1, 1}).deleted);
    EXPECT_EQ(store.LocateIniEntry(core, "Sound", "volume", false), (IniPosition{1, 1, 1}));
}

TEST_F(ValueAccessTest, OnlyRealChangesMarkTheFilePositionsSeeLaterWritesAndSpellingsDiffer) {
    store.SetIniValue("Core.ini", "Sound", "volume", "Loud Music");
    EXPECT_FALSE(store.FileChanged(1));
    store.SetIniValue("Core.ini", "Sound", "VOLUME", "loud music");
    EXPECT_TRUE(store.FileChanged(1));

    IniPosition p = store.LocateIniEntry(core, "Sound", "volume", false);
    store.SetFullPathIniValue(core, "Sound", "volume", "later");
    EXPECT_EQ(store.PositionalIniValue(p), "later");
    EXPECT_EQ(store.PositionalIniValue({}), "");
    EXPECT_EQ(store.PositionalIniValue({1, 1, 99}), "");
    EXPECT_EQ(store.PositionalIniValue({1, 9, 1}), "");
    EXPECT_EQ(store.PositionalIniValue({7, 1, 1}), "");
    EXPECT_EQ(store.PositionalIniValue({-1, 1, 1}), "");
    // A relative and a full spelling are different files.
    store.SetFullPathIniValue("Core.ini", "Sound", "volume", "bare");
    EXPECT_EQ(store.FileCount(), 2);
    EXPECT_EQ(store.IniValue("Core.ini", "Sound", "volume"), "later");
    EXPECT_EQ(store.FullPathIniValue("CORE.INI", "Sound", "volume"), "bare");
}

TEST_F(ValueAccessTest, ReadTrackDirectoryReadsBelowTheSimulatorFolderAndUnloadSkipsTheWriteBack) {
    Write("Tracks\\Monza\\Track.ini", "[Track]\r\nname=Monza\r\n");
    store.ReadTrackDirectory("Tracks\\Monza\\Track.ini");
    EXPECT_EQ(store.IniValue("tracks\\monza\\track.ini", "track", "NAME"), "Monza");
    // Unloading without saving skips the write-back.
    store.SetIniValue("Core.ini", "Sound", "volume", "x");
    store.UnloadWithoutSaving();
    EXPECT_TRUE(store.SkipSave());
    store.WriteIniFiles();
    EXPECT_FALSE(dir.exists("Core.ini.prv"));
}

// The hash index: keys, home slots, probing, statistics, the statistics file and sizing.

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
