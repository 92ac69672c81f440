#pragma once
// The loader's one routine: carry out the command the front end left in ZAM.int and, unless the
// command ends the session (a program started on exit, a shut-down or restart), bring the front
// end back.
#include <optional>
#include <string>
#include <string_view>

#include "zam/loader/LoaderPlatform.h"

namespace zam::loader {

inline constexpr const char* kLoaderTitle = "ZAM+";
// The front end's executable, as it is named on Windows and on Linux.
inline constexpr std::string_view kFrontEndNames[] = {"ZAMDeck.Exe", "ZAMDeck"};

class Loader {
public:
    explicit Loader(LoaderPlatform& platform);

    // Runs the whole loader and returns the process exit code: 0 when everything it set out to do
    // was done, 1 when something could not be (the own folder, the front end, a power action).
    int Run();

private:
    // What is left after a command: nothing means bring the front end back; a value means end
    // with that exit code.
    using Ending = std::optional<int>;

    bool OwnExecutableFound();
    Ending CarryOut(const platform::LoaderCommand& command);
    Ending RunCommand(const platform::LoaderCommand& command);
    Ending ExitCommand(const platform::LoaderCommand& command);
    Ending ShutdownCommand(const platform::LoaderCommand& command);
    Ending RestartCommand(const platform::LoaderCommand& command);
    Ending PowerAction(platform::PowerAction action);

    std::optional<std::string> CommandLineToRun(const std::string& commandLine);
    void ChangeToProgramFolder(std::string_view commandLine);
    platform::Status RunAndWait(std::string_view commandLine);
    int RestartFrontEnd();
    std::string CommandFilePath() const;

    LoaderPlatform& platform_;
    std::string programFolder_;
};

}  // namespace zam::loader
