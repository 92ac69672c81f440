#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "PosixIo.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"
#include "zam/platform/Wildcard.h"

namespace zam::platform {

namespace fs = std::filesystem;
using posix::ErrorFor;
using posix::Fd;
using posix::IsReadOnlyMode;
using posix::StatOf;

namespace {

constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY;

// Checks what Windows would refuse before the call is made: a folder where a file is expected is
// a path/file access error, and a read-only file cannot be written, renamed over or deleted (even
// for root, who would otherwise pass every permission check).
Status CheckFile(const fs::path& native, bool forWriting) {
    struct stat st {};
    if (!StatOf(native, st)) return ErrorFor(errno, native);
    if (S_ISDIR(st.st_mode)) return Status::Error(kPathFileAccessError);
    if (forWriting && IsReadOnlyMode(st.st_mode)) return Status::Error(kPermissionDenied);
    return Status::Ok();
}

Status OpenExisting(const fs::path& native, int flags, Fd& fd) {
    Status checked = CheckFile(native, (flags & O_ACCMODE) != O_RDONLY);
    if (!checked) return checked;
    fd.reset(::open(native.c_str(), flags | kOpenFlags));
    return fd.valid() ? Status::Ok() : ErrorFor(errno, native);
}

Status SyncAndClose(Fd& fd) {
    if (::fsync(fd.get()) != 0) return StatusFromErrno(errno);
    return fd.Close();
}

// A target that exists may be replaced only when it is a writable file.
Status CheckReplaceable(const fs::path& native) {
    struct stat st {};
    if (!StatOf(native, st)) return Status::Ok();
    if (S_ISDIR(st.st_mode)) return Status::Error(kPathFileAccessError);
    if (IsReadOnlyMode(st.st_mode)) return Status::Error(kPermissionDenied);
    return Status::Ok();
}

// Opens `native` for reading when it is a regular file. A pipe or device is not waited on.
bool OpenRegularFile(const fs::path& native, Fd& fd, struct stat& st) {
    fd.reset(::open(native.c_str(), O_RDONLY | O_NONBLOCK | kOpenFlags));
    return fd.valid() && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Status CopyBytes(int from, int to) {
    std::string chunk;
    std::uint64_t offset = 0;
    constexpr std::size_t kChunk = 1 << 16;
    for (;;) {
        Status read = posix::ReadFully(from, offset, kChunk, chunk);
        if (!read) return read;
        if (chunk.empty()) return Status::Ok();
        Status written = posix::WriteFully(to, chunk, offset);
        if (!written) return written;
        offset += chunk.size();
    }
}

// A unique temporary file beside `target`; removed again unless Keep() is called.
class TempBeside {
public:
    explicit TempBeside(const fs::path& target) {
        fs::path folder = target.parent_path();
        std::string pattern =
            (folder / ("." + target.filename().string() + ".zamtmp-XXXXXX")).string();
        fd_.reset(::mkostemp(pattern.data(), O_CLOEXEC));
        if (fd_.valid()) path_ = pattern;
        else error_ = ErrorFor(errno, target);
    }
    ~TempBeside() {
        fd_.reset(-1);
        if (!kept_ && !path_.empty()) ::unlink(path_.c_str());
    }
    TempBeside(const TempBeside&) = delete;
    TempBeside& operator=(const TempBeside&) = delete;

    const Status& error() const { return error_; }
    Fd& fd() { return fd_; }
    const fs::path& path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    Fd fd_;
    fs::path path_;
    Status error_;
    bool kept_ = false;
};

class PosixFileSystem final : public FileSystem {
public:
    bool FileExists(std::string_view path) override {
        Fd fd;
        struct stat st {};
        return OpenRegularFile(NativePath(path), fd, st);
    }

    bool FolderExists(std::string_view path) override {
        struct stat st {};
        return StatOf(NativePath(path), st) && S_ISDIR(st.st_mode);
    }

    Status ReadAll(std::string_view path, std::string& bytes) override {
        bytes.clear();
        fs::path native = NativePath(path);
        Fd fd;
        Status opened = OpenExisting(native, O_RDONLY, fd);
        if (!opened) return opened;
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return StatusFromErrno(errno);
        return posix::ReadToEnd(fd.get(), static_cast<std::size_t>(st.st_size), bytes);
    }

    Status ReadAllIfExists(std::string_view path, std::string& bytes, bool& exists) override {
        bytes.clear();
        Fd fd;
        struct stat st {};
        exists = OpenRegularFile(NativePath(path), fd, st);
        if (!exists) return Status::Ok();
        return posix::ReadToEnd(fd.get(), static_cast<std::size_t>(st.st_size), bytes);
    }

    Status ReadAt(std::string_view path, std::uint64_t offset, std::size_t count,
                  std::string& bytes) override {
        bytes.clear();
        fs::path native = NativePath(path);
        Fd fd;
        Status opened = OpenExisting(native, O_RDONLY, fd);
        if (!opened) return opened;
        return posix::ReadFully(fd.get(), offset, count, bytes);
    }

    Status WriteAt(std::string_view path, std::uint64_t offset, std::string_view bytes) override {
        fs::path native = NativePath(path);
        Fd fd;
        Status opened = OpenExisting(native, O_WRONLY, fd);
        if (!opened) return opened;
        Status written = posix::WriteFully(fd.get(), bytes, offset);
        if (!written) return written;
        return SyncAndClose(fd);
    }

    Status CheckWritable(std::string_view path) override {
        Fd fd;
        return OpenExisting(NativePath(path), O_WRONLY, fd);
    }

    Status Size(std::string_view path, std::uint64_t& size) override {
        size = 0;
        fs::path native = NativePath(path);
        Status checked = CheckFile(native, false);
        if (!checked) return checked;
        struct stat st {};
        if (!StatOf(native, st)) return ErrorFor(errno, native);
        size = static_cast<std::uint64_t>(st.st_size);
        return Status::Ok();
    }

    Status WriteNew(std::string_view path, std::string_view bytes) override {
        if (Status name = CheckWriteTarget(path); !name) return name;
        fs::path native = NativePath(path);
        Status replaceable = CheckReplaceable(native);
        if (!replaceable) return replaceable;
        Fd fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags, 0666));
        if (!fd.valid()) return ErrorFor(errno, native);
        Status written = posix::WriteFully(fd.get(), bytes, 0);
        if (!written) return written;
        return SyncAndClose(fd);
    }

    Status CreateNew(std::string_view path, std::string_view bytes) override {
        if (Status name = CheckWriteTarget(path); !name) return name;
        fs::path native = NativePath(path);
        Fd fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, 0666));
        if (!fd.valid()) return ErrorFor(errno, native);
        Status written = posix::WriteFully(fd.get(), bytes, 0);
        if (written) written = SyncAndClose(fd);
        if (!written) {
            fd.reset(-1);
            ::unlink(native.c_str());
        }
        return written;
    }

    // The target is never half written: the bytes go to a temporary file beside it, which is
    // flushed and then renamed over the target in one step.
    Status Copy(std::string_view from, std::string_view to) override {
        if (Status name = CheckWriteTarget(to); !name) return name;
        fs::path source = NativePath(from);
        fs::path target = NativePath(to);
        Fd in;
        Status opened = OpenExisting(source, O_RDONLY, in);
        if (!opened) return opened;
        struct stat sourceStat {}, targetStat {};
        if (::fstat(in.get(), &sourceStat) != 0) return StatusFromErrno(errno);
        if (StatOf(target, targetStat) && SameFile(sourceStat, targetStat)) return Status::Ok();
        Status replaceable = CheckReplaceable(target);
        if (!replaceable) return replaceable;

        TempBeside temp(target);
        if (!temp.error()) return temp.error();
        Status copied = CopyBytes(in.get(), temp.fd().get());
        if (!copied) return copied;
        // The copy keeps the source's permissions, and so its read-only attribute, as on Windows.
        if (::fchmod(temp.fd().get(), sourceStat.st_mode & 0777) != 0) return StatusFromErrno(errno);
        Status synced = SyncAndClose(temp.fd());
        if (!synced) return synced;
        if (::rename(temp.path().c_str(), target.c_str()) != 0) return ErrorFor(errno, target);
        temp.Keep();
        posix::SyncFolderOf(target);
        return Status::Ok();
    }

    Status Rename(std::string_view from, std::string_view to) override {
        if (Status name = CheckWriteTarget(to); !name) return name;
        fs::path source = NativePath(from);
        fs::path target = NativePath(to);
        struct stat sourceStat {}, targetStat {};
        if (::lstat(source.c_str(), &sourceStat) != 0) return ErrorFor(errno, source);
        if (::lstat(target.c_str(), &targetStat) == 0) {
            if (SameFile(sourceStat, targetStat)) {
                // The target was found under the source's own name in another case: this is a
                // change of case only.
                target = target.parent_path() / Utf8FromCp1252(NameOf(to));
                if (target == source) return Status::Ok();
            } else if (S_ISDIR(sourceStat.st_mode)) {
                return Status::Error(kFileAlreadyExists);
            } else {
                Status replaceable = CheckReplaceable(target);
                if (!replaceable) return replaceable;
                // The name keeps its permissions (an executable stays executable).
                if (S_ISREG(sourceStat.st_mode) && S_ISREG(targetStat.st_mode))
                    (void)::chmod(source.c_str(), targetStat.st_mode & 07777);
            }
        }
        if (::rename(source.c_str(), target.c_str()) != 0) {
            if (errno == EXDEV && S_ISREG(sourceStat.st_mode)) return MoveAcrossDevices(from, to);
            return ErrorFor(errno, target);
        }
        posix::SyncFolderOf(target);
        if (source.parent_path() != target.parent_path()) posix::SyncFolderOf(source);
        return Status::Ok();
    }

    Status Delete(std::string_view path) override {
        fs::path native = NativePath(path);
        struct stat st {};
        if (::lstat(native.c_str(), &st) != 0) return ErrorFor(errno, native);
        if (S_ISDIR(st.st_mode)) return Status::Error(kPathFileAccessError);
        if (!S_ISLNK(st.st_mode) && IsReadOnlyMode(st.st_mode))
            return Status::Error(kPermissionDenied);
        if (::unlink(native.c_str()) != 0) return ErrorFor(errno, native);
        posix::SyncFolderOf(native);
        return Status::Ok();
    }

    Status IsReadOnly(std::string_view path, bool& readOnly) override {
        readOnly = false;
        fs::path native = NativePath(path);
        struct stat st {};
        if (!StatOf(native, st)) return ErrorFor(errno, native);
        readOnly = IsReadOnlyMode(st.st_mode);
        return Status::Ok();
    }

    Status ClearReadOnly(std::string_view path) override {
        fs::path native = NativePath(path);
        struct stat st {};
        if (!StatOf(native, st)) return ErrorFor(errno, native);
        if (::chmod(native.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0)
            return ErrorFor(errno, native);
        return Status::Ok();
    }

    Status CreateFolder(std::string_view path) override {
        if (Status name = CheckWriteTarget(path); !name) return name;
        fs::path native = NativePath(path);
        if (::mkdir(native.c_str(), 0777) != 0)
            return errno == EEXIST ? Status::Error(kPathFileAccessError) : ErrorFor(errno, native);
        posix::SyncFolderOf(native.has_filename() ? native : native.parent_path());
        return Status::Ok();
    }

    Status List(std::string_view folderAndPattern, unsigned kinds,
                std::vector<std::string>& names) override {
        names.clear();
        std::string folder = FolderOf(folderAndPattern);
        std::string pattern = NameOf(folderAndPattern);
        if (pattern.empty()) pattern = "*";
        fs::path native = folder.empty() ? fs::path(".") : NativePath(folder);
        DIR* dir = ::opendir(native.c_str());
        if (dir == nullptr)
            return errno == ENOENT || errno == ENOTDIR ? Status::Error(kPathNotFound)
                                                       : StatusFromErrno(errno);
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(dir);
            if (entry == nullptr) break;
            std::string_view raw = entry->d_name;
            if (raw == "." || raw == "..") continue;
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0) continue;
            bool isFolder = S_ISDIR(st.st_mode);
            bool wanted = isFolder ? (kinds & kListFolders) != 0
                                   : S_ISREG(st.st_mode) && (kinds & kListFiles) != 0;
            if (!wanted) continue;
            std::string name = Cp1252FromUtf8(raw);
            if (WildcardMatch(pattern, name)) names.push_back(std::move(name));
        }
        // A listing cut short by an error is no listing: the names so far are not all there are.
        const int stopped = errno;
        ::closedir(dir);
        if (stopped != 0) {
            names.clear();
            return StatusFromErrno(stopped);
        }
        // NTFS lists names sorted without regard to case; users see these lists as they come.
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            std::string ua = UpperCase(a), ub = UpperCase(b);
            return ua != ub ? ua < ub : a < b;
        });
        return Status::Ok();
    }

    // Locks here are advisory: nothing holds a file against a rename or a write, and a refusal
    // (permissions, a read-only mount) stays.
    bool Pause(std::chrono::milliseconds) override { return false; }

private:
    Status MoveAcrossDevices(std::string_view from, std::string_view to) {
        Status copied = Copy(from, to);
        if (!copied) return copied;
        fs::path source = NativePath(from);
        if (::unlink(source.c_str()) != 0) return ErrorFor(errno, source);
        posix::SyncFolderOf(source);
        return Status::Ok();
    }
};

}  // namespace

bool SameFile(std::string_view a, std::string_view b) {
    struct stat sa {}, sb {};
    return StatOf(NativePath(a), sa) && StatOf(NativePath(b), sb) && SameFile(sa, sb);
}

FileSystem& NativeFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

}  // namespace zam::platform
