#include "zam/frontend/SetupLists.h"

#include <vector>

#include "zam/controls/ucDropDown.h"
#include "zam/frontend/TrackLists.h"
#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

bool IsSafeFolderName(std::string_view name) { return IsSafeTrackDirectory(name); }

}  // namespace

std::string SetupSelection::Folder() const {
    return "Players\\" + player + "\\Setups\\" + track + "\\";
}

std::string SetupSelection::IndexFile() const { return Folder() + "setups.def"; }

std::string SetupSelection::CarFolder() const {
    if (carValue.empty() || carValue.find_first_not_of("0123456789") != std::string::npos) return {};
    const std::int32_t number = WholeNumber(carValue);
    if (number < 0 || number >= static_cast<std::int32_t>(kCarFolders.size())) return {};
    return std::string(kCarFolders[static_cast<std::size_t>(number)]);
}

std::string SetupSelection::IndexEntry() const { return BaseClassOf(classCode) + CarFolder(); }

bool SetupSelection::Usable() const { return IsSafeFolderName(player) && IsSafeFolderName(track); }

bool IsSafeSetupName(std::string_view name) { return IsSafeTrackDirectory(name); }

void FillFileDropDown(clsGPL& gpl, std::string_view pattern, controls::ucDropDown& list) {
    list.Clear();
    std::vector<std::string> names;
    platform::Fs().List(gpl.Directory() + std::string(pattern), platform::kListFiles, names);
    for (const auto& name : names)
        if (!name.empty() && name.front() != '.') list.AddItem(name, name);
}

void FillSetupList(clsGPL& gpl, controls::ucDropDown& list, const SetupSelection& selection) {
    if (!selection.Usable()) return;
    const std::string index = selection.IndexFile();
    if (gpl.IniValue(index, "SetupData", "Player").empty()) {
        InitialisingScope loading(true);
        gpl.ReadSetupsDef(selection.track, selection.player);
    }
    const bool current = platform::EqualNoCase(list.Section(), "Current");
    if (selection.allCars && current) {
        FillFileDropDown(gpl, selection.Folder() + "*.*", list);
    } else {
        const std::string extension =
            SetupExtension(selection.CarFolder(), selection.classCode);
        if (!extension.empty()) FillFileDropDown(gpl, selection.Folder() + "*." + extension, list);
    }
    list.SetIniFile(index);
    list.SetEntry(selection.IndexEntry());
    list.Refresh();
    list.SetListIndex(gpl.IniValue(index, list.Section(), selection.IndexEntry()));
}

bool EditCurrentSetup(clsGPL& gpl, UserInterface& ui, const SetupSelection& selection,
                      const std::string& setupName, bool removeSpaces,
                      const std::string& editorCommand) {
    if (!selection.Usable() || editorCommand.empty()) return false;
    std::string name = setupName;
    if (!name.empty() && !IsSafeSetupName(name)) {
        ui.ShowMessage("The setup name " + name + " does not name a file in the setup folder.");
        return false;
    }
    const std::string folder = gpl.Directory() + selection.Folder();
    if (removeSpaces && !name.empty() && name.find(' ') != std::string::npos) {
        const std::string compact = StripSpaces(name);
        auto& fs = platform::Fs();
        if (fs.FileExists(folder + compact)) {
            ui.ShowMessage("Can't remove spaces from " + name + ".\rFile " + compact +
                           " already exists.");
        } else if (fs.Rename(folder + name, folder + compact).ok()) {
            gpl.SetIniValue(selection.IndexFile(), "Current", selection.IndexEntry(), compact);
            name = compact;
        }
    }
    RunAndWait(ui, editorCommand + " " + folder + name);
    return true;
}

}  // namespace zam
