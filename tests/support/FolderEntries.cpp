#include "FolderEntries.h"

#include <algorithm>

namespace zam::test {

namespace fs = std::filesystem;

std::vector<std::string> FolderEntries(const fs::path& dir, bool recursive) {
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
