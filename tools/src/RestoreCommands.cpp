// zamini restore: lists the files that have backups beside them, shows what putting one back
// would change, and puts it back, the way the front end's Restore Settings dialog does.
#include <ostream>
#include <string>
#include <vector>

#include "zam/model/BackedUpFile.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/FileTime.h"
#include "zam/platform/Paths.h"
#include "zam/store/FileRestore.h"
#include "zam/store/IniDifference.h"
#include "zam/tools/Command.h"
#include "zam/tools/ConsoleUi.h"

namespace zam::tools {

namespace {

constexpr const char* kUsage =
    "FILE [--original | --undo] [--preview]   (or: restore --list DIR)";

int Usage(std::ostream& err) {
    err << "usage: zamini restore " << kUsage << '\n';
    return kExitUsage;
}

// One line per file: its name below DIR, then each backup with the time it was made.
int List(const std::string& folder, std::ostream& out, std::ostream& err) {
    if (!platform::Fs().FolderExists(folder)) {
        err << "zamini restore: " << folder << " is not a folder\n";
        return kExitFailure;
    }
    for (const BackedUpFile& file : FindBackedUpFiles(folder)) {
        out << file.relative;
        for (const BackupCopy& copy : file.copies) {
            out << '\t' << BackupSuffix(copy.kind);
            if (copy.modified != 0) out << ' ' << platform::FormatLocalTime(copy.modified);
        }
        out << '\n';
    }
    return kExitOk;
}

// Section, entry, the value now and the value after the restore, tab-separated; "-" for a value
// that is not there.
int Preview(const std::string& path, BackupKind from, std::ostream& out, std::ostream& err) {
    auto& fs = platform::Fs();
    const std::string backup = path + std::string(BackupSuffix(from));
    std::string current, restored;
    bool exists = false;
    platform::Status read = fs.ReadAllIfExists(backup, restored, exists);
    if (read.ok() && !exists) read = platform::Status::Error(platform::kFileNotFound);
    if (!read.ok()) {
        err << "zamini restore: " << backup << ": " << read.description << '\n';
        return kExitFailure;
    }
    if (const platform::Status now = fs.ReadAllIfExists(path, current, exists); !now.ok()) {
        err << "zamini restore: " << path << ": " << now.description << '\n';
        return kExitFailure;
    }
    for (const IniDifference& d : CompareIniTexts(current, restored))
        out << d.section << '\t' << d.entry << '\t' << (d.inCurrent ? d.current : "-") << '\t'
            << (d.inOther ? d.other : "-") << '\n';
    return kExitOk;
}

int Restore(const std::string& path, BackupKind from, std::ostream& out, std::ostream& err) {
    const RestoreResult result = RestoreFile(path, from);
    const std::string backup = path + std::string(BackupSuffix(from));
    switch (result.outcome) {
        case RestoreResult::Outcome::kRestored:
            out << "restored " << path << " from " << backup << " ("
                << BackupMeaning(from) << "); the file it replaced is " << path
                << BackupSuffix(BackupKind::kBeforeRestore) << '\n';
            return kExitOk;
        case RestoreResult::Outcome::kUnchanged:
            out << path << " already holds " << backup << ": nothing written\n";
            return kExitOk;
        default:
            err << "zamini restore: " << ForTerminal(result.message) << '\n';
            return kExitFailure;
    }
}

int RestoreCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 2 && args[0] == "--list") return List(args[1], out, err);
    std::string path;
    BackupKind from = BackupKind::kPrevious;
    bool chosen = false, preview = false;
    for (const std::string& arg : args) {
        if (arg == "--preview" && !preview) {
            preview = true;
        } else if ((arg == "--original" || arg == "--undo") && !chosen) {
            from = arg == "--original" ? BackupKind::kOriginal : BackupKind::kBeforeRestore;
            chosen = true;
        } else if (!arg.starts_with("--") && path.empty()) {
            path = arg;
        } else {
            return Usage(err);
        }
    }
    if (path.empty()) return Usage(err);
    return preview ? Preview(path, from, out, err) : Restore(path, from, out, err);
}

}  // namespace

std::vector<Command> RestoreCommands() { return {{"restore", kUsage, RestoreCommand}}; }

}  // namespace zam::tools
