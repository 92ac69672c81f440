#pragma once
// Small helpers around Win32 handles, names and text shared by the Windows file system, launcher
// and system services.
#include <windows.h>

#include <string>
#include <string_view>

#include "zam/platform/Status.h"

// What CreateProcess says of a program that must run as administrator; mingw-w64's headers lack
// it.
#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740L
#endif

namespace zam::platform::win32 {

// Owns one kernel handle and closes it.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return h_; }
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    // Takes over `h`, closing the one held before.
    void reset(HANDLE h);
    // Closes now and reports what CloseHandle said.
    Status Close();

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Names (paths, command lines) are 8-bit text in the system's ANSI code page, which is what the
// simulator, an ANSI program, reads and writes them in: a player folder named in its files is
// found under the same name here. Only the wide calls are made, so the conversion is this
// program's own and never guesses: `codePage` 0 is the system's, other values are for tests.
// False when the bytes are no text of the code page.
bool WideName(std::string_view name, std::wstring& wide, UINT codePage = 0);
// False when a character has no exact form in the code page. Windows' "best fit" would write
// "Lodz" for "Łódź" (another folder) and a real "\" for a fullwidth one (another place).
bool NarrowName(std::wstring_view wide, std::string& name, UINT codePage = 0);
// The code page of names: the system's ANSI code page.
UINT NamesCodePage();

// A name the system gave (a folder, an executable's path) in the form the rest of the program
// can hold: its own spelling when the code page holds it, else its short 8.3 form, which Windows
// keeps in plain letters for every name on drives that make them. False when neither: then the
// path cannot be named in this code page at all. `native` must exist for its short form.
bool LogicalFromSystem(const std::wstring& native, std::string& logical);

// The path the file calls are given for a logical path. Paths too long for the plain form
// (260 characters, 248 for a folder) are made absolute and given the "\\?\" ("\\?\UNC\" for a
// share) prefix that lifts the limit; shorter ones are passed as they are, relative ones
// included. kBadFileName when the name is no text of the code page.
Status NativeName(std::string_view logical, std::wstring& native);

// The command interpreter as the system names it: COMSPEC, else cmd.exe in the system folder.
// Kept wide, so that a COMSPEC the code page cannot hold still starts.
std::wstring InterpreterPath();

// The program's own texts (messages, the system's error texts shown with them) are
// Windows-1252, as the front end shows them; characters outside it become "?".
std::wstring WideText(std::string_view cp1252);
std::string NarrowText(std::wstring_view wide);

// The status for a Win32 error code (GetLastError()).
Status StatusFromWin32(DWORD error);
inline Status LastError() { return StatusFromWin32(::GetLastError()); }
// The same with the system's own text for the error and its number ("The requested operation
// requires elevation. (Windows error 740)"), for what is told to the user as it stands: a
// program that cannot be started, a shut-down that is refused.
Status SystemError(DWORD error);
inline Status LastSystemError() { return SystemError(::GetLastError()); }

}  // namespace zam::platform::win32
