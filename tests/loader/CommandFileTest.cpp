// ZAM.int in each of its forms, and the elapsed-time text the two programs exchange.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "FailingFileSystem.h"
#include "FaultSweep.h"
#include "TempDir.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/FileSystem.h"

namespace zam::platform {
namespace {

using ::testing::ElementsAre;

TEST(TimeText, ElapsedIsHoursMinutesSecondsClampedAndReadBackWithTheCounterFormsButNothingElse) {
    EXPECT_EQ(FormatElapsed(0), "00:00:00");
    EXPECT_EQ(FormatElapsed(125), "00:02:05");
    EXPECT_EQ(FormatElapsed(3723), "01:02:03");
    EXPECT_EQ(FormatElapsed(86399), "23:59:59");
    EXPECT_EQ(FormatElapsed(86400), "24:00:00");
    EXPECT_EQ(FormatElapsed(27 * 3600 + 3 * 60 + 9), "27:03:09");
    EXPECT_EQ(FormatElapsed(100 * 3600), "100:00:00");
    // Times outside what the file can carry are clamped.
    EXPECT_EQ(FormatElapsed(-5), "00:00:00");
    EXPECT_EQ(FormatElapsed(kMaxElapsedSeconds), "999999:59:59");
    EXPECT_EQ(FormatElapsed(kMaxElapsedSeconds + 1), "999999:59:59");
    EXPECT_EQ(FormatElapsed(INT64_MAX), "999999:59:59");
    // Read: the loader's form and the counter's twelve-hour one.
    struct Case {
        const char* text;
        std::int64_t seconds;
    };
    const Case cases[] = {
        {"00:02:05", 125},        {"0:02:05", 125},
        {"1:2:3", 3723},          {"23:59:59", 86399},
        {"27:03:09", 97389},      {"0001:00:00", 3600},
        {" \t01:00:00 \t", 3600}, {"999999:59:59", kMaxElapsedSeconds},
        {"12:02:05 AM", 125},     {"1:00:00 pm", 13 * 3600},
        {"12:30:00 PM", 45000},   {"11:59:59PM", 86399},
    };
    for (const Case& c : cases) {
        auto seconds = ParseTimeText(c.text);
        ASSERT_TRUE(seconds.has_value()) << c.text;
        EXPECT_EQ(*seconds, c.seconds) << c.text;
    }
    // Every time it writes reads back.
    for (std::int64_t s :
         {std::int64_t{0}, std::int64_t{59}, std::int64_t{3600}, std::int64_t{86399},
          std::int64_t{86400}, std::int64_t{97389}, std::int64_t{123456789}, kMaxElapsedSeconds})
        EXPECT_EQ(ParseTimeText(FormatElapsed(s)), s) << s;
    // Everything else is rejected.
    for (const char* text : {"",
                             " ",
                             "Run",
                             "Exit",
                             "12:00",
                             "12",
                             "1:60:00",
                             "1:00:60",
                             "-1:00:00",
                             "+1:00:00",
                             "1:000:00",
                             "1::00",
                             ":00:00",
                             "1:00:",
                             "1:00:00:00",
                             "1 :00:00",
                             "1:00:00 XM",
                             "13:00:00 PM",
                             "0:00:00 AM",
                             "AM",
                             "1000000:00:00",
                             "99999999999999999999999:00:00",
                             "01:00:00\r",
                             "\xb9:00:00"})
        EXPECT_FALSE(ParseTimeText(text).has_value()) << text;
}

TEST(LoaderCommandForm, LinesEndAnyWayTwoAreNeededTheCommandLineIsKeptAndTheElapsedRecordIsOne) {
    EXPECT_THAT(SplitCommandFileLines("Run\r\nC:\\GPL\\GPL.EXE \r\n"),
                ElementsAre("Run", "C:\\GPL\\GPL.EXE "));
    EXPECT_THAT(SplitCommandFileLines("Run\nx"), ElementsAre("Run", "x"));
    EXPECT_THAT(SplitCommandFileLines("Run\rx\r"), ElementsAre("Run", "x"));
    EXPECT_THAT(SplitCommandFileLines("Run\r\n\r\n"), ElementsAre("Run", ""));
    EXPECT_THAT(SplitCommandFileLines("\n\r\n"), ElementsAre("", ""));
    EXPECT_THAT(SplitCommandFileLines("Run\r\n"), ElementsAre("Run"));
    EXPECT_THAT(SplitCommandFileLines(""), ElementsAre());
    EXPECT_THAT(SplitCommandFileLines("Caf\xe9\t \r\n"), ElementsAre("Caf\xe9\t "));
    // A command is a word and a command line, the first two lines.
    auto command =
        ParseLoaderCommand("Run\r\nC:\\GPL\\GPL.EXE  -ko\"0:SERVER:password:p\"\r\nx\r\n");
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->word, "Run");
    EXPECT_EQ(command->commandLine, "C:\\GPL\\GPL.EXE  -ko\"0:SERVER:password:p\"");

    EXPECT_FALSE(ParseLoaderCommand("Run\r\n").has_value());
    EXPECT_FALSE(ParseLoaderCommand("").has_value());
    auto empty = ParseLoaderCommand("Run\r\n\r\n");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->commandLine, "");

    EXPECT_EQ(FormatLoaderCommand({"Run", "C:\\GPL\\GPL.EXE "}), "Run\r\nC:\\GPL\\GPL.EXE \r\n");
    EXPECT_EQ(FormatLoaderCommand({"Run", ""}), "Run\r\n\r\n");
    // The elapsed time is one line, read back from line one.
    EXPECT_EQ(FormatElapsedRecord(125), "00:02:05\r\n");
    EXPECT_EQ(ParseElapsedRecord("00:02:05\r\n"), 125);
    EXPECT_EQ(ParseElapsedRecord("27:03:09"), 97389);
    // A command left over by a run that never started holds no time.
    EXPECT_FALSE(ParseElapsedRecord("Run\r\n\r\n").has_value());
    EXPECT_FALSE(ParseElapsedRecord("").has_value());
    EXPECT_FALSE(ParseElapsedRecord("\r\n00:02:05\r\n").has_value());
}

TEST(RunFailureForm, ReadsBackItsFieldsIsNoTimeNorCommandAndIsToldWithProgramFolderAndReason) {
    const RunFailure failure{"Run", "C:\\Sierra\\GPL\\GPL.EXE ", "C:\\Sierra\\GPL",
                             "The system cannot find the file specified."};
    const std::string bytes = FormatRunFailure(failure);
    EXPECT_EQ(bytes,
              "Failed\r\nRun\r\nC:\\Sierra\\GPL\\GPL.EXE \r\nC:\\Sierra\\GPL\r\n"
              "The system cannot find the file specified.\r\n");
    std::optional<RunFailure> read = ParseRunFailure(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->word, failure.word);
    EXPECT_EQ(read->commandLine, failure.commandLine);
    EXPECT_EQ(read->folder, failure.folder);
    EXPECT_EQ(read->reason, failure.reason);
    // What the front end and the loader read today: no time to add, no command to carry out.
    EXPECT_FALSE(ParseElapsedRecord(bytes).has_value());
    ASSERT_TRUE(ParseLoaderCommand(bytes).has_value());
    EXPECT_EQ(ParseLoaderCommand(bytes)->word, "Failed");

    // A reason with line breaks of its own (Windows ends its texts with one) stays on its line.
    std::optional<RunFailure> broken =
        ParseRunFailure(FormatRunFailure({"Shutdown", "", "", "Access is denied.\r\nTry again"}));
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(broken->reason, "Access is denied.  Try again");
    EXPECT_EQ(broken->commandLine, "");
    // Lines cut off read as empty fields; anything else is no failure record.
    EXPECT_EQ(ParseRunFailure("Failed\r\nExit\r\n")->word, "Exit");
    EXPECT_EQ(ParseRunFailure("Failed")->reason, "");
    EXPECT_FALSE(ParseRunFailure("00:02:05\r\n").has_value());
    EXPECT_FALSE(ParseRunFailure("Run\r\nFailed\r\n").has_value());
    EXPECT_FALSE(ParseRunFailure("failed\r\n").has_value());
    // It is told as what did not happen, then program, folder and reason.
    EXPECT_EQ(DescribeRunFailure({"Run", "C:\\GPL\\GPL.EXE ", "C:\\GPL", "File not found"}),
              "The program could not be run.\r\n\r\nProgram: C:\\GPL\\GPL.EXE \r\n"
              "Folder: C:\\GPL\r\nReason: File not found");
    EXPECT_EQ(DescribeRunFailure({"Restart", "", "", ""}), "The computer was not restarted.");
    EXPECT_THAT(DescribeRunFailure({"Exit", "x.exe", "", "gone"}),
                ::testing::StartsWith("The program could not be started."));
    EXPECT_THAT(DescribeRunFailure({"Jump", "", "", ""}), ::testing::HasSubstr("\"Jump\""));
}

class CommandFileOnDisk : public ::testing::Test {
protected:
    test::TempDir dir;
    const std::string path = dir.logical() + "ZAM.int";
};

TEST_F(CommandFileOnDisk, CommandWrittenByTheFrontEndIsReadByTheLoaderAndReplacedWholeByItsAnswer) {
    ASSERT_TRUE(WriteLoaderCommand(path, {"Run", "C:\\Sierra\\GPL\\GPL.EXE "}));
    EXPECT_EQ(dir.read("ZAM.int"), "Run\r\nC:\\Sierra\\GPL\\GPL.EXE \r\n");
    EXPECT_FALSE(dir.exists("ZAM.int.new"));

    LoaderCommand command;
    ASSERT_TRUE(ReadLoaderCommand(path, command));
    EXPECT_EQ(command.word, "Run");
    EXPECT_EQ(command.commandLine, "C:\\Sierra\\GPL\\GPL.EXE ");

    // The elapsed time, or a failure, replaces the whole command.
    dir.write("ZAM.int", "Run\r\nC:\\Sierra\\GPL\\GPL.EXE -ko\"0:SERVER:launch:1\"\r\n");
    ASSERT_TRUE(WriteElapsedTime(path, 3723));
    EXPECT_EQ(dir.read("ZAM.int"), "01:02:03\r\n");

    std::optional<std::int64_t> seconds;
    ASSERT_TRUE(ReadElapsedTime(path, seconds));
    EXPECT_EQ(seconds, 3723);

    ASSERT_TRUE(WriteRunFailure(path, {"Run", "GPL.EXE ", "C:\\GPL", "gone"}));
    EXPECT_EQ(dir.read("ZAM.int"), "Failed\r\nRun\r\nGPL.EXE \r\nC:\\GPL\r\ngone\r\n");
    EXPECT_FALSE(dir.exists("ZAM.int.new"));
    std::optional<RunFailure> failure;
    ASSERT_TRUE(ReadRunFailure(path, failure));
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, "gone");
}

TEST_F(CommandFileOnDisk, ReadFailuresSayWhatIsWrongAndAFailedWriteLeavesTheOldFileWhole) {
    LoaderCommand command;
    EXPECT_EQ(ReadLoaderCommand(path, command).code, kFileNotFound);
    dir.write("ZAM.int", "Run\r\n");
    EXPECT_EQ(ReadLoaderCommand(path, command).code, kInputPastEndOfFile);

    std::optional<std::int64_t> seconds = 7;
    dir.write("ZAM.int", "Run\r\n\r\n");
    ASSERT_TRUE(ReadElapsedTime(path, seconds));
    EXPECT_FALSE(seconds.has_value());
    std::optional<RunFailure> failure = RunFailure{};
    ASSERT_TRUE(ReadRunFailure(path, failure));
    EXPECT_FALSE(failure.has_value());
    EXPECT_EQ(ReadRunFailure(dir.logical() + "NoSuch.int", failure).code, kFileNotFound);
    const std::string before = "Run\r\nC:\\Sierra\\GPL\\GPL.EXE \r\n";
    dir.write("ZAM.int", before);
    test::FailingFileSystem failing;
    ScopedFileSystem scoped(failing);
    // The disk fills up half-way through the temporary file.
    failing.Before(test::FsOp::kWriteNew, 1, [&] { dir.write("ZAM.int.new", "00:0"); });
    failing.Fail(test::FsOp::kWriteNew, 1, kDiskFull);
    // A refusal that lasts, not a scanner's moment.
    failing.Fail(test::FsOp::kRename, 0, kPermissionDenied);

    EXPECT_EQ(WriteElapsedTime(path, 125).code, kDiskFull);
    EXPECT_EQ(WriteLoaderCommand(path, {"Exit", ""}).code, kPermissionDenied);
    failing.Fail(test::FsOp::kWriteNew, 3, kDiskFull);
    EXPECT_EQ(WriteRunFailure(path, {"Run", "x", "", "y"}).code, kDiskFull);

    EXPECT_EQ(dir.read("ZAM.int"), before);
    EXPECT_FALSE(dir.exists("ZAM.int.new"));
}

// Every changing step of writing ZAM.int failed in turn, for both of its writers: the file is the
// whole previous record or the whole new one, no temporary file stays behind where it could be
// removed, and the writer's answer says which.
TEST(FaultInjectionCommandFile, EveryFailedStepOfEitherWriterLeavesTheWholeOldOrNewFile) {
    const std::function<Status(const std::string&)> writers[] = {
        [](const std::string& path) {
            return WriteLoaderCommand(path,
                                      {"Run", "\"C:\\Sierra\\GPL\\GPL.EXE\" -connect 10.0.0.1"});
        },
        [](const std::string& path) { return WriteElapsedTime(path, 27 * 3600 + 189); }};
    for (const auto& write : writers) {
        SCOPED_TRACE(&write == &writers[0] ? "the command" : "the elapsed time");
        const test::SweepResult sweep = test::SweepOneFileWriter(
            {"ZAM.int",
             "Run\r\n\"C:\\Sierra\\GPL\\GPL.EXE\" -monitor\r\n",
             2,
             [&write](const std::string& path) { return write(path).ok(); },
             {}});
        test::TallyFaults("ZAM.int (platform command file)", sweep.injected);
    }
}

}  // namespace
}  // namespace zam::platform
