// The whole launch with the real front end and the real loader: "&Run GPL" closes the window
// with everything written, the loader runs the simulator stand-in and brings the front end back,
// and the next start adds the time and archives the new screenshot. The launch works the same
// from a portable program folder and from an installed one.
#include <gmock/gmock.h>

#include <QLabel>
#include <QPushButton>

#include "FolderEntries.h"
#include "FrontEndRoundTrip.h"
#include "TestText.h"
#include "zam/frontend/Screenshots.h"
#include "zam/platform/CommandFile.h"

namespace zam::test {
namespace {

int NumberOf(const std::string& text) { return text.empty() ? 0 : std::stoi(text); }

class FrontEndRoundTripLayouts : public FrontEndRoundTrip,
                                 public testing::WithParamInterface<Layout> {
protected:
    FrontEndRoundTripLayouts() : FrontEndRoundTrip(GetParam()) {}
};

TEST_P(FrontEndRoundTripLayouts, RunGplComesBackWithTheTimeAddedAndTheScreenshotArchived) {
    const std::string zamIniName = SettingsRelative("ZAM.Ini");
    OpenFrontEnd();
    ASSERT_EQ(window->lblGPLTime->text().toStdString(), "Time in GPL 10:00:00");
    ASSERT_TRUE(Screenshots(GplPath()).empty()) << "the start-up archived the demo screenshots";
    const int nextScreenie = NumberOf(window->FrontEndValue("ZAM", "NextScreenie"));
    ASSERT_GT(nextScreenie, 5);

    window->cmdGPL->click();  // "&Run GPL"
    FinishLaunch();

    // Everything was on disk before the loader started: the command and the front end's state.
    const Launch& launch = launches[0];
    EXPECT_EQ(launch.commandLine, "\"" + Prog() + "Rollout\"");
    ASSERT_TRUE(launch.commandFile.has_value());
    EXPECT_EQ(*launch.commandFile, "Run\r\n" + Gpl() + "GPL.EXE \r\n");
    ASSERT_TRUE(launch.userFiles.count(zamIniName));
    EXPECT_EQ(IniLineValue(launch.userFiles.at(zamIniName), "NextScreenie"),
              std::to_string(nextScreenie));
    // The loader changed nothing of it; the stand-in only added its screenshot.
    ExpectUserFilesUnchanged(launch.userFiles);
    const std::vector<std::string> shots = Screenshots(GplPath());
    ASSERT_EQ(shots.size(), 1u);
    const std::optional<std::string> record = CommandFile();
    ASSERT_TRUE(record.has_value());
    const std::optional<std::int64_t> elapsed = platform::ParseElapsedRecord(*record);
    ASSERT_TRUE(elapsed.has_value()) << *record;
    EXPECT_GE(*elapsed, 1);

    OpenFrontEnd();  // the front end started again
    const std::string total = platform::FormatElapsed(10 * 3600 + *elapsed);
    EXPECT_EQ(window->lblGPLTime->text().toStdString(), "Time in GPL " + total);
    EXPECT_FALSE(CommandFile().has_value());
    EXPECT_TRUE(Screenshots(GplPath()).empty());
    EXPECT_TRUE(fs::exists(GplPath("Exports/" + ArchivedScreenshotName(nextScreenie))));
    SaveAndExit();

    const std::string zamIni = tmp.read(zamIniName);
    EXPECT_EQ(IniLineValue(zamIni, "GPLTime"), total);
    EXPECT_EQ(IniLineValue(zamIni, "NextScreenie"), std::to_string(nextScreenie + 1));
    EXPECT_EQ(launches.size(), 1u) << "Save & Exit started the loader";
    EXPECT_FALSE(CommandFile().has_value());
    // The sound that ships with the program, on the first start only.
    EXPECT_THAT(system.sounds, ::testing::ElementsAre(Shipped() + "Startup.wav"));
    // An installed copy writes nothing beside its programs.
    if (GetParam() == Layout::kInstalled) {
        EXPECT_THAT(FolderEntries(ProgPath()), ::testing::ElementsAre("Rollout", "ZAMDeck"));
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FrontEndRoundTripLayouts,
                         testing::Values(Layout::kPortable, Layout::kInstalled),
                         [](const testing::TestParamInfo<Layout>& p) {
                             return p.param == Layout::kInstalled ? "Installed" : "Portable";
                         });

TEST_F(FrontEndRoundTrip, ExitCommandStartsTheProgramAndTheFrontEndStaysAway) {
    WriteRecorder("tools/League Client.EXE", "client.txt");
    OpenFrontEnd();
    // What a launcher button in run mode "Exit" does.
    window->WriteLoaderCommand(tmp.logical() + "tools/League Client.EXE", "Exit");
    ASSERT_TRUE(window->Finished());
    window.reset();
    ASSERT_EQ(launches.size(), 1u);
    WaitForEverything();

    EXPECT_TRUE(tmp.exists("client.txt")) << "the program was not started";
    EXPECT_TRUE(FrontEndStarts().empty()) << "the front end came back";
    ExpectUserFilesUnchanged(launches[0].userFiles);
}

// Loader commands that run nothing: each brings the front end back with no time added, and
// the loader loses nothing the closing front end wrote. A program that could not be started is
// told when the front end is back; a command that had nothing to run is not.
struct Unrunnable {
    const char* name;
    const char* word;
    const char* commandLine;  // relative to the installation; empty stays empty
    bool commandFileLost;     // ZAM.int gone before the loader starts (a failed write)
    const char* told;         // the reason the front end gives; empty: no message
};

class FrontEndRoundTripUnrunnable : public FrontEndRoundTrip,
                                    public testing::WithParamInterface<Unrunnable> {};

TEST_P(FrontEndRoundTripUnrunnable, FrontEndComesBackWithNoTimeAddedAndNothingLost) {
    const Unrunnable& c = GetParam();
    fs::permissions(GplPath("GPL.EXE"), fs::perms::owner_exec | fs::perms::group_exec |
                                            fs::perms::others_exec,
                    fs::perm_options::remove);
    if (c.commandFileLost)
        beforeLoaderStarts = [this] { fs::remove(tmp.file(SettingsRelative("ZAM.int"))); };
    OpenFrontEnd();
    const std::string commandLine = *c.commandLine ? Gpl() + c.commandLine : std::string();
    window->WriteLoaderCommand(commandLine, c.word);
    FinishLaunch();

    const FileSnapshot& written = launches[0].userFiles;
    ExpectUserFilesUnchanged(written);
    ASSERT_TRUE(ui.messages.empty());
    OpenFrontEnd();
    EXPECT_EQ(window->lblGPLTime->text().toStdString(), "Time in GPL 10:00:00");
    EXPECT_FALSE(CommandFile().has_value());
    ExpectUserFilesUnchanged(written);  // the start reads, it does not write
    if (*c.told) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "The program could not be run.\r\n\r\nProgram: " + commandLine +
                                           "\r\nFolder: " + Gpl().substr(0, Gpl().size() - 1) +
                                           "\r\nReason: " + c.told);
    } else {
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FrontEndRoundTripUnrunnable,
    testing::Values(Unrunnable{"ChangeGplDirectory", "Run", "", false, ""},
                    Unrunnable{"UnknownWord", "run", "GPL.EXE ", false, ""},
                    Unrunnable{"MissingCommandFile", "Run", "GPL.EXE ", true, ""},
                    Unrunnable{"ProgramCannotBeStarted", "Run", "GPL.EXE ", false,
                               "Permission denied"}),
    [](const testing::TestParamInfo<Unrunnable>& p) { return p.param.name; });

}  // namespace
}  // namespace zam::test
