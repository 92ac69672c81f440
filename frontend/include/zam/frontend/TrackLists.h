#pragma once
// The season's events and the installed tracks that are not in it, as the Tracks tab shows them:
// ActiveTracks (entry n is event n of Seasons\67Season.Ini) and InactiveTracks. Every change is
// written at once into the season file held in the store, renumbering the events without gaps.
// Positions are counted from 1, as the lists show them; 0 means "none".
//
// Event data for a track comes from the track's own Tracks\<dir>\TZAM.Ini, else from the user's
// defaults in SZAM.Ini, else from built-in defaults.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zam/frontend/SessionState.h"  // kSeasonFile

namespace zam {

class clsGPL;

inline constexpr const char* kSeasonDefaultsIni = "SZAM.Ini";
inline constexpr int kMaxSeasonEvents = 64;

// The seven keys of a season event, in the order a season file holds them.
inline constexpr std::array<const char*, 7> kEventKeys = {
    "name", "shortName", "trackDirectory", "month", "day", "numberOfLaps", "startingGrid"};

struct TrackEntry {
    std::string directory;  // empty for an event whose track folder is not installed
    std::string displayName;
};

using TrackList = std::vector<TrackEntry>;

// "Event" + n.
std::string EventSection(int eventNo);

// True for a track folder name that names one folder directly inside Tracks\: not empty, no "..",
// no separator, no drive colon. A season file's trackDirectory is outside data; any other value
// is never used to build a path.
bool IsSafeTrackDirectory(std::string_view directory);

// Built-in display name of a track folder (compared in lower case); empty when not in the table.
std::string BuiltInTrackName(std::string_view directory);

// Index (1-based) of the entry whose directory equals `directory` without regard to case; 0 when
// none.
int FindTrack(const TrackList& list, std::string_view directory);

// t < 1: appends source entry s to the target list and removes it from the source. Otherwise
// swaps target entry t and source entry s. Positions out of range change nothing.
void MoveTrack(TrackList& source, int s, TrackList& target, int t);

// Selection sort by upper-cased display name (equal keys keep the first found). Gives, for each
// new position, the position (from 0) its entry held before.
std::vector<std::size_t> SortByName(TrackList& list);

// The events of a season file in the store (its full path) that may be visited
// (SeasonEventCount). When the file states more events than it holds, the user is told
// that only those it holds are used.
std::int32_t UsableSeasonEvents(clsGPL& gpl, std::string_view file);

class TrackLists {
public:
    explicit TrackLists(clsGPL& gpl);

    TrackList ActiveTracks;
    TrackList InactiveTracks;

    // Start-up: both lists from the installed track folders and the season. Undoes a race-length
    // override left by the last launch and makes the first season seen the user's defaults.
    void ReadTrackFolders();

    // Display name of event `eventNo` (0: of `directory` itself).
    std::string TrackDisplayName(int eventNo, std::string_view directory);

    // Writes the seven keys of event n for a track from its defaults.
    void WriteSeasonEvent(int eventNo, std::string_view directory);
    // Deletes the seven keys of a section of the season file.
    void DeleteSeasonEvent(std::string_view section);

    // Month and day of a track's SZAM.Ini section as "MMDD".
    std::string TrackDateKey(std::string_view directory);
    // Sorts ActiveTracks by TrackDateKey; gives the old positions as SortByName does.
    std::vector<std::size_t> SortByDate();

    // ---- The user's commands. Each returns the active position to select afterwards, 0 when
    // nothing changed. ----------------------------------------------------------------------
    // Moves inactive entry `index` to the end of the season (refused at 64 events).
    int AddTrack(int inactiveIndex);
    // Removes active entry p (never the last remaining one).
    int RemoveTrack(int p);
    int MoveTrackUp(int p);
    int MoveTrackDown(int p);
    // Sort the season; false with fewer than two events.
    bool SortSeasonByDate();
    bool SortSeasonByName();

    // Removes every event (last first), moving its entry to the inactive list.
    void RemoveAllEvents();
    // Appends the installed track `directory` (exact spelling) as the next event with the data
    // of `sourceFile` [sourceSection] (a loaded season file). False when it is not installed.
    bool AppendEventFrom(std::string_view directory, std::string_view sourceFile,
                         std::string_view sourceSection);

    std::string SeasonName();
    void SetSeasonName(std::string_view name);
    std::int32_t EventCount();

private:
    void CopyEventKeys(std::string_view fromFile, std::string_view fromSection, int eventNo,
                       bool fullPathSource);
    void SetEventCount(std::size_t count);
    // Rewrites events `events` after ActiveTracks was reordered (origin[i]: the position, from 0,
    // that entry i held before): an installed track from its defaults, an event whose track is
    // not installed with its own values, which it has nowhere else.
    void RewriteEvents(const std::vector<std::size_t>& origin, const std::vector<int>& events);
    void RewriteAllEvents(const std::vector<std::size_t>& origin);
    void SwapEvents(int a, int b);
    void AdoptSeasonEvent(int eventNo);

    clsGPL& gpl_;
};

}  // namespace zam
