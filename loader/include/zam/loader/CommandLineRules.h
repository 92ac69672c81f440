#pragma once
// What the loader reads out of a command line before it runs it.
#include <optional>
#include <string>
#include <string_view>

namespace zam::loader {

// Folder of the executable a command line names, so the program starts in its own folder: the
// text before the first ".EXE" (any case) up to its last separator, "\" or "/". Nothing when the
// line has no ".EXE", when it starts with it, or when no separator precedes it. A quote opening
// the path is dropped; a root keeps its separator ("C:\GPL.EXE" gives "C:\", "/GPL.EXE" gives
// "/").
std::optional<std::string> FolderOfCommandLine(std::string_view commandLine);

// Command lines that name AITW (in any case) run under the command interpreter.
bool NeedsCommandInterpreter(std::string_view commandLine);

// "<interpreter> /c <command line>". An empty interpreter means "C:\Windows\System32\cmd.exe"
// (on Linux that path leads into the Wine prefix); one with blanks in its path is quoted.
std::string WithCommandInterpreter(std::string_view commandLine, std::string_view interpreter);

}  // namespace zam::loader
