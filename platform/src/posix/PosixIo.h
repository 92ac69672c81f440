#pragma once
// Small helpers around file descriptors shared by the POSIX file system and launcher.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam::platform::posix {

// Owns one file descriptor and closes it.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Takes over `fd`, closing the one held before.
    void reset(int fd);
    // Closes now and reports what close() said (a late write error shows up here).
    Status Close();

private:
    int fd_ = -1;
};

// The status for a failed call on `native`. A missing entry is "file not found" when its folder
// exists and "path not found" when the folder itself is missing.
Status ErrorFor(int err, const std::filesystem::path& native);

// stat() of `native`; false (with errno set) when it fails.
bool StatOf(const std::filesystem::path& native, struct stat& st);
// Windows' read-only attribute maps to the owner's write bit.
inline bool IsReadOnlyMode(mode_t mode) { return (mode & S_IWUSR) == 0; }

// Writes every byte at `offset`; short writes and a full disk give kDiskFull.
Status WriteFully(int fd, std::string_view bytes, std::uint64_t offset);
// Reads up to `count` bytes from `offset` (fewer at the end of the file).
Status ReadFully(int fd, std::uint64_t offset, std::size_t count, std::string& bytes);
// Reads the whole file, from offset 0 to its end, straight into `bytes`; `expected` is its size
// as last seen (the read does not rely on it). On a failure `bytes` is left empty.
Status ReadToEnd(int fd, std::size_t expected, std::string& bytes);
// $HOME, else the home folder in the password database, else the root.
std::filesystem::path HomeFolder();

// Flushes the folder that holds `native`, so that a rename or a new name survives a crash.
void SyncFolderOf(const std::filesystem::path& native);

}  // namespace zam::platform::posix
