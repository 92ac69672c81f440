#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "PosixIo.h"
#include "Spawn.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"

namespace zam::platform {

namespace fs = std::filesystem;

namespace {

// Where the program file is, as an absolute path (so that no program reads it as an option): a
// bare name is looked for in $PATH first, as a shell would, and then in the current directory.
// Empty when there is no such file.
fs::path ProgramFile(std::string_view program) {
    std::error_code ec;
    if (IsBareName(program)) {
        fs::path found = posix::FindInPath(Utf8FromCp1252(program));
        if (!found.empty()) return fs::absolute(found, ec);
    }
    if (NativeFileSystem().FileExists(program)) return fs::absolute(NativePath(program), ec);
    return {};
}

std::string LeadingBytes(const fs::path& native) {
    posix::Fd fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    std::string bytes;
    if (fd.valid()) posix::ReadFully(fd.get(), 0, 2, bytes);
    return bytes;
}

// The Wine prefix that holds `native` (the nearest folder above it with a dosdevices folder), so
// that a program on a drive of one prefix runs in that prefix.
fs::path PrefixHolding(const fs::path& native) {
    std::error_code ec;
    fs::path folder = fs::absolute(native, ec).parent_path();
    while (!ec && !folder.empty()) {
        if (fs::is_directory(folder / "dosdevices", ec)) return folder;
        fs::path parent = folder.parent_path();
        if (parent == folder) break;
        folder = parent;
    }
    return {};
}

// The program as wine's cmd reads it: a drive-letter path as written, anything else through the
// Z: drive that every Wine prefix maps to the Unix root.
std::string WindowsPathOf(std::string_view logical, const fs::path& native) {
    std::string path;
    if (logical.size() >= 2 && logical[1] == ':') {
        path = Utf8FromCp1252(logical);
    } else {
        path = "Z:" + native.string();
    }
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// How a program of each kind is started: the executable to run and the leading arguments.
struct Invocation {
    fs::path executable;
    std::vector<std::string> argv;
    std::vector<std::string> environment;
};

// What the user needs to know when a Windows program is to run where wine is missing: the
// simulator itself is a 32-bit program, which Debian's wine runs only with its 32-bit half.
constexpr const char* kWineMissing =
    "It is a Windows program and needs wine, which is not installed. On Debian or Ubuntu install "
    "the packages \"wine\" and \"wine32\" (sudo dpkg --add-architecture i386 && sudo apt update "
    "&& sudo apt install wine wine32).";

Status WineInvocation(const fs::path& program, Invocation& how) {
    how.executable = posix::FindInPath("wine");
    if (how.executable.empty()) return Status::Error(kFileNotFound, kWineMissing);
    how.argv.push_back(how.executable.string());
    fs::path prefix = PrefixHolding(program);
    if (!prefix.empty()) how.environment.push_back("WINEPREFIX=" + prefix.string());
    return Status::Ok();
}

Status InvocationOf(const SplitCommand& split, const fs::path& program, Invocation& how) {
    switch (KindOfProgram(program.filename().string(), LeadingBytes(program))) {
        case ProgramKind::kNative:
            how.executable = program;
            how.argv.push_back(program.string());
            return Status::Ok();
        case ProgramKind::kWindows: {
            Status wine = WineInvocation(program, how);
            if (wine) how.argv.push_back(program.string());
            return wine;
        }
        case ProgramKind::kBatch: {
            for (const std::string& arg : split.args)
                if (!SafeBatchArgument(arg))
                    return Status::Error(kBadFileName,
                                         "A batch file can't be given the argument " + arg);
            Status wine = WineInvocation(program, how);
            if (wine) how.argv.insert(how.argv.end(), {"cmd", "/c", WindowsPathOf(split.program, program)});
            return wine;
        }
    }
    return Status::Error(kBadFileName);
}

// The program a command line names and how it would be started, or why it cannot be.
Status Prepare(std::string_view commandLine, Invocation& how) {
    SplitCommand split = SplitCommandLine(
        commandLine, [](std::string_view p) { return NativeFileSystem().FileExists(p); });
    if (split.program.empty()) return Status::Error(kFileNotFound, "No program to start");
    fs::path program = ProgramFile(split.program);
    if (program.empty()) return posix::SystemError(ENOENT);
    Status prepared = InvocationOf(split, program, how);
    if (!prepared) return prepared;
    // Arguments are Windows-1252 text; programs here read their arguments as UTF-8.
    for (const std::string& arg : split.args) how.argv.push_back(Utf8FromCp1252(arg));
    return Status::Ok();
}

ProcessExit ExitOf(int waitStatus) {
    ProcessExit exit;
    if (WIFSIGNALED(waitStatus)) exit.signal = WTERMSIG(waitStatus);
    if (WIFEXITED(waitStatus)) exit.code = static_cast<std::uint32_t>(WEXITSTATUS(waitStatus));
    return exit;
}

class PosixProcessLauncher final : public ProcessLauncher {
public:
    Status Start(std::string_view commandLine, ProcessId& id) override {
        id = ProcessId{};
        Invocation how;
        Status prepared = Prepare(commandLine, how);
        if (!prepared) return prepared;
        pid_t pid = 0;
        Status started = posix::Spawn(how.executable, how.argv, how.environment, pid);
        if (started) id.value = pid;
        return started;
    }

    Status Wait(ProcessId id, ProcessExit& exit) override {
        bool ended = false;
        return Reap(id, 0, ended, exit);
    }

    Status Poll(ProcessId id, bool& ended, ProcessExit& exit) override {
        return Reap(id, WNOHANG, ended, exit);
    }

private:
    // waitpid with `options`: `ended` once the process is gone (then reaped, and `exit` tells how).
    static Status Reap(ProcessId id, int options, bool& ended, ProcessExit& exit) {
        ended = false;
        exit = ProcessExit{};
        if (id.value <= 0) return Status::Error(kIoError, "No process to wait for");
        int status = 0;
        pid_t got = 0;
        while ((got = ::waitpid(static_cast<pid_t>(id.value), &status, options)) < 0) {
            if (errno == EINTR) continue;
            return Status::Error(kIoError, "The program cannot be waited for");
        }
        if (got == 0) return Status::Ok();  // still running
        ended = true;
        exit = ExitOf(status);
        return Status::Ok();
    }

public:
    // The file that would be executed (the program itself, or wine for a Windows program) must
    // be there and executable; posix_spawn would say so only when it is tried.
    Status CheckStartable(std::string_view commandLine) override {
        Invocation how;
        Status prepared = Prepare(commandLine, how);
        if (!prepared) return prepared;
        if (::access(how.executable.c_str(), X_OK) != 0) return posix::SystemError(errno);
        return Status::Ok();
    }
};

}  // namespace

ProcessLauncher& NativeProcesses() {
    static PosixProcessLauncher instance;
    return instance;
}

}  // namespace zam::platform
