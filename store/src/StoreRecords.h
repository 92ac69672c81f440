#pragma once
// The store's records, kept compact: every text of a file lives in one of two byte arenas of that
// file (the buffer the file was read into, cleaned in place, and an arena for texts added later)
// and an entry holds only offsets and lengths into them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SlotTable.h"

namespace zam::store_detail {

// A text inside a file's arenas. Offsets with the top bit set point into `extra`.
struct TextRef {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

inline constexpr std::uint32_t kExtraBit = 0x80000000u;
inline constexpr std::uint32_t kDeletedBit = 0x80000000u;

struct EntryRecord {
    TextRef name;
    TextRef value;
    TextRef comment;  // the top bit of comment.length is the Deleted mark

    bool deleted() const { return (comment.length & kDeletedBit) != 0; }
    void setDeleted(bool on) {
        comment.length = on ? (comment.length | kDeletedBit) : (comment.length & ~kDeletedBit);
    }
    TextRef commentRef() const { return {comment.offset, comment.length & ~kDeletedBit}; }
    void setComment(TextRef ref) {
        bool was = deleted();
        comment = ref;
        setDeleted(was);
    }
};

struct SectionRecord {
    std::string name;
    std::vector<std::uint32_t> entries;  // indices into FileRecord::entries, in entry order
    // The section's named entries by upper-case name: an open-addressing table of entry numbers
    // (0: free cell). Small and local, so finding a name stays in the cache while a file loads.
    std::vector<std::uint32_t> lookup;
    std::uint32_t named = 0;        // named entries in `lookup`
    std::int32_t namelessKey = -1;  // index of the key of its nameless entries in the hash index
    KeySum prefix;                  // of the keys' "FILE;SECTION;", which all its keys share
};

struct FileRecord {
    std::string name;
    bool changed = false;
    std::string writePath;                 // empty: written to `name`
    std::unique_ptr<std::string> loaded;   // the first read's bytes, cleaned in place
    std::string extra;                     // texts added later
    std::vector<SectionRecord> sections;   // [0] is the placeholder
    std::vector<EntryRecord> entries;      // every entry of every section
    std::unordered_map<std::string, std::int32_t> sectionIndex;  // upper-case name -> number

    std::string_view Text(TextRef ref) const {
        if (ref.length == 0) return {};
        if (ref.offset & kExtraBit)
            return std::string_view(extra).substr(ref.offset & ~kExtraBit, ref.length);
        return std::string_view(*loaded).substr(ref.offset, ref.length);
    }

    // A reference to `text`: the bytes themselves when they already lie in one of the arenas
    // (a value read from this file), else a copy appended to `extra`.
    TextRef Store(std::string_view text) {
        if (text.empty()) return {};
        if (loaded && !loaded->empty() && Inside(*loaded, text))
            return {static_cast<std::uint32_t>(text.data() - loaded->data()),
                    static_cast<std::uint32_t>(text.size())};
        if (!extra.empty() && Inside(extra, text))
            return {static_cast<std::uint32_t>(text.data() - extra.data()) | kExtraBit,
                    static_cast<std::uint32_t>(text.size())};
        auto offset = static_cast<std::uint32_t>(extra.size());
        extra.append(text);
        return {offset | kExtraBit, static_cast<std::uint32_t>(text.size())};
    }

    const EntryRecord& At(std::int32_t section, std::int32_t entry) const {
        return entries[sections[section].entries[entry - 1]];
    }
    EntryRecord& At(std::int32_t section, std::int32_t entry) {
        return entries[sections[section].entries[entry - 1]];
    }

private:
    static bool Inside(const std::string& arena, std::string_view text) {
        auto b = reinterpret_cast<std::uintptr_t>(arena.data());
        auto t = reinterpret_cast<std::uintptr_t>(text.data());
        return t >= b && t + text.size() <= b + arena.size();
    }
};

}  // namespace zam::store_detail
