#include "zam/model/BackedUpFile.h"

#include <algorithm>
#include <array>
#include <map>

#include "zam/platform/FileSystem.h"
#include "zam/platform/FileTime.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

// Where the simulator keeps files the program rewrites: a player's or a track's folder sits one
// level below these, a background set two (Layout\BackSets\<set>\).
constexpr std::array<std::string_view, 4> kSettingsFolders = {"Players", "Tracks", "Seasons",
                                                              "Layout"};
constexpr int kSubfolderDepth = 2;

// Only INI files are written with backups; a "GPL.EXE.bak" or any other ".bak" the user keeps is
// their own and is never offered for putting back.
constexpr std::string_view kIniSuffix = ".ini";

bool EndsWith(std::string_view name, std::string_view suffix) {
    return name.size() > suffix.size() &&
           platform::EqualNoCase(name.substr(name.size() - suffix.size()), suffix);
}

class Search {
public:
    explicit Search(std::string root) : root_(std::move(root)) {}

    void Folder(const std::string& relative, int depth) {
        std::vector<std::string> names;
        if (!platform::Fs().List(root_ + relative + "*.*", platform::kListFiles, names).ok())
            return;
        for (const std::string& name : names) Note(relative, name);
        if (depth == 0) return;
        std::vector<std::string> folders;
        if (!platform::Fs().List(root_ + relative + "*.*", platform::kListFolders, folders).ok())
            return;
        for (const std::string& folder : folders) Folder(relative + folder + "\\", depth - 1);
    }

    std::vector<BackedUpFile> Files() {
        std::vector<BackedUpFile> files;
        for (auto& [key, file] : found_) {
            // A lone ".rst" beside no file at all is not one a restore of this program left.
            if (file.copies.size() == 1 && file.copies[0].kind == BackupKind::kBeforeRestore &&
                !platform::Fs().FileExists(file.path))
                continue;
            std::sort(file.copies.begin(), file.copies.end(), [](const auto& a, const auto& b) {
                return a.kind < b.kind;
            });
            files.push_back(std::move(file));
        }
        return files;
    }

private:
    void Note(const std::string& relative, const std::string& name) {
        for (BackupKind kind : kBackupKinds) {
            const std::string_view suffix = BackupSuffix(kind);
            if (!EndsWith(name, suffix)) continue;
            const std::string file = relative + name.substr(0, name.size() - suffix.size());
            if (!EndsWith(file, kIniSuffix)) continue;
            BackedUpFile& entry = found_[platform::UpperCase(file)];
            if (entry.path.empty()) {
                entry.path = root_ + file;
                entry.relative = file;
            }
            BackupCopy copy{kind, 0};
            (void)platform::ModifiedTime(root_ + relative + name, copy.modified);
            entry.copies.push_back(copy);
        }
    }

    std::string root_;
    std::map<std::string, BackedUpFile> found_;  // by upper-cased relative name: sorted, no case
};

}  // namespace

const BackupCopy* BackedUpFile::Copy(BackupKind kind) const {
    for (const BackupCopy& copy : copies)
        if (copy.kind == kind) return &copy;
    return nullptr;
}

std::vector<BackedUpFile> FindBackedUpFiles(std::string_view folder) {
    std::string root(folder);
    if (!root.empty() && !platform::IsSeparator(root.back())) root += '\\';
    Search search(root);
    search.Folder("", 0);
    for (std::string_view sub : kSettingsFolders) search.Folder(std::string(sub) + "\\", kSubfolderDepth);
    return search.Files();
}

}  // namespace zam
