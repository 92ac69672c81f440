#include "KeyIndex.h"

#include "zam/platform/Text.h"

namespace zam::store_detail {

namespace {

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

std::size_t CapacityFor(std::size_t keys) {
    std::size_t capacity = 16;
    while (capacity * 3 / 4 < keys + 1) capacity *= 2;
    return capacity;
}

}  // namespace

std::uint64_t EntryHash(std::int32_t file, std::int32_t section, std::string_view entryName) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(file)) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(section)) * 0xC2B2AE3D27D4EB4Full;
    for (char c : entryName) {
        h ^= static_cast<unsigned char>(platform::UpperChar(c));
        h *= 0x100000001B3ull;
    }
    return Mix(h);
}

void KeyIndex::Clear(std::size_t expected) {
    std::size_t capacity = CapacityFor(expected);
    cells_.assign(capacity, 0);
    cells_.shrink_to_fit();
    mask_ = capacity - 1;
    count_ = 0;
}

void KeyIndex::Place(std::uint64_t hash, std::int32_t slot) {
    std::size_t i = hash & mask_;
    while (cells_[i] != 0) i = (i + 1) & mask_;
    cells_[i] = static_cast<std::uint32_t>(slot) + 1;
    ++count_;
}

void KeyIndex::Insert(std::uint64_t hash, std::int32_t slot,
                      const std::function<std::uint64_t(std::int32_t)>& hashOfSlot) {
    if ((count_ + 1) > cells_.size() * 3 / 4) {
        std::vector<std::uint32_t> old;
        old.swap(cells_);
        std::size_t capacity = old.size() * 2;
        cells_.assign(capacity, 0);
        mask_ = capacity - 1;
        count_ = 0;
        for (std::uint32_t cell : old)
            if (cell != 0) {
                auto s = static_cast<std::int32_t>(cell - 1);
                Place(hashOfSlot(s), s);
            }
    }
    Place(hash, slot);
}

}  // namespace zam::store_detail
