// Launching through the loader, the session state saved on the way out and the close sequence.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QComboBox>
#include <QLineEdit>
#include <chrono>
#include <exception>
#include <random>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/SkippedSteps.h"
#include "zam/frontend/WindowGeometry.h"
#include "zam/frontend/frmShutdown.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/EngineTable.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Process.h"

namespace zam {

namespace {

double ClockRandom() {
    static std::mt19937_64 generator(static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

}  // namespace

// ---- Launch --------------------------------------------------------------------------------

std::string frmZAM::SimulatorCommand() {
    JoinSettings join;
    if (controls::ucDropDown* via = DropDown("cbxConnectVia")) join.connectVia = via->Value();
    join.address = Cp1252FromQt(txtIPAddress->text());
    join.password = Cp1252FromQt(txtPassword->text());
    return SimulatorCommandLine(gpl_ ? gpl_->EXEPath() : std::string(), SelectedMode(), join);
}

void frmZAM::LaunchSimulator() {
    const std::string commandLine = SimulatorCommand();
    ShutDownOption = kLaunch;
    WriteLoaderCommand(commandLine, "Run");
}

void frmZAM::WriteLoaderCommand(const std::string& commandLine, const std::string& command) {
    if (!HandToLoader(command, commandLine)) {
        ShutDownOption = kWindowInUse;
        return;
    }
    if (ShutDownOption != kLaunch) ShutDownOption = kLoaderCommandWritten;
    LoaderCommand = command;
    close();
}

// Once the close sequence has written the files back the window cannot stay open, so whatever
// the loader needs is made sure of first: that it is there and may be run, and that ZAM.int holds
// the command. Until then nothing is written, and a failure leaves the window as it was.
bool frmZAM::HandToLoader(const std::string& word, const std::string& commandLine) {
    const std::string problem = PassToLoader(word, commandLine);
    if (problem.empty()) return true;
    ui_.ShowMessage(problem +
                    "\r\n\r\nNothing has been saved yet: the window stays open with your changes.");
    return false;
}

std::string frmZAM::PassToLoader(const std::string& word, const std::string& commandLine) {
    std::string problem = LoaderProblem();
    if (!problem.empty()) return problem;
    const std::string commandFile = SettingsFile(std::string(platform::kCommandFileName));
    const platform::Status written =
        platform::WriteLoaderCommand(commandFile, platform::LoaderCommand{word, commandLine});
    if (written.ok()) return {};
    return "The command file \"" + commandFile + "\" could not be written: " + written.description;
}

std::string frmZAM::LoaderProblem() const {
    const std::string windowsName = ProgramFile("Rollout.Exe");
    const std::string plainName = ProgramFile("Rollout");
    if (!platform::Fs().FileExists(windowsName) && !platform::Fs().FileExists(plainName))
        return "The loader Rollout was not found: looked for \"" + windowsName + "\" and \"" +
               plainName + "\".";
    const platform::Status startable = platform::Processes().CheckStartable(LoaderCommandLine());
    if (startable.ok()) return {};
    return "The loader \"" + LoaderPath() + "\" can't be started: " + startable.description;
}

// ---- Session state -------------------------------------------------------------------------

EngineSelection frmZAM::SelectedEngines() const {
    EngineSelection selection{};
    for (int chassis = 0; chassis < kChassisCount; ++chassis)
        if (controls::ucDropDown* list = DropDown("cbxEngine", chassis))
            selection[static_cast<std::size_t>(chassis)] = list->ListIndex();
    return selection;
}

int frmZAM::WindowStateCode() const {
    if (windowState() & Qt::WindowMinimized) return kWindowMinimised;
    if (windowState() & Qt::WindowMaximized) return kWindowMaximised;
    return kWindowNormal;
}

void frmZAM::SaveSessionState() {
    if (!gpl_) return;
    controls::ucDropDown* classes = DropDown("cbxClass");
    const std::string classCode = classes ? classes->Value() : std::string();
    const std::string player = PlayerId();
    skipped_.Run("Choosing the engines of the class", [&] {
        if (engines_) ApplyClassEngines(*engines_, classCode, SelectedEngines());
    });
    skipped_.Run("Saving the window state", [&] {
        SetFrontEndValue("Window", "WindowState", std::to_string(WindowStateCode()));
    });
    skipped_.Run("Recording the driver rating", [&] {
        if (!player.empty()) ApplyDriverRating(*gpl_, player, classCode);
    });
    skipped_.Run("Saving the engine sound speed", [&] {
        if (!player.empty()) SyncSampleRpm(*gpl_, playerFiles_.folder);
    });
    skipped_.Run("Applying the race length", [&] {
        controls::ucSpinner* length = controls_.Spinner("spnOvrRaceLength");
        controls::ucDropDown* track = DropDown("cbxTrack");
        if (length && track) ApplyRaceLengthOverride(*gpl_, length->Value(), track->ListIndex());
    });
    skipped_.Run("Choosing a random background", [&] { ApplyRandomBackground(); });
    skipped_.Run("Copying the background set", [&] {
        if (controls::ucDropDown* sets = DropDown("cbxBackground")) CopyBackgroundSet(*gpl_, sets->Value());
    });
}

void frmZAM::ApplyRandomBackground() {
    if (FrontEndValue("Backgrounds", "randomBack") != "1" || ShutDownOption != kLaunch) return;
    controls::ucDropDown* sets = DropDown("cbxBackground");
    if (!sets || sets->NoItems() == 0) return;
    const double r = options_.random ? options_.random() : ClockRandom();
    sets->SelectIndex(RandomEntryPosition(sets->NoItems(), r));
}

// ---- Closing -------------------------------------------------------------------------------

void frmZAM::closeEvent(QCloseEvent* e) {
    if (finished_) {
        e->accept();
        return;
    }
    CommitPendingEdit();
    switch (CloseRequest()) {
        case CloseOutcome::kCancel:
            e->ignore();
            return;
        case CloseOutcome::kDiscard:
            Discard();
            if (restartWithoutSaving_) AfterUnload();
            break;
        case CloseOutcome::kProceed:
            Unload();
            AfterUnload();
            break;
    }
    finished_ = true;
    e->accept();
}

frmZAM::CloseOutcome frmZAM::CloseRequest() {
    if (windowState() & Qt::WindowMinimized) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (restartWithoutSaving_) return CloseOutcome::kDiscard;
    if (ShutDownOption == kLoaderCommandWritten || ShutDownOption == kLaunch)
        return CloseOutcome::kProceed;
    if (ShutDownOption != kStartupFailure)
        ShutDownOption = options_.askExitChoice ? options_.askExitChoice(this) : frmShutdown::Ask(this);
    switch (ShutDownOption) {
        case kShutdownPc:
        case kRestartPc: {
            // The loader asks the system to shut down or restart once every file is written:
            // asking now would race the write-back below.
            const std::string word = ShutDownOption == kShutdownPc ? "Shutdown" : "Restart";
            if (!HandToLoader(word, "")) {
                ShutDownOption = kWindowInUse;
                return CloseOutcome::kCancel;
            }
            LoaderCommand = word;
            return CloseOutcome::kProceed;
        }
        case kSaveAndExit:
            LoaderCommand.clear();
            return CloseOutcome::kProceed;
        case kExitWithoutSaving:
        case kStartupFailure:
            return CloseOutcome::kDiscard;
        default:
            ShutDownOption = kWindowInUse;
            return CloseOutcome::kCancel;
    }
}

// A close does not move the focus out of the box the user is typing in, and leaving the box is
// what keeps a typed number or address: the close leaves it first, before anything is saved.
void frmZAM::CommitPendingEdit() {
    if (QWidget* box = focusWidget()) {
        QFocusEvent leave(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(box, &leave);
    }
}

void frmZAM::Discard() {
    controls::SetBoundStore(nullptr);
    SetTheGPL(nullptr);
    if (gpl_) gpl_->UnloadWithoutSaving();
    gpl_.reset();
    if (engines_) engines_->UnloadWithoutSaving();
    engines_.reset();
    ui_.HideStatus();
    // A start-up that failed ends here, with the steps it skipped before it failed.
    ReportSkippedSteps(loaded_ ? "closing" : "starting");
}

void frmZAM::Unload() {
    closing_ = true;
    if (ShutDownOption != kExitWithoutSaving) SaveSessionState();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) SaveWindowPosition();
    controls::SetBoundStore(nullptr);
    engines_.reset();
    SetTheGPL(nullptr);
    gpl_.reset();
    ui_.HideStatus();
    ReportSkippedSteps("closing");
}

void frmZAM::SaveWindowPosition() {
    const double dpi = Dpi();
    SetFrontEndValue("Window", "Left", std::to_string(PixelsToTwips(x(), dpi)));
    SetFrontEndValue("Window", "Top", std::to_string(PixelsToTwips(y(), dpi)));
}

std::string frmZAM::LoaderPath() const {
    const std::string windowsName = ProgramFile("Rollout.Exe");
    return platform::Fs().FileExists(windowsName) ? windowsName : ProgramFile("Rollout");
}

std::string frmZAM::LoaderCommandLine() const {
    return "\"" + LoaderPath() + "\"";
}

void frmZAM::AfterUnload() {
    if (LoaderCommand.empty()) {
        (void)platform::Fs().Delete(SettingsFile(std::string(platform::kCommandFileName)));
        return;
    }
    // The loader is started last, when every file is on disk. It was found startable before
    // anything was written; should the start still fail, the files are saved and ZAM.int stays
    // for the next start to read and delete, but the user must hear that nothing more happens.
    platform::ProcessId id;
    const platform::Status started = platform::Processes().Start(LoaderCommandLine(), id);
    if (!started.ok())
        ui_.ShowMessage("Your changes were saved, but the loader \"" + LoaderPath() +
                        "\" could not be started, so \"" + LoaderCommand +
                        "\" was not carried out: " + started.description);
}

}  // namespace zam
