// The file selection dialog, on a file system held in memory (drive letters exist on every
// machine there) and on the real one below a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "FakeUi.h"
#include "TempDir.h"
#include "zam/frontend/FileHandling.h"
#include "zam/frontend/LogicalFolder.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/frmFileSelect.h"

namespace zam {
namespace {

using test::FakeUi;
using test::MemoryFileSystem;

std::vector<std::string> Texts(const QListWidget& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.count(); ++i) texts.push_back(Cp1252FromQt(list.item(i)->text()));
    return texts;
}

QListWidgetItem* Item(QListWidget& list, const char* text) {
    const auto found = list.findItems(QString::fromLatin1(text), Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void DoubleClick(QListWidget& list, const char* text) {
    QListWidgetItem* item = Item(list, text);
    ASSERT_NE(item, nullptr) << text;
    const QPoint centre = list.visualItemRect(item).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
}

void Click(QListWidget& list, const char* text) {
    QListWidgetItem* item = Item(list, text);
    ASSERT_NE(item, nullptr) << text;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

class FileSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.AddFile("C:\\gpl.exe");
        fs.AddFile("C:\\autoexec.bat");
        fs.AddFile("C:\\Sierra\\GPL\\GPL.EXE");
        fs.AddFile("C:\\Sierra\\GPL\\run.bat");
        fs.AddFile("C:\\Sierra\\GPL\\Tool.com");
        fs.AddFile("C:\\Sierra\\GPL\\readme.txt");
        fs.AddFile("C:\\Sierra\\GPL\\Seasons\\67Season.ini");
        fs.AddFolder("C:\\Sierra\\GPL\\Players");
    }

    // Runs SelectFile and works the dialog with `step` while it is open.
    std::optional<FileChoice> Select(const std::string& pattern, const std::string& folder,
                                     const std::string& title, bool allowNew,
                                     const std::function<void(frmFileSelect&)>& step) {
        std::optional<FileChoice> result;
        test::WithModalOf<frmFileSelect>(
            [&] { result = SelectFile(ui, pattern, folder, title, allowNew); }, step);
        return result;
    }

    MemoryFileSystem fs;
    platform::ScopedFileSystem useFs{fs};
    FakeUi ui;
};

TEST_F(FileSelectTest, DriveRootGivesTheFolderWithOneSeparator) {
    for (const std::string start : {"C:\\", "C:", "c:\\\\"}) {
        auto choice = Select("*.exe", start, "Select GPL Executable", false, [](frmFileSelect& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), "Select GPL Executable");
            EXPECT_EQ(d.Drives->currentText().toStdString(), "C:");
            Click(*d.Files, "gpl.exe");
            d.cmdOK->click();
        });
        ASSERT_TRUE(choice) << start;
        EXPECT_EQ(choice->folder + choice->fileName, std::string(start.substr(0, 2)) + "\\gpl.exe");
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileSelectTest, PatternsFilterTheFilesWithoutRegardToCaseAndTheNameBoxShowsForNewNames) {
    frmFileSelect dialog(ui);
    dialog.SetPath("C:\\Sierra\\GPL\\");
    dialog.SetPattern("*.exe;*.com;*.bat");
    EXPECT_EQ(Texts(*dialog.Files), (std::vector<std::string>{"GPL.EXE", "run.bat", "Tool.com"}));
    EXPECT_EQ(Texts(*dialog.Directory), (std::vector<std::string>{"..", "Players", "Seasons"}));
    dialog.SetPattern("");
    EXPECT_EQ(dialog.Files->count(), 4);
    // The name box is shown only when new names are allowed.
    dialog.SetPath("C:\\");
    dialog.show();
    EXPECT_FALSE(dialog.txtFileName->isVisible());
    dialog.SetAllowNew(true);
    EXPECT_TRUE(dialog.txtFileName->isVisible());
    dialog.SetAllowNew(false);
    // A click still puts the name into the hidden box: that is how a listed file is chosen.
    Click(*dialog.Files, "autoexec.bat");
    EXPECT_EQ(dialog.FileName(), "autoexec.bat");
}

TEST_F(FileSelectTest, WalksDownAndUpTheFoldersAndOpensDriveCForAMissingFolderOrDrive) {
    frmFileSelect dialog(ui);
    dialog.SetPath("C:\\sierra\\");
    dialog.SetPattern("*.ini");
    dialog.show();
    EXPECT_EQ(dialog.Path(), "C:\\sierra\\");
    DoubleClick(*dialog.Directory, "GPL");
    EXPECT_EQ(dialog.Path(), "C:\\sierra\\GPL\\");
    DoubleClick(*dialog.Directory, "Seasons");
    EXPECT_EQ(dialog.Path(), "C:\\sierra\\GPL\\Seasons\\");
    EXPECT_EQ(Texts(*dialog.Files), std::vector<std::string>{"67Season.ini"});
    dialog.Directory->setCurrentRow(0);  // ".."
    QTest::keyClick(dialog.Directory, Qt::Key_Return);
    EXPECT_EQ(dialog.Path(), "C:\\sierra\\GPL\\");
    EXPECT_TRUE(dialog.isVisible()) << "Enter in the folder list must not accept the dialog";
    dialog.SetPath("C:\\");
    EXPECT_EQ(Item(*dialog.Directory, ".."), nullptr) << "no way up from a root";
    // A missing start folder or an unreadable drive opens drive C:.
    dialog.SetPath("D:\\Nowhere\\");
    EXPECT_EQ(dialog.Path(), "C:\\");
    dialog.SetPath("C:\\Sierra\\Gone\\");
    EXPECT_EQ(dialog.Path(), "C:\\");
    // An unreadable drive is reported, and C: taken.
    dialog.SetPath("C:\\Sierra\\");
    dialog.SetDrive("q: [backup]");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Drive q: [backup]Not Available");
    EXPECT_EQ(ui.messages[0].title, "ZAM+");
    EXPECT_EQ(dialog.Path(), "C:\\");
}

TEST_F(FileSelectTest, TypedNewNameIsReturnedUnchangedAndSurvivesAChangeOfFolder) {
    auto choice =
        Select("*.ini", "C:\\Sierra\\GPL\\Seasons", "Save Season File", true, [](frmFileSelect& d) {
            EXPECT_TRUE(d.txtFileName->isVisible());
            d.txtFileName->setFocus();
            const QString eAcute = QString::fromUtf8("\xC3\xA9");
            QTest::keyClicks(d.txtFileName, QStringLiteral(" My Saison "));
            QTest::sendKeyEvent(QTest::Click, d.txtFileName, Qt::Key_Eacute, eAcute, {});
            QTest::keyClick(d.txtFileName, 't');
            QTest::sendKeyEvent(QTest::Click, d.txtFileName, Qt::Key_Eacute, eAcute, {});
            QTest::keyClicks(d.txtFileName, QStringLiteral(".INI"));
            d.cmdOK->click();
        });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->folder, "C:\\Sierra\\GPL\\Seasons\\");
    EXPECT_EQ(choice->fileName, " My Saison \xE9t\xE9.INI");  // Windows-1252, blanks kept
    choice = Select("*.ini", "C:\\Sierra\\GPL\\", "Save Season File", true, [&](frmFileSelect& d) {
        d.txtFileName->setText(QStringLiteral("Mine.ini"));
        DoubleClick(*d.Directory, "Seasons");
        d.cmdOK->click();
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->folder + choice->fileName, "C:\\Sierra\\GPL\\Seasons\\Mine.ini");
}

TEST_F(FileSelectTest, CancelReturnsNothingEvenAfterAPickAndADoubleClickReturnsAtOnce) {
    auto cancelled =
        Select("*.exe", "C:\\Sierra\\GPL\\", "Select Utility Program", false, [](frmFileSelect& d) {
            Click(*d.Files, "GPL.EXE");
            d.Cancel->click();
        });
    EXPECT_FALSE(cancelled);
    auto escaped = Select("*.exe", "C:\\Sierra\\GPL\\", "", false, [](frmFileSelect& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Select File");
        Click(*d.Files, "GPL.EXE");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(escaped);
    bool closed = false;
    auto choice =
        Select("*.exe", "C:\\Sierra\\GPL\\", "Select GPL Executable", false, [&](frmFileSelect& d) {
            DoubleClick(*d.Files, "GPL.EXE");
            closed = !d.isVisible();
        });
    EXPECT_TRUE(closed);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->folder, "C:\\Sierra\\GPL\\");
    EXPECT_EQ(choice->fileName, "GPL.EXE");
}

TEST_F(FileSelectTest, SelectWithoutANameAsksForOneAndAChangeOfFolderDropsTheOldOnesName) {
    auto choice = Select("*.exe;*.bat", "C:\\Sierra\\GPL\\", "Select GPL Executable", false,
                         [&](frmFileSelect& d) {
                             d.cmdOK->click();
                             EXPECT_TRUE(d.isVisible());
                             ASSERT_EQ(ui.messages.size(), 1u);
                             EXPECT_EQ(ui.messages[0].text, "Please Select a File");
                             EXPECT_EQ(ui.messages[0].title, "No File Selected");
                             Click(*d.Files, "run.bat");
                             d.cmdOK->click();
                         });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->fileName, "run.bat");
    ui.messages.clear();
    choice =
        Select("*.*", "C:\\Sierra\\GPL\\", "Select Utility Program", false, [&](frmFileSelect& d) {
            Click(*d.Files, "readme.txt");
            DoubleClick(*d.Directory, "Seasons");
            d.cmdOK->click();
            EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Please Select a File"});
        });
    EXPECT_FALSE(choice) << "C:\\Sierra\\GPL\\Seasons\\readme.txt does not exist";
}

TEST(FileSelectNativeTest, PosixFoldersKeepTheirSeparator) {
    test::TempDir dir;
    dir.write("a.ini", "x");
    dir.write("B.INI", "x");
    dir.write("c.txt", "x");
    dir.write("sub/d.ini", "x");
    FakeUi ui;
    frmFileSelect dialog(ui);
    const std::string root = dir.logical();
    if (SeparatorOf(root) != '/') GTEST_SKIP() << "native folders here are Windows-style";
    dialog.SetPath(root + "/");
    EXPECT_EQ(dialog.Path(), root);
    dialog.SetPattern("*.ini");
    EXPECT_EQ(Texts(*dialog.Files), (std::vector<std::string>{"a.ini", "B.INI"}));
    dialog.show();
    DoubleClick(*dialog.Directory, "sub");
    EXPECT_EQ(dialog.Path(), root + "sub/");
    EXPECT_EQ(Texts(*dialog.Files), std::vector<std::string>{"d.ini"});
    dialog.SetPath("/");
    EXPECT_EQ(dialog.Path(), "/");
    EXPECT_EQ(dialog.Drives->currentText().toStdString(), "/");
    EXPECT_EQ(Item(*dialog.Directory, ".."), nullptr);
}

// A name typed into the dialog is walked from the folder as the system would walk it, so that
// checks on the chosen file see the file that is written; keys compare folders as Windows does.
TEST(LogicalFolderTest, OneTrailingSeparatorParentsRootsDrivesAndTypedNamesLeadToOneFile) {
    EXPECT_EQ(WithOneSeparator("C:"), "C:\\");
    EXPECT_EQ(WithOneSeparator("C:\\"), "C:\\");
    EXPECT_EQ(WithOneSeparator("C:\\GPL\\\\"), "C:\\GPL\\");
    EXPECT_EQ(WithOneSeparator("C:\\GPL"), "C:\\GPL\\");
    EXPECT_EQ(WithOneSeparator("/"), "/");
    EXPECT_EQ(WithOneSeparator("//"), "/");
    EXPECT_EQ(WithOneSeparator("/home/me//"), "/home/me/");
    EXPECT_EQ(WithOneSeparator("/home/me"), "/home/me/");
    EXPECT_EQ(ParentFolder("C:\\Sierra\\GPL\\"), "C:\\Sierra\\");
    EXPECT_EQ(ParentFolder("C:\\Sierra\\"), "C:\\");
    EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
    EXPECT_EQ(ParentFolder("/home/me/"), "/home/");
    EXPECT_EQ(ParentFolder("/home/"), "/");
    EXPECT_EQ(ParentFolder("/"), "/");
    EXPECT_TRUE(IsRootFolder("c:\\"));
    EXPECT_TRUE(IsRootFolder("/"));
    EXPECT_FALSE(IsRootFolder("C:\\GPL\\"));
    EXPECT_FALSE(IsAbsoluteFolder("Seasons\\"));
    EXPECT_EQ(DriveOf("c:\\gpl\\"), "C:");
    EXPECT_EQ(DriveOf("/home/"), "/");
    EXPECT_EQ(DriveRoot("d: [DATA]"), "D:\\");
    EXPECT_EQ(DriveRoot("/"), "/");
    EXPECT_EQ(DriveRoot("[none]"), "");

    auto resolved = [](const std::string& folder, const std::string& name) {
        const auto choice = ResolveFileChoice({folder, name});
        return choice ? choice->folder + "|" + choice->fileName : std::string("none");
    };
    EXPECT_EQ(resolved("C:\\GPL\\Seasons\\", "x.ini"), "C:\\GPL\\Seasons\\|x.ini");
    EXPECT_EQ(resolved("C:\\GPL\\Seasons\\", ".\\67Season.ini"), "C:\\GPL\\Seasons\\|67Season.ini");
    EXPECT_EQ(resolved("C:\\GPL\\Seasons\\", "..\\..\\..\\x/y.ini"), "C:\\x\\|y.ini");
    EXPECT_EQ(resolved("C:\\GPL\\a\\..\\Seasons", "x.ini"), "C:\\GPL\\Seasons\\|x.ini");
    EXPECT_EQ(resolved("C:\\GPL\\Seasons\\", "D:\\Other\\x.ini"), "D:\\Other\\|x.ini");
    EXPECT_EQ(resolved("C:\\GPL\\Seasons\\", "\\Top\\x.ini"), "C:\\Top\\|x.ini");
    EXPECT_EQ(resolved("/home/me/gpl/Seasons/", "../Saved\\x.ini"), "/home/me/gpl/Saved/|x.ini");
    for (const char* folderOnly : {"..", ".", "", "sub\\", "a\\.."})
        EXPECT_EQ(resolved("C:\\GPL\\", folderOnly), "none") << folderOnly;

    EXPECT_EQ(FolderKey("c:/gpl/Seasons.\\x\\..\\"), FolderKey("C:\\GPL\\SEASONS"));
    EXPECT_NE(FolderKey("C:\\GPL\\Seasons\\"), FolderKey("C:\\GPL\\Season\\"));
    EXPECT_EQ(NameKey("67season.INI. . "), "67SEASON.INI");
}

}  // namespace
}  // namespace zam
