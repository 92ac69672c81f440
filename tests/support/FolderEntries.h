#pragma once
// What a folder holds, as names a test can compare: to see what a run created or left behind.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zam::test {

// Paths of the entries of a folder (of everything below it when `recursive`) relative to it, in
// sorted order.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& dir,
                                              bool recursive = false) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    const auto add = [&](const fs::directory_entry& e) {
        names.push_back(e.path().lexically_relative(dir).string());
    };
    if (recursive)
        std::for_each(fs::recursive_directory_iterator(dir), {}, add);
    else
        std::for_each(fs::directory_iterator(dir), {}, add);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zam::test
