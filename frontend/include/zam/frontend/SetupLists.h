#pragma once
// The two setup drop-downs of the "Setups etc." frame (the current setup and the race setup of
// the chosen player, circuit, class and car) and the hand-over of the current setup to the
// external setup editor, the program of the first launcher button.
#include <string>
#include <string_view>

#include "zam/store/UserInterface.h"

namespace zam {

class clsGPL;

namespace controls {
class ucDropDown;
}

// What the setup lists depend on, as the main window's selections give it.
struct SetupSelection {
    std::string player;     // cbxPlayer's value (the player's folder name)
    std::string track;      // cbxTrack's value (the track's folder name)
    std::string classCode;  // cbxClass's value
    std::string carValue;   // cbxCar's value (the car number in decimal)
    bool allCars = false;   // chkAllCars

    // "Players\<player>\Setups\<track>\" (relative to the simulator folder).
    std::string Folder() const;
    // The setup index as the drop-downs are bound to it.
    std::string IndexFile() const;
    // Car folder of the chosen car, empty when the value names no car.
    std::string CarFolder() const;
    // Entry of the index for this class and car: base class + car folder ("F1lotus").
    std::string IndexEntry() const;
    // False when the player or track is empty or would lead outside their folders.
    bool Usable() const;
};

// Empties `list` and adds every file name matching Directory + `pattern` whose first character
// is not "." (each item's text is its value).
void FillFileDropDown(clsGPL& gpl, std::string_view pattern, controls::ucDropDown& list);

// Fills cbxCurSetup or cbxRaceSetup (told apart by the section they are bound to) and points it
// at the entry of the index for the class and car; the index is read on first use.
void FillSetupList(clsGPL& gpl, controls::ucDropDown& list, const SetupSelection& selection);

// The setup editor button: removes the blanks from the current setup's file name when asked to
// (the index follows the new name), then runs `editorCommand` + " " + the setup's full path and
// waits for it. Returns false when nothing was run.
bool EditCurrentSetup(clsGPL& gpl, UserInterface& ui, const SetupSelection& selection,
                      const std::string& setupName, bool removeSpaces,
                      const std::string& editorCommand);

// A setup file name from the index or a list is outside data: it must name one file directly in
// the setup folder.
bool IsSafeSetupName(std::string_view name);

}  // namespace zam
