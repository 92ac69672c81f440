// The contract through which the rest of the program reads, writes and deletes values.
#include <gmock/gmock.h>

#include "StoreFixture.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;

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
