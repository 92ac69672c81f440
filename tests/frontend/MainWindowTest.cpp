// The main window on a demo installation: start-up, launch, modes, closing, player and class;
// beside each window test, the tests of the part the window builds that feature from (the time
// counter, screenshots, the launch command, the session state, the class suffix, the geometry).
#include <gmock/gmock.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <optional>
#include <stdexcept>

#include "DialogTestSupport.h"
#include "FailingFileSystem.h"
#include "FakeUi.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "WindowFixture.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/ClassSuffix.h"
#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/LauncherButtonsTab.h"
#include "zam/frontend/Screenshots.h"
#include "zam/frontend/SessionState.h"
#include "zam/frontend/SkippedSteps.h"
#include "zam/frontend/TimeCounter.h"
#include "zam/frontend/TrackListsTab.h"
#include "zam/frontend/WindowGeometry.h"
#include "zam/frontend/frmEditSeasonEntry.h"
#include "zam/frontend/frmFileSelect.h"
#include "zam/frontend/frmRestore.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/Process.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {
namespace {

using controls::ucDropDown;

std::string Label(QLabel* label) {
    return label->text().toStdString();
}

// ---- Start-up ------------------------------------------------------------------------------

TEST(TimeCounter, AddsARunToTheTotalPastADayAndReadsCaptionAndElapsedTime) {
    EXPECT_EQ(AddToTimer("22:00:00", 3723), "23:02:03");
    EXPECT_EQ(AddToTimer("", 3723), "01:02:03");
    EXPECT_EQ(AddToTimer("garbage", 59), "00:00:59");
    EXPECT_EQ(AddToTimer("05:06:07", 0), "05:06:07");
    // A day in the simulator is never folded back to zero.
    EXPECT_EQ(AddToTimer("23:30:00", 3723), "24:32:03");
    EXPECT_EQ(AddToTimer("123:59:59", 1), "124:00:00");
    EXPECT_EQ(TimerSeconds("100:00:00"), 360000);
    EXPECT_EQ(TimerCaption("00:00:00"), "Time in GPL 00:00:00");
    test::TempDir tmp;
    const std::string file = tmp.logical() + "ZAM.int";
    EXPECT_EQ(ElapsedRunTime(file), 0);  // missing
    tmp.write("ZAM.int", "01:02:03\r\n");
    EXPECT_EQ(ElapsedRunTime(file), 3723);
    tmp.write("ZAM.int", "Run\r\nC:\\GPL\\GPL.EXE \r\n");  // a run that never started
    EXPECT_EQ(ElapsedRunTime(file), 0);
}

TEST_F(WindowTest, ReturnFromARunAddsItsTimeAndALeftoverCommandNone) {
    tmp.write("prog/ZAM.int", "Run\r\n\r\n");
    ASSERT_TRUE(Open());
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));
    EXPECT_EQ(Label(window->lblGPLTime), "Time in GPL 00:00:00");
    CloseWith(kSaveAndExit);

    WriteZamIni("[Timers]\r\nGPLTime=23:30:00\r\n");
    tmp.write("prog/ZAM.int", "01:02:03\r\n");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));
    EXPECT_EQ(Label(window->lblGPLTime), "Time in GPL 24:32:03");
    CloseWith(kSaveAndExit);
    EXPECT_EQ(ZamIniLine("GPLTime"), "24:32:03");
}

// What the loader could not do is told once the window is on screen, once, and adds no time.
TEST_F(WindowTest, AFailedRunIsToldOnceAndAddsNoTime) {
    const platform::RunFailure failure{"Run", Gpl() + "GPL.EXE ", Gpl(), "Exec format error"};
    tmp.write("prog/ZAM.int", platform::FormatRunFailure(failure));
    ASSERT_TRUE(Open());
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));
    EXPECT_EQ(Label(window->lblGPLTime), "Time in GPL 00:00:00");
    EXPECT_TRUE(ui.messages.empty());
    window->TellLoaderFailure();
    window->TellLoaderFailure();
    EXPECT_THAT(ui.MessageTexts(), testing::ElementsAre(platform::DescribeRunFailure(failure)));
}

TEST_F(WindowTest, FirstStartPlaysTheSoundKeepsTheTotalFillsTheListsAndArchivesScreenshots) {
    tmp.write("prog/Startup.wav", "RIFF");
    WriteZamIni("[Timers]\r\nGPLTime=22:00:00\r\n");
    ASSERT_TRUE(Open());
    ASSERT_EQ(system.sounds.size(), 1u);
    EXPECT_EQ(system.sounds[0], Prog() + "Startup.wav");
    EXPECT_EQ(Label(window->lblGPLTime), "Time in GPL 22:00:00");
    EXPECT_EQ(window->windowTitle().toStdString(), "ZAM Deck");
    EXPECT_EQ(window->tabGeneral->count(), 6);
    EXPECT_EQ(window->tabGeneral->tabText(5).toStdString(), "&6 - Engines");
    EXPECT_EQ(window->DropDown("cbxPlayer")->NoItems(), 3);
    EXPECT_EQ(window->DropDown("cbxPlayer")->ItemText(), "Sam Driver");
    EXPECT_EQ(window->DropDown("cbxClass")->NoItems(), 10);
    EXPECT_EQ(window->DropDown("cbxCar")->NoItems(), 7);
    EXPECT_EQ(window->DropDown("cbxEngine", 0)->NoItems(), 10);
    EXPECT_EQ(window->DropDown("cbxEngine", 7)->NoItems(), 0);
    EXPECT_EQ(window->DropDown("cbxPlayerHelmet")->NoItems(), 16);
    EXPECT_EQ(window->DropDown("cbxBackground")->NoItems(), 2);
    EXPECT_EQ(window->DropDown("cbxRacetype")->NoItems(), 6);
    EXPECT_TRUE(tmp.exists("gpl/Exports/S0000000.PBF"));
    EXPECT_TRUE(tmp.exists("gpl/Exports/S0000001.PBF"));
    EXPECT_FALSE(tmp.exists("gpl/GPL0001.PBF"));
    auto* tracks = window->trackListArea->findChild<TrackListsTab*>();
    ASSERT_NE(tracks, nullptr);
    EXPECT_EQ(tracks->lstTrackIni->count(), 11);
    EXPECT_EQ(tracks->lstOtherTracks->count(), 2);
    EXPECT_EQ(window->DropDown("cbxTrack")->NoItems(), 11);
    auto* buttons = window->buttonEditorArea->findChild<LauncherButtonsTab*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_FALSE(buttons->cmdButton.empty());
    EXPECT_EQ(buttons->cmdButton[0]->text().toStdString(), "Edit Setup");
    EXPECT_TRUE(window->launcherArea->isAncestorOf(buttons->Strip()));
    // The first demo player drives a Lotus in F1 at Kyalami, where the demo has setups.
    ucDropDown* current = window->DropDown("cbxCurSetup");
    EXPECT_EQ(window->DropDown("cbxTrack")->Value(), "kyalami");
    EXPECT_GT(current->NoItems(), 0);
    EXPECT_EQ(current->Entry(),
              window->GPL()->BaseClass(window->DropDown("cbxClass")->Value()) + "lotus");
    EXPECT_EQ(window->DropDown("cbxRaceSetup")->Entry(), current->Entry());
    window->chkAllCars->setChecked(true);
    EXPECT_EQ(current->NoItems(), 10);
    CloseWith(kSaveAndExit);
    EXPECT_EQ(ZamIniLine("NextScreenie"), "2");
}

TEST(Screenshots, MovedIntoExportsInListingOrderUnderNumberedNamesOrLeftWhereThereIsNone) {
    EXPECT_EQ(ArchivedScreenshotName(0), "S0000000.PBF");
    EXPECT_EQ(ArchivedScreenshotName(42), "S0000042.PBF");
    EXPECT_EQ(ArchivedScreenshotName(12345678), "S12345678.PBF");
    test::TempDir tmp;
    tmp.write("GPL02.PBF", "two");
    tmp.write("GPL01.PBF", "one");
    tmp.write("GPL03.PBF", "three");
    tmp.write("Other.PBF", "stays");
    tmp.write("Exports/keep.txt", "");
    EXPECT_EQ(ArchiveScreenshots(tmp.logical(), 0), 3);
    EXPECT_EQ(tmp.read("Exports/S0000000.PBF"), "one");
    EXPECT_EQ(tmp.read("Exports/S0000001.PBF"), "two");
    EXPECT_EQ(tmp.read("Exports/S0000002.PBF"), "three");
    EXPECT_FALSE(tmp.exists("GPL01.PBF"));
    EXPECT_TRUE(tmp.exists("Other.PBF"));
    EXPECT_EQ(ArchiveScreenshots(tmp.logical(), 3), 3);  // nothing left
    // Without Exports the files stay and the counter advances; no archived picture is replaced.
    test::TempDir bare;
    bare.write("GPL01.PBF", "one");
    bare.write("GPL02.PBF", "two");
    EXPECT_EQ(ArchiveScreenshots(bare.logical(), 7), 9);
    EXPECT_EQ(bare.read("GPL01.PBF"), "one");
    EXPECT_EQ(bare.read("GPL02.PBF"), "two");
    test::TempDir other;
    other.write("GPL01.PBF", "new");
    other.write("Exports/S0000005.PBF", "archived");
    EXPECT_EQ(ArchiveScreenshots(other.logical(), 5), 6);
    EXPECT_EQ(other.read("Exports/S0000005.PBF"), "archived");
    EXPECT_EQ(other.read("GPL01.PBF"), "new");
}

TEST(Screenshots, BackgroundSetsSkipHiddenNamesAndTrimBlanks) {
    test::TempDir tmp;
    tmp.write("Layout/BackSets/Classic/a.tga", "");
    tmp.write("Layout/BackSets/.svn/x", "");
    tmp.write("Layout/BackSets/ Padded/a.tga", "");
    tmp.write("Layout/BackSets/NoExtension", "");
    tmp.write("Layout/BackSets/readme.txt", "");
    const std::vector<std::string> sets = BackgroundSets(tmp.logical());
    EXPECT_EQ(sets, (std::vector<std::string>{"Padded", "Classic", "NoExtension"}));
    test::TempDir empty;
    EXPECT_TRUE(BackgroundSets(empty.logical()).empty());
}

TEST_F(WindowTest, StatusWindowStandsOnlyUntilTheScreenshotsAreMoved) {
    StatusWindowUi& status = UseRealStatusWindow();
    tmp.write("gpl/Seasons/two.ini",
              "[Season]\r\nname=Two\r\nyear=1968\r\nnumEvents=2\r\n"
              "[Event1]\r\ntrackDirectory=spa\r\n"
              "[Event2]\r\ntrackDirectory=monza\r\n");
    ASSERT_TRUE(Open());
    ASSERT_FALSE(status.shownTexts.empty());
    EXPECT_EQ(status.shownTexts.back(), "Moving Screenshots to Exports Directory");
    EXPECT_FALSE(status.StatusVisible()) << "after start-up";
    const std::size_t startUp = status.shownTexts.size();

    ucDropDown* track = window->DropDown("cbxTrack");
    track->SelectIndex(track->ListIndex() == 1 ? 2 : 1);  // reads the new circuit's files
    EXPECT_FALSE(status.StatusVisible()) << "after a track change";
    auto* tracks = window->trackListArea->findChild<TrackListsTab*>();
    ASSERT_NE(tracks, nullptr);
    Pick(Gpl() + "Seasons/", "two.ini");
    tracks->cmdLoadSeason->click();
    EXPECT_EQ(window->DropDown("cbxTrack")->NoItems(), 2) << "the season was loaded";
    EXPECT_FALSE(status.StatusVisible()) << "after a season load";
    EXPECT_EQ(status.shownTexts.size(), startUp) << status.shownTexts.back();
}

TEST_F(WindowTest, MissingSimulatorEndsStartUpWithoutWritingAnything) {
    const std::string zamIni =
        "[Paths]\r\nGPL=" + tmp.logical() + "nowhere/\r\nExeName=GPL.EXE\r\n";
    tmp.write("prog/ZAM.Ini", zamIni);
    tmp.write("prog/ZAM.int",
              platform::FormatRunFailure({"Shutdown", "", "", "Access is denied."}));
    EXPECT_FALSE(Open());  // the file dialog is cancelled
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(window->ShutDownOption, kStartupFailure);
    EXPECT_EQ(ReadProg("ZAM.Ini"), zamIni);
    EXPECT_TRUE(launcher.started.empty());
    // A start that fails still tells what the loader could not do.
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
              "The computer was not shut down.\r\n\r\nReason: Access is denied.");
}

// A step of start-up or of the save at close that fails is skipped: the window still opens,
// the later steps still run, everything is still written; and the user is told once, after the
// sequence, what was skipped and why.
TEST_F(WindowTest, AFailedStepIsSkippedAndToldOnceAfterStartUpAndAfterClose) {
    FailingFileSystem fs;
    const auto fail = [] { throw std::runtime_error("the drive went away"); };
    fs.Before(FsOp::kRename, 1, fail);  // the first screenshot moved to Exports
    std::optional<platform::ScopedFileSystem> use(std::in_place, fs);
    ASSERT_TRUE(Open());
    EXPECT_EQ(window->DropDown("cbxPlayer")->NoItems(), 3);  // later steps ran
    EXPECT_TRUE(ui.messages.empty());                        // not before the window shows
    QCoreApplication::processEvents();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "ZAM+ could not finish these steps while starting and skipped them:\r\r"
              "Moving screenshots to the Exports folder: the drive went away");
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.messages.size(), 1u);

    use.reset();
    window->DropDown("cbxBackground")->SelectIndex(1);
    window->SelectMode(kModeChampionship);
    FailingFileSystem atClose;
    atClose.Before(FsOp::kCopy, 1, fail);  // the background set's first file
    use.emplace(atClose);
    CloseWith(kSaveAndExit);
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ZamIniLine("Mode"), "4");  // everything else was saved
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text,
              "ZAM+ could not finish these steps while closing and skipped them:\r\r"
              "Copying the background set: the drive went away");
}

TEST(SkippedStepsTest, AStepFailingAgainIsOneLineAndALongListIsCutShort) {
    SkippedSteps steps;
    const auto fail = [] { throw std::runtime_error("no"); };
    for (int turn = 0; turn < 3; ++turn) steps.Run("Showing the tab", fail);
    for (int i = 1; i <= 12; ++i) steps.Run("Step " + std::to_string(i), fail);
    steps.Run("A step that works", [] {});
    const std::string report = steps.TakeReport("starting");
    EXPECT_EQ(report.find("Showing the tab: no"), report.rfind("Showing the tab: no"));
    EXPECT_NE(report.find("\rStep 9: no\r... and 3 more"), std::string::npos) << report;
    EXPECT_EQ(report.find("A step that works"), std::string::npos);
    EXPECT_TRUE(steps.Empty());
    EXPECT_EQ(steps.TakeReport("closing"), "");
}

// Installed programs keep their files in the user's settings folder, made on the first start:
// when it cannot be made, start-up says where and why and ends before anything is read.
TEST_F(WindowTest, AProgramFolderWithoutTheProgramOrAnInstalledCopyWithoutSettingsEndsAtOnce) {
    std::filesystem::remove(tmp.file("prog/ZAMDeck"));
    EXPECT_THROW(Open(), ProgramEnded);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "Can't Find ZAM+ Directory");
    // An installed copy whose settings folder cannot be made.
    tmp.write("usr/bin/ZAMDeck", "");
    std::filesystem::create_directories(tmp.file("usr/share/zamdeck"));
    tmp.write("config", "a file where the configuration folder should be");
    ScopedEnv config("XDG_CONFIG_HOME", tmp.file("config").string());
    EXPECT_THROW(Open(tmp.logical() + "usr/bin/"), ProgramEnded);
    ASSERT_FALSE(ui.messages.empty());
    const std::string text = ui.messages.back().text;
    const std::string start =
        "Can't use the settings folder \"" + tmp.logical() + "config/zamdeck/\": ";
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_GT(text.size(), start.size()) << "no reason given";
}

// ---- Launch --------------------------------------------------------------------------------

constexpr const char* kExe = "C:\\Sierra\\GPL\\GPL.EXE";

// Split as the launcher splits it, with the simulator as the only program there is.
platform::SplitCommand Split(const std::string& line) {
    return platform::SplitCommandLine(line, [](std::string_view p) { return p == kExe; });
}

// Modes without arguments end in exactly one blank; hosting ignores the join boxes; joining over
// IP names the address twice, and a password follows with its own blank.
TEST(LaunchCommand, EachModeGivesItsOwnArguments) {
    for (int mode : {kModeTesting, kModeOfflineRace, kModeChampionship})
        EXPECT_EQ(SimulatorCommandLine(kExe, mode, {"IP", "10.0.0.1", "pw"}),
                  "C:\\Sierra\\GPL\\GPL.EXE ")
            << mode;
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeHost, {"IP", "10.0.0.1", "secret"}),
              "C:\\Sierra\\GPL\\GPL.EXE -ko\"0:SERVER:launch:1\"");
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeJoin, {"IP", "192.168.1.7", ""}),
              "C:\\Sierra\\GPL\\GPL.EXE -ko\"0:client:to_ip:192.168.1.7\" "
              "-ko\"0:client:via_ip:192.168.1.7\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IP", "", ""}),
              "-ko\"0:client:to_ip:\" -ko\"0:client:via_ip:\"");
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeJoin, {"IPX", "ignored", "P"}),
              "C:\\Sierra\\GPL\\GPL.EXE  -ko\"0:SERVER:password:P\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IP", "a", "P"}),
              "-ko\"0:client:to_ip:a\" -ko\"0:client:via_ip:a\" -ko\"0:SERVER:password:P\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IPX", "a", ""}), "");
}

TEST(LaunchCommand, HostileTextQuotesAndBackslashesStayLiteralInsideTheirOption) {
    const std::string address = "1.2.3.4; rm -rf ~ && $(reboot) | `id`";
    const std::string line = SimulatorCommandLine(kExe, kModeJoin, {"IP", address, "x y"});
    EXPECT_NE(line.find(address), std::string::npos);
    // The program stays the simulator and the typed text only ever lands inside its arguments.
    const platform::SplitCommand split = Split(line);
    EXPECT_EQ(split.program, kExe);
    ASSERT_EQ(split.args.size(), 3u);
    EXPECT_EQ(split.args[0], "-ko0:client:to_ip:" + address);
    EXPECT_EQ(split.args[2], "-ko0:SERVER:password:x y");
    // A quote, or a backslash at the end, in typed text would otherwise close the option early:
    // the rest would become options of its own (another server, "launch") or swallow the next one.
    for (const std::string text : {"pa\"ss", "x\" -ko\"0:SERVER:launch:1", "ends\\", "a\\\"b",
                                   "\"\"", "C:\\dir\\x", "\\\\srv\\"}) {
        SCOPED_TRACE(text);
        const platform::SplitCommand parts =
            Split(SimulatorCommandLine(kExe, kModeJoin, {"IP", text, text}));
        EXPECT_EQ(parts.program, kExe);
        EXPECT_EQ(parts.args, (std::vector<std::string>{"-ko0:client:to_ip:" + text,
                                                        "-ko0:client:via_ip:" + text,
                                                        "-ko0:SERVER:password:" + text}));
    }
    // Backslashes that come before no quote are left as typed.
    EXPECT_EQ(ModeArguments(kModeJoin, {"IPX", "", "a\\b"}), " -ko\"0:SERVER:password:a\\b\"");
}

TEST(LaunchCommand, FramesAndLastRaceTypeFollowTheStoredMode) {
    const auto testing = FramesForMode("0");
    ASSERT_TRUE(testing);
    EXPECT_TRUE(testing->damageModel);
    EXPECT_FALSE(testing->race);
    const auto host = FramesForMode("2");
    ASSERT_TRUE(host);
    EXPECT_TRUE(host->race && host->hosting && !host->client && !host->damageModel);
    const auto join = FramesForMode("3");
    ASSERT_TRUE(join);
    EXPECT_TRUE(join->client && !join->race && !join->hosting);
    for (const char* other : {"", "5", "-1", "02", "x"})
        EXPECT_FALSE(FramesForMode(other)) << other;
    // The last race type of each mode.
    const char* expected[] = {"3", "0", "2", "2", "1"};
    ASSERT_EQ(LaunchModes().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_STREQ(LaunchModes()[i].lastRaceType, expected[i]);
}

TEST_F(WindowTest, TestingLaunchWritesTheCommandFileAndStartsTheLoaderLast) {
    ASSERT_TRUE(Open());
    const std::string zamIniBefore = ReadProg("ZAM.Ini");
    std::string commandAtStart, zamIniAtStart;
    launcher.beforeStart = [&](std::string_view) {
        commandAtStart = ReadProg("ZAM.int");
        zamIniAtStart = ReadProg("ZAM.Ini");
        return platform::Status::Ok();
    };
    window->SelectMode(kModeTesting);
    window->LaunchSimulator();
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(window->ShutDownOption, kLaunch);
    EXPECT_EQ(window->LoaderCommand, "Run");
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], "\"" + Prog() + "Rollout\"");
    // Everything was on disk when the loader started, and nothing was written after it.
    EXPECT_EQ(commandAtStart, "Run\r\n" + Gpl() + "GPL.EXE \r\n");
    EXPECT_EQ(IniLineValue(zamIniAtStart, "Mode"), "0");
    EXPECT_NE(zamIniAtStart, zamIniBefore) << "the front end's state was not written";
    EXPECT_EQ(ReadProg("ZAM.int"), commandAtStart);
    EXPECT_EQ(ReadProg("ZAM.Ini"), zamIniAtStart);
}

TEST_F(WindowTest, JoinUsesTheTypedAddressAndPasswordWhichAHostLaunchIgnores) {
    ASSERT_TRUE(Open());
    window->SelectMode(kModeJoin);
    window->DropDown("cbxConnectVia")->SelectIndex(2);  // IPX
    window->txtPassword->setText("p\"w");
    // The typed quote is escaped, so the whole password stays inside its option.
    EXPECT_EQ(window->SimulatorCommand(), Gpl() + "GPL.EXE  -ko\"0:SERVER:password:p\\\"w\"");
    window->DropDown("cbxConnectVia")->SelectIndex(1);  // TCP/IP
    window->txtIPAddress->setText("");
    window->txtPassword->clear();
    EXPECT_EQ(window->SimulatorCommand(),
              Gpl() + "GPL.EXE -ko\"0:client:to_ip:\" -ko\"0:client:via_ip:\"");
    window->SelectMode(kModeHost);
    window->txtPassword->setText("secret");
    window->LaunchSimulator();
    EXPECT_EQ(ReadProg("ZAM.int"), "Run\r\n" + Gpl() + "GPL.EXE -ko\"0:SERVER:launch:1\"\r\n");
}

TEST(RaceLengthOverride, RoundsHalvesToEvenAndClamps) {
    EXPECT_EQ(OverriddenLaps(50, 15), 8);  // 7.5
    EXPECT_EQ(OverriddenLaps(50, 13), 6);  // 6.5
    EXPECT_EQ(OverriddenLaps(0, 80), 1);
    EXPECT_EQ(OverriddenLaps(400, 80), 255);
    EXPECT_EQ(OverriddenLaps(150, 11), 16);  // 16.5
    EXPECT_EQ(OverriddenLaps(25, 2), 1);     // 0.5 rounds to 0, raised to 1
}

class StoreTest : public testing::Test {
protected:
    StoreTest() : store(ui) { store.SetDirectory(tmp.logical()); }
    void Season(const std::string& laps) {
        tmp.write("Seasons/67Season.Ini",
                  "[Event1]\r\nnumberOfLaps=" + laps + "\r\n[Event2]\r\nnumberOfLaps=40\r\n");
        store.ReadIniFile(tmp.logical() + "Seasons\\67Season.Ini");
    }
    std::string Laps(const char* section, const char* entry = "numberOfLaps") {
        return store.IniValue(kSeasonFile, section, entry);
    }
    test::TempDir tmp;
    test::FakeUi ui;
    IniStore store;
};

TEST_F(StoreTest, OverrideKeepsTheOriginalLengthAndAHundredNoEventOrNoWholeNumberChangesNothing) {
    for (const char* bad : {"", "abc", "12.5", "-3", "15 laps"}) {
        Season(bad);
        EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 1)) << bad;
        EXPECT_EQ(Laps("Event1", "originalGPLength"), "") << bad;
    }
    Season("15");
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 100, 1));
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 0));  // no circuit chosen
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 9));  // no such event
    EXPECT_EQ(Laps("Event1"), "15");
    EXPECT_EQ(Laps("Event1", "originalGPLength"), "");
    EXPECT_TRUE(ApplyRaceLengthOverride(store, 50, 1));
    EXPECT_EQ(Laps("Event1"), "8");
    EXPECT_EQ(Laps("Event1", "originalGPLength"), "15");
    EXPECT_EQ(Laps("Event2"), "40");
}

TEST_F(StoreTest, SampleRpmFollowsThePlayer) {
    store.SetIniValue("Players\\A__B\\PZAM.Ini", "Engine", "sampleRPM", "6100");
    store.SetIniValue("App.Ini", "Engine", "sampleRPM", "5200");
    SyncSampleRpm(store, "Players\\A__B\\");
    EXPECT_EQ(store.IniValue("App.Ini", "Engine", "sampleRPM"), "6100");
}

TEST(RandomBackground, PositionCoversEveryEntry) {
    EXPECT_EQ(RandomEntryPosition(3, 0.0), 1);
    EXPECT_EQ(RandomEntryPosition(3, 0.34), 2);
    EXPECT_EQ(RandomEntryPosition(3, 0.9999), 3);
    EXPECT_EQ(RandomEntryPosition(0, 0.5), 0);
}

TEST_F(WindowTest, RandomBackgroundOnlyOnALaunchWhichAppliesTheRaceLengthOverride) {
    ASSERT_TRUE(Open());
    window->DropDown("cbxBackground")->SelectIndex(1);
    window->GPL()->SetFullPathIniValue("ZAM.Ini", "Backgrounds", "randomBack", "1");
    CloseWith(kSaveAndExit);
    EXPECT_EQ(ZamIniLine("Background"), "Classic");
    EXPECT_EQ(ZamIniLine("previousBack"), "Classic");
    EXPECT_EQ(ReadGpl("Layout/MainMenu.tga"), ReadGpl("Layout/BackSets/Classic/MainMenu.tga"));

    ASSERT_TRUE(Open());
    window->SelectMode(kModeOfflineRace);
    window->GPL()->SetIniValue("Seasons\\67Season.Ini", "Event1", "numberOfLaps", "15");
    ucDropDown* track = window->DropDown("cbxTrack");
    track->AddItem("Demo", window->GPL()->TrackID(1));
    track->SelectIndex(1);
    window->Controls().Spinner("spnOvrRaceLength")->SetValue(50);
    window->LaunchSimulator();  // the random number 0.99 picks the last set
    EXPECT_EQ(ZamIniLine("Background"), "Night Race");
    EXPECT_EQ(ZamIniLine("previousBack"), "Night Race");
    EXPECT_EQ(ReadGpl("Layout/MainMenu.tga"), ReadGpl("Layout/BackSets/Night Race/MainMenu.tga"));
    // The race length override applies to the chosen event.
    const std::string season = ReadGpl("Seasons/67Season.Ini");
    EXPECT_EQ(IniLineValue(season, "numberOfLaps"), "8");
    EXPECT_EQ(IniLineValue(season, "originalGPLength"), "15");
}

TEST_F(WindowTest, ChangeOfDirectoryRestartsThroughTheLoaderWithAnEmptyCommand) {
    ASSERT_TRUE(Open());
    Pick(Gpl(), "GPL.EXE");
    window->ChangeGPLDirectory();
    EXPECT_EQ(window->ShutDownOption, kLoaderCommandWritten);
    EXPECT_EQ(ReadProg("ZAM.int"), "Run\r\n\r\n");
    EXPECT_EQ(launcher.started.size(), 1u);
}

// A session writes Core.ini (and a custom engine); the next one changes it again, then puts it
// back from its ".prv" and resets the engines. Without the loader nothing is touched; with it the
// file is the backup byte for byte, the replaced file is kept as ".rst", and ZAMDeck restarts
// without writing this session's copy over the restored file.
TEST(EnginesTest, FormulaLibreTakesTheDropDownsAndFixedClassesOneEngine) {
    test::TempDir tmp;
    test::FakeUi ui;
    tmp.write("GPL.EXE", tools::DemoExecutable({}));
    clsEngines engines(ui, tmp.logical() + "GPL.EXE");
    engines.UnloadWithoutSaving();
    ASSERT_FALSE(engines.Status());
    EngineSelection selection{};
    for (int chassis = 0; chassis < 10; ++chassis) selection[chassis] = chassis + 1;
    selection[3] = 5;  // fifth entry: engine 4
    selection[7] = 3;  // never applied
    selection[8] = 0;  // nothing shown: left alone
    ApplyClassEngines(engines, "FL2", selection);
    EXPECT_EQ(engines.CarEngine(3), 4);
    EXPECT_EQ(engines.CarEngine(7), 7);
    EXPECT_EQ(engines.CarEngine(8), 8);
    EXPECT_EQ(engines.CarEngine(0), 0);
    // Fixed classes put one engine everywhere.
    const std::pair<const char*, int> classes[] = {{"FJ", 7}, {"FG", 8}, {"FV", 8}, {"FD", 9}};
    for (const auto& [code, engine] : classes) {
        ApplyClassEngines(engines, code, {});
        for (int chassis = 0; chassis < 10; ++chassis)
            EXPECT_EQ(engines.CarEngine(chassis), engine) << code << " " << chassis;
    }
    ApplyClassEngines(engines, "F1", {});
    for (int chassis = 0; chassis < 10; ++chassis) EXPECT_EQ(engines.CarEngine(chassis), chassis);
}

TEST_F(WindowTest, FormulaLibreEnginesAreWrittenAndRestoreSettingsPutsBackTheBackup) {
    ASSERT_TRUE(Open());
    window->DropDown("cbxClass")->SetValue("FL1");
    EXPECT_TRUE(window->DropDown("cbxEngine", 0)->List()->isEnabled());
    EXPECT_FALSE(window->DropDown("cbxEngine", 9)->List()->isEnabled());
    window->DropDown("cbxEngine", 0)->SelectIndex(5);  // Brabham gets the Ferrari engine
    window->GPL()->SetIniValue("Core.ini", "Probe", "value", "1");
    CloseWith(kSaveAndExit);
    test::FakeUi quiet;
    {
        clsEngines reread(quiet, Gpl() + "GPL.EXE");
        reread.UnloadWithoutSaving();
        EXPECT_EQ(reread.FoundEngine(0), 4);
        EXPECT_EQ(reread.FoundEngine(1), 1);
    }
    const std::string saved = ReadGpl("core.ini"), before = ReadGpl("Core.Ini.prv");
    ASSERT_NE(saved, before);

    std::filesystem::remove(tmp.file("prog/Rollout"));
    ASSERT_TRUE(Open());
    window->GPL()->SetIniValue("Core.ini", "Probe", "value", "2");
    const auto tickCoreAndRestore = [&](frmRestore& dialog) {
        const auto found = dialog.lstFiles->findItems("Core.ini", Qt::MatchFixedString);
        ASSERT_EQ(found.size(), 1);
        EXPECT_FALSE(dialog.cmdRestore->isEnabled());
        dialog.lstFiles->setCurrentItem(found[0]);
        found[0]->setCheckState(0, Qt::Checked);
        dialog.optUndo->setChecked(true);  // the file has no ".rst" yet: nothing to restore
        EXPECT_FALSE(dialog.cmdRestore->isEnabled());
        dialog.optPrevious->setChecked(true);
        EXPECT_TRUE(dialog.cmdRestore->isEnabled());
        dialog.chkEngines->setChecked(true);
        dialog.cmdRestore->click();
    };
    WithModalOf<frmRestore>([&] { window->RestoreSettings(); }, tickCoreAndRestore);
    EXPECT_FALSE(window->Finished());
    EXPECT_EQ(ReadGpl("core.ini"), saved);
    EXPECT_FALSE(tmp.exists("gpl/Core.Ini.rst"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, testing::HasSubstr("Nothing has been restored"));

    tmp.write("prog/Rollout", "stand-in for the loader");
    WithModalOf<frmRestore>(
        [&] { window->RestoreSettings(); },
        [&](frmRestore& dialog) {
            // The preview shows what the highlighted file's backup would change.
            const auto found = dialog.lstFiles->findItems("Core.ini", Qt::MatchFixedString);
            ASSERT_EQ(found.size(), 1);
            dialog.lstFiles->setCurrentItem(found[0]);
            QStringList rows;
            for (int i = 0; i < dialog.lstPreview->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* row = dialog.lstPreview->topLevelItem(i);
                rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2) + "|" + row->text(3);
            }
            EXPECT_EQ(rows, QStringList(
                                {"Engines|Brabham|Ferrari V12|Repco V8", "Probe|value|1|(none)"}));
            tickCoreAndRestore(dialog);
        });
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ReadGpl("core.ini"), before);
    EXPECT_EQ(ReadGpl("Core.Ini.rst"), saved);
    EXPECT_EQ(ReadProg("ZAM.int"), "Run\r\n\r\n");
    EXPECT_EQ(launcher.started.size(), 1u);
    clsEngines reread(quiet, Gpl() + "GPL.EXE");
    reread.UnloadWithoutSaving();
    EXPECT_EQ(reread.FoundEngine(0), 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_THAT(ui.messages[1].text, testing::HasSubstr("Restored " + Gpl()));
    EXPECT_THAT(ui.messages[1].text, testing::HasSubstr("own engine again"));
}

// ---- Closing -------------------------------------------------------------------------------

// Once the files are written back the window cannot stay open, so a loader that is not there
// must be found out before: the window stays as it was, with nothing written, and says where it
// looked.
TEST_F(WindowTest, AMissingLoaderOrAnUnwritableCommandFileKeepsTheWindowOpenWithNothingWritten) {
    std::filesystem::remove(tmp.file("prog/Rollout"));
    ASSERT_TRUE(Open());
    const std::string zamIni = ReadProg("ZAM.Ini");
    const std::string exe = ReadGpl("GPL.EXE");
    window->SelectMode(kModeHost);

    window->LaunchSimulator();
    CloseWith(kShutdownPc);

    EXPECT_FALSE(window->Finished());
    EXPECT_EQ(window->ShutDownOption, kWindowInUse);
    EXPECT_TRUE(window->LoaderCommand.empty());
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));
    EXPECT_EQ(ReadProg("ZAM.Ini"), zamIni);
    EXPECT_EQ(ReadGpl("GPL.EXE"), exe);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const FakeUi::Message& message : ui.messages) {
        EXPECT_THAT(message.text, testing::HasSubstr("\"" + Prog() + "Rollout.Exe\""));
        EXPECT_THAT(message.text, testing::HasSubstr("\"" + Prog() + "Rollout\""));
    }

    // With the loader back, a command file that cannot be written still keeps the window open.
    tmp.write("prog/Rollout", "stand-in for the loader");
    {
        FailingFileSystem failing;
        failing.FailPath(FsOp::kWriteNew, "ZAM.int", platform::kPermissionDenied);
        platform::ScopedFileSystem use(failing);
        window->LaunchSimulator();
    }
    EXPECT_FALSE(window->Finished());
    EXPECT_EQ(window->ShutDownOption, kWindowInUse);
    EXPECT_EQ(ReadProg("ZAM.Ini"), zamIni);
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_THAT(ui.messages[2].text, testing::HasSubstr(Prog() + "ZAM.int"));
    EXPECT_THAT(ui.messages[2].text, testing::HasSubstr("Permission denied"));

    // The changes are all still there: the launch goes through.
    window->LaunchSimulator();
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ZamIniLine("Mode"), "2");
    EXPECT_EQ(launcher.started.size(), 1u);
}

// Should the checked loader still not start, everything is saved and the user hears of it.
TEST_F(WindowTest, LoaderThatFailsToStartAfterTheSaveIsTold) {
    ASSERT_TRUE(Open());
    launcher.startResult =
        platform::Status::Error(platform::kPermissionDenied, "Access is denied.");
    window->SelectMode(kModeChampionship);
    window->LaunchSimulator();
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ZamIniLine("Mode"), "4");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, testing::HasSubstr("\"" + Prog() + "Rollout\""));
    EXPECT_THAT(ui.messages[0].text, testing::HasSubstr("Access is denied."));
}

TEST_F(WindowTest, ReturnKeepsTheWindowAndWritesNothingAndLoseChangesWritesNothingAtAll) {
    ASSERT_TRUE(Open());
    const std::string zamIni = ReadProg("ZAM.Ini");
    const std::string exe = ReadGpl("GPL.EXE");
    window->SelectMode(kModeHost);
    CloseWith(-1);
    EXPECT_FALSE(window->Finished());
    EXPECT_EQ(window->ShutDownOption, kWindowInUse);
    EXPECT_EQ(ReadProg("ZAM.Ini"), zamIni);
    EXPECT_EQ(ReadGpl("GPL.EXE"), exe);
    CloseWith(kSaveAndExit);
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ZamIniLine("Mode"), "2");
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));

    ASSERT_TRUE(Open());
    const std::string savedZamIni = ReadProg("ZAM.Ini"), savedExe = ReadGpl("GPL.EXE");
    const std::string player = ReadGpl("Players/Driver__Sam/Player.ini");
    window->SelectMode(kModeOfflineRace);
    window->DropDown("cbxClass")->SetValue("FJ");
    window->resize(1000, 800);
    CloseWith(kExitWithoutSaving);
    EXPECT_TRUE(window->Finished());
    EXPECT_EQ(ReadProg("ZAM.Ini"), savedZamIni);
    EXPECT_EQ(ReadGpl("GPL.EXE"), savedExe);
    EXPECT_EQ(ReadGpl("Players/Driver__Sam/Player.ini"), player);
    EXPECT_FALSE(tmp.exists("prog/ZAM.int"));
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(WindowTest, ShutdownAndRestartAreLeftToTheLoaderAfterEverythingIsWritten) {
    ASSERT_TRUE(Open());
    window->SelectMode(kModeChampionship);
    CloseWith(kShutdownPc);
    EXPECT_TRUE(system.powerActions.empty());
    EXPECT_EQ(ReadProg("ZAM.int"), "Shutdown\r\n\r\n");
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(ZamIniLine("Mode"), "4");

    ASSERT_TRUE(Open());
    CloseWith(kRestartPc);
    EXPECT_TRUE(system.powerActions.empty());
    EXPECT_EQ(ReadProg("ZAM.int"), "Restart\r\n\r\n");
    EXPECT_EQ(window->LoaderCommand, "Restart");
}

// Closing (menu, title bar, Alt+F4, the exit dialog) does not leave the box being typed in; what
// was typed there is kept as leaving the box would keep it.
TEST_F(WindowTest, ACloseKeepsWhatWasTypedWithoutLeavingTheBox) {
    struct Typed {
        int mode;
        std::function<QLineEdit*(frmZAM&)> box;
        std::string file, key, text;
    };
    const Typed cases[] = {
        {kModeOfflineRace, [](frmZAM& w) { return w.Controls().Spinner("spnNoAI")->TextBox(); },
         "Players/Driver__Sam/Player.ini", "lastNumAI", "7"},
        {kModeJoin, [](frmZAM& w) { return w.txtIPAddress; }, "core.ini", "to_ip", "10.0.0.9"},
    };
    for (const Typed& typed : cases) {
        ASSERT_TRUE(Open());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->SelectMode(typed.mode);
        QLineEdit* box = typed.box(*window);
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QString::fromStdString(typed.text));
        CloseWith(kSaveAndExit);
        EXPECT_EQ(IniLineValue(ReadGpl(typed.file), typed.key), typed.text);
    }
}

// ---- Modes, player, class --------------------------------------------------------------

// Export standings shows the stored setting; the server address to join is stored as typed.
TEST_F(WindowTest, HostModeBindsItsControlsExportStandingsAndQualifyingInMinutesPerPlayer) {
    tmp.write("gpl/Server.Ini", "[SERVER]\r\nauto_export_standings=1\r\n");
    ASSERT_TRUE(Open());
    window->SelectMode(kModeHost);
    controls::ucCheckBox* standings = window->Controls().CheckBox("chkSaveStandings");
    EXPECT_TRUE(standings->Box()->isChecked());
    standings->Box()->click();  // one click turns it off
    EXPECT_EQ(window->GPL()->IniValue("Server.Ini", "SERVER", "auto_export_standings"), "0");
    window->txtIPAddress->setText(" not checked ; at all");
    emit window->txtIPAddress->editingFinished();
    EXPECT_EQ(window->GPL()->IniValue("Core.Ini", "CLIENT", "to_ip"), " not checked ; at all");
    EXPECT_EQ(window->Controls().Bound("spnNoAI")->Section(), "Multiplayer Host");
    EXPECT_EQ(window->GPL()->PlayerData(window->PlayerId(), "Main Menu", "lastRaceType"), "2");
    EXPECT_FALSE(window->Controls().Find("frmHosting")->isHidden());
    EXPECT_TRUE(window->Controls().Find("frmClient")->isHidden());
    // Qualifying is shown in minutes (the demo player's 900 seconds) and stored in seconds.
    controls::ucSpinner* qualifying = window->Controls().Spinner("spnQualifying");
    EXPECT_EQ(qualifying->TextBox()->text().toStdString(), "15");
    qualifying->SetValue(20);
    EXPECT_EQ(
        window->GPL()->PlayerData(window->PlayerId(), "Multiplayer Host", "lastPracticeLength"),
        "1200");
    qualifying->SetValue(0);  // no length is not stored
    EXPECT_EQ(
        window->GPL()->PlayerData(window->PlayerId(), "Multiplayer Host", "lastPracticeLength"),
        "1200");
    // The spinner keeps its own number of minutes per player; another player's equal number of
    // minutes must still be shown and kept for that player, not skipped as "no change".
    qualifying->SetValue(20);
    const std::string other = "D_Arcy__Jean_Luc";
    window->GPL()->SetPlayerValue(other, "Multiplayer Host", "lastPracticeLength", "1200");
    // The same team, so that the car list does not change (and set the race tab up once more).
    const std::string team =
        window->GPL()->PlayerData(window->PlayerId(), "Personal Information", "team");
    window->GPL()->SetPlayerValue(other, "Personal Information", "team", team);
    window->DropDown("cbxPlayer")->SetValue(other);
    ASSERT_EQ(window->PlayerId(), other);
    EXPECT_EQ(qualifying->TextBox()->text().toStdString(), "20");
    EXPECT_EQ(qualifying->Value(), 20);
    EXPECT_EQ(window->GPL()->PlayerData(other, "Multiplayer Host", "lastPracticeLength"), "1200");
    window->SelectMode(kModeTesting);
    EXPECT_EQ(window->GPL()->PlayerData(window->PlayerId(), "Main Menu", "lastRaceType"), "3");
    EXPECT_TRUE(window->Controls().Find("frmRace")->isHidden());
    EXPECT_FALSE(window->Controls().Find("cbxDamageModel")->isHidden());
}

std::optional<std::string> Suffixed(std::string_view last, bool on, std::string_view code,
                                    int engine = -1, bool agree = true, int* asked = nullptr) {
    return ClassSuffixedName(last, on, code, engine, [&] {
        if (asked) ++*asked;
        return agree;
    });
}

TEST(ClassSuffix, AppendsTheClassWithItsEngineLetterRemovesAnEarlierOneAndCutsOnlyWithConsent) {
    EXPECT_EQ(Suffixed("Driver", true, "FG"), "Driver.FG");
    EXPECT_EQ(Suffixed("Driver", true, "FL1", 5), "Driver.1D");  // Ford DFV
    EXPECT_EQ(Suffixed("Driver", true, "FL2", 9), "Driver.2A");
    EXPECT_EQ(Suffixed("Driver", true, "FL3", 0), "Driver.3R");
    EXPECT_EQ(Suffixed("Driver", true, "F1"), std::nullopt);  // own classes add nothing
    EXPECT_EQ(EngineLetter(0), "R");
    EXPECT_EQ(EngineLetter(6), "H");
    EXPECT_EQ(EngineLetter(10), "");
    EXPECT_EQ(Suffixed("Driver", true, "FL1", -1), "Driver.1");  // no engine shown
    EXPECT_EQ(Suffixed("Driver.1D", false, "FL1", 5), "Driver");
    EXPECT_EQ(Suffixed("Driver.FG", true, "F2"), "Driver");
    EXPECT_EQ(Suffixed("Driver.FG", true, "FD"), "Driver.FD");
    EXPECT_EQ(Suffixed(" Driver.FG ", true, "FG"), std::nullopt);  // already right
    EXPECT_EQ(Suffixed("Driver", false, "FG"), std::nullopt);      // nothing to remove
    // Long names are cut only with consent.
    int asked = 0;
    EXPECT_EQ(Suffixed("Ninechars", true, "FG", -1, true, &asked), "Ninechars.FG");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(Suffixed("TenLetters", true, "FG", -1, true, &asked), "TenLetter.FG");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Suffixed("TenLetters", true, "FG", -1, false, &asked), std::nullopt);
    EXPECT_EQ(asked, 2);
    // Also for the simulator's own classes, where Yes shortens the name though nothing is added.
    EXPECT_EQ(Suffixed("TenLetters", true, "F1", -1, true, &asked), "TenLetter");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(Suffixed("TenLetters", false, "FG", -1, true, &asked), std::nullopt);
    EXPECT_EQ(asked, 3);
}

TEST_F(WindowTest, SetupEditorButtonFollowsTheFirstLauncherPathAndTheClassSuffixIsStored) {
    ASSERT_TRUE(Open());
    window->SelectMode(kModeTesting);
    EXPECT_FALSE(window->cmdGRE->isEnabled());
    window->GPL()->SetFullPathIniValue("ZAM.Ini", "Buttons", "Path0", "C:\\Tools\\Editor.exe");
    window->SelectMode(kModeOfflineRace);
    EXPECT_TRUE(window->cmdGRE->isEnabled());
    // It runs that program on the current setup.
    ucDropDown* current = window->DropDown("cbxCurSetup");
    ASSERT_GT(current->NoItems(), 0);
    window->cmdGRE->click();
    ASSERT_FALSE(launcher.started.empty());
    EXPECT_THAT(launcher.started.back(), testing::StartsWith("C:\\Tools\\Editor.exe " + Gpl()));
    EXPECT_THAT(launcher.started.back(), testing::EndsWith("\\" + current->Value()));
    // The class suffix reaches the player file.
    window->GPL()->SetIniValue("Core.Ini", "ZAM", "AppendClass", "1");
    window->DropDown("cbxClass")->SetValue("FG");
    EXPECT_EQ(window->DropDown("cbxPlayer")->ItemText(), "Sam Driver.FG");
    window->DropDown("cbxClass")->SetValue("FL1");  // team Lotus, engine list shows Ford DFV
    EXPECT_EQ(window->GPL()->PlayerData(window->PlayerId(), "Personal Information", "lastName"),
              "Driver.1D");
    window->Controls().CheckBox("chkAppendClass")->SetValue(0);
    CloseWith(kSaveAndExit);
    EXPECT_EQ(IniLineValue(ReadGpl("Players/Driver__Sam/Player.ini"), "lastName"), "Driver");
}

TEST_F(WindowTest, ResizesAreSavedOnlyAfterStartUpAndTheTimerResetsAndAboutShows) {
    ASSERT_TRUE(Open());
    Initialising = true;  // until the first paint
    window->show();
    window->resize(900, 700);
    EXPECT_EQ(window->FrontEndValue("Window", "Width"), "");
    Initialising = false;
    window->resize(960, 720);
    EXPECT_EQ(window->FrontEndValue("Window", "Width"),
              std::to_string(960 * 1440 / window->logicalDpiX()));
    window->ResetTimer();
    EXPECT_EQ(Label(window->lblGPLTime), "Time in GPL 00:00:00");
    EXPECT_EQ(window->FrontEndValue("Timers", "GPLTime"), "00:00:00");
    window->mniHelpAbout->trigger();
    EXPECT_EQ(aboutShown, 1);
}

// Each page of the window, and the first one in every launch mode, fits the window unscrolled.
std::vector<std::string> PagesThatScroll(frmZAM& window) {
    std::vector<std::string> scrolling;
    auto check = [&](const std::string& name) {
        QApplication::processEvents();
        auto* page = qobject_cast<QAbstractScrollArea*>(window.tabGeneral->currentWidget());
        if (page && (page->horizontalScrollBar()->maximum() > 0 ||
                     page->verticalScrollBar()->maximum() > 0))
            scrolling.push_back(name);
    };
    for (int tab = window.tabGeneral->count() - 1; tab >= 0; --tab) {
        window.tabGeneral->setCurrentIndex(tab);
        check(window.tabGeneral->tabText(tab).toStdString());
    }
    for (int mode = 0; mode < kModeCount; ++mode) {
        window.SelectMode(mode);
        check("mode " + std::to_string(mode));
    }
    return scrolling;
}

TEST_F(WindowTest, WithoutAStoredSizeTheWindowOpensWhereNoPageScrollsAndAccessKeysAreUnique) {
    screenArea = QRect(0, 0, 1280, 1024);
    ASSERT_TRUE(Open());
    window->show();
    EXPECT_THAT(PagesThatScroll(*window), testing::IsEmpty());
    const QRect placed = window->frameGeometry();
    EXPECT_TRUE(screenArea.contains(placed)) << placed.width() << "x" << placed.height();
    // Centred, give or take the room left for the window system's frame.
    EXPECT_NEAR(placed.center().x(), screenArea.center().x(), 20);
    EXPECT_NEAR(placed.center().y(), screenArea.center().y(), 20);
    {  // Access keys are unique on every tab, in every mode and in the dialogs.
        for (int tab = 0; tab < window->tabGeneral->count(); ++tab) {
            window->tabGeneral->setCurrentIndex(tab);
            EXPECT_THAT(SharedAccessKeys(*window), testing::IsEmpty()) << "tab " << tab + 1;
        }
        window->tabGeneral->setCurrentIndex(0);
        for (int mode = 0; mode < kModeCount; ++mode) {
            window->SelectMode(mode);
            EXPECT_THAT(SharedAccessKeys(*window), testing::IsEmpty()) << "mode " << mode;
        }
        frmEditSeasonEntry entry(*window->GPL(), ui, window.get());
        entry.SetEntryNo(1);
        entry.show();
        EXPECT_THAT(SharedAccessKeys(entry), testing::IsEmpty());
        frmFileSelect files(ui, window.get());
        files.SetAllowNew(true);
        files.show();
        EXPECT_THAT(SharedAccessKeys(files), testing::IsEmpty());
    }

    // A smaller screen limits the window to what it has.
    window.reset();
    screenArea = QRect(0, 0, 900, 650);
    ASSERT_TRUE(Open());
    window->show();
    EXPECT_LE(window->frameGeometry().width(), 900);
    EXPECT_LE(window->frameGeometry().height(), 650);
}

TEST(WindowGeometry, ScreenWidthRestoreRulesAndTwipsToPixelsByResolution) {
    const WindowTwips g = RestoreGeometry("300", "-200", "10000", "12000", "1");
    EXPECT_EQ(g.left, 300);
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.width, 11000);
    EXPECT_EQ(g.height, 12000);
    EXPECT_FALSE(g.maximised);
    const WindowTwips empty = RestoreGeometry("", "abc", "", "9120", "0");
    EXPECT_EQ(empty.left, 0);
    EXPECT_EQ(empty.top, 0);
    EXPECT_EQ(empty.width, 11000);
    EXPECT_EQ(empty.height, 9120);
    EXPECT_TRUE(RestoreGeometry("", "", "", "", "2").maximised);
    EXPECT_EQ(StoredTwips(" 1500twips"), 1500);
    // Twips and pixels convert by the screen's resolution.
    EXPECT_EQ(TwipsToPixels(11000, 96), 733);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(TwipsToPixels(9120, 96), 96), 9120);
    EXPECT_EQ(FitScreenWidth(799), ScreenFit::kTooNarrow);
    EXPECT_EQ(FitScreenWidth(800), ScreenFit::kMaximise);
    EXPECT_EQ(FitScreenWidth(801), ScreenFit::kFits);
    EXPECT_STREQ(ScreenTooNarrowAtStartMessage(),
                 "Sorry.  ZAM+ simply doesn't have enough screen space below 800 x 600.");
    EXPECT_STREQ(ScreenTooNarrowMessage(), "ZAM+ can't work at less than 800 x 600");
}

TEST_F(WindowTest, StoredGeometryIsRestoredWithinTheRules) {
    WriteZamIni(
        "[Window]\r\nLeft=1440\r\nTop=-200\r\nWidth=10000\r\nHeight=12000\r\n"
        "WindowState=1\r\n");
    ASSERT_TRUE(Open());
    const double dpi = window->logicalDpiX();
    EXPECT_EQ(window->width(), static_cast<int>(std::lround(11000 * dpi / 1440)));
    EXPECT_EQ(window->height(), static_cast<int>(std::lround(12000 * dpi / 1440)));
    EXPECT_EQ(window->y(), 0);
    EXPECT_FALSE(window->isMaximized() || window->isMinimized());
}

}  // namespace
}  // namespace zam::test
