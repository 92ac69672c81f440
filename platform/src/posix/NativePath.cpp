#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam::platform {

namespace fs = std::filesystem;

namespace {

fs::path WinePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix != nullptr && *prefix != '\0') return fs::path(prefix);
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : "/";
    }
    return fs::path(home) / ".wine";
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

}  // namespace

fs::path NativePath(std::string_view logical) {
    LogicalPathParts parts = SplitLogicalPath(logical);
    fs::path native;
    if (parts.drive != 0) {
        native = DriveRoot(parts.drive);
    } else if (parts.rooted) {
        native = "/";
    }
    bool resolving = true;
    for (const std::string& component : parts.components) {
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
    if (parts.folder && !parts.components.empty()) native += "/";
    return native;
}

std::string LogicalFromNative(const fs::path& native) { return Cp1252FromUtf8(native.string()); }

}  // namespace zam::platform
