#include "PosixIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zam::platform::posix {

namespace fs = std::filesystem;

Fd::~Fd() {
    if (fd_ >= 0) ::close(fd_);
}

void Fd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

Status Fd::Close() {
    if (fd_ < 0) return Status::Ok();
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 ? Status::Ok() : StatusFromErrno(errno);
}

namespace {

fs::path FolderPart(const fs::path& native) {
    fs::path folder = native.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

Status ErrorFor(int err, const fs::path& native) {
    if (err == ENOENT) {
        struct stat st {};
        bool folderThere = StatOf(FolderPart(native), st) && S_ISDIR(st.st_mode);
        return Status::Error(folderThere ? kFileNotFound : kPathNotFound);
    }
    return StatusFromErrno(err);
}

bool StatOf(const fs::path& native, struct stat& st) { return ::stat(native.c_str(), &st) == 0; }

Status WriteFully(int fd, std::string_view bytes, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                             static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return StatusFromErrno(errno);
        if (n == 0) return Status::Error(kDiskFull);
        done += static_cast<std::size_t>(n);
    }
    return Status::Ok();
}

namespace {

// One pread() of up to `count` bytes into `into`, retried when a signal interrupts it; `got` is 0
// at the end of the file.
Status ReadSome(int fd, std::uint64_t offset, char* into, std::size_t count, std::size_t& got) {
    for (;;) {
        ssize_t n = ::pread(fd, into, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return StatusFromErrno(errno);
        got = static_cast<std::size_t>(n);
        return Status::Ok();
    }
}

}  // namespace

Status ReadFully(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) {
    bytes.assign(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        std::size_t got = 0;
        Status read = ReadSome(fd, offset + done, bytes.data() + done, count - done, got);
        if (!read) {
            bytes.clear();
            return read;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return Status::Ok();
}

Status ReadToEnd(int fd, std::size_t expected, std::string& bytes) {
    // One byte more than expected, so that the read that finds the end of the file needs no
    // room of its own; a file that grew since its size was taken grows the buffer chunk by chunk.
    constexpr std::size_t kGrowth = 1 << 16;
    bytes.resize(expected + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(done + kGrowth);
        std::size_t got = 0;
        Status read = ReadSome(fd, done, bytes.data() + done, bytes.size() - done, got);
        if (!read) {
            bytes.clear();
            return read;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return Status::Ok();
}

void SyncFolderOf(const fs::path& native) {
    Fd folder(::open(FolderPart(native).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
}

}  // namespace zam::platform::posix
