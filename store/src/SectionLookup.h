#pragma once
// Finding a named entry of a section by its name, without regard to case.
#include <cstdint>
#include <string_view>

#include "StoreRecords.h"

namespace zam::store_detail {

// Hash of a name without regard to case.
std::uint32_t NameHash(std::string_view name);
// Entry number (1-based) of the entry called `name` (whose NameHash is `hash`), or 0.
std::int32_t FindEntry(const FileRecord& file, const SectionRecord& section, std::string_view name,
                       std::uint32_t hash);
inline std::int32_t FindEntry(const FileRecord& file, const SectionRecord& section,
                              std::string_view name) {
    return FindEntry(file, section, name, NameHash(name));
}
// Records named entry `entry` (not recorded yet; its name's NameHash is `hash`).
void RecordEntry(const FileRecord& file, SectionRecord& section, std::int32_t entry,
                 std::uint32_t hash);

}  // namespace zam::store_detail
