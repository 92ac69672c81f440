// The shared routines: programs, files, searching and text.
#include <gmock/gmock.h>

#include "FailingFileSystem.h"
#include "FakeUi.h"
#include "RecordingLauncher.h"
#include "TempDir.h"
#include "zam/platform/Process.h"
#include "zam/store/Common.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// Programs go to the recording launcher; nothing is started unless a test says so.
class RunAndWaitTest : public testing::Test {
protected:
    FakeUi ui;
    RecordingLauncher launcher;
    platform::ScopedProcessLauncher use{launcher};
};

// A start that fails says which program, from which folder, and why.
TEST_F(RunAndWaitTest, AMissingProgramOrFolderIsReported) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    launcher.startResult = platform::Status::Error(platform::kFileNotFound);
    RunAndWait(ui, "nothing.exe -x");
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_THAT(text,
                ::testing::StartsWith("Utility Not Found\r\n\r\nProgram: nothing.exe -x\r\n"));
    // The folder as the system names the current one (its separator differs from TempDir's).
    const std::string folder = dir.logical().substr(0, dir.logical().size() - 1);
    EXPECT_THAT(text, ::testing::HasSubstr("\r\nFolder: " + folder));
    EXPECT_THAT(text, ::testing::EndsWith("\r\nReason: File not found"));
    EXPECT_EQ(ui.messages[0].title, "ZAM+ Error");
    EXPECT_THAT(launcher.waited, IsEmpty());

    // Windows says "path not found" when the program's folder is missing: the utility is not
    // found all the same, through a launcher that says so and through the real one.
    launcher.startResult = platform::Status::Error(platform::kPathNotFound);
    RunAndWait(ui, "C:\\Gone\\nothing.exe");
    ASSERT_EQ(ui.messages.size(), 2u);
    platform::ScopedProcessLauncher real(platform::NativeProcesses());
    RunAndWait(ui, dir.logical() + "Gone Folder\\tool.exe -x");
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& message : ui.messages)
        EXPECT_THAT(message.text, ::testing::StartsWith("Utility Not Found\r\n"));
}

TEST_F(RunAndWaitTest, StartsAndWaitsOtherStartFailuresAreReportedAndMissingIdsNotWaitedFor) {
    RunAndWait(ui, "\"C:\\Tools\\Setup Editor.exe\" -x");
    EXPECT_THAT(launcher.started, ElementsAre("\"C:\\Tools\\Setup Editor.exe\" -x"));
    EXPECT_THAT(launcher.waited, ElementsAre(101));
    EXPECT_THAT(ui.messages, IsEmpty());

    launcher.startResult = platform::Status::Error(platform::kPermissionDenied);
    RunAndWait(ui, "x.exe");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, ::testing::StartsWith("The utility could not be started."));
    EXPECT_THAT(ui.messages[0].text, ::testing::HasSubstr("Program: x.exe\r\n"));
    EXPECT_THAT(ui.messages[0].text, ::testing::EndsWith("Reason: Permission denied"));
    launcher.startResult = platform::Status::Ok();
    launcher.noProcessId = true;
    RunAndWait(ui, "y.exe");
    EXPECT_THAT(launcher.waited, ElementsAre(101));  // the first start's, and no other
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(ShowMessageTest, EndFlagEndsTheProgram) {
    FakeUi ui;
    ShowMessage(ui, "note", false);
    EXPECT_FALSE(ui.ended);
    EXPECT_THROW(ShowMessage(ui, "fatal", true), ProgramEnded);
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("note", "fatal"));
    EXPECT_EQ(ui.messages[1].title, "ZAM+");
}

TEST(FileExistsTest, OnlyReadableFiles) {
    TempDir dir;
    dir.write("a.txt", "x");
    EXPECT_TRUE(FileExists(dir.logical() + "a.txt"));
    EXPECT_FALSE(FileExists(dir.logical() + "b.txt"));
    EXPECT_FALSE(FileExists(dir.logical()));
    EXPECT_FALSE(FileExists(dir.logical() + "nofolder\\a.txt"));
}

TEST(CopyFilesTest, HcopyGoesToTheSimulatorFolderAndAFailureIsReportedAndStopsCopying) {
    TempDir dir;
    FakeUi ui;
    dir.write("src/hcopy.pbf", "h");
    dir.write("src/one.txt", "1");
    dir.write("src/two.dat", "2");
    dir.write("src/.hidden", "x");
    dir.write("dst/one.txt", "old");
    dir.write("gpl/keep", "");
    CopyFiles(ui, dir.logical() + "src\\", dir.logical() + "dst\\", dir.logical() + "gpl\\");
    EXPECT_EQ(dir.read("dst/one.txt"), "1");
    EXPECT_EQ(dir.read("dst/two.dat"), "2");
    EXPECT_FALSE(dir.exists("dst/hcopy.pbf"));
    EXPECT_FALSE(dir.exists("dst/.hidden"));
    EXPECT_EQ(dir.read("gpl/hcopy.pbf"), "h");
    EXPECT_THAT(ui.messages, IsEmpty());

    // A failure is reported and stops the copying.
    dir.write("more/a.txt", "a");
    dir.write("more/b.txt", "b");
    FailingFileSystem fs;
    fs.Fail(FsOp::kCopy, 1, platform::kDiskFull);
    platform::ScopedFileSystem use(fs);
    CopyFiles(ui, dir.logical() + "more\\", dir.logical() + "dst\\", dir.logical());
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("Disk full in CopyFiles"));
    EXPECT_EQ(fs.Calls(FsOp::kCopy), 1);
}

TEST(FindStringTest, GivesTheZeroBasedOffsetEvenAcrossReadChunksAndReportsAMissingFile) {
    TempDir dir;
    FakeUi ui;
    const auto File = [&](const std::string& bytes) {
        dir.write("f.bin", bytes);
        return dir.logical() + "f.bin";
    };
    std::string bytes(300, '\0');
    bytes.replace(100, 8, "hit_hard");
    bytes.replace(200, 8, "hit_hard");
    std::string path = File(bytes);
    EXPECT_EQ(FindString(ui, path, 1, "hit_hard"), 100);
    EXPECT_EQ(FindString(ui, path, 101, "hit_hard"), 100);
    EXPECT_EQ(FindString(ui, path, 102, "hit_hard"), 200);
    EXPECT_EQ(FindString(ui, path, 202, "hit_hard"), 0);
    EXPECT_EQ(FindString(ui, path, 1, "HIT_HARD"), 0);
    EXPECT_EQ(FindString(ui, path, 301, "h"), 0);
    // Leading spaces match only real bytes.
    EXPECT_EQ(FindString(ui, File("Ab  Ab"), 1, " Ab"), 3);
    // A match across read chunks.
    bytes.assign(200000, 'x');
    bytes.replace(65530, 12, "needle-thing");
    bytes.replace(199990, 10, "at-the-end");
    path = File(bytes);
    EXPECT_EQ(FindString(ui, path, 1, "needle-thing"), 65530);
    EXPECT_EQ(FindString(ui, path, 1, "at-the-end"), 199990);
    EXPECT_THAT(ui.messages, IsEmpty());

    // A missing file is reported.
    EXPECT_EQ(FindString(ui, dir.logical() + "none.exe", 1, "x"), 0);
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("File not found in FindString"));
}

TEST(TextRoutinesTest, ProperCaseStripTabsAndSpacesFormatLapTimeAndUntrappedErrorText) {
    EXPECT_EQ(ProperCase("  c:\\sierra\\gpl\\my players.ini  "), "C:\\sierra\\gpl\\my Players.ini");
    EXPECT_EQ(ProperCase("a  b"), "A  B");
    EXPECT_EQ(ProperCase("   "), "");
    EXPECT_EQ(ProperCase("\xe9t\xe9 \xe0"), "\xc9t\xe9 \xc0");
    EXPECT_EQ(StripTabs("\t\t\t"), "");
    EXPECT_EQ(StripTabs("a\tb c\t"), "ab c");
    EXPECT_EQ(StripSpaces(" a b\tc "), "ab\tc");
    EXPECT_EQ(StripTabs(""), "");
    EXPECT_EQ(FormatLapTime(83.25), "1:23.2500");
    EXPECT_EQ(FormatLapTime(59.7), "0:59.7000");
    EXPECT_EQ(FormatLapTime(60), "1:00.0000");
    EXPECT_EQ(FormatLapTime(59.99999), "1:00.0000");
    EXPECT_EQ(FormatLapTime(605.00004), "10:05.0000");
    EXPECT_EQ(FormatLapTime(0), "0:00.0000");
    EXPECT_EQ(UntrappedErrorText(9, "Subscript out of range", "FindIniEntry"),
              "Untrapped error  9 Subscript out of range\r in FindIniEntry");
}

}  // namespace
}  // namespace zam::test
