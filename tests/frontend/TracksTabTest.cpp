// The Tracks tab's lists as a user works them (offscreen).
#include <gmock/gmock.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ScopedCommaLocale.h"
#include "TrackTestSupport.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/TrackListsTab.h"

namespace zam::test {
namespace {

class TracksTabTest : public BoundDemoTest {
protected:
    void Start() {
        OpenBound();
        page = std::make_unique<QWidget>();
        controls::BuildWindowControls("frmZAM", page.get(), registry);
        controls::BindPlayerSelection(registry, "Driver__Sam");
        tab = std::make_unique<TrackListsTab>(*gpl, ui, registry, tmp.logical() + "prog/");
        tab->onTrackChanged = [this] { ++trackChanges; };
        tab->ReadTrackFolders();
        track()->Refresh();
        tab->ShowTrackLists();
    }
    controls::ucDropDown* track() const { return registry.DropDown("cbxTrack"); }

    controls::ControlRegistry registry;
    int trackChanges = 0;
    std::unique_ptr<QWidget> page;
    std::unique_ptr<TrackListsTab> tab;  // last: it is gone before what it reports to
};

TEST_F(TracksTabTest, ListsCaptionsTheTrackDataOfTheChosenCircuitAndButtonsKeepThemInStep) {
    Start();
    EXPECT_EQ(tab->lblTrackini->text().toStdString(), "Active Tracks (11)");
    EXPECT_EQ(tab->lblOtherTracks->text().toStdString(), "Inactive Tracks (2)");
    EXPECT_EQ(track()->NoItems(), 11);
    EXPECT_EQ(track()->Value(), "kyalami");  // the player's last track
    EXPECT_EQ(tab->lblTrackData[0]->text().toStdString(), "Kyalami");
    EXPECT_EQ(tab->lblTrackData[1]->text().toStdString(), "9 Turns");
    EXPECT_EQ(tab->lblTrackData[3]->text().toStdString(), "GP Length 80 laps");
    EXPECT_THAT(tab->lblTrackData[6]->text().toStdString(),
                testing::StartsWith("Lap record: 1:28"));
    EXPECT_EQ(tab->txtSeasonName->text().toStdString(), "1967 ZAMDeck Demo Season");
    EXPECT_GT(trackChanges, 0);
    // Choosing another circuit reads its files.
    track()->SelectIndex(8);  // Monza
    EXPECT_EQ(gpl->IniValue("Players\\Driver__Sam\\Player.ini", "Personal Information",
                            "lastTrackSelection"),
              "monza");
    EXPECT_EQ(tab->lblTrackData[0]->text().toStdString(), "Monza");
    EXPECT_EQ(tab->lblTrackData[3]->text().toStdString(), "GP Length 68 laps");
    // The buttons keep lists and circuits in step.
    tab->lstOtherTracks->setCurrentRow(0);  // brands
    tab->cmdTrkAdd->click();
    EXPECT_EQ(tab->lblTrackini->text().toStdString(), "Active Tracks (12)");
    EXPECT_EQ(track()->NoItems(), 12);
    EXPECT_EQ(tab->lstTrackIni->currentRow(), 11);
    tab->cmdMoveTrackUp->click();
    EXPECT_EQ(tab->lstTrackIni->currentRow(), 10);
    EXPECT_EQ(track()->ItemValue(11), "brands");
    tab->cmdTrkRemove->click();
    EXPECT_EQ(tab->lblOtherTracks->text().toStdString(), "Inactive Tracks (2)");
    EXPECT_EQ(track()->NoItems(), 11);
    tab->txtSeasonName->setText("My Season");
    tab->txtSeasonName_LostFocus();
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "name"), "My Season");
}

// Qt puts the C library on the desktop's locale; a decimal comma there must change neither the
// lap record read from a file nor the files the demo writes.
TEST_F(TracksTabTest, NumbersInFilesReadAndWriteTheSameUnderACommaLocale) {
    ScopedCommaLocale comma;
    if (!comma) GTEST_SKIP() << kNoCommaLocale;
    MakeDemo();
    EXPECT_THAT(tmp.read("gpl/Tracks/kyalami/record.ini"),
                testing::ContainsRegex("time=[0-9]+\\."));
    WriteGpl("Tracks/kyalami/record.ini", "[Lap Record]\r\ntime=83.25\r\nplayer=Jim Clark\r\n");
    Start();
    EXPECT_EQ(tab->lblTrackData[6]->text().toStdString(), "Lap record: 1:23.2500");
}

}  // namespace
}  // namespace zam::test
