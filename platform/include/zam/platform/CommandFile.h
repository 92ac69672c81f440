#pragma once
// ZAM.int, the one file the front end and the loader pass between them. Three forms:
//
//   written by the front end:  line 1 the command word ("Run", "Exit", ...),
//                              line 2 the command line to run (may be empty);
//   written by the loader:     line 1 the time the started program ran, "hh:nn:ss";
//   or, when it could not do what it was asked:
//                              line 1 "Failed", line 2 the command word, line 3 the command
//                              line, line 4 the folder it was run in, line 5 why it failed.
//
// A failure record reads as no time (line 1 is none) and as no command ("Failed" is no command
// word), so a front end or loader that does not know the form treats it as a leftover.
//
// Lines end in CR LF when written; a reader accepts CR LF, a lone LF or a lone CR. The elapsed
// time keeps counting hours past a day ("27:03:09"), so a long run is never folded into a time of
// day.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"

namespace zam::platform {

inline constexpr std::string_view kCommandFileName = "ZAM.int";

// Largest elapsed time the file can carry: 999999 hours, 59 minutes, 59 seconds.
inline constexpr std::int64_t kMaxElapsedHours = 999999;
inline constexpr std::int64_t kMaxElapsedSeconds = kMaxElapsedHours * 3600 + 3599;

// "Input past end of file": a line that should be there is not.
inline constexpr int kInputPastEndOfFile = 62;

struct LoaderCommand {
    std::string word;
    std::string commandLine;
};

// The lines of a file's bytes without their line ends. A last line without a line end counts;
// nothing after the last line end does not, so "Run\r\n" has one line and "Run\r\n\r\n" two.
std::vector<std::string> SplitCommandFileLines(std::string_view bytes);

// The command form: nothing when the file has fewer than two lines.
std::optional<LoaderCommand> ParseLoaderCommand(std::string_view bytes);
std::string FormatLoaderCommand(const LoaderCommand& command);

// The elapsed-time form: the seconds on line 1, or nothing when line 1 is missing or is no time
// (a command word left over by a run that never started, for example).
std::optional<std::int64_t> ParseElapsedRecord(std::string_view bytes);
std::string FormatElapsedRecord(std::int64_t seconds);

// "hh:nn:ss": hours with at least two digits and no upper wrap, minutes and seconds with two.
// Negative times count as zero; times beyond kMaxElapsedSeconds as that maximum.
std::string FormatElapsed(std::int64_t seconds);

// Seconds of an elapsed or time-of-day text, or nothing when the text is no such time. Accepts
// "h:m:s" with one or more hour digits (at most kMaxElapsedHours) and one or two digits each for
// minutes and seconds (both below 60), blanks and tabs around it, and a 12-hour form with "AM" or
// "PM" (hours 1 to 12) as a system clock in such a locale prints it. Everything else ("Run", "",
// "1:60:00", "-1:00:00", "12:00") is rejected.
std::optional<std::int64_t> ParseTimeText(std::string_view text);

// What the loader could not carry out, for the front end it brings back to tell the user.
struct RunFailure {
    std::string word;         // the command word: "Run", "Exit", "Shutdown", "Restart"
    std::string commandLine;  // what was run; empty for a power request
    std::string folder;       // where it was run; empty when no program was started
    std::string reason;       // why, in the system's own words where it gave any
};

inline constexpr std::string_view kFailureMarker = "Failed";

// Line breaks inside a field become blanks, so that every field stays on its line.
std::string FormatRunFailure(const RunFailure& failure);
// Nothing unless line 1 is the marker; missing lines read as empty fields.
std::optional<RunFailure> ParseRunFailure(std::string_view bytes);

// The failure in words for a message box: a first line that says what did not happen, then the
// program, its folder and the reason on lines of their own (each left out when empty).
std::string DescribeRunFailure(const RunFailure& failure);
// The program, folder and reason lines alone, for a message with a headline of its own.
std::string RunFailureDetails(const RunFailure& failure);

// File access through Fs(). A missing file gives kFileNotFound; a file with fewer than two lines
// gives kInputPastEndOfFile.
Status ReadLoaderCommand(std::string_view path, LoaderCommand& command);
// `seconds` is nothing when the file exists but line 1 holds no time.
Status ReadElapsedTime(std::string_view path, std::optional<std::int64_t>& seconds);
// `failure` is nothing when the file exists but holds no failure record.
Status ReadRunFailure(std::string_view path, std::optional<RunFailure>& failure);

// The writers replace the whole file through a temporary file beside it that is flushed and then
// renamed over it, so a failed write leaves the previous file as it was.
Status WriteLoaderCommand(std::string_view path, const LoaderCommand& command);
Status WriteElapsedTime(std::string_view path, std::int64_t seconds);
Status WriteRunFailure(std::string_view path, const RunFailure& failure);

}  // namespace zam::platform
