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
    if (keys_.size() != count)
        std::vector<std::uint32_t>().swap(keys_);  // the old table goes first
    keys_.assign(count, kFree);
    occupied_ = 0;
}

std::int32_t SlotTable::FirstFreeFrom(std::int32_t home) const {
    std::int32_t i = home;
    while (keys_[static_cast<std::size_t>(i)] != kFree) i = Next(i);
    return i;
}

void SlotTable::Occupy(std::int32_t i, std::uint32_t key) {
    keys_[static_cast<std::size_t>(i)] = key;
    ++occupied_;
}

void SlotTable::PlaceAll(const std::vector<std::uint32_t>& seeds) {
    if (static_cast<std::int64_t>(seeds.size()) >= Count()) {
        PlaceOneByOne(seeds);
        return;
    }
    const std::vector<std::uint32_t> byHome = SortByHome(seeds);
    Sweep(byHome, LastFreeSlot());
}

// Every slot is taken: there is no free slot for the sweep to start after. The keys are placed
// one by one, and the runs of occupied slots are skipped through a "next free" forest (union-find
// with path halving) made for the purpose, so a full table costs no more than a sparse one.
void SlotTable::PlaceOneByOne(const std::vector<std::uint32_t>& seeds) {
    std::vector<std::int32_t> nextFree(keys_.size());
    for (std::size_t i = 0; i < nextFree.size(); ++i) nextFree[i] = static_cast<std::int32_t>(i);
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        std::int32_t i = HomeFromSeed(seeds[k], indexSize_);
        while (nextFree[static_cast<std::size_t>(i)] != i) {
            auto& parent = nextFree[static_cast<std::size_t>(i)];
            parent = nextFree[static_cast<std::size_t>(parent)];
            i = parent;
        }
        Occupy(i, static_cast<std::uint32_t>(k + 1));
        nextFree[static_cast<std::size_t>(i)] = Next(i);
    }
}

// The key numbers ordered by home, and by number within one home (a counting sort). The slots
// serve as the counters, and are left holding where each home's keys end in that order.
std::vector<std::uint32_t> SlotTable::SortByHome(const std::vector<std::uint32_t>& seeds) {
    for (std::uint32_t seed : seeds)
        ++keys_[static_cast<std::size_t>(HomeFromSeed(seed, indexSize_))];
    std::uint32_t start = 0;
    for (std::uint32_t& slot : keys_) {
        const std::uint32_t count = slot;
        slot = start;
        start += count;
    }
    std::vector<std::uint32_t> byHome(seeds.size());
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        auto& next = keys_[static_cast<std::size_t>(HomeFromSeed(seeds[k], indexSize_))];
        byHome[next++] = static_cast<std::uint32_t>(k + 1);
    }
    return byHome;
}

// The last slot, in slot order, that stays free once every key is placed (SortByHome first).
// Counting from slot 0, the keys that wrap round from the end are not known; they can only add
// to the keys waiting, and the first slot that really stays free (there is one: some slot is
// left) ends their effect. From there on the count is exact, so the last free slot it finds is
// really free.
std::int32_t SlotTable::LastFreeSlot() const {
    std::int64_t waiting = 0, begin = 0;
    std::int32_t last = 0;
    for (std::int32_t s = 0; s < Count(); ++s) {
        const std::int64_t end = keys_[static_cast<std::size_t>(s)];
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
// that key is the one that reached the slot first while it was free. Each slot's end of its
// home's keys (SortByHome) is read before the slot is given its key.
void SlotTable::Sweep(const std::vector<std::uint32_t>& byHome, std::int32_t freeSlot) {
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> waiting;
    std::uint32_t previousEnd = keys_[static_cast<std::size_t>(freeSlot)];
    std::int32_t s = freeSlot;
    for (std::int64_t step = 0; step < Count(); ++step) {
        s = Next(s);
        std::uint32_t& slot = keys_[static_cast<std::size_t>(s)];
        const std::uint32_t begin = s == 0 ? 0 : previousEnd;
        previousEnd = slot;
        for (std::uint32_t i = begin; i < previousEnd; ++i) waiting.push(byHome[i]);
        if (waiting.empty()) {
            slot = kFree;
            continue;
        }
        slot = waiting.top();
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
