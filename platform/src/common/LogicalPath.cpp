#include "zam/platform/Paths.h"

#include <array>

#include "zam/platform/Text.h"

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

// Names Windows opens as devices in every folder. A digit of COM and LPT may also be one of the
// superscripts 1, 2 and 3 (Windows-1252 0xB9, 0xB2, 0xB3).
constexpr std::array<std::string_view, 7> kDevices = {"CON",    "PRN",     "AUX",   "NUL",
                                                      "CONIN$", "CONOUT$", "CLOCK$"};

bool IsNumberedDevice(std::string_view base) {
    if (base.size() != 4) return false;
    const std::string_view stem = base.substr(0, 3);
    const char digit = base[3];
    return (stem == "COM" || stem == "LPT") &&
           ((digit >= '0' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3');
}

// The device a name opens, whatever its extension: "nul.txt" and "Com1 .ini" are devices too.
bool IsDeviceName(std::string_view name) {
    const std::string base = UpperCase(TrimRightSpaces(name.substr(0, name.find('.'))));
    for (std::string_view device : kDevices)
        if (base == device) return true;
    return IsNumberedDevice(base);
}

Status Refused(std::string_view name, std::string_view why) {
    return Status::Error(kBadFileName, "\"" + std::string(name) + "\" cannot be written: " +
                                           std::string(why));
}

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

Status CheckWriteTarget(std::string_view logical) {
    const std::string name = NameOf(logical);
    if (name.empty() || name == "." || name == "..") return Status::Ok();
    if (name.back() == '.' || name.back() == ' ')
        return Refused(name, "Windows drops the dots and blanks at the end of a name, so it would "
                             "write another file.");
    if (name.find(':') != std::string::npos)
        return Refused(name, "a \":\" in a name reaches a hidden part (a stream) of another file.");
    if (IsDeviceName(name))
        return Refused(name, "Windows takes it for a device (CON, NUL, COM1, ...), not a file.");
    return Status::Ok();
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
