#include <map>
#include <string>

#include "Win32Io.h"
#include "zam/platform/Process.h"

namespace zam::platform {

namespace {

bool IsBlankOnly(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

class Win32ProcessLauncher final : public ProcessLauncher {
public:
    ~Win32ProcessLauncher() override {
        for (auto& [pid, handle] : started_) ::CloseHandle(handle);
    }

    // CreateProcess is given the whole command line: it finds the program the way every Windows
    // program expects (an unquoted path with blanks included) and the started program splits its
    // own arguments. No command interpreter is involved.
    Status Start(std::string_view commandLine, ProcessId& id) override {
        id = ProcessId{};
        if (IsBlankOnly(commandLine)) return Status::Error(kFileNotFound, "No program to start");
        std::wstring line = win32::Wide(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info))
            return win32::LastSystemError();
        ::CloseHandle(info.hThread);
        // The handle is kept until the process is waited for: once the program has ended its
        // identifier may be given to another process, and a wait opened by identifier alone
        // could then wait for that one instead.
        started_[info.dwProcessId] = info.hProcess;
        id.value = info.dwProcessId;
        return Status::Ok();
    }

    Status Wait(ProcessId id, ProcessExit& exit) override {
        exit = ProcessExit{};
        if (id.value <= 0) return Status::Error(kIoError, "No process to wait for");
        HANDLE process = TakeStarted(static_cast<DWORD>(id.value));
        if (process == nullptr) process = OpenForWaiting(static_cast<DWORD>(id.value));
        if (process == nullptr) return Status::Error(kIoError, "The program cannot be waited for");
        win32::Handle owned(process);
        if (::WaitForSingleObject(owned.get(), INFINITE) == WAIT_FAILED) return win32::LastError();
        // A handle opened for waiting alone cannot read the status: the program then counts as
        // having ended well, as it did before the status was read at all.
        DWORD code = 0;
        if (::GetExitCodeProcess(owned.get(), &code)) exit.code = code;
        return Status::Ok();
    }

private:
    // With the right to read the exit status where the system grants it, else for waiting only.
    static HANDLE OpenForWaiting(DWORD pid) {
        HANDLE process =
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        return process != nullptr ? process : ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    }

    HANDLE TakeStarted(DWORD pid) {
        auto it = started_.find(pid);
        if (it == started_.end()) return nullptr;
        HANDLE handle = it->second;
        started_.erase(it);
        return handle;
    }

    std::map<DWORD, HANDLE> started_;
};

}  // namespace

ProcessLauncher& NativeProcesses() {
    static Win32ProcessLauncher instance;
    return instance;
}

}  // namespace zam::platform
