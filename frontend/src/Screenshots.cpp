#include "zam/frontend/Screenshots.h"

#include <cstdio>

#include "zam/platform/FileSystem.h"

namespace zam {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ArchivedScreenshotName(std::int64_t number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%07lld", static_cast<long long>(number));
    return "S" + std::string(digits) + ".PBF";
}

std::int64_t ArchiveScreenshots(std::string_view simulatorFolder, std::int64_t nextNumber) {
    const std::string folder(simulatorFolder);
    std::vector<std::string> names;
    if (!platform::Fs().List(folder + "GPL*.PBF", platform::kListFiles, names).ok()) return nextNumber;
    for (const std::string& name : names) {
        const std::string target = folder + "Exports\\" + ArchivedScreenshotName(nextNumber);
        // Never replace an archived picture: a taken number is simply skipped.
        if (!platform::Fs().FileExists(target)) (void)platform::Fs().Rename(folder + name, target);
        ++nextNumber;
    }
    return nextNumber;
}

std::vector<std::string> BackgroundSets(std::string_view simulatorFolder) {
    std::vector<std::string> names;
    std::vector<std::string> sets;
    if (!platform::Fs().List(std::string(simulatorFolder) + "Layout\\BackSets\\*.",
                             platform::kListAll, names)
             .ok())
        return sets;
    for (const std::string& name : names) {
        const std::string_view trimmed = TrimBlanks(name);
        if (!trimmed.empty() && trimmed.front() != '.') sets.emplace_back(trimmed);
    }
    return sets;
}

std::string BackgroundSetFolder(std::string_view simulatorFolder, std::string_view set) {
    return std::string(simulatorFolder) + "Layout\\BackSets\\" + std::string(set) + "\\";
}

std::string LayoutFolder(std::string_view simulatorFolder) {
    return std::string(simulatorFolder) + "Layout\\";
}

}  // namespace zam
