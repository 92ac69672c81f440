#include "zam/frontend/ClassSuffix.h"

#include <array>

namespace zam {

namespace {

constexpr std::array<std::string_view, 10> kEngineLetters = {"R", "B", "M", "W", "F",
                                                             "D", "H", "L", "N", "A"};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool IsFormulaLibre(std::string_view code) { return code.substr(0, 2) == "FL"; }

bool IsOwnClass(std::string_view code) { return code == "F1" || code == "F2" || code == "F3"; }

}  // namespace

std::string_view EngineLetter(int engine) {
    if (engine < 0 || engine >= static_cast<int>(kEngineLetters.size())) return {};
    return kEngineLetters[static_cast<std::size_t>(engine)];
}

std::string TruncateNameQuestion() {
    return "Player's last name is too long to append class.\rOK to Truncate Name?";
}

std::optional<std::string> ClassSuffixedName(std::string_view storedLastName, bool appendClass,
                                             std::string_view classCode, int engine,
                                             const std::function<bool()>& askTruncate) {
    const std::string stored(Trim(storedLastName));
    std::string name = stored.substr(0, stored.find('.'));
    if (appendClass) {
        if (name.size() > kMaxNameForSuffix) {
            if (!askTruncate || !askTruncate()) return std::nullopt;
            name.resize(kMaxNameForSuffix);
        }
        if (IsFormulaLibre(classCode) && classCode.size() > 2)
            name += "." + std::string(1, classCode.back()) + std::string(EngineLetter(engine));
        else if (!classCode.empty() && !IsOwnClass(classCode))
            name += "." + std::string(classCode);
    }
    if (name == stored) return std::nullopt;
    return name;
}

}  // namespace zam
