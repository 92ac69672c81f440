#pragma once
// The INI files of an installation that have backups beside them (".prv", ".bak", ".rst"): those
// the write-back and restores of this program left, found in a folder and in the subfolders where the
// simulator keeps settings (Players\, Tracks\, Seasons\, Layout\ and the folders in them).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zam/store/FileRestore.h"

namespace zam {

struct BackupCopy {
    BackupKind kind = BackupKind::kPrevious;
    std::int64_t modified = 0;  // seconds since 1970 UTC; 0 when unknown
};

struct BackedUpFile {
    std::string path;      // logical path of the file itself
    std::string relative;  // its name below the folder searched ("Players\Bob\Player.ini")
    std::vector<BackupCopy> copies;  // in the order of kBackupKinds

    const BackupCopy* Copy(BackupKind kind) const;
};

// Backed-up files in `folder` (a logical folder, with or without a trailing separator) and its
// settings subfolders, sorted by relative name without regard to case. A folder that cannot be
// listed adds nothing.
std::vector<BackedUpFile> FindBackedUpFiles(std::string_view folder);

}  // namespace zam
