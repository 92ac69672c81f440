#include "FrontEndRoundTrip.h"

#include <QApplication>
#include <QLabel>

#include "zam/platform/CommandFile.h"
#include "zam/store/Globals.h"

namespace zam::test {

namespace {

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "roundtrip_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

}  // namespace

platform::Status WatchingLauncher::Start(std::string_view commandLine, platform::ProcessId& id) {
    if (beforeStart) beforeStart();
    Launch launch{std::string(commandLine), std::nullopt, SnapshotUserFiles(tmp_.path())};
    if (tmp_.exists("prog/ZAM.int")) launch.commandFile = tmp_.read("prog/ZAM.int");
    launches.push_back(launch);
    // The real loader would ask the machine to go down.
    if (launch.commandFile && (launch.commandFile->rfind("Shutdown", 0) == 0 ||
                               launch.commandFile->rfind("Restart", 0) == 0)) {
        ADD_FAILURE() << "the front end asked the loader for a power action";
        return platform::Status::Error(platform::kPermissionDenied);
    }
    return platform::NativeProcesses().Start(commandLine, id);
}

platform::Status WatchingLauncher::Wait(platform::ProcessId id, platform::ProcessExit& exit) {
    return platform::NativeProcesses().Wait(id, exit);
}

platform::Status QuietSystem::RequestPowerAction(platform::PowerAction) {
    ++powerActions;
    return platform::Status::Ok();
}

void QuietSystem::PlaySoundAsync(std::string_view) {}

bool QuietSystem::GetKeyValue(std::string_view, std::string_view, std::string& value) {
    value.clear();
    return false;
}

FrontEndRoundTrip::FrontEndRoundTrip()
    : cwd_(tmp.path()), scopedLauncher_(launcher), scopedSystem_(system) {
    EnsureApplication();
}

FrontEndRoundTrip::~FrontEndRoundTrip() {
    window.reset();
    Initialising = false;
    EXPECT_EQ(system.powerActions, 0);
}

void FrontEndRoundTrip::OpenFrontEnd() {
    window.reset();
    frmZAM::Options options;
    options.programFolder = Prog();
    options.programName = "ZAMDeck";
    options.screenWidth = [] { return 1024; };
    options.askExitChoice = [](QWidget*) { return kSaveAndExit; };
    options.random = [] { return 0.0; };
    window = std::make_unique<frmZAM>(ui, options);
    ASSERT_TRUE(window->Load()) << "the front end did not start";
    Initialising = false;  // as the first paint does
    window->TellLoaderFailure();  // as the program does once the window is on screen
}

void FrontEndRoundTrip::SaveAndExit() {
    window->close();
    ASSERT_TRUE(window->Finished());
    window.reset();
}

void FrontEndRoundTrip::FinishLaunch() {
    ASSERT_TRUE(window->Finished()) << "the window did not close for the loader";
    window.reset();
    ASSERT_EQ(launcher.launches.size(), 1u) << "the loader was not started";
    WaitForEverything();
    ExpectFrontEndBackOnce();
}

std::string FrontEndRoundTrip::TimeLabel() const {
    return window->lblGPLTime->text().toStdString();
}

std::string FrontEndRoundTrip::ZamIniValue(const char* section, const char* entry) const {
    return window->FrontEndValue(section, entry);
}

}  // namespace zam::test
