#include <QGridLayout>

#include "ControlsFixture.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/store/Globals.h"

namespace zam::controls {
namespace {

class BindingsTest : public test::ControlsTest {
protected:
    void BuildWindow(std::string_view name = "frmZAM") {
        auto* host = new QWidget;
        BuildWindowControls(name, host, registry);
        Show(host);
        FillFixedLists(registry);
    }
    ControlRegistry registry;
};

TEST_F(BindingsTest, ChoosingAPlayerBindsTrackCarAndClassAndKeepsAStoredClassAndSampleRpm) {
    LoadIni("Players\\Tester\\Player.Ini",
            "[Personal Information]\nlastTrackSelection=monza\nteam=4\n");
    LoadIni("Players\\Keeper\\PZAM.Ini", "[ZAM]\nCarClass=FG\n[Engine]\nsampleRPM=6100\n");
    BuildWindow();
    ucDropDown* classes = registry.DropDown("cbxClass");
    for (const char* code : {"FL1", "FG", "F1", "F2"}) classes->AddItem(std::string(code) + " class", code);
    registry.DropDown("cbxTrack")->AddItem("Kyalami", "kyalami");
    registry.DropDown("cbxTrack")->AddItem("Monza", "monza");
    for (int car = 0; car <= 6; ++car) registry.DropDown("cbxCar")->AddItem("Team", std::to_string(car));

    BindPlayerSelection(registry, "Keeper");
    EXPECT_EQ(classes->Value(), "FG");
    EXPECT_EQ(Stored("Players\\Keeper\\PZAM.Ini", "Engine", "sampleRPM"), "6100");
    EXPECT_FALSE(store->FileChanged(store->FileNumber(Sim() + "Players\\Keeper\\PZAM.Ini")));

    const InitialisingScope startingUp(true);
    BindPlayerSelection(registry, "Tester");
    EXPECT_EQ(registry.DropDown("cbxTrack")->Value(), "monza");
    EXPECT_EQ(registry.DropDown("cbxCar")->Value(), "4");
    // No class stored: the third item, and that write counts even during start-up.
    EXPECT_EQ(classes->Value(), "F1");
    EXPECT_EQ(Stored("Players\\Tester\\PZAM.Ini", "ZAM", "CarClass"), "F1");
    EXPECT_TRUE(store->FileChanged(store->FileNumber(Sim() + "Players\\Tester\\PZAM.Ini")));
    EXPECT_EQ(Stored("Players\\Tester\\PZAM.Ini", "Engine", "sampleRPM"), "5200");
}

TEST_F(BindingsTest, TheOptionsTabFollowsThePlayerAndTheTrackTabTheTrack) {
    LoadIni("Players\\Tester\\Player.Ini",
            "[Sound Options]\nsoundEffectsVolume=70\nsoundStereo=0\n"
            "[Personal Information]\nhelmetColor=16\n");
    LoadIni("Core.Ini", "[Joy]\nforce_feedback_latency=.05\n");
    LoadIni("Tracks\\monza\\Track.Ini", "[GP]\ndlong_speed_adj_coeff=1.025\n");
    LoadIni("Seasons\\67Season.Ini", "[Season]\nyear=1967\n");
    BuildWindow();
    RebindPlayerControls(registry, "Tester");
    BindTrackControls(registry, "monza");
    EXPECT_EQ(registry.Spinner("spnDlong")->TextBox()->text(), "1.025");
    EXPECT_EQ(registry.Spinner("spnYear")->TextBox()->text(), "1967");
    EXPECT_EQ(registry.Spinner("spnVolume")->TextBox()->text(), "70");
    EXPECT_EQ(registry.CheckBox("chkStereo")->Shown(), 0);
    EXPECT_EQ(registry.Spinner("spnFFLatency")->TextBox()->text(), ".05");
    // A new player's engine pitch is 5200 before the tab shows it.
    EXPECT_EQ(registry.Spinner("spnSoundPitch")->TextBox()->text(), "5200");
    // Helmet colour 16 is no colour: Black, written as 0.
    EXPECT_EQ(registry.DropDown("cbxPlayerHelmet")->ItemText(), "Black");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Personal Information", "helmetColor"), "0");
}

TEST_F(BindingsTest, ModesMoveTheRaceControlsBetweenSectionsAndAHostGetsFifteenMinutes) {
    LoadIni("Players\\Tester\\Player.Ini",
            "[Single Race]\nlastNumAI=12\nlastRaceType=5\n"
            "[Multiplayer Host]\nlastNumAI=3\nlastRaceType=1\nlastPracticeLength=930\n"
            "[Race]\noverrideRaceLength=0\n");
    BuildWindow();
    SetRaceSections(registry, 1);
    BindRaceControls(registry, "1", "Tester");
    EXPECT_EQ(registry.Spinner("spnNoAI")->TextBox()->text(), "12");
    EXPECT_EQ(registry.DropDown("cbxRacetype")->ItemText(), "Grand Prix");
    EXPECT_EQ(registry.Spinner("spnOvrRaceLength")->TextBox()->text(), "100");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Race", "overrideRaceLength"), "100");

    SetRaceSections(registry, 2);
    BindRaceControls(registry, "2", "Tester");
    EXPECT_EQ(registry.Spinner("spnNoAI")->TextBox()->text(), "3");
    EXPECT_EQ(registry.DropDown("cbxRacetype")->ItemText(), "Int/Short");
    // 930 seconds show as 16 minutes (15.5, halves to even) and stay 930 until changed.
    ucSpinner* qualifying = registry.Spinner("spnQualifying");
    EXPECT_EQ(qualifying->TextBox()->text(), "16");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Multiplayer Host", "lastPracticeLength"), "930");
    QObject::connect(qualifying, &BoundControl::Change, qualifying,
                     [this] { QualifyingChanged(registry, "Tester"); });
    QTest::mouseClick(qualifying->UpSmallButton(), Qt::LeftButton);
    EXPECT_EQ(qualifying->TextBox()->text(), "17");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Multiplayer Host", "lastPracticeLength"), "1020");
    QTest::mouseClick(qualifying->UpSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Multiplayer Host", "lastPracticeLength"), "1080");

    SetRaceSections(registry, 4);  // championship keeps the sections
    EXPECT_EQ(registry.Spinner("spnNoAI")->Section(), "Multiplayer Host");

    // A host without a qualifying length gets fifteen minutes, not written.
    BindRaceControls(registry, "2", "Newcomer");
    EXPECT_EQ(qualifying->TextBox()->text(), "15");
    EXPECT_EQ(Stored("Players\\Newcomer\\Player.Ini", "Multiplayer Host", "lastPracticeLength"),
              "");
}

TEST_F(BindingsTest, TheSeasonEntryEditorBindsItsEvent) {
    LoadIni("Seasons\\67Season.Ini",
            "[Event2]\nmonth=5\nday=7\nnumberOfLaps=80\nstartingGrid=3\n");
    BuildWindow("frmEditSeasonEntry");
    PrepareSeasonEntryEditor(registry);
    for (int day = 1; day <= 31; ++day) registry.DropDown("cbxDay")->AddItem(std::to_string(day));
    BindSeasonEntry(registry, 2);
    EXPECT_EQ(registry.DropDown("cbxMonth")->ItemText(), "May");
    EXPECT_EQ(registry.DropDown("cbxDay")->Value(), "7");
    EXPECT_EQ(registry.Spinner("spnNoOfLaps")->TextBox()->text(), "80");
    EXPECT_EQ(registry.Spinner("spnGrid")->TextBox()->text(), "3");
    EXPECT_FALSE(store->FileChanged(store->FileNumber(Sim() + "Seasons\\67Season.Ini")));
}

}  // namespace
}  // namespace zam::controls
