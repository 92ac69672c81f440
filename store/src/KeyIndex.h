#pragma once
// A private lookup beside the slot table: maps an entry's (file, section, upper-case name) to the
// slot that holds it, with a well-mixed hash, so finding a key never walks the slot table's
// probe chains. Holds slot numbers only (4 bytes each); the key texts stay in the records.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zam::store_detail {

std::uint64_t EntryHash(std::int32_t file, std::int32_t section, std::string_view entryName);

class KeyIndex {
public:
    // Forgets everything and makes room for about `expected` keys.
    void Clear(std::size_t expected);

    // Slot recorded for the key with hash `hash` for which `matches(slot)` holds, or -1.
    template <class Match>
    std::int32_t Find(std::uint64_t hash, Match matches) const {
        std::size_t i = hash & mask_;
        while (cells_[i] != 0) {
            auto slot = static_cast<std::int32_t>(cells_[i] - 1);
            if (matches(slot)) return slot;
            i = (i + 1) & mask_;
        }
        return -1;
    }

    // Records a slot for a key that is not recorded yet. `hashOfSlot` gives the hash of the key
    // held by a recorded slot (needed when the index grows).
    void Insert(std::uint64_t hash, std::int32_t slot,
                const std::function<std::uint64_t(std::int32_t)>& hashOfSlot);

private:
    void Place(std::uint64_t hash, std::int32_t slot);

    std::vector<std::uint32_t> cells_ = std::vector<std::uint32_t>(16, 0);  // slot + 1; 0 free
    std::size_t mask_ = 15;
    std::size_t count_ = 0;
};

}  // namespace zam::store_detail
