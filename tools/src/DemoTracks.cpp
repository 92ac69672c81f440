// The demo's season file and track folders: the eleven events of the 1967 calendar, two installed
// tracks outside the season, and numbered demo circuits for large installations.
#include <array>
#include <cstdio>
#include <string>

#include "DemoParts.h"
#include "zam/platform/Text.h"

namespace zam::tools::demo {

namespace {

// Directory, name, short name, month, day, laps, grid, turns, length, lap record (seconds).
// Names are Windows-1252 ("\xFC" is u-umlaut, "\xD6" O-umlaut). Monza comes before Mosport in the
// calendar although it is raced later, so sorting by date has something to do.
const std::array<DemoTrack, kDemoSeasonTracks + kDemoExtraTracks> kNamedTracks{{
    {"kyalami", "South African Grand Prix", "Kyalami", 1, 2, 80, 4, 9, "4.094 km", 88.2310},
    {"monaco", "Monaco Grand Prix", "Monaco", 5, 7, 100, 3, 14, "3.145 km", 87.5120},
    {"zandvoort", "Dutch Grand Prix", "Zandvoort", 6, 4, 90, 4, 10, "4.193 km", 84.6450},
    {"spa", "Belgian Grand Prix", "Spa", 6, 18, 28, 3, 13, "14.100 km", 208.4300},
    {"rouen", "French Grand Prix", "Rouen", 7, 2, 60, 4, 11, "6.542 km", 121.0870},
    {"silverstone", "British Grand Prix", "Silverstone", 7, 15, 80, 4, 8, "4.711 km", 85.1900},
    {"nurburgring", "German Grand Prix", "N\xFCrburgring", 8, 6, 15, 4, 172, "22.835 km",
     488.9720},
    {"monza", "Italian Grand Prix", "Monza", 9, 10, 68, 3, 7, "5.750 km", 88.4570},
    {"mosport", "Canadian Grand Prix", "Mosport", 8, 27, 90, 3, 10, "3.957 km", 82.6080},
    {"watglen", "United States Grand Prix", "Watkins Glen", 10, 1, 108, 2, 9, "3.701 km",
     65.9420},
    {"mexico", "Mexican Grand Prix", "Mexico", 10, 22, 65, 2, 14, "5.000 km", 107.6130},
    {"brands", "Race of Champions", "Brands Hatch", 3, 12, 40, 4, 8, "4.265 km", 91.4000},
    {"oring", "\xD6sterreichring Trophy", "\xD6sterreichring", 8, 20, 54, 3, 10, "5.911 km",
     100.2500},
}};

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// With "." whatever the locale: the lap record is read back as a number.
std::string RecordTime(double seconds) { return platform::FixedNumber(seconds, 4); }

DemoTrack NumberedTrack(int number, bool inSeason) {
    DemoTrack t;
    char dir[24];
    std::snprintf(dir, sizeof dir, "demo%03d", number);
    t.directory = dir;
    t.name = "Demo Circuit " + std::to_string(number) + " Grand Prix";
    t.shortName = "Demo " + std::to_string(number);
    t.month = 1 + number % 12;
    t.day = 1 + number % 28;
    t.laps = 40 + number % 60;
    t.grid = 1 + number % 4;
    t.turns = 6 + number % 12;
    t.length = std::to_string(3 + number % 5) + ".000 km";
    t.recordSeconds = 70.0 + number % 40;
    t.inSeason = inSeason;
    return t;
}

IniText& EventKeys(IniText& ini, const DemoTrack& t) {
    return ini.Entry("name", t.name)
        .Entry("shortName", t.shortName)
        .Entry("trackDirectory", t.directory)
        .Entry("month", TwoDigits(t.month))
        .Entry("day", TwoDigits(t.day))
        .Entry("numberOfLaps", t.laps)
        .Entry("startingGrid", t.grid);
}

std::string SeasonIni(const std::vector<DemoTrack>& tracks) {
    int events = 0;
    for (const auto& t : tracks) events += t.inSeason ? 1 : 0;
    IniText ini;
    ini.Section("Season")
        .Entry("name", "1967 ZAMDeck Demo Season")
        .Entry("year", "1967")
        .Entry("numEvents", events);
    int n = 0;
    for (const auto& t : tracks) {
        if (!t.inSeason) continue;
        ini.Section("Event" + std::to_string(++n));
        EventKeys(ini, t);
    }
    return ini.Text();
}

std::string TrackIni(const DemoTrack& t) {
    IniText ini;
    ini.Section("track")
        .Entry("track_name", t.shortName)
        .Entry("track_num_turns", t.turns)
        .Entry("track_length", t.length)
        .Entry("track_description", "ZAMDeck demo track - no scenery");
    ini.Section("GP").Entry("dlong_speed_adj_coeff", "1.000000");
    return ini.Text();
}

std::string RecordIni(const DemoTrack& t, const std::string& holder) {
    IniText ini;
    ini.Section("Lap Record").Entry("time", RecordTime(t.recordSeconds)).Entry("player", holder);
    return ini.Text();
}

std::string FrontEndTrackIni(const DemoTrack& t) {
    IniText ini;
    ini.Section("Season Information");
    EventKeys(ini, t).Entry("displayName", t.shortName);
    return ini.Text();
}

}  // namespace

std::vector<DemoTrack> DemoTracks(int count) {
    std::vector<DemoTrack> tracks;
    int events = 0;
    for (int i = 0; i < count; ++i) {
        DemoTrack t = i < static_cast<int>(kNamedTracks.size())
                          ? kNamedTracks[static_cast<std::size_t>(i)]
                          : NumberedTrack(i + 1, events < kDemoMaxSeasonEvents);
        if (i >= kDemoSeasonTracks && i < kDemoTracks) t.inSeason = false;
        // Every third track carries its own season data; the rest rely on the front end's.
        t.withFrontEndFile = i % 3 == 1 || t.directory == "oring";
        events += t.inSeason ? 1 : 0;
        tracks.push_back(std::move(t));
    }
    return tracks;
}

void WriteSeasonAndTracks(const DemoWriter& out, const std::vector<DemoTrack>& tracks,
                          const std::string& recordHolder) {
    out.File("Seasons/67Season.Ini", SeasonIni(tracks));
    out.Folder("Tracks");
    for (const auto& t : tracks) {
        const std::string folder = "Tracks/" + t.directory + "/";
        out.File(folder + "Track.ini", TrackIni(t));
        out.File(folder + "record.ini", RecordIni(t, recordHolder));
        if (t.withFrontEndFile) out.File(folder + "TZAM.Ini", FrontEndTrackIni(t));
    }
}

}  // namespace zam::tools::demo
