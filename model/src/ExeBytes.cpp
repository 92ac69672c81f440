#include "ExeBytes.h"

#include "zam/platform/FileSystem.h"

namespace zam::exe {

std::optional<std::string> ReadBytes(std::string_view path, std::uint64_t offset,
                                     std::size_t count) {
    std::string bytes;
    if (!platform::Fs().ReadAt(path, offset, count, bytes) || bytes.size() != count)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadHexDword(std::string_view path, std::uint64_t offset) {
    auto bytes = ReadBytes(path, offset, 4);
    if (!bytes) return std::nullopt;
    return HexFromBytes(*bytes);
}

platform::Status WriteBytes(std::string_view path, std::uint64_t offset, std::string_view bytes) {
    return platform::Fs().WriteAt(path, offset, bytes);
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<std::string> BytesFromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::string HexFromBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

std::string FixedText(std::string_view text, std::size_t length) {
    std::string fixed(text.substr(0, length));
    fixed.resize(length, ' ');
    return fixed;
}

}  // namespace zam::exe
