#include "Win32ProcessLauncher.h"

#include <objbase.h>

#include <map>
#include <string>

#include "Win32Io.h"
#include "zam/platform/FileSystem.h"

namespace zam::platform {

namespace {

bool IsBlankOnly(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsBatchFile(std::string_view program) {
    return KindOfProgram(program, {}) == ProgramKind::kBatch;
}

Status NoText(std::string_view what) {
    return Status::Error(kBadFileName, std::string(what) + " holds bytes that are no text of the "
                                                           "system's code page");
}

// COM for the shell while it starts a program, as ShellExecuteEx asks of its callers (a thread
// that has it already keeps it).
class ComForShell {
public:
    ComForShell()
        : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED |
                                                               COINIT_DISABLE_OLE1DDE))) {}
    ~ComForShell() {
        if (initialised_) ::CoUninitialize();
    }
    ComForShell(const ComForShell&) = delete;
    ComForShell& operator=(const ComForShell&) = delete;

private:
    bool initialised_;
};

class Win32ProcessLauncher final : public ProcessLauncher {
public:
    explicit Win32ProcessLauncher(const win32::StartCalls& calls) : calls_(calls) {}

    ~Win32ProcessLauncher() override {
        for (auto& [pid, handle] : started_) ::CloseHandle(handle);
    }

    // CreateProcess is given the whole command line: it finds the program the way every Windows
    // program expects (an unquoted path with blanks included) and the started program splits its
    // own arguments. No command interpreter is involved, except for a batch file, which only cmd
    // can run (see StartBatch).
    Status Start(std::string_view commandLine, ProcessId& id) override {
        id = ProcessId{};
        if (IsBlankOnly(commandLine)) return Status::Error(kFileNotFound, "No program to start");
        const SplitCommand split = SplitCommandLine(
            commandLine, [](std::string_view p) { return NativeFileSystem().FileExists(p); });
        std::wstring application, line;
        Status prepared = IsBatchFile(split.program) ? BatchLine(split, application, line)
                                                     : WholeLine(commandLine, line);
        if (!prepared) return prepared;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION info{};
        if (calls_.createProcess(application.empty() ? nullptr : application.c_str(), line.data(),
                                 nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            ::CloseHandle(info.hThread);
            Keep(info.hProcess, info.dwProcessId, id);
            return Status::Ok();
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_ELEVATION_REQUIRED && application.empty()) return StartElevated(split, id);
        return win32::SystemError(error);
    }

    Status Wait(ProcessId id, ProcessExit& exit) override {
        exit = ProcessExit{};
        HANDLE process = nullptr;
        if (Status watched = Watch(id, process); !watched) return watched;
        win32::Handle owned(Take(process));
        if (::WaitForSingleObject(owned.get(), INFINITE) == WAIT_FAILED) return win32::LastError();
        ExitOf(owned.get(), exit);
        return Status::Ok();
    }

    Status Poll(ProcessId id, bool& ended, ProcessExit& exit) override {
        ended = false;
        exit = ProcessExit{};
        HANDLE process = nullptr;
        if (Status watched = Watch(id, process); !watched) return watched;
        const DWORD state = ::WaitForSingleObject(process, 0);
        if (state == WAIT_TIMEOUT) return Status::Ok();
        win32::Handle owned(Take(process));
        if (state == WAIT_FAILED) return win32::LastError();
        ended = true;
        ExitOf(owned.get(), exit);
        return Status::Ok();
    }

private:
    static Status WholeLine(std::string_view commandLine, std::wstring& line) {
        return win32::WideName(commandLine, line) ? Status::Ok() : NoText("The command line");
    }

    // CreateProcess would hand a batch file's line to cmd as it stands, and cmd would run any
    // "&" or "|" in an argument as a command of its own. So an argument cmd would read as its
    // syntax is refused, as it is off Windows, and the interpreter is started explicitly:
    // cmd /s /v:off /c ""program" arguments", where /s takes off exactly the outer quotes and
    // /v:off keeps "!" literal. A "%" in the program's path would be expanded and is refused.
    static Status BatchLine(const SplitCommand& split, std::wstring& application,
                            std::wstring& line) {
        for (const std::string& arg : split.args)
            if (!SafeBatchArgument(arg))
                return Status::Error(kBadFileName, "A batch file can't be given the argument " + arg);
        if (split.program.find('%') != std::string::npos)
            return Status::Error(kBadFileName,
                                 "A batch file whose path holds \"%\" can't be run: " + split.program);
        std::string inner = "\"" + split.program + "\"";
        for (const std::string& arg : split.args)
            inner += arg.empty() || arg.find_first_of(" \t") != std::string::npos
                         ? " \"" + arg + "\""
                         : " " + arg;
        std::wstring wideInner;
        if (!win32::WideName(inner, wideInner)) return NoText("The command line");
        application = win32::InterpreterPath();
        line = L"cmd /s /v:off /c \"" + wideInner + L"\"";
        return Status::Ok();
    }

    // A program marked to run as administrator (by its manifest, or by the user's compatibility
    // setting) cannot be created by one that is not: CreateProcess says 740. The shell can start
    // it once the user has agreed (UAC), and its handle is waited on as any other.
    Status StartElevated(const SplitCommand& split, ProcessId& id) {
        std::wstring file, parameters;
        if (!win32::WideName(split.program, file) || !win32::WideName(split.arguments, parameters))
            return NoText("The command line");
        const DWORD n = ::GetCurrentDirectoryW(0, nullptr);
        std::wstring folder(n, L'\0');
        folder.resize(n != 0 ? ::GetCurrentDirectoryW(n, folder.data()) : 0);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"runas";
        info.lpFile = file.c_str();
        info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
        info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        ComForShell com;
        if (!calls_.shellExecute(&info)) return win32::LastSystemError();
        // Without a process (the shell handed the start to a running program) there is nothing
        // to wait for.
        if (info.hProcess != nullptr) Keep(info.hProcess, ::GetProcessId(info.hProcess), id);
        return Status::Ok();
    }

    // The handle is kept until the process is waited for: once the program has ended its
    // identifier may be given to another process, and a wait opened by identifier alone could
    // then wait for that one instead.
    void Keep(HANDLE process, DWORD pid, ProcessId& id) {
        started_[pid] = process;
        id.value = pid;
    }

    // The handle to wait on: the one kept from the start, else one opened now (and kept).
    Status Watch(ProcessId id, HANDLE& process) {
        if (id.value <= 0) return Status::Error(kIoError, "No process to wait for");
        const DWORD pid = static_cast<DWORD>(id.value);
        auto it = started_.find(pid);
        if (it != started_.end()) {
            process = it->second;
            return Status::Ok();
        }
        process = OpenForWaiting(pid);
        if (process == nullptr) return Status::Error(kIoError, "The program cannot be waited for");
        started_[pid] = process;
        return Status::Ok();
    }

    HANDLE Take(HANDLE process) {
        for (auto it = started_.begin(); it != started_.end(); ++it)
            if (it->second == process) {
                started_.erase(it);
                break;
            }
        return process;
    }

    // With the right to read the exit status where the system grants it, else for waiting only.
    static HANDLE OpenForWaiting(DWORD pid) {
        HANDLE process =
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        return process != nullptr ? process : ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    }

    // A handle opened for waiting alone cannot read the status: the program then counts as
    // having ended well, as it did before the status was read at all.
    static void ExitOf(HANDLE process, ProcessExit& exit) {
        DWORD code = 0;
        if (::GetExitCodeProcess(process, &code)) exit.code = code;
    }

    win32::StartCalls calls_;
    std::map<DWORD, HANDLE> started_;
};

}  // namespace

std::unique_ptr<ProcessLauncher> win32::MakeProcessLauncher(const StartCalls& calls) {
    return std::make_unique<Win32ProcessLauncher>(calls);
}

ProcessLauncher& NativeProcesses() {
    static const std::unique_ptr<ProcessLauncher> instance = win32::MakeProcessLauncher();
    return *instance;
}

}  // namespace zam::platform
