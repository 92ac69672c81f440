#include "zam/frontend/LaunchCommand.h"

#include <array>

#include "zam/platform/Process.h"

namespace zam {

namespace {

constexpr std::array<LaunchModeInfo, kModeCount> kModes{{
    {"Testing", "3"},
    {"Offline Race", "0"},
    {"Multiplayer (Host)", "2"},
    {"Multiplayer (Join)", "2"},
    {"Championship", "1"},
}};

//                                         setup race   hosting client raceSetup damage
constexpr std::array<ModeFrames, kModeCount> kFrames{{
    {true, false, false, false, true, true},
    {true, true, false, false, true, false},
    {true, true, true, false, true, false},
    {true, false, false, true, true, false},
    {true, false, false, false, true, false},
}};

}  // namespace

std::span<const LaunchModeInfo> LaunchModes() { return kModes; }

std::optional<ModeFrames> FramesForMode(std::string_view modeText) {
    if (modeText.size() != 1 || modeText[0] < '0' || modeText[0] >= '0' + kModeCount)
        return std::nullopt;
    return kFrames[static_cast<std::size_t>(modeText[0] - '0')];
}

// The address and password are typed text placed inside the quotes of an option. Ordinary text
// stands there as typed; a quote or a backslash before one is escaped, so that whatever was typed
// reaches the simulator whole, as one argument, and cannot close the option and add another.
std::string ModeArguments(int mode, const JoinSettings& join) {
    std::string arguments;
    if (mode == kModeHost) arguments = "-ko\"0:SERVER:launch:1\"";
    if (mode == kModeJoin) {
        const std::string address = platform::EscapeInsideQuotes(join.address);
        if (join.connectVia == "IP")
            arguments = "-ko\"0:client:to_ip:" + address + "\" -ko\"0:client:via_ip:" + address +
                        "\"";
        if (!join.password.empty())
            arguments += " -ko\"0:SERVER:password:" + platform::EscapeInsideQuotes(join.password) +
                         "\"";
    }
    return arguments;
}

std::string SimulatorCommandLine(std::string_view exePath, int mode, const JoinSettings& join) {
    return std::string(exePath) + " " + ModeArguments(mode, join);
}

}  // namespace zam
