#pragma once
// The hash index's table of slots 0 to IndexSize, filled by linear probing from each key's home
// slot. A slot holds only the number of the key it is given (the store keeps the keys'
// positions): four bytes a slot, as the table is sized at four times the keys.
//
// The keys registered while files load are placed all at once, in one pass over the slots (see
// PlaceAll); a key added later finds its free slot by walking its run of occupied slots, which
// the table's size keeps short. The layout is exactly the one that probing slot by slot gives.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zam::store_detail {

std::int32_t HomeFromSeed(std::uint32_t seed, std::int32_t indexSize);

struct Slot {
    std::int32_t file = 0;  // 0: the slot is free
    std::int32_t section = 0;
    std::int32_t entry = 0;
};

class SlotTable {
public:
    static constexpr std::uint32_t kFree = 0;

    void Reset(std::int32_t indexSize);

    std::int32_t IndexSize() const { return indexSize_; }
    std::int64_t Count() const { return static_cast<std::int64_t>(keys_.size()); }
    std::int64_t Occupied() const { return occupied_; }
    bool Full() const { return occupied_ == Count(); }
    // The key held by slot `i` (as given to Occupy), or kFree.
    std::uint32_t KeyAt(std::int32_t i) const { return keys_[static_cast<std::size_t>(i)]; }

    // The first free slot at or after `home`, wrapping from IndexSize to 0. Not for a full table.
    std::int32_t FirstFreeFrom(std::int32_t home) const;
    // Gives free slot `i` to `key` (not kFree).
    void Occupy(std::int32_t i, std::uint32_t key);
    // Number of probe steps from `home` to `slot`.
    std::int32_t Distance(std::int32_t home, std::int32_t slot) const;
    std::int32_t Next(std::int32_t i) const { return i + 1 > indexSize_ ? 0 : i + 1; }
    // On a table just reset: places keys 1 to seeds.size(), key k from the home of seeds[k - 1]
    // (see HomeFromSeed), just as Occupy(FirstFreeFrom(home), k) for k = 1, 2, ... would, but in
    // one pass over the slots instead of one walk per key.
    void PlaceAll(const std::vector<std::uint32_t>& seeds);

private:
    void PlaceOneByOne(const std::vector<std::uint32_t>& seeds);
    std::vector<std::uint32_t> SortByHome(const std::vector<std::uint32_t>& seeds);
    std::int32_t LastFreeSlot() const;
    void Sweep(const std::vector<std::uint32_t>& byHome, std::int32_t freeSlot);
    std::vector<std::uint32_t> keys_;
    std::int32_t indexSize_ = 0;
    std::int64_t occupied_ = 0;
};

// Position-weighted sum of the upper-cased key's bytes, fed a piece at a time so a key need not
// be built: "A;B;C" gives 65*1 + 59*2 + 66*3 + 59*4 + 67*5 = 952.
class KeySum {
public:
    void Add(char c);
    void Add(std::string_view text);
    // A part of the key (file or section) and the ';' that ends it.
    void AddPart(std::string_view text) {
        Add(text);
        Add(';');
    }
    double Sum() const { return sum_; }
    std::int64_t Length() const { return length_; }

private:
    double sum_ = 0;
    std::int64_t length_ = 0;
};

// Home slot of a key sum: the sum, negated, seeds the 24-bit generator whose first number scales
// to 0 .. indexSize-1. The seed alone (24 bits) decides the home for every table size, so the
// index keeps a key's seed rather than its text or its sum.
std::uint32_t SeedFromSum(double sum);
std::int32_t HomeFromSeed(std::uint32_t seed, std::int32_t indexSize);
inline std::int32_t HomeFromSum(double sum, std::int32_t indexSize) {
    return HomeFromSeed(SeedFromSum(sum), indexSize);
}

}  // namespace zam::store_detail
