#include "KeyIndex.h"

#include "UpperTable.h"

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

std::uint32_t EntryHash(std::int32_t file, std::int32_t section, std::string_view entryName) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(file)) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(section)) * 0xC2B2AE3D27D4EB4Full;
    const auto& upper = UpperTable();
    for (char c : entryName) {
        h ^= upper[static_cast<unsigned char>(c)];
        h *= 0x100000001B3ull;
    }
    return static_cast<std::uint32_t>(Mix(h));
}

void KeyIndex::Clear(std::size_t expected) {
    std::size_t capacity = CapacityFor(expected);
    cells_.assign(capacity, Cell{});
    cells_.shrink_to_fit();
    mask_ = capacity - 1;
    count_ = 0;
}

void KeyIndex::Place(Cell cell) {
    std::size_t i = cell.hash & mask_;
    while (cells_[i].slot != 0) i = (i + 1) & mask_;
    cells_[i] = cell;
    ++count_;
}

void KeyIndex::Insert(std::uint32_t hash, std::int32_t slot) {
    if (count_ + 1 > cells_.size() * 3 / 4) {
        std::vector<Cell> old;
        old.swap(cells_);
        cells_.assign(old.size() * 2, Cell{});
        mask_ = cells_.size() - 1;
        count_ = 0;
        for (const Cell& cell : old)
            if (cell.slot != 0) Place(cell);
    }
    Place(Cell{static_cast<std::uint32_t>(slot) + 1, hash});
}

}  // namespace zam::store_detail
