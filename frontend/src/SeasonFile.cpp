#include "zam/frontend/SeasonFile.h"

#include <optional>

#include "zam/frontend/LogicalFolder.h"
#include "zam/frontend/TrackLists.h"
#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string SeasonsFolder(clsGPL& gpl) { return gpl.Directory() + "Seasons\\"; }

// Compared as the system compares names, so that no other spelling of the main season file
// ("67season.ini ", "..\\Seasons\\.\\67SEASON.INI") passes for another file; and, once it
// exists, by identity, so that no other name of the same file does either (a short 8.3 name
// such as 67SEAS~1.INI, a link).
bool IsMainSeasonFile(clsGPL& gpl, const FileChoice& choice) {
    return (NameKey(choice.fileName) == "67SEASON.INI" &&
            FolderKey(choice.folder) == FolderKey(SeasonsFolder(gpl))) ||
           platform::SameFile(choice.folder + choice.fileName, gpl.Directory() + kSeasonFile);
}

// GP.INI in any folder, and any other name of the championship season file there is.
bool IsChampionshipFile(clsGPL& gpl, const FileChoice& choice) {
    return NameKey(choice.fileName) == "GP.INI" ||
           platform::SameFile(choice.folder + choice.fileName, SeasonsFolder(gpl) + "GP.INI");
}

// The file dialog until the user picks a name that leads to one file, or cancels. Folder parts
// typed into the name are walked first, so that the checks after this see the file that would
// be read or written. A "?" or "*" can name no single file (and a store key with "?" holds
// nothing), so such a name is refused.
std::optional<FileChoice> ChooseSeasonFile(clsGPL& gpl, UserInterface& ui, const char* title,
                                           bool allowNew) {
    for (;;) {
        const std::optional<FileChoice> picked =
            ui.SelectFile("*.ini", SeasonsFolder(gpl), title, allowNew);
        if (!picked) return std::nullopt;
        std::optional<FileChoice> choice = ResolveFileChoice(*picked);
        if (choice && (choice->folder + choice->fileName).find_first_of("?*") == std::string::npos)
            return choice;
        ui.ShowMessage("\"" + picked->fileName + "\" does not name one file that can hold a season" +
                           (choice ? " (no \"?\" or \"*\" in its name or folder)" : "") +
                           ".  Please reselect.",
                       "Invalid Season File");
    }
}

}  // namespace

bool IsSeasonFile(std::string_view path) {
    std::string bytes;
    if (!platform::Fs().ReadAll(path, bytes).ok()) return false;
    const std::size_t end = bytes.find_first_of("\r\n");
    std::string first;
    for (char c : std::string_view(bytes).substr(0, end))
        if (c != ' ') first += c;
    return platform::UpperCase(first) == "[SEASON]";
}

std::string CompleteSeasonFileName(std::string_view name) {
    std::string full(name);
    if (full.find('.') == std::string::npos) return full + ".ini";
    if (!full.empty() && full.back() == '.') return full + "ini";
    return full;
}

std::string SeasonFileText(clsGPL& gpl) {
    std::string text = "[Season]";
    text += kCrLf;
    text += "name=" + gpl.IniValue(kSeasonFile, "Season", "name") + kCrLf;
    text += "year=" + gpl.IniValue(kSeasonFile, "Season", "Year") + kCrLf;
    const std::int32_t events = gpl.NoOfTracks();
    text += "numEvents=" + std::to_string(events) + kCrLf;
    for (int i = 1; i <= events; ++i) {
        const std::string section = EventSection(i);
        text += kCrLf;
        text += "[" + section + "]" + kCrLf;
        for (const char* key : kEventKeys)
            text += std::string(key) + "=" + gpl.IniValue(kSeasonFile, section, key) + kCrLf;
    }
    return text;
}

bool SaveSeason(clsGPL& gpl, UserInterface& ui) {
    for (;;) {
        std::optional<FileChoice> choice = ChooseSeasonFile(gpl, ui, "Save Season File", true);
        if (!choice) return false;
        choice->fileName = CompleteSeasonFileName(choice->fileName);
        if (IsChampionshipFile(gpl, *choice)) {
            if (!ui.Ask("Saving as GP.INI will use this set of tracks as your Championship "
                        "season.\rDo you want to do this?",
                        "Save Championship Season?"))
                continue;
        } else if (IsMainSeasonFile(gpl, *choice)) {
            ui.ShowMessage("Sorry, this would overwrite 67Season.ini which is GPL's main season file",
                           "");
            continue;
        }
        const std::string path = choice->folder + choice->fileName;
        const platform::Status status = platform::ReplaceFile(path, SeasonFileText(gpl), ".zamtmp");
        if (!status.ok()) {
            ui.ShowMessage("The season could not be saved as " + path + ":\r" +
                           status.description);
            return false;
        }
        return true;
    }
}

void LoadSeasonFrom(clsGPL& gpl, TrackLists& lists, std::string_view path) {
    const std::string file(path);
    gpl.ReadIniFile(file);
    // A file that states events replaces the current ones, even when it holds none of them; the
    // loop visits only the events it holds, however many it states.
    if (WholeNumber(gpl.FullPathIniValue(file, "Season", "numEvents")) > 0) {
        lists.RemoveAllEvents();
        const std::int32_t events = UsableSeasonEvents(gpl, file);
        for (int e = 1; e <= events; ++e) {
            const std::string section = EventSection(e);
            const std::string dir = gpl.FullPathIniValue(file, section, "trackDirectory");
            if (!dir.empty() && !IsSafeTrackDirectory(dir)) {
                gpl.Ui().ShowMessage("Event " + std::to_string(e) + " of " + file +
                                     " names the track folder \"" + dir +
                                     "\", which is not a folder inside Tracks.\rIt is left out.");
                continue;
            }
            lists.AppendEventFrom(dir, file, section);
        }
    }
    gpl.SetIniValue(kSeasonFile, "Season", "name", gpl.FullPathIniValue(file, "Season", "name"));
    gpl.SetIniValue(kSeasonFile, "Season", "year", gpl.FullPathIniValue(file, "Season", "year"));
    gpl.SetIniValue(kSeasonFile, "Season", "numEvents", std::to_string(lists.ActiveTracks.size()));
}

bool LoadSeason(clsGPL& gpl, UserInterface& ui, TrackLists& lists) {
    std::optional<FileChoice> choice;
    for (;;) {
        choice = ChooseSeasonFile(gpl, ui, "Load Season File", false);
        if (!choice || IsSeasonFile(choice->folder + choice->fileName)) break;
        ui.ShowMessage(platform::UpperCase(choice->fileName) +
                           " is not a valid GPL Season file.  Please reselect.",
                       "Invalid Season File");
    }
    if (!choice) return false;
    // The current season is already what it would load.
    if (IsMainSeasonFile(gpl, *choice)) return false;
    LoadSeasonFrom(gpl, lists, choice->folder + choice->fileName);
    return true;
}

}  // namespace zam
