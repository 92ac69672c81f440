#pragma once
// The launch modes of the main window and the simulator command line each one gives.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zam {

inline constexpr int kModeTesting = 0;
inline constexpr int kModeOfflineRace = 1;
inline constexpr int kModeHost = 2;
inline constexpr int kModeJoin = 3;
inline constexpr int kModeChampionship = 4;
inline constexpr int kModeCount = 5;

struct LaunchModeInfo {
    const char* caption;       // option button caption
    const char* lastRaceType;  // what the simulator's own menu shows as the last race type
};

// Indexed by mode number 0 to 4.
std::span<const LaunchModeInfo> LaunchModes();

// Which parts of the race tab a mode shows.
struct ModeFrames {
    bool setup;
    bool race;
    bool hosting;
    bool client;
    bool raceSetup;
    bool damageModel;
};

// By the stored mode text "0" to "4"; nothing for any other text (the frames then stay as they
// are).
std::optional<ModeFrames> FramesForMode(std::string_view modeText);

// What a join needs: the protocol value of cbxConnectVia ("IP" or "IPX"), the server address and
// the password as typed.
struct JoinSettings {
    std::string connectVia;
    std::string address;
    std::string password;
};

// The simulator's arguments for a mode. The texts are inserted as they stand: the command line is
// split by Windows rules and never reaches a shell, so nothing typed can run as a command.
std::string ModeArguments(int mode, const JoinSettings& join);

// Executable path, one blank, then the mode's arguments (the blank is there even when there are
// none).
std::string SimulatorCommandLine(std::string_view exePath, int mode, const JoinSettings& join);

}  // namespace zam
