// The launcher buttons as ZAM.Ini keeps them: start-up entries, swaps, removal, moves, naming from
// a program path and the run modes (with a fake process launcher; nothing real is started); then
// the launcher strip and the Buttons tab as a user works them (offscreen).
#include <gmock/gmock.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "TrackTestSupport.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/ucFilePath.h"
#include "zam/frontend/LauncherButtons.h"
#include "zam/frontend/LauncherButtonsTab.h"
#include "zam/store/IniStore.h"

namespace zam::test {
namespace {

using testing::ElementsAre;

// The shared fixture's folders, user interface and launcher; no model is opened.
class ButtonsTest : public DemoGplTest {
protected:
    // Buttons 0 (built in) to `count` - 1, named B1, B2, ... with paths, modes and tabs.
    void MakeButtons(int count) {
        buttons.Initialise();
        for (int n = 1; n < count; ++n) {
            const std::string s = std::to_string(n);
            buttons.SetName(n, "B" + s);
            buttons.SetPath(n, "C:\\P" + s + ".exe");
            buttons.SetRunMode(n, "Normal");
            buttons.SetTab(n, n % 2);
        }
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int n = 0; n < buttons.ButtonCount(); ++n) names.push_back(buttons.Name(n));
        return names;
    }
    std::string Zam(const char* section, const std::string& entry) {
        return store.FullPathIniValue(kLauncherIni, section, entry);
    }

    IniStore store{ui};
    LauncherButtons buttons{store};
};

TEST_F(ButtonsTest, AFreshStartHasOneTabAndTheEditSetupButtonAndNewButtonsAndTabsFollow) {
    store.SetFullPathIniValue(kLauncherIni, "Buttons", "Name0", "Renamed");
    buttons.Initialise();
    EXPECT_EQ(buttons.TabCount(), 1);
    EXPECT_EQ(buttons.TabName(0), "Main");
    EXPECT_EQ(buttons.ButtonCount(), 1);
    EXPECT_EQ(buttons.Name(0), "Edit Setup");
    EXPECT_EQ(buttons.Path(0), "");
    // An existing first tab keeps its name.
    buttons.SetTabName(0, "Tools");
    buttons.Initialise();
    EXPECT_EQ(buttons.TabName(0), "Tools");
    // New buttons and tabs.
    MakeButtons(2);
    EXPECT_EQ(buttons.NewButton(1), 2);
    EXPECT_EQ(buttons.ButtonCount(), 3);
    EXPECT_EQ(buttons.Name(2), "?");
    EXPECT_EQ(buttons.RunMode(2), "Restart");
    EXPECT_EQ(Zam("Buttons", "Tab2"), "1");
    EXPECT_EQ(buttons.AddTab(), 1);
    EXPECT_EQ(buttons.TabName(1), "New Tab");
    EXPECT_EQ(buttons.SetName(2, ""), "?");
}

TEST_F(ButtonsTest, RemovingAButtonMovesTheFollowingOnesUpAndMovesNeverTouchTheBuiltInOne) {
    MakeButtons(5);
    EXPECT_TRUE(buttons.RemoveButton(2));
    EXPECT_THAT(Names(), ElementsAre("Edit Setup", "B1", "B3", "B4"));
    EXPECT_EQ(buttons.Path(2), "C:\\P3.exe");
    EXPECT_EQ(buttons.Tab(3), 0);  // B4's tab came along
    EXPECT_EQ(buttons.Path(3), "C:\\P4.exe");
    for (const char* entry : {"Name4", "Path4", "RunMode4", "Tab4"})
        EXPECT_EQ(Zam("Buttons", entry), "") << entry;
    // The built-in button is never removed.
    EXPECT_FALSE(buttons.RemoveButton(0));
    EXPECT_EQ(buttons.ButtonCount(), 4);
    // Removing the last one only clears it.
    EXPECT_TRUE(buttons.RemoveButton(3));
    EXPECT_THAT(Names(), ElementsAre("Edit Setup", "B1", "B3"));
    MakeButtons(4);
    EXPECT_EQ(buttons.MoveUp(1), 1);
    EXPECT_EQ(buttons.MoveDown(3), 3);
    EXPECT_EQ(buttons.MoveDown(0), 0);
    EXPECT_THAT(Names(), ElementsAre("Edit Setup", "B1", "B2", "B3"));
    EXPECT_EQ(buttons.MoveUp(3), 2);
    EXPECT_THAT(Names(), ElementsAre("Edit Setup", "B1", "B3", "B2"));
    EXPECT_EQ(buttons.Path(2), "C:\\P3.exe");
    EXPECT_EQ(buttons.Tab(2), 1);
    EXPECT_EQ(buttons.MoveDown(1), 2);
    EXPECT_THAT(Names(), ElementsAre("Edit Setup", "B3", "B1", "B2"));
}

TEST(ButtonNames, FromProgramPaths) {
    bool exitMode = false;
    EXPECT_EQ(NameFromProgramPath("D:\\Utils\\winvroc.exe", exitMode), "WinVROC");
    EXPECT_TRUE(exitMode);
    EXPECT_EQ(NameFromProgramPath("C:\\Tools\\track editor.exe", exitMode), "Track Editor");
    EXPECT_FALSE(exitMode);
    EXPECT_EQ(NameFromProgramPath("C:/x/setup.EXE", exitMode), "Setup");
    EXPECT_EQ(NameFromProgramPath("C:\\x\\run me.bat", exitMode), "Run Me.bat");
    EXPECT_EQ(RunModeOption("Restart"), 0);
    EXPECT_EQ(RunModeOption("Focus"), 0);
    EXPECT_EQ(RunModeOption("Normal"), 2);
    EXPECT_EQ(RunModeOption("Exit"), 3);
    EXPECT_EQ(RunModeOption(""), 0);
    EXPECT_STREQ(RunModeOfOption(1), "Focus");
}

TEST_F(ButtonsTest, RunModesDecideHowTheProgramStarts) {
    MakeButtons(6);
    buttons.SetRunMode(1, "Restart");
    buttons.SetRunMode(2, "Exit");
    buttons.SetRunMode(3, "Focus");
    buttons.SetRunMode(4, "Normal");
    buttons.SetRunMode(5, "");
    std::vector<std::string> events;
    LauncherActions actions;
    actions.writeLoaderCommand = [&](const std::string& line, const std::string& word) {
        events.push_back(word + " " + line);
    };
    actions.hideWindow = [&] {
        events.push_back("hide:" + std::to_string(launcher.started.size()));
    };
    actions.showWindow = [&] {
        events.push_back("show:" + std::to_string(launcher.waited.size()));
    };
    for (int n = 1; n <= 5; ++n) buttons.Run(n, ui, actions);
    EXPECT_THAT(events, ElementsAre("Run C:\\P1.exe", "Exit C:\\P2.exe", "hide:0", "show:1",
                                    "Run C:\\P5.exe"));
    EXPECT_THAT(launcher.started, ElementsAre("C:\\P3.exe", "C:\\P4.exe"));
    EXPECT_EQ(launcher.waited.size(), 1u);  // only the Focus button waits
    EXPECT_TRUE(ui.messages.empty());

    // A program that cannot start is told in every mode that starts it here, not only in Focus.
    launcher.startResult = platform::Status::Error(platform::kFileNotFound);
    buttons.Run(4, ui, actions);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, testing::StartsWith("Utility Not Found"));
    EXPECT_THAT(ui.messages[0].text, testing::HasSubstr("Program: C:\\P4.exe"));
}

class ButtonsTabTest : public BoundDemoTest {
protected:
    void Start() {
        OpenBound();
        frame.reset(controls::BuildFrameBox("frmUtils", registry));
        LauncherActions actions;
        actions.writeLoaderCommand = [this](const std::string& line, const std::string& word) {
            loaderCommands.push_back(word + " " + line);
        };
        tab = std::make_unique<LauncherButtonsTab>(*gpl, ui, registry, actions);
        tab->askText = [this](const std::string&, const std::string& title) {
            askedTitles.push_back(title);
            return textAnswer;
        };
        tab->Build();
        tab->RefreshButtonList();
    }

    controls::ControlRegistry registry;
    std::unique_ptr<QGroupBox> frame;
    std::vector<std::string> loaderCommands;
    std::vector<std::string> askedTitles;
    std::optional<std::string> textAnswer;
    std::unique_ptr<LauncherButtonsTab> tab;  // last: it is gone before what it reports to
};

TEST_F(ButtonsTabTest, AFreshStartShowsTheEditSetupButtonAndNewOnesAreNamedFromTheProgram) {
    Start();
    ASSERT_EQ(tab->tabButtons->count(), 1);
    EXPECT_EQ(tab->tabButtons->tabText(0).toStdString(), "Main");
    ASSERT_EQ(tab->cmdButton.size(), 1u);
    EXPECT_EQ(tab->cmdButton[0]->text().toStdString(), "Edit Setup");
    EXPECT_FALSE(tab->cmdButton[0]->isHidden());
    EXPECT_FALSE(tab->txtButtonName->isEnabled());
    EXPECT_EQ(tab->optRunType[0]->text().toStdString(), "Restart ZAM+ Afterwards");
    EXPECT_EQ(tab->optRunType[3]->text().toStdString(), "Start Then Exit ZAM+");
    // New buttons are named from the chosen program.
    Pick("C:\\Tools\\", "track editor.exe");
    tab->cmdNewButton_Click();
    ASSERT_EQ(tab->cmdButton.size(), 2u);
    EXPECT_EQ(tab->cmdButton[1]->text().toStdString(), "Track Editor");
    EXPECT_EQ(tab->lstButtons->item(1)->text().toStdString(), "Track Editor");
    EXPECT_EQ(tab->Data().Path(1), "C:\\Tools\\track editor.exe");
    EXPECT_EQ(tab->Data().RunMode(1), "Restart");
    Pick("D:\\Net\\", "WinVROC.exe");
    tab->cmdNewButton_Click();
    EXPECT_EQ(tab->Data().Name(2), "WinVROC");
    EXPECT_EQ(tab->Data().RunMode(2), "Exit");
    EXPECT_TRUE(tab->optRunType[3]->isChecked());
    tab->RunButton(2);
    EXPECT_THAT(loaderCommands, testing::ElementsAre("Exit D:\\Net\\WinVROC.exe"));
}

TEST_F(ButtonsTabTest, RemovingTheSecondOfFourButtonsAndTabsAreAddedRenamedAndShowTheirOwn) {
    Start();
    for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe"}) {
        Pick("C:\\", name);
        tab->cmdNewButton_Click();
    }
    ASSERT_EQ(tab->cmdButton.size(), 5u);
    tab->lstButtons->setCurrentRow(2);
    ui.answers.push_back(true);
    tab->cmdRemoveButton_Click();
    EXPECT_EQ(ui.questions.back().text, "Delete B button?");
    EXPECT_EQ(ui.questions.back().title, "Confirm Button Deletion");
    ASSERT_EQ(tab->cmdButton.size(), 4u);
    EXPECT_EQ(tab->cmdButton[2]->text().toStdString(), "C");
    EXPECT_EQ(tab->cmdButton[3]->text().toStdString(), "D");
    EXPECT_EQ(tab->lstButtons->count(), 4);
    EXPECT_EQ(tab->Data().Path(2), "C:\\c.exe");
    EXPECT_EQ(tab->Data().Name(4), "");
    EXPECT_EQ(tab->Data().Path(4), "");
    // Line 0 is asked about but never removed.
    tab->lstButtons->setCurrentRow(0);
    ui.answers.push_back(true);
    tab->cmdRemoveButton_Click();
    EXPECT_EQ(tab->cmdButton.size(), 4u);
    Pick("C:\\", "first.exe");
    tab->cmdNewButton_Click();
    ui.answers.push_back(true);
    tab->cmdNewTab_Click();
    EXPECT_EQ(ui.questions.back().title, "Confirm New Tab");
    ASSERT_EQ(tab->tabButtons->count(), 2);
    EXPECT_EQ(tab->tabButtons->currentIndex(), 1);
    EXPECT_TRUE(tab->cmdButton[0]->isHidden());
    EXPECT_TRUE(tab->cmdButton[1]->isHidden());
    textAnswer = "Utilities";
    tab->cmdRenameTab_Click();
    EXPECT_THAT(askedTitles, testing::ElementsAre("Rename Tab"));
    EXPECT_EQ(tab->tabButtons->tabText(1).toStdString(), "Utilities");
    EXPECT_EQ(tab->Data().TabName(1), "Utilities");
    textAnswer = "";
    tab->cmdRenameTab_Click();  // an empty answer changes nothing
    EXPECT_EQ(tab->Data().TabName(1), "Utilities");
    tab->tabButtons->setCurrentIndex(0);
    EXPECT_FALSE(tab->cmdButton[1]->isHidden());
}

}  // namespace
}  // namespace zam::test
