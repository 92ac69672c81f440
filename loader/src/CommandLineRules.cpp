#include "zam/loader/CommandLineRules.h"

#include "zam/platform/Text.h"

namespace zam::loader {

namespace {

// Where the interpreter lives when the environment does not say: the system folder of Windows, and
// on Linux the same path inside the Wine prefix, which holds Wine's own "cmd".
constexpr std::string_view kDefaultInterpreter = "C:\\Windows\\System32\\cmd.exe";

}  // namespace

std::optional<std::string> FolderOfCommandLine(std::string_view commandLine) {
    std::size_t exe = platform::UpperCase(commandLine).find(".EXE");
    if (exe == std::string::npos || exe == 0) return std::nullopt;
    std::string_view path = commandLine.substr(0, exe);
    if (path.front() == '"') path.remove_prefix(1);
    std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return std::nullopt;
    std::string_view folder = path.substr(0, separator);
    // A bare root or drive ("" or "C:") would not name the root folder without its separator.
    if (folder.empty() || folder.back() == ':') folder = path.substr(0, separator + 1);
    return std::string(folder);
}

bool NeedsCommandInterpreter(std::string_view commandLine) {
    return platform::FindNoCase(commandLine, "AITW") != std::string_view::npos;
}

std::string WithCommandInterpreter(std::string_view commandLine, std::string_view interpreter) {
    std::string program(interpreter.empty() ? kDefaultInterpreter : interpreter);
    if (program.find(' ') != std::string::npos && program.front() != '"')
        program = "\"" + program + "\"";
    return program + " /c " + std::string(commandLine);
}

}  // namespace zam::loader
