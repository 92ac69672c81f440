// Saving and loading season files: name completion, the confirmations, the safe write and the
// renumbering of a loaded season; then the season entry editor: the day lists (leap years), OK,
// Restore Default and Save as Default.
#include <gmock/gmock.h>

#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <regex>
#include <tuple>

#include "FailingFileSystem.h"
#include "FaultSweep.h"
#include "TrackTestSupport.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/SeasonFile.h"
#include "zam/frontend/frmEditSeasonEntry.h"

namespace zam::test {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

class SeasonFileTest : public DemoGplTest {
protected:
    std::string Seasons() const { return Gpl() + "Seasons/"; }
};

TEST(SeasonFileNames, CompletionAndRecognition) {
    EXPECT_EQ(CompleteSeasonFileName("test"), "test.ini");
    EXPECT_EQ(CompleteSeasonFileName("test."), "test.ini");
    EXPECT_EQ(CompleteSeasonFileName("test.txt"), "test.txt");
    TempDir tmp;
    tmp.write("a.ini", " [ season ] \r\nname=x\r\n");
    tmp.write("b.ini", "[Seasons]\r\n");
    tmp.write("c.ini", "");
    tmp.write("d.ini", "[SEASON]");
    EXPECT_TRUE(IsSeasonFile(tmp.logical() + "a.ini"));
    EXPECT_FALSE(IsSeasonFile(tmp.logical() + "b.ini"));
    EXPECT_FALSE(IsSeasonFile(tmp.logical() + "c.ini"));
    EXPECT_TRUE(IsSeasonFile(tmp.logical() + "d.ini"));
    EXPECT_FALSE(IsSeasonFile(tmp.logical() + "missing.ini"));
}

TEST_F(SeasonFileTest, CancellingWritesNothingAndASavedFileHasTheSeasonLayout) {
    ReadTracks();
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_FALSE(tmp.exists("gpl/Seasons/test.ini"));
    Pick(Seasons(), "test");
    EXPECT_TRUE(SaveSeason(*gpl, ui));
    const std::string text = tmp.read("gpl/Seasons/test.ini");
    EXPECT_THAT(text,
                StartsWith("[Season]\r\nname=1967 ZAMDeck Demo Season\r\nyear=1967\r\n"
                           "numEvents=11\r\n\r\n[Event1]\r\nname=South African Grand Prix\r\n"
                           "shortName=Kyalami\r\ntrackDirectory=kyalami\r\nmonth=01\r\n"
                           "day=02\r\nnumberOfLaps=80\r\nstartingGrid=4\r\n\r\n[Event2]\r\n"));
    EXPECT_FALSE(tmp.exists("gpl/Seasons/test.ini.zamtmp"));
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[1].title, "Save Season File");
    EXPECT_EQ(ui.fileRequests[1].pattern, "*.ini");
    EXPECT_TRUE(ui.fileRequests[1].allowNew);
}

TEST_F(SeasonFileTest, ChampionshipSeasonNeedsConfirmationAndAFailedSaveLeavesTheOldFileWhole) {
    ReadTracks();
    Pick(Seasons(), "gp.ini");
    ui.answers.push_back(false);  // No: the dialog opens again, and is cancelled
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_EQ(ui.fileRequests.size(), 2u);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].title, "Save Championship Season?");
    EXPECT_EQ(ui.questions[0].text,
              "Saving as GP.INI will use this set of tracks as your Championship season.\rDo you "
              "want to do this?");
    EXPECT_FALSE(tmp.exists("gpl/Seasons/gp.ini"));
    Pick(Seasons(), "GP");
    ui.answers.push_back(true);
    EXPECT_TRUE(SaveSeason(*gpl, ui));
    EXPECT_TRUE(tmp.exists("gpl/Seasons/GP.ini"));
    {
        tmp.write("gpl/Seasons/old.ini", "[Season]\r\nname=Old\r\n");
        FailingFileSystem fs;
        fs.Fail(FsOp::kRename, 0);
        platform::ScopedFileSystem use(fs);
        Pick(Seasons(), "old.ini");
        EXPECT_FALSE(SaveSeason(*gpl, ui));
        EXPECT_EQ(tmp.read("gpl/Seasons/old.ini"), "[Season]\r\nname=Old\r\n");
        EXPECT_FALSE(tmp.exists("gpl/Seasons/old.ini.zamtmp"));
        EXPECT_THAT(ui.MessageTexts().back(), HasSubstr("could not be saved"));
    }
}

TEST_F(SeasonFileTest, TheMainSeasonFileIsNeitherOverwrittenNorLoadedOntoItself) {
    ReadTracks();
    const std::string before = tmp.read("gpl/Seasons/67Season.Ini");
    Pick(Seasons(), "67season.ini");
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_EQ(ui.MessageTexts().back(),
              "Sorry, this would overwrite 67Season.ini which is GPL's main season file");
    EXPECT_EQ(ui.messages.back().title, "");
    EXPECT_EQ(tmp.read("gpl/Seasons/67Season.Ini"), before);
    // Loaded onto itself, its events would be emptied while they are read.
    const std::vector<std::string> active = Dirs(lists->ActiveTracks);
    Pick(Seasons(), "67SEASON.INI");
    EXPECT_FALSE(LoadSeason(*gpl, ui, *lists));
    EXPECT_EQ(Dirs(lists->ActiveTracks), active);
    EXPECT_EQ(gpl->NoOfTracks(), static_cast<std::int32_t>(active.size()));
    // The same name in another folder is accepted.
    Pick(tmp.logical(), "67Season.ini");
    EXPECT_TRUE(SaveSeason(*gpl, ui));
    EXPECT_TRUE(tmp.exists("67Season.ini"));
}

// Each step of a save that changes the disk fails in turn (I/O error, a disk that fills up, a
// refused access, a vanished file): the season file is always its whole old or whole new text, a
// save that did not happen is never reported as done, and the user is told.
TEST_F(SeasonFileTest, EveryFailedStepOfASaveLeavesAWholeFileAndTellsTheUser) {
    ReadTracks();
    std::size_t messagesBefore = 0;
    const SweepResult sweep =
        SweepOneFileWriter({"old.ini", "[Season]\r\nname=Old\r\n", 2,
                            [&](const std::string& path) {
                                messagesBefore = ui.messages.size();
                                Pick(path.substr(0, path.size() - 7), "old.ini");
                                return SaveSeason(*gpl, ui);
                            },
                            [&](bool, bool saved) {
                                EXPECT_TRUE(saved || ui.messages.size() > messagesBefore)
                                    << "the user was not told";
                            }});
    TallyFaults("season file (front end)", sweep.injected);
}

TEST_F(SeasonFileTest, LoadingLeavesOutMissingTracksAndRenumbers) {
    ReadTracks();
    tmp.write("gpl/Seasons/three.ini",
              "[Season]\r\nname=Three\r\nyear=1968\r\nnumEvents=3\r\n"
              "[Event1]\r\nname=One\r\ntrackDirectory=spa\r\nnumberOfLaps=11\r\n"
              "[Event2]\r\nname=Two\r\ntrackDirectory=nowhere\r\n"
              "[Event3]\r\nname=Three\r\ntrackDirectory=brands\r\nnumberOfLaps=33\r\n");
    Pick(Seasons(), "three.ini");
    EXPECT_TRUE(LoadSeason(*gpl, ui, *lists));
    EXPECT_EQ(gpl->NoOfTracks(), 2);
    EXPECT_EQ(Dirs(lists->ActiveTracks), (std::vector<std::string>{"spa", "brands"}));
    EXPECT_EQ(Season(1, "name"), "One");
    EXPECT_EQ(Season(2, "name"), "Three");
    EXPECT_EQ(Season(2, "trackDirectory"), "brands");
    EXPECT_EQ(Season(2, "numberOfLaps"), "33");
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "name"), "Three");
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "year"), "1968");
    EXPECT_EQ(lists->InactiveTracks.size(), 11u);
    // Saved again, the season is exactly the two events.
    Pick(Seasons(), "again");
    EXPECT_TRUE(SaveSeason(*gpl, ui));
    const std::string again = tmp.read("gpl/Seasons/again.ini");
    EXPECT_THAT(again, HasSubstr("numEvents=2\r\n"));
    EXPECT_THAT(again, testing::Not(HasSubstr("[Event3]")));
    // The written-back main season holds no third event.
    gpl.reset();
    EXPECT_THAT(tmp.read("gpl/Seasons/67Season.Ini"), testing::Not(HasSubstr("Event3")));
}

TEST_F(SeasonFileTest, ASeasonWithoutEventCountChangesOnlyNameAndYearAndUnsafeFoldersAreLeftOut) {
    ReadTracks();
    tmp.write("gpl/Seasons/bare.ini",
              "[Season]\r\nname=Bare\r\nyear=1970\r\n[Event1]\r\ntrackDirectory=spa\r\n");
    Pick(Seasons(), "bare.ini");
    EXPECT_TRUE(LoadSeason(*gpl, ui, *lists));
    EXPECT_EQ(gpl->NoOfTracks(), 11);
    EXPECT_EQ(lists->ActiveTracks.size(), 11u);
    EXPECT_EQ(Season(1, "trackDirectory"), "kyalami");
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "name"), "Bare");
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "year"), "1970");
    // Unsafe track folders in a loaded season are left out.
    tmp.write("gpl/Seasons/bad.ini",
              "[Season]\r\nnumEvents=2\r\n[Event1]\r\ntrackDirectory=..\\..\\spa\r\n"
              "[Event2]\r\ntrackDirectory=monza\r\n");
    Pick(Seasons(), "bad.ini");
    EXPECT_TRUE(LoadSeason(*gpl, ui, *lists));
    EXPECT_EQ(Dirs(lists->ActiveTracks), std::vector<std::string>{"monza"});
    EXPECT_EQ(Season(1, "trackDirectory"), "monza");
    EXPECT_THAT(ui.MessageTexts().back(), HasSubstr("..\\..\\spa"));
}

// numEvents is outside data: a count far beyond the events a file holds, up to the largest 32-bit
// number, visits only the events that are there, at start-up and on loading, and the user is
// told.
TEST_F(SeasonFileTest, AnEventCountBeyondTheFileVisitsOnlyTheEventsItHolds) {
    MakeDemo();
    const std::string season = tmp.read("gpl/Seasons/67Season.Ini");
    for (const std::string stated : {"3000000", "2147483647"}) {
        SCOPED_TRACE(stated);
        gpl.reset();
        WriteGpl("Seasons/67Season.Ini",
                 std::regex_replace(season, std::regex("numEvents *= *11"), "numEvents=" + stated));
        ui.messages.clear();
        ReadTracks();
        EXPECT_EQ(gpl->NoOfTracks(), 11);
        EXPECT_EQ(lists->ActiveTracks.size(), 11u);
        EXPECT_THAT(ui.MessageTexts(),
                    testing::Contains(testing::AllOf(HasSubstr(stated), HasSubstr("[Event11]"))));

        tmp.write("gpl/Seasons/two.ini", "[Season]\r\nname=Two\r\nnumEvents=" + stated +
                                             "\r\n[Event1]\r\ntrackDirectory=spa\r\n"
                                             "[Event2]\r\ntrackDirectory=brands\r\n");
        Pick(Seasons(), "two.ini");
        EXPECT_TRUE(LoadSeason(*gpl, ui, *lists));
        EXPECT_EQ(Dirs(lists->ActiveTracks), (std::vector<std::string>{"spa", "brands"}));
        EXPECT_EQ(gpl->NoOfTracks(), 2);
        EXPECT_THAT(ui.MessageTexts(),
                    testing::Contains(HasSubstr("holds events only up to [Event2]")));
    }
}

// A name typed into the dialog may carry folder parts; they are walked before the checks, so no
// spelling of the main season file replaces it and no spelling of GP.INI skips the question.
TEST_F(SeasonFileTest, TypedFolderPartsNeitherReachTheMainSeasonFileNorSkipTheQuestion) {
    ReadTracks();
    const std::string before = tmp.read("gpl/Seasons/67Season.Ini");
    Pick(Seasons(), ".\\67Season.ini");
    Pick(Gpl(), "Seasons\\67SEASON.INI ");
    Pick(Seasons() + "..\\Seasons.\\", "67season.ini");
    Pick(tmp.logical() + "elsewhere/", "..\\gpl\\Seasons\\.\\67Season");
    Pick(Seasons(), ".\\GP.INI");    // asked, and answered No
    Pick(Seasons(), "sub\\..\\..");  // names no file
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_EQ(tmp.read("gpl/Seasons/67Season.Ini"), before);
    const std::vector<std::string> told = ui.MessageTexts();
    EXPECT_EQ(
        std::count(told.begin(), told.end(),
                   "Sorry, this would overwrite 67Season.ini which is GPL's main season file"),
        4);
    EXPECT_EQ(ui.questions.size(), 1u);
    ASSERT_FALSE(told.empty());
    EXPECT_THAT(told.back(), HasSubstr("does not name one file"));
    EXPECT_FALSE(tmp.exists("gpl/Seasons/GP.INI"));
    // Another name of the same file (a link here; on Windows also a short 8.3 name) is the same
    // file.
    std::filesystem::create_hard_link(tmp.file("gpl/Seasons/67Season.Ini"),
                                      tmp.file("gpl/Seasons/alias.ini"));
    tmp.write("gpl/Seasons/GP.INI", "[Season]\r\n");
    std::filesystem::create_hard_link(tmp.file("gpl/Seasons/GP.INI"),
                                      tmp.file("gpl/Seasons/champ.ini"));
    Pick(Seasons(), "alias.ini");
    Pick(Seasons(), "champ.ini");  // asked, and answered No
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_EQ(tmp.read("gpl/Seasons/67Season.Ini"), before);
    EXPECT_EQ(tmp.read("gpl/Seasons/GP.INI"), "[Season]\r\n");
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.MessageTexts().back(),
              "Sorry, this would overwrite 67Season.ini which is GPL's main season file");
    // A name that leads into another folder is saved there.
    tmp.write("gpl/Saved/keep.txt", "");
    Pick(Seasons(), "..\\Saved\\mine");
    EXPECT_TRUE(SaveSeason(*gpl, ui));
    EXPECT_THAT(tmp.read("gpl/Saved/mine.ini"), StartsWith("[Season]\r\n"));
}

TEST_F(SeasonFileTest, InvalidFilesAreRefusedUntilCancelledAndWildcardsNotLoadedAsEmpty) {
    ReadTracks();
    tmp.write("gpl/Seasons/notes.ini", "hello\r\n");
    Pick(Seasons(), "notes.ini");
    EXPECT_FALSE(LoadSeason(*gpl, ui, *lists));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "NOTES.INI is not a valid GPL Season file.  Please reselect.");
    EXPECT_EQ(ui.messages[0].title, "Invalid Season File");
    EXPECT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[0].title, "Load Season File");
    EXPECT_FALSE(ui.fileRequests[0].allowNew);
    EXPECT_EQ(gpl->NoOfTracks(), 11);
    // "?" cannot stand in a store key (such a key holds nothing), nor "*" in a Windows name: a
    // season file named with either is refused instead of loading as an empty season.
    ui.messages.clear();
#ifndef _WIN32
    tmp.write("gpl/Seasons/what?.ini",
              "[Season]\r\nname=What\r\nyear=1999\r\nnumEvents=1\r\n"
              "[Event1]\r\ntrackDirectory=spa\r\n");
#endif
    Pick(Seasons(), "what?.ini");
    EXPECT_FALSE(LoadSeason(*gpl, ui, *lists));
    Pick(Seasons(), "how*");
    EXPECT_FALSE(SaveSeason(*gpl, ui));
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "name"), "1967 ZAMDeck Demo Season");
    EXPECT_EQ(gpl->IniValue(kSeasonFile, "Season", "year"), "1967");
    EXPECT_EQ(gpl->NoOfTracks(), 11);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("\"what?.ini\" does not name one file"));
    EXPECT_EQ(ui.messages[0].title, "Invalid Season File");
    EXPECT_THAT(ui.messages[1].text, HasSubstr("\"how*\""));
    EXPECT_FALSE(tmp.exists("gpl/Seasons/how*.ini"));
}

TEST(SeasonEntryDays, MonthsAndLeapYears) {
    EXPECT_EQ(DaysInMonth("2", 1967), 28);
    EXPECT_EQ(DaysInMonth("2", 1968), 29);
    EXPECT_EQ(DaysInMonth("2", 1900), 28);
    EXPECT_EQ(DaysInMonth("2", 2000), 29);
    EXPECT_EQ(DaysInMonth("02", 2000), 29);
    EXPECT_EQ(DaysInMonth("12", 1967), 31);
    EXPECT_EQ(DaysInMonth("11", 1967), 30);
    EXPECT_EQ(DaysInMonth("", 1967), 31);
}

class SeasonEntryTest : public BoundDemoTest {
protected:
    // The model, as the window has it before an editor opens.
    void Start() {
        OpenBound();
        ReadTracks();  // the tracks' own season data
    }
    void OpenEditor(int eventNo) {
        if (!gpl) Start();
        dialog = std::make_unique<frmEditSeasonEntry>(*gpl, ui);
        dialog->SetEntryNo(eventNo);
    }
    bool SeasonChanged() {
        return gpl->FileChanged(gpl->FileNumber(gpl->Directory() + kSeasonFile));
    }
    std::unique_ptr<frmEditSeasonEntry> dialog;
};

TEST_F(SeasonEntryTest, ShowingAnEventChangesNothingOkWritesTheNamesAndFebruaryFollowsLeapYears) {
    OpenEditor(2);  // Monaco, month "05", day "07"
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Edit Season Entry");
    EXPECT_EQ(dialog->cbxMonth()->NoItems(), 12);
    EXPECT_EQ(dialog->cbxMonth()->ItemText(), "May");
    EXPECT_EQ(dialog->cbxDay()->NoItems(), 31);
    EXPECT_EQ(dialog->cbxDay()->ItemText(), "7");
    EXPECT_EQ(dialog->spnNoOfLaps()->Value(), 100);
    EXPECT_EQ(dialog->txtTrackLongName->text().toStdString(), "Monaco Grand Prix");
    EXPECT_EQ(Season(2, "month"), "05");
    EXPECT_EQ(Season(2, "day"), "07");
    EXPECT_FALSE(SeasonChanged());
    // OK writes the names.
    OpenEditor(3);
    dialog->txtTrackLongName->setText("Grote Prijs");
    dialog->txtShortName->setText("Zandvoort!");
    dialog->cmdOK_Click();
    EXPECT_EQ(Season(3, "name"), "Grote Prijs");
    EXPECT_EQ(Season(3, "shortName"), "Zandvoort!");
    // February has twenty-nine days in leap years only.
    gpl->SetIniValue(kSeasonFile, "Event1", "month", "2");
    gpl->SetIniValue(kSeasonFile, "Event1", "day", "3");
    OpenEditor(1);
    EXPECT_EQ(dialog->cbxMonth()->Value(), "2");
    EXPECT_EQ(dialog->cbxDay()->NoItems(), 28);
    gpl->SetIniValue(kSeasonFile, "Season", "year", "1968");
    OpenEditor(1);
    EXPECT_EQ(dialog->cbxDay()->NoItems(), 29);
    EXPECT_EQ(dialog->cbxDay()->Value(), "3");
    // Picking another month offers its days.
    dialog->cbxMonth()->SelectIndex(11);
    EXPECT_EQ(Season(1, "month"), "11");
    EXPECT_EQ(dialog->cbxDay()->NoItems(), 30);
}

// Enter is OK, also with a number still being typed; Escape leaves the typed number unwritten.
TEST_F(SeasonEntryTest, EnterKeepsTheTypedLapsAndEscapeDropsThem) {
    for (const auto& [key, typed, accepted, stored] :
         {std::tuple{Qt::Key_Escape, "55", false, "90"},
          std::tuple{Qt::Key_Return, "42", true, "42"}}) {
        OpenEditor(3);
        dialog->show();
        QLineEdit* laps = dialog->spnNoOfLaps()->findChild<QLineEdit*>();
        laps->setFocus(Qt::TabFocusReason);
        laps->selectAll();  // as reaching the box with Tab does
        QTest::keyClicks(laps, typed);
        QTest::keyClick(laps, key);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result() == QDialog::Accepted, accepted);
        EXPECT_EQ(Season(3, "numberOfLaps"), stored) << "after " << typed;
    }
}

TEST_F(SeasonEntryTest, SavedDefaultsComeBackWhenTheTrackIsAddedAgain) {
    OpenEditor(1);  // Kyalami: no data of its own
    dialog->cbxMonth()->SelectIndex(3);
    dialog->spnNoOfLaps()->SetValue(66);
    ui.answers.push_back(true);
    dialog->cmdSetDefault_Click();
    EXPECT_EQ(ui.questions.back().title, "Confirm Settings as New Defaults");
    EXPECT_EQ(gpl->FullPathIniValue(kSeasonDefaultsIni, "kyalami", "month"), "03");
    EXPECT_EQ(gpl->FullPathIniValue(kSeasonDefaultsIni, "kyalami", "numberOfLaps"), "66");
    dialog.reset();
    ReadTracks();  // read again, with the new defaults
    lists->RemoveTrack(1);
    lists->AddTrack(FindTrack(lists->InactiveTracks, "kyalami"));
    EXPECT_EQ(Season(11, "trackDirectory"), "kyalami");
    EXPECT_EQ(Season(11, "month"), "03");
    EXPECT_EQ(Season(11, "day"), "02");
    EXPECT_EQ(Season(11, "numberOfLaps"), "66");
}

TEST_F(SeasonEntryTest, RestoreDefaultsUsesTheTracksOwnDataFirst) {
    OpenEditor(2);  // Monaco ships TZAM.Ini
    gpl->SetIniValue(kSeasonFile, "Event2", "numberOfLaps", "12");
    ui.answers.push_back(true);
    dialog->cmdDefault_Click();
    EXPECT_EQ(ui.questions.back().title, "Confirm Defaults");
    EXPECT_EQ(Season(2, "numberOfLaps"), "100");
    EXPECT_EQ(dialog->spnNoOfLaps()->Value(), 100);
    // A track nobody knows: the message, and nothing changes.
    gpl->SetIniValue(kSeasonFile, "Event2", "trackDirectory", "unknown");
    gpl->SetIniValue(kSeasonFile, "Event2", "numberOfLaps", "12");
    ui.answers.push_back(true);
    dialog->cmdDefault_Click();
    EXPECT_EQ(ui.messages.back().text, "No default values found for track");
    EXPECT_EQ(ui.messages.back().title, "");
    EXPECT_EQ(Season(2, "numberOfLaps"), "12");
}

}  // namespace
}  // namespace zam::test
