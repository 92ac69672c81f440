// Two arbitrary texts of an INI file compared entry by entry, as the restore's preview does. The
// input is split at its first NUL byte (or in halves when it has none). A text compared with
// itself must show no difference, and every difference must name an entry that one side has and
// whose values the two sides do not share.
#include <cstdint>
#include <string_view>

#include "zam/store/IniDifference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t cut = input.find('\0');
    const std::size_t rest = cut == std::string_view::npos ? size / 2 : cut + 1;
    if (cut == std::string_view::npos) cut = size / 2;
    const std::string_view current = input.substr(0, cut);
    const std::string_view other = input.substr(rest);

    if (!zam::CompareIniTexts(current, current).empty()) __builtin_trap();
    for (const zam::IniDifference& d : zam::CompareIniTexts(current, other)) {
        if (!d.inCurrent && !d.inOther) __builtin_trap();
        if (d.inCurrent && d.inOther && d.current == d.other) __builtin_trap();
        if (d.entry.empty()) __builtin_trap();
    }
    return 0;
}
