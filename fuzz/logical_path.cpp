// The pure helpers for logical paths and file names (no disk access), and the walking of a name
// typed into the file dialog: with a line break in the input, the text before it is the folder
// and the text after it the typed name.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "zam/frontend/LogicalFolder.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

using namespace zam::platform;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool HasSeparator(std::string_view text) { return text.find_first_of("\\/") != std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view logical(reinterpret_cast<const char*>(data), size);

    std::string folder = FolderOf(logical);
    std::string name = NameOf(logical);
    Check(folder + name == logical);
    Check(!HasSeparator(name));
    Check(folder.empty() || IsSeparator(folder.back()));

    LogicalPathParts parts = SplitLogicalPath(logical);
    Check(parts.drive == 0 || (parts.drive >= 'A' && parts.drive <= 'Z'));
    if (parts.drive != 0) Check(parts.rooted);
    std::string rejoined = parts.rooted ? "\\" : "";
    for (const std::string& c : parts.components) {
        Check(!c.empty() && !HasSeparator(c));
        rejoined += c + "\\";
    }
    if (!parts.components.empty() && !parts.folder) rejoined.pop_back();
    if (parts.folder) Check(!logical.empty() && IsSeparator(logical.back()));
    LogicalPathParts again = SplitLogicalPath(rejoined);
    Check(again.components == parts.components);
    Check(again.rooted == parts.rooted);

    // File names on disk are UTF-8: every Windows-1252 name survives the trip there and back.
    Check(Cp1252FromUtf8(Utf8FromCp1252(logical)) == logical);
    std::string upper = UpperCase(logical);
    Check(UpperCase(upper) == upper);
    Check(EqualNoCase(upper, logical));

    // Two spellings of one folder give one key, and a key is its own key.
    const std::string key = zam::FolderKey(logical);
    Check(zam::FolderKey(key) == key);
    if (!logical.empty()) Check(zam::FolderKey(std::string(logical) + "\\x\\..") == key);

    // A typed name leads to one name in one folder, and walking that again changes nothing.
    const std::size_t newline = logical.find('\n');
    if (newline == std::string_view::npos) return 0;
    const zam::FileChoice typed{std::string(logical.substr(0, newline)),
                                std::string(logical.substr(newline + 1))};
    const std::optional<zam::FileChoice> chosen = zam::ResolveFileChoice(typed);
    if (!chosen) return 0;
    Check(!chosen->fileName.empty() && !HasSeparator(chosen->fileName));
    Check(chosen->fileName != "." && chosen->fileName != "..");
    Check(chosen->folder.empty() || IsSeparator(chosen->folder.back()));
    // A plain name stays in the folder it was typed in.
    if (!typed.folder.empty() && typed.fileName.find_first_of("\\/:") == std::string::npos)
        Check(zam::FolderKey(chosen->folder) == zam::FolderKey(typed.folder));
    const std::optional<zam::FileChoice> rewalked = zam::ResolveFileChoice(*chosen);
    Check(rewalked && rewalked->folder == chosen->folder &&
          rewalked->fileName == chosen->fileName);
    return 0;
}
