#include "zam/platform/FileSystem.h"

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

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(current) {
    current = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() { current = previous_; }

}  // namespace zam::platform
