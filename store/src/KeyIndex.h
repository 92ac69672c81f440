#pragma once
// A private lookup beside the slot table: maps an entry's (file, section, upper-case name) to the
// slot that holds it, with a well-mixed hash, so finding a key never walks the slot table's
// probe chains. Each cell holds the slot number and 32 bits of the key's hash (which place the
// cell and screen out other keys before their names are compared); the key texts stay in the
// records.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zam::store_detail {

std::uint32_t EntryHash(std::int32_t file, std::int32_t section, std::string_view entryName);

class KeyIndex {
public:
    // Forgets everything and makes room for about `expected` keys.
    void Clear(std::size_t expected);

    // Slot recorded for the key with hash `hash` for which `matches(slot)` holds, or -1.
    template <class Match>
    std::int32_t Find(std::uint32_t hash, Match matches) const {
        std::size_t i = hash & mask_;
        while (cells_[i].slot != 0) {
            if (cells_[i].hash == hash) {
                auto slot = static_cast<std::int32_t>(cells_[i].slot - 1);
                if (matches(slot)) return slot;
            }
            i = (i + 1) & mask_;
        }
        return -1;
    }

    // Records a slot for a key that is not recorded yet.
    void Insert(std::uint32_t hash, std::int32_t slot);

private:
    struct Cell {
        std::uint32_t slot = 0;  // slot + 1; 0 when the cell is free
        std::uint32_t hash = 0;
    };
    void Place(Cell cell);

    std::vector<Cell> cells_ = std::vector<Cell>(16);
    std::size_t mask_ = 15;
    std::size_t count_ = 0;
};

}  // namespace zam::store_detail
