// File > Restore Settings: putting files back as their backups, and the restart without saving
// that follows, so that the close never writes this session's copies over what was restored.
#include <set>
#include <string_view>

#include "zam/frontend/QtText.h"
#include "zam/frontend/TimeCounter.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/Catalogues.h"
#include "zam/model/EngineTable.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/Text.h"
#include "zam/store/FileRestore.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

constexpr const char* kLineBreak = "\r\n";

// A message text of the store breaks its lines with a bare carriage return; in the report its
// second line is indented under the first.
std::string Indented(std::string_view text) {
    std::string out;
    for (char c : text) out += c == '\r' ? std::string(kLineBreak) + "    " : std::string(1, c);
    return out;
}

}  // namespace

void frmZAM::RestoreSettings() {
    if (!gpl_) return;
    const std::optional<RestoreChoice> choice =
        frmRestore::Ask(this, BackedUpFiles(), engines_ && !engines_->Status());
    if (!choice || (choice->files.empty() && !choice->engines)) return;
    // Once a file is restored ZAMDeck must start again without saving: a loader that cannot
    // start it is found out before anything is touched.
    if (const std::string problem = LoaderProblem(); !problem.empty()) {
        ui_.ShowMessage(problem + kLineBreak + kLineBreak +
                        "Nothing has been restored: ZAMDeck could not start again afterwards.");
        return;
    }
    bool changed = false;
    std::string report = RestoreFiles(*choice, changed);
    if (choice->engines) report += ResetEngines(changed);
    if (!changed) {
        ui_.ShowMessage(report + kLineBreak +
                        "Nothing on disk was changed: the window stays open with your changes.");
        return;
    }
    RestartWithoutSaving(report);
}

// The simulator folder and the folder of ZAMDeck's own settings, each file once.
std::vector<BackedUpFile> frmZAM::BackedUpFiles() const {
    std::vector<BackedUpFile> files = FindBackedUpFiles(gpl_->Directory());
    std::set<std::string> seen;
    for (const BackedUpFile& file : files) seen.insert(platform::UpperCase(file.path));
    for (BackedUpFile& own : FindBackedUpFiles(folders_.settings)) {
        if (seen.insert(platform::UpperCase(own.path)).second) files.push_back(std::move(own));
    }
    return files;
}

std::string frmZAM::RestoreFiles(const RestoreChoice& choice, bool& changed) {
    const std::string meaning(BackupMeaning(choice.from));
    std::string report;
    for (const std::string& path : choice.files) {
        ui_.SetStatus("Restoring " + path);
        const RestoreResult result = RestoreFile(path, choice.from);
        switch (result.outcome) {
            case RestoreResult::Outcome::kRestored:
                changed = true;
                report += "Restored " + path + " " + meaning + " (what it replaced is in " + path +
                          std::string(BackupSuffix(BackupKind::kBeforeRestore)) + ")";
                break;
            case RestoreResult::Outcome::kUnchanged:
                report += path + " already was " + meaning + ": left as it is";
                break;
            default:
                report += "NOT restored: " + Indented(result.message);
                break;
        }
        report += kLineBreak;
    }
    ui_.HideStatus();
    return report;
}

std::string frmZAM::ResetEngines(bool& changed) {
    bool native = true;
    for (int chassis = 0; chassis < kChassisCount; ++chassis)
        if (chassis != kUnusedChassis && engines_->FoundEngine(chassis) != chassis) native = false;
    if (native) return std::string("Every chassis already has its own engine in GPL.EXE") + kLineBreak;
    engines_->SetDefaults();
    // The engine write checks the executable itself and tells the user why it cannot write.
    if (!engines_->WriteExeEngines())
        return std::string("The engines in GPL.EXE were NOT reset") + kLineBreak;
    changed = true;
    return std::string("Every chassis has its own engine again in GPL.EXE") + kLineBreak;
}

// What start-up recorded in ZAM.ini for this run (the time of the race that brought it, the
// number of the next archived screenshot) is not a change the user made in the window: it is
// carried into the file on disk, restored or not, before the rest of the session is dropped.
void frmZAM::KeepRunRecords() {
    const std::string zamIni = SettingsFile(kFrontEndIni);
    IniStore onDisk(ui_);
    onDisk.ReadIniFile(zamIni);
    const InitialisingScope counted(false);
    if (elapsedSeconds_ > 0) {
        const std::string total = onDisk.FullPathIniValue(zamIni, kTimerSection, kTimerEntry);
        onDisk.SetFullPathIniValue(zamIni, kTimerSection, kTimerEntry,
                                   AddToTimer(total, elapsedSeconds_));
    }
    const std::string next = FrontEndValue("ZAM", "NextScreenie");
    if (WholeNumber(next) > WholeNumber(onDisk.FullPathIniValue(zamIni, "ZAM", "NextScreenie")))
        onDisk.SetFullPathIniValue(zamIni, "ZAM", "NextScreenie", next);
    onDisk.WriteIniFiles();
}

void frmZAM::RestartWithoutSaving(const std::string& report) {
    KeepRunRecords();
    restartWithoutSaving_ = true;
    ShutDownOption = kExitWithoutSaving;
    const std::string problem = PassToLoader("Run", "");
    if (problem.empty()) {
        LoaderCommand = "Run";
        ui_.ShowMessage(report + kLineBreak +
                        "ZAMDeck now starts again, without saving the changes made in the "
                        "window since it started.");
    } else {
        ui_.ShowMessage(report + kLineBreak + problem + kLineBreak +
                        "ZAMDeck now closes without saving the changes made in the window since "
                        "it started; start it again yourself.");
    }
    close();
}

}  // namespace zam
