// The real loader between a command file and the stand-in front end: the simulator stand-in is
// run in its own folder and waited for, its time recorded, and the front end always comes back
// unless the command says otherwise.
#include <gmock/gmock.h>

#include "RoundTripFolders.h"
#include "zam/platform/CommandFile.h"

namespace zam::test {
namespace {

using LoaderRoundTrip = RoundTripFolders;

TEST_F(LoaderRoundTrip, RunsTheSimulatorWaitsAndRecordsItsTime) {
    const FileSnapshot before = SnapshotUserFiles(tmp.path());
    const std::vector<std::string> shotsBefore = Screenshots(GplPath());
    // As the "&Run GPL" button writes it: the executable, a blank, no arguments.
    WriteCommand("Run", Gpl() + "GPL.EXE ");

    RunLoaderAndWait();

    std::optional<std::string> record = CommandFile();
    ASSERT_TRUE(record.has_value()) << "the loader left no elapsed time";
    std::optional<std::int64_t> seconds = platform::ParseElapsedRecord(*record);
    ASSERT_TRUE(seconds.has_value()) << *record;
    EXPECT_GE(*seconds, 1) << "the loader did not wait for the simulator";
    EXPECT_EQ(record->find('\n'), record->size() - 1) << "one line only: " << *record;
    EXPECT_EQ(Screenshots(GplPath()).size(), shotsBefore.size() + 1)
        << "the simulator stand-in left no new screenshot";
    ExpectFrontEndBackOnce();
    ExpectUserFilesUnchanged(before);
    EXPECT_FALSE(tmp.exists("prog/ZAM.int.new"));
}

TEST_F(LoaderRoundTrip, TheProgramStartsInItsOwnFolder) {
    WriteRecorder("gpl/Utils/Where.EXE", "where.txt", "sleep 1\n");
    WriteCommand("Run", Gpl() + "Utils/Where.EXE -x");

    RunLoaderAndWait();

    ASSERT_TRUE(tmp.exists("where.txt")) << "the program did not run";
    std::string folder = tmp.read("where.txt");
    EXPECT_TRUE(fs::equivalent(folder.substr(0, folder.find('\n')), GplPath("Utils"))) << folder;
    ASSERT_TRUE(CommandFile().has_value());
    EXPECT_GE(platform::ParseElapsedRecord(*CommandFile()).value_or(-1), 1);
    // The front end is started from the program folder again, not from the program's.
    ExpectFrontEndBackOnce();
}

TEST_F(LoaderRoundTrip, ExitStartsTheProgramAndDoesNotBringTheFrontEndBack) {
    const FileSnapshot before = SnapshotUserFiles(tmp.path());
    WriteRecorder("tools/League Client.EXE", "client.txt");
    WriteCommand("Exit", tmp.logical() + "tools/League Client.EXE --join");
    const std::optional<std::string> command = CommandFile();

    RunLoaderAndWait();

    ASSERT_TRUE(tmp.exists("client.txt")) << "the program was not started";
    std::string folder = tmp.read("client.txt");
    EXPECT_TRUE(fs::equivalent(folder.substr(0, folder.find('\n')), tmp.file("tools")));
    EXPECT_THAT(FrontEndStarts(), ::testing::IsEmpty());
    // Left for the next start of the front end to read and delete.
    EXPECT_EQ(CommandFile(), command);
    ExpectUserFilesUnchanged(before);
}

// Commands the loader cannot carry out: each brings the front end back and touches nothing else.
// A program that could not be started is left in ZAM.int as a failure record for the front end
// to tell; a command with nothing to run leaves ZAM.int as the front end wrote it (or missing).
struct FailedCommand {
    const char* name;
    std::optional<std::string> word;  // nothing: no ZAM.int at all
    std::string commandLine;          // "<gpl>" stands for the installation folder
    std::string reason;               // of the failure record; empty: ZAM.int untouched
};

class LoaderRoundTripFailure : public RoundTripFolders,
                               public testing::WithParamInterface<FailedCommand> {};

TEST_P(LoaderRoundTripFailure, BringsTheFrontEndBackAndLosesNothing) {
    const FailedCommand& c = GetParam();
    // An installation whose simulator file cannot be run: not executable and no Windows program.
    fs::permissions(GplPath("GPL.EXE"), fs::perms::all, fs::perm_options::remove);
    fs::permissions(GplPath("GPL.EXE"), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add);
    if (c.word) {
        std::string line = c.commandLine;
        if (std::size_t at = line.find("<gpl>"); at != std::string::npos) line.replace(at, 5, Gpl());
        WriteCommand(*c.word, line);
    }
    const FileSnapshot before = SnapshotUserFiles(tmp.path());
    const std::optional<std::string> command = CommandFile();
    const std::vector<std::string> shotsBefore = Screenshots(GplPath());

    RunLoaderAndWait();

    ExpectFrontEndBackOnce();
    if (c.reason.empty()) {
        EXPECT_EQ(CommandFile(), command) << "the loader rewrote ZAM.int";
    } else {
        ASSERT_TRUE(CommandFile().has_value());
        std::optional<platform::RunFailure> failure = platform::ParseRunFailure(*CommandFile());
        ASSERT_TRUE(failure.has_value()) << *CommandFile();
        EXPECT_EQ(failure->reason, c.reason);
        EXPECT_EQ("Run\r\n" + failure->commandLine + "\r\n", *command);
        EXPECT_TRUE(fs::equivalent(failure->folder, GplPath())) << failure->folder;
    }
    EXPECT_FALSE(tmp.exists("prog/ZAM.int.new"));
    EXPECT_EQ(Screenshots(GplPath()), shotsBefore);
    ExpectUserFilesUnchanged(before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LoaderRoundTripFailure,
    testing::Values(
        FailedCommand{"UnknownWord", "run", "<gpl>GPL.EXE ", ""},
        FailedCommand{"NoCommandFile", std::nullopt, "", ""},
        // "Change GPL directory": nothing to run, the front end restarts at once.
        FailedCommand{"EmptyCommandLine", "Run", "", ""},
        FailedCommand{"ProgramCannotBeStarted", "Run", "<gpl>GPL.EXE ", "Permission denied"},
        FailedCommand{"ProgramMissing", "Run", "<gpl>Missing.EXE -x", "No such file or directory"},
        FailedCommand{"ExitWithoutProgram", "Exit", "", ""}),
    [](const testing::TestParamInfo<FailedCommand>& p) { return p.param.name; });

}  // namespace
}  // namespace zam::test
