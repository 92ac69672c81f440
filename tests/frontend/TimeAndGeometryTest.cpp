#include <gtest/gtest.h>

#include "TempDir.h"
#include "zam/frontend/TimeCounter.h"
#include "zam/frontend/WindowGeometry.h"

namespace zam {
namespace {

TEST(TimeCounter, AddsARunToTheTotalPastADayAndReadsCaptionAndElapsedTime) {
    EXPECT_EQ(AddToTimer("22:00:00", 3723), "23:02:03");
    EXPECT_EQ(AddToTimer("", 3723), "01:02:03");
    EXPECT_EQ(AddToTimer("garbage", 59), "00:00:59");
    EXPECT_EQ(AddToTimer("05:06:07", 0), "05:06:07");
    // A day in the simulator is never folded back to zero.
    EXPECT_EQ(AddToTimer("23:30:00", 3723), "24:32:03");
    EXPECT_EQ(AddToTimer("123:59:59", 1), "124:00:00");
    EXPECT_EQ(TimerSeconds("100:00:00"), 360000);
    EXPECT_EQ(TimerCaption("00:00:00"), "Time in GPL 00:00:00");
    test::TempDir tmp;
    const std::string file = tmp.logical() + "ZAM.int";
    EXPECT_EQ(ElapsedRunTime(file), 0);  // missing
    tmp.write("ZAM.int", "01:02:03\r\n");
    EXPECT_EQ(ElapsedRunTime(file), 3723);
    tmp.write("ZAM.int", "Run\r\nC:\\GPL\\GPL.EXE \r\n");  // a run that never started
    EXPECT_EQ(ElapsedRunTime(file), 0);
}

TEST(WindowGeometry, ScreenWidthRestoreRulesAndTwipsToPixelsByResolution) {
    const WindowTwips g = RestoreGeometry("300", "-200", "10000", "12000", "1");
    EXPECT_EQ(g.left, 300);
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.width, 11000);
    EXPECT_EQ(g.height, 12000);
    EXPECT_FALSE(g.maximised);
    const WindowTwips empty = RestoreGeometry("", "abc", "", "9120", "0");
    EXPECT_EQ(empty.left, 0);
    EXPECT_EQ(empty.top, 0);
    EXPECT_EQ(empty.width, 11000);
    EXPECT_EQ(empty.height, 9120);
    EXPECT_TRUE(RestoreGeometry("", "", "", "", "2").maximised);
    EXPECT_EQ(StoredTwips(" 1500twips"), 1500);
    // Twips and pixels convert by the screen's resolution.
    EXPECT_EQ(TwipsToPixels(11000, 96), 733);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(TwipsToPixels(9120, 96), 96), 9120);
    EXPECT_EQ(FitScreenWidth(799), ScreenFit::kTooNarrow);
    EXPECT_EQ(FitScreenWidth(800), ScreenFit::kMaximise);
    EXPECT_EQ(FitScreenWidth(801), ScreenFit::kFits);
    EXPECT_STREQ(ScreenTooNarrowAtStartMessage(),
                 "Sorry.  ZAM+ simply doesn't have enough screen space below 800 x 600.");
    EXPECT_STREQ(ScreenTooNarrowMessage(), "ZAM+ can't work at less than 800 x 600");
}

}  // namespace
}  // namespace zam
