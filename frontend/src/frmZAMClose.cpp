// Launching through the loader, the session state saved on the way out and the close sequence.
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <chrono>
#include <exception>
#include <random>

#include "Skippable.h"
#include "zam/controls/BoundStore.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/QtText.h"
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

void frmZAM::WriteCommandFile(const std::string& word, const std::string& commandLine) {
    // A failed write is not fatal: the loader then finds no command and brings the front end back.
    (void)platform::WriteLoaderCommand(SettingsFile(std::string(platform::kCommandFileName)),
                                       platform::LoaderCommand{word, commandLine});
}

void frmZAM::WriteLoaderCommand(const std::string& commandLine, const std::string& command) {
    WriteCommandFile(command, commandLine);
    if (ShutDownOption != kLaunch) ShutDownOption = kLoaderCommandWritten;
    LoaderCommand = command;
    close();
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
    Skippable([&] {
        if (engines_) ApplyClassEngines(*engines_, classCode, SelectedEngines());
    });
    Skippable([&] { SetFrontEndValue("Window", "WindowState", std::to_string(WindowStateCode())); });
    Skippable([&] {
        if (!player.empty()) ApplyDriverRating(*gpl_, player, classCode);
    });
    Skippable([&] {
        if (!player.empty()) SyncSampleRpm(*gpl_, playerFiles_.folder);
    });
    Skippable([&] {
        controls::ucSpinner* length = controls_.Spinner("spnOvrRaceLength");
        controls::ucDropDown* track = DropDown("cbxTrack");
        if (length && track) ApplyRaceLengthOverride(*gpl_, length->Value(), track->ListIndex());
    });
    Skippable([&] { ApplyRandomBackground(); });
    Skippable([&] {
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
    switch (CloseRequest()) {
        case CloseOutcome::kCancel:
            e->ignore();
            return;
        case CloseOutcome::kDiscard:
            Discard();
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
    if (ShutDownOption == kLoaderCommandWritten || ShutDownOption == kLaunch)
        return CloseOutcome::kProceed;
    if (ShutDownOption != kStartupFailure)
        ShutDownOption = options_.askExitChoice ? options_.askExitChoice(this) : frmShutdown::Ask(this);
    switch (ShutDownOption) {
        case kShutdownPc:
        case kRestartPc:
            // The loader asks the system to shut down or restart once every file is written:
            // asking now would race the write-back below.
            WriteCommandFile(ShutDownOption == kShutdownPc ? "Shutdown" : "Restart", "");
            LoaderCommand = ShutDownOption == kShutdownPc ? "Shutdown" : "Restart";
            return CloseOutcome::kProceed;
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

void frmZAM::Discard() {
    controls::SetBoundStore(nullptr);
    SetTheGPL(nullptr);
    if (gpl_) gpl_->UnloadWithoutSaving();
    gpl_.reset();
    if (engines_) engines_->UnloadWithoutSaving();
    engines_.reset();
    ui_.HideStatus();
}

void frmZAM::Unload() {
    if (ShutDownOption != kExitWithoutSaving) SaveSessionState();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) SaveWindowPosition();
    controls::SetBoundStore(nullptr);
    engines_.reset();
    SetTheGPL(nullptr);
    gpl_.reset();
    ui_.HideStatus();
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

void frmZAM::AfterUnload() {
    if (LoaderCommand.empty()) {
        (void)platform::Fs().Delete(SettingsFile(std::string(platform::kCommandFileName)));
        return;
    }
    // The loader is started last, when every file is on disk; a missing loader fails silently
    // and leaves ZAM.int for the next start to read and delete.
    platform::ProcessId id;
    (void)platform::Processes().Start("\"" + LoaderPath() + "\"", id);
}

}  // namespace zam
