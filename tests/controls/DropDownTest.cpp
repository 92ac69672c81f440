#include "ControlsFixture.h"
#include "zam/controls/ucDropDown.h"

namespace zam::controls {
namespace {

class DropDownTest : public test::ControlsTest {
protected:
    ucDropDown* Make(const char* file = "App.ini") {
        auto* d = new ucDropDown;
        d->SetCaption("&Rasterizer");
        d->Bind(file, "Graphics", "lastRasterizerDLL");
        d->AddItem("Direct 3D", "rastd3d7.dll");
        d->AddItem("Voodoo", "rast3dfx.dll");
        d->AddItem("OpenGL", "rastOGL.dll");
        Show(d);
        changes = std::make_unique<QSignalSpy>(d, &ucDropDown::Change);
        return d;
    }
    std::string Stored() { return ControlsTest::Stored("App.ini", "Graphics", "lastRasterizerDLL"); }
    std::unique_ptr<QSignalSpy> changes;
};

TEST_F(DropDownTest, AStoredValueDifferingInCaseSelectsItemOneAndTheAccessKeyLeadsToTheList) {
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=RASTOGL.DLL\n");
    ucDropDown* d = Make();
    EXPECT_EQ(d->ListIndex(), 0);  // filling selects nothing
    d->Refresh();
    EXPECT_EQ(d->ListIndex(), 1);
    EXPECT_EQ(Stored(), "rastd3d7.dll");
    EXPECT_EQ(changes->count(), 1);
    // The caption's access key leads to the list, where a user's pick is written.
    EXPECT_EQ(d->CaptionLabel()->text(), "&Rasterizer");
    EXPECT_EQ(d->CaptionLabel()->buddy(), d->List());
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(d->List()->hasFocus());
    QTest::keyClick(d->List(), Qt::Key_Down);
    EXPECT_EQ(Stored(), "rast3dfx.dll");
    EXPECT_EQ(d->ListIndex(), 2);
    EXPECT_EQ(changes->count(), 2);
}

// Values that name files match as the file system matches them: without regard to case. The
// user's spelling stays, and so does the file's.
TEST_F(DropDownTest, FileNameValuesMatchInAnyCaseAndKeepTheStoredSpelling) {
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=RASTOGL.DLL\n");
    ucDropDown* d = Make();
    d->SetFileNameValues(true);
    d->Refresh();
    EXPECT_EQ(d->ItemText(), "OpenGL");
    EXPECT_EQ(Stored(), "RASTOGL.DLL");
    EXPECT_FALSE(store->FileChanged(store->FileNumber(Sim() + "App.ini")));
    EXPECT_EQ(changes->count(), 1);
    d->SetValue("RAST3DFX.DLL");  // a choice by code, too, finds its item in any case
    EXPECT_EQ(d->ItemText(), "Voodoo");
    EXPECT_EQ(Stored(), "rast3dfx.dll");
}

TEST_F(DropDownTest, AnExactMatchIsSelectedWithoutWritingAndTheLaterOfTwoEqualValuesWins) {
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=rastOGL.dll\n");
    ucDropDown* d = Make();
    d->Refresh();
    EXPECT_EQ(d->ListIndex(), 3);
    EXPECT_EQ(d->ItemText(), "OpenGL");
    EXPECT_FALSE(store->FileChanged(store->FileNumber(Sim() + "App.ini")));
    EXPECT_EQ(changes->count(), 1);  // a changed selection always tells the window
    d->Refresh();                    // the same item again: nothing at all
    EXPECT_EQ(changes->count(), 1);
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=x\n");
    ucDropDown* equal = Make();
    equal->AddItem("Another X", "x");
    equal->AddItem("Last X", "x");
    equal->Refresh();
    EXPECT_EQ(equal->ItemText(), "Last X");
    equal->SetValue("rast3dfx.dll");
    EXPECT_EQ(equal->ListIndex(), 2);
    EXPECT_EQ(Stored(), "rast3dfx.dll");
    equal->SetValue("nothing like it");
    EXPECT_EQ(equal->ListIndex(), 2);
}

TEST_F(DropDownTest, AnItemWithoutValueStoresItsTextAndAFullPathTheBareFileKey) {
    auto* d = new ucDropDown;
    d->Bind("Core.Ini", "Engines", "Brabham");
    d->AddItem("Repco V8");
    d->AddItem("Ford DFV V8");
    Show(d);
    d->SelectIndex(2);
    EXPECT_EQ(ControlsTest::Stored("Core.Ini", "Engines", "Brabham"), "Ford DFV V8");
    EXPECT_EQ(d->Value(), "Ford DFV V8");

    // A full path reads and writes the bare file key.
    auto* full = new ucDropDown;
    full->SetUseFullPath(true);
    full->Bind("ZAM.Ini", "Client", "ConnectVia");
    full->AddItem("TCP/IP", "IP");
    full->AddItem("IPX", "IPX");
    Show(full);
    store->SetFullPathIniValue("ZAM.Ini", "Client", "ConnectVia", "IPX");
    full->Refresh();
    EXPECT_EQ(full->ItemText(), "IPX");
    full->SelectIndex(1);
    EXPECT_EQ(store->FullPathIniValue("ZAM.Ini", "Client", "ConnectVia"), "IP");
}

TEST_F(DropDownTest, AnUnfilledFileKeepsTheSelectionItemTextCanChangeAndSetListIndexFallsBack) {
    ucDropDown* d = Make("?");
    d->SelectIndex(2);
    d->SetToolTip("3d Rasteriser");
    EXPECT_TRUE(d->List()->toolTip().isEmpty());
    d->Refresh();
    EXPECT_EQ(d->ListIndex(), 2);
    EXPECT_EQ(d->List()->toolTip(), "3d Rasteriser");
    ucDropDown* items = Make();
    items->SelectIndex(2);
    items->SetItemText("3Dfx Voodoo");
    EXPECT_EQ(items->ItemText(), "3Dfx Voodoo");
    EXPECT_EQ(items->Value(), "rast3dfx.dll");
    // An empty value falls back to item one; an empty list stays empty.
    items->SelectIndex(3);
    items->SetListIndex("");
    EXPECT_EQ(items->ListIndex(), 1);
    items->Clear();
    EXPECT_EQ(items->NoItems(), 0);
    items->SetListIndex("rastd3d7.dll");
    EXPECT_EQ(items->ListIndex(), 0);
    EXPECT_EQ(items->Value(), "");
    items->SelectIndex(1);
    EXPECT_EQ(items->ListIndex(), 0);
}

}  // namespace
}  // namespace zam::controls
