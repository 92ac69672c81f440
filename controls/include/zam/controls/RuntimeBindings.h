#pragma once
// The bindings the main window completes at run time: the controls whose file (or section) is
// "?" in the catalogue are pointed at the current player's, track's or event's files and then
// refreshed. Each function works on the window's registry and the bound store (BoundStore()).
#include <string>
#include <string_view>

#include "zam/controls/ControlRegistry.h"

namespace zam::controls {

// The files of one player, relative to the simulator folder.
struct PlayerFiles {
    std::string playerIni;  // "Players\<id>\Player.Ini"
    std::string folder;     // "Players\<id>\"
    std::string pzamIni;    // "Players\<id>\PZAM.Ini"
    static PlayerFiles For(std::string_view playerId);
};

// The player selection changed: cbxTrack and cbxCar follow the player's Player.Ini, cbxClass the
// player's PZAM.Ini (the class of a player without one becomes the third item, "F1 - Grand Prix";
// this write counts as a change even during start-up); an empty engine sample RPM becomes "5200".
void BindPlayerSelection(const ControlRegistry& registry, std::string_view playerId);

// The options tab came to the front: the player's option controls follow the player's files; the
// steering, force-feedback and sound-quality controls are refreshed as they are.
void RebindPlayerControls(const ControlRegistry& registry, std::string_view playerId);

// The graphics controls that follow the player's Player.Ini, bound and refreshed one by one in
// the graphics tab's order (detail, resolution, mirrors, objects, shadows).
void BindPlayerGraphics(const ControlRegistry& registry, std::string_view playerId);
// Every element of chkEffects, then of chkTextures, lowest first: bound to the player and
// refreshed.
void BindPlayerEffectsAndTextures(const ControlRegistry& registry, std::string_view playerId);

// The track changed or the tracks tab came to the front.
void BindTrackControls(const ControlRegistry& registry, std::string_view trackId);

// A launch mode was chosen (index 0 to 4): modes 1 and 2 move the race type and AI count to the
// "Single Race" or "Multiplayer Host" section; other modes leave them.
void SetRaceSections(const ControlRegistry& registry, int modeIndex);
// The race controls of the mode (stored text of [ZAM] Mode) follow the player's Player.Ini and
// are refreshed. In the host mode the qualifying length is shown in minutes: the simulator's
// seconds divided by 60 (15 when that gives 0), kept by the spinner in the player's PZAM.Ini so
// that its steps count minutes; the seconds are not rewritten by merely showing them. A
// race-length override of 0 becomes 100.
void BindRaceControls(const ControlRegistry& registry, std::string_view modeText,
                      std::string_view playerId);
// Change of spnQualifying: a length of V > 0 minutes is stored as V x 60 seconds in the player's
// Player.Ini [Multiplayer Host] lastPracticeLength; 0 is not stored.
void QualifyingChanged(const ControlRegistry& registry, std::string_view playerId);

// The season entry editor opens: its four controls are pointed at the season file and their
// entries, and the month list is filled.
void PrepareSeasonEntryEditor(const ControlRegistry& registry);
// The editor's event number is set: the four controls follow section "Event<n>" and are
// refreshed (day, month, laps, grid).
void BindSeasonEntry(const ControlRegistry& registry, int eventNo);

}  // namespace zam::controls
