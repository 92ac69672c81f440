// The exit dialog: its answers for every button and key, and its captions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "DialogTestSupport.h"
#include "zam/frontend/frmShutdown.h"

namespace zam {
namespace {

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
