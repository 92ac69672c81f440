#include "zam/platform/FileSystem.h"

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

FileSystem& Fs() { return current != nullptr ? *current : NativeFileSystem(); }

Status ReplaceFile(std::string_view path, std::string_view bytes, std::string_view temporarySuffix) {
    FileSystem& fs = Fs();
    const std::string temporary = std::string(path) + std::string(temporarySuffix);
    Status status = fs.WriteNew(temporary, bytes);
    if (status) status = fs.Rename(temporary, path);
    if (!status) fs.Delete(temporary);
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
