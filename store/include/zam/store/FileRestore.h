#pragma once
// Putting a file back as one of the backups the write-back keeps beside it. The restore itself is
// a write like any other: the file it replaces is kept beside it as F + ".rst", so a restore can
// be undone by restoring from ".rst" (which again keeps what it replaces there).
#include <array>
#include <string>
#include <string_view>

namespace zam {

enum class BackupKind { kPrevious, kOriginal, kBeforeRestore };

inline constexpr std::array<BackupKind, 3> kBackupKinds = {
    BackupKind::kPrevious, BackupKind::kOriginal, BackupKind::kBeforeRestore};

// ".prv", ".bak", ".rst".
std::string_view BackupSuffix(BackupKind kind);
// What a file restored from that backup is like: "as before the last session", ...
std::string_view BackupMeaning(BackupKind kind);

struct RestoreResult {
    enum class Outcome { kRestored, kUnchanged, kNoBackup, kFailed };
    Outcome outcome = Outcome::kFailed;
    std::string message;  // for kNoBackup and kFailed: what, where and why

    bool ok() const { return outcome == Outcome::kRestored || outcome == Outcome::kUnchanged; }
};

// Replaces `path` (a logical path) by the bytes of its backup `from`. A file that already holds
// exactly those bytes is left alone (kUnchanged, nothing written).
RestoreResult RestoreFile(const std::string& path, BackupKind from);

}  // namespace zam
