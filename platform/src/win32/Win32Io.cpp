#include "Win32Io.h"

namespace zam::platform::win32 {

namespace {

constexpr UINT kTextCodePage = 1252;
// The plain form of a path holds MAX_PATH characters with its ending 0, a folder 12 fewer (room
// for an 8.3 name below it).
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

UINT CodePageOf(UINT codePage) { return codePage != 0 ? codePage : NamesCodePage(); }

bool ToWide(std::string_view bytes, UINT codePage, DWORD flags, std::wstring& wide) {
    wide.clear();
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (n <= 0) return false;
    wide.assign(static_cast<std::size_t>(n), L'\0');
    return ::MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), n) == n;
}

bool ToNarrow(std::wstring_view wide, UINT codePage, DWORD flags, std::string& bytes) {
    bytes.clear();
    if (wide.empty()) return true;
    const int size = static_cast<int>(wide.size());
    const int n =
        ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return false;
    bytes.assign(static_cast<std::size_t>(n), '\0');
    return ::WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), n, nullptr,
                                 nullptr) == n;
}

bool StartsWith(std::wstring_view text, std::wstring_view head) {
    return text.substr(0, head.size()) == head;
}

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

UINT NamesCodePage() {
    static const UINT codePage = ::GetACP();
    return codePage;
}

bool WideName(std::string_view name, std::wstring& wide, UINT codePage) {
    return ToWide(name, CodePageOf(codePage), MB_ERR_INVALID_CHARS, wide);
}

bool NarrowName(std::wstring_view wide, std::string& name, UINT codePage) {
    const UINT page = CodePageOf(codePage);
    // Some code pages refuse the no-best-fit flag; the round trip below is the test that counts.
    const DWORD flags = page == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    if (!ToNarrow(wide, page, flags, name) && !ToNarrow(wide, page, 0, name)) return false;
    std::wstring back;
    if (WideName(name, back, page) && back == wide) return true;
    name.clear();
    return false;
}

bool LogicalFromSystem(const std::wstring& native, std::string& logical) {
    if (NarrowName(native, logical)) return true;
    const DWORD n = ::GetShortPathNameW(native.c_str(), nullptr, 0);
    if (n == 0) return false;
    std::wstring shortName(n, L'\0');
    const DWORD got = ::GetShortPathNameW(native.c_str(), shortName.data(), n);
    if (got == 0 || got >= n) return false;
    shortName.resize(got);
    return NarrowName(shortName, logical);
}

Status NativeName(std::string_view logical, std::wstring& native) {
    if (!WideName(logical, native))
        return Status::Error(kBadFileName, "The name \"" + std::string(logical) +
                                               "\" is no text of the system's code page");
    if (native.empty() || StartsWith(native, L"\\\\?\\") || StartsWith(native, L"\\\\.\\"))
        return Status::Ok();
    const DWORD n = ::GetFullPathNameW(native.c_str(), 0, nullptr, nullptr);
    if (n == 0 || n <= kPlainPathLimit) return Status::Ok();
    std::wstring full(n, L'\0');
    const DWORD got = ::GetFullPathNameW(native.c_str(), n, full.data(), nullptr);
    if (got == 0 || got >= n) return Status::Ok();
    full.resize(got);
    if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) {
        native = full;
    } else if (StartsWith(full, L"\\\\")) {
        native = L"\\\\?\\UNC\\" + full.substr(2);
    } else {
        native = L"\\\\?\\" + full;
    }
    return Status::Ok();
}

std::wstring WideText(std::string_view cp1252) {
    std::wstring wide;
    ToWide(cp1252, kTextCodePage, 0, wide);
    return wide;
}

std::string NarrowText(std::wstring_view wide) {
    std::string text;
    ToNarrow(wide, kTextCodePage, 0, text);
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
        case ERROR_WRITE_PROTECT:
        case ERROR_ELEVATION_REQUIRED:
        case ERROR_CANCELLED: return Status::Error(kPermissionDenied);
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
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_NO_UNICODE_TRANSLATION: return Status::Error(kBadFileName);
        case ERROR_NOT_READY: return Status::Error(kDiskNotReady);
        default: return Status::Error(kIoError);
    }
}

Status SystemError(DWORD error) {
    Status status = StatusFromWin32(error);
    if (status.ok()) return status;
    const std::string number = "Windows error " + std::to_string(error);
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) ::LocalFree(buffer);
    // The system's texts end in a line break.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    status.description = text.empty() ? number : NarrowText(text) + " (" + number + ")";
    return status;
}

}  // namespace zam::platform::win32
