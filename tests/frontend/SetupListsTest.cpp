// The setup drop-downs per class and car, "List All Setups For Track", and the hand-over to the
// setup editor with the blank-removing rename (a fake launcher: nothing is started).
#include <gmock/gmock.h>

#include "TrackTestSupport.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/SetupLists.h"

namespace zam::test {
namespace {

using testing::ElementsAre;

class SetupListsTest : public BoundDemoTest {
protected:
    SetupListsTest() {
        current.Bind("?", "Current", "?");
        race.Bind("?", "Race", "?");
    }

    void OpenDemo() {
        OpenBound();
        selection.player = "Driver__Sam";
        selection.track = "kyalami";
        selection.classCode = "FD";
        selection.carValue = "5";
    }
    static std::vector<std::string> Items(const controls::ucDropDown& list) {
        std::vector<std::string> items;
        for (int i = 1; i <= list.NoItems(); ++i) items.push_back(list.ItemValue(i));
        return items;
    }
    std::string Folder() const { return "gpl/Players/Driver__Sam/Setups/kyalami/"; }

    controls::ucDropDown current;
    controls::ucDropDown race;
    SetupSelection selection;
};

TEST_F(SetupListsTest, ListsFollowClassCarAndTrack) {
    OpenDemo();
    FillSetupList(*gpl, current, selection);
    FillSetupList(*gpl, race, selection);
    EXPECT_THAT(Items(current), ElementsAre("Demo Fast.lo1", "Qualify.lo1"));
    EXPECT_EQ(current.Entry(), "F1lotus");
    EXPECT_EQ(current.Value(), "Demo Fast.lo1");
    EXPECT_EQ(race.Value(), "Qualify.lo1");
    // Reading the index marked nothing changed.
    const std::int32_t index = gpl->FileNumber(gpl->SetupsDefPath("kyalami", "Driver__Sam"));
    ASSERT_GT(index, 0);
    EXPECT_FALSE(gpl->FileChanged(index));
    // "List All Setups For Track" only widens the current list.
    selection.allCars = true;
    FillSetupList(*gpl, current, selection);
    FillSetupList(*gpl, race, selection);
    EXPECT_EQ(current.NoItems(), 10);  // nine setups and the index
    EXPECT_THAT(Items(race), ElementsAre("Demo Fast.lo1", "Qualify.lo1"));

    selection.allCars = false;
    selection.classCode = "F2";
    selection.carValue = "1";
    FillSetupList(*gpl, current, selection);
    EXPECT_THAT(Items(current), ElementsAre("Wet.br2"));
    EXPECT_EQ(current.Entry(), "F2brm");
    // A missing setup folder gives an empty list.
    selection.track = "mexico";
    FillSetupList(*gpl, current, selection);
    EXPECT_EQ(current.NoItems(), 0);
    selection.track = "..\\kyalami";
    current.AddItem("kept");
    FillSetupList(*gpl, current, selection);  // refused: never used as a path
    EXPECT_THAT(Items(current), ElementsAre("kept"));
}

TEST_F(SetupListsTest, EditorGetsTheSetupWithoutBlanks) {
    OpenDemo();
    EXPECT_TRUE(EditCurrentSetup(*gpl, ui, selection, "Demo Fast.lo1", true, "C:\\Tools\\ed.exe"));
    EXPECT_TRUE(tmp.exists(Folder() + "DemoFast.lo1"));
    EXPECT_FALSE(tmp.exists(Folder() + "Demo Fast.lo1"));
    EXPECT_EQ(gpl->IniValue(selection.IndexFile(), "Current", "F1lotus"), "DemoFast.lo1");
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0],
              "C:\\Tools\\ed.exe " + Gpl() + "Players\\Driver__Sam\\Setups\\kyalami\\DemoFast.lo1");
    EXPECT_EQ(launcher.waited.size(), 1u);
}

TEST_F(SetupListsTest, WithoutTheOptionOrWithAnUnsafeNameOrOverAnotherFileNothingIsRenamed) {
    OpenDemo();
    EXPECT_TRUE(EditCurrentSetup(*gpl, ui, selection, "Demo Fast.lo1", false, "ed.exe"));
    EXPECT_TRUE(tmp.exists(Folder() + "Demo Fast.lo1"));
    EXPECT_FALSE(EditCurrentSetup(*gpl, ui, selection, "..\\..\\x.lo1", true, "ed.exe"));
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(ui.messages.size(), 1u);
    // A rename that would overwrite is refused.
    ui.messages.clear();
    tmp.write(Folder() + "DemoFast.lo1", "other");
    EXPECT_TRUE(EditCurrentSetup(*gpl, ui, selection, "Demo Fast.lo1", true, "ed.exe"));
    EXPECT_THAT(
        ui.MessageTexts(),
        ElementsAre("Can't remove spaces from Demo Fast.lo1.\rFile DemoFast.lo1 already exists."));
    EXPECT_EQ(tmp.read(Folder() + "DemoFast.lo1"), "other");
    EXPECT_TRUE(tmp.exists(Folder() + "Demo Fast.lo1"));
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_THAT(launcher.started[1], testing::EndsWith("\\Demo Fast.lo1"));
}

}  // namespace
}  // namespace zam::test
