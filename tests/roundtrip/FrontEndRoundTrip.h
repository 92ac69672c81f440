#pragma once
// The round trip with the real front end: the main window runs in this process with the
// temporary program folder, launches through "&Run GPL" (or another loader command), closes
// with everything written and starts the copied loader as a real process. The loader runs the
// simulator stand-in and starts the stand-in front end; the test then plays "the front end
// started again" by opening a new main window over the same folders.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeUi.h"
#include "RecordingLauncher.h"
#include "RecordingSystem.h"
#include "RoundTripFolders.h"
#include "zam/frontend/frmZAM.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/Process.h"
#include "zam/store/Globals.h"

namespace zam::test {

class FrontEndRoundTrip : public RoundTripFolders {
protected:
    explicit FrontEndRoundTrip(Layout layout = Layout::kPortable)
        : RoundTripFolders(layout),
          cwd_(tmp.path()),
          scopedLauncher_(launcher),
          scopedSystem_(system) {
        launcher.beforeStart = [this](std::string_view commandLine) {
            if (beforeLoaderStarts) beforeLoaderStarts();
            Launch launch{std::string(commandLine), CommandFile(), SnapshotUserFiles(tmp.path())};
            launches.push_back(launch);
            // The real loader would ask the machine to go down.
            const bool power =
                launch.commandFile && (launch.commandFile->rfind("Shutdown", 0) == 0 ||
                                       launch.commandFile->rfind("Restart", 0) == 0);
            if (power) ADD_FAILURE() << "the front end asked the loader for a power action";
            return power ? platform::Status::Error(platform::kPermissionDenied)
                         : platform::Status::Ok();
        };
    }
    ~FrontEndRoundTrip() override {
        window.reset();
        Initialising = false;
        EXPECT_TRUE(system.powerActions.empty());
    }

    // Opens a new main window over the program folder, as a start of ZAMDeck would (telling what
    // the loader could not do).
    void OpenFrontEnd() {
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
    // Closes the window as "Save & Exit" does (no loader).
    void SaveAndExit() {
        window->close();
        ASSERT_TRUE(window->Finished());
        window.reset();
    }
    // After the window launched the loader: destroys it, waits for the loader and everything it
    // started, and checks that the front end was started again.
    void FinishLaunch() {
        ASSERT_TRUE(window->Finished()) << "the window did not close for the loader";
        window.reset();
        ASSERT_EQ(launches.size(), 1u) << "the loader was not started";
        WaitForEverything();
        ExpectFrontEndBackOnce();
    }

    // Each start of the loader, with what the front end had written by then.
    struct Launch {
        std::string commandLine;
        std::optional<std::string> commandFile;  // ZAM.int as it was
        FileSnapshot userFiles;
    };
    std::vector<Launch> launches;
    // Run just before the loader starts (to play a failed write of ZAM.int, for example).
    std::function<void()> beforeLoaderStarts;

    FakeUi ui;
    RecordingLauncher launcher{&platform::NativeProcesses()};
    RecordingSystem system;
    std::unique_ptr<frmZAM> window;

private:
    ScopedCurrentDir cwd_;
    platform::ScopedProcessLauncher scopedLauncher_;
    platform::ScopedSystemServices scopedSystem_;
};

}  // namespace zam::test
