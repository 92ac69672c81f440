#pragma once
// Reading what a test wrote, independently of the store: bytes as hex digits and back, and the
// value of a "key = value" line found by a plain scan of the text.
#include <sstream>
#include <string>
#include <string_view>

namespace zam::test {

// "4C8B5400" for those four bytes, in file order, upper case.
inline std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
// The bytes that `hex` (an even number of hex digits) spells.
inline std::string Bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}
// The value of the first line "key = value" of `text` (blanks around both allowed, CR/LF or LF
// line ends), or "<missing>".
inline std::string IniLineValue(const std::string& text, const std::string& key) {
    auto trim = [](std::string t) {
        while (!t.empty() && (t.back() == ' ' || t.back() == '\r')) t.pop_back();
        while (!t.empty() && t.front() == ' ') t.erase(t.begin());
        return t;
    };
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && trim(line.substr(0, equals)) == key)
            return trim(line.substr(equals + 1));
    }
    return "<missing>";
}

// The native engine pointer tables of the simulator's executable (its version 121), slot by slot,
// as hex bytes in file order: the first table 80 bytes before the "Repco" marker, the second 40.
inline constexpr const char* kFirstEngineTable[] = {
    "008B5400", "0C8B5400", "108B5400", "1C8B5400", "248B5400",
    "2C8B5400", "348B5400", "408B5400", "4C8B5400", "588B5400"};
inline constexpr const char* kSecondEngineTable[] = {
    "A0865400", "08875400", "70875400", "D8875400", "40885400",
    "A8885400", "10895400", "78895400", "E0895400", "488A5400"};

}  // namespace zam::test
