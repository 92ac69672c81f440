#pragma once
// Reading what a test wrote, independently of the store: bytes as hex digits and back, and the
// value of a "key = value" line found by a plain scan of the text.
#include <string>
#include <string_view>

namespace zam::test {

// "4C8B5400" for those four bytes, in file order, upper case.
std::string Hex(std::string_view bytes);
// The bytes that `hex` (an even number of hex digits) spells.
std::string Bytes(std::string_view hex);
// The value of the first line "key = value" of `text` (blanks around both allowed, CR/LF or LF
// line ends), or "<missing>".
std::string IniLineValue(const std::string& text, const std::string& key);

// The native engine pointer tables of the simulator's executable (its version 121), slot by slot,
// as hex bytes in file order: the first table 80 bytes before the "Repco" marker, the second 40.
inline constexpr const char* kFirstEngineTable[] = {
    "008B5400", "0C8B5400", "108B5400", "1C8B5400", "248B5400",
    "2C8B5400", "348B5400", "408B5400", "4C8B5400", "588B5400"};
inline constexpr const char* kSecondEngineTable[] = {
    "A0865400", "08875400", "70875400", "D8875400", "40885400",
    "A8885400", "10895400", "78895400", "E0895400", "488A5400"};

}  // namespace zam::test
