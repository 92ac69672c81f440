#include "zam/controls/RuntimeBindings.h"

#include <QSignalBlocker>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/NumberText.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/store/Globals.h"

namespace zam::controls {

namespace {

constexpr const char* kSeasonFile = "Seasons\\67Season.Ini";

void BindFile(const ControlRegistry& registry, std::string_view name, const std::string& file,
              int element = kNoElement) {
    if (BoundControl* control = registry.Bound(name, element)) {
        control->SetIniFile(file);
        control->Refresh();
    }
}

void RefreshControl(const ControlRegistry& registry, std::string_view name) {
    if (BoundControl* control = registry.Bound(name)) control->Refresh();
}

// A player's engine sample RPM starts at the simulator's own 5200.
void DefaultSampleRpm(const PlayerFiles& files) {
    IniStore* store = BoundStore();
    if (store && store->IniValue(files.pzamIni, "Engine", "sampleRPM").empty())
        store->SetIniValue(files.pzamIni, "Engine", "sampleRPM", "5200");
}

}  // namespace

PlayerFiles PlayerFiles::For(std::string_view playerId) {
    const std::string folder = "Players\\" + std::string(playerId) + "\\";
    return PlayerFiles{folder + "Player.Ini", folder, folder + "PZAM.Ini"};
}

void BindPlayerSelection(const ControlRegistry& registry, std::string_view playerId) {
    const PlayerFiles files = PlayerFiles::For(playerId);
    BindFile(registry, "cbxTrack", files.playerIni);
    BindFile(registry, "cbxCar", files.playerIni);
    if (ucDropDown* classes = registry.DropDown("cbxClass")) {
        const InitialisingScope counted(false);
        classes->SetIniFile(files.folder + "PZAM.Ini");
        IniStore* store = BoundStore();
        const bool noClass =
            store && store->IniValue(classes->IniFile(), classes->Section(), classes->Entry()).empty();
        classes->Refresh();
        if (noClass) classes->SelectIndex(3);
    }
    DefaultSampleRpm(files);
}

void RebindPlayerControls(const ControlRegistry& registry, std::string_view playerId) {
    const PlayerFiles files = PlayerFiles::For(playerId);
    for (const char* name : {"chkStereo", "spnVolume", "spnNoOfSounds", "cbxPlayerHelmet",
                             "cbxDrivingView", "cbxUOM", "cbxDateFormat", "chkAutoGears",
                             "chkTractionControl", "chkBrakingHelp", "chkPitBoard", "chkInCarChat"})
        BindFile(registry, name, files.playerIni);
    for (const char* name : {"chkFFEnabled", "spnFFLatency", "spnFFDamping", "spnFFMaxTorque",
                             "chkSteeringHack", "cbxSoundQuality"})
        RefreshControl(registry, name);
    DefaultSampleRpm(files);
    BindFile(registry, "spnSoundPitch", files.pzamIni);
}

void BindPlayerGraphics(const ControlRegistry& registry, std::string_view playerId) {
    const PlayerFiles files = PlayerFiles::For(playerId);
    for (const char* name :
         {"spnDetail", "cbxResolution", "cbxMirrordetailLevel", "cbxNoOfObjects", "cbxShadows"})
        BindFile(registry, name, files.playerIni);
}

void BindPlayerEffectsAndTextures(const ControlRegistry& registry, std::string_view playerId) {
    const PlayerFiles files = PlayerFiles::For(playerId);
    for (const char* array : {"chkEffects", "chkTextures"})
        for (int element : registry.Elements(array)) BindFile(registry, array, files.playerIni, element);
}

void BindTrackControls(const ControlRegistry& registry, std::string_view trackId) {
    BindFile(registry, "spnDlong", "Tracks\\" + std::string(trackId) + "\\Track.Ini");
    RefreshControl(registry, "spnYear");
}

void SetRaceSections(const ControlRegistry& registry, int modeIndex) {
    const char* section = modeIndex == 1 ? "Single Race" : modeIndex == 2 ? "Multiplayer Host" : nullptr;
    if (!section) return;
    for (const char* name : {"cbxRacetype", "spnNoAI"})
        if (BoundControl* control = registry.Bound(name)) control->SetSection(section);
}

void BindRaceControls(const ControlRegistry& registry, std::string_view modeText,
                      std::string_view playerId) {
    const PlayerFiles files = PlayerFiles::For(playerId);
    if (modeText == "0") BindFile(registry, "cbxDamageModel", files.playerIni);
    if (modeText == "1" || modeText == "2") {
        for (const char* name : {"spnNoAI", "cbxRacetype", "spnOvrRaceLength"})
            BindFile(registry, name, files.playerIni);
        RefreshControl(registry, "spnAISpeed");
    }
    if (modeText == "2") {
        if (ucSpinner* qualifying = registry.Spinner("spnQualifying")) {
            // The spinner counts minutes in the player's own front-end file; the simulator's
            // seconds follow it only when the user changes it (QualifyingChanged).
            qualifying->SetIniFile(files.pzamIni);
            IniStore* store = BoundStore();
            const std::string seconds =
                store ? store->IniValue(files.playerIni, "Multiplayer Host", "lastPracticeLength")
                      : std::string();
            long long minutes = RoundHalfEven(LeadingNumber(seconds) / 60.0);
            if (minutes == 0) minutes = 15;
            // The spinner first takes this player's own number: an assignment equal to the
            // number it still holds from the previous player would otherwise change nothing.
            qualifying->Refresh();
            {
                const QSignalBlocker quiet(qualifying);  // showing is not changing
                qualifying->SetValue(static_cast<double>(minutes));
            }
            qualifying->Refresh();
        }
        for (const char* name : {"chkIPX", "chkTCP", "chkSaveStandings"})
            RefreshControl(registry, name);
    }
    if (modeText == "3") RefreshControl(registry, "cbxConnectVia");
    if (ucSpinner* raceLength = registry.Spinner("spnOvrRaceLength");
        raceLength && raceLength->Value() == 0)
        raceLength->SetValue(100);
}

void QualifyingChanged(const ControlRegistry& registry, std::string_view playerId) {
    const ucSpinner* qualifying = registry.Spinner("spnQualifying");
    IniStore* store = BoundStore();
    if (!qualifying || !store || playerId.empty()) return;
    const double minutes = qualifying->RememberedValue();
    if (minutes > 0)
        store->SetIniValue(PlayerFiles::For(playerId).playerIni, "Multiplayer Host",
                           "lastPracticeLength", CompactNumber(minutes * 60));
}

void PrepareSeasonEntryEditor(const ControlRegistry& registry) {
    const std::pair<const char*, const char*> bindings[] = {
        {"cbxDay", "day"}, {"cbxMonth", "month"}, {"spnNoOfLaps", "numberOfLaps"}, {"spnGrid", "startingGrid"}};
    for (const auto& [name, entry] : bindings)
        if (BoundControl* control = registry.Bound(name)) control->Bind(kSeasonFile, nullptr, entry);
    if (ucDropDown* months = registry.DropDown("cbxMonth")) FillList(*months, MonthItems());
}

void BindSeasonEntry(const ControlRegistry& registry, int eventNo) {
    const std::string section = "Event" + std::to_string(eventNo);
    for (const char* name : {"cbxDay", "cbxMonth", "spnNoOfLaps", "spnGrid"}) {
        if (BoundControl* control = registry.Bound(name)) {
            control->SetSection(section);
            control->Refresh();
        }
    }
}

}  // namespace zam::controls
