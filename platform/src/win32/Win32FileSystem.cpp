#include <algorithm>
#include <atomic>
#include <string>

#include <windows.h>
// after windows.h, which it needs
#include <aclapi.h>

#include "ProtectedFolders.h"
#include "Win32Io.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"
#include "zam/platform/Wildcard.h"

namespace zam::platform {

using win32::Handle;
using win32::LastError;
using win32::NativeName;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kChunk = 1 << 16;

bool AttributesOf(const std::wstring& native, DWORD& attributes) {
    attributes = ::GetFileAttributesW(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsReadOnlyFile(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_READONLY) != 0; }

// What a file keeps when it is written anew or replaced: CreateFile refuses to overwrite a hidden
// or system file unless it is asked for the same attributes.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The native path of a file this program creates, renames to or replaces: refused when Windows
// would store it under another name (see CheckWriteTarget).
Status WriteTarget(std::string_view logical, std::wstring& native) {
    Status name = CheckWriteTarget(logical);
    return name ? NativeName(logical, native) : name;
}

// The error of a failed write to `native`. Access denied in a folder Windows guards says which
// guard and what to do; the user cannot see that from "Permission denied".
Status WriteError(const std::wstring& native) {
    const DWORD error = ::GetLastError();
    Status status = win32::StatusFromWin32(error);
    if (error == ERROR_ACCESS_DENIED) {
        std::string reason = win32::ProtectedFolderReason(native);
        if (!reason.empty()) status.description = std::move(reason);
    }
    return status;
}

// A folder where a file is expected is a path/file access error (CreateFile would only say
// "access denied"); a missing entry keeps the error Windows gave for it. A read-only file is
// refused for writing before it is opened: Windows refuses it by itself, but a drive that wine
// maps onto a POSIX file system lets an administrator write to it all the same.
Status CheckFile(const std::wstring& native, bool forWriting) {
    DWORD attributes = 0;
    if (!AttributesOf(native, attributes)) return LastError();
    if (IsFolder(attributes)) return Status::Error(kPathFileAccessError);
    if (forWriting && IsReadOnlyFile(attributes)) return Status::Error(kPermissionDenied);
    return Status::Ok();
}

// A target that exists may be replaced only when it is a writable file.
Status CheckReplaceable(const std::wstring& native) {
    DWORD attributes = 0;
    if (!AttributesOf(native, attributes)) return Status::Ok();
    if (IsFolder(attributes)) return Status::Error(kPathFileAccessError);
    if (IsReadOnlyFile(attributes)) return Status::Error(kPermissionDenied);
    return Status::Ok();
}

Status OpenExisting(const std::wstring& native, DWORD access, Handle& file) {
    Status checked = CheckFile(native, (access & GENERIC_WRITE) != 0);
    if (!checked) return checked;
    file.reset(::CreateFileW(native.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() ? Status::Ok() : LastError();
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// Reads up to `count` bytes from `offset` (fewer at the end of the file).
Status ReadFully(HANDLE file, std::uint64_t offset, std::size_t count, std::string& bytes) {
    bytes.assign(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, kChunk));
        DWORD got = 0;
        OVERLAPPED at = At(offset + done);
        if (!::ReadFile(file, bytes.data() + done, want, &got, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) break;
            bytes.clear();
            return LastError();
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return Status::Ok();
}

// Writes every byte at `offset`; a write that stops short is a full disk.
Status WriteFully(HANDLE file, std::string_view bytes, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD put = 0;
        OVERLAPPED at = At(offset + done);
        if (!::WriteFile(file, bytes.data() + done, want, &put, &at)) return LastError();
        if (put == 0) return Status::Error(kDiskFull);
        done += put;
    }
    return Status::Ok();
}

Status FlushAndClose(Handle& file) {
    if (!::FlushFileBuffers(file.get())) return LastError();
    return file.Close();
}

Status CopyBytes(HANDLE from, HANDLE to) {
    std::string chunk;
    std::uint64_t offset = 0;
    for (;;) {
        Status read = ReadFully(from, offset, kChunk, chunk);
        if (!read) return read;
        if (chunk.empty()) return Status::Ok();
        Status written = WriteFully(to, chunk, offset);
        if (!written) return written;
        offset += chunk.size();
    }
}

HANDLE OpenEntry(const std::wstring& native) {
    return ::CreateFileW(native.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::wstring FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.resize(n);
        n = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    path.resize(n < path.size() ? n : 0);
    return path;
}

// One file behind both handles: the volume and the file's index say so on local drives. Some
// network drives give every file the index 0; there the final paths are compared instead.
bool SameHandles(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    if (!::GetFileInformationByHandle(a, &ia) || !::GetFileInformationByHandle(b, &ib)) return false;
    if (ia.dwVolumeSerialNumber != ib.dwVolumeSerialNumber) return false;
    const bool indexed = (ia.nFileIndexHigh | ia.nFileIndexLow) != 0 &&
                         (ib.nFileIndexHigh | ib.nFileIndexLow) != 0;
    if (indexed) return ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    const std::wstring pa = FinalPath(a), pb = FinalPath(b);
    return !pa.empty() && pa.size() == pb.size() &&
           ::CompareStringOrdinal(pa.c_str(), static_cast<int>(pa.size()), pb.c_str(),
                                  static_cast<int>(pb.size()), TRUE) == CSTR_EQUAL;
}

bool SameFile(HANDLE a, const std::wstring& other) {
    Handle b(OpenEntry(other));
    return b.valid() && SameHandles(a, b.get());
}

// A new, unique temporary file beside `target`; removed again unless Keep() is called.
class TempBeside {
public:
    explicit TempBeside(const std::wstring& target) {
        static std::atomic<unsigned> counter{0};
        std::size_t slash = target.find_last_of(L"\\/");
        std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
        std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::wstring candidate = folder + L"." + name + L".zamtmp-" +
                                     std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(counter++);
            file_.reset(::CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.valid()) {
                path_ = candidate;
                return;
            }
            if (::GetLastError() != ERROR_FILE_EXISTS) break;
        }
        error_ = LastError();
    }
    ~TempBeside() {
        file_.reset(INVALID_HANDLE_VALUE);
        if (!kept_ && !path_.empty()) {
            ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path_.c_str());
        }
    }
    TempBeside(const TempBeside&) = delete;
    TempBeside& operator=(const TempBeside&) = delete;

    const Status& error() const { return error_; }
    Handle& file() { return file_; }
    const std::wstring& path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    Handle file_;
    std::wstring path_;
    Status error_;
    bool kept_ = false;
};

// Renames in one step, replacing a file of the new name; across drives Windows copies and
// deletes, writing through before it reports success.
Status MoveReplacing(const std::wstring& from, const std::wstring& to) {
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH | MOVEFILE_COPY_ALLOWED;
    return ::MoveFileExW(from.c_str(), to.c_str(), kFlags) ? Status::Ok() : WriteError(to);
}

// The name of the entry `native` as its folder holds it (its long name in its own case), empty
// when there is none. A name with wildcards is no entry's.
std::wstring EntryName(const std::wstring& native) {
    const std::size_t slash = native.find_last_of(L"\\/");
    if (native.find_first_of(L"*?", slash == std::wstring::npos ? 0 : slash) != std::wstring::npos)
        return {};
    WIN32_FIND_DATAW entry{};
    HANDLE search = ::FindFirstFileW(native.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    ::FindClose(search);
    return entry.cFileName;
}

// `native` spelled as the existing entry is: a file replaced under another case ("CORE.INI" for
// core.ini) or its short name keeps the name the user sees.
std::wstring OnDisk(const std::wstring& native) {
    const std::wstring name = EntryName(native);
    if (name.empty()) return native;
    const std::size_t slash = native.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : native.substr(0, slash + 1)) + name;
}

// Gives `to` the access list and owner of `from`, as ReplaceFile would: a file the user or an
// installer restricted, or opened up to other accounts, stays so when it is rewritten. Best
// effort: where the file system keeps no security, or the owner may not be assigned by this
// user, the new file keeps what its folder gives it, as any file created there.
void CarrySecurity(const std::wstring& from, const std::wstring& to) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    if (::GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION inheritance = (control & SE_DACL_PROTECTED) != 0
                                                 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                 : UNPROTECTED_DACL_SECURITY_INFORMATION;
    auto* name = const_cast<wchar_t*>(to.c_str());
    if (dacl != nullptr)
        ::SetNamedSecurityInfoW(name, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance,
                                nullptr, nullptr, dacl, nullptr);
    if (owner != nullptr)
        ::SetNamedSecurityInfoW(name, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, owner, nullptr,
                                nullptr, nullptr);
    ::LocalFree(descriptor);
}

// Puts `source` in the place of the existing file `target` in one rename, so that a complete
// file, old or new, stands under the name at every moment, even when the program is killed.
// ReplaceFile is not used for that reason: it is several steps, and under wine a kill between
// them loses the file. What it would carry over is given to `source` before the rename instead:
// the old file's hidden and system attributes (desktop.ini stays what it is), its access list
// and its owner.
Status ReplaceExisting(const std::wstring& source, const std::wstring& target, DWORD targetAttributes) {
    const DWORD kept = targetAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    DWORD now = 0;
    if (kept != 0 && AttributesOf(source, now) && (now & kept) != kept)
        ::SetFileAttributesW(source.c_str(), (now & ~FILE_ATTRIBUTE_NORMAL) | kept);
    CarrySecurity(target, source);
    return MoveReplacing(source, target);
}

// Hidden and system entries (desktop.ini, Thumbs.db) are Windows' own, as its listings
// without those attributes leave them out; copying a folder's files must not carry them along.
bool Wanted(const WIN32_FIND_DATAW& entry, unsigned kinds) {
    std::wstring_view name(entry.cFileName);
    if (name == L"." || name == L"..") return false;
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) return false;
    bool folder = IsFolder(entry.dwFileAttributes);
    return folder ? (kinds & kListFolders) != 0 : (kinds & kListFiles) != 0;
}

class Win32FileSystem final : public FileSystem {
public:
    bool FileExists(std::string_view path) override {
        std::wstring native;
        DWORD attributes = 0;
        if (!NativeName(path, native) || !AttributesOf(native, attributes) || IsFolder(attributes))
            return false;
        Handle file(::CreateFileW(native.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.valid();
    }

    bool FolderExists(std::string_view path) override {
        std::wstring native;
        DWORD attributes = 0;
        return NativeName(path, native) && AttributesOf(native, attributes) && IsFolder(attributes);
    }

    Status ReadAll(std::string_view path, std::string& bytes) override {
        bytes.clear();
        Handle file;
        Status opened = Open(path, GENERIC_READ, file);
        if (!opened) return opened;
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
        std::string chunk;
        std::uint64_t offset = 0;
        for (;;) {
            Status read = ReadFully(file.get(), offset, kChunk, chunk);
            if (!read) {
                bytes.clear();
                return read;
            }
            if (chunk.empty()) return Status::Ok();
            bytes += chunk;
            offset += chunk.size();
        }
    }

    Status ReadAt(std::string_view path, std::uint64_t offset, std::size_t count,
                  std::string& bytes) override {
        bytes.clear();
        Handle file;
        Status opened = Open(path, GENERIC_READ, file);
        if (!opened) return opened;
        return ReadFully(file.get(), offset, count, bytes);
    }

    Status WriteAt(std::string_view path, std::uint64_t offset, std::string_view bytes) override {
        Handle file;
        Status opened = Open(path, GENERIC_WRITE, file);
        if (!opened) return opened;
        Status written = WriteFully(file.get(), bytes, offset);
        if (!written) return written;
        return FlushAndClose(file);
    }

    Status CheckWritable(std::string_view path) override {
        Handle file;
        return Open(path, GENERIC_WRITE, file);
    }

    Status Size(std::string_view path, std::uint64_t& size) override {
        size = 0;
        std::wstring native;
        if (Status name = NativeName(path, native); !name) return name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &data)) return LastError();
        if (IsFolder(data.dwFileAttributes)) return Status::Error(kPathFileAccessError);
        size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return Status::Ok();
    }

    Status WriteNew(std::string_view path, std::string_view bytes) override {
        std::wstring native;
        if (Status target = WriteTarget(path, native); !target) return target;
        Status replaceable = CheckReplaceable(native);
        if (!replaceable) return replaceable;
        DWORD attributes = 0;
        DWORD kept = AttributesOf(native, attributes) ? attributes & kKeptAttributes : 0;
        Handle file(::CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return WriteError(native);
        Status written = WriteFully(file.get(), bytes, 0);
        if (!written) return written;
        return FlushAndClose(file);
    }

    Status CreateNew(std::string_view path, std::string_view bytes) override {
        std::wstring native;
        if (Status target = WriteTarget(path, native); !target) return target;
        Handle file(::CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return WriteError(native);
        Status written = WriteFully(file.get(), bytes, 0);
        if (written) written = FlushAndClose(file);
        if (!written) {
            file.reset(INVALID_HANDLE_VALUE);
            ::DeleteFileW(native.c_str());
        }
        return written;
    }

    // The target is never half written: the bytes go to a temporary file beside it, which is
    // flushed and then moved over the target in one step.
    Status Copy(std::string_view from, std::string_view to) override {
        std::wstring source, target;
        if (Status name = NativeName(from, source); !name) return name;
        if (Status name = WriteTarget(to, target); !name) return name;
        Handle in;
        Status opened = OpenExisting(source, GENERIC_READ, in);
        if (!opened) return opened;
        if (SameFile(in.get(), target)) return Status::Ok();
        Status replaceable = CheckReplaceable(target);
        if (!replaceable) return replaceable;

        TempBeside temp(target);
        if (!temp.error()) return temp.error();
        Status copied = CopyBytes(in.get(), temp.file().get());
        if (!copied) return copied;
        Status flushed = FlushAndClose(temp.file());
        if (!flushed) return flushed;
        // The copy keeps the source's attributes, and so its read-only flag, as CopyFile does.
        DWORD attributes = 0;
        if (AttributesOf(source, attributes))
            ::SetFileAttributesW(temp.path().c_str(), attributes & ~FILE_ATTRIBUTE_DIRECTORY);
        Status moved = MoveReplacing(temp.path(), target);
        if (!moved) return moved;
        temp.Keep();
        return Status::Ok();
    }

    Status Rename(std::string_view from, std::string_view to) override {
        std::wstring source, target;
        if (Status name = NativeName(from, source); !name) return name;
        if (Status name = WriteTarget(to, target); !name) return name;
        DWORD sourceAttributes = 0, targetAttributes = 0;
        if (!AttributesOf(source, sourceAttributes)) return LastError();
        if (!AttributesOf(target, targetAttributes)) return MoveReplacing(source, target);
        if (SameEntry(source, target)) return ChangeCase(source, target, NameOf(to));
        if (IsFolder(sourceAttributes)) return Status::Error(kFileAlreadyExists);
        Status replaceable = CheckReplaceable(target);
        if (!replaceable) return replaceable;
        return ReplaceExisting(source, OnDisk(target), targetAttributes);
    }

    Status Delete(std::string_view path) override {
        std::wstring native;
        if (Status name = NativeName(path, native); !name) return name;
        DWORD attributes = 0;
        if (!AttributesOf(native, attributes)) return LastError();
        if (IsFolder(attributes)) return Status::Error(kPathFileAccessError);
        if (IsReadOnlyFile(attributes)) return Status::Error(kPermissionDenied);
        return ::DeleteFileW(native.c_str()) ? Status::Ok() : WriteError(native);
    }

    Status IsReadOnly(std::string_view path, bool& readOnly) override {
        readOnly = false;
        std::wstring native;
        if (Status name = NativeName(path, native); !name) return name;
        DWORD attributes = 0;
        if (!AttributesOf(native, attributes)) return LastError();
        readOnly = IsReadOnlyFile(attributes);
        return Status::Ok();
    }

    Status ClearReadOnly(std::string_view path) override {
        std::wstring native;
        if (Status name = NativeName(path, native); !name) return name;
        DWORD attributes = 0;
        if (!AttributesOf(native, attributes)) return LastError();
        DWORD cleared = attributes & ~FILE_ATTRIBUTE_READONLY;
        if (cleared == 0) cleared = FILE_ATTRIBUTE_NORMAL;
        return ::SetFileAttributesW(native.c_str(), cleared) ? Status::Ok() : WriteError(native);
    }

    Status CreateFolder(std::string_view path) override {
        std::wstring native;
        if (Status target = WriteTarget(path, native); !target) return target;
        if (::CreateDirectoryW(native.c_str(), nullptr)) return Status::Ok();
        if (::GetLastError() == ERROR_ALREADY_EXISTS) return Status::Error(kPathFileAccessError);
        return WriteError(native);
    }

    // Every entry is fetched and matched by the program's own wildcard rules: FindFirstFile would
    // also match a pattern against the short 8.3 names, so "*.ini" could bring "Setup.ini~" along.
    // A name the code page cannot hold is left out: no file call of this program could reach it.
    Status List(std::string_view folderAndPattern, unsigned kinds,
                std::vector<std::string>& names) override {
        names.clear();
        const std::string folder = FolderOf(folderAndPattern);
        std::string pattern = NameOf(folderAndPattern);
        if (pattern.empty()) pattern.push_back('*');
        std::wstring native;
        if (Status name = NativeName(folder, native); !name) return name;
        if (!folder.empty() && !FolderExists(folder)) return Status::Error(kPathNotFound);
        WIN32_FIND_DATAW entry{};
        HANDLE search = ::FindFirstFileW((native + L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) {
            DWORD error = ::GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return Status::Ok();
            return error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY
                       ? Status::Error(kPathNotFound)
                       : win32::StatusFromWin32(error);
        }
        do {
            std::string name;
            if (!Wanted(entry, kinds) || !win32::NarrowName(entry.cFileName, name)) continue;
            if (WildcardMatch(pattern, name)) names.push_back(std::move(name));
        } while (::FindNextFileW(search, &entry));
        // Only the end of the folder ends a listing; any other stop would give part of it.
        const DWORD stopped = ::GetLastError();
        ::FindClose(search);
        if (stopped != ERROR_NO_MORE_FILES) {
            names.clear();
            return win32::StatusFromWin32(stopped);
        }
        // The order NTFS lists in, whatever the file system underneath (FAT and network drives
        // list in creation order).
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            std::string ua = UpperCase(a), ub = UpperCase(b);
            return ua != ub ? ua < ub : a < b;
        });
        return Status::Ok();
    }

    bool Pause(std::chrono::milliseconds delay) override {
        ::Sleep(static_cast<DWORD>(delay.count()));
        return true;
    }

private:
    static Status Open(std::string_view path, DWORD access, Handle& file) {
        std::wstring native;
        if (Status name = NativeName(path, native); !name) return name;
        return OpenExisting(native, access, file);
    }

    // A rename that changes only the case of a name. Most file systems take the new spelling
    // at once; some (and wine) keep the old one for the existing entry, and there it goes
    // through a temporary name.
    static Status ChangeCase(const std::wstring& source, const std::wstring& target,
                             const std::string& spelling) {
        if (source == target) return Status::Ok();
        if (!::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return WriteError(target);
        if (SpelledAs(target, spelling)) return Status::Ok();
        std::wstring step = source + L".zamcase-" + std::to_wstring(::GetCurrentProcessId());
        if (!::MoveFileExW(target.c_str(), step.c_str(), MOVEFILE_WRITE_THROUGH)) return WriteError(step);
        if (::MoveFileExW(step.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return Status::Ok();
        Status failed = WriteError(target);
        ::MoveFileExW(step.c_str(), source.c_str(), MOVEFILE_WRITE_THROUGH);
        return failed;
    }

    // Whether the entry `native` is spelled `spelling` in its folder.
    static bool SpelledAs(const std::wstring& native, const std::string& spelling) {
        std::string name;
        return win32::NarrowName(EntryName(native), name) && name == spelling;
    }

    // True when both names reach the same file or folder: a rename that only changes the case.
    static bool SameEntry(const std::wstring& a, const std::wstring& b) {
        Handle first(OpenEntry(a));
        return first.valid() && SameFile(first.get(), b);
    }
};

}  // namespace

bool SameFile(std::string_view a, std::string_view b) {
    std::wstring first, second;
    if (!NativeName(a, first) || !NativeName(b, second)) return false;
    Handle one(OpenEntry(first));
    Handle other(OpenEntry(second));
    return one.valid() && other.valid() && SameHandles(one.get(), other.get());
}

FileSystem& NativeFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

}  // namespace zam::platform
