#include "FrontEndRoundTrip.h"

#include "zam/platform/CommandFile.h"
#include "zam/store/Globals.h"

namespace zam::test {

FrontEndRoundTrip::FrontEndRoundTrip(Layout layout)
    : RoundTripFolders(layout), cwd_(tmp.path()), scopedLauncher_(launcher), scopedSystem_(system) {
    launcher.beforeStart = [this](std::string_view commandLine) {
        if (beforeLoaderStarts) beforeLoaderStarts();
        Launch launch{std::string(commandLine), CommandFile(), SnapshotUserFiles(tmp.path())};
        launches.push_back(launch);
        // The real loader would ask the machine to go down.
        const bool power = launch.commandFile && (launch.commandFile->rfind("Shutdown", 0) == 0 ||
                                                  launch.commandFile->rfind("Restart", 0) == 0);
        if (power) ADD_FAILURE() << "the front end asked the loader for a power action";
        return power ? platform::Status::Error(platform::kPermissionDenied)
                     : platform::Status::Ok();
    };
}

FrontEndRoundTrip::~FrontEndRoundTrip() {
    window.reset();
    Initialising = false;
    EXPECT_TRUE(system.powerActions.empty());
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
    Initialising = false;         // as the first paint does
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
    ASSERT_EQ(launches.size(), 1u) << "the loader was not started";
    WaitForEverything();
    ExpectFrontEndBackOnce();
}

}  // namespace zam::test
