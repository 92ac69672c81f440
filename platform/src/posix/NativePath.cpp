#include <sys/stat.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "PosixIo.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam::platform {

namespace fs = std::filesystem;

namespace {

fs::path WinePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix != nullptr && *prefix != '\0') return fs::path(prefix);
    return posix::HomeFolder() / ".wine";
}

// Wine keeps one link per drive letter in the prefix ("dosdevices/c:" -> "../drive_c"). Without a
// link the drive does not exist and the path is left pointing at the missing link, so it is never
// found by accident elsewhere; only Z:, Wine's customary view of the whole file system, falls back
// to "/".
fs::path DriveRoot(char drive) {
    std::string link(1, static_cast<char>(drive | 0x20));
    link += ':';
    fs::path root = WinePrefix() / "dosdevices" / link;
    std::error_code ec;
    if (!fs::exists(root, ec) && drive == 'Z') return fs::path("/");
    return root;
}

bool EntryExists(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `component` without regard to case; the first in byte
// order when several do, so the choice does not depend on the order of the listing.
bool FindEntryNoCase(const fs::path& folder, const std::string& component, std::string& found) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    bool any = false;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!EqualNoCase(Cp1252FromUtf8(name), component)) continue;
        if (!any || name < found) found = name;
        any = true;
    }
    return any;
}

fs::path RootOf(const LogicalPathParts& parts) {
    if (parts.drive != 0) return DriveRoot(parts.drive);
    return parts.rooted ? fs::path("/") : fs::path();
}

// `components` below `root` exactly as given.
fs::path ExactPath(fs::path root, const std::vector<std::string>& components) {
    for (const std::string& component : components) root /= Utf8FromCp1252(component);
    return root;
}

// `components` below `root`, each matched without regard to case where it is not there as given.
fs::path ResolvedPath(fs::path native, const std::vector<std::string>& components) {
    bool resolving = true;
    for (const std::string& component : components) {
        std::string exact = Utf8FromCp1252(component);
        if (resolving && !EntryExists(native / exact)) {
            std::string found;
            if (FindEntryNoCase(native, component, found)) {
                exact = found;
            } else {
                // Nothing further down can exist: keep the rest as given, so that a new file is
                // created beside the folder that was found.
                resolving = false;
            }
        }
        native /= exact;
    }
    return native;
}

// As ResolvedPath, for `components` whose exact spelling `exact` is not there. The usual case is
// a file looked for in a folder that is there as spelt (a track's optional file, say): when the
// folder is, so is every folder above it, and only the last name needs its folder listed.
fs::path ResolvedBelowExactFolder(const fs::path& root, const fs::path& exact,
                                  const std::vector<std::string>& components) {
    if (components.size() >= 2 && EntryExists(exact.parent_path()))
        return ResolvedPath(exact.parent_path(), {components.back()});
    return ResolvedPath(root, components);
}

}  // namespace

fs::path NativePath(std::string_view logical) {
    LogicalPathParts parts = SplitLogicalPath(logical);
    const fs::path root = RootOf(parts);
    // Most paths name an entry that is there exactly as spelt: then every folder on the way is
    // too, and one look settles the whole path.
    fs::path native = ExactPath(root, parts.components);
    if (!EntryExists(native)) native = ResolvedBelowExactFolder(root, native, parts.components);
    if (parts.folder && !parts.components.empty()) native += "/";
    return native;
}

std::string LogicalFromNative(const fs::path& native) { return Cp1252FromUtf8(native.string()); }

}  // namespace zam::platform
