#pragma once
// The fixed catalogues of the simulator: its seven teams (car folders under Cars\Cars67\), the ten
// car classes, which base class each class races with, the built-in team data and the two-letter
// codes that name a team's setup files.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zam {

// Car folders in car-number order 0 to 6 (the same teams as chassis 0 to 6 of the engine tables).
inline constexpr std::array<std::string_view, 7> kCarFolders = {
    "brabham", "brm", "coventry", "eagle", "ferrari", "lotus", "murasama"};

struct CarClass {
    std::string_view code;
    std::string_view description;
};

// Class numbers 1 to 10 are the indexes 0 to 9 of this table.
inline constexpr std::array<CarClass, 10> kCarClasses = {{
    {"F3", "F3 - Basic Trainer"},
    {"F2", "F2 - Advanced Trainer"},
    {"F1", "F1 - Grand Prix"},
    {"FG", "FG - F1/F3"},
    {"FD", "FD - F1/F2"},
    {"FV", "FV - F2/F3"},
    {"FJ", "FJ - F2/85BHP"},
    {"FL3", "FL3 - F3/Custom"},
    {"FL2", "FL2 - F2/Custom"},
    {"FL1", "FL1 - F1/Custom"},
}};

// Values every team's Car.Ini gets in memory when its own file does not supply them.
struct BuiltInCarData {
    std::string_view folder;
    std::string_view teamName;
    std::string_view teamOwner;
    std::string_view teamCountry;
    std::string_view carName;
    std::string_view carEngine;
};

// In the order the defaults are applied (brm first).
inline constexpr std::array<BuiltInCarData, 7> kBuiltInCarData = {{
    {"brm", "British Racing Motors", "Sir Alfred Owen", "Great Britain", "P83", "BRM H16"},
    {"lotus", "Team Lotus", "Colin Chapman", "Great Britain", "49", "Ford DFV"},
    {"coventry", "Cooper Car Company", "John Cooper", "Great Britain", "T81", "Maserati V12"},
    {"ferrari", "Ferrari", "Enzo Ferrari", "Italy", "312", "Ferrari V12"},
    {"eagle", "Anglo American Racers", "Dan Gurney", "USA", "Eagle", "Gurney-Weslake V12"},
    {"brabham", "Brabham Racing", "Jack Brabham", "Australia", "BT24", "Repco V8"},
    {"murasama", "Honda Motor Company", "Soichiro Honda", "Japan", "RA300", "Honda V12"},
}};

// Base class of a class code ("FD" -> "F1"); the empty text for anything else. Case matters.
std::string BaseClassOf(std::string_view classCode);

// Two-letter code of a team's setup files ("lotus" -> "lo"); empty for an unknown folder.
std::string_view TeamSetupCode(std::string_view carFolder);

// Extension pattern of the setup files of a team in a class ("lotus", "FD" -> "lo1"); empty when
// the team has no code or the class no base class.
std::string SetupExtension(std::string_view carFolder, std::string_view classCode);

// Folder name of a player under Players\: last name + "__" + first name, with "-", " ", "." and
// "'" replaced by "_". Characters that cannot stand in a folder name (\ / : * ? " < > | and
// control characters) become "_" as well, so the name always names one folder directly below
// Players\.
std::string BuildPlayerDirectoryName(std::string_view firstName, std::string_view lastName);

// True when `name` can only name one folder directly inside another: not empty, without a
// separator or drive colon, and not made of dots and blanks alone ("." and ".." lead elsewhere,
// and Windows drops trailing dots and blanks). Player and track identifiers that come from files
// must pass this before they become part of a path.
bool IsSingleFolderName(std::string_view name);

// Leading whole number of a text as the INI files hold them (" 12 laps" -> 12); 0 when there is
// none. Clamped to the 32-bit range.
std::int32_t WholeNumber(std::string_view text);

}  // namespace zam
