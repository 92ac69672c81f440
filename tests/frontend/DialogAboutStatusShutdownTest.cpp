// The about box, its System Information button, the status window, the Qt user interface, and the
// exit dialog: its answers for every button and key, and its captions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "DialogTestSupport.h"
#include "FakeUi.h"
#include "RecordingLauncher.h"
#include "RecordingSystem.h"
#include "TempDir.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmAbout.h"
#include "zam/frontend/frmShutdown.h"
#include "zam/frontend/frmStatus.h"
#include "zam/store/Common.h"

namespace zam {
namespace {

constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

class AboutTest : public ::testing::Test {
protected:
    ~AboutTest() override {
        EXPECT_TRUE(system.powerActions.empty()) << "a shut-down was asked for";
    }
    test::RecordingSystem system;
    test::RecordingLauncher launcher;
    test::MemoryFileSystem fs;
    platform::ScopedSystemServices useSystem{system};
    platform::ScopedProcessLauncher useLauncher{launcher};
    platform::ScopedFileSystem useFs{fs};
    test::FakeUi ui;
    frmAbout about{ui};
};

TEST_F(AboutTest, TextsAndWithoutRegistryKeysSysInfoOnlyShowsTheMessage) {
    EXPECT_EQ(about.windowTitle().toStdString(), "About ZAM+");
    EXPECT_EQ(about.lblVersion->text().toStdString(), "Version 1.4.31");
    EXPECT_EQ(about.lblDisclaimer->text().toStdString(),
              "WARNING: ZAM+ amends your GPL ini files and GPL.EXE.  Great care has been taken to "
              "ensure that it works but I accept no responsibility if it amends them in a way you "
              "don't like.  Please don't use it if this is a problem for you.");
    const QStringList title = about.lblTitle->text().split(QLatin1Char('\n'));
    ASSERT_EQ(title.size(), 4);
    EXPECT_TRUE(title[0].startsWith(QStringLiteral("ZAM+ ")));
    EXPECT_EQ(title[1].toStdString(), "An alternative front end for Papyrus' Grand Prix Legends.");
    EXPECT_TRUE(title[2].isEmpty());
    EXPECT_FALSE(title[3].isEmpty());
    EXPECT_GE(about.lblDescription->text().count(QLatin1Char('\n')), 1);
    EXPECT_EQ(about.cmdSysInfo->text().toStdString(), "&System Info...");
    EXPECT_EQ(about.cmdOK->text().toStdString(), "OK");
    // Without registry keys System Info only shows the message.
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kUnavailable});
    EXPECT_EQ(ui.messages.at(0).title, "ZAM+");
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(AboutTest, TheToolLocationIsUsedWhenItsProgramExistsTheRegisteredPathFirstAndFailuresAreTold) {
    system.registry[kLocationKey] = "C:\\Shared\\MSInfo";
    about.StartSysInfo();
    EXPECT_TRUE(launcher.started.empty()) << "no MSINFO32.EXE in that folder";
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kUnavailable});

    fs.AddFile("C:\\Shared\\MSInfo\\msinfo32.exe");
    about.StartSysInfo();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"\"C:\\Shared\\MSInfo\\MSINFO32.EXE\""});
    EXPECT_EQ(ui.messages.size(), 1u);
    // The registered path is started first, though the location holds the program too.
    system.registry[kMsinfoKey] = "C:\\Program Files\\MSInfo\\msinfo32.exe";
    launcher.started.clear();
    about.StartSysInfo();
    EXPECT_EQ(launcher.started,
              std::vector<std::string>{"\"C:\\Program Files\\MSInfo\\msinfo32.exe\""});
    EXPECT_EQ(ui.messages.size(), 1u);
    // A registered tool that cannot be started is reported, not ignored.
    system.registry = {{kMsinfoKey, "C:\\Gone\\msinfo32.exe"}};
    launcher.startResult = platform::Status::Error(platform::kFileNotFound);
    launcher.started.clear();
    ui.messages.clear();
    about.StartSysInfo();
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kUnavailable});
}

int PixelsFromTwips(const QWidget& w, int twips) {
    return (twips * w.logicalDpiY() + 720) / 1440;
}

TEST(StatusTest, LabelsAndLayout) {
    frmStatus status;
    EXPECT_EQ(frmStatus::TitleText(), "ZAM+\rVersion 1.4.31");
    EXPECT_EQ(status.lblTitle->text().toStdString(), "ZAM+\nVersion 1.4.31");
    EXPECT_FALSE(status.lblCredits->text().isEmpty());
    EXPECT_TRUE(status.lblMessage->text().isEmpty());
    EXPECT_FALSE(status.isVisible());

    status.SetMessage("Initialising Class Data");
    EXPECT_TRUE(status.isVisible());
    EXPECT_EQ(status.lblMessage->text().toStdString(), "Initialising Class Data");
    status.SetMessage("Caf\xE9 <b>Monza</b>");
    EXPECT_EQ(status.lblMessage->text(), QString::fromUtf8("Caf\xC3\xA9 <b>Monza</b>"));
    EXPECT_EQ(status.lblMessage->textFormat(), Qt::PlainText) << "texts are shown as they are";

    const int gap = PixelsFromTwips(status, 120);
    EXPECT_EQ(status.lblTitle->y(), PixelsFromTwips(status, 240));
    EXPECT_EQ(status.lblCredits->y(), status.lblTitle->geometry().bottom() + 1 + gap);
    EXPECT_EQ(status.lblMessage->y(), status.lblCredits->geometry().bottom() + 1 + gap);
    for (const QLabel* label : {status.lblTitle, status.lblCredits, status.lblMessage}) {
        EXPECT_EQ(label->width(), status.width());
    }
}

TEST(QtUserInterfaceTest, MessagesShowLineBreaksTheStatusLineHidesAndQuestionsAnswerYesOrNo) {
    QtUserInterface ui;
    ui.SetStatus("Initialising");
    EXPECT_TRUE(ui.StatusWindow().isVisible());
    EXPECT_EQ(ui.StatusWindow().lblMessage->text().toStdString(), "Initialising");
    std::string title, text;
    QWidget* above = nullptr;
    Qt::TextFormat format = Qt::AutoText;
    test::WithModalOf<QMessageBox>(
        [&] { ui.ShowMessage("Untrapped error 53 <File not found>\r in ReadIniFile"); },
        [&](QMessageBox& box) {
            title = box.windowTitle().toStdString();
            text = box.text().toStdString();
            format = box.textFormat();
            above = box.parentWidget();
            box.button(QMessageBox::Ok)->click();
        });
    EXPECT_EQ(title, "ZAM+");
    EXPECT_EQ(text, "Untrapped error 53 <File not found>\n in ReadIniFile");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(above, &ui.StatusWindow()) << "a start-up message opens above the status window";
    ui.HideStatus();
    EXPECT_FALSE(ui.StatusWindow().isVisible());
    ui.CloseStatus();
    ui.HideStatus();  // harmless once the window is gone
    // Questions are answered Yes or No.
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        bool yes = answer == QMessageBox::No;
        std::string asked;
        test::WithModalOf<QMessageBox>(
            [&] { yes = ui.Ask("Delete button?", "Confirm Button Deletion"); },
            [&](QMessageBox& box) {
                asked = box.windowTitle().toStdString();
                EXPECT_EQ(box.buttons().size(), 2);
                box.button(answer)->click();
            });
        EXPECT_EQ(asked, "Confirm Button Deletion");
        EXPECT_EQ(yes, answer == QMessageBox::Yes);
    }
}

// While a program started from the window runs, the window keeps handling its events (the system
// would call it hung otherwise) but takes no input, and a request to close it is carried out
// through its own closing once the program has ended, not lost and not in the middle.
TEST(QtUserInterfaceTest, TheWindowStaysAliveWhileAProgramRuns) {
    test::TempDir dir;
    const std::filesystem::path tool = dir.write("tool.sh", "#!/bin/sh\nsleep 0.5\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    QWidget window;
    window.show();
    QtUserInterface ui(&window);
    bool running = false, seenWhileRunning = false, enabledWhileRunning = true;
    QTimer::singleShot(50, &window, [&] {
        seenWhileRunning = running;
        enabledWhileRunning = window.isEnabled();
        window.close();
    });
    running = true;
    RunAndWait(ui, dir.logical() + "tool.sh");
    running = false;
    EXPECT_TRUE(seenWhileRunning);
    EXPECT_FALSE(enabledWhileRunning);
    EXPECT_TRUE(window.isVisible()) << "closed while the program ran";
    EXPECT_TRUE(window.isEnabled());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible()) << "the request to close was lost";
}

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.open(); }
    void TearDown() override {
        if (dialog.isVisible()) dialog.done(0);
    }
    frmShutdown dialog;
};

TEST_F(ShutdownTest, CaptionsLabelToolTipAndTabOrder) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Confirm ZAM+ Exit");
    EXPECT_EQ(dialog.lblShutdown->text().toStdString(), "What would you like to do?");
    EXPECT_EQ(dialog.cmdExit->text().toStdString(), "Save and E&xit");
    EXPECT_EQ(dialog.cmdShutdown->text().toStdString(), "&Shutdown PC");
    EXPECT_EQ(dialog.cmdRestart->text().toStdString(), "Re&start PC");
    EXPECT_EQ(dialog.cmdCancel->text().toStdString(), "&Return to ZAM+");
    EXPECT_EQ(dialog.cmdExitWithoutSaving->text().toStdString(), "&Lose Changes && Exit");
    EXPECT_EQ(dialog.cmdExitWithoutSaving->toolTip().toStdString(),
              "Exit ZAM+ without saving changes");
    EXPECT_TRUE(dialog.cmdExit->isDefault());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    // The tab order follows the buttons.
    const std::vector<QWidget*> order = {dialog.cmdExit, dialog.cmdShutdown, dialog.cmdRestart,
                                         dialog.cmdCancel, dialog.cmdExitWithoutSaving};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next != nullptr && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString();
    }
}

struct KeyCase {
    char key;
    int answer;
};

TEST(ShutdownKeysTest, EachButtonStoresItsValueAndLettersActLikeThemWhereverTheFocusIs) {
    const KeyCase cases[] = {{'r', -1}, {'R', -1}, {'x', 3}, {'X', 3}, {'s', 1},
                             {'S', 1},  {'w', 2},  {'W', 2}, {'l', 4}, {'L', 4}};
    for (const KeyCase& c : cases) {
        frmShutdown dialog;
        dialog.open();
        // The dialog sees the key before the button that has the focus.
        QTest::keyClick(dialog.cmdRestart, c.key);
        EXPECT_EQ(dialog.ShutDownOption(), c.answer) << c.key;
        EXPECT_FALSE(dialog.isVisible()) << c.key;
    }
    // Each button stores its value.
    const std::pair<QPushButton * frmShutdown::*, int> buttons[] = {
        {&frmShutdown::cmdExit, 3},
        {&frmShutdown::cmdShutdown, 1},
        {&frmShutdown::cmdRestart, 2},
        {&frmShutdown::cmdCancel, -1},
        {&frmShutdown::cmdExitWithoutSaving, 4}};
    for (const auto& [button, answer] : buttons) {
        frmShutdown dialog;
        dialog.open();
        (dialog.*button)->click();
        EXPECT_EQ(dialog.ShutDownOption(), answer);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(ShutdownTest, PresetIsReturnOtherLettersLeaveItOpenEnterSavesEscapeAndClosingReturn) {
    EXPECT_EQ(dialog.ShutDownOption(), frmShutdown::kReturn);
    for (char key : {'a', 'q', 'e', 't', '1'}) {
        QTest::keyClick(dialog.cmdExit, key);
        QTest::keyClick(&dialog, key);
    }
    QTest::keyClick(dialog.cmdExit, 'r', Qt::ControlModifier);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ShutDownOption(), frmShutdown::kReturn);

    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.ShutDownOption(), frmShutdown::kSaveAndExit);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Shown again after that, closing its window answers Return, and so does Escape.
    dialog.open();
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(dialog.ShutDownOption(), frmShutdown::kReturn);
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.ShutDownOption(), frmShutdown::kReturn);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ShutdownAskTest, AskReturnsTheChoiceOfTheModalDialogAndReturnWhenItEndsWithoutAButton) {
    int answer = 0;
    test::WithModal([&] { answer = frmShutdown::Ask(nullptr); },
                    [](QWidget& modal) { QTest::keyClick(&modal, 'l'); });
    EXPECT_EQ(answer, frmShutdown::kExitWithoutSaving);
    // However the dialog ends without a button (the window is hidden, its loop is ended from
    // outside, as when the application quits), the answer is never a shut-down.
    const std::function<void(QDialog&)> endings[] = {
        [](QDialog& d) { d.hide(); },
        [](QDialog& d) { d.done(QDialog::Accepted); },
        [](QDialog& d) { d.done(QDialog::Rejected); },
    };
    for (const auto& end : endings) {
        answer = 0;
        test::WithModalOf<frmShutdown>([&] { answer = frmShutdown::Ask(nullptr); },
                                       [&](frmShutdown& d) { end(d); });
        EXPECT_EQ(answer, frmShutdown::kReturn);
    }
}

}  // namespace
}  // namespace zam
