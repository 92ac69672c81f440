#include "ControlsFixture.h"
#include "zam/controls/ucFilenameList.h"

namespace zam::controls {
namespace {

class FilenameListTest : public test::ControlsTest {};

TEST_F(FilenameListTest, ListsMatchingFilesBelowTheRecordedSimulatorFolder) {
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
