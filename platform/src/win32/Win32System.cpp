#include <cstring>
#include <string>

#include "Win32Io.h"
// After windows.h, which it needs.
#include <mmsystem.h>
#include "zam/platform/System.h"

namespace zam::platform {

namespace {

// Windows shuts down only for a process that holds the shut-down privilege in its token.
Status TakeShutdownPrivilege() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return win32::LastSystemError();
    win32::Handle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return win32::LastSystemError();
    // AdjustTokenPrivileges succeeds even when the privilege was not granted; that is told by
    // ERROR_NOT_ALL_ASSIGNED.
    ::SetLastError(ERROR_SUCCESS);
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) ||
        ::GetLastError() != ERROR_SUCCESS)
        return Status::Error(kPermissionDenied, "The shut-down privilege is not granted");
    return Status::Ok();
}

// Registry text is a name here (a program's path, a version): read wide, it keeps every
// character, and is given in the code page of names, by its short form where that cannot hold
// it. A value stored with its closing NUL loses it. False when it cannot be named at all.
bool TextOf(const wchar_t* data, DWORD bytes, std::string& text) {
    std::wstring wide(data, bytes / sizeof(wchar_t));
    while (!wide.empty() && wide.back() == L'\0') wide.pop_back();
    return win32::LogicalFromSystem(wide, text);
}

// "Shut down" means the power goes off, not only that Windows stops; the reason logged is a
// planned one, which the system's event log and its unexpected-shut-down prompt tell apart.
constexpr DWORD kPlannedReason =
    SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

class Win32System final : public SystemServices {
public:
    Status RequestPowerAction(PowerAction action) override {
        Status privileged = TakeShutdownPrivilege();
        if (!privileged) return privileged;
        UINT flags = action == PowerAction::kShutdown ? EWX_POWEROFF : EWX_REBOOT;
        return ::ExitWindowsEx(flags, kPlannedReason) ? Status::Ok() : win32::LastSystemError();
    }

    // A missing file stays silent instead of playing the system's default sound.
    void PlaySoundAsync(std::string_view path) override {
        std::wstring name;
        if (path.empty() || !win32::WideName(path, name)) return;
        ::sndPlaySoundW(name.c_str(), SND_ASYNC | SND_NODEFAULT);
    }

    // Opened for reading only: querying a value needs no more, and asking for full access fails
    // for every user who may not write below HKEY_LOCAL_MACHINE.
    bool GetKeyValue(std::string_view subKey, std::string_view valueName,
                     std::string& value) override {
        value.clear();
        const std::wstring key = win32::WideText(subKey), name = win32::WideText(valueName);
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        wchar_t buffer[1024] = {};
        DWORD type = 0;
        DWORD size = sizeof(buffer) - sizeof(wchar_t);
        LONG queried = ::RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(buffer), &size);
        ::RegCloseKey(opened);
        if (queried != ERROR_SUCCESS) return false;
        if (type == REG_SZ) {
            if (!TextOf(buffer, size, value)) return false;
        } else if (type == REG_DWORD && size >= sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, buffer, sizeof(number));
            value = std::to_string(number);
        }
        return true;
    }
};

}  // namespace

SystemServices& NativeSystem() {
    static Win32System instance;
    return instance;
}

}  // namespace zam::platform
