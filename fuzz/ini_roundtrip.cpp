// Arbitrary bytes read as an INI file, written back, read and written again: from the first
// write-back on, the layout is settled, so the second round trip must keep every record the
// write-back keeps (names, values and comments; blank lines may only collapse) and give the same
// text. Then the bytes go in once more as a value set from outside. Files are written only into
// a private folder made once per process.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

namespace {

class QuietUi : public zam::UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        __builtin_trap();  // no message is expected: the folder is ours and writable
    }
    bool Ask(const std::string&, const std::string&) override { return false; }
    void SetStatus(const std::string&) override {}
    void HideStatus() override {}
    std::optional<zam::FileChoice> SelectFile(const std::string&, const std::string&,
                                              const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override { __builtin_trap(); }
};

const std::string& Folder() {
    static const std::string folder = [] {
        std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/zam-fuzz-ini-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) __builtin_trap();
        static const std::string made = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern + "/";
    }();
    return folder;
}

// Every record in file order, except blank lines, which a later write-back may collapse. Comment
// lines are taken without their section: a section left with nothing but comments loses its
// header, and its comments then belong to the section before it, in the same place in the text.
std::vector<std::string> KeptRecords(const zam::IniStore& store) {
    std::vector<std::string> out;
    for (std::int32_t f = 1; f <= store.FileCount(); ++f)
        for (std::int32_t s = 1; s <= store.SectionCount(f); ++s)
            for (std::int32_t e = 1; e <= store.EntryCount(f, s); ++e) {
                zam::IniEntryView v = store.Entry({f, s, e});
                bool commentLine = v.name.find(';') != std::string::npos;
                if (commentLine && v.comment.find_first_not_of(' ') == std::string::npos) continue;
                if (v.deleted) continue;
                std::string section = commentLine ? ";" : store.SectionName(f, s);
                out.push_back(section + '\x01' + (commentLine ? "" : v.name) + '\x01' + v.value +
                              '\x01' + v.comment);
            }
    return out;
}

struct Pass {
    std::vector<std::string> records;
    std::string written;
    bool any = false;
};

// Reads the file, keeps its records, writes it back and reads the result.
Pass ReadAndWrite(const std::string& path) {
    QuietUi ui;
    zam::IniStore store(ui, 7);  // small, so that enlarging the table is exercised too
    store.ReadIniFile(path);
    Pass pass;
    pass.records = KeptRecords(store);
    pass.any = store.FileCount() > 0;
    if (pass.any && !store.WriteIniFile(1)) __builtin_trap();
    if (!zam::platform::Fs().ReadAll(path, pass.written).ok()) __builtin_trap();
    return pass;
}

// What the reader makes of a value on the line "value = <value>": control characters (and 255)
// blanked, cut at the first ";", trimmed.
std::string AsReadBack(std::string value) {
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) == 255) c = ' ';
    value = value.substr(0, value.find(';'));
    return std::string(zam::platform::TrimSpaces(value));
}

// A value from outside (here the input itself, as if pasted into a text box) set into the settled
// file writes no line of its own: no section appears that the store did not hold, and the value
// reads back as one. A season count in the file never reaches past its sections.
void SetFromOutside(const std::string& path, const std::string& value) {
    QuietUi ui;
    zam::IniStore store(ui, 7);
    store.ReadIniFile(path);
    const std::int32_t events = zam::SeasonEventCount(store, path);
    if (events < 0 || (events > 0 && events > store.SectionCount(1))) __builtin_trap();
    store.SetFullPathIniValue(path, "Fuzz", "value", value);
    if (!store.WriteIniFile(1)) __builtin_trap();
    zam::IniStore reread(ui, 7);
    reread.ReadIniFile(path);
    if (reread.SectionCount(1) > store.SectionCount(1)) __builtin_trap();
    if (reread.FullPathIniValue(path, "Fuzz", "value") != AsReadBack(value)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zam::Initialising = false;
    const std::string path = Folder() + "fuzz.ini";
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!zam::platform::Fs().WriteNew(path, bytes).ok()) __builtin_trap();

    Pass first = ReadAndWrite(path);
    Pass second = ReadAndWrite(path);
    Pass third = ReadAndWrite(path);
    if (first.any) {
        if (second.any && second.records != third.records) __builtin_trap();
        if (second.written != third.written) __builtin_trap();
    }
    SetFromOutside(path, bytes.substr(0, 256));
    return 0;
}
