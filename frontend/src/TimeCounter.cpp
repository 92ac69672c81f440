#include "zam/frontend/TimeCounter.h"

#include <optional>

#include "zam/platform/CommandFile.h"

namespace zam {

std::int64_t TimerSeconds(std::string_view storedTotal) {
    return platform::ParseTimeText(storedTotal).value_or(0);
}

std::string AddToTimer(std::string_view storedTotal, std::int64_t elapsedSeconds) {
    const std::int64_t elapsed = elapsedSeconds > 0 ? elapsedSeconds : 0;
    return platform::FormatElapsed(TimerSeconds(storedTotal) + elapsed);
}

std::string TimerCaption(std::string_view total) { return "Time in GPL " + std::string(total); }

std::int64_t ElapsedRunTime(std::string_view commandFile) {
    std::optional<std::int64_t> seconds;
    if (!platform::ReadElapsedTime(commandFile, seconds).ok()) return 0;
    return seconds.value_or(0);
}

}  // namespace zam
