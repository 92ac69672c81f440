#include "zam/platform/FileSystem.h"

#include <array>

#include "zam/platform/Paths.h"

namespace zam::platform {

namespace {
FileSystem* current = nullptr;
}  // namespace

Status FileSystem::ReadAllIfExists(std::string_view path, std::string& bytes, bool& exists) {
    bytes.clear();
    exists = FileExists(path);
    return exists ? ReadAll(path, bytes) : Status::Ok();
}

Status FileSystem::CreateNew(std::string_view path, std::string_view bytes) {
    if (FileExists(path) || FolderExists(path)) return Status::Error(kFileAlreadyExists);
    Status written = WriteNew(path, bytes);
    if (!written) (void)Delete(path);
    return written;
}

bool FileSystem::Pause(std::chrono::milliseconds) { return true; }

namespace {

// A scanner or an indexer lets go of a file within a second or so; a program that keeps it open
// longer is the user's to close, and is told.
constexpr std::array<std::chrono::milliseconds, 5> kRetryPauses = {
    std::chrono::milliseconds(50), std::chrono::milliseconds(100), std::chrono::milliseconds(200),
    std::chrono::milliseconds(400), std::chrono::milliseconds(800)};

bool HeldByAnotherProgram(const Status& status) {
    return status.code == kPathFileAccessError || status.code == kPermissionDenied;
}

}  // namespace

Status RetryWhileLocked(const std::function<Status()>& operation) {
    Status status = operation();
    for (std::size_t i = 0; i < kRetryPauses.size() && HeldByAnotherProgram(status); ++i) {
        if (!Fs().Pause(kRetryPauses[i])) break;
        status = operation();
    }
    return status;
}

FileSystem& Fs() { return current != nullptr ? *current : NativeFileSystem(); }

Status WriteTemporaryBeside(std::string_view target, std::string_view suffix,
                            std::string_view bytes, std::string& temporary) {
    // Enough for every leftover a run of crashes could leave; beyond that something is wrong.
    constexpr int kNames = 100;
    temporary.clear();
    for (int n = 1; n <= kNames; ++n) {
        std::string name(target);
        if (n > 1) name += "." + std::to_string(n);
        name += suffix;
        Status created = Fs().CreateNew(name, bytes);
        // Windows refuses a name held by a folder as an access error.
        if (created.code == kFileAlreadyExists || (!created && Fs().FolderExists(name))) continue;
        if (created) temporary = std::move(name);
        return created;
    }
    return Status::Error(kFileAlreadyExists,
                         "No free name for a temporary file beside " + std::string(target));
}

Status ReplaceFile(std::string_view path, std::string_view bytes, std::string_view temporarySuffix) {
    std::string temporary;
    Status status = WriteTemporaryBeside(path, temporarySuffix, bytes, temporary);
    if (!status) return status;
    status = RetryWhileLocked([&] { return Fs().Rename(temporary, path); });
    if (!status) (void)Fs().Delete(temporary);
    return status;
}

Status CreateFolders(std::string_view folder) {
    FileSystem& fs = Fs();
    if (folder.empty() || fs.FolderExists(folder)) return Status::Ok();
    std::string_view trimmed = folder;
    while (trimmed.size() > 1 && IsSeparator(trimmed.back())) trimmed.remove_suffix(1);
    const std::string parent = FolderOf(trimmed);
    if (!parent.empty() && parent != folder) {
        Status above = CreateFolders(parent);
        if (!above) return above;
    }
    Status created = fs.CreateFolder(folder);
    // Another program may have made it in the meantime.
    return created || fs.FolderExists(folder) ? Status::Ok() : created;
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(current) {
    current = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() { current = previous_; }

}  // namespace zam::platform
