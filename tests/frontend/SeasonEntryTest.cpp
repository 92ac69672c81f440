// The season entry editor: the day lists (leap years), OK, Restore Default and Save as Default.
#include <gmock/gmock.h>

#include <QLineEdit>
#include <QTest>
#include <tuple>

#include "TrackTestSupport.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/frmEditSeasonEntry.h"

namespace zam::test {
namespace {

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
