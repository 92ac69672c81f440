#pragma once
// Saving the current season (Seasons\67Season.Ini as the store holds it) under another name, and
// loading a saved season back into it. A saved file is written whole to a temporary file beside
// its target and then renamed over it, so a failure never leaves a half-written season; the main
// season file itself is never overwritten by a save.
#include <string>
#include <string_view>

#include "zam/store/UserInterface.h"

namespace zam {

class clsGPL;
class TrackLists;

// True when the file's first line, with every space removed and in upper case, is "[SEASON]".
// Files that cannot be read do not count.
bool IsSeasonFile(std::string_view path);

// "test" -> "test.ini", "test." -> "test.ini", "test.txt" stays.
std::string CompleteSeasonFileName(std::string_view name);

// The bytes of a saved season: [Season] with name, year and numEvents, then each event's block
// after an empty line, every line ended by CR LF.
std::string SeasonFileText(clsGPL& gpl);

// The "Save Season" command: asks for a file (GP.INI after a confirmation; never the main season
// file) and writes the season there. False when nothing was written.
bool SaveSeason(clsGPL& gpl, UserInterface& ui);

// The "Load Season" command: asks for a season file and makes it the current season. False when
// the user cancelled (nothing changed).
bool LoadSeason(clsGPL& gpl, UserInterface& ui, TrackLists& lists);

// Loads the season file at `path` (already checked) into the current season.
void LoadSeasonFrom(clsGPL& gpl, TrackLists& lists, std::string_view path);

}  // namespace zam
