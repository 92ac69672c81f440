// The pure helpers for logical paths and file names (no disk access).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

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
    return 0;
}
