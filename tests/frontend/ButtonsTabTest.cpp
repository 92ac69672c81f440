// The launcher strip and the Buttons tab as a user works them (offscreen).
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
#include "zam/frontend/LauncherButtonsTab.h"

namespace zam::test {
namespace {

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
