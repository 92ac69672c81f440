#pragma once
// What the main window applies to the simulator's files whenever it closes keeping its changes:
// the engines the chosen class races with, the player's rating for the class, the engine sample
// speed, a one-run race-length override and the background set. Each step is its own function
// so the order is plain in the window and each rule can be checked alone.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zam/store/IniStore.h"

namespace zam {

class clsEngines;
class clsGPL;

inline constexpr const char* kSeasonFile = "Seasons\\67Season.Ini";

// Positions (counted from 1, 0 for none) selected in the engine drop-downs of chassis 0 to 9.
using EngineSelection = std::array<int, 10>;

// Step 1: FJ, FG/FV and FD put one engine in every chassis, the Formula Libre classes take the
// drop-downs (chassis 7 is left alone, as is a chassis whose drop-down shows nothing), every other
// class gives each chassis its own engine.
void ApplyClassEngines(clsEngines& engines, std::string_view classCode,
                       const EngineSelection& selection);

// Step 3: driverRating and lastCarClass for the base class of the chosen class (F1 "3", F2 "2",
// F3 "1"); other classes change nothing.
void ApplyDriverRating(clsGPL& gpl, std::string_view playerId, std::string_view classCode);

// Step 4: the player's [Engine] sampleRPM (in `playerFolder` + "PZAM.Ini") copied into App.Ini
// when the two differ.
void SyncSampleRpm(IniStore& store, std::string_view playerFolder);

// Laps for an override of `percent` of `laps`: rounded to the nearest whole number (halves to
// even), at least 1 and at most 255.
int OverriddenLaps(double percent, std::int64_t laps);

// Step 5: for an override other than 100 %, event `eventNo` (counted from 1) of the season keeps
// its lap count in originalGPLength and gets the overridden count. Skipped (false) when there is
// no event or its numberOfLaps is not a whole number, so the close always completes.
bool ApplyRaceLengthOverride(IniStore& store, double percent, int eventNo);

// Step 6: the position (counted from 1) of a random entry for a random number r in [0, 1).
int RandomEntryPosition(int entries, double r);

// Step 7: copies the chosen set into the simulator's Layout\ folder when it is not the set
// copied last time, and records it in ZAM.Ini [Backgrounds] previousBack. True when copied.
bool CopyBackgroundSet(IniStore& store, std::string_view chosenSet);

}  // namespace zam
