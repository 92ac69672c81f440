#include "TestText.h"

#include <sstream>

namespace zam::test {

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

std::string IniLineValue(const std::string& text, const std::string& key) {
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

}  // namespace zam::test
