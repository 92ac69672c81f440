#include <gtest/gtest.h>

#include "zam/frontend/ClassSuffix.h"

namespace zam {
namespace {

std::optional<std::string> Suffixed(std::string_view last, bool on, std::string_view code,
                                    int engine = -1, bool agree = true, int* asked = nullptr) {
    return ClassSuffixedName(last, on, code, engine, [&] {
        if (asked) ++*asked;
        return agree;
    });
}

TEST(ClassSuffix, AppendsTheClassWithItsEngineLetterRemovesAnEarlierOneAndCutsOnlyWithConsent) {
    EXPECT_EQ(Suffixed("Driver", true, "FG"), "Driver.FG");
    EXPECT_EQ(Suffixed("Driver", true, "FL1", 5), "Driver.1D");  // Ford DFV
    EXPECT_EQ(Suffixed("Driver", true, "FL2", 9), "Driver.2A");
    EXPECT_EQ(Suffixed("Driver", true, "FL3", 0), "Driver.3R");
    EXPECT_EQ(Suffixed("Driver", true, "F1"), std::nullopt);  // own classes add nothing
    EXPECT_EQ(EngineLetter(0), "R");
    EXPECT_EQ(EngineLetter(6), "H");
    EXPECT_EQ(EngineLetter(10), "");
    EXPECT_EQ(Suffixed("Driver", true, "FL1", -1), "Driver.1");  // no engine shown
    EXPECT_EQ(Suffixed("Driver.1D", false, "FL1", 5), "Driver");
    EXPECT_EQ(Suffixed("Driver.FG", true, "F2"), "Driver");
    EXPECT_EQ(Suffixed("Driver.FG", true, "FD"), "Driver.FD");
    EXPECT_EQ(Suffixed(" Driver.FG ", true, "FG"), std::nullopt);  // already right
    EXPECT_EQ(Suffixed("Driver", false, "FG"), std::nullopt);      // nothing to remove
    // Long names are cut only with consent.
    int asked = 0;
    EXPECT_EQ(Suffixed("Ninechars", true, "FG", -1, true, &asked), "Ninechars.FG");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(Suffixed("TenLetters", true, "FG", -1, true, &asked), "TenLetter.FG");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Suffixed("TenLetters", true, "FG", -1, false, &asked), std::nullopt);
    EXPECT_EQ(asked, 2);
    // Also for the simulator's own classes, where Yes shortens the name though nothing is added.
    EXPECT_EQ(Suffixed("TenLetters", true, "F1", -1, true, &asked), "TenLetter");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(Suffixed("TenLetters", false, "FG", -1, true, &asked), std::nullopt);
    EXPECT_EQ(asked, 3);
}

}  // namespace
}  // namespace zam
