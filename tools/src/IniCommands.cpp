// zamini's INI commands: reading, changing and normalising INI files through the store, exactly
// as the front end reads and writes them back (with ".bak" and ".prv" beside each written file).
// FILE is the path as typed; it is also the file's key in the store.
#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <ostream>

#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"
#include "zam/tools/Command.h"
#include "zam/tools/ConsoleUi.h"

namespace zam::tools {

namespace {

using Args = std::vector<std::string>;

int Usage(std::ostream& err, const std::string& name, const std::string& usage) {
    err << "usage: zamini " << name << ' ' << usage << '\n';
    return kExitUsage;
}

// Why `file` cannot be read, or the empty text when it can.
std::string Unreadable(const std::string& file) {
    auto& fs = platform::Fs();
    if (fs.FileExists(file)) return {};
    if (fs.FolderExists(file)) return "it is a folder";
    std::uint64_t size = 0;
    platform::Status status = fs.Size(file, size);
    return status.ok() ? "it cannot be opened for reading" : status.description;
}

bool Readable(const std::string& file, std::ostream& err) {
    std::string why = Unreadable(file);
    if (why.empty()) return true;
    err << "zamini: cannot read " << file << ": " << why << '\n';
    return false;
}

// Runs `body` with a console user interface and a store in which writes are user changes. A
// message from the store is a failure; so is a program end it asked for.
int WithStore(std::ostream& err, const std::function<int(IniStore&)>& body) {
    ConsoleUi ui(err);
    IniStore store(ui);
    InitialisingScope userChanges(false);
    try {
        int code = body(store);
        return code == kExitOk && ui.Failed() ? kExitFailure : code;
    } catch (const ProgramEnded&) {
        return kExitFailure;
    }
}

bool WriteBack(IniStore& store, std::int32_t file, std::ostream& err) {
    if (store.WriteIniFile(file)) return true;
    err << "zamini: " << store.WritePath(file) << " was not written; it is unchanged\n";
    return false;
}

int Get(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) return Usage(err, "get", "FILE SECTION ENTRY");
    if (!Readable(args[0], err)) return kExitFailure;
    return WithStore(err, [&](IniStore& store) {
        store.ReadIniFile(args[0]);
        out << store.FullPathIniValue(args[0], args[1], args[2]) << '\n';
        return kExitOk;
    });
}

// Text that one INI line cannot hold as given: the front end stores a control character as a
// blank, and the reader would take the rest for other parts of the file. Here, where the text was
// given on purpose, it is refused instead.
struct LineRule {
    std::size_t argument;  // 1 SECTION, 2 ENTRY, 3 VALUE
    const char* what;
    bool (*breaks)(std::string_view text);
    const char* why;
};

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 32; });
}

constexpr LineRule kLineRules[] = {
    {1, "SECTION", HasControlCharacter, "holds a line break or another control character"},
    {2, "ENTRY", HasControlCharacter, "holds a line break or another control character"},
    {3, "VALUE", HasControlCharacter, "holds a line break or another control character"},
    {1, "SECTION", [](std::string_view t) { return t.find_first_of("];") != t.npos; },
     "holds \"]\" or \";\", which would end the section's name"},
    {2, "ENTRY",
     [](std::string_view t) {
         return t.find_first_of("=;") != t.npos || platform::TrimSpaces(t).starts_with('[');
     },
     "holds \"=\" or \";\" or starts with \"[\", which would make it another kind of line"},
    {3, "VALUE", [](std::string_view t) { return t.find(';') != t.npos; },
     "holds \";\", after which the file would hold a comment, not the value"},
};

bool FitsOnOneLine(const Args& args, std::ostream& err) {
    for (const LineRule& rule : kLineRules) {
        if (!rule.breaks(args[rule.argument])) continue;
        err << "zamini: " << rule.what << ' ' << rule.why << "; nothing was written\n";
        return false;
    }
    return true;
}

int Set(const Args& args, std::ostream&, std::ostream& err) {
    if (args.size() != 4) return Usage(err, "set", "FILE SECTION ENTRY VALUE");
    if (!FitsOnOneLine(args, err)) return kExitFailure;
    const std::string& file = args[0];
    std::string why = Unreadable(file);
    bool absent = why == platform::ErrorDescription(platform::kFileNotFound);
    if (!why.empty() && !absent) {
        // Writing over a file that could not be read would lose everything else in it.
        err << "zamini: cannot read " << file << ": " << why << '\n';
        return kExitFailure;
    }
    return WithStore(err, [&](IniStore& store) {
        store.ReadIniFile(file);
        store.SetFullPathIniValue(file, args[1], args[2], args[3]);
        bool ok = true;
        for (std::int32_t f = 1; f <= store.FileCount(); ++f)
            if (store.FileChanged(f)) ok = WriteBack(store, f, err) && ok;
        return ok ? kExitOk : kExitFailure;
    });
}

int Delete(const Args& args, std::ostream&, std::ostream& err) {
    if (args.size() != 3 || args[2].empty()) return Usage(err, "delete", "FILE SECTION ENTRY");
    if (!Readable(args[0], err)) return kExitFailure;
    return WithStore(err, [&](IniStore& store) {
        store.ReadIniFile(args[0]);
        if (!store.LocateIniEntry(args[0], args[1], args[2], false).found()) return kExitOk;
        store.DeleteIniEntry(args[0], args[1], args[2]);
        return WriteBack(store, store.FileNumber(args[0]), err) ? kExitOk : kExitFailure;
    });
}

int Normalize(const Args& args, std::ostream&, std::ostream& err) {
    if (args.empty()) return Usage(err, "normalize", "FILE...");
    int result = kExitOk;
    for (const std::string& file : args) {
        int code = Readable(file, err) ? WithStore(err, [&](IniStore& store) {
            store.ReadIniFile(file);
            std::int32_t number = store.FileNumber(file);  // 0 for a file without lines
            return number == 0 || WriteBack(store, number, err) ? kExitOk : kExitFailure;
        })
                                       : kExitFailure;
        if (code != kExitOk) result = code;
    }
    return result;
}

int Dump(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return Usage(err, "dump", "FILE");
    if (!Readable(args[0], err)) return kExitFailure;
    return WithStore(err, [&](IniStore& store) {
        store.ReadIniFile(args[0]);
        for (std::int32_t f = 1; f <= store.FileCount(); ++f)
            for (std::int32_t s = 1; s <= store.SectionCount(f); ++s)
                for (std::int32_t e = 1; e <= store.EntryCount(f, s); ++e) {
                    IniEntryView v = store.Entry({f, s, e});
                    out << store.SectionName(f, s) << '\t' << v.name << '\t' << v.value << '\t'
                        << v.comment << '\n';
                }
        return kExitOk;
    });
}

bool ParseIndexSize(const std::string& text, std::int32_t& size) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, size);
    return ec == std::errc() && ptr == end && size >= 1 &&
           size < std::numeric_limits<std::int32_t>::max();
}

int Hash(const Args& args, std::ostream& out, std::ostream& err) {
    std::int32_t size = kDefaultIndexSize;
    if (args.empty() || args.size() > 2 || (args.size() == 2 && !ParseIndexSize(args[1], size)))
        return Usage(err, "hash", "KEY [INDEXSIZE]");
    out << IniStore::HomeSlot(args[0], size) << '\n';
    return kExitOk;
}

void PrintStats(const IniStore& store, std::ostream& out) {
    std::int64_t sections = 0, entries = 0, probes = 0, longest = 0;
    for (std::int32_t f = 1; f <= store.FileCount(); ++f) {
        sections += store.SectionCount(f);
        for (std::int32_t s = 1; s <= store.SectionCount(f); ++s) entries += store.EntryCount(f, s);
    }
    const std::int64_t slots = static_cast<std::int64_t>(store.IndexSize()) + 1;
    for (std::int32_t i = 0; i <= store.IndexSize(); ++i) {
        const std::int64_t distance = store.ProbeDistance(i);
        if (distance < 0) continue;  // a free slot
        probes += distance;
        longest = std::max(longest, distance);
    }
    const std::int32_t occupied = store.OccupiedSlots();
    const std::string average = platform::FixedNumber(
        occupied == 0 ? 0.0 : static_cast<double>(probes) / occupied, 3);
    const std::string usage =
        platform::FixedNumber(100.0 * occupied / static_cast<double>(slots), 2);
    out << "Files: " << store.FileCount() << '\n'
        << "Sections: " << sections << '\n'
        << "Entries: " << entries << '\n'
        << "Occupied slots: " << occupied << '\n'
        << "Index size: " << store.IndexSize() << '\n'
        << "Usage: " << usage << "%\n"
        << "Average probe steps: " << average << '\n'
        << "Longest probe: " << longest << '\n'
        << "Hits: " << store.Hits() << '\n'
        << "Mishits: " << store.Mishits() << '\n'
        << "First time hits: " << store.FirstTimeHits() << '\n';
}

int Stats(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "stats", "FILE...");
    for (const std::string& file : args)
        if (!Readable(file, err)) return kExitFailure;
    return WithStore(err, [&](IniStore& store) {
        for (const std::string& file : args) store.ReadIniFile(file);
        PrintStats(store, out);
        return kExitOk;
    });
}

}  // namespace

std::vector<Command> IniCommands() {
    return {
        {"get", "FILE SECTION ENTRY", Get},
        {"set", "FILE SECTION ENTRY VALUE", Set},
        {"delete", "FILE SECTION ENTRY", Delete},
        {"normalize", "FILE...", Normalize},
        {"dump", "FILE", Dump},
        {"hash", "KEY [INDEXSIZE]", Hash},
        {"stats", "FILE...", Stats},
    };
}

}  // namespace zam::tools
