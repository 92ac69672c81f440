#pragma once
// Starting programs. A command line is split as Windows splits it and is never handed to a shell,
// so text the user typed (a server address, a password) can never run as a command.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"

namespace zam::platform {

struct SplitCommand {
    std::string program;             // logical path of the program as found
    std::vector<std::string> args;   // arguments after Windows quoting rules
    std::string arguments;           // the same part as written, blanks before it dropped
};

// Splits by Windows rules. The program part may be quoted; when it is not and holds blanks it is
// looked for as CreateProcess does: the shortest prefix ending before a blank that names an
// existing file (also with ".exe" appended) is the program. `exists` answers for a logical path.
SplitCommand SplitCommandLine(std::string_view commandLine,
                              const std::function<bool(std::string_view)>& exists);
// The argument part alone, split by the Windows rules (quotes, backslashes before quotes).
std::vector<std::string> SplitArguments(std::string_view arguments);
// Text to place between a pair of double quotes so that it is split back as exactly this text:
// every quote gets a backslash, and backslashes that come before a quote (or before the closing
// one) are doubled. Text with neither comes back unchanged.
std::string EscapeInsideQuotes(std::string_view text);

// What a program file needs to run off Windows. The header decides, not the name: a file that
// starts with "MZ" is a Windows program whatever it is called, and an executable script named
// GPL.EXE is still a script.
enum class ProgramKind {
    kNative,   // anything else: executed directly
    kWindows,  // starts with "MZ": run by wine
    kBatch,    // a .bat or .cmd file (any case) without the "MZ" header: run by wine's cmd
};
// `leadingBytes` are the first bytes of the file.
ProgramKind KindOfProgram(std::string_view name, std::string_view leadingBytes);
// True for the kinds that need Windows (or wine) to run.
bool IsWindowsProgram(std::string_view name, std::string_view leadingBytes);
// False when cmd would read part of the argument as its own syntax (&, |, <, >, ^, %, !, quotes,
// line ends), so that it cannot be handed to a batch file without running something else.
bool SafeBatchArgument(std::string_view argument);

struct ProcessId {
    std::int64_t value = 0;
};

// How a program that was waited for ended.
struct ProcessExit {
    std::uint32_t code = 0;  // its exit status (on Windows what GetExitCodeProcess gives)
    int signal = 0;          // off Windows: the signal that ended it, 0 when it ended itself
    bool Clean() const { return code == 0 && signal == 0; }
};
// "exit status 1", "exit status 0xC0000135" (Windows status codes read best in hexadecimal),
// "signal 9".
std::string DescribeExit(const ProcessExit& exit);

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the command line in a normal window with focus. On Linux a Windows program (a file
    // that starts with "MZ") is started through wine in the prefix of its drive, a batch file
    // through wine's cmd (refused when an argument would be read as cmd syntax); any other file is
    // executed directly. The current directory is inherited.
    virtual Status Start(std::string_view commandLine, ProcessId& id) = 0;
    // Waits without time-out until the process ends and tells how it ended. Fails when it cannot
    // be opened for waiting.
    virtual Status Wait(ProcessId id, ProcessExit& exit) = 0;
    // For a caller to whom only the end matters.
    Status Wait(ProcessId id) {
        ProcessExit ignored;
        return Wait(id, ignored);
    }
    // Whether the process has ended, without waiting for it: `ended` says so and `exit` tells how.
    // Once it has said so the process is gone, for Wait as for Poll. A window that waits for a
    // program asks this between repaints. This default, for launchers that start nothing real,
    // waits and says it ended.
    virtual Status Poll(ProcessId id, bool& ended, ProcessExit& exit);
    // Whether Start would find the program of the command line and could run it, without
    // starting anything: a missing file, a file that may not be executed, a Windows program with
    // no wine to run it. Here: the program file is found (a bare name is left to the search of
    // Start); the launchers of each system add what they know.
    virtual Status CheckStartable(std::string_view commandLine);
};

// The command interpreter for the command lines that must pass through one: on Windows the one
// COMSPEC names, else cmd.exe in the system folder. Empty on Linux, where Windows programs are
// started through wine by their kind and batch files through wine's own cmd.
std::string CommandInterpreter();

ProcessLauncher& Processes();
ProcessLauncher& NativeProcesses();

class ScopedProcessLauncher {
public:
    explicit ScopedProcessLauncher(ProcessLauncher& replacement);
    ~ScopedProcessLauncher();
    ScopedProcessLauncher(const ScopedProcessLauncher&) = delete;
    ScopedProcessLauncher& operator=(const ScopedProcessLauncher&) = delete;

private:
    ProcessLauncher* previous_;
};

}  // namespace zam::platform
