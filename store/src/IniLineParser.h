#pragma once
// Splitting of one INI line. The line is cleaned in place (tabs removed, control characters
// blanked where the parser blanks them) and the results are views into it, so reading a file
// copies no text.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zam::store_detail {

enum class LineKind {
    kComment,  // a comment line or a blank line: `comment` holds its text
    kSection,  // a section header with a non-empty name: `section`
    kEntry,    // anything else: `name` (possibly empty), `value`, `comment`
};

struct ParsedLine {
    LineKind kind = LineKind::kEntry;
    std::string_view section;
    std::string_view name;
    std::string_view value;
    std::string_view comment;
};

// `data[0..size)` is one line without its line end.
ParsedLine ParseLine(char* data, std::size_t size);

// Position of the first carriage return or line feed in bytes[from, size), or `size`. Eight
// bytes are looked at in one step: a byte equal to the one sought leaves a zero byte in the word
// xor-ed with it, and the lowest byte flagged by the zero-byte test is always a real one.
inline std::size_t FindLineEnd(const char* bytes, std::size_t from, std::size_t size) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHigh = kOnes * 0x80;
        for (; from + 8 <= size; from += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + from, 8);
            const std::uint64_t cr = word ^ (kOnes * '\r');
            const std::uint64_t lf = word ^ (kOnes * '\n');
            const std::uint64_t found = ((cr - kOnes) & ~cr & kHigh) | ((lf - kOnes) & ~lf & kHigh);
            if (found != 0) return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
        }
    }
    while (from < size && bytes[from] != '\r' && bytes[from] != '\n') ++from;
    return from;
}

// Calls `onLine(char* begin, size_t size)` for every line of `bytes`. A carriage return, a
// carriage return followed by a line feed, and a lone line feed each end one line; the text after
// the last line end is a line when it is not empty.
template <class OnLine>
void ForEachLine(char* bytes, std::size_t size, OnLine onLine) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = FindLineEnd(bytes, start, size);
        if (end == size) break;
        onLine(bytes + start, end - start);
        start = end + ((bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? 2 : 1);
    }
    if (start < size) onLine(bytes + start, size - start);
}

// A name or value as one line of a file can hold it: every control character (a line end above
// all, which would start a line or a section of its own) becomes a blank, as the reader makes of
// it. `text` itself when it holds none; otherwise the blanked copy, kept in `storage`.
std::string_view OnOneLine(std::string_view text, std::string& storage);

// Upper bound of the number of lines of `bytes`.
std::size_t CountLineEnds(std::string_view bytes);

}  // namespace zam::store_detail
