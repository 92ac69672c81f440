// The statistics file of the hash index and the sizing of the index from one run to the next.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "IniStoreImpl.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

// A table larger than this (16M slots, about 270 MB) is not made from a setting: a garbled
// IndexSize must not exhaust the memory. A table still grows beyond it when keys need the room.
constexpr std::int64_t kLargestConfiguredIndex = 1 << 24;

// A number as the statistics print it: a space (or the minus sign), the digits, a space.
void AppendPrintNumber(std::string& out, std::int64_t n) {
    out.push_back(n < 0 ? '-' : ' ');
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n < 0 ? -n : n);
    out.append(digits, end);
    out.push_back(' ');
}

std::string PrintNumber(std::int64_t n) {
    std::string text;
    AppendPrintNumber(text, n);
    return text;
}

// Plain decimal, up to 15 significant digits, no trailing zeros.
std::string GeneralNumber(double v) {
    if (v == 0 || !std::isfinite(v)) return "0";
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    int decimals = std::max(0, 14 - exponent);
    std::string text = platform::FixedNumber(v, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

}  // namespace

platform::Status IniStore::ListHashTable() {
    const auto& d = *impl_;
    d.LayOut();
    std::string out;
    // About 40 bytes a line; the keys of the occupied slots come on top.
    out.reserve(static_cast<std::size_t>(d.indexSize + 1) * 24 + d.registered.size() * 48);
    auto line = [&out](const std::string& text) { out.append(text).append("\r\n"); };
    line("Hits," + PrintNumber(d.hits));
    line("Mishits," + PrintNumber(d.mishits));
    // With no hit yet the quotient has no value; it is shown as 0.
    double average = d.hits == 0 ? 0.0
                                 : static_cast<double>(d.hits + d.mishits) /
                                       static_cast<double>(d.hits);
    line("Average,  " + platform::FixedNumber(average, 3) + " Hits/Access");
    line("First Time Hits," + PrintNumber(d.firstTimeHits));
    line("Usage," + GeneralNumber(static_cast<double>(d.registered.size()) /
                                  (static_cast<double>(d.indexSize) + 1.0) * 100.0));
    line("");
    line("Hash Table:");
    line("");
    // The slots' lines are put together in place: a large table has millions of them.
    for (std::int32_t i = 0; i <= d.indexSize; ++i) {
        const store_detail::Slot& slot = d.SlotAt(i);
        AppendPrintNumber(out, i);
        out.push_back(',');
        if (slot.file != 0) d.AppendKey(out, slot);
        out.push_back(',');
        AppendPrintNumber(out, slot.file);
        out.push_back(',');
        AppendPrintNumber(out, slot.section);
        out.push_back(',');
        AppendPrintNumber(out, slot.entry);
        out.append("\r\n");
    }
    return platform::Fs().WriteNew("HashTable.csv", out);
}

void IniStore::SizeIndexFrom(std::string_view frontEndIni) {
    ResetStore(kDefaultIndexSize);
    ReadIniFile(frontEndIni);
    double wanted =
        std::nearbyint(platform::LeadingNumber(FullPathIniValue(frontEndIni, "ZAM", "IndexSize")));
    if (!(wanted > IndexSize())) return;
    ResetStore(static_cast<std::int32_t>(std::min<double>(wanted, kLargestConfiguredIndex)));
    ReadIniFile(frontEndIni);
}

void IniStore::RecordIndexSize(std::string_view frontEndIni) {
    std::int64_t size = static_cast<std::int64_t>(impl_->registered.size()) * 4;
    if (size > std::numeric_limits<std::int32_t>::max()) size = std::numeric_limits<std::int32_t>::max();
    SetFullPathIniValue(frontEndIni, "ZAM", "IndexSize", std::to_string(size));
}

}  // namespace zam
