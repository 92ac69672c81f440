#include <gtest/gtest.h>

#include "TempDir.h"
#include "zam/frontend/Screenshots.h"

namespace zam {
namespace {

TEST(Screenshots, MovedIntoExportsInListingOrderUnderNumberedNames) {
    EXPECT_EQ(ArchivedScreenshotName(0), "S0000000.PBF");
    EXPECT_EQ(ArchivedScreenshotName(42), "S0000042.PBF");
    EXPECT_EQ(ArchivedScreenshotName(12345678), "S12345678.PBF");
    test::TempDir tmp;
    tmp.write("GPL02.PBF", "two");
    tmp.write("GPL01.PBF", "one");
    tmp.write("GPL03.PBF", "three");
    tmp.write("Other.PBF", "stays");
    tmp.write("Exports/keep.txt", "");
    EXPECT_EQ(ArchiveScreenshots(tmp.logical(), 0), 3);
    EXPECT_EQ(tmp.read("Exports/S0000000.PBF"), "one");
    EXPECT_EQ(tmp.read("Exports/S0000001.PBF"), "two");
    EXPECT_EQ(tmp.read("Exports/S0000002.PBF"), "three");
    EXPECT_FALSE(tmp.exists("GPL01.PBF"));
    EXPECT_TRUE(tmp.exists("Other.PBF"));
    EXPECT_EQ(ArchiveScreenshots(tmp.logical(), 3), 3);  // nothing left
}

TEST(Screenshots, WithoutExportsTheFilesStayAndTheCounterAdvancesAndNoArchivedPictureIsReplaced) {
    test::TempDir tmp;
    tmp.write("GPL01.PBF", "one");
    tmp.write("GPL02.PBF", "two");
    EXPECT_EQ(ArchiveScreenshots(tmp.logical(), 7), 9);
    EXPECT_EQ(tmp.read("GPL01.PBF"), "one");
    EXPECT_EQ(tmp.read("GPL02.PBF"), "two");
    test::TempDir other;
    other.write("GPL01.PBF", "new");
    other.write("Exports/S0000005.PBF", "archived");
    EXPECT_EQ(ArchiveScreenshots(other.logical(), 5), 6);
    EXPECT_EQ(other.read("Exports/S0000005.PBF"), "archived");
    EXPECT_EQ(other.read("GPL01.PBF"), "new");
}

TEST(Screenshots, BackgroundSetsSkipHiddenNamesAndTrimBlanks) {
    test::TempDir tmp;
    tmp.write("Layout/BackSets/Classic/a.tga", "");
    tmp.write("Layout/BackSets/.svn/x", "");
    tmp.write("Layout/BackSets/ Padded/a.tga", "");
    tmp.write("Layout/BackSets/NoExtension", "");
    tmp.write("Layout/BackSets/readme.txt", "");
    const std::vector<std::string> sets = BackgroundSets(tmp.logical());
    EXPECT_EQ(sets, (std::vector<std::string>{"Padded", "Classic", "NoExtension"}));
    test::TempDir empty;
    EXPECT_TRUE(BackgroundSets(empty.logical()).empty());
}

}  // namespace
}  // namespace zam
