#include "Win32Io.h"

namespace zam::platform::win32 {

namespace {
constexpr UINT kCodePage = 1252;
}  // namespace

Handle::~Handle() {
    if (valid()) ::CloseHandle(h_);
}

void Handle::reset(HANDLE h) {
    if (valid()) ::CloseHandle(h_);
    h_ = h;
}

Status Handle::Close() {
    if (!valid()) return Status::Ok();
    BOOL closed = ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return closed ? Status::Ok() : LastError();
}

std::wstring Wide(std::string_view cp1252) {
    if (cp1252.empty()) return {};
    int size = static_cast<int>(cp1252.size());
    int n = ::MultiByteToWideChar(kCodePage, 0, cp1252.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(kCodePage, 0, cp1252.data(), size, wide.data(), n);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = static_cast<int>(wide.size());
    int n = ::WideCharToMultiByte(kCodePage, 0, wide.data(), size, nullptr, 0, "?", nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(kCodePage, 0, wide.data(), size, text.data(), n, "?", nullptr);
    return text;
}

Status StatusFromWin32(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS: return Status::Ok();
        case ERROR_FILE_NOT_FOUND: return Status::Error(kFileNotFound);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_DIRECTORY: return Status::Error(kPathNotFound);
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT: return Status::Error(kPermissionDenied);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_DIR_NOT_EMPTY:
        case ERROR_USER_MAPPED_FILE: return Status::Error(kPathFileAccessError);
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL: return Status::Error(kDiskFull);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return Status::Error(kFileAlreadyExists);
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE: return Status::Error(kBadFileName);
        case ERROR_NOT_READY: return Status::Error(kDiskNotReady);
        default: return Status::Error(kIoError);
    }
}

Status SystemError(DWORD error) {
    Status status = StatusFromWin32(error);
    if (status.ok()) return status;
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) return status;
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    // The system's texts end in a line break.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (!text.empty()) status.description = Narrow(text);
    return status;
}

}  // namespace zam::platform::win32
