// Reading INI files into the store: line splitting, parsing and the merging of repeated names.
#include <gmock/gmock.h>

#include "FailingFileSystem.h"
#include "StoreFixture.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

}  // namespace
}  // namespace zam::test
