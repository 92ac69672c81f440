#pragma once
// Byte access to the simulator's executable for the engine swap. Each call opens the file through
// the program's file system, does its work and closes it again. Offsets count from 0.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam::exe {

// The `count` bytes at `offset`; nothing on any error, also when the file ends before them.
std::optional<std::string> ReadBytes(std::string_view path, std::uint64_t offset,
                                     std::size_t count);
// Four bytes as eight upper-case hex digits in file order ("008B5400").
std::optional<std::string> ReadHexDword(std::string_view path, std::uint64_t offset);
// Overwrites bytes in place.
platform::Status WriteBytes(std::string_view path, std::uint64_t offset, std::string_view bytes);

// "008B5400" -> the bytes 00 8B 54 00; nothing when the text is not an even number of hex digits.
std::optional<std::string> BytesFromHex(std::string_view hex);
std::string HexFromBytes(std::string_view bytes);
// The text cut or padded with blanks to `length` bytes.
std::string FixedText(std::string_view text, std::size_t length);

}  // namespace zam::exe
