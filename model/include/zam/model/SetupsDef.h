#pragma once
// Setups.def, the simulator's binary index of the chosen car setups of one player at one track:
// a 269-byte header, then 257-byte slots holding one setup file name each, zero-padded. Slots run
// "Race" then "Current"; within each the cars 0 to 6, and for each car the classes F3, F2, F1 and
// one zero slot. The zero slot after the last car of "Current" is not written, so a file has
// 269 + 55 x 257 = 14404 bytes.
//
// The format functions here are pure (bytes in, names out and back); the file functions add the
// I/O through the program's file system.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam {

inline constexpr std::size_t kSetupsHeaderSize = 269;
inline constexpr std::size_t kSetupsSlotSize = 257;
inline constexpr std::size_t kSetupsSlotsWritten = 55;
inline constexpr std::size_t kSetupsFileSize =
    kSetupsHeaderSize + kSetupsSlotsWritten * kSetupsSlotSize;  // 14404
// Longest name a slot holds: one byte is kept for the terminating 00.
inline constexpr std::size_t kSetupsMaxNameLength = kSetupsSlotSize - 1;
// Named slots: 2 sections x 7 cars x 3 classes.
inline constexpr std::size_t kSetupsNamedSlots = 42;

using SetupNames = std::array<std::string, kSetupsNamedSlots>;

struct SetupSlot {
    std::string section;  // "Race" or "Current"
    std::string entry;    // class code + car folder, e.g. "F1lotus"
};

// The 42 named slots in file order.
const std::array<SetupSlot, kSetupsNamedSlots>& SetupSlots();
// Index of a named slot (section and entry compared without regard to case); -1 when none.
int SetupSlotIndex(std::string_view section, std::string_view entry);

// Names of a Setups.def image. The header is not checked. Each name is cut at its first 00 byte
// and trimmed of spaces. Slots missing from a short file read as empty, and so does a slot that
// the end of the file cuts before its name ended.
SetupNames ParseSetupsDef(std::string_view bytes);
// The 14404-byte image of a set of names; a name longer than a slot allows is cut to fit.
std::string BuildSetupsDef(const SetupNames& names);

// Reads a Setups.def file. A missing file is kFileNotFound (names left empty).
platform::Status ReadSetupsDefFile(std::string_view path, SetupNames& names);
// Writes a Setups.def file through a temporary file beside it that replaces the file when it is
// complete; on failure the old file is left as it was.
platform::Status WriteSetupsDefFile(std::string_view path, const SetupNames& names);

}  // namespace zam
