#include "zam/platform/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zam::platform::WildcardMatch;

struct Case {
    const char* pattern;
    const char* name;
    bool matches;
};

class WildcardTable : public testing::TestWithParam<Case> {};

TEST_P(WildcardTable, MatchesAsWindowsDoes) {
    const Case& c = GetParam();
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WildcardTable,
    testing::Values(
        // "*." lists folders such as player folders: names without an extension only.
        Case{"*.", "Players", true}, Case{"*.", "a.txt", false}, Case{"*.", "a.b.c", false},
        Case{"*.", "trailing.", true},
        // "*.*" is everything, with or without a dot.
        Case{"*.*", "Players", true}, Case{"*.*", "a.txt", true}, Case{"*.*", ".hidden", true},
        Case{"*.*", "a.b.c", true}, Case{"*", "anything.at.all", true},
        // Extensions are matched whole and without regard to case.
        Case{"*.lo1", "Car.lo1", true}, Case{"*.lo1", "CAR.LO1", true},
        Case{"*.lo1", "car.lo10", false}, Case{"*.lo1", "car.lo", false},
        Case{"*.lo1", "lo1", false}, Case{"*.lo1", "a.b.lo1", true},
        Case{"GPL*.PBF", "gpl_0001.pbf", true}, Case{"GPL*.PBF", "GPL.PBF", true},
        Case{"GPL*.PBF", "xgpl1.pbf", false}, Case{"GPL*.PBF", "gpl1.pbf.bak", false},
        // "?" is one character, but never the dot, and nothing at a dot or at the end.
        Case{"?", "ab", false},
        Case{"??.txt", "ab.txt", true}, Case{"??.txt", "a.txt", true},
        Case{"??.txt", "abc.txt", false}, Case{"a?c", "abc", true}, Case{"a?c", "a.c", false},
        // A dot before a wildcard may also match the end of the name.
        Case{"GPL.*", "GPL", true}, Case{"GPL.*", "gpl.exe", true}, Case{"GPL.*", "GPLX", false},
        // No wildcards: the whole name without regard to case, and Windows-1252 letters too.
        Case{"Core.ini", "CORE.INI", true}, Case{"Core.ini", "Core.ini.bak", false},
        Case{"\xE9t\xE9.ini", "\xC9T\xC9.INI", true}, Case{"", "", true}, Case{"", "a", false},
        Case{"a*b*c", "aXXbYYc", true}, Case{"a*b*c", "aXXbYY", false}));

TEST(Wildcard, LongPatternsStayFast) {
    // A backtracking matcher would take exponential time here; this finishes at once.
    std::string pattern(200, '*');
    pattern += 'b';
    std::string name(5000, 'a');
    EXPECT_FALSE(WildcardMatch(pattern, name));
    name += 'b';
    EXPECT_TRUE(WildcardMatch(pattern, name));
}

}  // namespace
