#include "zam/controls/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zam::controls {
namespace {

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
    EXPECT_EQ(LeadingNumber("2e"), 2);     // exponent without digits is not part of the number
    EXPECT_EQ(LeadingNumber("3E-2x"), 0.03);
    EXPECT_EQ(LeadingNumber("1,5"), 1);    // "." is the only decimal point
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
