#pragma once
// The fixed facts about the simulator's executable that the engine swap relies on: where the
// pointer tables and the chassis key table are found, which slot each chassis uses, and the two
// pointer values and the key of each engine. The values are eight upper-case hex digits in file
// order ("008B5400" is the bytes 00 8B 54 00) for version 1.2.1; version 1.2.2 has "7" as the
// third digit of every value.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zam {

inline constexpr int kChassisCount = 10;
inline constexpr int kEngineCount = 10;
inline constexpr int kUnusedChassis = 7;
// Chassis 0 to 6 are the teams; only they carry a key in the key table.
inline constexpr int kLastTeamChassis = 6;

// Where the tables are looked for (1-based byte positions, as FindString takes them) and where
// they lie relative to the marker text that was found (0-based offsets of the marker's first byte).
inline constexpr std::int64_t kEngineMarkerSearchStart = 1335000;
inline constexpr std::string_view kEngineMarker = "Repco";
inline constexpr std::int64_t kFirstTableBeforeMarker = 80;
inline constexpr std::int64_t kSecondTableAfterFirst = 40;
inline constexpr std::int64_t kKeyMarkerSearchStart = 1412000;
inline constexpr std::string_view kKeyMarker = "hit_hard";
inline constexpr std::int64_t kKeyTableBeforeMarker = 36;
inline constexpr int kSlotBytes = 4;
inline constexpr int kKeyBytes = 3;

inline constexpr std::string_view kVersion121 = "1.2.1";
inline constexpr std::string_view kVersion122 = "1.2.2";

struct ChassisInfo {
    std::string_view name;
    int slotIndex;  // slot in both pointer tables
    int keySlot;    // bytes after the key table start; -1 for chassis without a key
};

struct EngineInfo {
    std::string_view name;
    std::string_view firstValue;   // version 1.2.1
    std::string_view secondValue;  // version 1.2.1
    std::string_view key;          // "f2f3" for the trainer engines: they have no team key
    int keySlot;
};

// Lotus and Honda cross: chassis 5 uses slot 6 and chassis 6 uses slot 5.
inline constexpr std::array<ChassisInfo, kChassisCount> kChassisTable{{
    {"Brabham", 0, 0},
    {"BRM", 1, 4},
    {"Cooper", 2, 8},
    {"Eagle", 3, 12},
    {"Ferrari", 4, 16},
    {"Lotus", 6, 24},
    {"Honda", 5, 20},
    {"Unused", 7, -1},
    {"F3", 8, -1},
    {"F2", 9, -1},
}};

inline constexpr std::array<EngineInfo, kEngineCount> kEngineTable{{
    {"Repco V8", "008B5400", "A0865400", "bra", 0},
    {"BRM H16", "0C8B5400", "08875400", "brm", 4},
    {"Maserati V12", "108B5400", "70875400", "cov", 8},
    {"Gurney-Weslake V12", "1C8B5400", "D8875400", "eag", 12},
    {"Ferrari V12", "248B5400", "40885400", "fer", 16},
    {"Ford DFV V8", "348B5400", "10895400", "lot", 24},
    {"Honda V12", "2C8B5400", "A8885400", "mur", 20},
    {"2.0l Street", "408B5400", "78895400", "f2f3", 28},
    {"2.0l Race", "4C8B5400", "E0895400", "f2f3", 28},
    {"2.5l Race", "588B5400", "488A5400", "f2f3", 28},
}};

inline constexpr std::string_view kTrainerKey = "f2f3";

// A table value for the given version: every version other than 1.2.1 has "7" as third digit.
inline std::string VersionedValue(std::string_view value121, std::string_view version) {
    std::string value(value121);
    if (version != kVersion121 && value.size() > 2) value[2] = '7';
    return value;
}

}  // namespace zam
