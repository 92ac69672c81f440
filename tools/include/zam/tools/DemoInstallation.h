#pragma once
// A synthetic simulator folder that the front end can open when no real installation is set up,
// and that tests and benchmarks use as a complete installation: INI files, a season with its
// track folders, players with setups and a setup index, background sets, screenshots and a
// stand-in GPL.EXE that carries the engine tables and the "hit_hard" marker where the front end
// looks for them. Nothing in it is taken from the real game; every binary file says it is a demo.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zam::tools {

inline constexpr int kDemoSeasonTracks = 11;  // the 1967 calendar
inline constexpr int kDemoExtraTracks = 2;    // installed, outside the season
inline constexpr int kDemoTracks = kDemoSeasonTracks + kDemoExtraTracks;
inline constexpr int kDemoPlayers = 3;
inline constexpr int kDemoMaxSeasonEvents = 64;

struct DemoOptions {
    // Installed track folders. The first eleven are the 1967 season; then two tracks outside the
    // season; more (for benchmarks) are numbered demo circuits that join the season until it has
    // 64 events and stay inactive after that.
    int tracks = kDemoTracks;
    // Player folders: three named demo drivers, then numbered ones.
    int players = kDemoPlayers;
    // With a value, GPL.EXE starts with a shell script that sleeps that many seconds, leaves a new
    // GPL<n>.PBF screenshot in its folder and ends; it is executable. Without, it starts with "MZ".
    std::optional<int> simSeconds;
    // "1.2.1" or "1.2.2" (the engine pointer values differ).
    std::string version = "1.2.1";
};

// Layout of the synthetic executable (0-based offsets).
inline constexpr std::uint64_t kDemoExeSize = 1'600'000;
inline constexpr std::uint64_t kDemoEngineMarkerOffset = 1'340'000;  // "Repco"
inline constexpr std::uint64_t kDemoKeyMarkerOffset = 1'420'000;     // "hit_hard"
inline constexpr std::string_view kDemoExePadding = "ZAMDeck demo executable - not a simulator\r\n";

// Writes the installation into `dir`, which must be missing or empty; never touches a folder that
// holds anything. Throws std::invalid_argument on bad options and std::runtime_error when the
// folder is not empty or a file cannot be written.
void MakeDemoInstallation(const std::filesystem::path& dir, const DemoOptions& options = {});

// The bytes of the synthetic GPL.EXE for these options.
std::string DemoExecutable(const DemoOptions& options);

}  // namespace zam::tools
