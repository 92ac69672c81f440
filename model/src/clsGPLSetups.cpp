// The setup indexes and the parts of the write-back that belong to the installation: a setup
// index is written in its own binary format, and a player's folder follows the player's name.
#include "zam/model/Catalogues.h"
#include "zam/model/SetupsDef.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

constexpr const char* kSetupData = "SetupData";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           platform::EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::string WithoutTrailingSeparator(std::string_view folder) {
    if (!folder.empty() && platform::IsSeparator(folder.back())) folder.remove_suffix(1);
    return std::string(folder);
}

}  // namespace

void clsGPL::InstallWriteBackHooks() {
    alternateWriter = [this](std::int32_t fileNo) { return WriteSetupIndexFile(fileNo); };
    afterFileWritten = [this](std::int32_t fileNo) { RenamePlayerFolder(fileNo); };
}

// ---- Setup indexes ------------------------------------------------------------------------

std::string clsGPL::SetupsDefPath(std::string_view track, std::string_view player) const {
    return Directory() + "Players\\" + std::string(player) + "\\Setups\\" + std::string(track) +
           "\\Setups.def";
}

void clsGPL::ReadSetupsDef(std::string_view track, std::string_view player) {
    // A track or player that is no plain folder name would put the index outside its folder.
    if (!IsSingleFolderName(track) || !IsSingleFolderName(player)) return;
    const std::string path = SetupsDefPath(track, player);
    SetFullPathIniValue(path, kSetupData, "Player", player);
    SetFullPathIniValue(path, kSetupData, "Track", track);

    SetupNames names;
    const platform::Status status = ReadSetupsDefFile(path, names);
    if (!status && status.code != platform::kFileNotFound) {
        // Its slots are unknown: writing the index back would wipe the choices it holds.
        unreadableIndexes_.insert(platform::UpperCase(path));
        Ui().ShowMessage(status.description + " while reading " + path + "\r" +
                         "Setup choices for this track will not be saved");
    }
    const auto& slots = SetupSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        SetFullPathIniValue(path, slots[i].section, slots[i].entry, names[i]);
}

bool clsGPL::WriteSetupsDef(std::string_view track, std::string_view player) {
    if (!IsSingleFolderName(track) || !IsSingleFolderName(player)) return false;
    const std::string path = SetupsDefPath(track, player);
    if (unreadableIndexes_.count(platform::UpperCase(path))) return false;

    SetupNames names;
    const auto& slots = SetupSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        names[i] = FullPathIniValue(path, slots[i].section, slots[i].entry);

    const std::string target = SetupsDefPath(track, CurrentPlayerFolder(player));
    const platform::Status status = WriteSetupsDefFile(target, names);
    if (!status) {
        Ui().ShowMessage(status.description + " while saving " + target + "\r" +
                         "File will not be updated");
        return false;
    }
    return true;
}

bool clsGPL::WriteSetupIndexFile(std::int32_t fileNo) {
    const std::string file = FileName(fileNo);
    const std::string player = FullPathIniValue(file, kSetupData, "Player");
    if (player.empty()) return false;
    WriteSetupsDef(FullPathIniValue(file, kSetupData, "Track"), player);
    return true;
}

// ---- Player folders -----------------------------------------------------------------------

std::string clsGPL::CurrentPlayerFolder(std::string_view player) const {
    const auto renamed = renamedPlayers_.find(platform::UpperCase(player));
    return renamed == renamedPlayers_.end() ? std::string(player) : renamed->second;
}

// A player's folder is named after the player. When the name in Player.ini changed, the folder
// is renamed after the file was written, and the player's files still to be written follow it.
void clsGPL::RenamePlayerFolder(std::int32_t fileNo) {
    const std::string file = FileName(fileNo);
    if (!platform::EqualNoCase(platform::NameOf(file), "Player.ini")) return;
    const std::string oldFolderSlash = platform::FolderOf(file);
    const std::string oldFolder = WithoutTrailingSeparator(oldFolderSlash);
    const std::string playersFolder = Directory() + "Players\\";
    // Only the folders directly below Players\ are player folders.
    if (!platform::EqualNoCase(platform::FolderOf(oldFolder), playersFolder)) return;

    const std::string oldName = platform::NameOf(oldFolder);
    const std::string newName =
        zam::BuildPlayerDirectoryName(FullPathIniValue(file, "Personal Information", "firstName"),
                                      FullPathIniValue(file, "Personal Information", "lastName"));
    if (platform::EqualNoCase(oldName, newName)) return;
    // A player without a name (no Player.ini before, or empty names) would be moved to "__":
    // only a name with something of its own names the folder.
    if (newName.find_first_not_of('_') == std::string::npos) return;

    const std::string newFolder = playersFolder + newName;
    auto& fs = platform::Fs();
    if (fs.FolderExists(newFolder) || fs.FileExists(newFolder)) {
        Ui().ShowMessage("Can't rename player folder " + oldName + " to " + newName + "." + "\r" +
                         "Folder " + newName + " already exists.");
        return;
    }
    const platform::Status renamed = fs.Rename(oldFolder, newFolder);
    if (!renamed) {
        Ui().ShowMessage(renamed.description + " while renaming player folder " + oldName +
                         " to " + newName);
        return;
    }
    SetIniValue("App.Ini", "Player", "lastPlayer", newName);
    renamedPlayers_[platform::UpperCase(oldName)] = newName;

    const std::string newFolderSlash = newFolder + "\\";
    for (std::int32_t later = fileNo + 1; later <= FileCount(); ++later) {
        const std::string name = FileName(later);
        if (StartsWithNoCase(name, oldFolderSlash))
            SetWritePath(later, newFolderSlash + name.substr(oldFolderSlash.size()));
    }
}

}  // namespace zam
