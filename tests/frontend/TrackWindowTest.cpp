// The track lists, setup lists and launcher buttons inside the main window on the demo
// installation.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "TrackTestSupport.h"
#include "WindowFixture.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/LauncherButtonsTab.h"
#include "zam/frontend/TrackListsTab.h"
#include "zam/model/clsGPL.h"

namespace zam::test {
namespace {

using controls::ucDropDown;

TEST_F(WindowTest, DemoShowsSeasonSetupsAndTheEditSetupButton) {
    ASSERT_TRUE(Open());
    auto* tracks = window->trackListArea->findChild<TrackListsTab*>();
    ASSERT_NE(tracks, nullptr);
    EXPECT_EQ(tracks->lstTrackIni->count(), 11);
    EXPECT_EQ(tracks->lstOtherTracks->count(), 2);
    EXPECT_EQ(window->DropDown("cbxTrack")->NoItems(), 11);

    auto* buttons = window->buttonEditorArea->findChild<LauncherButtonsTab*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_FALSE(buttons->cmdButton.empty());
    EXPECT_EQ(buttons->cmdButton[0]->text().toStdString(), "Edit Setup");
    EXPECT_TRUE(window->launcherArea->isAncestorOf(buttons->Strip()));

    // The first demo player drives a Lotus in F1 at Kyalami, where the demo has setups.
    ucDropDown* current = window->DropDown("cbxCurSetup");
    ucDropDown* race = window->DropDown("cbxRaceSetup");
    EXPECT_EQ(window->DropDown("cbxTrack")->Value(), "kyalami");
    EXPECT_GT(current->NoItems(), 0);
    EXPECT_EQ(current->Entry(), window->GPL()->BaseClass(window->DropDown("cbxClass")->Value()) +
                                    "lotus");
    EXPECT_EQ(race->Entry(), current->Entry());
    window->chkAllCars->setChecked(true);
    EXPECT_EQ(current->NoItems(), 10);
}

TEST_F(WindowTest, SetupEditorRunsTheFirstButtonsProgram) {
    ASSERT_TRUE(Open());
    window->GPL()->SetFullPathIniValue("ZAM.Ini", "Buttons", "Path0", "C:\\Tools\\Editor.exe");
    ucDropDown* current = window->DropDown("cbxCurSetup");
    ASSERT_GT(current->NoItems(), 0);
    window->cmdGRE->setEnabled(true);
    window->cmdGRE->click();
    ASSERT_FALSE(launcher.started.empty());
    EXPECT_THAT(launcher.started.back(), testing::StartsWith("C:\\Tools\\Editor.exe " + Gpl()));
    EXPECT_THAT(launcher.started.back(), testing::EndsWith("\\" + current->Value()));
}

}  // namespace
}  // namespace zam::test
