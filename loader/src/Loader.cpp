#include "zam/loader/Loader.h"

#include <array>

#include "zam/loader/CommandLineRules.h"
#include "zam/platform/Text.h"

namespace zam::loader {

using platform::LoaderCommand;
using platform::ProcessId;
using platform::Status;

Loader::Loader(LoaderPlatform& platform) : platform_(platform) {}

int Loader::Run() {
    programFolder_ = platform_.ProgramFolder();
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
    ChangeToProgramFolder(command.commandLine);
    const std::optional<std::string> commandLine = CommandLineToRun(command.commandLine);
    if (!commandLine) return std::nullopt;
    std::int64_t start = platform_.Now();
    if (!RunAndWait(*commandLine)) return std::nullopt;
    std::int64_t elapsed = platform_.Now() - start;
    platform_.ChangeDirectory(programFolder_);
    platform_.WriteElapsedTime(CommandFilePath(), elapsed);
    return std::nullopt;
}

Loader::Ending Loader::ExitCommand(const LoaderCommand& command) {
    ChangeToProgramFolder(command.commandLine);
    if (command.commandLine.empty()) return std::nullopt;
    ProcessId id;
    if (!platform_.Start(command.commandLine, id)) return std::nullopt;
    return 0;
}

Loader::Ending Loader::ShutdownCommand(const LoaderCommand&) {
    return PowerAction(platform::PowerAction::kShutdown);
}

Loader::Ending Loader::RestartCommand(const LoaderCommand&) {
    return PowerAction(platform::PowerAction::kRestart);
}

// The machine goes down either way from the user's point of view: nothing is restarted, even
// when the system refused (no shut-down privilege, for example).
Loader::Ending Loader::PowerAction(platform::PowerAction action) {
    return platform_.RequestPowerAction(action) ? 0 : 1;
}

// AITW tools have always been run through the command interpreter, where the system has one.
// Nothing (and the user is told) when the line cannot be handed to it without part of it being
// read as a command.
std::optional<std::string> Loader::CommandLineToRun(const std::string& commandLine) {
    if (!NeedsCommandInterpreter(commandLine)) return commandLine;
    const std::string interpreter = platform_.CommandInterpreter();
    if (interpreter.empty()) return commandLine;
    std::optional<std::string> through = WithCommandInterpreter(commandLine, interpreter);
    if (!through)
        platform_.ShowMessage("Can't run \"" + commandLine + "\" through the command interpreter: "
                              "it holds a line break or a \"%\", or its program path holds \"!\" "
                              "or a quote, which the interpreter would take as commands or "
                              "variables of its own.");
    return through;
}

// Errors are ignored: the program then simply starts in the loader's folder.
void Loader::ChangeToProgramFolder(std::string_view commandLine) {
    if (std::optional<std::string> folder = FolderOfCommandLine(commandLine))
        platform_.ChangeDirectory(*folder);
}

// Fails only when the command line cannot be started. A process that cannot be opened for
// waiting is not waited for.
Status Loader::RunAndWait(std::string_view commandLine) {
    if (platform::TrimSpaces(commandLine).empty())
        return Status::Error(platform::kBadFileName, "No command line to run");
    ProcessId id;
    Status started = platform_.Start(commandLine, id);
    if (!started) return started;
    if (id.value != 0) platform_.Wait(id);
    return Status::Ok();
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
    return programFolder_ + std::string(platform::kCommandFileName);
}

}  // namespace zam::loader
