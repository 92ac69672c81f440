// The hash index: key sums, home slots, probing statistics, registration and enlargement.
//
// The slots are laid out exactly as linear probing from each key's home slot lays them out, and
// the statistics count the probe steps that such a search takes. Finding a key goes through a
// private well-mixed index instead of walking the chain, and the steps are the distance between
// the home slot and the slot reached (a chain has no free slot in it), so a look-up costs the
// same however crowded the table is.
#include <limits>

#include "IniStoreImpl.h"
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

}  // namespace

KeySum PrefixSum(std::string_view file, std::string_view section) {
    KeySum sum;
    sum.Add(file);
    sum.Add(';');
    sum.Add(section);
    sum.Add(';');
    return sum;
}

// ---- Impl ------------------------------------------------------------------------------------

KeySum IniStore::Impl::SumOf(const store_detail::Slot& s) const {
    KeySum sum = PrefixSum(files[s.file].name, files[s.file].sections[s.section].name);
    sum.Add(EntryName(s));
    return sum;
}

std::uint64_t IniStore::Impl::HashOfSlot(std::int32_t slot) const {
    const store_detail::Slot& s = table.At(slot);
    return store_detail::EntryHash(s.file, s.section, EntryName(s));
}

std::int32_t IniStore::Impl::SlotOf(std::int32_t file, std::int32_t section,
                                    std::string_view entry) const {
    return keys.Find(store_detail::EntryHash(file, section, entry), [&](std::int32_t slot) {
        const store_detail::Slot& s = table.At(slot);
        return s.file == file && s.section == section && platform::EqualNoCase(EntryName(s), entry);
    });
}

void IniStore::Impl::CountProbe(const KeySum& sum, std::int32_t reached) {
    if (Initialising) return;
    std::int32_t home = HomeFromSum(sum.Sum(), table.IndexSize());
    if (reached >= 0) {
        std::int32_t steps = table.Distance(home, reached);
        if (steps == 0) ++firstTimeHits;
        mishits += steps;
    } else if (table.Full()) {
        mishits += table.Count();
    } else {
        mishits += table.Distance(home, table.FirstFreeFrom(home));
    }
}

void IniStore::Impl::Register(const KeySum& sum, IniPosition p, std::string_view entryName) {
    if (table.Full()) Grow();
    std::int32_t slot = table.FirstFreeFrom(HomeFromSum(sum.Sum(), table.IndexSize()));
    table.Occupy(slot, store_detail::Slot{p.file, p.section, p.entry});
    keys.Insert(store_detail::EntryHash(p.file, p.section, entryName), slot,
                [this](std::int32_t s) { return HashOfSlot(s); });
}

// A full table is doubled and every key registered again, in slot order, keeping its numbers.
void IniStore::Impl::Grow() {
    store_detail::SlotTable old = std::move(table);
    std::int64_t wanted = static_cast<std::int64_t>(old.IndexSize()) * 2;
    table.Reset(Clamp32(std::min<std::int64_t>(wanted, std::numeric_limits<std::int32_t>::max() - 1)));
    keys.Clear(static_cast<std::size_t>(old.Occupied()));
    for (std::int32_t i = 0; i <= old.IndexSize(); ++i) {
        const store_detail::Slot& s = old.At(i);
        if (s.file == 0) continue;
        std::int32_t slot = table.FirstFreeFrom(HomeFromSum(SumOf(s).Sum(), table.IndexSize()));
        table.Occupy(slot, s);
        keys.Insert(store_detail::EntryHash(s.file, s.section, EntryName(s)), slot,
                    [this](std::int32_t x) { return HashOfSlot(x); });
    }
}

IniPosition IniStore::Impl::FindOrCreate(std::int32_t file, std::int32_t section,
                                         const KeySum& prefix, std::string_view entry) {
    auto sumOf = [&] {
        KeySum sum = prefix;
        sum.Add(entry);
        return sum;
    };
    std::int32_t slot = SlotOf(file, section, entry);
    if (!entry.empty() && slot >= 0) {
        if (!Initialising) CountProbe(sumOf(), slot);
        const store_detail::Slot& s = table.At(slot);
        return {s.file, s.section, s.entry};
    }
    IniPosition p{file, section, AppendEntry(file, section, entry)};
    if (slot >= 0) {
        // A nameless entry: the key of the section's nameless entries now names the newest one.
        if (!Initialising) CountProbe(sumOf(), slot);
        table.Overwrite(slot, store_detail::Slot{p.file, p.section, p.entry});
        return p;
    }
    KeySum sum = sumOf();
    CountProbe(sum, -1);
    Register(sum, p, entry);
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
    std::int32_t slot = HomeSlot(key, d.table.IndexSize());
    std::int64_t steps = 0;
    bool found = false;
    for (; steps < d.table.Count(); ++steps) {
        const store_detail::Slot& s = d.table.At(slot);
        if (s.file == 0) break;
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

IniPosition IniStore::LocateIniEntry(std::string_view file, std::string_view section,
                                     std::string_view entry, bool search) {
    if (entry.empty()) return FindIniEntry(file, section, entry);
    auto& d = *impl_;
    std::int32_t f = d.FileNo(file);
    std::int32_t s = f > 0 ? d.SectionNo(f, section) : 0;
    std::int32_t slot = s > 0 ? d.SlotOf(f, s, entry) : -1;
    if (!Initialising) {
        KeySum sum = PrefixSum(file, section);
        sum.Add(entry);
        d.CountProbe(sum, slot);
    }
    if (slot >= 0) {
        if (!Initialising) ++d.hits;
        const store_detail::Slot& found = d.table.At(slot);
        return {found.file, found.section, found.entry};
    }
    if (!search) return {};
    f = d.EnsureFile(file);
    s = d.EnsureSection(f, section);
    return d.FindOrCreate(f, s, PrefixSum(file, section), entry);
}

IniPosition IniStore::FindIniEntry(std::string_view file, std::string_view section,
                                   std::string_view entry) {
    auto& d = *impl_;
    std::int32_t f = d.EnsureFile(file);
    std::int32_t s = d.EnsureSection(f, section);
    return d.FindOrCreate(f, s, PrefixSum(file, section), entry);
}

std::int32_t IniStore::IndexSize() const { return impl_->table.IndexSize(); }
std::int32_t IniStore::OccupiedSlots() const { return Clamp32(impl_->table.Occupied()); }
std::int32_t IniStore::Hits() const { return Clamp32(impl_->hits); }
std::int32_t IniStore::Mishits() const { return Clamp32(impl_->mishits); }
std::int32_t IniStore::FirstTimeHits() const { return Clamp32(impl_->firstTimeHits); }

HashSlotView IniStore::Slot(std::int32_t slot) const {
    const auto& d = *impl_;
    if (slot < 0 || slot > d.table.IndexSize()) return {};
    const store_detail::Slot& s = d.table.At(slot);
    if (s.file == 0) return {};
    const auto& file = d.files[s.file];
    std::string key = BuildIniKey(file.name, file.sections[s.section].name, d.EntryName(s));
    return {std::move(key), {s.file, s.section, s.entry}};
}

}  // namespace zam
