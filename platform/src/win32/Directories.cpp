#include <string>

#include "Win32Io.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace zam::platform {

namespace {

// A folder the system gives, as a logical path ending in a separator. A folder whose name the
// code page cannot hold (a user name outside it: "C:\Users\Łódź\") is named by its short form;
// empty when it has none.
std::string AsFolder(std::wstring native) {
    if (native.empty() || (native.back() != L'\\' && native.back() != L'/')) native += L'\\';
    std::string logical;
    if (!win32::LogicalFromSystem(native, logical)) return {};
    if (logical.empty() || !IsSeparator(logical.back())) logical += '\\';
    return logical;
}

// A text the system keeps that grows as needed (an environment variable, the system folder).
template <typename Get>
std::wstring Fetch(Get get) {
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = get(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) {
        buffer.resize(n);
        n = get(buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    buffer.resize(n < buffer.size() ? n : 0);
    return buffer;
}

std::wstring Environment(const wchar_t* name) {
    return Fetch([name](wchar_t* buffer, DWORD size) {
        return ::GetEnvironmentVariableW(name, buffer, size);
    });
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
    return AsFolder(Fetch([](wchar_t* buffer, DWORD size) {
        return ::GetCurrentDirectoryW(size, buffer);
    }));
}

bool ChangeDirectory(std::string_view logical) {
    std::wstring native;
    if (logical.empty() || !win32::WideName(logical, native)) return false;
    return ::SetCurrentDirectoryW(native.c_str()) != 0;
}

std::string ProgramFolder() {
    std::wstring exe = Executable();
    std::size_t slash = exe.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return CurrentDirectory();
    return AsFolder(exe.substr(0, slash + 1));
}

std::wstring win32::InterpreterPath() {
    const std::wstring comspec = Environment(L"COMSPEC");
    if (!comspec.empty()) return comspec;
    const std::wstring system = Fetch([](wchar_t* buffer, DWORD size) {
        return static_cast<DWORD>(::GetSystemDirectoryW(buffer, size));
    });
    return system.empty() ? L"C:\\Windows\\System32\\cmd.exe" : system + L"\\cmd.exe";
}

// The interpreter by its own name when the code page holds it, else by its short form.
std::string CommandInterpreter() {
    std::string logical;
    return win32::LogicalFromSystem(win32::InterpreterPath(), logical) ? logical
                                                                      : "C:\\Windows\\System32\\cmd.exe";
}

// The executable's own name, also where its folder is named by a short form.
std::string ProgramName() {
    const std::wstring exe = Executable();
    const std::size_t slash = exe.find_last_of(L"\\/");
    std::string name;
    if (!win32::NarrowName(exe.substr(slash == std::wstring::npos ? 0 : slash + 1), name) &&
        win32::LogicalFromSystem(exe, name))
        name = NameOf(name);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Only a programs folder laid out as bin/ beside share/zamdeck/ asks for this; the Windows
// install rules lay the programs out flat, so a Windows copy keeps its files beside itself.
std::string UserSettingsFolder() {
    const std::wstring appData = Environment(L"APPDATA");
    if (appData.empty()) return {};
    const std::string folder = AsFolder(appData);
    return folder.empty() ? folder : folder + "ZAMDeck\\";
}

}  // namespace zam::platform
