#pragma once
// Logical paths are Windows-style texts as the rest of the program builds them
// ("C:\Sierra\GPL\Players\x\Player.ini", "ZAM.Ini", "Seasons\67Season.Ini"). They are turned into
// native paths only at the moment of I/O.
//
// On Linux: backslashes become slashes; a drive letter is mapped through the Wine prefix
// ($WINEPREFIX, else ~/.wine) link dosdevices/<letter>: (Z: falls back to "/" when the prefix has
// no such link); every component that does not exist with its exact spelling is matched without
// regard to case against the existing entries of its folder, so "CORE.INI" finds "core.ini" and a
// new file is created beside its case-matched folder instead of as a second copy in another case.
// Names are stored on disk as UTF-8.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"

namespace zam::platform {

std::filesystem::path NativePath(std::string_view logical);

// Native path back to the logical form (UTF-8 -> Windows-1252; separators stay as they are on
// this platform, since the program only appends to such paths).
std::string LogicalFromNative(const std::filesystem::path& native);

// Folder part of a logical path including its trailing separator ("C:\a\b.ini" -> "C:\a\"), or
// the empty text when it has none.
std::string FolderOf(std::string_view logical);
// Name part of a logical path ("C:\a\b.ini" -> "b.ini").
std::string NameOf(std::string_view logical);
bool IsSeparator(char c);
// True for a name without folder or drive ("wine", "GPL.EXE"), which a program search looks for.
bool IsBareName(std::string_view logical);

// Whether the last component of `logical` may be the name of a file or folder this program
// creates, renames to or replaces. Windows would store some names as another one or not as a
// file at all: trailing dots and blanks are dropped ("67Season.ini " is 67Season.ini), a ":"
// names a stream hidden inside another file, and CON, NUL, COM1... (with any extension) are
// devices. Such a name is refused (kBadFileName, saying why) on every system, so that a file
// means the same under wine as on Windows.
Status CheckWriteTarget(std::string_view logical);

// A logical path taken apart the way NativePath reads it: an optional drive letter (upper case, 0
// when there is none), whether it starts at a root, its non-empty components and whether it ends
// in a separator (names a folder).
struct LogicalPathParts {
    char drive = 0;
    bool rooted = false;
    std::vector<std::string> components;
    bool folder = false;
};
LogicalPathParts SplitLogicalPath(std::string_view logical);

// Current directory and the folder of the running executable, as logical paths ending in a
// separator.
std::string CurrentDirectory();
bool ChangeDirectory(std::string_view logical);
std::string ProgramFolder();
// File name of the running executable without folder and without extension ("ZAMDeck").
std::string ProgramName();

// Where the programs of this system find what ships with them and keep what they write, as
// logical paths ending in a separator.
//   Portable: a folder holding the programs (as on Windows and in the demo) keeps everything
//   beside them: Pictures\, Startup.wav, ZAM.ini, SZAM.Ini, ZAM.int and HashTable.csv.
//   Installed: programs in a "bin" folder with "share/zamdeck/" beside it, as `cmake --install`
//   lays them out on Linux. bin/ is not the user's to write, so the shipped files come from
//   share/zamdeck/ and the written ones go to the user's configuration folder.
// Both programs ask this for their own folder, so the front end and the loader always meet at the
// same ZAM.int.
struct ProgramFolders {
    std::string shipped;   // Pictures\, Startup.wav
    std::string settings;  // ZAM.ini, SZAM.Ini, ZAM.int, HashTable.csv
    bool installed = false;
};
ProgramFolders FoldersOfProgram(std::string_view programFolder);
// The user's configuration folder for this system: $XDG_CONFIG_HOME/zamdeck (when it is an
// absolute path), else ~/.config/zamdeck on Linux; %APPDATA%\ZAMDeck on Windows. Ends in a
// separator; it may not exist yet.
std::string UserSettingsFolder();

}  // namespace zam::platform
