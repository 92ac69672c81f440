#pragma once
// Private state of IniStore, shared by the store's source files.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SectionLookup.h"
#include "SlotTable.h"
#include "StoreRecords.h"
#include "zam/store/IniStore.h"

namespace zam {

struct IniStore::Impl {
    std::vector<store_detail::FileRecord> files;               // [0] is the placeholder
    std::unordered_map<std::string, std::int32_t> fileIndex;   // upper-case name -> first number
    // Every key of the hash index, in the order it was first registered, with the numbers its
    // slot holds (for the key of a section's nameless entries: the newest of them). The slot
    // table is these keys placed by linear probing, in this order, into slots 0 to indexSize.
    std::vector<store_detail::Slot> registered;
    // The seed of each key's home slot (see HomeFromSeed), taken when the key is registered,
    // while its names are at hand: laying out the table and the statistics need no key's text.
    std::vector<std::uint32_t> seeds;
    std::int32_t indexSize = kDefaultIndexSize;
    // The slot table is laid out when something looks at it (a counted look-up, a slot, the
    // statistics file). Keys registered while files are loading only mark it out of date, so a
    // large load never touches it; the next look-up lays it out once.
    mutable store_detail::SlotTable table;
    mutable bool laidOut = false;
    std::int64_t hits = 0;
    std::int64_t mishits = 0;
    std::int64_t firstTimeHits = 0;
    std::string directory;
    bool skipSave = false;

    void Reset(std::int32_t indexSize);

    // ---- records ----
    std::int32_t FileNo(std::string_view name) const;
    std::int32_t SectionNo(std::int32_t file, std::string_view name) const;
    std::int32_t EnsureFile(std::string_view name);
    std::int32_t EnsureSection(std::int32_t file, std::string_view name);
    std::int32_t AppendEntry(std::int32_t file, std::int32_t section, std::string_view name);
    bool Valid(IniPosition p) const;
    store_detail::EntryRecord& Record(IniPosition p) { return files[p.file].At(p.section, p.entry); }
    std::string_view EntryName(const store_detail::Slot& s) const;
    // Appends the key of the entry `s` names, as BuildIniKey spells it.
    void AppendKey(std::string& out, const store_detail::Slot& s) const;
    // Stores value and comment as a write does; true when anything was stored.
    void Update(IniPosition p, std::string_view value, std::string_view comment);

    // ---- hash index ----
    void LayOut() const;
    std::int32_t HomeOf(std::size_t key) const {
        return store_detail::HomeFromSeed(seeds[key], table.IndexSize());
    }
    // Probe steps from the home slot of the key in slot `i` to `i`; -1 for a free slot.
    std::int32_t DistanceAt(std::int32_t i) const;
    // Places registered[key] (laid out table), searching for a free slot from `home`.
    void Place(std::size_t key, std::int32_t home) const;
    // The numbers held by a slot of the laid out table (all 0 for a free slot).
    const store_detail::Slot& SlotAt(std::int32_t i) const;
    // The slot holding `target` reached by probing from the key's home slot (laid out table).
    std::int32_t Probe(const store_detail::KeySum& sum, IniPosition target,
                       std::int64_t& steps) const;
    // Counts the statistics of one probe (unless Initialising) from the key's home slot to the
    // slot holding `target`, or to the first free slot when `target` is not found.
    void CountProbe(const store_detail::KeySum& sum, IniPosition target);

    // Find-or-create with the files and sections already resolved. Statistics are counted as
    // two probes (look-up, then registration).
    IniPosition FindOrCreate(std::int32_t file, std::int32_t section, std::string_view entry);

    // Loads a file's bytes into the store under `fileKey`; adopts `bytes` as the file's arena
    // when the file has none yet.
    void Load(std::string_view fileKey, std::unique_ptr<std::string> bytes);
};

}  // namespace zam
