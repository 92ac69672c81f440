// The main window's start-up sequence, the screen checks, resizing and the main tab switching.
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <exception>
#include <optional>
#include <utility>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RasteriserProfiles.h"
#include "zam/controls/SettingsCatalogue.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/SkippedSteps.h"
#include "zam/frontend/TimeCounter.h"
#include "zam/frontend/WindowGeometry.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/EngineTable.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/System.h"
#include "zam/store/Common.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

void FillFromCatalogue(const controls::ControlRegistry& registry, const char* name) {
    if (controls::ucDropDown* list = registry.DropDown(name))
        controls::FillList(*list, controls::ItemsOf(name));
}

}  // namespace

bool frmZAM::Load() {
    Initialising = true;
    platform::ChangeDirectory(options_.programFolder);
    if (!ProgramFolderHoldsProgram())
        ShowMessage(ui_, std::string("Can't Find ") + kAppTitle + " Directory", true);
    skipped_.Run("Reading the time of the last race from ZAM.int", [&] { ReadLoaderReturn(); });
    (void)platform::Fs().Delete(ProgramFile(std::string(platform::kCommandFileName)));
    ui_.SetStatus("Initialising");
    skipped_.Run("Preparing the button editor", [&] { PrepareButtonEditor(); });
    if (!CreateModel()) {
        TellLoaderFailure();
        return false;
    }
    skipped_.Run("Moving screenshots to the Exports folder", [&] { MoveScreenshots(); });
    skipped_.Run("Building the launcher buttons", [&] { BuildLauncherButtons(); });
    skipped_.Run("Filling the lists", [&] { FillStartupLists(); });
    skipped_.Run("Restoring the window's position and size", [&] { RestoreGeometry(); });
    skipped_.Run("Updating the time counter", [&] { UpdateTimeCounter(); });
    loaded_ = true;
    // Told once the window shows: a message before it would stand alone on the screen.
    QTimer::singleShot(0, this, [this] { ReportSkippedSteps("starting"); });
    return true;
}

void frmZAM::ReportSkippedSteps(const char* when) {
    const std::string report = skipped_.TakeReport(when);
    if (!report.empty()) ui_.ShowMessage(report);
}

bool frmZAM::ProgramFolderHoldsProgram() const {
    const std::string program = ProgramFile(options_.programName);
    return platform::Fs().FileExists(program + ".exe") || platform::Fs().FileExists(program);
}

void frmZAM::ReadLoaderReturn() {
    const std::string commandFile = ProgramFile(std::string(platform::kCommandFileName));
    if (!platform::Fs().FileExists(commandFile)) {
        PlayStartupSound();
        return;
    }
    elapsedSeconds_ = ElapsedRunTime(commandFile);
    std::optional<platform::RunFailure> failure;
    if (platform::ReadRunFailure(commandFile, failure).ok() && failure)
        loaderFailure_ = platform::DescribeRunFailure(*failure);
}

void frmZAM::TellLoaderFailure() {
    if (loaderFailure_.empty()) return;
    const std::string text = std::exchange(loaderFailure_, std::string());
    ui_.ShowMessage(text);
}

void frmZAM::PlayStartupSound() {
    const std::string sound = ProgramFile("Startup.wav");
    platform::System().PlaySoundAsync(platform::Fs().FileExists(sound) ? sound : std::string());
}

bool frmZAM::CreateModel() {
    controls::SetControlsUi(&ui_);
    gpl_ = std::make_unique<clsGPL>(ui_);
    SetTheGPL(gpl_.get());
    if (!gpl_->Exiting()) {
        controls::SetBoundStore(gpl_.get());
        engines_ = std::make_unique<clsEngines>(ui_, gpl_->EXEPath());
        if (!engines_->Status()) return true;
    }
    ShutDownOption = kStartupFailure;
    close();
    return false;
}

void frmZAM::FillStartupLists() {
    for (const char* name : {"cbxRacetype", "cbxDamageModel", "cbxAnisotropicFiltering"})
        FillFromCatalogue(controls_, name);
    skipped_.Run("Listing the installed rasterisers", [&] { rasterisers_->FillAtStartUp(); });
    skipped_.Run("Listing the background sets", [&] { FillBackgroundList(); });
    for (const char* name : {"cbxConnectVia", "cbxNoOfObjects", "cbxMirrordetailLevel", "cbxResolution"})
        FillFromCatalogue(controls_, name);
    if (controls::ucDropDown* helmets = DropDown("cbxPlayerHelmet")) helmets->Clear();
    FillHelmetList();
    for (const char* name : {"cbxDrivingView", "cbxUOM", "cbxDateFormat", "cbxSoundQuality", "cbxShadows"})
        FillFromCatalogue(controls_, name);
    skipped_.Run("Filling the engine lists", [&] { FillEngineLists(); });
    skipped_.Run("Reading the track folders and the season", [&] { FillTrackLists(); });
    skipped_.Run("Filling the car and class lists", [&] { FillCarAndClassLists(); });
    skipped_.Run("Filling the player list", [&] { FillPlayerList(); });
}

void frmZAM::FillEngineLists() {
    for (int chassis = 0; chassis < kChassisCount; ++chassis) {
        if (chassis == kUnusedChassis) continue;
        controls::ucDropDown* list = DropDown("cbxEngine", chassis);
        if (!list) continue;
        list->Clear();
        for (int engine = 0; engine < kEngineCount; ++engine) {
            const std::string name = engines_->Name(engine);
            list->AddItem(name, name);
        }
    }
}

void frmZAM::FillCarAndClassLists() {
    if (controls::ucDropDown* cars = DropDown("cbxCar")) {
        cars->Clear();
        for (int car = 0; car <= gpl_->NoOfCars(); ++car)
            cars->AddItem(gpl_->CarData(gpl_->CarID(car), "Team", "Name"), std::to_string(car));
    }
    if (controls::ucDropDown* classes = DropDown("cbxClass")) {
        classes->Clear();
        for (int number = 1; number <= gpl_->NoOfClasses(); ++number)
            classes->AddItem(gpl_->ClassDescription(number), gpl_->ClassID(number));
    }
}

void frmZAM::RestoreGeometry() {
    const WindowTwips g = zam::RestoreGeometry(
        FrontEndValue("Window", "Left"), FrontEndValue("Window", "Top"),
        FrontEndValue("Window", "Width"), FrontEndValue("Window", "Height"),
        FrontEndValue("Window", "WindowState"));
    const double dpi = Dpi();
    move(TwipsToPixels(g.left, dpi), TwipsToPixels(g.top, dpi));
    resize(TwipsToPixels(g.width, dpi), TwipsToPixels(g.height, dpi));
    if (g.maximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void frmZAM::UpdateTimeCounter() {
    std::string total;
    {
        // The new total must reach the disk, so this one write counts as a change.
        const InitialisingScope counted(false);
        total = AddToTimer(FrontEndValue(kTimerSection, kTimerEntry), elapsedSeconds_);
        SetFrontEndValue(kTimerSection, kTimerEntry, total);
    }
    lblGPLTime->setText(QtFromCp1252(TimerCaption(total)));
}

void frmZAM::ResetTimer() {
    SetFrontEndValue(kTimerSection, kTimerEntry, kTimerReset);
    lblGPLTime->setText(QtFromCp1252(TimerCaption(kTimerReset)));
}

// ---- Screen, paint and resize --------------------------------------------------------------

bool frmZAM::CheckScreenSize(bool fromStartup) {
    if (!fromStartup && (windowState() & Qt::WindowMinimized)) return true;
    int width = 0;
    if (options_.screenWidth) {
        width = options_.screenWidth();
    } else if (QScreen* s = screen()) {
        width = s->geometry().width();
    }
    switch (FitScreenWidth(width)) {
        case ScreenFit::kTooNarrow:
            ShowMessage(ui_, fromStartup ? ScreenTooNarrowAtStartMessage() : ScreenTooNarrowMessage(),
                        true);
            return false;
        case ScreenFit::kMaximise:
            setWindowState(windowState() | Qt::WindowMaximized);
            return true;
        case ScreenFit::kFits:
            return true;
    }
    return true;
}

void frmZAM::OnDisplayChange() {
    if (checkingDisplay_) return;
    checkingDisplay_ = true;
    CheckScreenSize(false);
    checkingDisplay_ = false;
}

bool frmZAM::event(QEvent* e) {
    // The first paint after the load ends the start-up state.
    if (e->type() == QEvent::Paint || e->type() == QEvent::UpdateRequest) Initialising = false;
    return QMainWindow::event(e);
}

void frmZAM::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (resizing_) return;
    resizing_ = true;
    CheckScreenSize(false);
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (normal && !Initialising && gpl_) {
        const double dpi = Dpi();
        const int width = std::max(PixelsToTwips(e->size().width(), dpi), kMinWindowWidthTwips);
        const int height = std::max(PixelsToTwips(e->size().height(), dpi), kMinWindowHeightTwips);
        SetFrontEndValue("Window", "Width", std::to_string(width));
        SetFrontEndValue("Window", "Height", std::to_string(height));
    }
    resizing_ = false;
}

// ---- Main tabs -----------------------------------------------------------------------------

void frmZAM::OnTabChanged(int index) {
    previousTab_ = index;
    RunTabAction(index);
}

void frmZAM::OnTabClicked(int index) {
    // A click on the tab already in front changes nothing on screen but still refreshes it.
    if (index == tabGeneral->currentIndex()) RunTabAction(index);
}

void frmZAM::RunTabAction(int index) {
    if (!gpl_) return;
    const std::string step =
        "Showing the tab " + Cp1252FromQt(tabGeneral->tabText(index).remove(QLatin1Char('&')));
    skipped_.Run(step, [&] {
        switch (index) {
            case 0: {
                const int mode = StoredTwips(FrontEndValue("ZAM", "Mode"));
                if (mode >= 0 && mode < static_cast<int>(optMode.size())) {
                    optMode[static_cast<std::size_t>(mode)]->setChecked(true);
                    SelectMode(mode);
                }
                break;
            }
            case 1:
                rasterisers_->RefreshGraphicsTab(PlayerId());
                LayoutGraphicsTab();
                break;
            case 2: RebindPlayerControls(); break;
            case 3: RefreshTracksTab(); break;
            case 4: RefreshButtonsTab(); break;
            case 5: RefreshEngineLists(); break;
            default: break;
        }
    });
    // Start-up and close tell of their skipped steps when they end; a tab the user brings to the
    // front tells at once.
    if (loaded_ && !closing_) ReportSkippedSteps("showing the tab");
}

void frmZAM::LayoutGraphicsTab() {
    const std::vector<std::string> visible = rasterisers_->VisibleFrames();
    for (const std::string& frame : controls::RasteriserProfiles::OptionFrames()) {
        if (QWidget* box = controls_.Frame(frame))
            box->setVisible(std::find(visible.begin(), visible.end(), frame) != visible.end());
    }
    if (QWidget* glide = controls_.Frame("frm3DFX")) glide->setEnabled(rasterisers_->GlidePatchEnabled());
}

// ---- Menu commands -------------------------------------------------------------------------

void frmZAM::ChangeGPLDirectory() {
    if (!gpl_) return;
    std::string folder = FrontEndValue("Paths", "GPL");
    std::string exeName;
    if (gpl_->FindGPLExe(folder, exeName).empty()) return;
    WriteLoaderCommand("", "Run");
}

void frmZAM::ListHashTable() {
    if (!gpl_) return;
    const platform::Status status = gpl_->ListHashTable();
    if (!status.ok())
        ui_.ShowMessage("HashTable.csv could not be written: " + status.description);
}

}  // namespace zam
