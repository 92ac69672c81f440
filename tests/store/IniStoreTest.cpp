// The store: reading INI files into it, and the contract through which the rest of the program
// reads, writes and deletes values.
#include <gmock/gmock.h>

#include "FailingFileSystem.h"
#include "StoreFixture.h"

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

}  // namespace
}  // namespace zam::test
