#pragma once
// The round trip with the real front end: the main window runs in this process with the
// temporary program folder, launches through "&Run GPL" (or another loader command), closes
// with everything written and starts the copied loader as a real process. The loader runs the
// simulator stand-in and starts the stand-in front end; the test then plays "the front end
// started again" by opening a new main window over the same folders.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeUi.h"
#include "RoundTripFolders.h"
#include "zam/frontend/frmZAM.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace zam::test {

// The real launcher, with a note of what the front end had written by the time it started the
// loader: the command file and the user's files.
class WatchingLauncher : public platform::ProcessLauncher {
public:
    explicit WatchingLauncher(const TempDir& tmp) : tmp_(tmp) {}
    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override;
    platform::Status Wait(platform::ProcessId id, platform::ProcessExit& exit) override;

    struct Launch {
        std::string commandLine;
        std::optional<std::string> commandFile;  // prog\ZAM.int as it was
        FileSnapshot userFiles;
    };
    std::vector<Launch> launches;
    // Run just before the loader starts (to play a failed write of ZAM.int, for example).
    std::function<void()> beforeStart;

private:
    const TempDir& tmp_;
};

// Sounds and power requests of the front end, recorded instead of played or sent.
class QuietSystem : public platform::SystemServices {
public:
    platform::Status RequestPowerAction(platform::PowerAction action) override;
    void PlaySoundAsync(std::string_view path) override;
    bool GetKeyValue(std::string_view, std::string_view, std::string& value) override;
    int powerActions = 0;
};

class FrontEndRoundTrip : public RoundTripFolders {
protected:
    FrontEndRoundTrip();
    ~FrontEndRoundTrip() override;

    // Opens a new main window over the program folder, as a start of ZAMDeck would (telling what
    // the loader could not do).
    void OpenFrontEnd();
    // Closes the window as "Save & Exit" does (no loader).
    void SaveAndExit();
    // After the window launched the loader: destroys it, waits for the loader and everything it
    // started, and checks that the front end was started again.
    void FinishLaunch();

    std::string TimeLabel() const;
    std::string ZamIniValue(const char* section, const char* entry) const;

    FakeUi ui;
    WatchingLauncher launcher{tmp};
    QuietSystem system;
    std::unique_ptr<frmZAM> window;

private:
    ScopedCurrentDir cwd_;
    platform::ScopedProcessLauncher scopedLauncher_;
    platform::ScopedSystemServices scopedSystem_;
};

}  // namespace zam::test
