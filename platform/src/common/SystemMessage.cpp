#include "zam/platform/SystemMessage.h"

#include <string>

#ifdef _WIN32
#include "../win32/Win32Io.h"
#else
#include <cstdio>

#include "zam/platform/Text.h"
#endif

namespace zam::platform {

void ShowSystemMessage(std::string_view text, std::string_view title) {
#ifdef _WIN32
    // The program's texts are Windows-1252, whatever code page the system runs with.
    const std::wstring body = win32::WideText(text), caption = win32::WideText(title);
    ::MessageBoxW(nullptr, body.c_str(), caption.c_str(), MB_OK | MB_SETFOREGROUND);
#else
    std::string line = Utf8FromCp1252(title) + ": " + Utf8FromCp1252(text) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
#endif
}

}  // namespace zam::platform
