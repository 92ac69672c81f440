#include "zam/frontend/LogicalFolder.h"

#include <vector>

#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

bool HasDriveLetter(std::string_view folder) {
    const auto letter = static_cast<unsigned char>(folder.empty() ? '\0' : folder[0]);
    return folder.size() >= 2 && folder[1] == ':' &&
           ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'));
}

// Length of the root part that trailing-separator trimming must not touch: "C:\" 3, "/" 1.
std::size_t RootLength(std::string_view folder) {
    if (HasDriveLetter(folder)) {
        return folder.size() >= 3 && platform::IsSeparator(folder[2]) ? 3 : 2;
    }
    return !folder.empty() && platform::IsSeparator(folder[0]) ? 1 : 0;
}

}  // namespace

char SeparatorOf(std::string_view folder) {
    if (HasDriveLetter(folder) || folder.find('\\') != std::string_view::npos) return '\\';
    return '/';
}

std::string WithOneSeparator(std::string_view folder) {
    const char separator = SeparatorOf(folder);
    const std::size_t root = RootLength(folder);
    std::size_t end = folder.size();
    while (end > root && platform::IsSeparator(folder[end - 1])) --end;
    std::string result(folder.substr(0, end));
    if (result.empty() || !platform::IsSeparator(result.back())) result += separator;
    return result;
}

bool IsRootFolder(std::string_view folder) {
    const std::size_t root = RootLength(folder);
    return root > 0 && folder.size() == root;
}

bool IsAbsoluteFolder(std::string_view folder) {
    return RootLength(folder) > 0;
}

std::string ParentFolder(std::string_view folder) {
    const std::string normal = WithOneSeparator(folder);
    if (IsRootFolder(normal)) return normal;
    const std::size_t cut = normal.find_last_of("\\/", normal.size() - 2);
    if (cut == std::string::npos) return normal;
    return normal.substr(0, cut + 1);
}

std::string DriveOf(std::string_view folder) {
    if (HasDriveLetter(folder)) return platform::UpperCase(folder.substr(0, 2));
    if (!folder.empty() && folder[0] == '/') return "/";
    return {};
}

std::string DriveRoot(std::string_view drive) {
    if (HasDriveLetter(drive)) return platform::UpperCase(drive.substr(0, 1)) + ":\\";
    if (!drive.empty() && drive[0] == '/') return "/";
    return {};
}

std::optional<FileChoice> ResolveFileChoice(const FileChoice& typed) {
    const std::string_view name = typed.fileName;
    std::string path;
    if (RootLength(name) > 0) {
        // An absolute name replaces the folder; "\x" stays on the folder's own drive.
        if (!HasDriveLetter(name) && HasDriveLetter(typed.folder)) path = typed.folder.substr(0, 2);
        path += name;
    } else {
        path = typed.folder.empty() ? std::string() : WithOneSeparator(typed.folder);
        path += name;
    }
    const platform::LogicalPathParts parts = platform::SplitLogicalPath(path);
    // Windows drops trailing dots and blanks from a part, so "..." or "  " is no part at all.
    if (parts.folder || parts.components.empty() || NameKey(parts.components.back()).empty())
        return std::nullopt;  // names a folder, not a file
    std::vector<std::string> walked;
    for (const std::string& part : parts.components) {
        if (part == "..") {
            if (!walked.empty()) walked.pop_back();
        } else if (!NameKey(part).empty()) {
            walked.push_back(part);
        }
    }
    FileChoice choice;
    choice.fileName = std::move(walked.back());
    walked.pop_back();
    if (HasDriveLetter(choice.fileName)) return std::nullopt;  // "D:" or "D:x" leads to a drive
    const bool absolute = RootLength(name) > 0;
    const char separator = SeparatorOf(absolute || typed.folder.empty() ? path : typed.folder);
    if (parts.drive != 0) choice.folder = {parts.drive, ':'};
    if (parts.rooted) choice.folder += separator;
    // "x:y" first in a relative folder is a name, not a drive: ".\" keeps it one.
    if (!parts.rooted && !walked.empty() && HasDriveLetter(walked.front()))
        choice.folder = std::string(".") + separator;
    for (const std::string& part : walked) choice.folder.append(part).push_back(separator);
    return choice;
}

std::string FolderKey(std::string_view folder) {
    const platform::LogicalPathParts parts = platform::SplitLogicalPath(folder);
    std::vector<std::string> walked;
    for (const std::string& part : parts.components) {
        if (part == "..") {
            if (!walked.empty()) walked.pop_back();
        } else if (part != ".") {
            // Windows reads "..." as nothing at all.
            if (std::string partKey = NameKey(part); !partKey.empty()) walked.push_back(partKey);
        }
    }
    std::string key = parts.drive != 0 ? std::string{parts.drive, ':'} : std::string();
    if (parts.rooted) key += '\\';
    if (!parts.rooted && !walked.empty() && HasDriveLetter(walked.front())) key = ".\\";
    for (const std::string& part : walked) key += part + '\\';
    return key;
}

std::string NameKey(std::string_view name) {
    const std::size_t end = name.find_last_not_of(". ");
    return platform::UpperCase(name.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace zam
