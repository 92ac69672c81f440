#include "zam/frontend/TrackLists.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

struct BuiltInName {
    std::string_view directory;
    std::string_view name;
};

// Windows-1252 text: "\xFC" u-umlaut, "\xD6" O-umlaut.
constexpr BuiltInName kBuiltInNames[] = {
    {"spa", "Spa Francorchamps"},   {"nurburg", "N\xFCrburgring"},
    {"silver", "Silverstone"},      {"watglen", "Watkins Glen"},
    {"zandvort", "Zandvoort"},      {"brands", "Brands Hatch"},
    {"roada", "Road Atlanta"},      {"snett", "Snetterton"},
    {"snett67", "Snetterton 1967"}, {"oring", "\xD6sterreichring"},
    {"glen", "New Glen (N2/N3)"},   {"elkhart", "Elkhart Lake"},
};

struct EventDefaults {
    const char* month = "04";
    const char* day = "17";
    const char* laps = "75";
    const char* grid = "4";
};

std::string TrackFile(std::string_view directory, std::string_view file) {
    return "Tracks\\" + std::string(directory) + "\\" + std::string(file);
}

std::string LastTwo(std::string_view text) {
    const std::string padded = "00" + std::string(text);
    return padded.substr(padded.size() - 2);
}

// Gives, for each position of the sorted list, the position its entry held before.
template <class Key>
std::vector<std::size_t> SelectionSort(TrackList& list, Key key) {
    std::vector<std::size_t> origin(list.size());
    std::iota(origin.begin(), origin.end(), std::size_t{0});
    std::vector<std::string> keys;
    keys.reserve(list.size());
    for (const auto& entry : list) keys.push_back(key(entry));
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        std::size_t smallest = i;
        for (std::size_t j = i + 1; j < list.size(); ++j)
            if (keys[j] < keys[smallest]) smallest = j;
        std::swap(list[i], list[smallest]);
        std::swap(keys[i], keys[smallest]);
        std::swap(origin[i], origin[smallest]);
    }
    return origin;
}

using EventValues = std::array<std::string, kEventKeys.size()>;

EventValues ReadEvent(clsGPL& gpl, int eventNo) {
    EventValues values;
    for (std::size_t i = 0; i < kEventKeys.size(); ++i)
        values[i] = gpl.IniValue(kSeasonFile, EventSection(eventNo), kEventKeys[i]);
    return values;
}

void WriteEvent(clsGPL& gpl, int eventNo, const EventValues& values) {
    for (std::size_t i = 0; i < kEventKeys.size(); ++i)
        gpl.SetIniValue(kSeasonFile, EventSection(eventNo), kEventKeys[i], values[i]);
}

}  // namespace

std::string EventSection(int eventNo) { return "Event" + std::to_string(eventNo); }

bool IsSafeTrackDirectory(std::string_view directory) {
    const std::string_view trimmed = platform::TrimSpaces(directory);
    if (trimmed.empty() || trimmed.find("..") != std::string_view::npos) return false;
    return trimmed.find_first_of("\\/:") == std::string_view::npos;
}

std::string BuiltInTrackName(std::string_view directory) {
    for (const auto& entry : kBuiltInNames)
        if (platform::EqualNoCase(entry.directory, directory)) return std::string(entry.name);
    return {};
}

int FindTrack(const TrackList& list, std::string_view directory) {
    const std::string wanted = platform::UpperCase(directory);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (platform::UpperCase(list[i].directory) == wanted) return static_cast<int>(i) + 1;
    return 0;
}

void MoveTrack(TrackList& source, int s, TrackList& target, int t) {
    if (s < 1 || s > static_cast<int>(source.size())) return;
    const auto from = static_cast<std::size_t>(s - 1);
    if (t < 1) {
        TrackEntry moved = source[from];
        source.erase(source.begin() + s - 1);
        target.push_back(std::move(moved));
        return;
    }
    if (t > static_cast<int>(target.size())) return;
    std::swap(target[static_cast<std::size_t>(t - 1)], source[from]);
}

std::vector<std::size_t> SortByName(TrackList& list) {
    return SelectionSort(list,
                         [](const TrackEntry& e) { return platform::UpperCase(e.displayName); });
}

std::int32_t UsableSeasonEvents(clsGPL& gpl, std::string_view file) {
    const std::int32_t usable = SeasonEventCount(gpl, file);
    const std::string stated = gpl.FullPathIniValue(file, "Season", "numEvents");
    if (WholeNumber(stated) <= usable) return usable;
    gpl.Ui().ShowMessage(
        std::string(file) + " gives numEvents=" + std::string(platform::TrimSpaces(stated)) +
        ", but " +
        (usable == 0 ? std::string("holds no event.\rNo event of it is used.")
                     : "holds events only up to [" + EventSection(usable) + "].\rOnly those " +
                           std::to_string(usable) + " events are used."));
    return usable;
}

TrackLists::TrackLists(clsGPL& gpl) : gpl_(gpl) {}

std::int32_t TrackLists::EventCount() { return gpl_.NoOfTracks(); }

void TrackLists::SetEventCount(std::size_t count) {
    gpl_.SetIniValue(kSeasonFile, "Season", "numEvents", std::to_string(count));
}

std::string TrackLists::SeasonName() { return gpl_.IniValue(kSeasonFile, "Season", "name"); }

void TrackLists::SetSeasonName(std::string_view name) {
    gpl_.SetIniValue(kSeasonFile, "Season", "name", name);
}

std::string TrackLists::TrackDisplayName(int eventNo, std::string_view directory) {
    std::string dir(directory);
    if (eventNo != 0) dir = gpl_.IniValue(kSeasonFile, EventSection(eventNo), "trackDirectory");
    std::string name;
    if (IsSafeTrackDirectory(dir))
        name = gpl_.IniValue(TrackFile(dir, "TZAM.Ini"), "Season Information", "displayName");
    if (name.empty()) name = gpl_.FullPathIniValue(kSeasonDefaultsIni, dir, "displayName");
    if (name.empty()) name = BuiltInTrackName(dir);
    if (name.empty()) name = ProperCase(dir);
    return name;
}

void TrackLists::ReadTrackFolders() {
    ActiveTracks.clear();
    InactiveTracks.clear();
    auto& fs = platform::Fs();
    const std::string tracks = gpl_.Directory() + "Tracks\\";
    std::vector<std::string> names;
    fs.List(tracks + "*.", platform::kListAll, names);
    for (const auto& name : names) {
        const std::string_view trimmed = platform::TrimSpaces(name);
        if (trimmed.empty() || trimmed.front() == '.') continue;
        if (!fs.FileExists(tracks + name + "\\Track.ini")) continue;
        // The track's own file is read first, so that its display name is the one shown. A
        // track without one needs no look of its own first: reading a missing file reads nothing.
        gpl_.ReadIniFile(tracks + name + "\\TZAM.Ini");
        InactiveTracks.push_back({name, TrackDisplayName(0, name)});
    }
    const std::int32_t events = UsableSeasonEvents(gpl_, gpl_.Directory() + kSeasonFile);
    for (int n = 1; n <= events; ++n) {
        const std::string dir = gpl_.IniValue(kSeasonFile, EventSection(n), "trackDirectory");
        const int found = IsSafeTrackDirectory(dir) ? FindTrack(InactiveTracks, dir) : 0;
        if (found == 0) {
            if (!dir.empty() && !IsSafeTrackDirectory(dir))
                gpl_.Ui().ShowMessage("Event " + std::to_string(n) + " names the track folder \"" +
                                      dir + "\", which is not a folder inside Tracks.\r" +
                                      "It is treated as a track that is not installed.");
            ActiveTracks.push_back({"", ProperCase(dir) + " (Not Installed)"});
            continue;
        }
        AdoptSeasonEvent(n);
        MoveTrack(InactiveTracks, found, ActiveTracks, 0);
    }
}

void TrackLists::AdoptSeasonEvent(int eventNo) {
    const std::string section = EventSection(eventNo);
    InitialisingScope userChange(false);
    const std::string original = gpl_.IniValue(kSeasonFile, section, "originalGPLength");
    if (!original.empty()) {
        // The last launch shortened or lengthened this race for one run only.
        gpl_.SetIniValue(kSeasonFile, section, "numberOfLaps", original);
        gpl_.DeleteIniValue(kSeasonFile, section, "originalGPLength");
    }
    const std::string dir = gpl_.IniValue(kSeasonFile, section, "trackDirectory");
    if (gpl_.FullPathIniValue(kSeasonDefaultsIni, dir, "name").empty()) {
        for (const char* key : kEventKeys)
            gpl_.SetFullPathIniValue(kSeasonDefaultsIni, dir, key,
                                     gpl_.IniValue(kSeasonFile, section, key));
    }
}

void TrackLists::CopyEventKeys(std::string_view fromFile, std::string_view fromSection,
                               int eventNo, bool fullPathSource) {
    const std::string section = EventSection(eventNo);
    for (const char* key : kEventKeys) {
        const std::string value = fullPathSource
                                      ? gpl_.FullPathIniValue(fromFile, fromSection, key)
                                      : gpl_.IniValue(fromFile, fromSection, key);
        gpl_.SetIniValue(kSeasonFile, section, key, value);
    }
}

void TrackLists::WriteSeasonEvent(int eventNo, std::string_view directory) {
    const std::string trackFile = TrackFile(directory, "TZAM.Ini");
    if (IsSafeTrackDirectory(directory) &&
        !gpl_.IniValue(trackFile, "Season Information", "name").empty()) {
        CopyEventKeys(trackFile, "Season Information", eventNo, false);
        return;
    }
    if (!gpl_.FullPathIniValue(kSeasonDefaultsIni, directory, "name").empty()) {
        CopyEventKeys(kSeasonDefaultsIni, directory, eventNo, true);
        return;
    }
    gpl_.Ui().ShowMessage("Information not available for " + ProperCase(directory) +
                          "\rAssigning default parameters");
    const std::string display = TrackDisplayName(0, directory);
    const EventDefaults defaults;
    const std::string values[] = {display,         display,      std::string(directory),
                                  defaults.month,  defaults.day, defaults.laps,
                                  defaults.grid};
    const std::string section = EventSection(eventNo);
    for (std::size_t i = 0; i < kEventKeys.size(); ++i)
        gpl_.SetIniValue(kSeasonFile, section, kEventKeys[i], values[i]);
}

void TrackLists::DeleteSeasonEvent(std::string_view section) {
    for (const char* key : kEventKeys) gpl_.DeleteIniValue(kSeasonFile, section, key);
}

std::string TrackLists::TrackDateKey(std::string_view directory) {
    return LastTwo(gpl_.FullPathIniValue(kSeasonDefaultsIni, directory, "Month")) +
           LastTwo(gpl_.FullPathIniValue(kSeasonDefaultsIni, directory, "Day"));
}

std::vector<std::size_t> TrackLists::SortByDate() {
    return SelectionSort(ActiveTracks,
                         [this](const TrackEntry& e) { return TrackDateKey(e.directory); });
}

int TrackLists::AddTrack(int inactiveIndex) {
    if (gpl_.NoOfTracks() >= kMaxSeasonEvents) {
        gpl_.Ui().ShowMessage(
            "GPL can only handle a maximum of 64 active tracks.\rPlease make one or more tracks "
            "inactive then try again.");
        return 0;
    }
    if (inactiveIndex < 1 || inactiveIndex > static_cast<int>(InactiveTracks.size())) return 0;
    const std::string dir = InactiveTracks[static_cast<std::size_t>(inactiveIndex - 1)].directory;
    if (dir.empty()) {
        gpl_.Ui().ShowMessage("Track does not exist in Tracks directory");
        return 0;
    }
    MoveTrack(InactiveTracks, inactiveIndex, ActiveTracks, 0);
    const int n = gpl_.NoOfTracks() + 1;
    WriteSeasonEvent(n, dir);
    SetEventCount(static_cast<std::size_t>(n));
    return static_cast<int>(ActiveTracks.size());
}

int TrackLists::RemoveTrack(int p) {
    const int count = static_cast<int>(ActiveTracks.size());
    if (count < 2 || p < 1 || p > count) return 0;
    for (int e = p; e < count; ++e) CopyEventKeys(kSeasonFile, EventSection(e + 1), e, false);
    MoveTrack(ActiveTracks, p, InactiveTracks, 0);
    DeleteSeasonEvent(EventSection(count));
    SetEventCount(ActiveTracks.size());
    ::zam::SortByName(InactiveTracks);
    return std::min(p, static_cast<int>(ActiveTracks.size()));
}

void TrackLists::SwapEvents(int a, int b) {
    MoveTrack(ActiveTracks, a, ActiveTracks, b);
    std::vector<std::size_t> origin(ActiveTracks.size());
    std::iota(origin.begin(), origin.end(), std::size_t{0});
    std::swap(origin[static_cast<std::size_t>(a - 1)], origin[static_cast<std::size_t>(b - 1)]);
    RewriteEvents(origin, {a, b});
}

int TrackLists::MoveTrackUp(int p) {
    if (p < 2 || p > static_cast<int>(ActiveTracks.size())) return 0;
    SwapEvents(p, p - 1);
    return p - 1;
}

int TrackLists::MoveTrackDown(int p) {
    if (p < 1 || p >= static_cast<int>(ActiveTracks.size())) return 0;
    SwapEvents(p, p + 1);
    return p + 1;
}

void TrackLists::RewriteEvents(const std::vector<std::size_t>& origin,
                               const std::vector<int>& events) {
    // All are read before any is written: the events are rewritten in place.
    std::vector<EventValues> own(events.size());
    for (std::size_t k = 0; k < events.size(); ++k) {
        const auto n = static_cast<std::size_t>(events[k] - 1);
        if (ActiveTracks[n].directory.empty())
            own[k] = ReadEvent(gpl_, static_cast<int>(origin[n]) + 1);
    }
    for (std::size_t k = 0; k < events.size(); ++k) {
        const std::string& dir = ActiveTracks[static_cast<std::size_t>(events[k] - 1)].directory;
        if (dir.empty())
            WriteEvent(gpl_, events[k], own[k]);
        else
            WriteSeasonEvent(events[k], dir);
    }
}

void TrackLists::RewriteAllEvents(const std::vector<std::size_t>& origin) {
    std::vector<int> events(ActiveTracks.size());
    std::iota(events.begin(), events.end(), 1);
    RewriteEvents(origin, events);
}

bool TrackLists::SortSeasonByDate() {
    if (gpl_.NoOfTracks() < 2) return false;
    RewriteAllEvents(SortByDate());
    return true;
}

bool TrackLists::SortSeasonByName() {
    if (gpl_.NoOfTracks() < 2) return false;
    RewriteAllEvents(::zam::SortByName(ActiveTracks));
    return true;
}

void TrackLists::RemoveAllEvents() {
    for (int n = static_cast<int>(ActiveTracks.size()); n >= 1; --n) {
        DeleteSeasonEvent(EventSection(n));
        MoveTrack(ActiveTracks, n, InactiveTracks, 0);
    }
}

bool TrackLists::AppendEventFrom(std::string_view directory, std::string_view sourceFile,
                                 std::string_view sourceSection) {
    if (!IsSafeTrackDirectory(directory)) return false;
    for (std::size_t i = 0; i < InactiveTracks.size(); ++i) {
        if (InactiveTracks[i].directory != directory) continue;
        MoveTrack(InactiveTracks, static_cast<int>(i) + 1, ActiveTracks, 0);
        CopyEventKeys(sourceFile, sourceSection, static_cast<int>(ActiveTracks.size()), true);
        return true;
    }
    return false;
}

}  // namespace zam
