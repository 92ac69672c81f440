#include "SlotTable.h"

#include <cmath>
#include <cstring>

#include "UpperTable.h"

namespace zam::store_detail {

void SlotTable::Reset(std::int32_t indexSize) {
    indexSize_ = indexSize < 1 ? 1 : indexSize;
    const auto count = static_cast<std::size_t>(indexSize_) + 1;
    if (cells_.size() != count) {
        std::vector<Cell>().swap(cells_);  // the old table goes before the new one is made
        cells_.resize(count);
    }
    for (std::size_t i = 0; i < count; ++i) cells_[i] = Cell{kFree, static_cast<std::int32_t>(i)};
    occupied_ = 0;
}

std::int32_t SlotTable::FirstFreeFrom(std::int32_t home) {
    std::int32_t i = home;
    while (cells_[static_cast<std::size_t>(i)].nextFree != i) {
        auto& parent = cells_[static_cast<std::size_t>(i)].nextFree;
        parent = cells_[static_cast<std::size_t>(parent)].nextFree;
        i = parent;
    }
    return i;
}

void SlotTable::Occupy(std::int32_t i, std::uint32_t key) {
    Cell& cell = cells_[static_cast<std::size_t>(i)];
    cell.key = key;
    cell.nextFree = Next(i);
    ++occupied_;
}

std::int32_t SlotTable::Distance(std::int32_t home, std::int32_t slot) const {
    std::int64_t d = static_cast<std::int64_t>(slot) - home;
    if (d < 0) d += Count();
    return static_cast<std::int32_t>(d);
}

void KeySum::Add(std::string_view text) {
    // Whole numbers well below 2^53: the sum is exact however it is grouped.
    const auto& upper = UpperTable();
    std::int64_t sum = 0;
    std::int64_t position = length_;
    for (char c : text) sum += static_cast<std::int64_t>(upper[static_cast<unsigned char>(c)]) * ++position;
    length_ = position;
    sum_ += static_cast<double>(sum);
}

void KeySum::Add(char c) { Add(std::string_view(&c, 1)); }

std::int32_t HomeFromSum(double sum, std::int32_t indexSize) {
    // The negated sum read as a single-precision number gives the seed.
    float negated = static_cast<float>(-sum);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &negated, sizeof bits);
    std::uint32_t x = (bits + (bits >> 24)) & 0xFFFFFFu;
    x = (x * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    double r = static_cast<double>(x) / 16777216.0;
    // r lies in [0, 1), so the product is not negative (truncating is taking the floor) and
    // stays below indexSize; the wrap only guards the rounding.
    auto h = static_cast<std::int64_t>(r * indexSize);
    return static_cast<std::int32_t>(h >= indexSize ? h - indexSize : h);
}

}  // namespace zam::store_detail
