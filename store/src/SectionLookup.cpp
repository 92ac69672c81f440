#include "SectionLookup.h"

#include "UpperTable.h"

namespace zam::store_detail {

std::uint32_t NameHash(std::string_view name) {
    // The upper-cased bytes are taken eight at a time into one word, so that their table
    // look-ups need not wait for one another; the words are mixed in, and the result mixed well
    // at the end, as the lookup table uses its low bits.
    const auto& upper = UpperTable();
    std::uint64_t h = 0xCBF29CE484222325ull ^ name.size();
    for (std::size_t i = 0; i < name.size(); i += 8) {
        std::uint64_t word = 0;
        for (std::size_t k = i; k < name.size() && k < i + 8; ++k)
            word |= std::uint64_t{upper[static_cast<unsigned char>(name[k])]} << (8 * (k - i));
        h = (h ^ word) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<std::uint32_t>(h);
}

namespace {

std::string_view NameOf(const FileRecord& file, const SectionRecord& section, std::uint32_t entry) {
    return file.Text(file.entries[section.entries[entry - 1]].name);
}

void Place(SectionRecord& section, std::uint32_t entry, std::uint32_t hash) {
    const std::size_t mask = section.lookup.size() - 1;
    std::size_t i = hash & mask;
    while (section.lookup[i] != 0) i = (i + 1) & mask;
    section.lookup[i] = entry;
}

}  // namespace

std::int32_t FindEntry(const FileRecord& file, const SectionRecord& section, std::string_view name,
                       std::uint32_t hash) {
    if (section.lookup.empty()) return 0;
    const std::size_t mask = section.lookup.size() - 1;
    for (std::size_t i = hash & mask; section.lookup[i] != 0; i = (i + 1) & mask) {
        std::uint32_t entry = section.lookup[i];
        if (platform::EqualNoCase(NameOf(file, section, entry), name))
            return static_cast<std::int32_t>(entry);
    }
    return 0;
}

void RecordEntry(const FileRecord& file, SectionRecord& section, std::int32_t entry,
                 std::uint32_t hash) {
    if ((section.named + 1) * 2 > section.lookup.size()) {
        std::size_t size = section.lookup.empty() ? 8 : section.lookup.size() * 2;
        section.lookup.assign(size, 0);
        for (std::uint32_t e = 1; e <= section.entries.size(); ++e)
            if (e != static_cast<std::uint32_t>(entry)) {
                std::string_view name = NameOf(file, section, e);
                if (!name.empty()) Place(section, e, NameHash(name));
            }
    }
    Place(section, static_cast<std::uint32_t>(entry), hash);
    ++section.named;
}

}  // namespace zam::store_detail
