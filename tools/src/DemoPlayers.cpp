// The demo's players: Player.ini with every entry the front end's controls read, PZAM.Ini, and
// setup files with their binary index for a few tracks.
#include <array>
#include <cstdio>
#include <string>

#include "DemoParts.h"

namespace zam::tools::demo {

namespace {

// First name, last name, team (car number), class. The names exercise the folder-name rule.
struct NamedPlayer {
    const char* first;
    const char* last;
    int team;
    const char* carClass;
};
constexpr std::array<NamedPlayer, kDemoPlayers> kNamedPlayers{{
    {"Sam", "Driver", 5, "F1"},
    {"Jean-Luc", "D'Arcy", 4, "FL1"},
    {"Mary Ann", "van der Berg", 0, "F2"},
}};

// Setup files placed in each player's setup folders: several teams and base classes, one name
// with a blank (for the space-removing rename) and two Lotus F1 setups (for a choice).
constexpr std::array<const char*, 9> kSetupFiles{
    "Demo Fast.lo1", "Qualify.lo1", "Race.fe1", "Wet.br2", "Base.bb3",
    "Long.mu1",      "Test.co2",    "Default.ea3", "Sprint.bb1",
};
// Setups exist for this many tracks of the season per player.
constexpr std::size_t kTracksWithSetups = 3;

// Car folders in car-number order and their setup extension codes.
constexpr std::array<const char*, 7> kSetupCodes{"bb", "br", "co", "ea", "fe", "lo", "mu"};
constexpr std::array<char, 3> kClassDigits{'3', '2', '1'};  // slot order F3, F2, F1
constexpr std::size_t kSlotSize = 257;
constexpr std::size_t kHeaderZeros = 259;

bool HasExtension(std::string_view name, const std::string& extension) {
    return name.size() > extension.size() &&
           name.substr(name.size() - extension.size()) == extension;
}

// Race gets the last matching file, Current the first, so the two sections differ where a car
// has two setups.
std::string SetupFor(std::size_t car, std::size_t cls, bool last) {
    const std::string ext = std::string(".") + kSetupCodes[car] + kClassDigits[cls];
    std::string found;
    for (const char* name : kSetupFiles) {
        if (!HasExtension(name, ext)) continue;
        found = name;
        if (!last) break;
    }
    return found;
}

std::vector<std::string> SectionNames(bool race) {
    std::vector<std::string> names;
    for (std::size_t car = 0; car < kSetupCodes.size(); ++car)
        for (std::size_t cls = 0; cls < kClassDigits.size(); ++cls)
            names.push_back(SetupFor(car, cls, race));
    return names;
}

std::string PlayerIni(const DemoPlayer& p, const std::string& lastTrack, int index) {
    IniText ini;
    ini.Section("Personal Information")
        .Entry("firstName", p.firstName)
        .Entry("lastName", p.lastName)
        .Entry("nickName", p.firstName)
        .Entry("team", p.team)
        .Entry("lastTrackSelection", lastTrack)
        .Entry("helmetColor", index % 16)
        .Entry("drivingView", "1")
        .Entry("driverRating", "3");
    ini.Section("Main Menu").Entry("lastRaceType", "0");
    ini.Section("Single Race").Entry("lastRaceType", "2").Entry("lastNumAI", "19");
    ini.Section("Multiplayer Host")
        .Entry("lastRaceType", "4")
        .Entry("lastNumAI", "5")
        .Entry("lastPracticeLength", "900");
    ini.Section("Practice Circuit").Entry("lastDamageModel", "3").Entry("lastCarClass", "3");
    ini.Section("Race").Entry("overrideRaceLength", "100");
    ini.Section("Gameplay Options")
        .Entry("shiftingHelp", "0")
        .Entry("tractionHelp", "0")
        .Entry("brakingHelp", "0")
        .Entry("systemOfMeasurement", "1")
        .Entry("dateFormat", "1")
        .Entry("inCarChat", "1")
        .Entry("autoviewPitboards", "1");
    ini.Section("Sound Options")
        .Entry("soundEffectsVolume", "80")
        .Entry("soundStereo", "1")
        .Entry("maxSoundsHeard", "8");
    ini.Section("Graphic Options")
        .Entry("tracksideOption", "2")
        .Entry("detailBias", "60")
        .Entry("mirrorDetailLevel", "1");
    ini.Section("Graphics").Entry("shadows", "1");
    ini.Section("Driving Resolution").Entry("width", "1024").Entry("height", "768");
    ini.Section("Effects");
    for (const char* key : {"dirt", "dust", "dynamicLighting", "fire", "smoke", "sparks",
                            "specular", "debris"})
        ini.Entry(key, "1");
    ini.Section("Textures");
    for (const char* key : {"beveledTires", "cars", "clouds", "cockpit", "crowds", "driverArms",
                            "driverTexture", "horizon", "racingGroove", "terrain", "tireTexture",
                            "trackside", "trackSurface", "trees", "walls"})
        ini.Entry(std::string(key) + "Ahd", "1");
    for (const char* key : {"cars", "clouds", "crowds", "driver", "horizon", "racingGroove",
                            "terrain", "tireTexture", "trackside", "trackSurface", "trees",
                            "walls"})
        ini.Entry(std::string(key) + "Mirror", "0");
    return ini.Text();
}

std::string PzamIni(const DemoPlayer& p) {
    IniText ini;
    ini.Section("ZAM").Entry("carClass", p.carClass);
    ini.Section("Engine").Entry("sampleRPM", "5200");
    return ini.Text();
}

std::string SetupFileBytes(std::string_view name) {
    return "ZAMDeck demo setup " + std::string(name) + " - not a real car setup\r\n";
}

}  // namespace

std::string PlayerFolder(std::string_view firstName, std::string_view lastName) {
    auto clean = [](std::string_view text) {
        std::string s(text);
        for (char& c : s)
            if (c == '-' || c == ' ' || c == '.' || c == '\'') c = '_';
        return s;
    };
    return clean(lastName) + "__" + clean(firstName);
}

std::vector<DemoPlayer> DemoPlayers(int count) {
    std::vector<DemoPlayer> players;
    for (int i = 0; i < count; ++i) {
        DemoPlayer p;
        if (i < kDemoPlayers) {
            const auto& n = kNamedPlayers[static_cast<std::size_t>(i)];
            p = {n.first, n.last, n.team, n.carClass, ""};
        } else {
            char last[24];
            std::snprintf(last, sizeof last, "Driver%04d", i + 1);
            p = {"Test", last, i % 7, i % 2 ? "F3" : "F1", ""};
        }
        p.folder = PlayerFolder(p.firstName, p.lastName);
        players.push_back(std::move(p));
    }
    return players;
}

std::string SetupIndexBytes(const std::vector<std::string>& raceNames,
                            const std::vector<std::string>& currentNames) {
    std::string bytes = "PLSD";
    bytes += std::string("\x01\x00\x00\x00", 4);
    bytes += "88";
    bytes += std::string(kHeaderZeros, '\0');
    auto slot = [&bytes](const std::string& name) {
        std::string s = name.substr(0, kSlotSize);
        s.resize(kSlotSize, '\0');
        bytes += s;
    };
    const std::size_t perCar = kClassDigits.size();
    for (const auto* names : {&raceNames, &currentNames}) {
        const bool lastSection = names == &currentNames;
        for (std::size_t car = 0; car < kSetupCodes.size(); ++car) {
            for (std::size_t cls = 0; cls < perCar; ++cls) {
                const std::size_t i = car * perCar + cls;
                slot(i < names->size() ? (*names)[i] : std::string());
            }
            if (!(lastSection && car + 1 == kSetupCodes.size())) slot({});
        }
    }
    return bytes;
}

void WritePlayers(const DemoWriter& out, const std::vector<DemoPlayer>& players,
                  const std::vector<DemoTrack>& tracks) {
    out.Folder("Players");
    const std::string index = SetupIndexBytes(SectionNames(true), SectionNames(false));
    int n = 0;
    for (const auto& p : players) {
        const std::string folder = "Players/" + p.folder + "/";
        const std::string lastTrack = tracks.empty() ? "" : tracks.front().directory;
        out.File(folder + "Player.ini", PlayerIni(p, lastTrack, n++));
        out.File(folder + "PZAM.Ini", PzamIni(p));
        for (std::size_t t = 0; t < tracks.size() && t < kTracksWithSetups; ++t) {
            const std::string setups = folder + "Setups/" + tracks[t].directory + "/";
            for (const char* name : kSetupFiles) out.File(setups + name, SetupFileBytes(name));
            out.File(setups + "Setups.def", index);
        }
    }
}

}  // namespace zam::tools::demo
