#include "zam/platform/Paths.h"

namespace zam::platform {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBareName(std::string_view logical) {
    for (char c : logical)
        if (IsSeparator(c) || c == ':') return false;
    return true;
}

namespace {

std::size_t LastSeparator(std::string_view logical) {
    for (std::size_t i = logical.size(); i > 0; --i)
        if (IsSeparator(logical[i - 1])) return i - 1;
    return std::string_view::npos;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string FolderOf(std::string_view logical) {
    std::size_t last = LastSeparator(logical);
    if (last == std::string_view::npos) return {};
    return std::string(logical.substr(0, last + 1));
}

std::string NameOf(std::string_view logical) {
    std::size_t last = LastSeparator(logical);
    if (last == std::string_view::npos) return std::string(logical);
    return std::string(logical.substr(last + 1));
}

LogicalPathParts SplitLogicalPath(std::string_view logical) {
    LogicalPathParts parts;
    std::string_view rest = logical;
    if (rest.size() >= 2 && IsAsciiLetter(rest[0]) && rest[1] == ':') {
        // There is no current directory per drive here: "C:x" is taken as "C:\x".
        parts.drive = static_cast<char>(rest[0] & ~0x20);
        parts.rooted = true;
        rest.remove_prefix(2);
    } else {
        parts.rooted = !rest.empty() && IsSeparator(rest[0]);
    }
    parts.folder = !rest.empty() && IsSeparator(rest.back());
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        if (end > start) parts.components.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace zam::platform
