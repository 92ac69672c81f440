#pragma once
// Small routines shared by the whole front end.
#include <cstdint>
#include <string>
#include <string_view>

#include "zam/platform/Process.h"
#include "zam/store/UserInterface.h"

namespace zam {

// Starts a command line without waiting for it. A start that fails is reported with the command
// line, the current folder and the system's reason, under "Utility Not Found" when the program
// file or its folder is missing; false then.
bool StartProgram(UserInterface& ui, std::string_view commandLine, platform::ProcessId& id);

// Starts a command line as StartProgram does and waits until its process ends, through the user
// interface's WaitUntil (a window stays painted while it waits).
void RunAndWait(UserInterface& ui, std::string_view commandLine);

// Message box; with endProgram the program ends at once without the write-back.
void ShowMessage(UserInterface& ui, const std::string& text, bool endProgram);

// True only for a regular file that can be opened for reading.
bool FileExists(std::string_view path);

// Copies every file of `sourceFolder` into `targetFolder` (both ending in a separator), except
// names beginning with "."; a file named HCOPY.PBF goes into `simulatorFolder` instead.
void CopyFiles(UserInterface& ui, std::string_view sourceFolder, std::string_view targetFolder,
               std::string_view simulatorFolder);

// 0-based offset of the first occurrence of `text` whose first byte lies at or after the 1-based
// byte position `start`; 0 when not found, when `start` lies beyond the end, or on failure.
std::int64_t FindString(UserInterface& ui, std::string_view path, std::int64_t start,
                        std::string_view text);

std::string ProperCase(std::string_view text);
std::string StripTabs(std::string_view text);
std::string StripSpaces(std::string_view text);
// "m:ss.ffff" with the locale's decimal separator.
std::string FormatLapTime(double seconds);

// "Untrapped error <n> <description>\r in <routine>", the text of every unexpected failure.
std::string UntrappedErrorText(int number, const std::string& description,
                               const std::string& routine);

}  // namespace zam
