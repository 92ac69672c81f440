#include "SectionLookup.h"

#include <cstring>

#include "UpperTable.h"

namespace zam::store_detail {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = kOnes * 0x80;

std::uint64_t UpperWordByTable(std::uint64_t word) {
    const auto& upper = UpperTable();
    std::uint64_t result = 0;
    for (int k = 0; k < 8; ++k) result |= std::uint64_t{upper[(word >> (8 * k)) & 0xFF]} << (8 * k);
    return result;
}

// Eight bytes upper-cased at once. Plain ASCII, the usual case, needs no table: each byte from
// 'a' to 'z' loses its 0x20 bit. A word holding any other byte goes through the table byte by
// byte.
inline std::uint64_t UpperWord(std::uint64_t word) {
    if ((word & kHighBits) != 0) return UpperWordByTable(word);
    // With every byte below 0x80 no addition carries into the next byte.
    const std::uint64_t fromA = word + kOnes * (0x80 - 'a');
    const std::uint64_t pastZ = word + kOnes * (0x80 - 'z' - 1);
    return word ^ (((fromA & ~pastZ) & kHighBits) >> 2);
}

}  // namespace

std::uint32_t NameHash(std::string_view name) {
    // The upper-cased bytes are taken eight at a time into one word, the words mixed in, and the
    // result mixed well at the end, as the lookup table uses its low bits.
    std::uint64_t h = 0xCBF29CE484222325ull ^ name.size();
    const auto mix = [&h](std::uint64_t word) {
        h = (h ^ UpperWord(word)) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    };
    const char* bytes = name.data();
    const std::size_t size = name.size();
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        mix(word);
    }
    if (i < size) {
        // The last bytes: in a long name, the name's last word with the bytes already taken
        // shifted out; in a short one, its bytes one by one.
        std::uint64_t word = 0;
        if (size >= 8) {
            std::memcpy(&word, bytes + size - 8, 8);
            word >>= 8 * (8 - (size - i));
        } else {
            for (std::size_t k = 0; k < size; ++k)
                word |= std::uint64_t{static_cast<unsigned char>(bytes[k])} << (8 * k);
        }
        mix(word);
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
