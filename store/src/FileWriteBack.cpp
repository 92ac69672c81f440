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
        if (!Exists(original) &&
            Try([&] { return fs.Copy(path_, original); }, original) == Outcome::kStop)
            return false;
    }
    std::string temp;
    if (Try([&] { return platform::WriteTemporaryBeside(path_, kTemporarySuffix, bytes, temp); },
            temp) != Outcome::kDone)
        return false;
    const std::string previous = path_ + std::string(names_.previous);
    if (Try([&] { return fs.Copy(path_, previous); }, previous) == Outcome::kStop ||
        Try([&] { return fs.Rename(temp, path_); }, path_) != Outcome::kDone) {
        (void)fs.Delete(temp);
        return false;
    }
    return true;
}

// A missing file or folder skips the step; a read-only target is made writable and the step tried
// again; any other failure is reported and ends this file's write. That includes an access
// failure on a file that is not read-only: on Windows a file held open by an editor, a backup
// tool or a virus scanner, which the user can close and try again.
template <class Step>
FileWriteBack::Outcome FileWriteBack::Try(const Step& step, std::string_view target) {
    Status status = step();
    if (status.ok()) return Outcome::kDone;
    if (IsAccessError(status.code)) {
        bool readOnly = false;
        auto& fs = platform::Fs();
        if (fs.IsReadOnly(target, readOnly).ok() && readOnly) {
            // A file whose attribute cannot be cleared is reported like any other failure.
            const Status cleared = fs.ClearReadOnly(target);
            status = cleared.ok() ? step() : cleared;
        }
        if (status.ok()) return Outcome::kDone;
    }
    if (status.code == platform::kFileNotFound || status.code == platform::kPathNotFound)
        return Outcome::kSkipped;
    failure_ = status.description + " while " + std::string(names_.action) + " " +
               ProperCase(path_) + "\r" + "File will not be updated";
    return Outcome::kStop;
}

}  // namespace zam
