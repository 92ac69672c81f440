#include "zam/platform/FileSystem.h"

namespace zam::platform {

namespace {
FileSystem* current = nullptr;
}  // namespace

FileSystem& Fs() { return current != nullptr ? *current : NativeFileSystem(); }

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(current) {
    current = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() { current = previous_; }

}  // namespace zam::platform
