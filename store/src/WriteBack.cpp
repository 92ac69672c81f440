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

enum class Outcome { kDone, kSkipped, kStop };

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
        if (!Exists(bak) &&
            Step([&] { return fs.Copy(path_, bak); }, bak) == Outcome::kStop)
            return false;

        ui_.SetStatus("Updating " + path_);
        std::string temp;
        if (Step([&] { return platform::WriteTemporaryBeside(path_, kTemporarySuffix, text, temp); },
                 temp) != Outcome::kDone)
            return false;
        const std::string prv = path_ + ".prv";
        if (Step([&] { return fs.Copy(path_, prv); }, prv) == Outcome::kStop ||
            Step([&] { return fs.Rename(temp, path_); }, path_) != Outcome::kDone) {
            (void)fs.Delete(temp);
            return false;
        }
        return true;
    }

private:
    // A missing file or folder skips the step; a read-only target is made writable and the step
    // tried again; any other failure is reported and ends this file's write-back. That includes
    // an access failure on a file that is not read-only: on Windows a file held open by an
    // editor, a backup tool or a virus scanner, which the user can close and save again.
    Outcome Step(const std::function<Status()>& step, std::string_view target) {
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
        ui_.ShowMessage(status.description + " while saving " + ProperCase(path_) + "\r" +
                            "File will not be updated",
                        kAppTitle);
        return Outcome::kStop;
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
