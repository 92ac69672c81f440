#include "zam/platform/Process.h"
#include "zam/platform/Text.h"

namespace zam::platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Characters cmd gives a meaning of its own, even inside an argument.
constexpr std::string_view kBatchSyntax("&|<>^%!\"\r\n\0", 11);

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && EqualNoCase(text.substr(text.size() - tail.size()), tail);
}

// The program as CreateProcess looks for it: the name as given, then with ".exe" appended.
bool FindProgram(std::string_view candidate, const std::function<bool(std::string_view)>& exists,
                 std::string& program) {
    if (candidate.empty()) return false;
    if (exists(candidate)) {
        program = candidate;
        return true;
    }
    if (EndsWithNoCase(candidate, ".exe")) return false;
    std::string withExe = std::string(candidate) + ".exe";
    if (!exists(withExe)) return false;
    program = std::move(withExe);
    return true;
}

void SetArguments(std::string_view text, SplitCommand& split) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    split.arguments = text.substr(start);
    split.args = SplitArguments(text);
}

}  // namespace

SplitCommand SplitCommandLine(std::string_view commandLine,
                              const std::function<bool(std::string_view)>& exists) {
    SplitCommand split;
    std::size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
    std::string_view line = commandLine.substr(start);
    if (line.empty()) return split;

    if (line[0] == '"') {
        std::size_t close = line.find('"', 1);
        std::string_view quoted = line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
        if (!FindProgram(quoted, exists, split.program)) split.program = quoted;
        if (close != std::string_view::npos) SetArguments(line.substr(close + 1), split);
        return split;
    }

    // Unquoted: each run of text up to a blank is tried as the program in turn, so that
    // C:\Program Files\Tool\tool.exe -x finds the program even without quotes.
    std::size_t end = 0;
    std::size_t firstEnd = std::string_view::npos;
    while (end < line.size()) {
        while (end < line.size() && !IsBlank(line[end])) ++end;
        if (firstEnd == std::string_view::npos) firstEnd = end;
        if (FindProgram(line.substr(0, end), exists, split.program)) {
            SetArguments(line.substr(end), split);
            return split;
        }
        while (end < line.size() && IsBlank(line[end])) ++end;
    }
    split.program = line.substr(0, firstEnd);
    SetArguments(line.substr(firstEnd), split);
    return split;
}

// The rules of the Windows C run-time: blanks separate arguments outside quotes; 2n backslashes
// before a quote give n backslashes and the quote opens or closes a quoted part; 2n+1 give n
// backslashes and a literal quote; inside quotes "" is a literal quote; other backslashes are
// literal.
std::vector<std::string> SplitArguments(std::string_view arguments) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = arguments.size();
    for (;;) {
        while (i < n && IsBlank(arguments[i])) ++i;
        if (i >= n) return args;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(arguments[i]))) {
            char c = arguments[i];
            if (c == '\\') {
                std::size_t slashes = 0;
                while (i < n && arguments[i] == '\\') ++slashes, ++i;
                if (i < n && arguments[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < n && arguments[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
}

ProgramKind KindOfProgram(std::string_view name, std::string_view leadingBytes) {
    if (leadingBytes.substr(0, 2) == "MZ") return ProgramKind::kWindows;
    if (EndsWithNoCase(name, ".bat") || EndsWithNoCase(name, ".cmd")) return ProgramKind::kBatch;
    return ProgramKind::kNative;
}

bool IsWindowsProgram(std::string_view name, std::string_view leadingBytes) {
    return KindOfProgram(name, leadingBytes) != ProgramKind::kNative;
}

std::string EscapeInsideQuotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only in front of a quote; there each must be doubled, plus one for
        // the quote itself.
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');  // they stand before the closing quote
    return out;
}

bool SafeBatchArgument(std::string_view argument) {
    return argument.find_first_of(kBatchSyntax) == std::string_view::npos;
}

}  // namespace zam::platform
