#include "ControlsFixture.h"
#include "zam/controls/ucFilePath.h"
#include "zam/controls/ucFilenameList.h"

namespace zam::controls {
namespace {

class FilePathTest : public test::ControlsTest {
protected:
    ucFilePath* Make() {
        auto* p = new ucFilePath;
        p->SetCaption("Path");
        p->Bind("ZAM.Ini", "Buttons", "Name0");
        p->ApplyEmptyPathRule();
        Show(p);
        // What the store held each time the window was told of a change.
        QObject::connect(p, &ucFilePath::Change, p, [this] { seen.push_back(Stored()); });
        return p;
    }
    std::string Stored() { return store->FullPathIniValue("ZAM.Ini", "Buttons", "Name0"); }
    std::vector<std::string> seen;
};

TEST_F(FilePathTest, EveryKeystrokeWritesAndEnterWritesOnceMore) {
    ucFilePath* p = Make();
    const QString typed = "C:\\Tools\\GPLEdit.exe";
    ASSERT_EQ(typed.size(), 20);
    TypeInto(p->TextBox(), typed);
    ASSERT_EQ(seen.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(seen[static_cast<std::size_t>(i)], typed.left(i + 1).toStdString());
    QTest::keyClick(p->TextBox(), Qt::Key_Return);
    EXPECT_EQ(seen.size(), 21u);
    EXPECT_EQ(Stored(), typed.toStdString());
    elsewhere->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(seen.size(), 22u);
}

TEST_F(FilePathTest, RefreshRewritesTheSameTextAndTellsTheWindowButACancelledBrowseDoesNot) {
    store->SetFullPathIniValue("ZAM.Ini", "Buttons", "Name0", "C:\\a.exe");
    ucFilePath* p = Make();
    p->Refresh();
    EXPECT_EQ(p->Value(), "C:\\a.exe");
    p->Refresh();
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\a.exe", "C:\\a.exe"}));
    // A cancelled browse changes nothing.
    seen.clear();
    QTest::mouseClick(p->BrowseButton(), Qt::LeftButton);
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].title, "Select Utility Program");
    EXPECT_EQ(ui.fileRequests[0].folder, "C:\\");
    EXPECT_EQ(ui.fileRequests[0].pattern, "*.exe;*.com;*.bat");
    EXPECT_FALSE(ui.fileRequests[0].allowNew);
    EXPECT_EQ(p->Value(), "C:\\a.exe");
    EXPECT_EQ(p->Path(), "C:\\");
    EXPECT_TRUE(seen.empty());
}

TEST_F(FilePathTest, BrowseTakesTheFolderAndFileChosenAndStaysUsableWhenDisabled) {
    ucFilePath* p = Make();
    ui.fileChoices.push_back(FileChoice{"D:\\Utils\\", "Setup.exe"});
    p->Browse();
    EXPECT_EQ(p->Value(), "D:\\Utils\\Setup.exe");
    EXPECT_EQ(Stored(), "D:\\Utils\\Setup.exe");
    EXPECT_EQ(p->Path(), "D:\\Utils\\");
    ui.fileChoices.push_back(std::nullopt);
    p->Browse();
    EXPECT_EQ(ui.fileRequests.back().folder, "D:\\Utils\\");
    // Disabling keeps browse usable.
    ucFilePath* disabled = Make();
    disabled->SetEnabled(false);
    EXPECT_FALSE(disabled->TextBox()->isEnabled());
    EXPECT_TRUE(disabled->BrowseButton()->isEnabled());
}

TEST_F(FilePathTest, FilenameListListsMatchingFilesBelowTheRecordedSimulatorFolder) {
    dir.write("Tracks\\monza\\track.ini", "");
    dir.write("Tracks\\monza\\monza.trk", "");
    dir.write("Tracks\\monza\\.hidden.ini", "");
    store->SetFullPathIniValue("ZAM.Ini", "Paths", "GPL", Sim());
    ucFilenameList list;
    list.SetPath("Tracks\\monza\\*.ini");
    EXPECT_EQ(list.FullPath(), Sim() + "Tracks\\monza\\*.ini");
    ASSERT_EQ(list.List()->count(), 1);
    EXPECT_EQ(list.Value(), "track.ini");
    list.SetFullPath(Sim() + "Tracks\\monza\\*.dat");
    EXPECT_EQ(list.List()->count(), 0);
    EXPECT_EQ(list.List()->currentIndex(), -1);
}

}  // namespace
}  // namespace zam::controls
