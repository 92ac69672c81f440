#include "zam/frontend/TrackListsTab.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "zam/controls/BoundStore.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/PictureLabel.h"
#include "zam/frontend/SeasonFile.h"
#include "zam/frontend/frmEditSeasonEntry.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"

namespace zam {

namespace {

QPushButton* NewButton(const char* name, const char* caption, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

void Select(QListWidget* list, int position) {
    if (position >= 1 && position <= list->count()) list->setCurrentRow(position - 1);
}

// A track list is wide enough for a name of 24 characters, or for its longest name up to twice
// that, beside the scroll bar that a full season of 64 events needs.
void FitListWidth(QListWidget* list) {
    const QFontMetrics metrics(list->font());
    const int sample = metrics.horizontalAdvance(QStringLiteral("Nürburgring Nordschleife"));
    int widest = sample;
    for (int row = 0; row < list->count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(list->item(row)->text()));
    const int chrome = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) +
                       2 * list->frameWidth() + 4 * list->spacing() + metrics.averageCharWidth();
    list->setMinimumWidth(std::min(widest, 2 * sample) + chrome);
}

void FillList(QListWidget* list, const TrackList& tracks) {
    list->clear();
    for (const auto& entry : tracks) list->addItem(controls::ToQt(entry.displayName));
    FitListWidth(list);
}

// Inserts `widget` at `index` into a frame that the window built from the catalogue (its
// controls stand in one column); false when there is no such frame.
bool InsertIntoFrame(QWidget* frame, int index, QWidget* widget) {
    auto* column = frame ? qobject_cast<QVBoxLayout*>(frame->layout()) : nullptr;
    if (!column) return false;
    column->insertWidget(index, widget);
    return true;
}

}  // namespace

TrackListsTab::TrackListsTab(clsGPL& gpl, UserInterface& ui,
                             const controls::ControlRegistry& registry, std::string programFolder,
                             QWidget* parent)
    : QWidget(parent),
      gpl_(gpl),
      ui_(ui),
      registry_(registry),
      programFolder_(std::move(programFolder)),
      lists_(std::make_unique<TrackLists>(gpl)) {
    setObjectName("TrackListsTab");
    lblTrackini = new QLabel("Active Tracks (0)", this);
    lstTrackIni = new QListWidget(this);
    lstTrackIni->setObjectName("lstTrackIni");
    lblOtherTracks = new QLabel("Inactive Tracks (0)", this);
    lstOtherTracks = new QListWidget(this);
    lstOtherTracks->setObjectName("lstOtherTracks");
    cmdTrkAdd = NewButton("cmdTrkAdd", "<< &Add", "Make the selected track active", this);
    cmdTrkRemove =
        NewButton("cmdTrkRemove", "Remo&ve >>", "Make the selected track inactive", this);
    cmdMoveTrackUp = NewButton("cmdMoveTrackUp", "Move &Up", "Move the track up the season", this);
    cmdMoveTrackDown = NewButton("cmdMoveTrackDown", "Move &Down", "Move the track down the season", this);
    cmdSortTracksByDate =
        NewButton("cmdSortTracksByDate", "Sort &by Date", "Order the season by date", this);
    cmdSortTracksByName = NewButton("cmdSortTracksByName", "Sort by &Name", "Order the season by name", this);
    cmdEditSeasonEntry = NewButton("cmdEditSeasonEntry", "&Edit Entry", "Edit the selected season entry", this);
    cmdSaveSeason = NewButton("cmdSaveSeason", "&Save Season", "Save this season to a file", this);
    cmdLoadSeason = NewButton("cmdLoadSeason", "L&oad Season", "Load a saved season", this);
    txtSeasonName = new QLineEdit(this);
    txtSeasonName->setObjectName("txtSeasonName");
    txtSeasonName->installEventFilter(this);
    for (std::size_t i = 0; i < lblTrackData.size(); ++i) {
        lblTrackData[i] = new QLabel(this);
        lblTrackData[i]->setObjectName(QString("lblTrackData%1").arg(i));
    }
    BuildLayout();
    ConnectHandlers();
}

TrackListsTab::~TrackListsTab() = default;

void TrackListsTab::BuildLayout() {
    auto* active = new QVBoxLayout;
    active->addWidget(lblTrackini);
    active->addWidget(lstTrackIni, 1);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* button : {cmdTrkAdd, cmdTrkRemove, cmdMoveTrackUp, cmdMoveTrackDown,
                                cmdSortTracksByDate, cmdSortTracksByName, cmdEditSeasonEntry})
        middle->addWidget(button);
    middle->addStretch(1);
    auto* inactive = new QVBoxLayout;
    inactive->addWidget(lblOtherTracks);
    inactive->addWidget(lstOtherTracks, 1);
    auto* column = new QHBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(active, 1);
    column->addLayout(middle);
    column->addLayout(inactive, 1);

    // The current circuit's data goes into the window's "Track Details" frame, the season's name
    // and files into its "Season" frame; without those frames they stand below the lists.
    auto* details = new QWidget(this);
    details->setObjectName("trackDetails");
    auto* grid = new QGridLayout(details);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < lblTrackData.size(); ++i)
        grid->addWidget(lblTrackData[i], static_cast<int>(i / 2), static_cast<int>(i % 2));

    auto* name = new QWidget(this);
    auto* nameRow = new QHBoxLayout(name);
    nameRow->setContentsMargins(0, 0, 0, 0);
    auto* nameLabel = new QLabel("Season Na&me", name);
    nameLabel->setBuddy(txtSeasonName);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(txtSeasonName, 1);
    auto* files = new QWidget(this);
    auto* filesRow = new QHBoxLayout(files);
    filesRow->setContentsMargins(0, 0, 0, 0);
    filesRow->addWidget(cmdSaveSeason);
    filesRow->addWidget(cmdLoadSeason);
    filesRow->addStretch(1);

    QWidget* detailsFrame = registry_.Frame("frmTrackDetails");
    QWidget* seasonFrame = registry_.Frame("frmSeason");
    if (!InsertIntoFrame(detailsFrame, 0, details) || !InsertIntoFrame(seasonFrame, 0, name) ||
        !InsertIntoFrame(seasonFrame, 2, files)) {
        auto* below = new QVBoxLayout;
        for (QWidget* part : {details, name, files}) below->addWidget(part);
        column->addLayout(below);
    }
}

void TrackListsTab::ConnectHandlers() {
    connect(cmdTrkAdd, &QPushButton::clicked, this, [this] { cmdTrkAdd_Click(); });
    connect(lstOtherTracks, &QListWidget::itemDoubleClicked, this, [this] { cmdTrkAdd_Click(); });
    connect(cmdTrkRemove, &QPushButton::clicked, this, [this] { cmdTrkRemove_Click(); });
    connect(cmdMoveTrackUp, &QPushButton::clicked, this, [this] { cmdMoveTrackUp_Click(); });
    connect(cmdMoveTrackDown, &QPushButton::clicked, this, [this] { cmdMoveTrackDown_Click(); });
    connect(cmdSortTracksByDate, &QPushButton::clicked, this, [this] { cmdSortTracksByDate_Click(); });
    connect(cmdSortTracksByName, &QPushButton::clicked, this, [this] { cmdSortTracksByName_Click(); });
    connect(cmdEditSeasonEntry, &QPushButton::clicked, this, [this] { cmdEditSeasonEntry_Click(); });
    connect(lstTrackIni, &QListWidget::itemDoubleClicked, this, [this] { cmdEditSeasonEntry_Click(); });
    connect(cmdSaveSeason, &QPushButton::clicked, this, [this] { cmdSaveSeason_Click(); });
    connect(cmdLoadSeason, &QPushButton::clicked, this, [this] { cmdLoadSeason_Click(); });
    if (controls::ucDropDown* track = registry_.DropDown("cbxTrack"))
        connect(track, &controls::BoundControl::Change, this, [this] { TrackChanged(); });
}

bool TrackListsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSeasonName && event->type() == QEvent::FocusOut) txtSeasonName_LostFocus();
    return QWidget::eventFilter(watched, event);
}

void TrackListsTab::SetPictures(QLabel* imgTrack, QLabel* imgTrack2) {
    imgTrack_ = imgTrack;
    imgTrack2_ = imgTrack2;
}

std::vector<QWidget*> TrackListsTab::TabOrder() const {
    return {lstTrackIni,         cmdTrkAdd,
            cmdTrkRemove,        cmdMoveTrackUp,
            cmdMoveTrackDown,    cmdSortTracksByDate,
            cmdSortTracksByName, cmdEditSeasonEntry,
            lstOtherTracks,      registry_.Find("spnDlong"),
            txtSeasonName,       registry_.Find("spnYear"),
            cmdSaveSeason,       cmdLoadSeason};
}

int TrackListsTab::SelectedActive() const { return lstTrackIni->currentRow() + 1; }
int TrackListsTab::SelectedInactive() const { return lstOtherTracks->currentRow() + 1; }

void TrackListsTab::ReadTrackFolders() {
    lists_->ReadTrackFolders();
    FillTrackDropDown();
}

void TrackListsTab::FillTrackDropDown() {
    controls::ucDropDown* track = registry_.DropDown("cbxTrack");
    if (!track) return;
    track->Clear();
    const std::int32_t events = gpl_.NoOfTracks();
    for (int n = 1; n <= events; ++n)
        track->AddItem(lists_->TrackDisplayName(n, ""),
                       gpl_.IniValue(kSeasonFile, EventSection(n), "trackDirectory"));
}

void TrackListsTab::ShowTrackLists() {
    FillList(lstTrackIni, lists_->ActiveTracks);
    lblTrackini->setText(QString("Active Tracks (%1)").arg(lists_->ActiveTracks.size()));
    txtSeasonName->setText(controls::ToQt(lists_->SeasonName()));
    if (controls::ucSpinner* year = registry_.Spinner("spnYear")) year->Refresh();
    FillList(lstOtherTracks, lists_->InactiveTracks);
    lblOtherTracks->setText(QString("Inactive Tracks (%1)").arg(lists_->InactiveTracks.size()));
    ShowTrackData();
}

void TrackListsTab::ShowTrackData() {
    controls::ucDropDown* track = registry_.DropDown("cbxTrack");
    const std::string dir = track ? track->Value() : std::string();
    const int eventNo = track ? track->ListIndex() : 0;
    const bool usable = IsSafeTrackDirectory(dir);
    auto trackData = [&](const char* entry) {
        return usable ? gpl_.TrackData(dir, "track", entry) : std::string();
    };
    const std::string record = "Tracks\\" + dir + "\\record.ini";
    const std::string recordTime = usable ? gpl_.IniValue(record, "Lap Record", "time") : "";
    const std::string texts[8] = {
        trackData("track_name"),
        trackData("track_num_turns") + " Turns",
        "Length: " + trackData("track_length"),
        "GP Length " + gpl_.IniValue(kSeasonFile, EventSection(eventNo), "numberOfLaps") + " laps",
        "",
        "",
        "Lap record: " + FormatLapTime(platform::LeadingNumber(recordTime)),
        "by " + (usable ? gpl_.IniValue(record, "Lap Record", "player") : std::string()),
    };
    for (std::size_t i = 0; i < lblTrackData.size(); ++i) {
        lblTrackData[i]->setText(controls::ToQt(texts[i]));
        lblTrackData[i]->setHidden(texts[i].empty());  // no blank line for the unused two
    }
    if (usable) controls::BindTrackControls(registry_, dir);
}

void TrackListsTab::ShowPicture(const std::string& dir) {
    QPixmap picture;
    auto& fs = platform::Fs();
    const std::string own = programFolder_ + "Pictures\\" + dir + ".jpg";
    const std::string shot = gpl_.Directory() + "Tracks\\" + dir + "\\screenshot.bmp";
    if (!dir.empty() && fs.FileExists(own))
        picture = LoadPicture(own);
    else if (!dir.empty() && fs.FileExists(shot))
        picture = LoadPicture(shot);
    for (QLabel* label : {imgTrack_, imgTrack2_})
        if (label) zam::ShowPicture(*label, picture);
}

void TrackListsTab::TrackChanged() {
    controls::ucDropDown* track = registry_.DropDown("cbxTrack");
    const std::string dir = track ? track->Value() : std::string();
    if (IsSafeTrackDirectory(dir)) {
        if (gpl_.TrackData(dir, "track", "track_name").empty()) {
            gpl_.ReadIniFile(gpl_.Directory() + "Tracks\\" + dir + "\\track.ini");
            gpl_.ReadIniFile(gpl_.Directory() + "Tracks\\" + dir + "\\record.ini");
        }
        ShowPicture(dir);
    } else {
        ShowPicture("");
    }
    ShowTrackLists();
    if (onTrackChanged) onTrackChanged();
}

void TrackListsTab::SeasonChanged(int select) {
    FillTrackDropDown();
    if (controls::ucDropDown* track = registry_.DropDown("cbxTrack")) track->Refresh();
    ShowTrackLists();
    Select(lstTrackIni, select);
}

void TrackListsTab::cmdTrkAdd_Click() {
    const int added = lists_->AddTrack(SelectedInactive());
    if (added > 0) SeasonChanged(added);
}

void TrackListsTab::cmdTrkRemove_Click() {
    const int select = lists_->RemoveTrack(SelectedActive());
    if (select > 0) SeasonChanged(select);
}

void TrackListsTab::cmdMoveTrackUp_Click() {
    const int select = lists_->MoveTrackUp(SelectedActive());
    if (select > 0) SeasonChanged(select);
}

void TrackListsTab::cmdMoveTrackDown_Click() {
    const int select = lists_->MoveTrackDown(SelectedActive());
    if (select > 0) SeasonChanged(select);
}

void TrackListsTab::cmdSortTracksByDate_Click() {
    if (lists_->SortSeasonByDate()) SeasonChanged(0);
}

void TrackListsTab::cmdSortTracksByName_Click() {
    if (lists_->SortSeasonByName()) SeasonChanged(0);
}

void TrackListsTab::cmdEditSeasonEntry_Click() {
    const int selected = SelectedActive();
    if (selected < 1) return;
    EditSeasonEntry(gpl_, ui_, selected, window());
    ShowTrackLists();
    Select(lstTrackIni, selected);
}

void TrackListsTab::cmdSaveSeason_Click() { SaveSeason(gpl_, ui_); }

void TrackListsTab::cmdLoadSeason_Click() {
    if (LoadSeason(gpl_, ui_, *lists_)) SeasonChanged(0);
}

void TrackListsTab::txtSeasonName_LostFocus() {
    lists_->SetSeasonName(controls::FromQt(txtSeasonName->text()));
}

}  // namespace zam
