#include "zam/platform/CommandFile.h"

#include <algorithm>

#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"

namespace zam::platform {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads a run of digits from the front of `text` into `value`. Fails on fewer than `minDigits` or
// more than `maxDigits` digits, or when the value passes `limit`.
bool TakeNumber(std::string_view& text, std::size_t minDigits, std::size_t maxDigits,
                std::int64_t limit, std::int64_t& value) {
    std::size_t n = 0;
    value = 0;
    while (n < text.size() && IsDigit(text[n])) {
        if (n == maxDigits) return false;
        value = value * 10 + (text[n] - '0');
        if (value > limit) return false;
        ++n;
    }
    if (n < minDigits) return false;
    text.remove_prefix(n);
    return true;
}

bool TakeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

enum class Meridiem { kNone, kAm, kPm };

// Strips a trailing "AM" or "PM" (any case, blanks before it allowed) and says which it was.
Meridiem TakeMeridiem(std::string_view& text) {
    if (text.size() < 2) return Meridiem::kNone;
    std::string_view tail = text.substr(text.size() - 2);
    Meridiem m = EqualNoCase(tail, "AM")   ? Meridiem::kAm
                 : EqualNoCase(tail, "PM") ? Meridiem::kPm
                                           : Meridiem::kNone;
    if (m != Meridiem::kNone) text = TrimBlanks(text.substr(0, text.size() - 2));
    return m;
}

// A field of a record on one line: a line break inside it would start the next field.
std::string OneLine(std::string_view field) {
    std::string line(field);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

// What did not happen, by the command word that asked for it.
struct FailureHeadline {
    std::string_view word;
    std::string_view text;
};
constexpr FailureHeadline kFailureHeadlines[] = {
    {"Run", "The program could not be run."},
    {"Exit", "The program could not be started."},
    {"Shutdown", "The computer was not shut down."},
    {"Restart", "The computer was not restarted."},
};

std::string Headline(std::string_view word) {
    for (const FailureHeadline& h : kFailureHeadlines)
        if (h.word == word) return std::string(h.text);
    return "The loader could not carry out \"" + std::string(word) + "\".";
}

std::string TwoDigits(std::int64_t n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::vector<std::string> SplitCommandFileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::optional<LoaderCommand> ParseLoaderCommand(std::string_view bytes) {
    std::vector<std::string> lines = SplitCommandFileLines(bytes);
    if (lines.size() < 2) return std::nullopt;
    return LoaderCommand{std::move(lines[0]), std::move(lines[1])};
}

std::string FormatLoaderCommand(const LoaderCommand& command) {
    std::string out = command.word;
    out += kLineEnd;
    out += command.commandLine;
    out += kLineEnd;
    return out;
}

std::optional<std::int64_t> ParseElapsedRecord(std::string_view bytes) {
    std::vector<std::string> lines = SplitCommandFileLines(bytes);
    if (lines.empty()) return std::nullopt;
    return ParseTimeText(lines[0]);
}

std::string FormatElapsedRecord(std::int64_t seconds) {
    return FormatElapsed(seconds) + std::string(kLineEnd);
}

std::string FormatRunFailure(const RunFailure& failure) {
    std::string out(kFailureMarker);
    out += kLineEnd;
    for (const std::string* field :
         {&failure.word, &failure.commandLine, &failure.folder, &failure.reason}) {
        out += OneLine(*field);
        out += kLineEnd;
    }
    return out;
}

std::optional<RunFailure> ParseRunFailure(std::string_view bytes) {
    std::vector<std::string> lines = SplitCommandFileLines(bytes);
    if (lines.empty() || lines[0] != kFailureMarker) return std::nullopt;
    lines.resize(std::max<std::size_t>(lines.size(), 5));
    return RunFailure{std::move(lines[1]), std::move(lines[2]), std::move(lines[3]),
                      std::move(lines[4])};
}

std::string RunFailureDetails(const RunFailure& failure) {
    const std::pair<const char*, const std::string*> details[] = {
        {"Program: ", &failure.commandLine},
        {"Folder: ", &failure.folder},
        {"Reason: ", &failure.reason},
    };
    std::string text;
    for (const auto& [label, value] : details) {
        if (TrimBlanks(*value).empty()) continue;
        if (!text.empty()) text += kLineEnd;
        text += label + *value;
    }
    return text;
}

std::string DescribeRunFailure(const RunFailure& failure) {
    std::string text = Headline(failure.word);
    const std::string details = RunFailureDetails(failure);
    if (!details.empty()) text += std::string(kLineEnd) + std::string(kLineEnd) + details;
    return text;
}

std::string FormatElapsed(std::int64_t seconds) {
    seconds = std::clamp<std::int64_t>(seconds, 0, kMaxElapsedSeconds);
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

std::optional<std::int64_t> ParseTimeText(std::string_view text) {
    text = TrimBlanks(text);
    Meridiem meridiem = TakeMeridiem(text);
    std::int64_t hours = 0, minutes = 0, seconds = 0;
    // Leading zeros may pad the hours, so their digit count is bounded only by the value.
    bool ok = TakeNumber(text, 1, text.size(), kMaxElapsedHours, hours) && TakeChar(text, ':') &&
              TakeNumber(text, 1, 2, 59, minutes) && TakeChar(text, ':') &&
              TakeNumber(text, 1, 2, 59, seconds) && text.empty();
    if (!ok) return std::nullopt;
    if (meridiem != Meridiem::kNone) {
        if (hours < 1 || hours > 12) return std::nullopt;
        hours %= 12;
        if (meridiem == Meridiem::kPm) hours += 12;
    }
    return hours * 3600 + minutes * 60 + seconds;
}

Status ReadLoaderCommand(std::string_view path, LoaderCommand& command) {
    std::string bytes;
    Status status = Fs().ReadAll(path, bytes);
    if (!status) return status;
    std::optional<LoaderCommand> parsed = ParseLoaderCommand(bytes);
    if (!parsed) return Status::Error(kInputPastEndOfFile, "Input past end of file");
    command = std::move(*parsed);
    return status;
}

Status ReadElapsedTime(std::string_view path, std::optional<std::int64_t>& seconds) {
    std::string bytes;
    Status status = Fs().ReadAll(path, bytes);
    if (status) seconds = ParseElapsedRecord(bytes);
    return status;
}

Status ReadRunFailure(std::string_view path, std::optional<RunFailure>& failure) {
    std::string bytes;
    Status status = Fs().ReadAll(path, bytes);
    if (status) failure = ParseRunFailure(bytes);
    return status;
}

Status WriteLoaderCommand(std::string_view path, const LoaderCommand& command) {
    return ReplaceFile(path, FormatLoaderCommand(command), ".new");
}

Status WriteElapsedTime(std::string_view path, std::int64_t seconds) {
    return ReplaceFile(path, FormatElapsedRecord(seconds), ".new");
}

Status WriteRunFailure(std::string_view path, const RunFailure& failure) {
    return ReplaceFile(path, FormatRunFailure(failure), ".new");
}

}  // namespace zam::platform
