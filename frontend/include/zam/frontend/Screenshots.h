#pragma once
// The simulator leaves its screenshots as GPL*.PBF in its own folder; the front end moves them
// into a numbered archive in Exports\ at each start. Background sets are folders below
// Layout\BackSets\ whose files are copied over the simulator's menu artwork.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zam {

// "S" + the number as at least seven digits + ".PBF" (42 -> "S0000042.PBF").
std::string ArchivedScreenshotName(std::int64_t number);

// Moves every GPL*.PBF of `simulatorFolder` (ending in a separator) to Exports\ under the next
// archive number, in listing order, and returns the number after the last one given out. A file
// that cannot be moved stays where it is; its number is used up all the same, so an archived
// name is never given out twice.
std::int64_t ArchiveScreenshots(std::string_view simulatorFolder, std::int64_t nextNumber);

// Names of the background sets: the entries of Layout\BackSets\ without an extension, trimmed of
// blanks, leaving out those that start with a full stop.
std::vector<std::string> BackgroundSets(std::string_view simulatorFolder);

// Folder of a set, and the folder its files are copied into.
std::string BackgroundSetFolder(std::string_view simulatorFolder, std::string_view set);
std::string LayoutFolder(std::string_view simulatorFolder);

}  // namespace zam
