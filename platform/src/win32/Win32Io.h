#pragma once
// Small helpers around Win32 handles and text shared by the Windows file system, launcher and
// system services.
#include <windows.h>

#include <string>
#include <string_view>

#include "zam/platform/Status.h"

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

// Windows-1252 bytes to UTF-16 and back. The wide calls are used throughout, so that the program
// reads and writes the same names whatever code page the system runs with; a character that
// Windows-1252 cannot hold becomes '?'.
std::wstring Wide(std::string_view cp1252);
std::string Narrow(std::wstring_view wide);

// The status for a Win32 error code (GetLastError()).
Status StatusFromWin32(DWORD error);
inline Status LastError() { return StatusFromWin32(::GetLastError()); }
// The same code with the system's own text for the error ("The system cannot find the file
// specified."), for what is told to the user as it stands: a program that cannot be started, a
// shut-down that is refused.
Status SystemError(DWORD error);
inline Status LastSystemError() { return SystemError(::GetLastError()); }

}  // namespace zam::platform::win32
