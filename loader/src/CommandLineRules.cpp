#include "zam/loader/CommandLineRules.h"

#include <array>

#include "zam/platform/Text.h"

namespace zam::loader {

namespace {

// Characters cmd reads as its own syntax outside quotes; each is escaped with a caret.
constexpr std::string_view kInterpreterSyntax = "&|<>^()!\"";
// What no escaping carries through every cmd: a line end ends the command, a 00 byte the whole
// line, and "%" starts a variable before carets are looked at (Windows leaves "^%NAME^%" alone,
// Wine's cmd expands it).
constexpr std::string_view kNeverThrough("\r\n\0%", 4);

constexpr std::array<std::string_view, 4> kProgramExtensions = {".EXE", ".COM", ".BAT", ".CMD"};

bool EndsAWord(std::string_view line, std::size_t end) {
    return end == line.size() || line[end] == ' ' || line[end] == '\t' || line[end] == '"';
}

// End of the first program extension that ends a word, or npos.
std::size_t EndOfProgramExtension(std::string_view line) {
    const std::string upper = platform::UpperCase(line);
    std::size_t best = std::string::npos;
    for (std::string_view extension : kProgramExtensions) {
        for (std::size_t at = upper.find(extension); at != std::string::npos;
             at = upper.find(extension, at + 1)) {
            const std::size_t end = at + extension.size();
            if (!EndsAWord(line, end)) continue;
            if (best == std::string::npos || end < best) best = end;
            break;
        }
    }
    return best;
}

// The program as cmd must see it: between quotes, so that blanks and "&" in a folder name stay
// part of it. Nothing when that cannot be done safely ("!" would still be expanded between quotes
// where the registry turns delayed expansion on for this cmd's children).
std::optional<std::string> QuotedProgram(std::string_view program) {
    program = platform::TrimLeftSpaces(program);
    if (program.find('!') != std::string_view::npos) return std::nullopt;
    if (!program.empty() && program.front() == '"') {
        if (program.size() < 2 || program.back() != '"') return std::nullopt;
        program = program.substr(1, program.size() - 2);
    }
    if (program.empty() || program.find('"') != std::string_view::npos) return std::nullopt;
    return "\"" + std::string(program) + "\"";
}

std::string EscapedForInterpreter(std::string_view arguments) {
    std::string escaped;
    escaped.reserve(arguments.size() * 2);
    for (char c : arguments) {
        if (kInterpreterSyntax.find(c) != std::string_view::npos) escaped += '^';
        escaped += c;
    }
    return escaped;
}

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

std::size_t ProgramPartLength(std::string_view commandLine) {
    const std::size_t start = commandLine.size() - platform::TrimLeftSpaces(commandLine).size();
    const std::string_view line = commandLine.substr(start);
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        return close == std::string_view::npos ? commandLine.size() : start + close + 1;
    }
    const std::size_t extension = EndOfProgramExtension(line);
    if (extension != std::string::npos) return start + extension;
    const std::size_t blank = line.find_first_of(" \t");
    return blank == std::string_view::npos ? commandLine.size() : start + blank;
}

bool NeedsCommandInterpreter(std::string_view commandLine) {
    return platform::FindNoCase(commandLine.substr(0, ProgramPartLength(commandLine)), "AITW") !=
           std::string_view::npos;
}

std::optional<std::string> WithCommandInterpreter(std::string_view commandLine,
                                                  std::string_view interpreter) {
    if (commandLine.find_first_of(kNeverThrough) != std::string_view::npos) return std::nullopt;
    const std::size_t programEnd = ProgramPartLength(commandLine);
    std::optional<std::string> program = QuotedProgram(commandLine.substr(0, programEnd));
    if (!program) return std::nullopt;
    std::string shell(interpreter);
    if (shell.find(' ') != std::string::npos && shell.front() != '"') shell = "\"" + shell + "\"";
    return shell + " /s /v:off /c \"" + *program +
           EscapedForInterpreter(commandLine.substr(programEnd)) + "\"";
}

}  // namespace zam::loader
