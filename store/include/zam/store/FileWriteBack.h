#pragma once
// Replacing the whole of one file on disk so that a complete file, old or new, stands under its
// name at every moment, keeping what it replaces beside it: the new bytes go to a new temporary
// file beside F and are flushed; the file being replaced is copied to F + `previous` (the copy is
// itself written beside its target and renamed into place); then the temporary file is renamed
// over F in one step. F + `original`, when named, is made once, from F as it was before the first
// replacement, and never touched again.
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam {

struct BackupNames {
    std::string_view original;  // made once; empty: none
    std::string_view previous;  // replaced every time
    std::string_view action;    // what a failure says was being done to the file ("saving")
};

// The INI write-back's backups: ".bak" once, ".prv" every time.
inline constexpr BackupNames kWriteBackBackups{".bak", ".prv", "saving"};

class FileWriteBack {
public:
    explicit FileWriteBack(std::string path, BackupNames names = kWriteBackBackups);

    // True when `bytes` now stand under the path. Otherwise the file is as it was and Failure()
    // says why in the words of a message box.
    bool Run(std::string_view bytes);
    const std::string& Failure() const { return failure_; }

private:
    bool Backup(const std::string& copy);
    template <class Step>
    bool Try(const Step& step, std::string_view target);
    template <class Step>
    static platform::Status AfterAccessError(const Step& step, std::string_view target,
                                             platform::Status status);

    std::string path_;
    BackupNames names_;
    std::string failure_;
};

}  // namespace zam
