// Arbitrary bytes as ZAM.int in each of its forms and as an elapsed-time text. Whatever parses
// must write back to something that parses to the same thing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "zam/platform/CommandFile.h"

namespace {

using namespace zam::platform;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckLines(std::string_view bytes) {
    for (const std::string& line : SplitCommandFileLines(bytes))
        Check(line.find_first_of("\r\n") == std::string::npos);
}

void CheckCommand(std::string_view bytes) {
    auto command = ParseLoaderCommand(bytes);
    if (!command) return;
    auto again = ParseLoaderCommand(FormatLoaderCommand(*command));
    Check(again && again->word == command->word && again->commandLine == command->commandLine);
}

void CheckTime(std::string_view text) {
    auto seconds = ParseTimeText(text);
    if (!seconds) return;
    Check(*seconds >= 0 && *seconds <= kMaxElapsedSeconds);
    std::string formatted = FormatElapsed(*seconds);
    Check(ParseTimeText(formatted) == seconds);
    Check(FormatElapsed(*ParseTimeText(formatted)) == formatted);
    Check(ParseElapsedRecord(FormatElapsedRecord(*seconds)) == seconds);
}

void CheckRecord(std::string_view bytes) {
    auto lines = SplitCommandFileLines(bytes);
    auto seconds = ParseElapsedRecord(bytes);
    Check(seconds == (lines.empty() ? std::nullopt : ParseTimeText(lines[0])));
}

// A failure record writes back to the same fields, and whatever its fields hold it never reads
// as a time or as a command a loader would carry out.
void CheckFailure(std::string_view bytes) {
    auto failure = ParseRunFailure(bytes);
    if (!failure) return;
    std::string formatted = FormatRunFailure(*failure);
    auto again = ParseRunFailure(formatted);
    Check(again && again->word == failure->word && again->commandLine == failure->commandLine &&
          again->folder == failure->folder && again->reason == failure->reason);
    Check(!ParseElapsedRecord(formatted).has_value());
    auto command = ParseLoaderCommand(formatted);
    Check(command && command->word == kFailureMarker);
    Check(!DescribeRunFailure(*failure).empty());
    // Fields with line breaks of their own still give one line each.
    auto mangled = ParseRunFailure(FormatRunFailure({std::string(bytes), "", "", ""}));
    Check(mangled && mangled->commandLine.empty() && mangled->reason.empty());
}

// The first eight bytes as a number of seconds: every number formats to a time that reads back
// as the number clamped into range.
void CheckSeconds(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(std::int64_t)) return;
    std::int64_t seconds;
    std::memcpy(&seconds, data, sizeof seconds);
    std::int64_t clamped = seconds < 0                    ? 0
                           : seconds > kMaxElapsedSeconds ? kMaxElapsedSeconds
                                                          : seconds;
    Check(ParseTimeText(FormatElapsed(seconds)) == clamped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckLines(bytes);
    CheckCommand(bytes);
    CheckTime(bytes);
    CheckRecord(bytes);
    CheckFailure(bytes);
    CheckSeconds(data, size);
    return 0;
}
