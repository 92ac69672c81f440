#include "zam/store/FileRestore.h"

#include "zam/platform/FileSystem.h"
#include "zam/store/FileWriteBack.h"

namespace zam {

namespace {

constexpr std::string_view kBeforeRestoreSuffix = ".rst";

struct BackupText {
    BackupKind kind;
    std::string_view suffix;
    std::string_view meaning;
};

constexpr std::array<BackupText, 3> kBackupTexts = {{
    {BackupKind::kPrevious, kWriteBackBackups.previous, "as before the last session"},
    {BackupKind::kOriginal, kWriteBackBackups.original, "as before ZAMDeck first changed it"},
    {BackupKind::kBeforeRestore, kBeforeRestoreSuffix, "as before the last restore"},
}};

const BackupText& TextOf(BackupKind kind) {
    for (const BackupText& text : kBackupTexts)
        if (text.kind == kind) return text;
    return kBackupTexts[0];
}

RestoreResult Failed(std::string message) {
    return {RestoreResult::Outcome::kFailed, std::move(message)};
}

}  // namespace

std::string_view BackupSuffix(BackupKind kind) { return TextOf(kind).suffix; }

std::string_view BackupMeaning(BackupKind kind) { return TextOf(kind).meaning; }

RestoreResult RestoreFile(const std::string& path, BackupKind from) {
    auto& fs = platform::Fs();
    const std::string backup = path + std::string(BackupSuffix(from));
    std::string bytes;
    bool exists = false;
    if (const platform::Status read = fs.ReadAllIfExists(backup, bytes, exists); !read.ok())
        return Failed(read.description + " while reading " + backup + "\r" +
                      "File will not be updated");
    if (!exists) return {RestoreResult::Outcome::kNoBackup, "There is no backup " + backup};

    // Rewriting a file with the bytes it already holds would only replace its ".rst" with a
    // copy of itself, losing the way back from an earlier restore.
    std::string current;
    bool currentExists = false;
    if (fs.ReadAllIfExists(path, current, currentExists).ok() && currentExists && current == bytes)
        return {RestoreResult::Outcome::kUnchanged, {}};

    FileWriteBack write(path, BackupNames{{}, kBeforeRestoreSuffix, "restoring"});
    if (write.Run(bytes)) return {RestoreResult::Outcome::kRestored, {}};
    return Failed(write.Failure());
}

}  // namespace zam
