#include "zam/loader/Loader.h"

#include <array>

#include "zam/loader/CommandLineRules.h"
#include "zam/platform/Text.h"

namespace zam::loader {

using platform::LoaderCommand;
using platform::ProcessId;
using platform::Status;

namespace {

std::string QuickEndReason(std::int64_t seconds, const platform::ProcessExit& exit) {
    return "It ended after " + std::to_string(seconds) + (seconds == 1 ? " second" : " seconds") +
           " with " + platform::DescribeExit(exit) + ".";
}

}  // namespace

Loader::Loader(LoaderPlatform& platform) : platform_(platform) {}

int Loader::Run() {
    programFolder_ = platform_.ProgramFolder();
    settingsFolder_ = platform_.SettingsFolder();
    platform_.ChangeDirectory(programFolder_);
    if (!OwnExecutableFound()) {
        platform_.ShowMessage(std::string("Can't Find ") + kLoaderTitle + " Directory");
        return 1;
    }
    Ending ending;
    // Whatever goes wrong with the command, the user gets the front end back.
    try {
        LoaderCommand command;
        if (platform_.ReadCommand(CommandFilePath(), command)) ending = CarryOut(command);
    } catch (...) {
        ending.reset();
    }
    return ending ? *ending : RestartFrontEnd();
}

// The executable is "Rollout.exe" on Windows and plain "Rollout" on Linux.
bool Loader::OwnExecutableFound() {
    std::string own = programFolder_ + platform_.ProgramName();
    return platform_.FileExists(own + ".exe") || platform_.FileExists(own);
}

Loader::Ending Loader::CarryOut(const LoaderCommand& command) {
    struct Handler {
        std::string_view word;
        Ending (Loader::*handle)(const LoaderCommand&);
    };
    // The words are compared with their case: "run" is no command.
    static constexpr std::array<Handler, 4> kHandlers = {{
        {"Run", &Loader::RunCommand},
        {"Exit", &Loader::ExitCommand},
        {"Shutdown", &Loader::ShutdownCommand},
        {"Restart", &Loader::RestartCommand},
    }};
    for (const Handler& handler : kHandlers)
        if (command.word == handler.word) return (this->*handler.handle)(command);
    return std::nullopt;
}

Loader::Ending Loader::RunCommand(const LoaderCommand& command) {
    // "Change GPL directory" sends an empty command line: nothing to run and nothing to tell.
    if (platform::TrimSpaces(command.commandLine).empty()) return std::nullopt;
    const std::string folder = ChangeToProgramFolder(command.commandLine);
    std::string commandLine;
    if (Status refused = CommandLineToRun(command.commandLine, commandLine); !refused) {
        platform_.ChangeDirectory(programFolder_);
        return TellFailure({command.word, command.commandLine, folder, refused.description});
    }
    std::int64_t start = platform_.Now();
    platform::ProcessExit exit;
    Status ran = RunAndWait(commandLine, exit);
    std::int64_t elapsed = platform_.Now() - start;
    platform_.ChangeDirectory(programFolder_);
    if (!ran) return TellFailure({command.word, commandLine, folder, ran.description});
    if (!exit.Clean() && elapsed <= kQuickFailureSeconds)
        return TellFailure({command.word, commandLine, folder, QuickEndReason(elapsed, exit)});
    RecordElapsedTime(elapsed);
    return std::nullopt;
}

Loader::Ending Loader::ExitCommand(const LoaderCommand& command) {
    const std::string folder = ChangeToProgramFolder(command.commandLine);
    if (platform::TrimSpaces(command.commandLine).empty()) return std::nullopt;
    ProcessId id;
    Status started = platform_.Start(command.commandLine, id);
    if (started) return 0;
    return TellFailure({command.word, command.commandLine, folder, started.description});
}

Loader::Ending Loader::ShutdownCommand(const LoaderCommand& command) {
    return PowerAction(command, platform::PowerAction::kShutdown);
}

Loader::Ending Loader::RestartCommand(const LoaderCommand& command) {
    return PowerAction(command, platform::PowerAction::kRestart);
}

// A machine that goes down needs no front end. One that stays up (no shut-down privilege, a
// policy that refuses) gets it back, with the reason.
Loader::Ending Loader::PowerAction(const LoaderCommand& command, platform::PowerAction action) {
    Status requested = platform_.RequestPowerAction(action);
    if (requested) return 0;
    return TellFailure({command.word, "", "", requested.description});
}

// AITW tools have always been run through the command interpreter, where the system has one.
Status Loader::CommandLineToRun(const std::string& commandLine, std::string& toRun) {
    toRun = commandLine;
    if (!NeedsCommandInterpreter(commandLine)) return Status::Ok();
    const std::string interpreter = platform_.CommandInterpreter();
    if (interpreter.empty()) return Status::Ok();
    std::optional<std::string> through = WithCommandInterpreter(commandLine, interpreter);
    if (!through)
        return Status::Error(platform::kBadFileName,
                             "It was not given to the command interpreter: it holds a line break "
                             "or a \"%\", or its program path holds \"!\" or a quote, which the "
                             "interpreter would take as commands or variables of its own.");
    toRun = std::move(*through);
    return Status::Ok();
}

// Errors are ignored: the program then simply starts in the loader's folder.
std::string Loader::ChangeToProgramFolder(std::string_view commandLine) {
    std::optional<std::string> folder = FolderOfCommandLine(commandLine);
    if (folder && platform_.ChangeDirectory(*folder)) return *folder;
    return programFolder_;
}

// Fails only when the command line cannot be started. A process that cannot be opened for
// waiting is not waited for and counts as having ended well.
Status Loader::RunAndWait(std::string_view commandLine, platform::ProcessExit& exit) {
    ProcessId id;
    Status started = platform_.Start(commandLine, id);
    if (!started) return started;
    if (id.value != 0) platform_.Wait(id, exit);
    return Status::Ok();
}

void Loader::RecordElapsedTime(std::int64_t seconds) {
    Status written = platform_.WriteElapsedTime(CommandFilePath(), seconds);
    if (!written)
        platform_.ShowMessage("The time of this run, " + platform::FormatElapsed(seconds) +
                              ", could not be written to \"" + CommandFilePath() +
                              "\": " + written.description);
}

Loader::Ending Loader::TellFailure(const platform::RunFailure& failure) {
    Status written = platform_.WriteRunFailure(CommandFilePath(), failure);
    if (!written) platform_.ShowMessage(platform::DescribeRunFailure(failure));
    return std::nullopt;
}

int Loader::RestartFrontEnd() {
    platform_.ChangeDirectory(programFolder_);
    std::string looked;
    for (std::string_view name : kFrontEndNames) {
        std::string path = programFolder_ + std::string(name);
        if (!platform_.FileExists(path)) {
            looked += (looked.empty() ? "\"" : " and \"") + path + "\"";
            continue;
        }
        std::string commandLine = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
        ProcessId id;
        Status started = platform_.Start(commandLine, id);
        if (started) return 0;
        platform_.ShowMessage("Can't start ZAMDeck \"" + path + "\": " + started.description);
        return 1;
    }
    platform_.ShowMessage("Can't find ZAMDeck: looked for " + looked);
    return 1;
}

std::string Loader::CommandFilePath() const {
    return settingsFolder_ + std::string(platform::kCommandFileName);
}

}  // namespace zam::loader
