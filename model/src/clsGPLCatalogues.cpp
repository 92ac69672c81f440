#include <algorithm>
#include <stdexcept>

#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

constexpr const char* kSeasonFile = "Seasons\\67Season.Ini";

// N of a section named "Event" + N (any case, N a plain decimal number from 1, as the events are
// written); 0 for any other name.
std::int32_t EventNumber(std::string_view section) {
    constexpr std::string_view kPrefix = "EVENT";
    constexpr std::size_t kMaxDigits = 9;  // stays inside 32 bits
    if (section.size() <= kPrefix.size() || !platform::EqualNoCase(section.substr(0, 5), kPrefix))
        return 0;
    const std::string_view digits = section.substr(kPrefix.size());
    if (digits.size() > kMaxDigits || digits.front() == '0') return 0;
    std::int32_t n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

// ---- Players ------------------------------------------------------------------------------

void clsGPL::ReadPlayers() {
    players_.clear();
    std::vector<std::string> names;
    if (!platform::Fs().List(Directory() + "Players\\*.", platform::kListAll, names)) return;
    for (const auto& name : names) {
        const std::string_view trimmed = platform::TrimSpaces(name);
        if (!trimmed.empty() && trimmed.front() == '.') continue;
        players_.push_back(name);
        const std::string folder = "Players\\" + name + "\\";
        SetIniValue(folder + "PZAM.Ini", "ZAM", "carClass", "F1");
        ReadIniFile(Directory() + folder + "PZAM.ini");
        ReadIniFile(Directory() + folder + "Player.ini");
    }
}

std::int32_t clsGPL::NoOfPlayers() const { return static_cast<std::int32_t>(players_.size()); }

std::string clsGPL::PlayerID(std::int32_t number) const {
    if (number < 1 || number > NoOfPlayers()) throw std::out_of_range("player number");
    return players_[static_cast<std::size_t>(number - 1)];
}

std::int32_t clsGPL::PlayerNo(std::string_view id) const {
    for (std::size_t i = 0; i < players_.size(); ++i)
        if (players_[i] == id) return static_cast<std::int32_t>(i + 1);
    return 0;
}

std::string clsGPL::PlayerData(std::string_view id, std::string_view section,
                               std::string_view entry) {
    if (!IsSingleFolderName(id)) return {};
    return IniValue("Players\\" + std::string(id) + "\\Player.ini", section, entry);
}

void clsGPL::SetPlayerValue(std::string_view id, std::string_view section, std::string_view entry,
                            std::string_view value) {
    if (!IsSingleFolderName(id)) return;
    SetIniValue("Players\\" + std::string(id) + "\\Player.ini", section, entry, value);
}

std::string clsGPL::BuildPlayerDirectoryName(std::string_view firstName,
                                             std::string_view lastName) {
    return zam::BuildPlayerDirectoryName(firstName, lastName);
}

// ---- Tracks -------------------------------------------------------------------------------

std::int32_t clsGPL::NoOfTracks() { return SeasonEventCount(*this, Directory() + kSeasonFile); }

std::int32_t SeasonEventCount(IniStore& store, std::string_view file) {
    const std::int32_t stated = WholeNumber(store.FullPathIniValue(file, "Season", "NumEvents"));
    if (stated <= 0) return 0;
    const std::int32_t fileNo = store.FileNumber(file);
    const std::int32_t sections = fileNo == 0 ? 0 : store.SectionCount(fileNo);
    std::int32_t highest = 0;
    for (std::int32_t s = 1; s <= sections; ++s) {
        const std::int32_t n = EventNumber(store.SectionName(fileNo, s));
        if (n <= sections && n > highest) highest = n;
    }
    return std::min(stated, highest);
}

std::string clsGPL::TrackID(std::int32_t number) {
    return IniValue(kSeasonFile, "Event" + std::to_string(number), "Name");
}

std::string clsGPL::TrackData(std::string_view id, std::string_view section,
                              std::string_view entry) {
    if (!IsSingleFolderName(id)) return {};
    return IniValue("Tracks\\" + std::string(id) + "\\Track.ini", section, entry);
}

void clsGPL::SetTrackValue(std::string_view id, std::string_view section, std::string_view entry,
                           std::string_view value) {
    if (!IsSingleFolderName(id)) return;
    SetIniValue("Tracks\\" + std::string(id) + "\\Track.ini", section, entry, value);
}

// ---- Cars ---------------------------------------------------------------------------------

void clsGPL::ReadCars() {
    Ui().SetStatus("Reading Car Data");
    // Built-in values, not the user's: they are never written back.
    InitialisingScope loading(true);
    for (const auto& car : kBuiltInCarData) {
        const std::string file = Directory() + "Cars\\Cars67\\" + std::string(car.folder) +
                                 "\\Car.Ini";
        SetDefaultValue(file, "Team", "Name", car.teamName);
        SetDefaultValue(file, "Team", "Owner", car.teamOwner);
        SetDefaultValue(file, "Team", "Country", car.teamCountry);
        SetDefaultValue(file, "Car", "Name", car.carName);
        SetDefaultValue(file, "Car", "Engine", car.carEngine);
    }
}

std::int32_t clsGPL::NoOfCars() const { return static_cast<std::int32_t>(kCarFolders.size()) - 1; }

std::string clsGPL::CarID(std::int32_t number) const {
    if (number < 0 || number > NoOfCars()) throw std::out_of_range("car number");
    return std::string(kCarFolders[static_cast<std::size_t>(number)]);
}

std::int32_t clsGPL::CarNo(std::string_view id) const {
    for (std::size_t i = 0; i < kCarFolders.size(); ++i)
        if (kCarFolders[i] == id) return static_cast<std::int32_t>(i);
    return 0;
}

std::string clsGPL::CarData(std::string_view id, std::string_view section,
                            std::string_view entry) {
    return IniValue("Cars\\Cars67\\" + std::string(id) + "\\Car.ini", section, entry);
}

void clsGPL::SetCarValue(std::string_view id, std::string_view section, std::string_view entry,
                         std::string_view value) {
    SetIniValue("Cars\\Cars67\\" + std::string(id) + "\\Car.ini", section, entry, value);
}

// ---- Classes ------------------------------------------------------------------------------

void clsGPL::InitialiseClasses() {
    // The class table is fixed data (kCarClasses); only the status line tells of this step.
    Ui().SetStatus("Initialising Class Data");
}

std::int32_t clsGPL::NoOfClasses() const { return static_cast<std::int32_t>(kCarClasses.size()); }

std::string clsGPL::ClassID(std::int32_t number) const {
    if (number < 1 || number > NoOfClasses()) throw std::out_of_range("class number");
    return std::string(kCarClasses[static_cast<std::size_t>(number - 1)].code);
}

std::string clsGPL::ClassDescription(std::int32_t number) const {
    if (number < 1 || number > NoOfClasses()) throw std::out_of_range("class number");
    return std::string(kCarClasses[static_cast<std::size_t>(number - 1)].description);
}

std::int32_t clsGPL::ClassNo(std::string_view code) const {
    for (std::size_t i = 0; i < kCarClasses.size(); ++i)
        if (kCarClasses[i].code == code) return static_cast<std::int32_t>(i + 1);
    return 0;
}

std::string clsGPL::BaseClass(std::string_view code) { return BaseClassOf(code); }

}  // namespace zam
