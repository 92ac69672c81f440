#pragma once
// Appending the car class to the player's last name, so that results and lap records made with
// a class other than the simulator's own show which class they were driven in.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zam {

inline constexpr std::size_t kMaxNameForSuffix = 9;

// Letter of an engine number 0 to 9 in a Formula Libre suffix ("D" for engine 5); empty outside.
std::string_view EngineLetter(int engine);

// The last name a player should carry: `storedLastName` trimmed and cut before its first "."
// (which removes an earlier suffix), then, when `appendClass` is on, the class suffix: "." + the
// last character of a Formula Libre code + the letter of `engine` (the engine of the chassis the
// class races with), or "." + the code for classes other than F1, F2 and F3. A name longer than
// nine characters is cut to nine only when `askTruncate` agrees; when it does not, nothing
// changes. Nothing (std::nullopt) also when the result equals the stored name.
std::optional<std::string> ClassSuffixedName(std::string_view storedLastName, bool appendClass,
                                             std::string_view classCode, int engine,
                                             const std::function<bool()>& askTruncate);

// The question asked before a name is cut.
std::string TruncateNameQuestion();

}  // namespace zam
