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

namespace zam::test {

class FrontEndRoundTrip : public RoundTripFolders {
protected:
    explicit FrontEndRoundTrip(Layout layout = Layout::kPortable);
    ~FrontEndRoundTrip() override;

    // Opens a new main window over the program folder, as a start of ZAMDeck would (telling what
    // the loader could not do).
    void OpenFrontEnd();
    // Closes the window as "Save & Exit" does (no loader).
    void SaveAndExit();
    // After the window launched the loader: destroys it, waits for the loader and everything it
    // started, and checks that the front end was started again.
    void FinishLaunch();

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
