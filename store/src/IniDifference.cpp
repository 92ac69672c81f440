#include "zam/store/IniDifference.h"

#include <map>
#include <tuple>

#include "IniLineParser.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

struct FlatEntry {
    std::string section;
    std::string entry;
    std::string value;
};

// Upper-cased section, upper-cased entry name, occurrence of that name in the section.
using EntryKey = std::tuple<std::string, std::string, int>;

struct FlatFile {
    std::vector<FlatEntry> entries;
    std::map<EntryKey, std::size_t> index;
};

FlatFile Flatten(std::string_view text) {
    FlatFile file;
    std::string bytes(text);  // the parser cleans each line in place
    std::string section;
    std::map<std::pair<std::string, std::string>, int> seen;
    store_detail::ForEachLine(bytes.data(), bytes.size(), [&](char* line, std::size_t length) {
        const store_detail::ParsedLine parsed = store_detail::ParseLine(line, length);
        if (parsed.kind == store_detail::LineKind::kSection) section.assign(parsed.section);
        if (parsed.kind != store_detail::LineKind::kEntry || parsed.name.empty()) return;
        const std::string upperSection = platform::UpperCase(section);
        const std::string upperName = platform::UpperCase(parsed.name);
        const int occurrence = seen[{upperSection, upperName}]++;
        file.index.emplace(EntryKey{upperSection, upperName, occurrence}, file.entries.size());
        file.entries.push_back({section, std::string(parsed.name), std::string(parsed.value)});
    });
    return file;
}

std::vector<EntryKey> KeysInOrder(const FlatFile& file) {
    std::vector<EntryKey> keys(file.entries.size());
    for (const auto& [key, at] : file.index) keys[at] = key;
    return keys;
}

}  // namespace

std::vector<IniDifference> CompareIniTexts(std::string_view current, std::string_view other) {
    const FlatFile now = Flatten(current);
    const FlatFile then = Flatten(other);
    std::vector<IniDifference> differences;
    const std::vector<EntryKey> nowKeys = KeysInOrder(now);
    for (std::size_t i = 0; i < now.entries.size(); ++i) {
        const FlatEntry& entry = now.entries[i];
        const auto match = then.index.find(nowKeys[i]);
        if (match == then.index.end()) {
            differences.push_back({entry.section, entry.entry, entry.value, {}, true, false});
        } else if (then.entries[match->second].value != entry.value) {
            differences.push_back(
                {entry.section, entry.entry, entry.value, then.entries[match->second].value, true, true});
        }
    }
    const std::vector<EntryKey> thenKeys = KeysInOrder(then);
    for (std::size_t i = 0; i < then.entries.size(); ++i) {
        if (now.index.count(thenKeys[i]) != 0) continue;
        const FlatEntry& entry = then.entries[i];
        differences.push_back({entry.section, entry.entry, {}, entry.value, false, true});
    }
    return differences;
}

}  // namespace zam
