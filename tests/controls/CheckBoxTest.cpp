#include "ControlsFixture.h"
#include "zam/controls/ucCheckBox.h"

namespace zam::controls {
namespace {

class CheckBoxTest : public test::ControlsTest {
protected:
    ucCheckBox* Make(int def, const char* file = "Core.Ini") {
        auto* c = new ucCheckBox;
        c->SetCaption("&Option");
        c->SetDefault(def);
        c->Bind(file, "Test", "flag");
        Show(c);
        changes = std::make_unique<QSignalSpy>(c, &ucCheckBox::Change);
        return c;
    }
    std::string Flag() { return Stored("Core.Ini", "Test", "flag"); }
    // Clicks on the box itself (the control may be wider than its box and caption).
    static void Click(ucCheckBox* c) {
        QTest::mouseClick(c->Box(), Qt::LeftButton, {}, QPoint(8, c->Box()->height() / 2));
    }
    std::unique_ptr<QSignalSpy> changes;
};

TEST_F(CheckBoxTest, RefreshOverAMissingEntryWritesTheDefaultOnlyOnChangeAndEveryClickWrites) {
    ucCheckBox* on = Make(1);
    on->Refresh();
    EXPECT_TRUE(on->Box()->isChecked());
    EXPECT_EQ(Flag(), "1");
    EXPECT_EQ(changes->count(), 1);
    on->Refresh();  // shown state unchanged: nothing more
    EXPECT_EQ(changes->count(), 1);

    store->SetIniValue("Core.Ini", "Other", "flag", "");
    auto* off = new ucCheckBox;
    off->SetDefault(0);
    off->Bind("Core.Ini", "Other", "flag");
    Show(off);
    QSignalSpy offChanges(off, &ucCheckBox::Change);
    off->Refresh();
    EXPECT_FALSE(off->Box()->isChecked());
    EXPECT_EQ(offChanges.count(), 0);
    EXPECT_EQ(Stored("Core.Ini", "Other", "flag"), "");
    // Every click writes the new state.
    LoadIni("Core.Ini", "[Test]\nflag=0\n");
    ucCheckBox* c = Make(0);
    c->Refresh();
    Click(c);
    EXPECT_EQ(Flag(), "1");
    Click(c);
    EXPECT_EQ(Flag(), "0");
    c->setFocus();
    QTest::keyClick(c->Box(), Qt::Key_Space);
    EXPECT_EQ(Flag(), "1");
    EXPECT_EQ(changes->count(), 3);
}

TEST_F(CheckBoxTest, AssigningCommitsEvenTheStateShownAndStoredTextsReadAsRoundedNumbers) {
    LoadIni("Core.Ini", "[Test]\nflag=1\n");
    ucCheckBox* c = Make(0);
    c->Refresh();
    store->SetIniValue("Core.Ini", "Test", "flag", "01");
    c->SetValue(1);
    EXPECT_EQ(Flag(), "1");
    EXPECT_EQ(changes->count(), 2);  // the refresh's change, then the assignment's
    LoadIni("Core.Ini", "[Test]\nflag=  1  \n");
    ucCheckBox* rounded = Make(0);
    EXPECT_EQ(rounded->Value(), 1);
    store->SetIniValue("Core.Ini", "Test", "flag", "0.5");
    EXPECT_EQ(rounded->Value(), 0);
    store->SetIniValue("Core.Ini", "Test", "flag", "1.5");
    EXPECT_EQ(rounded->Value(), 2);
    rounded->Refresh();
    EXPECT_EQ(rounded->Box()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(Flag(), "2");
    store->SetIniValue("Core.Ini", "Test", "flag", "   ");
    EXPECT_EQ(rounded->Value(), 0);  // blank is missing: the default
    store->SetIniValue("Core.Ini", "Test", "flag", "7");
    rounded->Refresh();  // no such state: the box and the entry stay
    EXPECT_EQ(rounded->Box()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(Flag(), "7");
}

TEST_F(CheckBoxTest, FullPathWritesTheBareKeyUnfilledNothingReboundTheNewEntryAndAlignmentMoves) {
    store->ReadIniFile("ZAM.Ini");  // nothing there: the key is still the bare name
    auto* c = new ucCheckBox;
    c->SetUseFullPath(true);
    c->Bind("ZAM.Ini", "Backgrounds", "randomBack");
    Show(c);
    Click(c);
    EXPECT_EQ(store->FullPathIniValue("ZAM.Ini", "Backgrounds", "randomBack"), "1");
    EXPECT_EQ(store->FullPathIniValue(Sim() + "ZAM.Ini", "Backgrounds", "randomBack"), "");

    // An unfilled binding writes nothing.
    ucCheckBox* unfilled = Make(1, "?");
    unfilled->Refresh();
    EXPECT_TRUE(unfilled->Box()->isChecked());  // shows the default
    const auto files = store->FileCount();
    Click(unfilled);
    EXPECT_EQ(store->FileCount(), files);
    EXPECT_EQ(changes->count(), 2);
    // Rebinding to another section reads the new entry.
    LoadIni("Core.Ini", "[Test]\nflag=1\n[Else]\nflag=0\n");
    ucCheckBox* rebound = Make(0);
    EXPECT_EQ(rebound->Value(), 1);
    rebound->SetSection("Else");
    EXPECT_EQ(rebound->Value(), 0);
    rebound->SetIniFile("Core.Ini");  // the same file again keeps the position
    EXPECT_EQ(rebound->Value(), 0);
    // Alignment puts the box right of the caption.
    rebound->SetAlignment(1);
    EXPECT_EQ(rebound->Box()->layoutDirection(), Qt::RightToLeft);
    rebound->SetAlignment(0);
    EXPECT_EQ(rebound->Box()->layoutDirection(), Qt::LeftToRight);
}

}  // namespace
}  // namespace zam::controls
