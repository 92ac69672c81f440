#pragma once
// What a folder holds, as names a test can compare: to see what a run created or left behind.
#include <filesystem>
#include <string>
#include <vector>

namespace zam::test {

// Paths of the entries of a folder (of everything below it when `recursive`) relative to it, in
// sorted order.
std::vector<std::string> FolderEntries(const std::filesystem::path& dir, bool recursive = false);

}  // namespace zam::test
