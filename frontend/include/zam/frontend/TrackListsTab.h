#pragma once
// The track lists of the "&4 - Tracks" tab: the active (season) and inactive lists with their
// buttons, the season's name and files, and the eight information labels of the current circuit.
// It keeps cbxTrack (the circuit drop-down) filled from the season and follows its changes.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "zam/controls/ControlRegistry.h"
#include "zam/frontend/TrackLists.h"
#include "zam/store/UserInterface.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zam {

class clsGPL;

class TrackListsTab : public QWidget {
    Q_OBJECT
public:
    // `registry` holds cbxTrack, spnDlong and spnYear; `programFolder` (ending in a separator)
    // holds Pictures\ (the folder of the shipped files, see ProgramFolders).
    TrackListsTab(clsGPL& gpl, UserInterface& ui, const controls::ControlRegistry& registry,
                  std::string programFolder, QWidget* parent = nullptr);
    ~TrackListsTab() override;

    TrackLists& Lists() { return *lists_; }

    // Pictures of the current circuit (either may be null).
    void SetPictures(QLabel* imgTrack, QLabel* imgTrack2);
    // The lists, their buttons, the circuit's data and the season, in the order Tab visits them.
    std::vector<QWidget*> TabOrder() const;
    // Runs after the circuit changed (the window rebuilds its setup lists there).
    std::function<void()> onTrackChanged;

    // Start-up: both lists, then cbxTrack.
    void ReadTrackFolders();
    void FillTrackDropDown();
    void ShowTrackLists();
    // The change of cbxTrack: reads the track's files when first chosen, shows its picture.
    void TrackChanged();

    // The buttons.
    void cmdTrkAdd_Click();
    void cmdTrkRemove_Click();
    void cmdMoveTrackUp_Click();
    void cmdMoveTrackDown_Click();
    void cmdSortTracksByDate_Click();
    void cmdSortTracksByName_Click();
    void cmdEditSeasonEntry_Click();
    void cmdSaveSeason_Click();
    void cmdLoadSeason_Click();
    void txtSeasonName_LostFocus();

    QLabel* lblTrackini = nullptr;
    QListWidget* lstTrackIni = nullptr;
    QLabel* lblOtherTracks = nullptr;
    QListWidget* lstOtherTracks = nullptr;
    QPushButton* cmdTrkAdd = nullptr;
    QPushButton* cmdTrkRemove = nullptr;
    QPushButton* cmdMoveTrackUp = nullptr;
    QPushButton* cmdMoveTrackDown = nullptr;
    QPushButton* cmdSortTracksByDate = nullptr;
    QPushButton* cmdSortTracksByName = nullptr;
    QPushButton* cmdEditSeasonEntry = nullptr;
    QPushButton* cmdSaveSeason = nullptr;
    QPushButton* cmdLoadSeason = nullptr;
    QLineEdit* txtSeasonName = nullptr;
    std::array<QLabel*, 8> lblTrackData{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    // After a change of the season: cbxTrack, the lists, and the selection of active entry p.
    void SeasonChanged(int select);
    void ShowTrackData();
    void ShowPicture(const std::string& dir);
    int SelectedActive() const;
    int SelectedInactive() const;

    clsGPL& gpl_;
    UserInterface& ui_;
    const controls::ControlRegistry& registry_;
    std::string programFolder_;
    std::unique_ptr<TrackLists> lists_;
    QLabel* imgTrack_ = nullptr;
    QLabel* imgTrack2_ = nullptr;
};

}  // namespace zam
