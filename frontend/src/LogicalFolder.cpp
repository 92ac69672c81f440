#include "zam/frontend/LogicalFolder.h"

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

}  // namespace zam
