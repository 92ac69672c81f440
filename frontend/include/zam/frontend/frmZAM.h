#pragma once
// The main window of the front end. Its start-up (Load) builds the installation model and the
// engine object, fills every list and restores the window; its close sequence saves the session,
// writes every changed file back and, as its last act, starts the loader when a loader command is
// pending. Everything the user does happens in its event handlers.
//
// Other features plug in through the hooks marked below (track lists, setup lists, launcher
// buttons): each is an ordinary member function that the start-up and the handlers already call.
#include <QMainWindow>
#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zam/controls/ControlRegistry.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/frontend/SessionState.h"
#include "zam/frontend/SkippedSteps.h"
#include "zam/frontend/frmRestore.h"
#include "zam/platform/Paths.h"
#include "zam/store/UserInterface.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zam {

class clsEngines;
class clsGPL;
struct ModeFrames;

namespace controls {
class RasteriserProfiles;
class ucDropDown;
}  // namespace controls

// Values of ShutDownOption.
inline constexpr int kWindowInUse = -1;
inline constexpr int kLoaderCommandWritten = 0;
inline constexpr int kShutdownPc = 1;
inline constexpr int kRestartPc = 2;
inline constexpr int kSaveAndExit = 3;
inline constexpr int kExitWithoutSaving = 4;
inline constexpr int kStartupFailure = 6;
inline constexpr int kLaunch = 9;

inline constexpr const char* kMainCaption = "ZAM Deck";
inline constexpr const char* kFrontEndIni = "ZAM.Ini";

// Captions of the main tabs, in order.
inline constexpr std::array<const char*, 6> kMainTabs = {
    "&1 - GPL", "&2 - Graphics", "&3 - Options", "&4 - Tracks", "&5 - Buttons", "&6 - Engines"};

class frmZAM : public QMainWindow {
    Q_OBJECT

public:
    // What the window needs from outside; tests replace the parts that would reach the user or
    // the real program folder.
    struct Options {
        // Folder of the front end's executable (ending in a separator) and the executable's
        // name without extension; empty: the running program's.
        std::string programFolder;
        std::string programName;
        // The exit dialog: returns the chosen ShutDownOption. Empty: frmShutdown.
        std::function<int(QWidget*)> askExitChoice;
        // The about box. Empty: frmAbout.
        std::function<void(QWidget*)> showAbout;
        // Screen width in pixels for the screen check. Empty: the window's screen.
        std::function<int()> screenWidth;
        // The screen's area free for windows, for the first size. Empty: the window's screen's.
        std::function<QRect()> screenArea;
        // Random numbers in [0, 1) for the random background. Empty: seeded from the clock.
        std::function<double()> random;
    };

    explicit frmZAM(UserInterface& ui, Options options = {});
    ~frmZAM() override;

    // The load event: the whole start-up sequence. False when start-up failed; the window has
    // then already run its close sequence (nothing saved) and must not be shown.
    bool Load();
    // True once the close sequence has finished (the window may be destroyed).
    bool Finished() const { return finished_; }
    // Says, once, what the loader could not do on the run that brought this start (left in
    // ZAM.int): called when the window is on screen, or by a start-up that failed.
    void TellLoaderFailure();

    // What closing the window will do (see the constants above).
    std::int32_t ShutDownOption = kWindowInUse;
    // The command word written to ZAM.int; when not empty the loader starts after the close.
    std::string LoaderCommand;

    // ---- Launch ------------------------------------------------------------------------
    // The "&Run GPL" button.
    void LaunchSimulator();
    // The simulator's command line for the selected mode.
    std::string SimulatorCommand();
    // Writes ZAM.int and closes the window; the loader carries the command out. When the loader
    // cannot be started or ZAM.int cannot be written, says so and keeps the window open with
    // nothing written.
    void WriteLoaderCommand(const std::string& commandLine, const std::string& command);
    // Applied on every close that keeps the changes.
    void SaveSessionState();

    // ---- Modes and race set-up ------------------------------------------------------------
    // A click on option `index` of the launch modes.
    void SelectMode(int index);
    int SelectedMode() const;
    void ResizeRaceTabControls();

    // ---- Time counter, screenshots, backgrounds ---------------------------------------------
    void MoveScreenshots();
    void FillBackgroundList();
    void FillHelmetList();
    void ResetTimer();

    // ---- Player, class and car ----------------------------------------------------------------
    void FillPlayerList();
    void AppendClassToName();
    void RebindPlayerControls();
    // The selected player's folder name, empty when none.
    std::string PlayerId() const;

    // ---- Engines tab ----------------------------------------------------------------------
    // Refreshes the engine drop-downs (an empty one selects its chassis' own engine) and
    // chkAppendClass.
    void RefreshEngineLists();

    // ---- Hooks for the track lists, setup lists and launcher buttons ------------------------
    // Start-up step before the model exists: the run-mode captions of the button editor.
    void PrepareButtonEditor();
    // Start-up step for the track lists and cbxTrack (fills the season and other-track lists).
    void FillTrackLists();
    // Rebuilds one setup list (cbxCurSetup or cbxRaceSetup) for the player, track, class, car.
    void FillSetupList(controls::ucDropDown& list);
    // Both setup lists, as the player, class and car handlers rebuild them.
    void FillSetupLists();
    // Points cbxRaceSetup at the index of the selected player and track (race tab set-up).
    void BindRaceSetupList();
    // Start-up step: the launcher-button tabs and buttons from ZAM.Ini.
    void BuildLauncherButtons();
    // The Buttons tab came to the front, or the player list was rebuilt.
    void RefreshButtonsTab();
    // The Tracks tab came to the front.
    void RefreshTracksTab();

    // ---- Menu commands ----------------------------------------------------------------------
    void ChangeGPLDirectory();
    // File > Restore Settings: puts chosen files back as one of their backups (and, when asked,
    // every chassis back to its own engine), then starts ZAMDeck again without writing anything
    // of this session back, so that nothing is written over what was restored.
    void RestoreSettings();
    void ShowAbout();
    // Writes HashTable.csv (hash index statistics) into the program folder.
    void ListHashTable();

    // ---- Parts other features and tests reach ---------------------------------------------
    clsGPL* GPL() const { return gpl_.get(); }
    clsEngines* Engines() const { return engines_.get(); }
    UserInterface& Ui() const { return ui_; }
    const controls::ControlRegistry& Controls() const { return controls_; }
    controls::ucDropDown* DropDown(const char* name, int element = -1) const;
    // The current player's files (relative to the simulator folder).
    const controls::PlayerFiles& PlayerFiles() const { return playerFiles_; }
    // Reads and writes of ZAM.Ini (held in the store under its bare name).
    std::string FrontEndValue(const char* section, const char* entry) const;
    void SetFrontEndValue(const char* section, const char* entry, const std::string& value);

    QTabWidget* tabGeneral = nullptr;
    std::array<QWidget*, 6> tabPages{};
    QGroupBox* frmMode = nullptr;
    std::array<QRadioButton*, 5> optMode{};
    QGroupBox* frmSettings = nullptr;
    QLabel* imgMode = nullptr;
    QLabel* imgCar = nullptr;
    QLabel* imgTrack = nullptr;   // the circuit's picture beside the car's (first tab)
    QLabel* imgTrack2 = nullptr;  // its copy beside the circuit's data (Tracks tab)
    QLineEdit* txtIPAddress = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLabel* lblGPLTime = nullptr;
    QPushButton* cmdResetTimer = nullptr;
    QPushButton* cmdGPL = nullptr;
    QPushButton* cmdGRE = nullptr;
    QCheckBox* chkAllCars = nullptr;
    // Empty areas the track lists and the launcher buttons fill.
    QWidget* trackListArea = nullptr;
    QWidget* buttonEditorArea = nullptr;
    QWidget* launcherArea = nullptr;
    QAction* mniChangeDirectory = nullptr;
    QAction* mniRestore = nullptr;
    QAction* mniExit = nullptr;
    QAction* mniHelpAbout = nullptr;
    QAction* mniHashTable = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Construction and layout.
    void BuildMenus();
    void BuildControls();
    QWidget* BuildSelectionRow();
    QWidget* BuildGplPage();
    QWidget* BuildGraphicsPage();
    QWidget* BuildOptionsPage();
    QWidget* BuildTracksPage();
    QWidget* BuildButtonsPage();
    QWidget* BuildEnginesPage();
    QWidget* BuildStatusRow();
    void ConnectHandlers();
    QGroupBox* Frame(const char* name);

    // Start-up.
    bool CheckScreenSize(bool fromStartup);
    void EnterSettingsFolder();
    bool ProgramFolderHoldsProgram() const;
    void ReadLoaderReturn();
    void PlayStartupSound();
    bool CreateModel();
    void FillStartupLists();
    void FillEngineLists();
    void FillCarAndClassLists();
    void RestoreGeometry();
    // The window size at which no page scrolls, whatever the launch mode.
    QSize SizeWithoutScrolling();
    void UpdateTimeCounter();
    void OnDisplayChange();

    // Tabs.
    void OnTabChanged(int index);
    void OnTabClicked(int index);
    void RunTabAction(int index);
    void LayoutGraphicsTab();

    // Handlers.
    void OnPlayerChange();
    void OnClassChange();
    void OnCarChange();
    void OnEngineChange();
    void OnQualifyingChange();
    void OnAddressEdited();
    void ShowModeFrames(const ModeFrames& frames);
    std::vector<QWidget*> ModeWidgets() const;
    void ShowCarPicture(const std::string& carValue);
    void ShowModePicture(const std::string& modeText);
    EngineSelection SelectedEngines() const;
    int EngineForSuffix(const std::string& classCode) const;

    // Tells the user, once, of the steps skipped since the last report (`when`: "starting",
    // "closing", ...).
    void ReportSkippedSteps(const char* when);

    // Closing.
    enum class CloseOutcome { kProceed, kCancel, kDiscard };
    void CommitPendingEdit();
    CloseOutcome CloseRequest();
    void Discard();
    void Unload();
    void AfterUnload();
    void SaveWindowPosition();
    int WindowStateCode() const;
    void ApplyRandomBackground();
    bool HandToLoader(const std::string& word, const std::string& commandLine);
    // Writes ZAM.int for the loader once it is sure the loader can run: what went wrong, in words,
    // or the empty text.
    std::string PassToLoader(const std::string& word, const std::string& commandLine);
    // Restore Settings, after the choice: each step tells the user what it did.
    std::vector<BackedUpFile> BackedUpFiles() const;
    std::string RestoreFiles(const RestoreChoice& choice, bool& changed);
    std::string ResetEngines(bool& changed);
    void KeepRunRecords();
    void RestartWithoutSaving(const std::string& report);
    std::string LoaderProblem() const;
    std::string LoaderPath() const;
    std::string LoaderCommandLine() const;

    // A file beside the executables (the loader), one that ships with the program (Pictures\,
    // Startup.wav) and one the program writes for itself (ZAM.int): see ProgramFolders.
    std::string ProgramFile(const std::string& relative) const;
    std::string ShippedFile(const std::string& relative) const;
    std::string SettingsFile(const std::string& relative) const;
    double Dpi() const;

    UserInterface& ui_;
    Options options_;
    platform::ProgramFolders folders_;
    std::unique_ptr<clsGPL> gpl_;
    std::unique_ptr<clsEngines> engines_;
    controls::ControlRegistry controls_;
    std::unique_ptr<controls::RasteriserProfiles> rasterisers_;
    SkippedSteps skipped_;
    controls::PlayerFiles playerFiles_;
    QButtonGroup* modeGroup_ = nullptr;
    std::string gplPath_;
    std::int64_t elapsedSeconds_ = 0;
    std::string loaderFailure_;  // what the loader could not do, in words; empty when nothing
    int previousTab_ = 0;
    bool loaded_ = false;
    bool finished_ = false;
    bool closing_ = false;
    bool resizing_ = false;
    bool checkingDisplay_ = false;
    // Files on disk were put back while the window was open: its close must write nothing.
    bool restartWithoutSaving_ = false;
};

}  // namespace zam
