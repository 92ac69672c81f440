// Failures during the write-back: the old file always survives, and the user hears of it.
#include <gmock/gmock.h>

#include <filesystem>

#include "FailingFileSystem.h"
#include "StoreFixture.h"
#include "zam/store/Common.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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
