#pragma once
// The installation model: the one object through which the front end reaches the simulator's
// installation. Creating it finds the simulator folder and executable (asking the user when
// needed), loads the simulator's INI files into the store with built-in defaults and builds the
// catalogues of players, tracks, cars and classes. Destroying it records the hash index size and
// writes every changed file back, the setup indexes in their binary format, unless
// UnloadWithoutSaving was called.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "zam/store/IniStore.h"
#include "zam/store/UserInterface.h"

namespace zam {

class clsGPL : public IniStore {
public:
    // Runs the whole start-up of the model. Afterwards Exiting() tells whether the front end can
    // go on; when it is true nothing beyond ZAM.Ini was loaded and nothing will be written.
    explicit clsGPL(UserInterface& ui);
    ~clsGPL() override;

    // ---- Installation -------------------------------------------------------------------
    // Directory() (the simulator folder, ending in a separator) and UnloadWithoutSaving() come
    // from IniStore.
    // Directory followed by [Paths] ExeName of ZAM.Ini, computed on every call.
    std::string EXEPath();
    bool Exiting() const { return exiting_; }
    void SetExiting(bool exiting) { exiting_ = exiting; }
    // Full path of the simulator executable in `folder`, asking the user to pick one when
    // `exeName` is not there (straight away, without a message, when `exeName` is empty). A
    // picked file is checked for the "hit_hard" marker; both arguments then take the user's
    // choice, which is also stored in ZAM.Ini [Paths]. Empty when none was found or picked.
    std::string FindGPLExe(std::string& folder, std::string& exeName);

    // ---- Players (1 to NoOfPlayers) -----------------------------------------------------
    std::int32_t NoOfPlayers() const;
    // Throws std::out_of_range for a number outside 1 to NoOfPlayers().
    std::string PlayerID(std::int32_t number) const;
    // 0 when not listed; the comparison is exact (case-sensitive).
    std::int32_t PlayerNo(std::string_view id) const;
    std::string PlayerData(std::string_view id, std::string_view section, std::string_view entry);
    void SetPlayerValue(std::string_view id, std::string_view section, std::string_view entry,
                        std::string_view value);

    // ---- Tracks (1 to NoOfTracks, the events of Seasons\67Season.Ini) -----------------
    // SeasonEventCount of the main season file.
    std::int32_t NoOfTracks();
    std::string TrackID(std::int32_t number);
    std::string TrackData(std::string_view id, std::string_view section, std::string_view entry);
    void SetTrackValue(std::string_view id, std::string_view section, std::string_view entry,
                       std::string_view value);

    // ---- Cars (0 to NoOfCars) -----------------------------------------------------------
    std::int32_t NoOfCars() const;
    // Throws std::out_of_range for a number outside 0 to NoOfCars().
    std::string CarID(std::int32_t number) const;
    // 0 also when not listed.
    std::int32_t CarNo(std::string_view id) const;
    std::string CarData(std::string_view id, std::string_view section, std::string_view entry);
    void SetCarValue(std::string_view id, std::string_view section, std::string_view entry,
                     std::string_view value);

    // ---- Classes (1 to NoOfClasses) -----------------------------------------------------
    std::int32_t NoOfClasses() const;
    // Both throw std::out_of_range for a number outside 1 to NoOfClasses().
    std::string ClassID(std::int32_t number) const;
    std::string ClassDescription(std::int32_t number) const;
    // 0 when not a class code (case-sensitive).
    std::int32_t ClassNo(std::string_view code) const;
    // "F1", "F2", "F3" or empty (case-sensitive: "fl1" gives empty).
    static std::string BaseClass(std::string_view code);
    static std::string BuildPlayerDirectoryName(std::string_view firstName,
                                                std::string_view lastName);

    // ---- Setup indexes ------------------------------------------------------------------
    // Store key of the index of a player at a track:
    // Directory + "Players\" + player + "\Setups\" + track + "\Setups.def".
    std::string SetupsDefPath(std::string_view track, std::string_view player) const;
    // Loads a Setups.def into the store (sections Race and Current, and SetupData with Player
    // and Track, which marks the file as a setup index and never reaches the disk).
    void ReadSetupsDef(std::string_view track, std::string_view player);
    // Writes the index held in the store to its binary file (into the player's renamed folder
    // when the player's folder was renamed during this write-back). False when it was not
    // written; the user was told.
    bool WriteSetupsDef(std::string_view track, std::string_view player);

private:
    void SetCoreDefaults();
    void ReadPlayers();
    void InitialiseClasses();
    void ReadCars();
    bool IsValidGPLExe(const std::string& folder, const std::string& fileName);
    void LoadInstallation();
    void InstallWriteBackHooks();
    bool WriteSetupIndexFile(std::int32_t fileNo);
    void RenamePlayerFolder(std::int32_t fileNo);
    std::string CurrentPlayerFolder(std::string_view player) const;

    bool exiting_ = false;
    std::string foundExe_;
    std::vector<std::string> players_;
    // Player folders renamed by this write-back: old name (upper case) -> new name.
    std::map<std::string, std::string> renamedPlayers_;
    // Setup indexes that could not be read: never written over.
    std::set<std::string> unreadableIndexes_;
};

// Events of a season file in the store (its full path): [Season] numEvents, but never more than
// the highest [EventN] section the file holds, N counted only up to the number of its sections.
// So every loop over events ends within what the file holds, however large a count it states.
std::int32_t SeasonEventCount(IniStore& store, std::string_view file);

// The one clsGPL of the running front end, reached by every window and control. Null until the
// main window has created it.
clsGPL* TheGPL();
void SetTheGPL(clsGPL* gpl);

}  // namespace zam
