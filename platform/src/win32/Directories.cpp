#include <string>

#include "Win32Io.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace zam::platform {

namespace {

std::string AsFolder(std::wstring_view native) {
    std::string logical = win32::Narrow(native);
    if (logical.empty() || !IsSeparator(logical.back())) logical += '\\';
    return logical;
}

// Full path of the running executable; the buffer grows until the name fits.
std::wstring Executable() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string CurrentDirectory() {
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return {};
    std::wstring buffer(n, L'\0');
    n = ::GetCurrentDirectoryW(n, buffer.data());
    if (n == 0 || n >= buffer.size()) return {};
    buffer.resize(n);
    return AsFolder(buffer);
}

bool ChangeDirectory(std::string_view logical) {
    if (logical.empty()) return false;
    return ::SetCurrentDirectoryW(win32::Wide(logical).c_str()) != 0;
}

std::string ProgramFolder() {
    std::wstring exe = Executable();
    std::size_t slash = exe.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return CurrentDirectory();
    return AsFolder(std::wstring_view(exe).substr(0, slash + 1));
}

std::string CommandInterpreter() {
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = ::GetEnvironmentVariableW(L"COMSPEC", buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) {
        buffer.resize(n);
        n = ::GetEnvironmentVariableW(L"COMSPEC", buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (n > 0 && n < buffer.size()) return win32::Narrow(std::wstring_view(buffer).substr(0, n));
    n = ::GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return "C:\\Windows\\System32\\cmd.exe";
    return AsFolder(std::wstring_view(buffer).substr(0, n)) + "cmd.exe";
}

std::string ProgramName() {
    std::string name = NameOf(win32::Narrow(Executable()));
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Only a programs folder laid out as bin/ beside share/zamdeck/ asks for this; the Windows
// install rules lay the programs out flat, so a Windows copy keeps its files beside itself.
std::string UserSettingsFolder() {
    DWORD n = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (n == 0) return {};
    std::wstring buffer(n, L'\0');
    n = ::GetEnvironmentVariableW(L"APPDATA", buffer.data(), n);
    if (n == 0 || n >= buffer.size()) return {};
    buffer.resize(n);
    return AsFolder(buffer + L"\\ZAMDeck");
}

}  // namespace zam::platform
