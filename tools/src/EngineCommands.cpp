// zamini engines: shows the engine of every chassis in a GPL.EXE and, given CHASSIS=ENGINE pairs,
// writes new choices the way the front end does when it closes.
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "zam/model/clsEngines.h"
#include "zam/platform/FileSystem.h"
#include "zam/tools/Command.h"

namespace zam::tools {

namespace {

constexpr const char* kUsage = "EXE [CHASSIS=ENGINE ...]   (chassis 0-6, 8, 9; engine 0-9)";

// Messages go to the error stream, one line per line of the message box; nothing is ever asked.
class ConsoleUi : public UserInterface {
public:
    explicit ConsoleUi(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text, const std::string&) override {
        std::string line = text;
        for (char& c : line)
            if (c == '\r') c = '\n';
        err_ << line << '\n';
    }
    bool Ask(const std::string&, const std::string&) override { return false; }
    void SetStatus(const std::string&) override {}
    void HideStatus() override {}
    std::optional<FileChoice> SelectFile(const std::string&, const std::string&,
                                         const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override { throw ProgramEnded{}; }

private:
    std::ostream& err_;
};

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// "5=3" -> chassis 5, engine 3. Chassis 7 has no engine slot of its own to write.
std::optional<std::pair<int, int>> Choice(const std::string& arg) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const auto chassis = Number(std::string_view(arg).substr(0, eq));
    const auto engine = Number(std::string_view(arg).substr(eq + 1));
    if (!chassis || !engine || *chassis < 0 || *chassis >= kChassisCount ||
        *chassis == kUnusedChassis || *engine < 0 || *engine >= kEngineCount)
        return std::nullopt;
    return std::pair{*chassis, *engine};
}

void PrintTable(const clsEngines& engines, std::ostream& out) {
    out << "version\t" << engines.ExeVersion() << '\n';
    for (int c = 0; c < kChassisCount; ++c) {
        out << c << '\t' << kChassisTable[static_cast<std::size_t>(c)].name << '\t'
            << engines.FoundEngine(c) << '\t' << engines.ExeEngine(c) << '\n';
    }
}

int Usage(std::ostream& err) {
    err << "usage: zamini engines " << kUsage << '\n';
    return kExitUsage;
}

int Engines(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err);
    std::vector<std::pair<int, int>> choices;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto choice = Choice(args[i]);
        if (!choice) return Usage(err);
        choices.push_back(*choice);
    }
    if (!platform::Fs().FileExists(args[0])) {
        err << "zamini engines: " << args[0] << " not found\n";
        return kExitFailure;
    }
    ConsoleUi ui(err);
    try {
        clsEngines engines(ui, args[0]);
        if (engines.Status()) {
            engines.UnloadWithoutSaving();
            return kExitFailure;
        }
        for (const auto& [chassis, engine] : choices) engines.SetCarEngine(chassis, engine);
        // Write now, so that a failure gives the exit status; the destruction then has nothing
        // left to write.
        const bool written = engines.WriteExeEngines();
        engines.UnloadWithoutSaving();
        if (!written) return kExitFailure;
        PrintTable(engines, out);
        return kExitOk;
    } catch (const ProgramEnded&) {
        return kExitFailure;
    }
}

}  // namespace

std::vector<Command> EngineCommands() { return {{"engines", kUsage, Engines}}; }

}  // namespace zam::tools
