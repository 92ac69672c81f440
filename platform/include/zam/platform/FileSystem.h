#pragma once
// Every file operation of the program goes through one FileSystem object, so that tests can put a
// failing one in its place (fault injection) and see that no user file is ever lost. Paths are
// logical (see Paths.h).
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"

namespace zam::platform {

enum ListKind : unsigned { kListFiles = 1, kListFolders = 2, kListAll = 3 };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True only for an existing regular file that can be opened for reading (false for a folder).
    virtual bool FileExists(std::string_view path) = 0;
    virtual bool FolderExists(std::string_view path) = 0;

    // Whole file into `bytes`.
    virtual Status ReadAll(std::string_view path, std::string& bytes) = 0;
    // FileExists, then ReadAll when it is true: `exists` tells which, and nothing is read (the
    // status is Ok) when it is false. The native file systems find the file only once for both.
    virtual Status ReadAllIfExists(std::string_view path, std::string& bytes, bool& exists);
    // Up to `count` bytes from 0-based `offset`; fewer at the end of the file, none beyond it.
    virtual Status ReadAt(std::string_view path, std::uint64_t offset, std::size_t count,
                          std::string& bytes) = 0;
    // Overwrites bytes of an existing file in place from `offset` on (the file grows when the
    // bytes reach past its end) and flushes them to disk.
    virtual Status WriteAt(std::string_view path, std::uint64_t offset, std::string_view bytes) = 0;
    // Opens an existing file for writing without changing it: tells whether a later WriteAt can
    // succeed (read-only, locked by a running program, ...).
    virtual Status CheckWritable(std::string_view path) = 0;
    virtual Status Size(std::string_view path, std::uint64_t& size) = 0;

    // Creates or truncates `path`, writes `bytes`, flushes them to disk and closes the file. An
    // existing file keeps its attributes.
    virtual Status WriteNew(std::string_view path, std::string_view bytes) = 0;
    // As WriteNew, but only when nothing of that name exists: kFileAlreadyExists otherwise, and
    // what is there is not touched. A file it created is removed again when writing it fails. The
    // native file systems create it in one step (O_EXCL, CREATE_NEW); this default, for test
    // doubles, looks first and then calls WriteNew.
    virtual Status CreateNew(std::string_view path, std::string_view bytes);
    // Copies a file, replacing `to` when it exists.
    virtual Status Copy(std::string_view from, std::string_view to) = 0;
    // Renames a file or folder. For files an existing `to` is replaced in one step, and the file
    // under that name keeps the replaced one's spelling and what marks it for the system: on
    // Windows its hidden and system attributes, on POSIX its permissions.
    virtual Status Rename(std::string_view from, std::string_view to) = 0;
    virtual Status Delete(std::string_view path) = 0;
    virtual Status IsReadOnly(std::string_view path, bool& readOnly) = 0;
    // Clears the read-only attribute (on POSIX: adds owner write permission).
    virtual Status ClearReadOnly(std::string_view path) = 0;
    virtual Status CreateFolder(std::string_view path) = 0;

    // Names (without folder) of the entries of a folder that match a Windows wildcard pattern,
    // given together as "C:\GPL\Players\*." ; sorted without regard to case (the order NTFS
    // lists them in, whatever the file system underneath), "." and ".." never included. A folder
    // that does not exist is kPathNotFound.
    virtual Status List(std::string_view folderAndPattern, unsigned kinds,
                        std::vector<std::string>& names) = 0;

    // Waits before an operation that failed on another program's hold of a file is tried again
    // (RetryWhileLocked), and tells whether trying again can help. Windows sleeps: a scanner or
    // an indexer lets go of a file in a moment. POSIX has no such holds, so an access error there
    // is final at once. This default, for test doubles, says yes without waiting, so that no test
    // of a failing file system waits for real.
    virtual bool Pause(std::chrono::milliseconds delay);
};

// The file system the program uses; the native one unless a test swapped it.
FileSystem& Fs();

// Runs `operation`, and while it fails because another program holds the file for a moment (a
// virus scanner, the search indexer, a sync client, an editor saving: on Windows a sharing or
// lock violation, or access denied, which scanners also give) tries it again after pauses that
// double from 50 ms, about 1.5 s in all. Any other outcome is returned at once, and the last
// failure when the time is up.
Status RetryWhileLocked(const std::function<Status()>& operation);

// True when both paths name one existing file, whatever the spelling: on Windows a short 8.3
// name or a trailing dot reaches the same file as its long name, and a hard link is the same
// file everywhere. False when either does not exist.
bool SameFile(std::string_view a, std::string_view b);

// Writes `bytes` into a new file of its own beside `target` and gives its path in `temporary`: it
// is named `target` + `suffix`, or, when that name is taken (by a file of the user's, or one left
// by a crash), `target` + "." + n + `suffix` for the first free n from 2 on. A file that exists is
// never written over. On failure nothing of it is left and `temporary` is empty.
Status WriteTemporaryBeside(std::string_view target, std::string_view suffix,
                            std::string_view bytes, std::string& temporary);

// Replaces the whole content of `path` so that a complete file, old or new, stands under its name
// at every moment: the bytes go to a temporary file of its own beside it (WriteTemporaryBeside
// with `temporarySuffix`), which is then renamed over `path`. On failure the temporary file is
// removed and `path` is left as it was.
Status ReplaceFile(std::string_view path, std::string_view bytes, std::string_view temporarySuffix);
// Creates `folder` (a logical path) and every missing folder above it.
Status CreateFolders(std::string_view folder);
FileSystem& NativeFileSystem();

// Puts another file system in place for the lifetime of this object (tests only).
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous_;
};

}  // namespace zam::platform
