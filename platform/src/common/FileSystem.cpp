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

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(current) {
    current = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() { current = previous_; }

}  // namespace zam::platform
