// The loader's command-interpreter rule on any command line: only the program part decides, and a
// line handed to cmd leaves it nothing to read as its own syntax. cmd is modelled as it reads the
// line after /s has taken the outer quotes away: the program between quotes, then arguments that
// stay outside quotes, where a caret makes the next character plain and "&|<>()!" or a quote
// would otherwise be syntax; "%" never reaches it. Taking the carets away must give back the arguments as they stood.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "zam/loader/CommandLineRules.h"
#include "zam/platform/Text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::string_view kPrefix = "cmd /s /v:off /c \"";
constexpr std::string_view kSyntax = "&|<>()!\"";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::size_t programEnd = zam::loader::ProgramPartLength(line);
    Check(programEnd <= line.size());
    if (zam::loader::NeedsCommandInterpreter(line))
        Check(zam::platform::FindNoCase(line.substr(0, programEnd), "AITW") != std::string_view::npos);

    const auto through = zam::loader::WithCommandInterpreter(line, "cmd");
    if (!through) return 0;
    const std::string& handed = *through;
    Check(handed.size() > kPrefix.size() && handed.starts_with(kPrefix) && handed.back() == '"');
    std::string_view inner(handed);
    inner.remove_prefix(kPrefix.size());
    inner.remove_suffix(1);
    Check(inner.find_first_of(std::string_view("\r\n\0%", 4)) == std::string_view::npos);

    Check(!inner.empty() && inner.front() == '"');
    const std::size_t close = inner.find('"', 1);
    Check(close != std::string_view::npos && close > 1);
    Check(inner.substr(1, close - 1).find('!') == std::string_view::npos);

    std::string arguments;
    for (std::size_t i = close + 1; i < inner.size(); ++i) {
        if (inner[i] == '^') {
            Check(i + 1 < inner.size());
            arguments += inner[++i];
            continue;
        }
        Check(kSyntax.find(inner[i]) == std::string_view::npos);
        arguments += inner[i];
    }
    Check(arguments == line.substr(programEnd));
    return 0;
}
