#pragma once
// Everything the loader asks of the system, in one interface, so that its main routine can run
// against a fake in tests: no real program is started, no directory changed, no machine shut down.
#include <cstdint>
#include <string>
#include <string_view>

#include "zam/platform/CommandFile.h"
#include "zam/platform/Process.h"
#include "zam/platform/Status.h"
#include "zam/platform/System.h"

namespace zam::loader {

class LoaderPlatform {
public:
    virtual ~LoaderPlatform() = default;

    // Folder of the loader's executable as a logical path ending in a separator.
    virtual std::string ProgramFolder() = 0;
    // The loader's executable name without folder and extension ("Rollout").
    virtual std::string ProgramName() = 0;
    // Folder of ZAM.int, ending in a separator: the program folder, unless the programs are
    // installed and keep their written files in the user's settings folder.
    virtual std::string SettingsFolder() { return ProgramFolder(); }
    virtual bool FileExists(std::string_view path) = 0;

    // ZAM.int, read and written in its forms (see CommandFile.h).
    virtual platform::Status ReadCommand(std::string_view path,
                                         platform::LoaderCommand& command) = 0;
    virtual platform::Status WriteElapsedTime(std::string_view path, std::int64_t seconds) = 0;
    virtual platform::Status WriteRunFailure(std::string_view path,
                                             const platform::RunFailure& failure) = 0;

    virtual bool ChangeDirectory(std::string_view folder) = 0;
    // Starts a command line in a normal window with focus and does not wait for it.
    virtual platform::Status Start(std::string_view commandLine, platform::ProcessId& id) = 0;
    // Waits without time-out for a started process and tells how it ended; fails when it cannot
    // be opened for waiting.
    virtual platform::Status Wait(platform::ProcessId id, platform::ProcessExit& exit) = 0;
    // Whole seconds on a clock that only moves forward.
    virtual std::int64_t Now() = 0;

    virtual platform::Status RequestPowerAction(platform::PowerAction action) = 0;
    // A message with an OK button; the loader has no window of its own.
    virtual void ShowMessage(const std::string& text) = 0;
    // The system's command interpreter (see platform::CommandInterpreter); empty where there is
    // none, and programs then start directly.
    virtual std::string CommandInterpreter() = 0;
};

}  // namespace zam::loader
