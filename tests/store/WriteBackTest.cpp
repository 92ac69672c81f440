// The write-back: normalised layout, backups, the hooks of other writers and failures.
#include <gmock/gmock.h>

#include <filesystem>

#include "FailingFileSystem.h"
#include "FaultSweep.h"
#include "StoreFixture.h"
#include "zam/store/Common.h"
#include "zam/store/FileRestore.h"
#include "zam/store/IniDifference.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WriteBackTest : public StoreTest {
protected:
    // Reads `text` as `name`, changes one value so the file is written, writes every changed file.
    std::string Rewrite(const std::string& name, const std::string& text) {
        std::string path = Load(name, text);
        std::int32_t file = store.FileNumber(path);
        EXPECT_TRUE(store.WriteIniFile(file));
        return dir.read(name);
    }
};

// Each file below is read, written back and compared; names decide the style.
TEST_F(WriteBackTest, LayoutOfSimulatorSeasonAndGlideFilesCommentsBlankLinesAndNamelessEntries) {
    EXPECT_EQ(Rewrite("Core.ini",
                      "; head\r\n\r\n\r\n[Sound]\r\nvolume=5\r\n;  indented note\r\n\r\n"
                      "[Graphics]\r\nres = 800 x 600\r\n"),
              "; head\r\n\r\n[ Sound ]\r\nvolume = 5\r\n;  indented note\r\n\r\n"
              "[ Graphics ]\r\nres = 800 x 600\r\n");
    // Season and Glide files keep their tight style.
    EXPECT_EQ(Rewrite("67SEASON.INI", "[Event1]\r\nname = Monaco\r\n"),
              "[Event1]\r\nname=Monaco\r\n");
    EXPECT_EQ(Rewrite("Seasons_gp.ini", "[Event1]\r\nname = Monaco\r\n"),
              "[Event1]\r\nname=Monaco\r\n");
    EXPECT_EQ(Rewrite("Glide.ini", "[Glide]\r\nmode=1\r\n"), "[Glide]\r\nmode = 1\r\n");
    // Longest name + value is 20 characters: comments start after column 26, then a tab.
    EXPECT_EQ(Rewrite("c.ini", "[S]\r\nabcdefghij=0123456789\r\nx=1 ; one\r\n"),
              "[ S ]\r\nabcdefghij = 0123456789\r\nx = 1" + std::string(21, ' ') + "\t; one\r\n");
    // A long line still gets one space before its comment.
    EXPECT_EQ(Rewrite("long.ini", "[S]\r\nabcdefghij=0123456789;c\r\n"),
              "[ S ]\r\nabcdefghij = 0123456789   \t;c\r\n");
    // Blank and space lines.
    EXPECT_EQ(Rewrite("b.ini", "\r\n\r\na=1\r\n\r\n\r\n   \r\n\r\nb=2\r\n"),
              "a = 1\r\n\r\n;   \r\n\r\nb = 2\r\n");
    // Nameless entries keep only their comment.
    EXPECT_EQ(Rewrite("n.ini", "[S]\r\nwords ;kept\r\n=gone\r\nx=1\r\n"),
              "[ S ]\r\n        \t;kept\r\n\r\nx = 1\r\n");
}

TEST_F(WriteBackTest, DeletedEntriesAndEmptiedSectionsGoAndAddedOnesComeLast) {
    std::string path =
        Load("d.ini", "[A]\r\na=1\r\n[B]\r\n;about b\r\nb=2\r\n[C]\r\nc=3\r\nd=4\r\n");
    store.DeleteIniEntry(path, "B", "b");
    store.DeleteIniEntry(path, "C", "c");
    ASSERT_TRUE(store.WriteIniFile(1));
    EXPECT_EQ(dir.read("d.ini"), "[ A ]\r\na = 1\r\n;about b\r\n\r\n[ C ]\r\nd = 4\r\n");

    const std::string added = Load("n.ini", "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    store.SetFullPathIniValue(added, "a", "z", "26");
    store.SetFullPathIniValue(added, "New", "n", "x");
    ASSERT_TRUE(store.WriteIniFile(2));
    EXPECT_EQ(dir.read("n.ini"),
              "[ A ]\r\na = 1\r\nz = 26\r\n\r\n[ B ]\r\nb = 2\r\n\r\n[ New ]\r\nn = x\r\n");
}

TEST_F(WriteBackTest, BackupsBakKeptPrvReplacedAndARestorePutsOneBackByteForByteAndCanBeUndone) {
    std::string path = Load("Core.ini", "[S]\r\nv=1\r\n");
    store.SetFullPathIniValue(path, "S", "v", "2");
    store.WriteIniFiles();
    EXPECT_EQ(dir.read("Core.ini.bak"), "[S]\r\nv=1\r\n");
    EXPECT_EQ(dir.read("Core.ini.prv"), "[S]\r\nv=1\r\n");
    EXPECT_EQ(dir.read("Core.ini"), "[ S ]\r\nv = 2\r\n");

    IniStore next(ui);  // a later run
    next.ReadIniFile(path);
    next.SetFullPathIniValue(path, "S", "v", "3");
    next.WriteIniFiles();
    EXPECT_EQ(dir.read("Core.ini.bak"), "[S]\r\nv=1\r\n");
    EXPECT_EQ(dir.read("Core.ini.prv"), "[ S ]\r\nv = 2\r\n");
    EXPECT_EQ(dir.read("Core.ini"), "[ S ]\r\nv = 3\r\n");
    EXPECT_FALSE(dir.exists("Core.ini.zamtmp"));

    // Then the file is put back as each backup in turn, and each restore undone.
    const std::string bak = dir.read("Core.ini.bak"), prv = dir.read("Core.ini.prv"),
                      last = dir.read("Core.ini");

    EXPECT_EQ(RestoreFile(path, BackupKind::kPrevious).outcome, RestoreResult::Outcome::kRestored);
    EXPECT_EQ(dir.read("Core.ini"), prv);
    EXPECT_EQ(dir.read("Core.ini.rst"), last);
    // Undoing the restore swaps the file and ".rst" again; the write-back's backups stay.
    EXPECT_EQ(RestoreFile(path, BackupKind::kBeforeRestore).outcome,
              RestoreResult::Outcome::kRestored);
    EXPECT_EQ(dir.read("Core.ini"), last);
    EXPECT_EQ(dir.read("Core.ini.rst"), prv);
    EXPECT_EQ(RestoreFile(path, BackupKind::kOriginal).outcome, RestoreResult::Outcome::kRestored);
    EXPECT_EQ(dir.read("Core.ini"), bak);
    EXPECT_EQ(dir.read("Core.ini.bak"), bak);
    EXPECT_EQ(dir.read("Core.ini.prv"), prv);

    // Putting back what is already there writes nothing, so ".rst" still leads back.
    EXPECT_EQ(RestoreFile(path, BackupKind::kOriginal).outcome, RestoreResult::Outcome::kUnchanged);
    EXPECT_EQ(dir.read("Core.ini.rst"), last);
    EXPECT_THAT(FilesBelow(dir.path()),
                ElementsAre("Core.ini", "Core.ini.bak", "Core.ini.prv", "Core.ini.rst"));
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(WriteBackTest, RestoreWithoutTheBackupOrFolderChangesNothingAndItsPreviewListsChanges) {
    const std::string path = Write("Core.ini", "[S]\r\nv=1\r\n");
    const RestoreResult none = RestoreFile(path, BackupKind::kOriginal);
    EXPECT_EQ(none.outcome, RestoreResult::Outcome::kNoBackup);
    EXPECT_THAT(none.message, ::testing::HasSubstr("Core.ini.bak"));
    const RestoreResult gone = RestoreFile(dir.logical() + "gone/Core.ini", BackupKind::kPrevious);
    EXPECT_EQ(gone.outcome, RestoreResult::Outcome::kNoBackup);
    EXPECT_THAT(FilesBelow(dir.path()), ElementsAre("Core.ini"));

    // The backup is there but its file's folder is not writable as a file: a folder stands in the
    // file's place, so nothing can be renamed over it.
    dir.write("Busy.ini/inside", "x");
    dir.write("Busy.ini.prv", "[S]\r\nv=1\r\n");
    const RestoreResult blocked = RestoreFile(dir.logical() + "Busy.ini", BackupKind::kPrevious);
    EXPECT_EQ(blocked.outcome, RestoreResult::Outcome::kFailed);
    EXPECT_THAT(blocked.message, ::testing::HasSubstr("Busy.ini"));
    EXPECT_EQ(dir.read("Busy.ini/inside"), "x");
    EXPECT_FALSE(dir.exists("Busy.ini.zamtmp"));

    // What a restore would change, read as the store reads: names without regard to case, values
    // exactly, comments and layout not at all, a repeated name matched occurrence by occurrence.
    const auto differences = CompareIniTexts(
        "top=1\r\n[ Sound ]\r\nVolume = 5   ;loud\r\nmute=0\r\n[Keys]\r\nk=a\r\nk=b\r\n",
        "; old\r\ntop=1\r\n[sound]\r\nvolume=4\r\nMUTE=0\r\n[keys]\r\nk=a\r\nk=c\r\nnew=x\r\n");
    std::vector<std::string> lines;
    for (const IniDifference& d : differences)
        lines.push_back(d.section + "|" + d.entry + "|" + (d.inCurrent ? d.current : "-") + "|" +
                        (d.inOther ? d.other : "-"));
    EXPECT_THAT(lines, ElementsAre("Sound|Volume|5|4", "Keys|k|b|c", "keys|new|-|x"));
    EXPECT_THAT(CompareIniTexts("[a]\r\nx=1\r\n", "[ A ]\n\nX = 1\n; note\n"), IsEmpty());
}

TEST_F(WriteBackTest, NewFileIsCreatedWithoutBackupsAndAWritePathSendsAFileElsewhere) {
    store.SetDirectory(dir.logical());
    store.SetIniValue("Fresh.ini", "S", "k", "v");
    store.WriteIniFiles();
    EXPECT_EQ(dir.read("Fresh.ini"), "[ S ]\r\nk = v\r\n");
    EXPECT_FALSE(dir.exists("Fresh.ini.bak"));
    EXPECT_FALSE(dir.exists("Fresh.ini.prv"));
    EXPECT_THAT(ui.messages, IsEmpty());

    // A write path sends a file elsewhere.
    std::string a = Load("Old\\Player.ini", "[P]\r\nx=1\r\n");
    dir.write("New\\keep.txt", "");
    store.SetFullPathIniValue(a, "P", "x", "2");
    store.SetWritePath(2, dir.logical() + "New\\Player.ini");
    EXPECT_EQ(store.WritePath(2), dir.logical() + "New\\Player.ini");
    store.WriteIniFiles();
    EXPECT_EQ(dir.read("New\\Player.ini"), "[ P ]\r\nx = 2\r\n");
    EXPECT_EQ(dir.read("Old\\Player.ini"), "[P]\r\nx=1\r\n");
}

TEST_F(WriteBackTest, AnotherWriterMayTakeAFileAndOnlyChangedFilesAreWrittenInOrder) {
    std::string a = Load("a.ini", "x=1\r\n");
    store.SetFullPathIniValue(a, "", "x", "2");
    std::vector<std::int32_t> offered;
    store.alternateWriter = [&](std::int32_t f) {
        offered.push_back(f);
        return true;
    };
    store.WriteIniFiles();
    EXPECT_THAT(offered, ElementsAre(1));
    EXPECT_EQ(dir.read("a.ini"), "x=1\r\n");

    // Without it, only changed files are written, in the order of the files.
    store.alternateWriter = nullptr;
    std::string b = Load("b.ini", "x=1\r\n");
    std::string c = Load("c.ini", "x=1\r\n");
    store.SetFullPathIniValue(c, "", "x", "2");
    store.SetFullPathIniValue(a, "", "x", "3");
    std::vector<std::int32_t> written;
    store.afterFileWritten = [&](std::int32_t f) {
        written.push_back(f);
        store.SetFullPathIniValue(dir.logical() + "late.ini", "", "x", "1");  // not written
    };
    store.WriteIniFiles();
    EXPECT_THAT(written, ElementsAre(1, 3));
    EXPECT_EQ(dir.read("b.ini"), "x=1\r\n");
    EXPECT_FALSE(dir.exists("late.ini"));
}

TEST_F(WriteBackTest, TempFileGoesBesideTheFileNotIntoTheCurrentFolder) {
    std::string path = Load("sub\\f.ini", "x=1\r\n");
    store.SetFullPathIniValue(path, "", "x", "2");
    FailingFileSystem fs;
    platform::ScopedFileSystem use(fs);
    store.WriteIniFiles();
    std::vector<std::string> steps;
    for (const auto& line : fs.Log())
        if (line.rfind("WriteNew", 0) == 0 || line.rfind("Copy", 0) == 0 ||
            line.rfind("Rename", 0) == 0)
            steps.push_back(line);
    EXPECT_THAT(steps,
                ElementsAre("Copy " + path + " -> " + path + ".bak", "WriteNew " + path + ".zamtmp",
                            "Copy " + path + " -> " + path + ".prv",
                            "Rename " + path + ".zamtmp -> " + path));
}

// The temporary file is always a new one of its own: a file of the user's named "temp.ini", or a
// temporary left by an earlier crash (in any letter case), is never written over or renamed.
TEST_F(WriteBackTest, TheTemporaryFileNeverTakesTheNameOfAnExistingFile) {
    const std::string path = Load("f.ini", "x=1\r\n");
    const std::string named = Load("sub\\temp.ini", "y=1\r\n");
    dir.write("temp.ini", "the user's own");
    dir.write("F.INI.ZAMTMP", "left by a crash");
    store.SetFullPathIniValue(path, "", "x", "2");
    store.SetFullPathIniValue(named, "", "y", "2");
    store.WriteIniFiles();
    EXPECT_EQ(dir.read("f.ini"), "x = 2\r\n");
    EXPECT_EQ(dir.read("temp.ini"), "the user's own");
    EXPECT_EQ(dir.read("F.INI.ZAMTMP"), "left by a crash");
    EXPECT_FALSE(dir.exists("f.ini.2.zamtmp"));
    EXPECT_EQ(dir.read("sub/temp.ini"), "y = 2\r\n");
    EXPECT_EQ(dir.read("sub/temp.ini.prv"), "y=1\r\n");
    EXPECT_THAT(ui.messages, IsEmpty());
}

// Failures during the write-back: the old file always survives, and the user hears of it.
class WriteBackFailureTest : public StoreTest {
protected:
    WriteBackFailureTest() {
        path = Load("Core.ini", "[S]\r\nv=1\r\n");
        store.SetFullPathIniValue(path, "S", "v", "2");
    }
    static constexpr const char* kOld = "[S]\r\nv=1\r\n";
    static constexpr const char* kNew = "[ S ]\r\nv = 2\r\n";
    std::string path;
    FailingFileSystem fs;
};

// Each step failed in turn (the first copy makes ".bak", the second ".prv"): the old file stays,
// no temporary file is left, the user hears why the file was not updated, and the other files
// are written all the same.
TEST_F(WriteBackFailureTest, AFailedStepLeavesTheOldFileAndTellsTheUserAndOthersAreStillWritten) {
    struct Case {
        FsOp op;
        int nth, code, writes;
        bool bak, prv;
    };
    for (const Case& c : {Case{FsOp::kCopy, 1, platform::kIoError, 0, false, false},
                          Case{FsOp::kWriteNew, 1, platform::kDiskFull, 1, true, false},
                          Case{FsOp::kCopy, 2, platform::kIoError, 1, true, false},
                          Case{FsOp::kRename, 1, platform::kIoError, 1, true, true}}) {
        SCOPED_TRACE(std::string(FsOpName(c.op)) + " " + std::to_string(c.nth));
        std::filesystem::remove(dir.file("Core.ini.bak"));
        std::filesystem::remove(dir.file("Core.ini.prv"));
        ui.messages.clear();
        FailingFileSystem failing;
        failing.Fail(c.op, c.nth, c.code);
        platform::ScopedFileSystem use(failing);
        EXPECT_FALSE(store.WriteIniFile(1));
        EXPECT_EQ(dir.read("Core.ini"), kOld);
        EXPECT_FALSE(dir.exists("Core.ini.zamtmp"));
        EXPECT_EQ(failing.Calls(FsOp::kWriteNew), c.writes);
        EXPECT_EQ(dir.exists("Core.ini.bak") && dir.read("Core.ini.bak") == kOld, c.bak);
        EXPECT_EQ(dir.exists("Core.ini.prv"), c.prv);
        EXPECT_THAT(ui.MessageTexts(),
                    ElementsAre(platform::ErrorDescription(c.code) + " while saving " +
                                ProperCase(path) + "\rFile will not be updated"));
    }

    std::string other = Load("Other.ini", "a=1\r\n");
    store.SetFullPathIniValue(other, "", "a", "2");
    fs.Fail(FsOp::kRename, 1);
    platform::ScopedFileSystem use(fs);
    store.WriteIniFiles();
    EXPECT_EQ(dir.read("Core.ini"), kOld);
    EXPECT_EQ(dir.read("Other.ini"), "a = 2\r\n");
}

TEST_F(WriteBackFailureTest, ReadOnlyFileIsMadeWritableAndWritten) {
    namespace fsys = std::filesystem;
    fsys::permissions(dir.file("Core.ini"), fsys::perms::owner_read | fsys::perms::group_read);
    EXPECT_TRUE(store.WriteIniFile(1));
    EXPECT_EQ(dir.read("Core.ini"), kNew);
    EXPECT_EQ(dir.read("Core.ini.prv"), kOld);
    EXPECT_THAT(ui.messages, IsEmpty());

    // The backups copied from a read-only file are read-only too; the next write-back replaces
    // ".prv" all the same.
    IniStore next(ui);
    next.ReadIniFile(path);
    next.SetFullPathIniValue(path, "S", "v", "3");
    EXPECT_TRUE(next.WriteIniFile(1));
    EXPECT_EQ(dir.read("Core.ini.prv"), kNew);
}

// A file held open by an editor, a backup tool or a virus scanner (a sharing violation on
// Windows), or refused for want of rights, is not read-only: a scanner's moment is waited out,
// a hold that lasts longer than a second or two is reported, and the user learns that the file
// was not updated.
TEST_F(WriteBackFailureTest, AccessErrorOnAWritableFileIsWaitedOutThenReported) {
    for (const int code : {platform::kPathFileAccessError, platform::kPermissionDenied}) {
        ui.messages.clear();
        FailingFileSystem held;
        held.Fail(FsOp::kRename, 1, code);
        held.Fail(FsOp::kRename, 2, code);
        {
            platform::ScopedFileSystem use(held);
            EXPECT_TRUE(store.WriteIniFile(1));
        }
        EXPECT_EQ(dir.read("Core.ini"), kNew);
        EXPECT_THAT(ui.messages, IsEmpty());
        EXPECT_GT(held.Paused().count(), 0);
        dir.write("Core.ini", kOld);

        FailingFileSystem failing;
        failing.Fail(FsOp::kRename, 0, code);
        platform::ScopedFileSystem use(failing);
        EXPECT_FALSE(store.WriteIniFile(1));
        EXPECT_EQ(dir.read("Core.ini"), kOld);
        EXPECT_FALSE(dir.exists("Core.ini.zamtmp"));
        EXPECT_EQ(failing.Calls(FsOp::kClearReadOnly), 0);
        EXPECT_GE(failing.Paused().count(), 1000);
        EXPECT_LE(failing.Paused().count(), 2000);
        EXPECT_THAT(ui.MessageTexts(),
                    ElementsAre(platform::ErrorDescription(code) + " while saving " +
                                ProperCase(path) + "\rFile will not be updated"));
    }
}

TEST_F(WriteBackFailureTest, AFileVanishingBetweenStepsIsCreatedAnewButAMissingFolderIsReported) {
    fs.Before(FsOp::kCopy, 2, [&] { std::filesystem::remove(dir.file("Core.ini")); });
    platform::ScopedFileSystem use(fs);
    EXPECT_TRUE(store.WriteIniFile(1));
    EXPECT_EQ(dir.read("Core.ini"), kNew);
    EXPECT_EQ(dir.read("Core.ini.bak"), kOld);
    EXPECT_FALSE(dir.exists("Core.ini.prv"));
    EXPECT_THAT(ui.messages, IsEmpty());

    // A folder that is gone (or a path Windows cannot reach) leaves its file unwritten, and the
    // user is told so.
    const std::string lost = dir.logical() + "NoSuchFolder\\x.ini";
    store.SetFullPathIniValue(lost, "S", "v", "1");
    EXPECT_FALSE(store.WriteIniFile(2));
    EXPECT_FALSE(dir.exists("NoSuchFolder"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.MessageTexts()[0], ::testing::HasSubstr(ProperCase(lost)));
}

// At every step a complete file exists; as on Windows, replacing a read-only file fails until its
// attribute is cleared, and the step is retried.
TEST_F(WriteBackFailureTest, AtEveryStepACompleteFileExistsAndAReadOnlyTargetIsClearedAndRetried) {
    std::vector<std::string> seen;
    auto look = [&] { seen.push_back(dir.read("Core.ini")); };
    fs.Before(FsOp::kCopy, 1, look);
    fs.Before(FsOp::kWriteNew, 1, look);
    fs.Before(FsOp::kCopy, 2, look);
    fs.Fail(FsOp::kRename, 1, platform::kPermissionDenied);
    fs.Before(FsOp::kRename, 1, [&] {
        look();
        std::filesystem::permissions(dir.file("Core.ini"), std::filesystem::perms::owner_read);
    });
    platform::ScopedFileSystem use(fs);
    ASSERT_TRUE(store.WriteIniFile(1));
    look();
    EXPECT_THAT(seen, ElementsAre(kOld, kOld, kOld, kOld, kNew));
    EXPECT_EQ(fs.Calls(FsOp::kClearReadOnly), 1);
    EXPECT_EQ(fs.Calls(FsOp::kRename), 2);
}

}  // namespace
}  // namespace zam::test
