#pragma once
// Pieces of the demo installation. Each part writes its files through one DemoWriter, which knows
// the target folder; texts are Windows-1252 bytes and INI files end their lines in CR LF, as the
// simulator's own files do.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zam/tools/DemoInstallation.h"

namespace zam::tools::demo {

class DemoWriter {
public:
    explicit DemoWriter(std::filesystem::path root) : root_(std::move(root)) {}
    // `relative` uses "/" between folder names; missing folders are created.
    void File(std::string_view relative, std::string_view bytes) const;
    void Folder(std::string_view relative) const;
    void MakeExecutable(std::string_view relative) const;

private:
    std::filesystem::path Native(std::string_view relative) const;
    std::filesystem::path root_;
};

// Builds the text of one INI file section by section.
class IniText {
public:
    IniText& Section(std::string_view name);
    IniText& Entry(std::string_view key, std::string_view value);
    IniText& Entry(std::string_view key, long long value);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// A track of the demo and its season data.
struct DemoTrack {
    std::string directory;
    std::string name;       // Windows-1252
    std::string shortName;  // Windows-1252
    int month = 4;
    int day = 17;
    int laps = 75;
    int grid = 4;
    int turns = 10;
    std::string length;  // as the track file shows it
    double recordSeconds = 90.0;
    bool inSeason = true;
    bool withFrontEndFile = false;  // has a TZAM.Ini
};

struct DemoPlayer {
    std::string firstName;
    std::string lastName;
    int team = 0;           // car number 0 to 6
    std::string carClass;   // class code
    std::string folder;     // built from the names
};

std::vector<DemoTrack> DemoTracks(int count);
std::vector<DemoPlayer> DemoPlayers(int count);
std::string PlayerFolder(std::string_view firstName, std::string_view lastName);

void WriteSettings(const DemoWriter& out, const std::vector<DemoPlayer>& players);
void WriteSeasonAndTracks(const DemoWriter& out, const std::vector<DemoTrack>& tracks,
                          const std::string& recordHolder);
void WritePlayers(const DemoWriter& out, const std::vector<DemoPlayer>& players,
                  const std::vector<DemoTrack>& tracks);
void WriteExtras(const DemoWriter& out);

// The binary setup index of one player and track: "PLSD" header and 55 slots of 257 bytes, with
// the given names in slot order (Race then Current; cars brabham .. murasama; classes F3, F2, F1
// and a zero slot after each car except the very last).
std::string SetupIndexBytes(const std::vector<std::string>& raceNames,
                            const std::vector<std::string>& currentNames);

}  // namespace zam::tools::demo
