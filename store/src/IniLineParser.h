#pragma once
// Splitting of one INI line. The line is cleaned in place (tabs removed, control characters
// blanked where the parser blanks them) and the results are views into it, so reading a file
// copies no text.
#include <cstddef>
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

// Calls `onLine(char* begin, size_t size)` for every line of `bytes`. A carriage return, a
// carriage return followed by a line feed, and a lone line feed each end one line; the text after
// the last line end is a line when it is not empty.
template <class OnLine>
void ForEachLine(char* bytes, std::size_t size, OnLine onLine) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < size) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        onLine(bytes + start, i - start);
        i += (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
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
