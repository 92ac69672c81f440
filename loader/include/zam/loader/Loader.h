#pragma once
// The loader's one routine: carry out the command the front end left in ZAM.int and, unless the
// command ends the session (a program started on exit, a shut-down or restart), bring the front
// end back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zam/loader/LoaderPlatform.h"

namespace zam::loader {

inline constexpr const char* kLoaderTitle = "ZAM+";
// The front end's executable, as it is named on Windows and on Linux.
inline constexpr std::string_view kFrontEndNames[] = {"ZAMDeck.Exe", "ZAMDeck"};
// A program of a "Run" that ends this soon with a non-zero exit status did not really run: a
// missing DLL, wine unable to load it, a simulator that refused to start. Wine's first start
// builds its prefix before it even tries the program, which takes half a minute on a slow
// machine, so "soon" is generous; a session that short is no race to count.
inline constexpr std::int64_t kQuickFailureSeconds = 60;

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
    Ending PowerAction(const platform::LoaderCommand& command, platform::PowerAction action);

    // The line as it is started: through the command interpreter for AITW tools. Fails, with the
    // reason, when the interpreter could not be kept from reading part of it.
    platform::Status CommandLineToRun(const std::string& commandLine, std::string& toRun);
    // The folder the program will run in: its own, or the program folder when the command line
    // names none or it cannot be made current.
    std::string ChangeToProgramFolder(std::string_view commandLine);
    platform::Status RunAndWait(std::string_view commandLine, platform::ProcessExit& exit);
    void RecordElapsedTime(std::int64_t seconds);
    // Leaves the failure in ZAM.int for the front end to tell; says it itself when it cannot.
    Ending TellFailure(const platform::RunFailure& failure);
    int RestartFrontEnd();
    std::string CommandFilePath() const;

    LoaderPlatform& platform_;
    std::string programFolder_;
    std::string settingsFolder_;
};

}  // namespace zam::loader
