#include "zam/store/FileWriteBack.h"

#include "zam/platform/FileSystem.h"
#include "zam/store/Common.h"

namespace zam {

namespace {

using platform::Status;

bool IsAccessError(int code) {
    return code == platform::kPathFileAccessError || code == platform::kPermissionDenied;
}

// The new text goes to a file of its own beside F (so the final rename never crosses a drive),
// created under a name nothing holds yet: a "temp.ini" or any other file of the user's in that
// folder is never touched.
constexpr std::string_view kTemporarySuffix = ".zamtmp";

bool Exists(std::string_view path) {
    auto& fs = platform::Fs();
    std::uint64_t size = 0;
    return fs.FileExists(path) || fs.FolderExists(path) || fs.Size(path, size).ok();
}

}  // namespace

FileWriteBack::FileWriteBack(std::string path, BackupNames names)
    : path_(std::move(path)), names_(names) {}

bool FileWriteBack::Run(std::string_view bytes) {
    auto& fs = platform::Fs();
    failure_.clear();
    if (!names_.original.empty()) {
        const std::string original = path_ + std::string(names_.original);
        if (!Exists(original) && !Backup(original)) return false;
    }
    std::string temp;
    if (!Try([&] { return platform::WriteTemporaryBeside(path_, kTemporarySuffix, bytes, temp); },
             temp))
        return false;
    if (!Backup(path_ + std::string(names_.previous)) ||
        !Try([&] { return fs.Rename(temp, path_); }, path_)) {
        (void)fs.Delete(temp);
        return false;
    }
    return true;
}

// F copied to `copy`; nothing to do when F is not there (a new file, or one deleted meanwhile),
// which is then written anew.
bool FileWriteBack::Backup(const std::string& copy) {
    auto& fs = platform::Fs();
    return Try(
        [&] {
            Status copied = fs.Copy(path_, copy);
            const bool missing =
                copied.code == platform::kFileNotFound || copied.code == platform::kPathNotFound;
            return missing && !fs.FileExists(path_) ? Status::Ok() : copied;
        },
        copy);
}

// A read-only target is made writable and the step tried again, and a file another program holds
// for a moment (a virus scanner, the search indexer, a sync client) is waited for; any other
// failure is reported and ends this file's write. That includes a hold that lasts, such as an
// editor's, which the user can close before trying again, and a missing folder: nothing is ever
// left unwritten without a word.
template <class Step>
bool FileWriteBack::Try(const Step& step, std::string_view target) {
    Status status = step();
    if (IsAccessError(status.code)) status = AfterAccessError(step, target, status);
    if (status.ok()) return true;
    failure_ = status.description + " while " + std::string(names_.action) + " " +
               ProperCase(path_) + "\r" + "File will not be updated";
    return false;
}

template <class Step>
Status FileWriteBack::AfterAccessError(const Step& step, std::string_view target, Status status) {
    bool readOnly = false;
    auto& fs = platform::Fs();
    if (fs.IsReadOnly(target, readOnly).ok() && readOnly) {
        // A file whose attribute cannot be cleared is reported like any other failure.
        const Status cleared = fs.ClearReadOnly(target);
        if (!cleared) return cleared;
        status = step();
    }
    return IsAccessError(status.code) ? platform::RetryWhileLocked(step) : status;
}

}  // namespace zam
