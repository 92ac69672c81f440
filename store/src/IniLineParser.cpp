#include "IniLineParser.h"

#include <algorithm>

#include "zam/platform/Text.h"

namespace zam::store_detail {

namespace {

using platform::TrimRightSpaces;
using platform::TrimSpaces;

// Removes every tab, moving the rest of the line left; returns the new length.
std::size_t StripTabsInPlace(char* data, std::size_t size) {
    const std::size_t first = std::string_view(data, size).find('\t');  // memchr: most have none
    if (first == std::string_view::npos) return size;
    char* out = std::remove(data + first, data + size, '\t');
    return static_cast<std::size_t>(out - data);
}

void BlankControlCharacters(char* data, std::size_t size) {
    // Every byte is stored back, blanked or not: without a branch the loop runs on whole vectors.
    for (std::size_t i = 0; i < size; ++i) {
        auto b = static_cast<unsigned char>(data[i]);
        data[i] = (b < 32 || b == 255) ? ' ' : data[i];
    }
}

// The name/value/section part of a line that is neither a comment nor blank.
ParsedLine SplitEntryLine(char* data, std::size_t size) {
    ParsedLine result;
    std::string_view line = TrimSpaces(std::string_view(data, size));
    BlankControlCharacters(data + (line.data() - data), line.size());
    // A blanked control character can leave spaces at the ends: trim again, so that the checks
    // below see the line as its name would be written back. Otherwise "\x12[x]=1" would be read
    // as an entry named "[x]", written back as "[x] = 1" and then read as a section header,
    // losing the entry and moving the entries after it into another section.
    line = TrimSpaces(line);

    std::size_t semicolon = line.find(';');
    if (semicolon == 0) {
        result.comment = line.substr(1);
        return result;
    }
    if (semicolon != std::string_view::npos) {
        result.comment = TrimRightSpaces(line.substr(semicolon + 1));
        line = TrimSpaces(line.substr(0, semicolon));
    }
    if (!line.empty() && line.front() == '[') {
        std::string_view rest = line.substr(1);
        result.section = TrimSpaces(rest.substr(0, rest.find(']')));
        if (!result.section.empty()) result.kind = LineKind::kSection;
        return result;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return result;
    result.name = TrimSpaces(line.substr(0, equals));
    result.value = TrimSpaces(line.substr(equals + 1));
    return result;
}

}  // namespace

ParsedLine ParseLine(char* data, std::size_t size) {
    size = StripTabsInPlace(data, size);
    std::string_view line(data, size);
    std::string_view trimmed = TrimSpaces(line);
    if (trimmed.empty()) return {LineKind::kComment, {}, {}, {}, line};
    if (trimmed.front() == ';') return {LineKind::kComment, {}, {}, {}, trimmed.substr(1)};
    return SplitEntryLine(data, size);
}

std::string_view OnOneLine(std::string_view text, std::string& storage) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 32; };
    if (std::none_of(text.begin(), text.end(), control)) return text;
    storage.assign(text);
    std::replace_if(storage.begin(), storage.end(), control, ' ');
    return storage;
}

std::size_t CountLineEnds(std::string_view bytes) {
    // Every carriage return ends a line, and every line feed that does not follow one (see
    // ForEachLine). Counted without branches into a byte-sized counter, 255 bytes at a time, so
    // that the loop runs on whole vectors of bytes.
    if (bytes.empty()) return 1;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = 1 + (b[0] == '\r' || b[0] == '\n' ? 1 : 0);
    for (std::size_t i = 1; i < bytes.size();) {
        const std::size_t end = std::min(bytes.size(), i + 255);
        unsigned char block = 0;
        for (; i < end; ++i) {
            const unsigned char cr = b[i] == '\r';
            const unsigned char lone = (b[i] == '\n') & (b[i - 1] != '\r');
            block = static_cast<unsigned char>(block + (cr | lone));
        }
        n += block;
    }
    return n;
}

}  // namespace zam::store_detail
