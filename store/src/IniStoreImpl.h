#pragma once
// Private state of IniStore, shared by the store's source files.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "KeyIndex.h"
#include "SlotTable.h"
#include "StoreRecords.h"
#include "zam/store/IniStore.h"

namespace zam {

struct IniStore::Impl {
    std::vector<store_detail::FileRecord> files;               // [0] is the placeholder
    std::unordered_map<std::string, std::int32_t> fileIndex;   // upper-case name -> first number
    store_detail::SlotTable table;
    store_detail::KeyIndex keys;
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
    // Stores value and comment as a write does; true when anything was stored.
    void Update(IniPosition p, std::string_view value, std::string_view comment);

    // ---- hash index ----
    store_detail::KeySum SumOf(const store_detail::Slot& s) const;
    std::int32_t SlotOf(std::int32_t file, std::int32_t section, std::string_view entry) const;
    // Counts the statistics of one probe from the key's home slot to `reached` (its slot, or -1
    // when it is not in the table).
    void CountProbe(const store_detail::KeySum& sum, std::int32_t reached);
    // Registers a new key in the first free slot of its chain (enlarging a full table first).
    void Register(const store_detail::KeySum& sum, IniPosition p, std::string_view entryName);
    void Grow();
    std::uint64_t HashOfSlot(std::int32_t slot) const;

    // Find-or-create with the files and sections already resolved; `prefix` is the key sum of
    // "FILE;SECTION;". Statistics are counted as two probes (look-up, then registration).
    IniPosition FindOrCreate(std::int32_t file, std::int32_t section,
                             const store_detail::KeySum& prefix, std::string_view entry);

    // Loads a file's bytes into the store under `fileKey`; adopts `bytes` as the file's arena
    // when the file has none yet.
    void Load(std::string_view fileKey, std::unique_ptr<std::string> bytes);
};

store_detail::KeySum PrefixSum(std::string_view file, std::string_view section);

}  // namespace zam
