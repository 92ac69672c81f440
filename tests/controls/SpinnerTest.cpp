#include <QToolButton>
#include <cmath>

#include "ControlsFixture.h"
#include "zam/controls/NumberText.h"
#include "zam/controls/ucSpinner.h"

namespace zam::controls {
namespace {

class SpinnerTest : public test::ControlsTest {
protected:
    // A spinner over Core.Ini [Test] value, shown on the window.
    ucSpinner* Make(double minimum, double maximum, double increment = 1, double def = 0) {
        auto* s = new ucSpinner;
        s->SetCaption("Setting");
        s->SetMinimum(minimum);
        s->SetMaximum(maximum);
        s->SetIncrement(increment);
        s->SetDefault(def);
        s->Bind("Core.Ini", "Test", "value");
        Show(s);
        s->Refresh();
        changes = std::make_unique<QSignalSpy>(s, &ucSpinner::Change);
        return s;
    }
    // Types a number and presses Enter, which moves the focus on and so commits it.
    void Enter(ucSpinner* s, const QString& text) {
        TypeInto(s->TextBox(), text);
        QTest::keyClick(s->TextBox(), Qt::Key_Return);
    }
    std::string Value() { return Stored("Core.Ini", "Test", "value"); }
    std::unique_ptr<QSignalSpy> changes;
};

TEST_F(SpinnerTest, TypingWritesOnlyWhenTheBoxIsLeftAHalfCompactAndEscapeShowsItPlain) {
    ucSpinner* s = Make(0, 100);
    TypeInto(s->TextBox(), "42");
    EXPECT_EQ(Value(), "");
    elsewhere->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Value(), "42");
    EXPECT_EQ(changes->count(), 1);
    Enter(s, "0.5");
    EXPECT_EQ(Value(), ".5");
    EXPECT_EQ(s->TextBox()->text(), ".5");
    EXPECT_TRUE(s->UpSmallButton()->hasFocus());
    EXPECT_EQ(changes->count(), 2);
    s->TextBox()->setFocus();
    QTest::keyClick(s->TextBox(), Qt::Key_Escape);
    EXPECT_EQ(s->TextBox()->text(), "0.5");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SpinnerTest, ALetterReadsAsZeroZeroMustBeInRangeAndANegativeMinimumHasNoBlank) {
    LoadIni("Core.Ini", "[Test]\nvalue=3\n");
    ucSpinner* s = Make(0, 10);
    Enter(s, "x");
    EXPECT_EQ(Value(), "0");
    EXPECT_TRUE(ui.messages.empty());

    store->SetIniValue("Core.Ini", "Test", "value", "3");
    s->SetMinimum(1);
    s->Refresh();
    Enter(s, "x");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Setting must be between 1 and 10");
    EXPECT_EQ(ui.messages[0].title, "ZAM+");
    EXPECT_EQ(Value(), "3");
    EXPECT_EQ(s->TextBox()->text(), "3");
    EXPECT_TRUE(s->TextBox()->hasFocus());
    EXPECT_EQ(changes->count(), 1);  // only the accepted 0 before
    // The range message of a negative minimum has no blank before the sign.
    LoadIni("Core.Ini", "[Test]\nvalue=50\n");
    ucSpinner* lod = Make(-100, 500);
    lod->SetCaption("LOD Bias");
    Enter(lod, "600");
    ASSERT_EQ(ui.MessageTexts().size(), 2u);
    EXPECT_EQ(ui.MessageTexts()[1], "LOD Bias must be between-100 and 500");
    EXPECT_EQ(Value(), "50");
    Enter(lod, "-100");
    EXPECT_EQ(Value(), "-100");
}

TEST_F(SpinnerTest, LargeStepStopsAtTheMaximumAndSmallStepsDownAtTheMinimumThenNothingChanges) {
    LoadIni("Core.Ini", "[Test]\nvalue=4.95\n");
    ucSpinner* s = Make(0, 5, 0.01);
    QTest::mouseClick(s->UpLargeButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "5");
    EXPECT_EQ(s->TextBox()->text(), "5");
    QTest::mouseClick(s->UpLargeButton(), Qt::LeftButton);
    EXPECT_EQ(changes->count(), 1);
    QTest::mouseClick(s->DownSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "4.99");
    EXPECT_TRUE(ui.messages.empty());

    // Small steps down stop at the minimum.
    LoadIni("Core.Ini", "[Test]\nvalue=1003\n");
    ucSpinner* t = Make(1000, 1000000, 1000);
    QTest::mouseClick(t->DownSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "1000");
    QTest::mouseClick(t->DownLargeButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "1000");
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(SpinnerTest, AnEntryCreatedLaterIsSeenAndAfterARefreshTypingTheOldValueWritesIt) {
    ucSpinner* s = Make(0, 10000, 1, 7);
    EXPECT_EQ(s->Value(), 7);
    store->SetIniValue("Core.Ini", "Test", "value", "5200");
    EXPECT_EQ(s->Value(), 5200);
    Enter(s, "1000");
    EXPECT_EQ(Value(), "1000");
    store->SetIniValue("Core.Ini", "Test", "value", "5200");
    s->Refresh();
    EXPECT_EQ(s->TextBox()->text(), "5200");
    Enter(s, "1000");
    EXPECT_EQ(Value(), "1000");
}

TEST_F(SpinnerTest, NoDPDoesNotRoundAndAClickOrAStepKeyCommitsTheTypedNumberFirst) {
    LoadIni("Core.Ini", "[Test]\nvalue=1\n");
    ucSpinner* s = Make(0, 2, 0.001);
    s->SetNoDP(2);
    QTest::mouseClick(s->UpSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "1.001");
    EXPECT_EQ(s->TextBox()->text(), "1.001");
    // A button click or a step key commits the typed number before stepping.
    ucSpinner* typed = Make(0, 100);
    TypeInto(typed->TextBox(), "7");
    QTest::mouseClick(typed->UpSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "8");
    // Tab stops only at the number; the keyboard steps from there.
    EXPECT_FALSE(typed->UpSmallButton()->focusPolicy() & Qt::TabFocus);
    TypeInto(typed->TextBox(), "20");
    QTest::keyClick(typed->TextBox(), Qt::Key_Up);
    EXPECT_EQ(Value(), "21");
    QTest::keyClick(typed->TextBox(), Qt::Key_PageDown);
    EXPECT_EQ(Value(), "11");
    QTest::keyClick(typed->TextBox(), Qt::Key_Down);
    EXPECT_EQ(typed->TextBox()->text(), "10");
}

TEST_F(SpinnerTest, AMissingEntryOrUnfilledBindingShowsTheDefaultWhichOnlyAStoreWrites) {
    auto* s = new ucSpinner;
    s->SetDefault(15);
    s->Bind("?", "Race", "overrideRaceLength");
    Show(s);
    s->Refresh();
    EXPECT_EQ(s->TextBox()->text(), "15");
    const auto files = store->FileCount();
    Enter(s, "20");
    EXPECT_EQ(s->TextBox()->text(), "20");
    EXPECT_EQ(store->FileCount(), files);
    // A real file with a section still to be filled in is not touched either.
    s->Bind("Core.Ini", "?", "value");
    Enter(s, "30");
    EXPECT_EQ(store->FileCount(), files);

    // Without a store reads are zero and nothing is written.
    ucSpinner* t = Make(0, 10, 1, 5);
    SetBoundStore(nullptr);
    EXPECT_EQ(t->Value(), 0);
    Enter(t, "4");
    EXPECT_EQ(t->TextBox()->text(), "4");
    SetBoundStore(store.get());
    EXPECT_EQ(Value(), "");
    // A missing entry shows the default, and the first step starts there.
    ucSpinner* missing = Make(0, 400, 1, 100);
    EXPECT_EQ(missing->TextBox()->text(), "100");
    QTest::mouseClick(missing->UpSmallButton(), Qt::LeftButton);
    EXPECT_EQ(Value(), "101");
}

// The spinner's number text: what it shows, how it reads a typed number and how it rounds.
TEST(NumberText, CompactFormDropsTheLeadingZeroAlsoInRangeMessagesPlainKeepsItAndHidesErrors) {
    EXPECT_EQ(CompactNumber(0.5), ".5");
    EXPECT_EQ(CompactNumber(-0.25), "-.25");
    EXPECT_EQ(CompactNumber(0.1 + 0.001), ".101");
    EXPECT_EQ(CompactNumber(0), "0");
    EXPECT_EQ(CompactNumber(-0.0), "0");
    EXPECT_EQ(CompactNumber(5200), "5200");
    EXPECT_EQ(CompactNumber(1000000), "1000000");
    EXPECT_EQ(CompactNumber(-100), "-100");
    EXPECT_EQ(CompactNumber(1.25), "1.25");
    EXPECT_EQ(PlainNumber(0.5), "0.5");
    EXPECT_EQ(PlainNumber(-0.25), "-0.25");
    EXPECT_EQ(PlainNumber(12), "12");
    // Fifteen digits hide the error of repeated steps.
    EXPECT_EQ(CompactNumber(0.1 + 0.2), ".3");
    double v = 4.9;
    for (int i = 0; i < 5; ++i) v += 0.01;
    EXPECT_EQ(CompactNumber(v), "4.95");
    double w = 0;
    for (int i = 0; i < 3; ++i) w += 0.001;
    EXPECT_EQ(CompactNumber(w), ".003");
    EXPECT_EQ(CompactNumber(123456789012345678.0), "123456789012346000");
    // Range messages show the compact form (a negative bound follows "between" without a
    // blank: SpinnerTest's range message shows it).
    EXPECT_EQ(RangeMessage("Year", 1898, 3000), "Year must be between 1898 and 3000");
    EXPECT_EQ(RangeMessage("Scale", 0, 5), "Scale must be between 0 and 5");
    EXPECT_EQ(RangeMessage("FF Latency", 0, 0.5), "FF Latency must be between 0 and .5");
}

TEST(NumberText, LeadingNumberReadsLikeTheOldProgramsAndRoundsHalvesToEven) {
    EXPECT_EQ(LeadingNumber("0.5"), 0.5);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("  -.25xyz"), -0.25);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("1.5e3"), 1500);
    EXPECT_EQ(LeadingNumber("2e"), 2);  // exponent without digits is not part of the number
    EXPECT_EQ(LeadingNumber("3E-2x"), 0.03);
    EXPECT_EQ(LeadingNumber("1,5"), 1);  // "." is the only decimal point
    EXPECT_EQ(LeadingNumber("5."), 5);
    EXPECT_EQ(LeadingNumber("a"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("."), 0);
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
    EXPECT_EQ(LeadingNumber("1e-999"), 0);
    // Rounding takes halves to the even neighbour.
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(1.4), 1);
    EXPECT_EQ(RoundHalfEven(720.0), 720);
}

}  // namespace
}  // namespace zam::controls
