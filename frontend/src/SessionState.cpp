#include "zam/frontend/SessionState.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

#include "zam/frontend/Screenshots.h"
#include "zam/model/EngineTable.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/store/Common.h"

namespace zam {

namespace {

constexpr int kMaxLaps = 255;

struct Rating {
    const char* baseClass;
    const char* value;
};
constexpr Rating kRatings[] = {{"F1", "3"}, {"F2", "2"}, {"F3", "1"}};

// A lap count as the season file must hold it: digits only, blanks around allowed.
std::optional<std::int64_t> WholeLaps(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

void ApplyClassEngines(clsEngines& engines, std::string_view classCode,
                       const EngineSelection& selection) {
    if (classCode == "FJ") {
        engines.SetAllEngines(7);
    } else if (classCode == "FG" || classCode == "FV") {
        engines.SetAllEngines(8);
    } else if (classCode == "FD") {
        engines.SetAllEngines(9);
    } else if (classCode == "FL1" || classCode == "FL2" || classCode == "FL3") {
        for (int chassis = 0; chassis < kChassisCount; ++chassis) {
            if (chassis == kUnusedChassis) continue;
            const int engine = selection[static_cast<std::size_t>(chassis)] - 1;
            if (engine >= 0 && engine < kEngineCount) engines.SetCarEngine(chassis, engine);
        }
    } else {
        engines.SetDefaults();
    }
}

void ApplyDriverRating(clsGPL& gpl, std::string_view playerId, std::string_view classCode) {
    const std::string base = clsGPL::BaseClass(classCode);
    for (const Rating& rating : kRatings) {
        if (base != rating.baseClass) continue;
        gpl.SetPlayerValue(playerId, "Personal Information", "driverRating", rating.value);
        gpl.SetPlayerValue(playerId, "Practice Circuit", "lastCarClass", rating.value);
    }
}

void SyncSampleRpm(IniStore& store, std::string_view playerFolder) {
    const std::string player =
        store.IniValue(std::string(playerFolder) + "PZAM.Ini", "Engine", "sampleRPM");
    if (player != store.IniValue("App.Ini", "Engine", "sampleRPM"))
        store.SetIniValue("App.Ini", "Engine", "sampleRPM", player);
}

int OverriddenLaps(double percent, std::int64_t laps) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double laps100 = std::nearbyint(percent * static_cast<double>(laps) / 100.0);
    std::fesetround(saved);
    return static_cast<int>(std::clamp(laps100, 1.0, static_cast<double>(kMaxLaps)));
}

bool ApplyRaceLengthOverride(IniStore& store, double percent, int eventNo) {
    if (percent == 100) return false;
    if (eventNo < 1) return false;
    const std::string section = "Event" + std::to_string(eventNo);
    const std::optional<std::int64_t> laps =
        WholeLaps(store.IniValue(kSeasonFile, section, "numberOfLaps"));
    if (!laps) return false;
    store.SetIniValue(kSeasonFile, section, "originalGPLength", std::to_string(*laps));
    store.SetIniValue(kSeasonFile, section, "numberOfLaps",
                      std::to_string(OverriddenLaps(percent, *laps)));
    return true;
}

int RandomEntryPosition(int entries, double r) {
    if (entries <= 0) return 0;
    return std::clamp(static_cast<int>(r * entries) + 1, 1, entries);
}

bool CopyBackgroundSet(IniStore& store, std::string_view chosenSet) {
    const std::string previous = store.FullPathIniValue("ZAM.Ini", "Backgrounds", "previousBack");
    if (chosenSet.empty() || previous == chosenSet) return false;
    const std::string& folder = store.Directory();
    CopyFiles(store.Ui(), BackgroundSetFolder(folder, chosenSet), LayoutFolder(folder), folder);
    store.SetFullPathIniValue("ZAM.Ini", "Backgrounds", "previousBack", chosenSet);
    return true;
}

}  // namespace zam
