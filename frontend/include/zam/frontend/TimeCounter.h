#pragma once
// The "Time in GPL" counter: the total time spent in the simulator, kept in ZAM.Ini [Timers]
// GPLTime and raised by each run the loader reports back in ZAM.int.
#include <cstdint>
#include <string>
#include <string_view>

namespace zam {

inline constexpr const char* kTimerSection = "Timers";
inline constexpr const char* kTimerEntry = "GPLTime";
inline constexpr const char* kTimerReset = "00:00:00";

// Seconds of a stored total; missing or unreadable text counts as zero. Reads the old
// two-digit "hh:nn:ss" totals and the longer hour counts this program writes past a day.
std::int64_t TimerSeconds(std::string_view storedTotal);

// The stored total plus a run's seconds, as "hh:nn:ss". Hours keep counting past 23
// ("25:02:03"), so a total of a day or more is never folded back to zero.
std::string AddToTimer(std::string_view storedTotal, std::int64_t elapsedSeconds);

// "Time in GPL " + total, the counter's caption.
std::string TimerCaption(std::string_view total);

// The run time the loader left in the command file, in seconds; zero when the file is missing,
// unreadable or holds no time on its first line (a command word of a run that never started).
std::int64_t ElapsedRunTime(std::string_view commandFile);

}  // namespace zam
