// Command-line splitting: the first line is the command line, every further line names a file
// that exists.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Process.h"

using zam::platform::SplitArguments;
using zam::platform::SplitCommandLine;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Quotes one argument so that the Windows rules give it back unchanged.
std::string Quote(const std::string& arg) {
    return "\"" + zam::platform::EscapeInsideQuotes(arg) + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t newline = input.find('\n');
    std::string_view commandLine = input.substr(0, newline);
    std::set<std::string, std::less<>> files;
    while (newline != std::string_view::npos) {
        std::size_t start = newline + 1;
        newline = input.find('\n', start);
        files.emplace(input.substr(start, newline == std::string_view::npos ? newline : newline - start));
    }
    auto exists = [&](std::string_view p) { return files.find(p) != files.end(); };

    zam::platform::SplitCommand split = SplitCommandLine(commandLine, exists);
    std::size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
    std::string_view line = commandLine.substr(start);
    if (line.empty()) Check(split.program.empty() && split.args.empty());
    if (!line.empty() && line[0] != '"' && !split.program.empty()) {
        // Unquoted: an existing file, or else the first blank-free token; either way the text of
        // the line itself (".exe" may have been added).
        bool found = exists(split.program);
        bool token = split.program.find_first_of(" \t") == std::string::npos;
        Check(found || token);
        std::string_view base = split.program;
        if (!line.starts_with(base)) base.remove_suffix(4);
        Check(line.starts_with(base));
    }

    // Quoting every argument again and splitting gives the same arguments back.
    std::string joined;
    for (const std::string& arg : split.args) joined += Quote(arg) + " ";
    Check(SplitArguments(joined) == split.args);
    return 0;
}
