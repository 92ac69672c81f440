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

// Where the program part of a command line ends (leading blanks included in it): a quoted
// program ends with its closing quote; otherwise the program ends with the first ".EXE", ".COM",
// ".BAT" or ".CMD" (any case) that ends a word, so "C:\Program Files\GPL\GPL.EXE" is one program
// with its blanks; a line with none of these ends its program at the first blank. Everything
// after it is arguments, which may hold text the user typed (a server address, a password).
std::size_t ProgramPartLength(std::string_view commandLine);

// Programs whose path or name holds AITW (in any case) run under the command interpreter. Only the
// program part decides: an address or password in the arguments never does.
bool NeedsCommandInterpreter(std::string_view commandLine);

// The command line as the interpreter must be given it: `interpreter` /s /v:off /c, then the
// program (quoted) and the arguments inside one pair of quotes that /s removes again. Every
// character that cmd reads as its own syntax in the arguments (& | < > ^ ( ) ! ") gets a caret,
// which cmd removes, so the program receives its arguments exactly as they stood and nothing in
// them runs; /v:off keeps "!" from being expanded whatever the registry says. Nothing when cmd
// could not be kept from reading part of the line: a line end, 00 byte or "%" anywhere ("%"
// starts a variable, which no caret escapes in every cmd), a "!" in the program part, or a quote
// inside it.
std::optional<std::string> WithCommandInterpreter(std::string_view commandLine,
                                                  std::string_view interpreter);

}  // namespace zam::loader
