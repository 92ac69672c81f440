// The synthetic GPL.EXE: padding that says what it is, the engine pointer tables just before the
// "Repco" text and the chassis key table just before "hit_hard", at the offsets the engine swap
// and the executable check search from. Optionally it starts with a shell script, so that on
// Linux it can stand in for the simulator: it waits, leaves a screenshot and ends.
#include <cstddef>
#include <stdexcept>
#include <string>

#include "zam/model/EngineTable.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::tools {

namespace {


std::string HexBytes(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

void Put(std::string& exe, std::uint64_t offset, std::string_view bytes) {
    if (offset + bytes.size() > exe.size()) throw std::logic_error("demo executable layout");
    exe.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
}

std::string Padding(std::uint64_t size) {
    std::string text;
    text.reserve(static_cast<std::size_t>(size) + kDemoExePadding.size());
    while (text.size() < size) text += kDemoExePadding;
    text.resize(static_cast<std::size_t>(size));
    return text;
}

// Runs under /bin/sh; `exit` comes before the first byte of the binary part, so the shell never
// reads it. The screenshot goes into the script's own folder under a name not yet taken.
std::string StandInScript(int seconds) {
    return "#!/bin/sh\n"
           "# ZAMDeck demo stand-in for the simulator - not a simulator.\n"
           "# It waits, leaves a new GPL<n>.PBF screenshot beside itself and ends.\n"
           "dir=$(dirname \"$0\")\n"
           "sleep " + std::to_string(seconds) + "\n"
           "n=1\n"
           "while [ -e \"$dir/GPL$n.PBF\" ]; do n=$((n + 1)); done\n"
           "echo 'ZAMDeck demo screenshot - not a real picture' > \"$dir/GPL$n.PBF\"\n"
           "exit 0\n";
}

std::string Header(const DemoOptions& options) {
    if (options.simSeconds) return StandInScript(*options.simSeconds);
    return "MZ" + std::string(kDemoExePadding);
}

// Both pointer tables end where "Repco" begins; each chassis' slot holds its own engine.
void PutEngineTables(std::string& exe, const std::string& version) {
    const std::uint64_t first = kDemoEngineMarkerOffset - kFirstTableBeforeMarker;
    const std::uint64_t second = first + kSecondTableAfterFirst;
    for (std::size_t chassis = 0; chassis < kChassisTable.size(); ++chassis) {
        const auto& engine = kEngineTable[chassis];
        const std::uint64_t slot =
            static_cast<std::uint64_t>(kChassisTable[chassis].slotIndex) * kSlotBytes;
        Put(exe, first + slot, HexBytes(VersionedValue(engine.firstValue, version)));
        Put(exe, second + slot, HexBytes(VersionedValue(engine.secondValue, version)));
    }
    std::string names;
    for (const auto& engine : kEngineTable) names += std::string(engine.name) + '\0';
    Put(exe, kDemoEngineMarkerOffset, names);
}

// Team keys in their native slots, the trainer key after them, then "hit_hard".
void PutKeyTable(std::string& exe) {
    const std::uint64_t table = kDemoKeyMarkerOffset - kKeyTableBeforeMarker;
    Put(exe, table, std::string(kKeyTableBeforeMarker, '\0'));
    for (int engine = 0; engine <= kLastTeamChassis; ++engine) {
        const auto& e = kEngineTable[static_cast<std::size_t>(engine)];
        Put(exe, table + static_cast<std::uint64_t>(e.keySlot), e.key);
    }
    Put(exe, table + static_cast<std::uint64_t>(kEngineTable[kUnusedChassis].keySlot),
        kTrainerKey);
    Put(exe, kDemoKeyMarkerOffset, std::string(kKeyMarker) + '\0');
}

}  // namespace

std::string DemoExecutable(const DemoOptions& options) {
    std::string exe = Padding(kDemoExeSize);
    Put(exe, 0, Header(options));
    PutEngineTables(exe, options.version);
    PutKeyTable(exe);
    return exe;
}

}  // namespace zam::tools
