// The season's event list and the installed tracks: start-up, renumbering and the 64-event limit,
// against generated demo installations; then the Tracks tab's lists as a user works them
// (offscreen).
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
#include "zam/frontend/TrackLists.h"
#include "zam/frontend/TrackListsTab.h"

namespace zam::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

const std::vector<std::string> kDemoSeason = {"kyalami", "monaco",      "zandvoort",   "spa",
                                              "rouen",   "silverstone", "nurburgring", "monza",
                                              "mosport", "watglen",     "mexico"};

class TrackListsTest : public DemoGplTest {
protected:
    std::vector<std::string> SeasonDirs() {
        std::vector<std::string> dirs;
        for (int n = 1; n <= gpl->NoOfTracks(); ++n) dirs.push_back(Season(n, "trackDirectory"));
        return dirs;
    }
};

TEST_F(TrackListsTest, StartUpBuildsTheListsAndAdoptsDefaultsAndDateKeysPadMonthAndDay) {
    ReadTracks();
    EXPECT_EQ(Dirs(lists->ActiveTracks), kDemoSeason);
    EXPECT_THAT(Dirs(lists->InactiveTracks), ElementsAre("brands", "oring"));
    // Display names: the track's own file, else the built-in table, else the folder name.
    EXPECT_EQ(lists->ActiveTracks[1].displayName, "Monaco");
    EXPECT_EQ(lists->ActiveTracks[3].displayName, "Spa Francorchamps");
    EXPECT_EQ(lists->ActiveTracks[0].displayName, "Kyalami");
    // The first season seen becomes the user's defaults.
    EXPECT_EQ(gpl->FullPathIniValue(kSeasonDefaultsIni, "kyalami", "name"),
              "South African Grand Prix");
    EXPECT_EQ(gpl->FullPathIniValue(kSeasonDefaultsIni, "kyalami", "numberOfLaps"), "80");
    EXPECT_TRUE(gpl->FullPathIniValue(kSeasonDefaultsIni, "brands", "name").empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(lists->TrackDisplayName(0, "my track"), "My Track");
    EXPECT_EQ(lists->TrackDisplayName(0, "SPA"), "Spa Francorchamps");
    EXPECT_EQ(lists->TrackDisplayName(2, "ignored"), "Monaco");
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "a", "Month", "5");
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "a", "Day", "7");
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "b", "Month", "10");
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "b", "Day", "1");
    EXPECT_EQ(lists->TrackDateKey("a"), "0507");
    EXPECT_EQ(lists->TrackDateKey("b"), "1001");
    lists->ActiveTracks = {{"b", "B"}, {"a", "A"}};
    lists->SortByDate();
    EXPECT_THAT(Dirs(lists->ActiveTracks), ElementsAre("a", "b"));
}

TEST_F(TrackListsTest, RaceLengthOverrideIsUndoneOnDiskAndTheLastEventCannotBeRemoved) {
    MakeDemo();
    WriteGpl("Seasons/67Season.Ini",
             "[Season]\r\nname=S\r\nyear=1967\r\nnumEvents=1\r\n\r\n[Event1]\r\nname=A\r\n"
             "shortName=A\r\ntrackDirectory=monza\r\nmonth=09\r\nday=10\r\nnumberOfLaps=20\r\n"
             "startingGrid=3\r\noriginalGPLength=40\r\n");
    ReadTracks();
    EXPECT_EQ(Season(1, "numberOfLaps"), "40");
    EXPECT_EQ(lists->RemoveTrack(1), 0);
    EXPECT_EQ(lists->ActiveTracks.size(), 1u);
    EXPECT_EQ(gpl->NoOfTracks(), 1);
    gpl.reset();  // writes the changed files back
    const std::string season = tmp.read("gpl/Seasons/67Season.Ini");
    EXPECT_THAT(season, testing::ContainsRegex("numberOfLaps *= *40"));
    EXPECT_THAT(season, testing::Not(HasSubstr("originalGPLength")));
    EXPECT_THAT(tmp.read("prog/SZAM.Ini"), testing::ContainsRegex("trackDirectory *= *monza"));
}

TEST_F(TrackListsTest, EventsOfMissingOrUnsafeFoldersStayAsNotInstalled) {
    MakeDemo();
    WriteGpl("Seasons/67Season.Ini",
             "[Season]\r\nnumEvents=3\r\n[Event1]\r\ntrackDirectory=monza\r\n"
             "[Event2]\r\ntrackDirectory=my track\r\n[Event3]\r\ntrackDirectory=..\\Players\r\n");
    ReadTracks();
    ASSERT_EQ(lists->ActiveTracks.size(), 3u);
    EXPECT_EQ(lists->ActiveTracks[1].directory, "");
    EXPECT_EQ(lists->ActiveTracks[1].displayName, "My Track (Not Installed)");
    EXPECT_EQ(lists->ActiveTracks[2].directory, "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("..\\Players"));
    // Such an entry cannot be made active again once it is inactive.
    EXPECT_EQ(lists->RemoveTrack(2), 2);
    const int back = FindTrack(lists->InactiveTracks, "");
    ASSERT_GT(back, 0);
    EXPECT_EQ(lists->AddTrack(back), 0);
    EXPECT_EQ(ui.messages.back().text, "Track does not exist in Tracks directory");
}

TEST_F(TrackListsTest, RemovingRenumbersWithoutGaps) {
    ReadTracks();
    EXPECT_EQ(lists->RemoveTrack(1), 1);
    std::vector<std::string> expected(kDemoSeason.begin() + 1, kDemoSeason.end());
    EXPECT_EQ(SeasonDirs(), expected);
    EXPECT_EQ(Dirs(lists->ActiveTracks), expected);
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "numEvents"), "10");
    EXPECT_EQ(Season(1, "name"), "Monaco Grand Prix");
    // The removed track joins the inactive list, sorted by name.
    EXPECT_THAT(Dirs(lists->InactiveTracks), ElementsAre("brands", "kyalami", "oring"));
    // Removing the last event selects the new last one.
    EXPECT_EQ(lists->RemoveTrack(10), 9);
    gpl.reset();
    const std::string season = tmp.read("gpl/Seasons/67Season.Ini");
    EXPECT_THAT(season, testing::Not(HasSubstr("[Event10]\r\nname")));
    EXPECT_THAT(season, HasSubstr("numEvents=9"));
}

TEST_F(TrackListsTest, SixtyFourEventsAtMost) {
    tools::DemoOptions options;
    options.tracks = 67;  // 64 in the season, three inactive
    MakeDemo(options);
    ReadTracks();
    ASSERT_EQ(gpl->NoOfTracks(), 64);
    ASSERT_EQ(lists->InactiveTracks.size(), 3u);
    EXPECT_EQ(lists->AddTrack(1), 0);
    EXPECT_EQ(ui.MessageTexts().back(),
              "GPL can only handle a maximum of 64 active tracks.\rPlease make one or more "
              "tracks inactive then try again.");
    EXPECT_EQ(lists->InactiveTracks.size(), 3u);
    lists->RemoveTrack(64);
    ASSERT_EQ(gpl->NoOfTracks(), 63);
    EXPECT_EQ(lists->AddTrack(1), 64);
    EXPECT_EQ(gpl->NoOfTracks(), 64);
    EXPECT_EQ(lists->AddTrack(1), 0);
    EXPECT_EQ(gpl->NoOfTracks(), 64);
}

TEST_F(TrackListsTest, MovesSwapNeighboursStopAtTheEndsSortAndAddingUsesDefaultsInOrder) {
    ReadTracks();
    EXPECT_EQ(lists->MoveTrackUp(1), 0);
    EXPECT_EQ(lists->MoveTrackDown(11), 0);
    EXPECT_EQ(lists->MoveTrackUp(2), 1);
    EXPECT_EQ(Season(1, "trackDirectory"), "monaco");
    EXPECT_EQ(Season(2, "trackDirectory"), "kyalami");
    EXPECT_EQ(Season(2, "numberOfLaps"), "80");
    EXPECT_EQ(lists->MoveTrackDown(1), 2);
    EXPECT_EQ(SeasonDirs(), kDemoSeason);
    EXPECT_EQ(Dirs(lists->ActiveTracks), kDemoSeason);
    // Sorts by date and by name.
    EXPECT_TRUE(lists->SortSeasonByDate());
    std::vector<std::string> byDate = kDemoSeason;
    std::swap(byDate[7], byDate[8]);  // Mosport (08/27) before Monza (09/10)
    EXPECT_EQ(SeasonDirs(), byDate);
    EXPECT_TRUE(lists->SortSeasonByName());
    EXPECT_THAT(SeasonDirs(),
                ElementsAre("kyalami", "mexico", "monaco", "monza", "mosport", "nurburgring",
                            "rouen", "silverstone", "spa", "watglen", "zandvoort"));
    EXPECT_EQ(Dirs(lists->ActiveTracks), SeasonDirs());
    // Adding, here to the season sorted by name, uses defaults in order of preference.
    // brands has neither its own data nor the user's: built-in defaults after a message.
    EXPECT_EQ(lists->AddTrack(FindTrack(lists->InactiveTracks, "brands")), 12);
    EXPECT_EQ(ui.MessageTexts().back(),
              "Information not available for Brands\rAssigning default parameters");
    EXPECT_EQ(Season(12, "name"), "Brands Hatch");
    EXPECT_EQ(Season(12, "shortName"), "Brands Hatch");
    EXPECT_EQ(Season(12, "month"), "04");
    EXPECT_EQ(Season(12, "day"), "17");
    EXPECT_EQ(Season(12, "numberOfLaps"), "75");
    EXPECT_EQ(Season(12, "startingGrid"), "4");
    // oring ships its own data.
    EXPECT_EQ(lists->AddTrack(FindTrack(lists->InactiveTracks, "oring")), 13);
    EXPECT_EQ(Season(13, "numberOfLaps"), "54");
    EXPECT_EQ(gpl->NoOfTracks(), 13);
    // The user's defaults win over the built-in ones once saved.
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "brands", "name", "Race of Champions");
    gpl->SetFullPathIniValue(kSeasonDefaultsIni, "brands", "numberOfLaps", "50");
    lists->RemoveTrack(12);
    EXPECT_EQ(lists->AddTrack(FindTrack(lists->InactiveTracks, "brands")), 13);
    EXPECT_EQ(Season(13, "name"), "Race of Champions");
    EXPECT_EQ(Season(13, "numberOfLaps"), "50");
}

// Moving and sorting rewrite installed tracks from their defaults; an event whose track is not
// installed has no defaults and keeps its own values wherever it goes.
TEST_F(TrackListsTest, AnEventWhoseTrackIsNotInstalledMovesWithItsOwnValues) {
    MakeDemo();
    WriteGpl("Seasons/67Season.Ini",
             "[Season]\r\nnumEvents=3\r\n"
             "[Event1]\r\nname=Italian GP\r\nshortName=Monza\r\ntrackDirectory=monza\r\n"
             "month=09\r\nday=10\r\nnumberOfLaps=68\r\nstartingGrid=3\r\n"
             "[Event2]\r\nname=Club Race\r\nshortName=Club\r\ntrackDirectory=my track\r\n"
             "month=06\r\nday=01\r\nnumberOfLaps=30\r\nstartingGrid=2\r\n"
             "[Event3]\r\nname=Belgian GP\r\nshortName=Spa\r\ntrackDirectory=spa\r\n"
             "month=06\r\nday=18\r\nnumberOfLaps=28\r\nstartingGrid=3\r\n");
    ReadTracks();
    const std::vector<std::string> own = {"Club Race", "Club", "my track", "06", "01", "30", "2"};
    auto eventValues = [&](int n) {
        std::vector<std::string> values;
        for (const char* key : kEventKeys) values.push_back(Season(n, key));
        return values;
    };
    EXPECT_EQ(lists->MoveTrackDown(2), 3);
    EXPECT_EQ(eventValues(3), own);
    EXPECT_EQ(Season(2, "trackDirectory"), "spa");
    EXPECT_EQ(lists->ActiveTracks[2].displayName, "My Track (Not Installed)");
    EXPECT_EQ(lists->MoveTrackUp(3), 2);
    EXPECT_EQ(eventValues(2), own);
    EXPECT_TRUE(lists->SortSeasonByName());  // Monza, My Track, Spa
    EXPECT_EQ(eventValues(2), own);
    EXPECT_EQ(Season(3, "trackDirectory"), "spa");
    EXPECT_TRUE(lists->SortSeasonByDate());  // a track that is not installed has no date: first
    EXPECT_EQ(eventValues(1), own);
    EXPECT_THAT(SeasonDirs(), ElementsAre("my track", "spa", "monza"));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}

TEST(TrackListHelpers, MoveTrackAppendsOrSwapsAndSafeDirectories) {
    TrackList a = {{"x", "X"}, {"y", "Y"}, {"z", "Z"}};
    TrackList b;
    MoveTrack(a, 2, b, 0);
    EXPECT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1].directory, "z");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].directory, "y");
    MoveTrack(a, 1, a, 2);
    EXPECT_EQ(a[0].directory, "z");
    MoveTrack(a, 5, b, 0);  // out of range: nothing
    EXPECT_EQ(a.size(), 2u);
    EXPECT_EQ(FindTrack(a, "X"), 2);
    EXPECT_EQ(FindTrack(a, "q"), 0);
    EXPECT_TRUE(IsSafeTrackDirectory("monza"));
    EXPECT_TRUE(IsSafeTrackDirectory("my track"));
    for (const char* bad : {"", " ", "..", "a\\b", "a/b", "C:x", "..\\x", "x.."})
        EXPECT_FALSE(IsSafeTrackDirectory(bad)) << bad;
}

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
