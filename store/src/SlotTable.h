#pragma once
// The hash index's table of slots 0 to IndexSize, filled by linear probing from each key's home
// slot. Finding the first free slot after a home slot does not walk the occupied run: a
// "next free" forest (union-find with path halving) answers it in near-constant time, so long
// runs of occupied slots cost nothing when keys are added. The layout is exactly the one that
// probing slot by slot gives.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zam::store_detail {

struct Slot {
    std::int32_t file = 0;  // 0: the slot is free
    std::int32_t section = 0;
    std::int32_t entry = 0;
};

class SlotTable {
public:
    void Reset(std::int32_t indexSize);

    std::int32_t IndexSize() const { return indexSize_; }
    std::int64_t Count() const { return static_cast<std::int64_t>(slots_.size()); }
    std::int64_t Occupied() const { return occupied_; }
    bool Full() const { return occupied_ == Count(); }
    const Slot& At(std::int32_t i) const { return slots_[static_cast<std::size_t>(i)]; }

    // The first free slot at or after `home`, wrapping from IndexSize to 0. Not for a full table.
    std::int32_t FirstFreeFrom(std::int32_t home);
    void Occupy(std::int32_t i, Slot slot);
    void Overwrite(std::int32_t i, Slot slot) { slots_[static_cast<std::size_t>(i)] = slot; }
    // Number of probe steps from `home` to `slot`.
    std::int32_t Distance(std::int32_t home, std::int32_t slot) const;
    std::int32_t Next(std::int32_t i) const { return i + 1 > indexSize_ ? 0 : i + 1; }

private:
    std::vector<Slot> slots_;
    std::vector<std::int32_t> nextFree_;  // union-find parent; a free slot is its own root
    std::int32_t indexSize_ = 0;
    std::int64_t occupied_ = 0;
};

// Position-weighted sum of the upper-cased key's bytes, fed a piece at a time so a key need not
// be built: "A;B;C" gives 65*1 + 59*2 + 66*3 + 59*4 + 67*5 = 952.
class KeySum {
public:
    void Add(char c);
    void Add(std::string_view text);
    double Sum() const { return sum_; }
    std::int64_t Length() const { return length_; }

private:
    double sum_ = 0;
    std::int64_t length_ = 0;
};

// Home slot of a key sum: the sum, negated, seeds the 24-bit generator whose first number scales
// to 0 .. indexSize-1.
std::int32_t HomeFromSum(double sum, std::int32_t indexSize);

}  // namespace zam::store_detail
