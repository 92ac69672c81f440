#pragma once
// Which entries two texts of one INI file give different values, read the way the store reads
// them (names of sections and entries compared without regard to case, values exactly; comments
// and layout ignored). Used to show what a restore would change.
#include <string>
#include <string_view>
#include <vector>

namespace zam {

struct IniDifference {
    std::string section;  // empty for entries above the first section header
    std::string entry;
    std::string current;  // the value in the current text; empty when it has no such entry
    std::string other;    // the value in the other text; empty when it has no such entry
    bool inCurrent = false;
    bool inOther = false;
};

// The entries of `current` in their order, then those found only in `other`. An entry named twice
// in one section is matched with the same occurrence in the other text.
std::vector<IniDifference> CompareIniTexts(std::string_view current, std::string_view other);

}  // namespace zam
