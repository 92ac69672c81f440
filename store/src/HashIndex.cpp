// The hash index: key sums, home slots, probing statistics, registration and enlargement.
//
// The slots are laid out exactly as linear probing from each key's home slot lays them out, and
// the statistics count the probe steps that such a search takes. Finding a key goes through a
// private well-mixed index instead of walking the chain, and the steps are the distance between
// the home slot and the slot reached (a chain has no free slot in it), so a look-up costs the
// same however crowded the table is.
#include <limits>

#include "IniLineParser.h"
#include "IniStoreImpl.h"
#include "UpperTable.h"
#include "zam/platform/Text.h"
#include "zam/store/Globals.h"

namespace zam {

using store_detail::HomeFromSum;
using store_detail::KeySum;


namespace {

std::int32_t Clamp32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

// Key sum of "FILE;SECTION;".
KeySum PrefixSum(std::string_view file, std::string_view section) {
    KeySum sum;
    sum.AddPart(file);
    sum.AddPart(section);
    return sum;
}

}  // namespace

// ---- Impl ------------------------------------------------------------------------------------

const store_detail::Slot& IniStore::Impl::SlotAt(std::int32_t i) const {
    static const store_detail::Slot kNone{};
    const std::uint32_t key = table.KeyAt(i);
    return key == store_detail::SlotTable::kFree ? kNone : registered[key - 1];
}

void IniStore::Impl::Place(std::size_t key, std::int32_t home) const {
    table.Occupy(table.FirstFreeFrom(home), static_cast<std::uint32_t>(key + 1));
}

// Places every registered key, in registration order.
void IniStore::Impl::LayOut() const {
    if (laidOut) return;
    table.Reset(indexSize);
    table.PlaceAll(seeds);
    laidOut = true;
}

std::int32_t IniStore::Impl::DistanceAt(std::int32_t i) const {
    LayOut();
    const std::uint32_t key = table.KeyAt(i);
    if (key == store_detail::SlotTable::kFree) return -1;
    return table.Distance(HomeOf(key - 1), i);
}

void IniStore::Impl::AppendKey(std::string& out, const store_detail::Slot& s) const {
    const auto& upper = store_detail::UpperTable();
    const auto append = [&](std::string_view text) {
        for (char c : text) out.push_back(static_cast<char>(upper[static_cast<unsigned char>(c)]));
    };
    const auto& file = files[s.file];
    append(file.name);
    out.push_back(';');
    append(file.sections[s.section].name);
    out.push_back(';');
    append(EntryName(s));
}

std::int32_t IniStore::Impl::Probe(const KeySum& sum, IniPosition target, std::int64_t& steps) const {
    std::int32_t slot = HomeFromSum(sum.Sum(), table.IndexSize());
    for (steps = 0; steps < table.Count(); ++steps) {
        const store_detail::Slot& s = SlotAt(slot);
        if (s.file == 0 || (s.file == target.file && s.section == target.section &&
                            s.entry == target.entry))
            return slot;
        slot = table.Next(slot);
    }
    return -1;
}

void IniStore::Impl::CountProbe(const KeySum& sum, IniPosition target) {
    if (Initialising) return;
    LayOut();
    std::int32_t home = HomeFromSum(sum.Sum(), table.IndexSize());
    if (target.found()) {
        std::int64_t steps = 0;
        Probe(sum, target, steps);
        if (steps == 0) ++firstTimeHits;
        mishits += steps;
    } else if (table.Full()) {
        mishits += table.Count();
    } else {
        mishits += table.Distance(home, table.FirstFreeFrom(home));
    }
}

IniPosition IniStore::Impl::FindOrCreate(std::int32_t file, std::int32_t section,
                                         std::string_view entry) {
    auto& record = files[file];
    auto& sectionRecord = record.sections[section];
    // The names on record differ from the ones asked for at most in case, which the sum ignores.
    auto sumOf = [&] {
        KeySum sum = sectionRecord.prefix;
        sum.Add(entry);
        return sum;
    };
    const std::uint32_t hash = entry.empty() ? 0 : store_detail::NameHash(entry);
    if (!entry.empty()) {
        if (std::int32_t e = store_detail::FindEntry(record, sectionRecord, entry, hash); e > 0) {
            IniPosition found{file, section, e};
            if (!Initialising) CountProbe(sumOf(), found);
            return found;
        }
    } else if (sectionRecord.namelessKey >= 0) {
        // The key of the section's nameless entries now names the newest one. Its slot holds
        // the key's number, so the slot follows without being looked for.
        store_detail::Slot& numbers = registered[static_cast<std::size_t>(sectionRecord.namelessKey)];
        if (!Initialising) CountProbe(sumOf(), {numbers.file, numbers.section, numbers.entry});
        IniPosition p{file, section, AppendEntry(file, section, entry)};
        numbers = {p.file, p.section, p.entry};
        return p;
    }
    // A new key. A full table is doubled; its keys are placed again when it is next looked at.
    if (static_cast<std::int64_t>(registered.size()) > indexSize) {
        indexSize = Clamp32(std::min<std::int64_t>(static_cast<std::int64_t>(indexSize) * 2,
                                                   std::numeric_limits<std::int32_t>::max() - 1));
        laidOut = false;
    }
    // The key's seed is taken now, while its name is in the cache; loading leaves the table
    // itself alone.
    const KeySum sum = sumOf();
    CountProbe(sum, {});
    IniPosition p{file, section, AppendEntry(file, section, entry)};
    if (entry.empty())
        sectionRecord.namelessKey = static_cast<std::int32_t>(registered.size());
    else
        store_detail::RecordEntry(record, sectionRecord, p.entry, hash);
    registered.push_back({p.file, p.section, p.entry});
    seeds.push_back(store_detail::SeedFromSum(sum.Sum()));
    if (Initialising)
        laidOut = false;  // loading: placed when the table is next looked at
    else if (laidOut)
        Place(registered.size() - 1, HomeOf(registered.size() - 1));
    return p;
}

// ---- public ----------------------------------------------------------------------------------

std::string IniStore::BuildIniKey(std::string_view file, std::string_view section,
                                  std::string_view entry) {
    std::string key;
    key.reserve(file.size() + section.size() + entry.size() + 2);
    key.append(file).append(1, ';').append(section).append(1, ';').append(entry);
    return platform::UpperCase(key);
}

double IniStore::HashSum(std::string_view key) {
    KeySum sum;
    sum.Add(key);
    return sum.Sum();
}

std::int32_t IniStore::HomeSlot(std::string_view key, std::int32_t indexSize) {
    if (indexSize < 1) return 0;
    return HomeFromSum(HashSum(key), indexSize);
}

std::int32_t IniStore::HashIndex(std::string_view key) {
    auto& d = *impl_;
    d.LayOut();
    std::int32_t slot = HomeSlot(key, d.table.IndexSize());
    std::int64_t steps = 0;
    bool found = false;
    for (; steps < d.table.Count(); ++steps) {
        if (d.table.KeyAt(slot) == store_detail::SlotTable::kFree) break;
        if (Slot(slot).key == key) {
            found = true;
            break;
        }
        slot = d.table.Next(slot);
    }
    if (!Initialising) {
        if (found && steps == 0) ++d.firstTimeHits;
        d.mishits += steps;
    }
    return steps == d.table.Count() ? -1 : slot;
}

// Section and entry names that reach the store from outside the files (typed, from folder
// names, from the command line) are taken as a line can hold them; see OnOneLine.
IniPosition IniStore::LocateIniEntry(std::string_view file, std::string_view section,
                                     std::string_view entry, bool search) {
    std::string sectionStorage, entryStorage;
    section = store_detail::OnOneLine(section, sectionStorage);
    entry = store_detail::OnOneLine(entry, entryStorage);
    if (entry.empty()) return FindIniEntry(file, section, entry);
    auto& d = *impl_;
    std::int32_t f = d.FileNo(file);
    std::int32_t s = f > 0 ? d.SectionNo(f, section) : 0;
    IniPosition found{f, s, s > 0 ? store_detail::FindEntry(d.files[f], d.files[f].sections[s], entry) : 0};
    if (!Initialising) {
        KeySum sum = PrefixSum(file, section);
        sum.Add(entry);
        d.CountProbe(sum, found);
    }
    if (found.found()) {
        if (!Initialising) ++d.hits;
        return found;
    }
    if (!search) return {};
    f = d.EnsureFile(file);
    s = d.EnsureSection(f, section);
    return d.FindOrCreate(f, s, entry);
}

IniPosition IniStore::FindIniEntry(std::string_view file, std::string_view section,
                                   std::string_view entry) {
    std::string sectionStorage, entryStorage;
    section = store_detail::OnOneLine(section, sectionStorage);
    entry = store_detail::OnOneLine(entry, entryStorage);
    auto& d = *impl_;
    std::int32_t f = d.EnsureFile(file);
    std::int32_t s = d.EnsureSection(f, section);
    return d.FindOrCreate(f, s, entry);
}

std::int32_t IniStore::IndexSize() const { return impl_->indexSize; }
std::int32_t IniStore::OccupiedSlots() const {
    return Clamp32(static_cast<std::int64_t>(impl_->registered.size()));
}
std::int32_t IniStore::Hits() const { return Clamp32(impl_->hits); }
std::int32_t IniStore::Mishits() const { return Clamp32(impl_->mishits); }
std::int32_t IniStore::FirstTimeHits() const { return Clamp32(impl_->firstTimeHits); }

HashSlotView IniStore::Slot(std::int32_t slot) const {
    const auto& d = *impl_;
    if (slot < 0 || slot > d.indexSize) return {};
    d.LayOut();
    const store_detail::Slot& s = d.SlotAt(slot);
    if (s.file == 0) return {};
    std::string key;
    d.AppendKey(key, s);
    return {std::move(key), {s.file, s.section, s.entry}};
}

std::int32_t IniStore::ProbeDistance(std::int32_t slot) const {
    if (slot < 0 || slot > impl_->indexSize) return -1;
    return impl_->DistanceAt(slot);
}

}  // namespace zam
