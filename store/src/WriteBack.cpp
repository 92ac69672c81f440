// Writing changed files back to disk.
//
// Each file F is written so that a complete F, old or new, exists at every moment: the new text
// goes to a new temporary file beside F and is flushed; F + ".prv" is made by copying F (the copy
// itself is written beside its target and renamed into place); then the temporary file is renamed
// over F in one step. F + ".bak" is made once, from the file as it was before the program first
// changed it.
#include <functional>

#include "IniLayout.h"
#include "IniStoreImpl.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"
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

// Runs the steps of one file's write-back and decides what each failure means.
class FileWriteBack {
public:
    FileWriteBack(UserInterface& ui, std::string path) : ui_(ui), path_(std::move(path)) {}

    bool Run(const std::string& text) {
        auto& fs = platform::Fs();
        const std::string bak = path_ + ".bak";
        if (!Exists(bak) && !Backup(bak)) return false;

        ui_.SetStatus("Updating " + path_);
        std::string temp;
        if (!Step([&] { return platform::WriteTemporaryBeside(path_, kTemporarySuffix, text, temp); },
                  temp))
            return false;
        const std::string prv = path_ + ".prv";
        if (!Backup(prv) ||
            !Step([&] { return fs.Rename(temp, path_); }, path_)) {
            (void)fs.Delete(temp);
            return false;
        }
        return true;
    }

private:
    // F copied to `copy`; nothing to do when F is not there (a new file, or one deleted
    // meanwhile), which is then written anew.
    bool Backup(const std::string& copy) {
        auto& fs = platform::Fs();
        return Step(
            [&] {
                Status copied = fs.Copy(path_, copy);
                const bool missing = copied.code == platform::kFileNotFound ||
                                     copied.code == platform::kPathNotFound;
                return missing && !fs.FileExists(path_) ? Status::Ok() : copied;
            },
            copy);
    }

    // A read-only target is made writable and the step tried again, and a file another program
    // holds for a moment (a virus scanner, the search indexer, a sync client) is waited for; any
    // other failure is reported and ends this file's write-back. That includes a hold that
    // lasts, such as an editor's, which the user can close before saving again, and a missing
    // folder: nothing is ever left unwritten without a word.
    bool Step(const std::function<Status()>& step, std::string_view target) {
        Status status = step();
        if (IsAccessError(status.code)) status = AfterAccessError(step, target, status);
        if (status.ok()) return true;
        ui_.ShowMessage(status.description + " while saving " + ProperCase(path_) + "\r" +
                            "File will not be updated",
                        kAppTitle);
        return false;
    }

    static Status AfterAccessError(const std::function<Status()>& step, std::string_view target,
                                   Status status) {
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

    UserInterface& ui_;
    std::string path_;
};

}  // namespace

bool IniStore::WriteIniFile(std::int32_t fileNo) {
    if (fileNo < 1 || fileNo > FileCount()) return false;
    const std::string path = WritePath(fileNo);
    std::string text = store_detail::RenderIniFile(impl_->files[fileNo], path);
    if (!FileWriteBack(ui_, path).Run(text)) return false;
    if (afterFileWritten) afterFileWritten(fileNo);
    return true;
}

void IniStore::WriteIniFiles() {
    if (impl_->skipSave) return;
    const std::int32_t count = FileCount();  // files added meanwhile are not written
    for (std::int32_t f = 1; f <= count; ++f) {
        if (!impl_->files[f].changed) continue;
        if (alternateWriter && alternateWriter(f)) continue;
        WriteIniFile(f);
    }
}

}  // namespace zam
