#pragma once
// Folder texts as the file dialog walks them. A folder is either Windows-style ("C:\Sierra\GPL\",
// resolved by the platform layer) or a native POSIX one ("/home/me/gpl/"); each keeps its own
// separator, and a folder always ends in exactly one.
#include <optional>
#include <string>
#include <string_view>

#include "zam/store/UserInterface.h"  // FileChoice

namespace zam {

// '\\' for a Windows-style folder (a drive letter or any backslash), '/' otherwise.
char SeparatorOf(std::string_view folder);
// The folder ending in exactly one separator ("C:" -> "C:\", "C:\GPL\\" -> "C:\GPL\",
// "/home//" -> "/home/").
std::string WithOneSeparator(std::string_view folder);
// True for "X:", "X:\" and "/".
bool IsRootFolder(std::string_view folder);
bool IsAbsoluteFolder(std::string_view folder);
// The folder one level up ("C:\GPL\Seasons\" -> "C:\GPL\"); a root is its own parent.
std::string ParentFolder(std::string_view folder);
// The entry of the drive list a folder lies on: "C:" (upper-cased) or "/"; empty when none.
std::string DriveOf(std::string_view folder);
// The root folder of a drive-list entry: "c:" or "c: [label]" -> "C:\", "/" -> "/"; empty when
// the text names no drive.
std::string DriveRoot(std::string_view drive);

// The one file a typed name leads to from a folder, as the system would open it: folder parts of
// the name (".\\", "..\\", "sub\\", or a whole "C:\\Other\\" or "/home/me/") are walked from the
// folder, "." and ".." in the folder itself too, so the result is a name without folder parts in
// the folder that holds it (written with the folder's own separator). Nothing when what is left
// names no file ("..", "sub\\", an empty name).
std::optional<FileChoice> ResolveFileChoice(const FileChoice& typed);
// The same text for every spelling of one folder: letter case, either separator, "." and ".."
// parts and the trailing dots and blanks that Windows drops from a name make no difference.
std::string FolderKey(std::string_view folder);
// A file name as Windows compares it: upper case, without trailing dots and blanks.
std::string NameKey(std::string_view name);

}  // namespace zam
