#include "SlotTable.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <queue>

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

void SlotTable::PlaceAll(const std::vector<std::uint32_t>& seeds) {
    if (static_cast<std::int64_t>(seeds.size()) >= Count()) {
        // Every slot is taken: there is no free slot for the sweep to start after.
        for (std::size_t k = 0; k < seeds.size(); ++k)
            Occupy(FirstFreeFrom(HomeFromSeed(seeds[k], indexSize_)), static_cast<std::uint32_t>(k + 1));
        return;
    }
    const std::vector<std::uint32_t> byHome = SortByHome(seeds);
    Sweep(byHome, LastFreeSlot());
}

// The key numbers ordered by home, and by number within one home (a counting sort). The cells'
// links serve as the counters, and are left holding where each home's keys end in that order.
std::vector<std::uint32_t> SlotTable::SortByHome(const std::vector<std::uint32_t>& seeds) {
    for (Cell& cell : cells_) cell.nextFree = 0;
    for (std::uint32_t seed : seeds)
        ++cells_[static_cast<std::size_t>(HomeFromSeed(seed, indexSize_))].nextFree;
    std::int32_t start = 0;
    for (Cell& cell : cells_) {
        const std::int32_t count = cell.nextFree;
        cell.nextFree = start;
        start += count;
    }
    std::vector<std::uint32_t> byHome(seeds.size());
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        auto& next = cells_[static_cast<std::size_t>(HomeFromSeed(seeds[k], indexSize_))].nextFree;
        byHome[static_cast<std::size_t>(next++)] = static_cast<std::uint32_t>(k + 1);
    }
    return byHome;
}

// The last slot, in slot order, that stays free once every key is placed (SortByHome first).
// Counting from slot 0, the keys that wrap round from the end are not known; they can only add
// to the keys waiting, and the first slot that really stays free (there is one: some slot is
// left) ends their effect. From there on the count is exact, so the last free slot it finds is
// really free.
std::int32_t SlotTable::LastFreeSlot() const {
    std::int64_t waiting = 0;
    std::int32_t last = 0, begin = 0;
    for (std::int32_t s = 0; s < Count(); ++s) {
        const std::int32_t end = cells_[static_cast<std::size_t>(s)].nextFree;
        waiting += end - begin;
        begin = end;
        if (waiting > 0)
            --waiting;
        else
            last = s;
    }
    return last;
}

// Goes round the slots once, from the one after `freeSlot` (which stays free, so no key waits
// across it), giving each slot the lowest-numbered key waiting for it: placed in number order,
// that key is the one that reached the slot first while it was free. The links are set as
// Occupy sets them.
void SlotTable::Sweep(const std::vector<std::uint32_t>& byHome, std::int32_t freeSlot) {
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> waiting;
    std::int32_t previousEnd = cells_[static_cast<std::size_t>(freeSlot)].nextFree;
    std::int32_t s = freeSlot;
    for (std::int64_t step = 0; step < Count(); ++step) {
        s = Next(s);
        Cell& cell = cells_[static_cast<std::size_t>(s)];
        const std::int32_t begin = s == 0 ? 0 : previousEnd;
        previousEnd = cell.nextFree;
        for (std::int32_t i = begin; i < previousEnd; ++i)
            waiting.push(byHome[static_cast<std::size_t>(i)]);
        if (waiting.empty()) {
            cell.nextFree = s;
            continue;
        }
        cell = Cell{waiting.top(), Next(s)};
        waiting.pop();
        ++occupied_;
    }
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

std::uint32_t SeedFromSum(double sum) {
    // The negated sum read as a single-precision number gives the seed.
    float negated = static_cast<float>(-sum);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &negated, sizeof bits);
    return (bits + (bits >> 24)) & 0xFFFFFFu;
}

std::int32_t HomeFromSeed(std::uint32_t seed, std::int32_t indexSize) {
    const std::uint32_t x = (seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    double r = static_cast<double>(x) / 16777216.0;
    // r lies in [0, 1), so the product is not negative (truncating is taking the floor) and
    // stays below indexSize; the wrap only guards the rounding.
    auto h = static_cast<std::int64_t>(r * indexSize);
    return static_cast<std::int32_t>(h >= indexSize ? h - indexSize : h);
}

}  // namespace zam::store_detail
