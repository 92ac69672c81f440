// zamini make-demo: writes a demo installation into a new or empty folder.
#include <charconv>
#include <exception>
#include <optional>
#include <string>

#include "zam/tools/Command.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::tools {

namespace {

constexpr const char* kUsage =
    "DIR [--tracks N] [--players N] [--sim-seconds S] [--version 1.2.1|1.2.2]";

std::optional<int> Count(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
    return value;
}

// Fills `options` and `dir` from the arguments; false on anything it does not understand.
bool ParseArguments(const std::vector<std::string>& args, std::string& dir, DemoOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!dir.empty()) return false;
            dir = a;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        if (a == "--version") {
            options.version = value;
            continue;
        }
        const auto n = Count(value);
        if (!n) return false;
        if (a == "--tracks") options.tracks = *n;
        else if (a == "--players") options.players = *n;
        else if (a == "--sim-seconds") options.simSeconds = *n;
        else return false;
    }
    return !dir.empty() && (options.version == "1.2.1" || options.version == "1.2.2");
}

int MakeDemo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string dir;
    DemoOptions options;
    if (!ParseArguments(args, dir, options)) {
        err << "usage: zamini make-demo " << kUsage << '\n';
        return kExitUsage;
    }
    try {
        MakeDemoInstallation(dir, options);
    } catch (const std::exception& e) {
        err << "zamini make-demo: " << e.what() << '\n';
        return kExitFailure;
    }
    out << "demo installation written to " << dir << '\n';
    return kExitOk;
}

}  // namespace

std::vector<Command> DemoCommands() { return {{"make-demo", kUsage, MakeDemo}}; }

}  // namespace zam::tools
