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

// Registry text is read as the system's 8-bit text; a value stored with its closing NUL loses it.
std::string TextOf(const char* data, DWORD size) {
    std::string text(data, size);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

class Win32System final : public SystemServices {
public:
    Status RequestPowerAction(PowerAction action) override {
        Status privileged = TakeShutdownPrivilege();
        if (!privileged) return privileged;
        UINT flags = action == PowerAction::kShutdown ? EWX_SHUTDOWN : EWX_REBOOT;
        return ::ExitWindowsEx(flags, 0) ? Status::Ok() : win32::LastSystemError();
    }

    // A missing file stays silent instead of playing the system's default sound.
    void PlaySoundAsync(std::string_view path) override {
        if (path.empty()) return;
        std::string name(path);
        ::sndPlaySoundA(name.c_str(), SND_ASYNC | SND_NODEFAULT);
    }

    // Opened for reading only: querying a value needs no more, and asking for full access fails
    // for every user who may not write below HKEY_LOCAL_MACHINE.
    bool GetKeyValue(std::string_view subKey, std::string_view valueName,
                     std::string& value) override {
        value.clear();
        std::string key(subKey), name(valueName);
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        char buffer[1024] = {};
        DWORD type = 0;
        DWORD size = sizeof(buffer);
        LONG queried = ::RegQueryValueExA(opened, name.c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(buffer), &size);
        ::RegCloseKey(opened);
        if (queried != ERROR_SUCCESS) return false;
        if (type == REG_SZ) {
            value = TextOf(buffer, size);
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
