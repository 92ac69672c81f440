#pragma once
// Text in the simulator's files is 8-bit Windows-1252. Everything below the GUI keeps those bytes
// in std::string unchanged; conversion to Unicode happens only at the edges (widgets, file names
// on Linux).
#include <string>
#include <string_view>

namespace zam::platform {

// Windows-1252 upper-casing of one byte: a-z, the accented lower-case letters 0xE0-0xFE (but not
// the division sign 0xF7), and the four letters whose capitals sit in 0x80-0x9F.
char UpperChar(char c);
std::string UpperCase(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
// Position of `needle` in `haystack` compared without regard to case, or npos.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

std::string Utf8FromCp1252(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes are taken as
// Windows-1252 bytes, so a file name that is not valid UTF-8 still round-trips.
std::string Cp1252FromUtf8(std::string_view text);

// Numbers in files are read and written with "." as the decimal point whatever the locale says:
// Qt sets the C library's numeric locale from the desktop, and a decimal comma there must change
// neither what a file is read as nor what is written into it.
// The leading number of a text: blanks skipped, optional sign, "." as the only decimal point,
// optional exponent; everything after it ignored. A text that does not start with a number is 0;
// a number too large for a double is +/- infinity (and so outside every range).
double LeadingNumber(std::string_view text);
// `value` with exactly `decimals` digits after a "." (rounded).
std::string FixedNumber(double value, int decimals);

// Space trimming as the store does it (only blanks, not tabs). Inline: the reader trims every
// line of every file several times.
inline std::string_view TrimLeftSpaces(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return text.substr(i);
}

inline std::string_view TrimRightSpaces(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    return text.substr(0, n);
}

inline std::string_view TrimSpaces(std::string_view text) {
    return TrimRightSpaces(TrimLeftSpaces(text));
}

}  // namespace zam::platform
